#pragma once

#include "ui/controls/textbox/boxtext.h"

#include <QFont>
#include <QList>
#include <QStringView>
#include <QTextCursor>

#include <functional>
#include <optional>
#include <utility>

class QTextBlock;
class QTextDocument;

// Only a paragraph longer than this many characters is cut into pieces, and only while lines
// wrap: up to it a key costs Qt a few milliseconds (bench_textbox measures it). Set small by
// tests, to cut short texts.
int longParagraphThreshold();
void setLongParagraphThreshold(int characters);
// Pieces of a long paragraph are at least about this many characters long (a paragraph without a
// blank stays whole). Set small by tests, to have soft breaks in short texts.
int longParagraphPiece();
void setLongParagraphPiece(int characters);

// Where the cuts of a document's long paragraphs go, and moving them there. With greedy
// wrapping, a line's layout depends only on where it starts: pieces that start where lines start
// show exactly the lines of the whole paragraph. Where the lines wrap is found by laying the
// written text out in windows, as the document's plain-text layout would; the cuts are then
// moved there, as edits no undo history sees.
//
// It knows the document, its written text and the width lines wrap at, nothing of a widget: what
// shows, the caret and the view are told it for each turn (see Turn), and every move of the cuts
// goes through the function given to setApply(), so that whoever shows the document keeps its
// view around it.
//
// After an edit, only the pieces from the one before the edit are looked at, and only until a
// cut is found where it was. After a change of width or font everything is placed anew.
class CutPlacer
{
public:
    // Cuts a placing moves (positions of soft breaks to take away, blanks to cut at), and the
    // lines of each piece it placed, by where the piece starts.
    struct Cuts
    {
        QList<int> removed;
        QList<int> added;
        QList<std::pair<int, int>> lineCounts;
    };

    // What one turn of placing goes by.
    struct Turn
    {
        int limit = 0; // no piece starting past this is placed
        // Where what shows starts, or -1: paragraphs wholly above it are left for later, and far
        // into a paragraph what shows is placed ahead of the pieces before it.
        int shownFrom = -1;
        int caret = -1; // no piece starts on the caret's line
        int avoid = -1; // a line start no piece may start at
        // Where the top shown starts, or -1: cuts placed wholly before it are made as many as
        // they take away, with cuts taken away or made where nothing is placed yet (see
        // keepBlockCount()).
        int keepCountBefore = -1;
        // Asked between pieces whether the turn is over.
        std::function<bool()> spent;
        // Called once, before pieces are first placed ahead of what shows.
        std::function<void()> beforeAhead;
    };

    CutPlacer(QTextDocument *document, const BoxText &text);

    // Moves the cuts; by default straight in the document (see applyToDocument()).
    void setApply(std::function<void(const Cuts &)> apply) { m_apply = std::move(apply); }
    // Moves the cuts in the document, without a word to anyone watching it; the soft breaks'
    // marks follow, and pieces not laid out yet are given their line counts. Whether any line
    // count changed.
    bool applyToDocument(const Cuts &cuts) const;
    // The first and the last position the cuts move (INT_MAX and -1 for none).
    static std::pair<int, int> cutRange(const Cuts &cuts);

    // The width lines wrap at (negative: none), and the font they are laid out in.
    void setLayout(qreal width, const QFont &font);
    qreal width() const { return m_width; }
    const QFont &font() const { return m_font; }

    // Work to do: every long or cut paragraph; the paragraphs longer than the threshold; text
    // changed from `position` to `end` (positions after the change); the paragraph at `start`,
    // grown too long.
    void markAll();
    void markTooLong();
    void markChanged(int position, int end);
    void markParagraph(int start);
    void clear();
    bool hasWork() const { return !m_dirty.isEmpty(); }
    // Where the paragraph around `position` starts, over its pieces.
    int paragraphStart(int position);
    // Whether the pieces of the paragraph starting at `paragraphStart` are placed, up to `upTo`.
    bool isPlaced(int paragraphStart, int upTo) const;

    // Places what there is to place, in document order, within the turn; whether it placed pieces
    // ahead of what shows (see Turn::shownFrom).
    bool place(const Turn &turn);
    // Where pieces were last placed ahead of the pieces before them, while the pieces before are
    // not all placed yet: the lines there are the paragraph's, from the first position on.
    std::optional<std::pair<int, int>> placedAhead() const;

    // Moves the cut before `block` down to the next line start after a blank in it, or takes it
    // away: the block's first line joins the piece before.
    void moveCutBelowFirstLine(const QTextBlock &block);

    // Characters laid out so far, by every placer, to find where lines wrap: what a turn of the
    // event loop costs in placing, without a clock.
    static qint64 charactersLaidOut();

    // Where a paragraph is cut before its width is known: at blanks, about one piece apart.
    static QList<qsizetype> provisionalCuts(QStringView paragraph);

private:
    struct Dirty
    {
        QTextCursor from; // a block start, where a line of the paragraph starts
        // The text changed between these: cuts in there were made for the change, not found
        // where the lines wrapped; after it, a cut found where it was ends the work.
        QTextCursor changedFrom;
        QTextCursor changedTo;
        bool wholeParagraph = false;
    };

    void addDirty(int from, int changedFrom, int changedTo, bool wholeParagraph);
    // Places the pieces from `from` on, up to the first piece start past the turn's limit or until
    // the turn is spent; returns where to go on from, or -1 when done.
    int placeFrom(int from, int changedFrom, int changedTo, const Turn &turn);
    // Places what shows, from `shownFrom` to the turn's limit, in a paragraph whose pieces from
    // `from` on are not placed yet and start far above it; whether it placed any.
    bool placeAhead(int from, const Turn &turn);
    // Cuts wholly before `before` that change the count of blocks there are evened out with cuts
    // taken away or made in the pieces after `from`, short of `before` and of pieces placed
    // ahead, which are to be placed again anyway. Qt keeps its top as a block's number: so it
    // stays the same block, and what shows is not drawn again.
    void keepBlockCount(QList<int> &removed, QList<int> &added, int from, int before, int caret) const;
    // Puts a cut paragraph that may be held whole back into one block.
    int joinParagraph(int start, int end, int changedTo);
    QTextDocument *m_document;
    const BoxText &m_text;
    std::function<void(const Cuts &)> m_apply;
    QList<Dirty> m_dirty;
    qreal m_width = -1;
    QFont m_font;
    // Pieces placed ahead of the placing from their paragraph's start, for what showed.
    QTextCursor m_aheadFrom;
    QTextCursor m_aheadTo;
    // The last line start the last placing came to, or -1.
    int m_placedTo = -1;
    // A paragraph start paragraphStart() walked back to, and how far on from it no paragraph
    // starts (-1 when none is known): until the text changes before that.
    int m_knownStart = -1;
    int m_knownTo = -1;
};
