#include "ui/controls/textbox/longparagraphs.h"

#include "ui/controls/textbox/textbox.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace {

// Characters laid out to find where lines wrap, since the program started.
qint64 laidOutSoFar = 0;

// A turn of the event loop spent placing pieces in the background lays out about this many
// characters at most (and stops sooner at its deadline): input and drawing come between turns.
constexpr int placingStep = 16 << 10;
// What shows is placed from where its paragraph starts only up to this far: further on, from a
// few pieces above what shows (a line starts where a piece does, and greedy wrapping from there
// meets the paragraph's own lines again within a line or two). The pieces before are placed in
// the background, as ever.
constexpr int farAhead = 16 << 10;
constexpr int leadBeforeShown = 4 << 10;

// The starts of a paragraph's lines, from a place where one starts, as the box would wrap the
// whole paragraph (as QPlainTextDocumentLayout::layoutBlock lays a block out, Qt 6.4): its
// written text laid out in windows. All lines of a window but the last are
// final, and so is where the last one starts (a word that did not fit before a window's end
// would not fit whole either); the next window starts there.
class LineWalker
{
public:
    LineWalker(const BoxText &text, int start, qreal width, const QFont &font, QPaintDevice *device,
               const QTextOption &option)
        : m_text(text)
        , m_windowStart(start)
        , m_width(width)
        , m_font(font)
        , m_device(device)
        , m_option(option)
    {
    }

    // The start of the next line; after the last line, the end of the paragraph.
    int next()
    {
        while (m_index >= m_starts.size() && !m_lastWindow)
            layOutWindow();
        if (m_index < m_starts.size())
            return m_starts.at(m_index++);
        m_atEnd = true;
        return m_paragraphEnd;
    }
    // What next() gave was the end of the paragraph.
    bool atEnd() const { return m_atEnd; }

private:
    void layOutWindow()
    {
        m_starts.clear();
        m_index = 0;
        const qsizetype available = m_text.size() - m_windowStart;
        qsizetype length = std::min<qsizetype>(m_windowSize, available);
        const qsizetype breakAt = m_text.indexOf(QChar::ParagraphSeparator, m_windowStart, m_windowStart + length);
        bool last = length == available;
        if (breakAt >= 0) {
            length = breakAt - m_windowStart;
            last = true;
        }
        laidOutSoFar += length;
        QTextLayout layout(m_text.mid(m_windowStart, length), m_font, m_device);
        layout.setTextOption(m_option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(m_width);
        }
        layout.endLayout();
        const int lines = layout.lineCount();
        if (!last && lines < 2) {
            // One line fills the window: look further.
            m_windowSize *= 2;
            return;
        }
        for (int i = 1; i < lines; ++i)
            m_starts.append(int(m_windowStart + layout.lineAt(i).textStart()));
        if (last) {
            m_paragraphEnd = int(m_windowStart + length);
            m_lastWindow = true;
        } else {
            // The window's last line starts where it should; it is laid out again, whole, next.
            m_windowStart = m_starts.last();
        }
        // Small windows: a walk told to stop soon lays out little past where it stops.
        m_windowSize = std::min<qsizetype>(m_windowSize * 2, 1 << 12);
    }

    const BoxText &m_text;
    qsizetype m_windowStart;
    qreal m_width;
    QFont m_font;
    QPaintDevice *m_device;
    QTextOption m_option;
    qsizetype m_windowSize = 512;
    QList<int> m_starts;
    qsizetype m_index = 0;
    int m_paragraphEnd = -1;
    bool m_lastWindow = false;
    bool m_atEnd = false;
};

} // namespace

LongParagraphs::LongParagraphs(TextBox *box)
    : QObject(nullptr)
    , m_box(box)
{
}

qint64 LongParagraphs::charactersLaidOut()
{
    return laidOutSoFar;
}

QList<qsizetype> LongParagraphs::provisionalCuts(QStringView paragraph)
{
    // At blanks followed by a non-blank (so no piece starts with a blank, and none is empty),
    // each piece as long as it can be up to the piece length.
    QList<qsizetype> points;
    const qsizetype size = paragraph.size();
    const qsizetype piece = longParagraphPiece();
    const auto cutsAt = [&](qsizetype i) { return paragraph[i] == u' ' && paragraph[i + 1] != u' '; };
    qsizetype start = 0;
    while (size - start > piece) {
        qsizetype cut = -1;
        for (qsizetype i = start + piece; i > start; --i) {
            if (cutsAt(i)) {
                cut = i;
                break;
            }
        }
        for (qsizetype i = start + piece + 1; cut < 0 && i + 1 < size; ++i) {
            if (cutsAt(i))
                cut = i;
        }
        if (cut < 0)
            break;
        points.append(cut);
        start = cut + 1;
    }
    return points;
}

qreal LongParagraphs::wrapWidth() const
{
    // The width Qt lays the box's lines out at, as a line it laid out has it (the viewport's less
    // the document's margins, QPlainTextDocumentLayout::layoutBlock, Qt 6.4).
    QTextDocument *document = m_box->document();
    const QTextBlock first = document->firstBlock();
    document->documentLayout()->blockBoundingRect(first);
    const QTextLine line = first.layout()->lineAt(0);
    if (!line.isValid() || m_box->lineWrapMode() == QPlainTextEdit::NoWrap || line.width() > 1e6)
        return -1;
    return line.width();
}

bool LongParagraphs::isSettled() const
{
    return m_dirty.isEmpty() || (!leftToQt() && wrapWidth() < 0);
}

bool LongParagraphs::leftToQt() const
{
    return !m_box->keepsOwnHistory();
}

void LongParagraphs::historyLeftToQt()
{
    // A text set anew: only a paragraph too long for Qt is any work.
    m_dirty.clear();
    m_aheadFrom = QTextCursor();
    const int threshold = longParagraphThreshold();
    for (QTextBlock block = m_box->document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block.length() - 1 > threshold)
            addDirty(block.position(), block.position(), block.position(), true);
    }
    if (!m_dirty.isEmpty())
        schedulePlacingAfterChange();
}

bool LongParagraphs::mayPlace()
{
    // Left to Qt, the box cuts only a paragraph grown too long for Qt, and takes the history
    // over first.
    if (!leftToQt())
        return true;
    if (m_dirty.isEmpty())
        return false;
    m_box->takeOverHistory();
    return true;
}

void LongParagraphs::historyTakenOver()
{
    // Everything is placed as after a change of width.
    m_dirty.clear();
    m_aheadFrom = QTextCursor();
    m_width = -1;
    geometryChanged();
}

void LongParagraphs::widthChanging(qreal width)
{
    if (leftToQt())
        return;
    // Qt keeps its top line in range as it lays the box out anew: no scroll of the user's.
    m_resizing = true;
    // What shows now, as laid out for the old width, is what shows after.
    if (width > 0 && width != m_width && m_width > 0)
        viewWillMove();
    if (width <= 0 || width == m_width || m_box->lineWrapMode() == QPlainTextEdit::NoWrap)
        return;
    m_width = width;
    m_font = m_box->document()->defaultFont();
    markAllAnew();
    // A short text is placed at once, before Qt lays it out at the new width: whether the box needs
    // a scroll bar (and so how wide it is) then comes out as for whole paragraphs. A long one
    // needs one anyway; its pieces are placed where they show, then in the background.
    if (m_box->document()->characterCount() > 1 << 16) {
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
    const QFont font = m_box->document()->defaultFont();
    if (width == m_width && font == m_font) {
        restoreLineCounts();
        if (m_viewMoved)
            restoreView();
        return;
    }
    m_width = width;
    m_font = font;
    if (width < 0)
        return;
    markAllAnew();
    // Not from within the resize: Qt is still adjusting the box. Before it draws, though.
    QMetaObject::invokeMethod(this, &LongParagraphs::settleVisible, Qt::QueuedConnection);
}

void LongParagraphs::restoreLineCounts()
{
    if (m_linesForNewWidth.isEmpty())
        return;
    QTextDocument *document = m_box->document();
    for (const auto &[start, lines] : std::exchange(m_linesForNewWidth, {})) {
        QTextBlock block = document->findBlock(start);
        if (block.position() == start && block.layout()->lineCount() == 0)
            block.setLineCount(lines);
    }
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    emit layout->documentSizeChanged(layout->documentSize());
}

void LongParagraphs::markAllAnew()
{
    m_dirty.clear();
    m_aheadFrom = QTextCursor();
    const int threshold = longParagraphThreshold();
    for (QTextBlock block = m_box->document()->firstBlock(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            continue;
        const QTextBlock next = block.next();
        if (block.length() - 1 > threshold || (next.isValid() && continuesParagraph(next)))
            addDirty(block.position(), block.position(), block.position(), true);
    }
}

void LongParagraphs::addDirty(int from, int changedFrom, int changedTo, bool wholeParagraph)
{
    QTextDocument *document = m_box->document();
    Dirty dirty{QTextCursor(document), QTextCursor(document), QTextCursor(document), wholeParagraph};
    dirty.from.setPosition(from);
    dirty.changedFrom.setPosition(changedFrom);
    dirty.changedTo.setPosition(qMin(changedTo, document->characterCount() - 1));
    // Kept in document order; the same place once.
    auto at = std::find_if(m_dirty.begin(), m_dirty.end(),
                           [from](const Dirty &other) { return other.from.position() >= from; });
    if (at != m_dirty.end() && at->from.position() == from) {
        at->changedFrom.setPosition(qMin(at->changedFrom.position(), dirty.changedFrom.position()));
        at->changedTo.setPosition(qMax(at->changedTo.position(), dirty.changedTo.position()));
        at->wholeParagraph = at->wholeParagraph || wholeParagraph;
        return;
    }
    m_dirty.insert(at, dirty);
}

bool LongParagraphs::isPlaced(int paragraphStart, int upTo) const
{
    // The pieces left to place start where a change starts, and go on over every paragraph the
    // change reaches.
    return std::none_of(m_dirty.cbegin(), m_dirty.cend(), [&](const Dirty &dirty) {
        const int from = dirty.from.position();
        return from <= upTo && (from >= paragraphStart || dirty.changedTo.position() >= paragraphStart);
    });
}

void LongParagraphs::textChanged(int position, int end, int paragraphsAdded)
{
    if (leftToQt()) {
        // Qt holds every paragraph whole, until one grows too long for it: the box then takes
        // the history over and cuts it, before the next turn of the event loop. (Lines that do
        // not wrap give no place to cut at.)
        if (m_box->lineWrapMode() == QPlainTextEdit::NoWrap)
            return;
        const int threshold = longParagraphThreshold();
        for (QTextBlock block = m_box->document()->findBlock(position); block.isValid() && block.position() <= end;
             block = block.next()) {
            if (block.length() - 1 > threshold) {
                addDirty(block.position(), block.position(), block.position(), true);
                schedulePlacingAfterChange();
                break;
            }
        }
        return;
    }
    // Qt keeps the top shown as a block's number and a line in it: for a paragraph, the box
    // keeps the paragraph's number and the line in it, whatever the edit above it did.
    const QTextBlock top = m_box->firstVisibleBlock();
    if (m_box->isVisible() && top.isValid() && position < top.position()) {
        viewWillMove();
        if (!m_view.paragraph.isNull() && position < m_view.paragraph.position() && paragraphsAdded != 0) {
            QTextBlock paragraph = m_box->document()->findBlock(m_view.paragraph.position());
            for (int moved = 0; paragraph.isValid() && moved != paragraphsAdded;) {
                paragraph = paragraphsAdded > 0 ? paragraph.previous() : paragraph.next();
                if (paragraph.isValid() && !continuesParagraph(paragraph))
                    moved += paragraphsAdded > 0 ? 1 : -1;
            }
            if (paragraph.isValid())
                m_view.paragraph.setPosition(paragraph.position());
        }
    }
    // A change can let the first word of a line go back to the line before, which may be the
    // last line of the piece before: the work starts there.
    QTextBlock block = m_box->document()->findBlock(position);
    if (continuesParagraph(block))
        block = block.previous();
    addDirty(block.position(), position, end, false);
    if (m_width < 0 || m_width != wrapWidth()) {
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
    const QFontMetricsF metrics(m_box->document()->defaultFont());
    qreal narrowest = metrics.horizontalAdvance(u' ');
    for (char16_t c = u'!'; c <= u'~'; ++c)
        narrowest = qMin(narrowest, metrics.horizontalAdvance(QChar(c)));
    const int perLine = int(qMax<qreal>(m_width, 1) / qMax<qreal>(narrowest, 1)) + 1;
    const int lineHeight = qMax(1, m_box->fontMetrics().lineSpacing());
    const int wanted = 2 * (m_box->viewport()->height() / lineHeight + 1);
    int lines = 0;
    QTextBlock block = m_box->firstVisibleBlock();
    while (block.isValid() && lines < wanted) {
        const QTextLayout *layout = block.layout();
        const bool laidOut = layout->lineCount() > 0 && layout->lineAt(0).width() == m_width;
        const int blockLines = laidOut ? layout->lineCount() : qMax(1, (block.length() - 1) / perLine);
        if (!laidOut && lines + blockLines > wanted)
            return block.position() + (wanted - lines) * perLine;
        lines += blockLines;
        block = block.next();
    }
    return block.isValid() ? block.position() : m_box->document()->characterCount();
}

void LongParagraphs::settleVisible()
{
    if (!mayPlace() || m_placing || m_dirty.isEmpty() || wrapWidth() < 0)
        return;
    settle(visibleLimit(), 0, true);
}

void LongParagraphs::settleThrough(int position)
{
    // What shows and the lines up to `position`: Qt keeps a caret there in view by them.
    if (leftToQt() || m_placing || m_dirty.isEmpty() || wrapWidth() < 0)
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
    m_changesWhenQueued = m_box->m_changes;
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
        if (m_box->m_changes != m_changesWhenQueued)
            scheduleBackground();
        else
            settleInBackground();
        return true;
    }
    if (event->type() != PlaceAfterChange)
        return QObject::event(event);
    m_changePlacingQueued = false;
    settleVisible();
    if (!m_dirty.isEmpty())
        scheduleBackground();
    return true;
}

void LongParagraphs::settleInBackground()
{
    // Short of the 8 ms a turn may spend placing: the deadline is looked at between pieces, and
    // the cuts are applied after it.
    if (leftToQt() || m_placing || m_dirty.isEmpty() || wrapWidth() < 0)
        return;
    settle(std::numeric_limits<int>::max(), 5, false);
}

void LongParagraphs::settle(int limit, int budgetMs, bool shownFirst)
{
    if (m_box->m_composing)
        return; // the input method's text shows in its block: the cuts wait for it
    // A long paragraph is placed piece by piece: the budget holds within it too.
    const QDeadlineTimer deadline = budgetMs > 0 ? QDeadlineTimer(budgetMs) : QDeadlineTimer(QDeadlineTimer::Forever);
    // Where the top line shown starts, as Qt has laid it out.
    m_avoid = -1;
    if (const QTextBlock top = m_box->firstVisibleBlock(); top.isValid() && m_box->isVisible()) {
        const int topLine = m_box->verticalScrollBar()->value() - top.firstLineNumber();
        const QTextLayout *layout = top.layout();
        if (topLine > 0 && topLine < layout->lineCount() && layout->lineAt(0).width() == m_width)
            m_avoid = top.position() + layout->lineAt(topLine).textStart();
    }
    // Paragraphs wholly above the one shown at the top are left for later: they do not show.
    int topParagraph = 0;
    int topPosition = 0;
    if (shownFirst) {
        QTextBlock top = m_box->firstVisibleBlock();
        topPosition = top.isValid() ? top.position() : 0;
        while (top.isValid() && continuesParagraph(top))
            top = top.previous();
        topParagraph = top.isValid() ? top.position() : 0;
    }
    // In the background, a turn stops at about a step's worth of characters laid out too: the
    // deadline alone would let a slow machine's turn run on over one long window.
    const qint64 laidOutBefore = laidOutSoFar;
    const auto turnSpent = [&] {
        return deadline.hasExpired() || (budgetMs > 0 && laidOutSoFar - laidOutBefore >= placingStep);
    };
    bool placedAhead = false;
    bool caretShown = false;
    qsizetype index = 0;
    while (index < m_dirty.size()) {
        Dirty &dirty = m_dirty[index];
        const int from = dirty.from.position();
        if (from > limit)
            break;
        if (from < topParagraph) {
            ++index;
            continue;
        }
        if (shownFirst && topPosition - from > farAhead) {
            // Qt kept the caret in view by lines that were guesses: it is kept in view by the
            // placed ones.
            caretShown = caretShown || (m_box->isVisible() && m_box->viewport()->rect().contains(m_box->cursorRect()));
            placedAhead = placeAhead(from, topPosition, limit) || placedAhead;
            ++index;
            continue;
        }
        const int changedTo = dirty.wholeParagraph ? std::numeric_limits<int>::max() : dirty.changedTo.position();
        const int next =
            place(from, dirty.wholeParagraph ? from : dirty.changedFrom.position(), changedTo, limit, turnSpent);
        if (next < 0 || next <= from)
            m_dirty.removeAt(index);
        else
            dirty.from.setPosition(next);
        if (turnSpent())
            break;
    }
    if (m_viewMoved && !m_keepView)
        restoreView();
    if (placedAhead && caretShown && !m_viewMoved)
        m_box->ensureCursorVisible();
    // What is left goes on while the program is idle.
    if (!m_dirty.isEmpty())
        scheduleBackground();
}

bool LongParagraphs::placeAhead(int from, int topPosition, int limit)
{
    // Placed ahead already, and not changed since: the pieces there stay as they are.
    if (!m_aheadFrom.isNull() && from < m_aheadFrom.position() && m_aheadFrom.position() <= topPosition &&
        limit <= m_aheadTo.position())
        return false;
    // A few pieces above what shows, within the paragraph.
    QTextBlock start = m_box->document()->findBlock(topPosition);
    while (start.position() > from && topPosition - start.position() < leadBeforeShown && continuesParagraph(start))
        start = start.previous();
    const int startPosition = start.position();
    const bool extends =
        !m_aheadFrom.isNull() && m_aheadFrom.position() <= startPosition && startPosition <= m_aheadTo.position();
    if (!extends) {
        m_aheadFrom = QTextCursor(m_box->document());
        m_aheadFrom.setPosition(startPosition);
        m_aheadTo = QTextCursor(m_box->document());
    }
    // Known before the cuts move, so that the view is kept by them.
    m_aheadTo.setPosition(qMin(limit, m_box->document()->characterCount() - 1));
    const int next = place(startPosition, startPosition, std::numeric_limits<int>::max(), limit, [] { return false; });
    m_aheadTo.setPosition(qMin(next < 0 ? limit : next, m_box->document()->characterCount() - 1));
    return true;
}

int LongParagraphs::place(int from, int changedFrom, int changedTo, int limit, const std::function<bool()> &turnSpent)
{
    QTextDocument *document = m_box->document();
    const BoxText &text = m_box->m_text;
    const int piece = longParagraphPiece();
    const int threshold = longParagraphThreshold();
    const int shortest = qMax(1, piece / 2);
    const int longest = 2 * piece;
    QTextBlock block = document->findBlock(from);
    int pieceStart = block.position();
    QTextBlock next = block.next();
    const auto cutAhead = [&] { return next.isValid() && continuesParagraph(next) ? next.position() - 1 : -1; };
    // Cuts the change made (text put in is cut before its lines are known) are no place to keep.
    const auto madeByChange = [&](int cut) { return cut >= changedFrom && cut < changedTo; };

    // Paragraphs short enough to stay whole, and whole: nothing to do there. They are passed
    // over here, not one call each: the caller's cursor lays out the block it is moved to.
    while (!continuesParagraph(block) && cutAhead() < 0 && block.length() - 1 <= threshold) {
        const int end = pieceStart + block.length();
        if (!next.isValid() || end > changedTo)
            return -1;
        if (end > limit)
            return end;
        block = next;
        next = block.next();
        pieceStart = block.position();
    }

    // A cut paragraph Qt may hold whole again is one block again.
    if (const auto [start, end] = paragraphAround(document, block.position(), threshold + 1); end - start <= threshold)
        return joinParagraph(start, end, changedTo);

    // Qt has laid this piece out already (it was just edited, or it shows): its lines but the
    // last are the paragraph's, and the walk starts at the last.
    QList<int> laidOut;
    int walkFrom = pieceStart;
    // (Not while Qt is about to lay it out at a new width.)
    if (const QTextLayout *layout = block.layout();
        layout->lineCount() > 1 && layout->lineAt(0).width() == m_width && layout->preeditAreaText().isEmpty()) {
        for (int i = 1; i < layout->lineCount(); ++i)
            laidOut.append(pieceStart + layout->lineAt(i).textStart());
        walkFrom = laidOut.last();
    }
    LineWalker lines(text, walkFrom, m_width, m_font, document->documentLayout()->paintDevice(),
                     document->defaultTextOption());
    qsizetype nextLaidOut = 0;
    // The start of each line, and whether it is the paragraph's end; one line is looked ahead.
    std::optional<std::pair<int, bool>> ahead;
    const auto nextLine = [&] {
        if (ahead)
            return *std::exchange(ahead, std::nullopt);
        const int start = nextLaidOut < laidOut.size() ? laidOut.at(nextLaidOut++) : lines.next();
        return std::pair(start, nextLaidOut >= laidOut.size() && lines.atEnd());
    };
    const auto lineAfter = [&] {
        if (!ahead)
            ahead = nextLine();
        return *ahead;
    };
    // A piece does not start at the line the caret is on: Qt lays the edited piece out and keeps
    // the caret in view before the box moves its cuts, and a piece's first line may then still
    // belong to the line before. Nor at the top line shown (see restoreView()).
    const int caret = m_box->textCursor().position();
    // Qt lays a block out in the direction of its first letter that has one (left to right if
    // none): a piece must start where that is the paragraph's, the direction of the piece this
    // walk starts in.
    const bool rightToLeft = block.textDirection() == Qt::RightToLeft;
    const auto sameDirection = [&](int lineStart) {
        const qsizetype end = qMin(text.size(), qsizetype(lineStart) + longest);
        for (qsizetype i = lineStart; i < end && text.at(i) != QChar::ParagraphSeparator; ++i) {
            switch (text.at(i).direction()) {
            case QChar::DirL:
                return !rightToLeft;
            case QChar::DirR:
            case QChar::DirAL:
                return rightToLeft;
            default:
                break;
            }
        }
        return !rightToLeft;
    };
    const auto mayStartPiece = [&](int lineStart) {
        if (lineStart == m_avoid || !sameDirection(lineStart))
            return false;
        const auto [after, end] = lineAfter();
        return caret < lineStart || caret > after || (caret == after && !end);
    };

    QList<int> removed;
    QList<int> added;
    QList<std::pair<int, int>> lineCounts;
    int stop = -1;
    int lineCount = 0;
    for (;;) {
        const auto [lineStart, end] = nextLine();
        ++lineCount;
        int cut = cutAhead();
        // Old cuts this line runs over: no line starts there any more.
        while (cut >= 0 && (cut + 1 < lineStart || (end && cut + 1 <= lineStart))) {
            removed.append(cut);
            next = next.next();
            cut = cutAhead();
        }
        if (end) {
            lineCounts.append({pieceStart, lineCount});
            // An edit that goes on into the next paragraph goes on here.
            if (lineStart < changedTo && lineStart + 1 < document->characterCount())
                stop = lineStart + 1;
            break;
        }
        const int length = lineStart - pieceStart;
        if (cut + 1 == lineStart) {
            if (length >= (madeByChange(cut) ? piece : shortest) && mayStartPiece(lineStart)) {
                lineCounts.append({pieceStart, lineCount});
                pieceStart = lineStart;
                lineCount = 0;
                next = next.next();
                if (lineStart > changedTo)
                    break; // from here on, everything is as it was
                if (lineStart > limit || turnSpent()) {
                    stop = lineStart;
                    break;
                }
                continue;
            }
            removed.append(cut);
            next = next.next();
            cut = cutAhead();
        }
        // After an edit, a cut where it was, within reach, is better kept than another made
        // before it: only the pieces the edit changed are laid out again.
        const bool keepLooking = cut >= 0 && !madeByChange(cut) && cut + 1 - pieceStart <= longest;
        if (!keepLooking && length >= piece && text.at(lineStart - 1) == u' ' && mayStartPiece(lineStart)) {
            added.append(lineStart - 1);
            lineCounts.append({pieceStart, lineCount});
            pieceStart = lineStart;
            lineCount = 0;
            if (lineStart > limit || turnSpent()) {
                stop = lineStart;
                break;
            }
        }
    }
    applyCuts(removed, added, lineCounts);
    return stop;
}

int LongParagraphs::joinParagraph(int start, int end, int changedTo)
{
    QTextDocument *document = m_box->document();
    QList<int> removed;
    for (QTextBlock block = document->findBlock(start).next(); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (continuesParagraph(block))
            removed.append(block.position() - 1);
    }
    // Its lines, for the scroll bar, until Qt lays it out.
    LineWalker lines(m_box->m_text, start, m_width, m_font, document->documentLayout()->paintDevice(),
                     document->defaultTextOption());
    int lineCount = 1;
    while (lines.next() < end && !lines.atEnd())
        ++lineCount;
    applyCuts(removed, {}, {{start, lineCount}});
    // An edit that goes on into the next paragraph goes on there.
    return end < changedTo && end + 1 < document->characterCount() ? end + 1 : -1;
}

void LongParagraphs::applyCuts(const QList<int> &removed, const QList<int> &added,
                               const QList<std::pair<int, int>> &lineCounts)
{
    QTextDocument *document = m_box->document();
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    bool countsChanged = false;
    if (m_keepView)
        m_linesForNewWidth.append(lineCounts);
    const auto setLineCounts = [&] {
        // Pieces Qt has not laid out yet count the lines they will have: the scroll bar is right.
        for (const auto &[start, lines] : lineCounts) {
            QTextBlock block = document->findBlock(start);
            if (block.position() == start && block.layout()->lineCount() == 0 && block.lineCount() != lines) {
                block.setLineCount(lines);
                countsChanged = true;
            }
        }
    };
    if (removed.isEmpty() && added.isEmpty()) {
        setLineCounts();
        if (countsChanged)
            emit layout->documentSizeChanged(layout->documentSize());
        return;
    }

    m_placing = true;
    const QTextBlock top = m_box->firstVisibleBlock();
    const int first = std::min(removed.isEmpty() ? INT_MAX : *std::min_element(removed.begin(), removed.end()),
                               added.isEmpty() ? INT_MAX : *std::min_element(added.begin(), added.end()));
    const int last = std::max(removed.isEmpty() ? -1 : *std::max_element(removed.begin(), removed.end()),
                              added.isEmpty() ? -1 : *std::max_element(added.begin(), added.end()));
    // Qt keeps the top shown as a block's number and a line in it: cuts above it move what it
    // shows, which is put back afterwards.
    if (m_box->isVisible() && top.isValid() && first < top.position() + top.length())
        viewWillMove();
    // Where what shows ends. Qt draws the whole box again for any change of blocks
    // (QPlainTextDocumentLayout::documentChanged, Qt 6.4): cuts below what shows change nothing
    // there, and are placed without drawing it again.
    int shownEnd = INT_MAX;
    if (m_box->isVisible() && top.isValid()) {
        qreal y = m_box->contentOffset().y();
        for (QTextBlock block = top; block.isValid() && y < m_box->viewport()->height(); block = block.next()) {
            y += layout->blockBoundingRect(block).height();
            shownEnd = block.position() + block.length();
        }
    }
    const QTextCursor caret = m_box->textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();
    {
        // No character changes: nobody is told of an edit, and the modified state stays.
        const QSignalBlocker quiet(document);
        const QSignalBlocker quietLayout(layout);
        const bool modified = document->isModified();
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        for (const int cut : removed) {
            cursor.setPosition(cut);
            cursor.setPosition(cut + 1, QTextCursor::KeepAnchor);
            cursor.insertText(QStringLiteral(" "));
        }
        for (const int cut : added) {
            cursor.setPosition(cut);
            cursor.setPosition(cut + 1, QTextCursor::KeepAnchor);
            cursor.insertBlock();
        }
        cursor.endEditBlock();
        document->setModified(modified);
    }
    // What Qt says of a change of blocks, but the drawing only where it shows.
    emit layout->documentSizeChanged(layout->documentSize());
    if (first < shownEnd)
        emit layout->update();
    // Qt keeps a block's data with the first part of a split and the last part of a join: the
    // marks follow the written text, where a soft break is a blank.
    const BoxText &text = m_box->m_text;
    for (QTextBlock block = document->findBlock(first); block.isValid() && block.position() <= last + 1;
         block = block.next())
        markBreakBefore(block, block.position() > 0 && text.at(block.position() - 1) == u' ');
    setLineCounts();
    if (m_box->textCursor().anchor() != anchor || m_box->textCursor().position() != position) {
        QTextCursor restored(document);
        restored.setPosition(anchor);
        restored.setPosition(position, QTextCursor::KeepAnchor);
        // Up and Down keep going for the place along the line they started from.
        restored.setVerticalMovementX(caret.verticalMovementX());
        m_box->setTextCursor(restored);
    }
    // Where the scroll bar ends depends on the lines at the bottom, whatever their count.
    emit layout->documentSizeChanged(layout->documentSize());
    m_placing = false;
}

void LongParagraphs::scrolled(int fromLine, int toLine)
{
    if (leftToQt())
        return;
    // Qt scrolls too while it lays the box out for a new width: the old view is kept then.
    if (m_restoring || m_placing || m_resizing || fromLine == toLine || wrapWidth() != m_width)
        return;
    m_downwards = toLine > fromLine;
    if (m_downwards && !std::exchange(m_scrolledDown, true))
        QMetaObject::invokeMethod(
            this, [this] { m_scrolledDown = false; }, Qt::QueuedConnection);
    noteView();
    const QTextBlock top = m_box->firstVisibleBlock();
    // Come down onto the first line of a piece: a whole paragraph would show its text a row lower.
    const bool pieceStartOnTop =
        m_view.gap && continuesParagraph(top) && m_box->verticalScrollBar()->value() == top.firstLineNumber();
    if (pieceStartOnTop || !m_dirty.isEmpty())
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
    m_box->document()->documentLayout()->blockBoundingRect(previous);
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
    if (!m_viewNoted || (m_view.paragraph.isNull() && !m_aheadFrom.isNull()))
        noteView();
    m_viewMoved = true;
}

void LongParagraphs::noteView()
{
    m_viewNoted = true;
    const bool downwards = m_downwards;
    const QTextBlock top = m_box->firstVisibleBlock();
    if (!top.isValid())
        return;
    const int value = m_box->verticalScrollBar()->value();
    const int topLine = qMax(0, value - top.firstLineNumber());
    QTextBlock paragraph = top;
    int line = topLine;
    // Placed ahead of the pieces before it, what shows is kept by where those placed pieces start.
    const int aheadFrom = m_aheadFrom.isNull() ? -1 : m_aheadFrom.position();
    const bool inAhead = aheadFrom >= 0 && aheadFrom <= top.position() && top.position() <= m_aheadTo.position();
    while (continuesParagraph(paragraph) && paragraph.previous().isValid() &&
           !(inAhead && paragraph.position() <= aheadFrom)) {
        paragraph = paragraph.previous();
        line += paragraph.lineCount();
    }
    m_view.ahead = inAhead && paragraph.position() == aheadFrom && continuesParagraph(paragraph) &&
                   !isPlaced(paragraphAround(m_box->document(), paragraph.position()).first, top.position());
    // Lines of pieces not placed yet are guesses: then only the line number is known.
    const bool placed = m_view.ahead || isPlaced(paragraph.position(), top.position());
    int keptAt = paragraph.position();
    if (m_view.ahead && !m_placing) {
        // Shown on pieces placed ahead, the view is kept by where its top line starts: lines
        // wrapped from another start need not meet the paragraph's soon (in a text that repeats,
        // never), so their count is no place to keep. (While they are being placed, what shows
        // is not placed yet: only its lines count.)
        m_box->document()->documentLayout()->blockBoundingRect(top);
        if (const QTextLine shown = top.layout()->lineAt(topLine); shown.isValid()) {
            keptAt = top.position() + shown.textStart();
            line = 0;
        }
    }
    m_view.paragraph = placed ? QTextCursor(m_box->document()) : QTextCursor();
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
        m_box->document()->documentLayout()->blockBoundingRect(top);
        const QTextLine before = top.layout()->lineAt(topLine - 1);
        m_view.gap = before.isValid() && -m_box->contentOffset().y() < before.naturalTextRect().bottom() - 1e-6;
    }
}

void LongParagraphs::restoreView()
{
    m_viewMoved = false;
    if (!m_box->isVisible())
        return;
    QTextDocument *document = m_box->document();
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
        moveCutBelowFirstLine(block);
        m_viewMoved = false;
        block = document->findBlock(previousStart);
    }
    scrollTo(block.firstLineNumber() + line, m_view.gap);
}

void LongParagraphs::moveCutBelowFirstLine(const QTextBlock &block)
{
    // To the start of the next line after a blank, or away: the first line joins the piece before.
    m_box->document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    const QTextBlock previous = block.previous();
    int cut = -1;
    int linesMoved = layout->lineCount();
    for (int i = 1; i < layout->lineCount() && cut < 0; ++i) {
        const int start = block.position() + layout->lineAt(i).textStart();
        if (m_box->m_text.at(start - 1) == u' ') {
            cut = start - 1;
            linesMoved = i;
        }
    }
    QList<std::pair<int, int>> lineCounts{{previous.position(), qMax(1, previous.lineCount()) + linesMoved}};
    if (cut >= 0)
        lineCounts.append({cut + 1, layout->lineCount() - linesMoved});
    applyCuts({block.position() - 1}, cut >= 0 ? QList<int>{cut} : QList<int>{}, lineCounts);
}

void LongParagraphs::caretMoved()
{
    if (leftToQt())
        return;
    // Keeps the caret off the first line of a piece (see place()).
    if (m_placing || m_restoring || m_box->m_composing || m_width < 0 || m_width != wrapWidth())
        return;
    const QTextCursor caret = m_box->textCursor();
    const QTextBlock block = caret.block();
    if (!continuesParagraph(block))
        return;
    // Lines not placed yet are no lines to go by; they will be placed keeping the rule. (Nothing
    // is left to place most of the time: the way to the paragraph's start is taken only if not.)
    if (!m_dirty.isEmpty() && !isPlaced(paragraphAround(m_box->document(), block.position()).first, block.position())) {
        // But from the top shown down to the caret, pieces placed ahead are lines Qt kept the
        // caret in view by, its margin rule included (see followCaretDown()).
        const int top = m_box->firstVisibleBlock().position();
        if (!m_aheadFrom.isNull() && m_aheadFrom.position() <= top && block.position() <= m_aheadTo.position())
            followCaretDown();
        return;
    }
    m_box->document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(caret.position() - block.position());
    if (line.isValid() && line.lineNumber() == 0 && layout->lineAt(0).width() == m_width) {
        moveCutBelowFirstLine(block);
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
    if (leftToQt() || m_placing || m_box->m_composing || m_width != wrapWidth() || !m_box->isVisible())
        return;
    settleVisible();
    // Joining a piece changes the heights Qt sums on the way: look again until the line found
    // starts no piece.
    for (int tries = 0; tries < 4; ++tries) {
        const auto [block, line] = pageTarget(down);
        if (!block.isValid() || line != 0 || !continuesParagraph(block) ||
            !isPlaced(block.position(), block.position()))
            return;
        moveCutBelowFirstLine(block);
        if (m_viewMoved)
            restoreView();
    }
}

std::pair<QTextBlock, int> LongParagraphs::pageTarget(bool down) const
{
    // The line Qt puts at the top for Page Up or Down, found as it finds it
    // (QPlainTextEditPrivate::pageUpDown, Qt 6.4).
    QAbstractTextDocumentLayout *layout = m_box->document()->documentLayout();
    QRectF visible = QRectF(m_box->viewport()->rect()).translated(-m_box->contentOffset());
    QTextBlock block = m_box->firstVisibleBlock();
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
            if (block.next().isValid() && block.next() != m_box->firstVisibleBlock())
                block = block.next(), line = 0;
            else
                --line;
        }
    }
    // Qt goes no further down than the scroll bar does.
    if (const int last = m_box->verticalScrollBar()->maximum(); block.firstLineNumber() + line > last) {
        block = m_box->document()->findBlockByLineNumber(last);
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
    const int caret = m_box->textCursor().position();
    const bool caretChanged = std::exchange(m_followedCaret, caret) != caret ||
                              std::exchange(m_followedChanges, m_box->m_changes) != m_box->m_changes;
    const bool scrolledDown = std::exchange(m_scrolledDown, false);
    if (!scrolledDown && !caretChanged)
        return;
    QTextDocument *document = m_box->document();
    const QTextBlock top = m_box->firstVisibleBlock();
    const QTextBlock caretBlock = m_box->textCursor().block();
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
    const int topLine = m_box->verticalScrollBar()->value() - top.firstLineNumber();
    const QTextLine caretLine = caretBlock.layout()->lineForTextPosition(caret - caretBlock.position());
    if (topLine < 0 || topLine >= top.layout()->lineCount() || !caretLine.isValid())
        return;
    const qreal topLineTop = top.layout()->lineAt(topLine).naturalTextRect().top();
    const qreal distance = below + caretLine.naturalTextRect().bottom() - topLineTop;
    const qreal height = m_box->viewport()->rect().height();
    // Where the caret's line ends on the screen: Qt scrolls when that is at the bottom or past it.
    const qreal caretBottom = below + caretLine.naturalTextRect().bottom() + m_box->contentOffset().y();
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
    QScrollBar *bar = m_box->verticalScrollBar();
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