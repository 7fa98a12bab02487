#pragma once

#include "ui/controls/textbox/cutplacer.h"

#include <QObject>
#include <QPointF>
#include <QTextBlock>
#include <QTextCursor>

class QPlainTextEdit;

// A turn of the event loop spent placing pieces in the background lays out about this many
// characters at most, and stops sooner at its deadline: input and drawing come between turns.
// Set by tests, to have turns end where a slow machine's would.
int longParagraphPlacingStep();
void setLongParagraphPlacingStep(int characters);

// Keeps a text box's long paragraphs in pieces placed where the paragraph's lines wrap (see
// CutPlacer), and the box's view where a whole paragraph would have it while the cuts move. What
// shows is placed first: at once after an edit or a scroll; after a change of width or font,
// before the box is drawn, the rest a little at a time while the program is idle.
class LongParagraphs : public QObject
{
public:
    // What of its box LongParagraphs works with: the text edit as anyone has it, and what only
    // the box knows.
    class Box
    {
    public:
        virtual QPlainTextEdit &edit() const = 0;
        virtual const BoxText &writtenText() const = 0;
        virtual QTextBlock firstVisibleBlock() const = 0;
        virtual QPointF contentOffset() const = 0;
        virtual quint64 changeCount() const = 0; // changes of the text so far
        virtual bool isComposing() const = 0;    // an input method shows text not put in yet
        // The box keeps the undo history itself; if not, Qt does, and the box holds no cut.
        virtual bool keepsOwnHistory() const = 0;
        // From now on the box keeps the undo history (see historyTakenOver()).
        virtual void takeOverHistory() = 0;

    protected:
        ~Box() = default;
    };

    explicit LongParagraphs(Box &box);

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
    bool wantsToCut() const { return leftToQt() && m_placer.hasWork(); }

    bool isSettled() const;

protected:
    bool event(QEvent *event) override;

private:
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
    // The block and line Qt puts at the top for Page Down (or Up).
    std::pair<QTextBlock, int> pageTarget(bool down) const;
    void followCaretDown();
    bool startsWithGap(const QTextBlock &block) const;
    // Whether the box is left to Qt, which holds every paragraph whole.
    bool leftToQt() const;
    // Whether cuts may be placed now: left to Qt, the box first takes the history over, if a
    // paragraph has grown too long for Qt.
    bool mayPlace();
    void restoreLineCounts();
    void settle(int limit, int budgetMs, bool shownFirst);
    void scheduleBackground();
    void schedulePlacingAfterChange();
    void settleInBackground();
    int visibleLimit() const;
    void applyCuts(const CutPlacer::Cuts &cuts);

    Box &m_box;
    QPlainTextEdit &m_edit;
    CutPlacer m_placer;
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
    bool m_downwards = false;    // the last scroll was down
    bool m_scrolledDown = false; // Qt scrolled down since the event loop last turned
    // The caret and the text as the caret was last followed down.
    int m_followedCaret = -1;
    quint64 m_followedChanges = 0;
    bool m_viewNoted = false;
    View m_view;
};
