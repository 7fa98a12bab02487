#include "ui/controls/textbox/longparagraphs.h"

#include "ui/controls/textbox/softbreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <limits>
#include <utility>

namespace {

int placingStep = 4 << 10;

} // namespace

int longParagraphPlacingStep()
{
    return placingStep;
}

void setLongParagraphPlacingStep(int characters)
{
    placingStep = qMax(characters, 1);
}

LongParagraphs::LongParagraphs(Box &box)
    : QObject(nullptr)
    , m_box(box)
    , m_edit(box.edit())
    , m_placer(m_edit.document(), box.writtenText())
{
    m_placer.setApply([this](const CutPlacer::Cuts &cuts) { applyCuts(cuts); });
}

qreal LongParagraphs::wrapWidth() const
{
    // The width Qt lays the box's lines out at, as a line it laid out has it (the viewport's less
    // the document's margins, QPlainTextDocumentLayout::layoutBlock, Qt 6.4).
    QTextDocument *document = m_edit.document();
    const QTextBlock first = document->firstBlock();
    document->documentLayout()->blockBoundingRect(first);
    const QTextLine line = first.layout()->lineAt(0);
    if (!line.isValid() || m_edit.lineWrapMode() == QPlainTextEdit::NoWrap || line.width() > 1e6)
        return -1;
    return line.width();
}

bool LongParagraphs::isSettled() const
{
    return !m_placer.hasWork() || (!leftToQt() && wrapWidth() < 0);
}

bool LongParagraphs::leftToQt() const
{
    return !m_box.keepsOwnHistory();
}

void LongParagraphs::historyLeftToQt()
{
    // A text set anew: only a paragraph too long for Qt is any work.
    m_placer.markTooLong();
    if (m_placer.hasWork())
        schedulePlacingAfterChange();
}

bool LongParagraphs::mayPlace()
{
    // Left to Qt, the box cuts only a paragraph grown too long for Qt, and takes the history
    // over first.
    if (!leftToQt())
        return true;
    if (!m_placer.hasWork())
        return false;
    m_box.takeOverHistory();
    return true;
}

void LongParagraphs::historyTakenOver()
{
    // Everything is placed as after a change of width.
    m_placer.clear();
    m_placer.setLayout(-1, m_placer.font());
    geometryChanged();
}

void LongParagraphs::widthChanging(qreal width)
{
    if (leftToQt())
        return;
    // Qt keeps its top line in range as it lays the box out anew: no scroll of the user's.
    m_resizing = true;
    // What shows now, as laid out for the old width, is what shows after.
    const qreal oldWidth = m_placer.width();
    if (width > 0 && width != oldWidth && oldWidth > 0)
        viewWillMove();
    if (width <= 0 || width == oldWidth || m_edit.lineWrapMode() == QPlainTextEdit::NoWrap)
        return;
    m_placer.setLayout(width, m_edit.document()->defaultFont());
    m_placer.markAll();
    // A short text is placed at once, before Qt lays it out at the new width: whether the box needs
    // a scroll bar (and so how wide it is) then comes out as for whole paragraphs. A long one
    // needs one anyway; its pieces are placed where they show, then in the background.
    if (m_edit.document()->characterCount() > 1 << 16) {
        scheduleBackground();
        return;
    }
    m_linesForNewWidth.clear();
    m_keepView = true;
    settle(std::numeric_limits<int>::max(), 0, false);
    m_keepView = false;
}

void LongParagraphs::geometryChanged()
{
    if (leftToQt())
        return;
    m_resizing = false;
    const qreal width = wrapWidth();
    const QFont font = m_edit.document()->defaultFont();
    if (width == m_placer.width() && font == m_placer.font()) {
        restoreLineCounts();
        if (m_viewMoved)
            restoreView();
        return;
    }
    m_placer.setLayout(width, font);
    if (width < 0)
        return;
    m_placer.markAll();
    // Not from within the resize: Qt is still adjusting the box. Before it draws, though.
    QMetaObject::invokeMethod(this, &LongParagraphs::settleVisible, Qt::QueuedConnection);
}

void LongParagraphs::restoreLineCounts()
{
    if (m_linesForNewWidth.isEmpty())
        return;
    QTextDocument *document = m_edit.document();
    for (const auto &[start, lines] : std::exchange(m_linesForNewWidth, {})) {
        QTextBlock block = document->findBlock(start);
        if (block.position() == start && block.layout()->lineCount() == 0)
            block.setLineCount(lines);
    }
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}

void LongParagraphs::textChanged(int position, int end, int paragraphsAdded)
{
    if (leftToQt()) {
        // Qt holds every paragraph whole, until one grows too long for it: the box then takes
        // the history over and cuts it, before the next turn of the event loop. (Lines that do
        // not wrap give no place to cut at.)
        if (m_edit.lineWrapMode() == QPlainTextEdit::NoWrap)
            return;
        const int threshold = longParagraphThreshold();
        for (QTextBlock block = m_edit.document()->findBlock(position); block.isValid() && block.position() <= end;
             block = block.next()) {
            if (block.length() - 1 > threshold) {
                m_placer.markParagraph(block.position());
                schedulePlacingAfterChange();
                break;
            }
        }
        return;
    }
    // Qt keeps the top shown as a block's number and a line in it: for a paragraph, the box
    // keeps the paragraph's number and the line in it, whatever the edit above it did.
    const QTextBlock top = m_box.firstVisibleBlock();
    if (m_edit.isVisible() && top.isValid() && position < top.position()) {
        viewWillMove();
        if (!m_view.paragraph.isNull() && position < m_view.paragraph.position() && paragraphsAdded != 0) {
            QTextBlock paragraph = m_edit.document()->findBlock(m_view.paragraph.position());
            for (int moved = 0; paragraph.isValid() && moved != paragraphsAdded;) {
                paragraph = paragraphsAdded > 0 ? paragraph.previous() : paragraph.next();
                if (paragraph.isValid() && !continuesParagraph(paragraph))
                    moved += paragraphsAdded > 0 ? 1 : -1;
            }
            if (paragraph.isValid())
                m_view.paragraph.setPosition(paragraph.position());
        }
    }
    m_placer.markChanged(position, end);
    if (m_placer.width() < 0 || m_placer.width() != wrapWidth()) {
        geometryChanged();
        return;
    }
    if (!m_placing)
        schedulePlacingAfterChange();
}

int LongParagraphs::visibleLimit() const
{
    // What shows and as much again below it, for the keys that move a page: in lines, where Qt
    // has laid a block out; elsewhere at least one line for each line's worth of characters at
    // the narrowest, so that a long block not laid out yet counts only what of it can show.
    const QFontMetricsF metrics(m_edit.document()->defaultFont());
    qreal narrowest = metrics.horizontalAdvance(u' ');
    for (char16_t c = u'!'; c <= u'~'; ++c)
        narrowest = qMin(narrowest, metrics.horizontalAdvance(QChar(c)));
    const qreal width = m_placer.width();
    const int perLine = int(qMax<qreal>(width, 1) / qMax<qreal>(narrowest, 1)) + 1;
    const int lineHeight = qMax(1, m_edit.fontMetrics().lineSpacing());
    const int wanted = 2 * (m_edit.viewport()->height() / lineHeight + 1);
    int lines = 0;
    QTextBlock block = m_box.firstVisibleBlock();
    while (block.isValid() && lines < wanted) {
        const QTextLayout *layout = block.layout();
        const bool laidOut = layout->lineCount() > 0 && layout->lineAt(0).width() == width;
        const int blockLines = laidOut ? layout->lineCount() : qMax(1, (block.length() - 1) / perLine);
        if (!laidOut && lines + blockLines > wanted)
            return block.position() + (wanted - lines) * perLine;
        lines += blockLines;
        block = block.next();
    }
    return block.isValid() ? block.position() : m_edit.document()->characterCount();
}

void LongParagraphs::settleVisible()
{
    if (!mayPlace() || m_placing || !m_placer.hasWork() || wrapWidth() < 0)
        return;
    settle(visibleLimit(), 0, true);
}

void LongParagraphs::settleThrough(int position)
{
    // What shows and the lines up to `position`: Qt keeps a caret there in view by them.
    if (leftToQt() || m_placing || !m_placer.hasWork() || wrapWidth() < 0)
        return;
    settle(std::max(visibleLimit(), position), 0, true);
}

namespace {
const QEvent::Type PlaceAfterChange = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type PlaceInBackground = static_cast<QEvent::Type>(QEvent::registerEventType());
} // namespace

void LongParagraphs::scheduleBackground()
{
    // A turn of the event loop later, after Qt's drawing (posted at low priority): input and
    // drawing come between the turns. A turn in which the text changed is no idle one: the
    // placing waits for the next.
    if (std::exchange(m_backgroundQueued, true))
        return;
    m_changesWhenQueued = m_box.changeCount();
    QCoreApplication::postEvent(this, new QEvent(PlaceInBackground), Qt::LowEventPriority - 1);
}

void LongParagraphs::schedulePlacingAfterChange()
{
    // What shows is placed before the box is drawn again: but after whoever changed the text is
    // done, as cuts move the cursors that sit on them.
    if (std::exchange(m_changePlacingQueued, true))
        return;
    QCoreApplication::postEvent(this, new QEvent(PlaceAfterChange), Qt::HighEventPriority);
}

bool LongParagraphs::event(QEvent *event)
{
    if (event->type() == PlaceInBackground) {
        m_backgroundQueued = false;
        if (m_box.changeCount() != m_changesWhenQueued)
            scheduleBackground();
        else
            settleInBackground();
        return true;
    }
    if (event->type() != PlaceAfterChange)
        return QObject::event(event);
    m_changePlacingQueued = false;
    settleVisible();
    if (m_placer.hasWork())
        scheduleBackground();
    return true;
}

void LongParagraphs::settleInBackground()
{
    // Short turns: a key that comes during one waits for the rest of it. The deadline is looked
    // at between pieces, and the cuts are applied after it.
    if (leftToQt() || m_placing || !m_placer.hasWork() || wrapWidth() < 0)
        return;
    settle(std::numeric_limits<int>::max(), 2, false);
}

void LongParagraphs::settle(int limit, int budgetMs, bool shownFirst)
{
    if (m_box.isComposing())
        return; // the input method's text shows in its block: the cuts wait for it
    CutPlacer::Turn turn;
    turn.limit = limit;
    turn.caret = m_edit.textCursor().position();
    // Where the top line shown starts, as Qt has laid it out.
    const QTextBlock top = m_box.firstVisibleBlock();
    if (top.isValid() && m_edit.isVisible()) {
        const int topLine = m_edit.verticalScrollBar()->value() - top.firstLineNumber();
        const QTextLayout *layout = top.layout();
        if (topLine > 0 && topLine < layout->lineCount() && layout->lineAt(0).width() == m_placer.width())
            turn.avoid = top.position() + layout->lineAt(topLine).textStart();
    }
    if (shownFirst)
        turn.shownFrom = top.isValid() ? top.position() : 0;
    else if (top.isValid() && m_edit.isVisible())
        turn.keepCountBefore = top.position(); // see applyCuts()
    // A long paragraph is placed piece by piece: the budget holds within it too. In the
    // background, a turn stops at about a step's worth of characters laid out too: the deadline
    // alone would let a slow machine's turn run on over one long window.
    const QDeadlineTimer deadline = budgetMs > 0 ? QDeadlineTimer(budgetMs) : QDeadlineTimer(QDeadlineTimer::Forever);
    const qint64 laidOutBefore = CutPlacer::charactersLaidOut();
    turn.spent = [&] {
        return deadline.hasExpired() || (budgetMs > 0 && CutPlacer::charactersLaidOut() - laidOutBefore >= placingStep);
    };
    const auto caretShows = [this] {
        return m_edit.isVisible() && m_edit.viewport()->rect().contains(m_edit.cursorRect());
    };
    // Qt kept the caret in view by lines that were guesses: it is kept in view by the placed ones.
    bool caretShown = false;
    turn.beforeAhead = [&] { caretShown = caretShown || caretShows(); };
    // A view on pieces placed ahead comes back by where its top line started; where their lines
    // were not the paragraph's, that line may now start a line higher: a caret that showed
    // stays in view.
    const bool caretShownAhead = m_view.ahead && caretShows();
    const bool placedAhead = m_placer.place(turn);
    if (m_viewMoved && !m_keepView)
        restoreView();
    if (((placedAhead && caretShown) || (caretShownAhead && !caretShows())) && !m_viewMoved)
        m_edit.ensureCursorVisible();
    // What is left goes on while the program is idle.
    if (m_placer.hasWork())
        scheduleBackground();
}

void LongParagraphs::applyCuts(const CutPlacer::Cuts &cuts)
{
    QAbstractTextDocumentLayout *layout = m_edit.document()->documentLayout();
    if (m_keepView)
        m_linesForNewWidth.append(cuts.lineCounts);
    if (cuts.removed.isEmpty() && cuts.added.isEmpty()) {
        if (m_placer.applyToDocument(cuts))
            emit layout->documentSizeChanged(layout->documentSize());
        return;
    }

    m_placing = true;
    // Qt keeps the top shown as a block's number and a line in it: cuts above it move what it
    // shows, which is put back afterwards. Unless they leave as many blocks above it as there
    // were: then it stays the same block and line, and only the lines above may count
    // differently, which the scroll bar is told. (The view is not drawn again for them: while a
    // long paragraph is placed far above what shows, every turn would.)
    const QTextBlock top = m_box.firstVisibleBlock();
    const int topPosition = top.position();
    const bool shown = m_edit.isVisible() && top.isValid();
    const auto [first, last] = CutPlacer::cutRange(cuts);
    const QScrollBar *bar = m_edit.verticalScrollBar();
    const bool topKept = shown && !m_viewMoved && last + 1 < topPosition && cuts.added.size() == cuts.removed.size();
    const int topLine = bar->value() - top.firstLineNumber();
    if (shown && first < topPosition + top.length())
        viewWillMove();
    // Where what shows ends. Qt draws the whole box again for any change of blocks
    // (QPlainTextDocumentLayout::documentChanged, Qt 6.4): cuts below what shows change nothing
    // there, and are placed without drawing it again.
    int shownEnd = topKept ? -1 : INT_MAX;
    if (shown && !topKept) {
        qreal y = m_box.contentOffset().y();
        for (QTextBlock block = top; block.isValid() && y < m_edit.viewport()->height(); block = block.next()) {
            y += layout->blockBoundingRect(block).height();
            shownEnd = block.position() + block.length();
        }
    }
    const QTextCursor caret = m_edit.textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();
    {
        const QSignalBlocker quietLayout(layout);
        m_placer.applyToDocument(cuts);
    }
    // What Qt says of a change of blocks, but the drawing only where it shows.
    emit layout->documentSizeChanged(layout->documentSize());
    if (first < shownEnd)
        emit layout->update();
    if (m_edit.textCursor().anchor() != anchor || m_edit.textCursor().position() != position) {
        QTextCursor restored(m_edit.document());
        restored.setPosition(anchor);
        restored.setPosition(position, QTextCursor::KeepAnchor);
        // Up and Down keep going for the place along the line they started from.
        restored.setVerticalMovementX(caret.verticalMovementX());
        m_edit.setTextCursor(restored);
    }
    // Where the scroll bar ends depends on the lines at the bottom, whatever their count.
    emit layout->documentSizeChanged(layout->documentSize());
    // Qt sets its scroll bar by its top anew as the size changes (unless the bar no longer
    // reaches that far, and Qt moved).
    const QTextBlock topAfter = m_box.firstVisibleBlock();
    if (topKept && topAfter.position() == topPosition && bar->value() == topAfter.firstLineNumber() + topLine) {
        m_viewMoved = false;
        // A view noted by its line alone counted the lines above as they were.
        if (m_view.paragraph.isNull())
            m_viewNoted = false;
    }
    m_placing = false;
}

void LongParagraphs::scrolled(int fromLine, int toLine)
{
    if (leftToQt())
        return;
    // Qt scrolls too while it lays the box out for a new width: the old view is kept then.
    if (m_restoring || m_placing || m_resizing || fromLine == toLine || wrapWidth() != m_placer.width())
        return;
    m_downwards = toLine > fromLine;
    if (m_downwards && !std::exchange(m_scrolledDown, true))
        QMetaObject::invokeMethod(
            this, [this] { m_scrolledDown = false; }, Qt::QueuedConnection);
    noteView();
    const QTextBlock top = m_box.firstVisibleBlock();
    // Come down onto the first line of a piece: a whole paragraph would show its text a row lower.
    const bool pieceStartOnTop =
        m_view.gap && continuesParagraph(top) && m_edit.verticalScrollBar()->value() == top.firstLineNumber();
    if (pieceStartOnTop || m_placer.hasWork())
        QMetaObject::invokeMethod(
            this,
            [this, pieceStartOnTop] {
                if (pieceStartOnTop)
                    restoreView();
                settleVisible();
            },
            Qt::QueuedConnection);
}

bool LongParagraphs::startsWithGap(const QTextBlock &block) const
{
    // Scrolled down onto a line, Qt shows the rows below the text of the line before, when the
    // text is not as tall as its line; but only between lines of one block.
    const QTextBlock previous = block.previous();
    if (!previous.isValid())
        return false;
    m_edit.document()->documentLayout()->blockBoundingRect(previous);
    const QTextLayout *layout = previous.layout();
    if (layout->lineCount() == 0)
        return false;
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    return last.naturalTextRect().bottom() < last.y() + last.height() - 1e-6;
}

void LongParagraphs::viewWillMove()
{
    // The view noted at the last scroll is where it stays; a box never scrolled is at its top.
    // Noted by its line alone, in pieces not placed yet, it is kept by the pieces placed ahead.
    if (!m_viewNoted || (m_view.paragraph.isNull() && m_placer.placedAhead()))
        noteView();
    m_viewMoved = true;
}

void LongParagraphs::noteView()
{
    m_viewNoted = true;
    const bool downwards = m_downwards;
    const QTextBlock top = m_box.firstVisibleBlock();
    if (!top.isValid())
        return;
    const int value = m_edit.verticalScrollBar()->value();
    const int topLine = qMax(0, value - top.firstLineNumber());
    QTextBlock paragraph = top;
    int line = topLine;
    // Placed ahead of the pieces before it, what shows is kept by where those placed pieces start.
    const auto [aheadFrom, aheadTo] = m_placer.placedAhead().value_or(std::pair(-1, -1));
    const bool inAhead = aheadFrom >= 0 && aheadFrom <= top.position() && top.position() <= aheadTo;
    while (continuesParagraph(paragraph) && paragraph.previous().isValid() &&
           !(inAhead && paragraph.position() <= aheadFrom)) {
        paragraph = paragraph.previous();
        line += paragraph.lineCount();
    }
    // (The pieces before pieces placed ahead are not all placed yet.)
    m_view.ahead = inAhead && paragraph.position() == aheadFrom && continuesParagraph(paragraph);
    // Lines of pieces not placed yet are guesses: then only the line number is known.
    const bool placed = m_view.ahead || m_placer.isPlaced(paragraph.position(), top.position());
    int keptAt = paragraph.position();
    if (m_view.ahead && !m_placing) {
        // Shown on pieces placed ahead, the view is kept by where its top line starts: lines
        // wrapped from another start need not meet the paragraph's soon (in a text that repeats,
        // never), so their count is no place to keep. (While they are being placed, what shows
        // is not placed yet: only its lines count.)
        m_edit.document()->documentLayout()->blockBoundingRect(top);
        if (const QTextLine shown = top.layout()->lineAt(topLine); shown.isValid()) {
            keptAt = top.position() + shown.textStart();
            line = 0;
        }
    }
    m_view.paragraph = placed ? QTextCursor(m_edit.document()) : QTextCursor();
    if (placed) {
        m_view.paragraph.setPosition(keptAt);
        // Text put in right at the paragraph's start is in the paragraph. A line start inside it
        // stays after the blank a cut there stands for, as the cut is taken away and made again.
        m_view.paragraph.setKeepPositionOnInsert(keptAt == paragraph.position());
    }
    m_view.line = placed ? line : value;
    if (topLine == 0) {
        m_view.gap = downwards && continuesParagraph(top) && startsWithGap(top);
    } else {
        m_edit.document()->documentLayout()->blockBoundingRect(top);
        const QTextLine before = top.layout()->lineAt(topLine - 1);
        m_view.gap = before.isValid() && -m_box.contentOffset().y() < before.naturalTextRect().bottom() - 1e-6;
    }
}

void LongParagraphs::restoreView()
{
    m_viewMoved = false;
    if (!m_edit.isVisible())
        return;
    QTextDocument *document = m_edit.document();
    if (m_view.paragraph.isNull()) {
        scrollTo(m_view.line, m_view.gap);
        return;
    }
    QTextBlock block = document->findBlock(m_view.paragraph.position());
    int line = m_view.line;
    if (m_view.ahead) {
        // Placing from the paragraph's start may have moved the cut there: the place is a line
        // start all the same.
        document->documentLayout()->blockBoundingRect(block);
        const QTextLine first = block.layout()->lineForTextPosition(m_view.paragraph.position() - block.position());
        line += first.isValid() ? first.lineNumber() : 0;
    }
    while (!m_view.ahead && continuesParagraph(block) && block.previous().isValid())
        block = block.previous();
    for (QTextBlock next = block.next();
         line >= qMax(1, block.lineCount()) && next.isValid() && continuesParagraph(next); next = block.next()) {
        line -= qMax(1, block.lineCount());
        block = next;
    }
    line = qMin(line, qMax(1, block.lineCount()) - 1);
    if (line == 0 && m_view.gap && continuesParagraph(block) && startsWithGap(block)) {
        // The line starts a piece: the cut moves down, so that Qt measures from the line before,
        // as in one paragraph.
        const QTextBlock previous = block.previous();
        const int previousStart = previous.position();
        line = qMax(1, previous.lineCount());
        m_placer.moveCutBelowFirstLine(block);
        m_viewMoved = false;
        block = document->findBlock(previousStart);
    }
    scrollTo(block.firstLineNumber() + line, m_view.gap);
}

void LongParagraphs::caretMoved()
{
    if (leftToQt())
        return;
    // Keeps the caret off the first line of a piece (see place()).
    if (m_placing || m_restoring || m_box.isComposing() || m_placer.width() < 0 || m_placer.width() != wrapWidth())
        return;
    const QTextCursor caret = m_edit.textCursor();
    const QTextBlock block = caret.block();
    if (!continuesParagraph(block))
        return;
    // Lines not placed yet are no lines to go by; they will be placed keeping the rule. (Nothing
    // is left to place most of the time: the way to the paragraph's start is taken only if not.)
    // (Pieces placed ahead are so: the pieces before them are not all placed yet.)
    const auto ahead = m_placer.placedAhead();
    if ((ahead && ahead->first <= block.position() && block.position() <= ahead->second) ||
        (m_placer.hasWork() && !m_placer.isPlaced(m_placer.paragraphStart(block.position()), block.position()))) {
        // But from the top shown down to the caret, pieces placed ahead are lines Qt kept the
        // caret in view by, its margin rule included (see followCaretDown()).
        const int top = m_box.firstVisibleBlock().position();
        if (ahead && ahead->first <= top && block.position() <= ahead->second)
            followCaretDown();
        return;
    }
    m_edit.document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(caret.position() - block.position());
    if (line.isValid() && line.lineNumber() == 0 && layout->lineAt(0).width() == m_placer.width()) {
        m_placer.moveCutBelowFirstLine(block);
        if (m_viewMoved)
            restoreView();
    }
    followCaretDown();
}

void LongParagraphs::preparePageMove(bool down)
{
    // Page Up and Down put at the top the line Qt finds a page away, and move the caret by the
    // rows it then shows. Shown at the top, a piece's first line sits a pixel higher than the
    // same line of a whole paragraph (Qt counts the top line's offset in a block by whole pixels
    // from the end of the line before it, short of the line's height): the cut moves down first.
    if (leftToQt() || m_placing || m_box.isComposing() || m_placer.width() != wrapWidth() || !m_edit.isVisible())
        return;
    settleVisible();
    // Joining a piece changes the heights Qt sums on the way: look again until the line found
    // starts no piece.
    for (int tries = 0; tries < 4; ++tries) {
        const auto [block, line] = pageTarget(down);
        if (!block.isValid() || line != 0 || !continuesParagraph(block) ||
            !m_placer.isPlaced(block.position(), block.position()))
            return;
        m_placer.moveCutBelowFirstLine(block);
        if (m_viewMoved)
            restoreView();
    }
}

std::pair<QTextBlock, int> LongParagraphs::pageTarget(bool down) const
{
    // The line Qt puts at the top for Page Up or Down, found as it finds it
    // (QPlainTextEditPrivate::pageUpDown, Qt 6.4).
    QAbstractTextDocumentLayout *layout = m_edit.document()->documentLayout();
    QRectF visible = QRectF(m_edit.viewport()->rect()).translated(-m_box.contentOffset());
    QTextBlock block = m_box.firstVisibleBlock();
    int line = 0;
    if (down) {
        qreal h = 0;
        QRectF bounds = layout->blockBoundingRect(block);
        while (h + bounds.height() <= visible.bottom()) {
            if (!block.next().isValid())
                return {};
            h += bounds.height();
            block = block.next();
            bounds = layout->blockBoundingRect(block);
        }
        const qreal diff = visible.bottom() - h;
        const QTextLayout *lines = block.layout();
        while (line < lines->lineCount() - 1 && lines->lineAt(line).naturalTextRect().bottom() <= diff)
            ++line;
    } else {
        visible.translate(0, -visible.height());
        qreal h = 0;
        while (h >= visible.top() && block.previous().isValid()) {
            block = block.previous();
            h -= layout->blockBoundingRect(block).height();
        }
        const qreal diff = visible.top() - h;
        const QTextLayout *lines = block.layout();
        while (line < lines->lineCount() && lines->lineAt(line).naturalTextRect().top() < diff)
            ++line;
        if (line == lines->lineCount()) {
            if (block.next().isValid() && block.next() != m_box.firstVisibleBlock())
                block = block.next(), line = 0;
            else
                --line;
        }
    }
    // Qt goes no further down than the scroll bar does.
    if (const int last = m_edit.verticalScrollBar()->maximum(); block.firstLineNumber() + line > last) {
        block = m_edit.document()->findBlockByLineNumber(last);
        line = last - block.firstLineNumber();
    }
    return {block, line};
}

void LongParagraphs::followCaretDown()
{
    // Qt keeps the caret in view going down by the lines of the blocks above it, and counts the
    // document's top margin in the first block only (QPlainTextEdit::ensureCursorVisible, Qt 6.4): the first paragraph,
    // held whole, comes down a line further than its pieces when the caret ends up within that margin of the bottom:
    // after a scroll down, and where the pieces needed none but the caret's line runs past the
    // bottom (Qt looks only when the caret moved or the text changed).
    const int caret = m_edit.textCursor().position();
    const bool caretChanged = std::exchange(m_followedCaret, caret) != caret ||
                              std::exchange(m_followedChanges, m_box.changeCount()) != m_box.changeCount();
    const bool scrolledDown = std::exchange(m_scrolledDown, false);
    if (!scrolledDown && !caretChanged)
        return;
    QTextDocument *document = m_edit.document();
    const QTextBlock top = m_box.firstVisibleBlock();
    const QTextBlock caretBlock = m_edit.textCursor().block();
    if (!top.isValid() || top == document->firstBlock() || caretBlock.position() < top.position())
        return;
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    qreal below = 0;
    for (QTextBlock block = top; block != caretBlock; block = block.next()) {
        if (!continuesParagraph(block.next()))
            return; // the caret is in another paragraph
        below += layout->blockBoundingRect(block).height();
    }
    layout->blockBoundingRect(caretBlock);
    const int topLine = m_edit.verticalScrollBar()->value() - top.firstLineNumber();
    const QTextLine caretLine = caretBlock.layout()->lineForTextPosition(caret - caretBlock.position());
    if (topLine < 0 || topLine >= top.layout()->lineCount() || !caretLine.isValid())
        return;
    const qreal topLineTop = top.layout()->lineAt(topLine).naturalTextRect().top();
    const qreal distance = below + caretLine.naturalTextRect().bottom() - topLineTop;
    const qreal height = m_edit.viewport()->rect().height();
    // Where the caret's line ends on the screen: Qt scrolls when that is at the bottom or past it.
    const qreal caretBottom = below + caretLine.naturalTextRect().bottom() + m_box.contentOffset().y();
    if (!(scrolledDown || caretBottom >= height) || distance <= height - document->documentMargin() ||
        distance > height)
        return;
    // Only the first paragraph (looked at last: the way to its start may be long).
    for (QTextBlock block = top; block != document->firstBlock(); block = block.previous()) {
        if (!continuesParagraph(block))
            return;
    }
    // A line further down, come onto from above (restoreView() keeps a piece's start off it).
    noteView();
    ++m_view.line;
    m_view.gap = true;
    restoreView();
    noteView();
}

void LongParagraphs::scrollTo(int line, bool gap)
{
    // Qt scrolls by whole pixels from where it was, so the rows above the top line's text show
    // when it comes down onto the line, and not when it comes up: it comes as the view did.
    QScrollBar *bar = m_edit.verticalScrollBar();
    line = qBound(0, line, bar->maximum());
    int from = gap ? line - 1 : line + 1;
    if (from < 0 || from > bar->maximum())
        from = gap ? line + 1 : line - 1;
    m_restoring = true;
    if (from >= 0 && from <= bar->maximum()) {
        if (bar->value() == from)
            bar->setValue(line);
        bar->setValue(from);
    }
    bar->setValue(line);
    m_restoring = false;
}