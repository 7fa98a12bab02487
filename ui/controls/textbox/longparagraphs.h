#pragma once

#include <QDeadlineTimer>
#include <QFont>
#include <QList>
#include <QObject>
#include <QStringView>
#include <QTextCursor>

#include <functional>

class TextBox;

// Keeps a text box's long paragraphs in pieces cut where the paragraph's lines wrap after a blank.
// With greedy wrapping, a line's layout depends only on where it starts: pieces that start where
// lines start show exactly the lines of the whole paragraph. Where the lines wrap is found by
// laying the written text out in windows, as the box's own layout would; the cuts are then moved
// there, as edits the box's history never sees.
//
// After an edit, only the pieces from the one before the edit are looked at, and only until a
// cut is found where it was. After a change of width or font everything is placed anew: at once
// where it shows, the rest a little at a time while the program is idle.
class LongParagraphs : public QObject
{
public:
    explicit LongParagraphs(TextBox *box);

    // Text changed from `position` to `end` (positions after the change), with this many more
    // paragraph breaks than before.
    void textChanged(int position, int end, int paragraphsAdded);
    // The box is about to lay its text out at a new width (the width its lines wrap at).
    void widthChanging(qreal width);
    // The box's width or font may have changed.
    void geometryChanged();
    // The box scrolled, or is about to draw: what shows is placed first.
    void settleVisible();
    // Places what shows and everything up to `position`.
    void settleThrough(int position);
    void scrolled(int fromLine, int toLine);
    // The caret moved: it may not stay on the first line of a piece.
    void caretMoved();
    // Page Up (or Down, if `down`) is about to scroll a page and move the caret.
    void preparePageMove(bool down);

    // The box took the undo history over from Qt: from now on it may cut.
    void historyTakenOver();
    // A text was set, and the box left to Qt again.
    void historyLeftToQt();
    // While the box is left to Qt: a paragraph grew too long for it.
    bool wantsToCut() const { return leftToQt() && !m_dirty.isEmpty(); }

    bool isSettled() const;

    // Characters laid out so far, by every box, to find where lines wrap: what a turn of the
    // event loop costs in placing, without a clock.
    static qint64 charactersLaidOut();

    // Where a paragraph is cut before the box knows its width: at blanks, about one piece apart.
    static QList<qsizetype> provisionalCuts(QStringView paragraph);

protected:
    bool event(QEvent *event) override;

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

    // Where the box shows its top, as a whole paragraph would have it: which paragraph, which
    // of its lines, and whether Qt scrolled onto it downwards (and so left the pixel rows above
    // the line's text showing).
    struct View
    {
        QTextCursor paragraph; // none while what shows was not placed yet: then `line` is global
        int line = 0;
        bool gap = false;
        // `paragraph` is where pieces placed ahead start, not where the paragraph does.
        bool ahead = false;
    };

    qreal wrapWidth() const;
    void noteView();
    void viewWillMove();
    void restoreView();
    void scrollTo(int line, bool gap);
    void moveCutBelowFirstLine(const QTextBlock &block);
    // The block and line Qt puts at the top for Page Down (or Up).
    std::pair<QTextBlock, int> pageTarget(bool down) const;
    void followCaretDown();
    bool startsWithGap(const QTextBlock &block) const;
    void markAllAnew();
    // Whether the box is left to Qt, which holds every paragraph whole.
    bool leftToQt() const;
    // Whether cuts may be placed now: left to Qt, the box first takes the history over, if a
    // paragraph has grown too long for Qt.
    bool mayPlace();
    // Puts a cut paragraph Qt may hold whole back into one block.
    int joinParagraph(int start, int end, int changedTo);
    // Whether the pieces of the paragraph starting at `paragraphStart` are placed, up to `upTo`.
    bool isPlaced(int paragraphStart, int upTo) const;
    void restoreLineCounts();
    void addDirty(int from, int changedFrom, int changedTo, bool wholeParagraph);
    void settle(int limit, int budgetMs, bool shownFirst);
    void scheduleBackground();
    void schedulePlacingAfterChange();
    void settleInBackground();
    int visibleLimit() const;
    // Places the pieces from `from` on, up to the first piece start past `limit` or until the turn
    // is spent; returns where to go on from, or -1 when done.
    int place(int from, int changedFrom, int changedTo, int limit, const std::function<bool()> &turnSpent);
    // Places what shows, from `topPosition` to `limit`, in a paragraph whose pieces from `from`
    // on are not placed yet and start far above it; whether it placed any.
    bool placeAhead(int from, int topPosition, int limit);
    void applyCuts(const QList<int> &removed, const QList<int> &added, const QList<std::pair<int, int>> &lineCounts);

    TextBox *m_box;
    QList<Dirty> m_dirty;
    qreal m_width = -1;
    QFont m_font;
    bool m_backgroundQueued = false;
    quint64 m_changesWhenQueued = 0; // the box's count of changes when placing was queued
    bool m_changePlacingQueued = false;
    bool m_placing = false;
    bool m_restoring = false;
    bool m_resizing = false;
    bool m_viewMoved = false; // cuts changed at or above the top shown
    bool m_keepView = false;  // the view is set right once Qt has laid the box out
    // Lines of pieces placed for a new width before Qt lays the box out for it: Qt then counts
    // one line for each paragraph it has not laid out again.
    QList<std::pair<int, int>> m_linesForNewWidth;
    // Pieces placed ahead of the placing from their paragraph's start, for what showed.
    QTextCursor m_aheadFrom;
    QTextCursor m_aheadTo;
    bool m_downwards = false;    // the last scroll was down
    bool m_scrolledDown = false; // Qt scrolled down since the event loop last turned
    // The caret and the text as the caret was last followed down.
    int m_followedCaret = -1;
    quint64 m_followedChanges = 0;
    bool m_viewNoted = false;
    View m_view;
    // A line start no piece may start at: the top line shown, when Qt is to leave the rows above
    // its text showing (it does so only within a block).
    int m_avoid = -1;
};
