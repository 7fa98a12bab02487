#include "ui/controls/textbox/cutplacer.h"

#include "ui/controls/textbox/softbreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace {

int pieceLength = 512;
// A key into a paragraph this long costs Qt about 6 ms (bench_textbox); every text the program's
// fields were ever meant to hold stays within it.
int paragraphThreshold = 32768;

// Characters laid out to find where lines wrap, since the program started.
qint64 laidOutSoFar = 0;

// What shows is placed from where its paragraph starts only up to this far: further on, from a
// few pieces above what shows (a line starts where a piece does, and greedy wrapping from there
// meets the paragraph's own lines again within a line or two). The pieces before are placed
// later, as ever.
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

int longParagraphThreshold()
{
    return paragraphThreshold;
}

void setLongParagraphThreshold(int characters)
{
    paragraphThreshold = qMax(characters, 2);
}

int longParagraphPiece()
{
    return pieceLength;
}

void setLongParagraphPiece(int characters)
{
    pieceLength = qMax(characters, 2);
}

CutPlacer::CutPlacer(QTextDocument *document, const BoxText &text)
    : m_document(document)
    , m_text(text)
    , m_apply([this](const Cuts &cuts) { applyToDocument(cuts); })
{
}

qint64 CutPlacer::charactersLaidOut()
{
    return laidOutSoFar;
}

QList<qsizetype> CutPlacer::provisionalCuts(QStringView paragraph)
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

void CutPlacer::setLayout(qreal width, const QFont &font)
{
    m_width = width;
    m_font = font;
}

void CutPlacer::clear()
{
    m_dirty.clear();
    m_aheadFrom = QTextCursor();
    m_knownStart = m_knownTo = -1;
}

void CutPlacer::markAll()
{
    clear();
    const int threshold = longParagraphThreshold();
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            continue;
        const QTextBlock next = block.next();
        if (block.length() - 1 > threshold || (next.isValid() && continuesParagraph(next)))
            addDirty(block.position(), block.position(), block.position(), true);
    }
}

void CutPlacer::markTooLong()
{
    clear();
    const int threshold = longParagraphThreshold();
    for (QTextBlock block = m_document->firstBlock(); block.isValid(); block = block.next()) {
        if (block.length() - 1 > threshold)
            markParagraph(block.position());
    }
}

void CutPlacer::markParagraph(int start)
{
    m_knownStart = m_knownTo = -1;
    addDirty(start, start, start, true);
}

void CutPlacer::markChanged(int position, int end)
{
    if (position <= m_knownTo)
        m_knownStart = m_knownTo = -1;
    // A change can let the first word of a line go back to the line before, which may be the
    // last line of the piece before: the work starts there.
    QTextBlock block = m_document->findBlock(position);
    if (continuesParagraph(block))
        block = block.previous();
    addDirty(block.position(), position, end, false);
}

void CutPlacer::addDirty(int from, int changedFrom, int changedTo, bool wholeParagraph)
{
    Dirty dirty{QTextCursor(m_document), QTextCursor(m_document), QTextCursor(m_document), wholeParagraph};
    dirty.from.setPosition(from);
    dirty.changedFrom.setPosition(changedFrom);
    dirty.changedTo.setPosition(qMin(changedTo, m_document->characterCount() - 1));
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

int CutPlacer::paragraphStart(int position)
{
    // Far into a paragraph of many pieces, the way back to its start is long; the program asks
    // for it at every key and every placing turn, mostly about what shows. So what a walk found is
    // kept, and a walk from further on stops where the known part begins.
    if (m_knownStart >= 0 && m_knownStart <= position && position <= m_knownTo)
        return m_knownStart;
    const bool onwards = m_knownStart >= 0 && position > m_knownTo;
    QTextBlock block = m_document->findBlock(position);
    while (continuesParagraph(block) && !(onwards && block.position() <= m_knownTo))
        block = block.previous();
    if (!onwards || block.position() > m_knownTo)
        m_knownStart = block.position();
    m_knownTo = position;
    return m_knownStart;
}

bool CutPlacer::isPlaced(int paragraphStart, int upTo) const
{
    // The pieces left to place start where a change starts, and go on over every paragraph the
    // change reaches.
    return std::none_of(m_dirty.cbegin(), m_dirty.cend(), [&](const Dirty &dirty) {
        const int from = dirty.from.position();
        return from <= upTo && (from >= paragraphStart || dirty.changedTo.position() >= paragraphStart);
    });
}

std::optional<std::pair<int, int>> CutPlacer::placedAhead() const
{
    if (m_aheadFrom.isNull())
        return std::nullopt;
    return std::pair(m_aheadFrom.position(), m_aheadTo.position());
}

bool CutPlacer::place(const Turn &turn)
{
    // Paragraphs wholly above the one shown at the top are left for later: they do not show.
    const int topParagraph = turn.shownFrom >= 0 ? paragraphStart(turn.shownFrom) : 0;
    bool placedAhead = false;
    qsizetype index = 0;
    while (index < m_dirty.size()) {
        Dirty &dirty = m_dirty[index];
        const int from = dirty.from.position();
        if (from > turn.limit)
            break;
        if (from < topParagraph) {
            ++index;
            continue;
        }
        if (turn.shownFrom >= 0 && turn.shownFrom - from > farAhead) {
            if (turn.beforeAhead)
                turn.beforeAhead();
            placedAhead = placeAhead(from, turn) || placedAhead;
            ++index;
            continue;
        }
        const int changedTo = dirty.wholeParagraph ? std::numeric_limits<int>::max() : dirty.changedTo.position();
        m_placedTo = -1;
        // Come to pieces placed ahead, the placing goes on over all of them in the one turn (if
        // they are few): the view on them is kept by them until then, and by the paragraph's
        // lines after. Half over them, it would be kept by neither.
        Turn through = turn;
        if (turn.spent && !m_aheadFrom.isNull() && from <= m_aheadFrom.position() &&
            m_aheadTo.position() - m_aheadFrom.position() <= farAhead) {
            const int aheadFrom = m_aheadFrom.position();
            const int aheadTo = m_aheadTo.position();
            through.spent = [&, aheadFrom, aheadTo] {
                return (m_placedTo < aheadFrom || m_placedTo > aheadTo) && turn.spent();
            };
        }
        const int next =
            placeFrom(from, dirty.wholeParagraph ? from : dirty.changedFrom.position(), changedTo, through);
        // Placed from before pieces placed ahead on to them, the paragraph holds them as its own.
        if (!m_aheadFrom.isNull() && from <= m_aheadFrom.position() && m_aheadFrom.position() <= m_placedTo)
            m_aheadFrom = QTextCursor();
        if (next < 0 || next <= from)
            m_dirty.removeAt(index);
        else
            dirty.from.setPosition(next);
        if (turn.spent && turn.spent())
            break;
    }
    return placedAhead;
}

bool CutPlacer::placeAhead(int from, const Turn &turn)
{
    const int topPosition = turn.shownFrom;
    const int limit = turn.limit;
    // Placed ahead already, and not changed since: the pieces there stay as they are. (They end
    // at the last character; what shows may be counted to end after it.)
    if (!m_aheadFrom.isNull() && from < m_aheadFrom.position() && m_aheadFrom.position() <= topPosition &&
        qMin(limit, m_document->characterCount() - 1) <= m_aheadTo.position())
        return false;
    // A few pieces above what shows, within the paragraph.
    QTextBlock start = m_document->findBlock(topPosition);
    while (start.position() > from && topPosition - start.position() < leadBeforeShown && continuesParagraph(start))
        start = start.previous();
    const int startPosition = start.position();
    const bool extends =
        !m_aheadFrom.isNull() && m_aheadFrom.position() <= startPosition && startPosition <= m_aheadTo.position();
    if (!extends) {
        m_aheadFrom = QTextCursor(m_document);
        m_aheadFrom.setPosition(startPosition);
        m_aheadTo = QTextCursor(m_document);
    }
    // Known before the cuts move, so that the view is kept by them.
    m_aheadTo.setPosition(qMin(limit, m_document->characterCount() - 1));
    Turn whole = turn;
    whole.spent = nullptr;
    const int next = placeFrom(startPosition, startPosition, std::numeric_limits<int>::max(), whole);
    m_aheadTo.setPosition(qMin(next < 0 ? limit : next, m_document->characterCount() - 1));
    return true;
}

int CutPlacer::placeFrom(int from, int changedFrom, int changedTo, const Turn &turn)
{
    QTextDocument *document = m_document;
    const BoxText &text = m_text;
    const int limit = turn.limit;
    const auto turnSpent = [&] { return turn.spent && turn.spent(); };
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
    // the caret in view before its cuts move, and a piece's first line may then still
    // belong to the line before. Nor at the top line shown (see restoreView()).
    const int caret = turn.caret;
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
        if (lineStart == turn.avoid || !sameDirection(lineStart))
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
        m_placedTo = lineStart;
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
    if (turn.keepCountBefore >= 0 && stop >= 0)
        keepBlockCount(removed, added, stop, qMin(turn.keepCountBefore, changedTo), caret);
    m_apply({removed, added, lineCounts});
    return stop;
}

void CutPlacer::keepBlockCount(QList<int> &removed, QList<int> &added, int from, int before, int caret) const
{
    // (Where `from` starts a piece of this paragraph, with a blank before it: not the next one.)
    qsizetype excess = added.size() - removed.size();
    if (excess == 0 || cutRange({removed, added, {}}).second + 1 >= before || from == 0 || m_text.at(from - 1) != u' ')
        return;
    // Cuts before `end` make blocks wholly before `before`, and short of pieces placed ahead; nor
    // are the blocks touched that placing ahead of what shows starts among (see placeAhead()).
    // (`before` is no further than the change being placed: all up to it is placed again as
    // the placing goes on.)
    int end = before - 1;
    if (!m_aheadFrom.isNull() && m_aheadFrom.position() > from)
        end = qMin(end, m_aheadFrom.position() - 1);
    end -= leadBeforeShown;
    // The blocks as they are, before the turn's cuts move: the first may start before `from`.
    for (QTextBlock block = m_document->findBlock(from); excess != 0 && block.isValid(); block = block.next()) {
        const int start = block.position();
        const int blockEnd = start + block.length() - 1;
        if (start >= end || (start > from && !continuesParagraph(block)))
            break;
        // Not about the caret's piece: see placeFrom().
        if (caret >= start - 1 && caret <= blockEnd + 1)
            continue;
        if (excess > 0 && start > from) {
            // Too many blocks: the piece joins the one before.
            removed.append(start - 1);
            --excess;
        } else if (excess < 0) {
            // Too few: cut at a blank about the middle of what of it is after `from`, followed by
            // a non-blank, as cuts are made before the width is known (see provisionalCuts()).
            const int after = qMax(start, from);
            const int within = qMin(blockEnd - 1, end - 1);
            qsizetype blank = m_text.indexOf(u' ', after + (blockEnd - after) / 2, within);
            while (blank >= 0 && m_text.at(blank + 1) == u' ')
                blank = m_text.indexOf(u' ', blank + 1, within);
            if (blank > after) {
                added.append(int(blank));
                ++excess;
            }
        }
    }
}

int CutPlacer::joinParagraph(int start, int end, int changedTo)
{
    QTextDocument *document = m_document;
    QList<int> removed;
    for (QTextBlock block = document->findBlock(start).next(); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (continuesParagraph(block))
            removed.append(block.position() - 1);
    }
    // Its lines, for the scroll bar, until Qt lays it out.
    LineWalker lines(m_text, start, m_width, m_font, document->documentLayout()->paintDevice(),
                     document->defaultTextOption());
    int lineCount = 1;
    while (lines.next() < end && !lines.atEnd())
        ++lineCount;
    m_placedTo = end;
    m_apply({removed, {}, {{start, lineCount}}});
    // An edit that goes on into the next paragraph goes on there.
    return end < changedTo && end + 1 < document->characterCount() ? end + 1 : -1;
}

void CutPlacer::moveCutBelowFirstLine(const QTextBlock &block)
{
    // To the start of the next line after a blank, or away: the first line joins the piece before.
    m_document->documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    const QTextBlock previous = block.previous();
    int cut = -1;
    int linesMoved = layout->lineCount();
    for (int i = 1; i < layout->lineCount() && cut < 0; ++i) {
        const int start = block.position() + layout->lineAt(i).textStart();
        if (m_text.at(start - 1) == u' ') {
            cut = start - 1;
            linesMoved = i;
        }
    }
    QList<std::pair<int, int>> lineCounts{{previous.position(), qMax(1, previous.lineCount()) + linesMoved}};
    if (cut >= 0)
        lineCounts.append({cut + 1, layout->lineCount() - linesMoved});
    m_apply({{block.position() - 1}, cut >= 0 ? QList<int>{cut} : QList<int>{}, lineCounts});
}

bool CutPlacer::applyToDocument(const Cuts &cuts) const
{
    bool countsChanged = false;
    const auto setLineCounts = [&] {
        // Pieces not laid out yet count the lines they will have: a scroll bar is right by them.
        for (const auto &[start, lines] : cuts.lineCounts) {
            QTextBlock block = m_document->findBlock(start);
            if (block.position() == start && block.layout()->lineCount() == 0 && block.lineCount() != lines) {
                block.setLineCount(lines);
                countsChanged = true;
            }
        }
    };
    if (cuts.removed.isEmpty() && cuts.added.isEmpty()) {
        setLineCounts();
        return countsChanged;
    }
    {
        // No character changes: nobody is told of an edit, and the modified state stays.
        const QSignalBlocker quiet(m_document);
        const bool modified = m_document->isModified();
        QTextCursor cursor(m_document);
        cursor.beginEditBlock();
        for (const int cut : cuts.removed) {
            cursor.setPosition(cut);
            cursor.setPosition(cut + 1, QTextCursor::KeepAnchor);
            cursor.insertText(QStringLiteral(" "));
        }
        for (const int cut : cuts.added) {
            cursor.setPosition(cut);
            cursor.setPosition(cut + 1, QTextCursor::KeepAnchor);
            cursor.insertBlock();
        }
        cursor.endEditBlock();
        m_document->setModified(modified);
    }
    // Qt keeps a block's data with the first part of a split and the last part of a join: the
    // marks follow the written text, where a soft break is a blank.
    const auto [first, last] = cutRange(cuts);
    for (QTextBlock block = m_document->findBlock(first); block.isValid() && block.position() <= last + 1;
         block = block.next())
        markBreakBefore(block, block.position() > 0 && m_text.at(block.position() - 1) == u' ');
    setLineCounts();
    return countsChanged;
}

std::pair<int, int> CutPlacer::cutRange(const Cuts &cuts)
{
    const auto [removedFirst, removedLast] = std::minmax_element(cuts.removed.begin(), cuts.removed.end());
    const auto [addedFirst, addedLast] = std::minmax_element(cuts.added.begin(), cuts.added.end());
    const int first =
        std::min(cuts.removed.isEmpty() ? INT_MAX : *removedFirst, cuts.added.isEmpty() ? INT_MAX : *addedFirst);
    const int last = std::max(cuts.removed.isEmpty() ? -1 : *removedLast, cuts.added.isEmpty() ? -1 : *addedLast);
    return {first, last};
}
