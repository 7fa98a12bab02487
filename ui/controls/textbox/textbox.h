#pragma once

#include "ui/controls/textbox/boxhistory.h"
#include "ui/controls/textbox/boxtext.h"
#include "ui/controls/textbox/cutplacer.h"
#include "ui/controls/textbox/softbreaks.h"

#include <QPlainTextEdit>
#include <QString>

#include <limits>
#include <memory>
#include <optional>

class LongParagraphs;
class QTextBlock;

// A multi-line text box. It asks for room for a number of columns and lines, but gives up height
// first when its window cannot fit the screen (it scrolls then). Tab moves on to the next
// control, as in every other field.
//
// Up to a paragraph of longParagraphThreshold() characters the box is Qt's own text edit: Qt
// takes every key, click, drop and input method, keeps the undo history and tells screen readers.
//
// Qt lays out a paragraph as one unit, on every edit: a paragraph of a megabyte (a web page or
// a PDF pasted without line breaks) would take a quarter of a second a key. So the box holds a
// longer paragraph as pieces, each cut where a line of the paragraph wraps after a blank: that
// blank is the piece's block break, marked as soft. As a line's wrapping depends only on where
// it starts, the pieces show exactly the lines the whole paragraph would; the box moves the cuts
// as edits and the width move the wraps. Everything that reads the box gets the text as written
// (a soft break is its blank), and positions are the same: a soft break is one character.
//
// The box keeps that text itself (`writtenText()`). From the first cut on, until a text is set
// anew, it also keeps the undo history itself (it takes Qt's steps over then), grouping edits as
// Qt does; its document keeps none, so that moving a cut is no edit anyone can undo. Then, and
// only then, these members of the base class act otherwise than on a plain text edit:
// - QPlainTextEdit::undo() and redo(), reached through the base class (they are not virtual),
//   do nothing: the box's own undo() and redo() do it, as do the keys and the context menu;
// - the document's text, blocks and cursors show the pieces: toPlainText() and
//   document()->toPlainText() give each soft break as a line break, blockCount() counts pieces,
//   and a cursor's block is a piece (boxText() and writtenText() give the text as written); a
//   QSyntaxHighlighter on the document highlights each piece as a block of its own.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent, int columns = 40, int lines = 6);
    ~TextBox() override;

    void setPreferredSize(int columns, int lines);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The text as written, a soft break as its blank; the document's line breaks as it holds them.
    const BoxText &writtenText() const { return m_text; }
    // Replaces the whole text, as setPlainText() does: nothing to undo, the caret at the start.
    void setWrittenText(const QString &text);
    // Puts text in at the cursor as QTextCursor::insertText() does, as one change: a long
    // paragraph goes in cut, so that Qt never lays it out whole.
    void insertText(QTextCursor &cursor, QStringView text);

    bool isUndoAvailable() const;
    bool isRedoAvailable() const;
    // The box keeps the undo history itself: it has cut a paragraph since its text was last set.
    bool keepsOwnHistory() const { return m_ownHistory; }

    // Every cut sits where the paragraph's line wraps at the box's width: the box looks exactly
    // like one paragraph. Long texts are placed in the background after a change of width.
    bool isSettled() const;

public slots:
    void undo();
    void redo();

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What LongParagraphs is given of the box.
    class Pieces;

    QSize sizeFor(int columns, int lines) const;
    void noteChange(int position, int removed, int added);
    void finishClear();
    void announceHistory();
    void resyncText();
    void announceChange(int position, int removed, const QString &inserted);
    // From here on the box keeps the undo history: Qt's steps become the box's.
    void takeOverHistory();
    void useOwnHistory(bool own);
    void keepQtHistory();
    // Putting `text` in at `cursor` would make a paragraph longer than Qt is left to hold.
    bool makesLongParagraph(const QTextCursor &cursor, QStringView text) const;
    void selectWholeParagraphs(int anchor, int position);
    // Around each event of the box's input: what shows is placed before and after it.
    template <typename Handler> bool placingShown(QEvent *event, Handler &&handle);
    // Places what shows (and up to `through`), then puts the caret as `caret` has it, if given,
    // and keeps it in view, as an edit of Qt's does.
    void showCaretByPlacedLines(std::optional<QTextCursor> caret, int through = -1);
    // Runs an edit of the box's own as one undo step.
    template <typename Edit> void editAsOneStep(int caret, Edit &&edit);
    void insertWritten(QTextCursor &cursor, QStringView text);
    int undoCaretForInsertion(const QTextCursor &cursor) const;
    void undoOrRedo(bool undo);
    void applyHistoryStep(const BoxHistory::Step &step, bool undo);
    bool handleParagraphKey(QKeyEvent *event);
    bool typesText(const QKeyEvent *event) const;
    // Where the text an input method is given starts.
    int inputMethodStart() const;
    bool moveOverSoftBreak(QKeyEvent *event);

    int m_columns;
    int m_lines;
    BoxText m_text;
    BoxHistory m_history;
    std::unique_ptr<Pieces> m_pieces;
    std::unique_ptr<LongParagraphs> m_paragraphs;
    bool m_ownHistory = false;
    bool m_settingLong = false; // a text with long paragraphs is being set
    bool m_inQtDrop = false;    // Qt is dropping text into the box
    // While Qt's history is taken over: the edits each of its steps made.
    QList<BoxHistory::Edit> *m_captured = nullptr;
    // How the edits of the key, input method event or drop being handled group for undo; none
    // for a change the box did not start.
    std::optional<BoxHistory::Kind> m_editKind;
    bool m_replaying = false;     // an undo or redo is being applied
    bool m_editChanged = false;   // the box's own edit under way has changed the text
    quint64 m_changes = 0;        // changes of the text so far
    bool m_afterClear = false;    // the document was cleared; its new text is no edit
    bool m_clearing = false;      // the document is being cleared (see noteChange())
    bool m_composing = false;     // an input method shows text not put in yet
    bool m_inInputMethod = false; // an input method's event is being handled
    bool m_undoAvailable = false; // as last announced
    bool m_redoAvailable = false;
    qint64 m_tripleClickDeadline = -1;                  // a press before this (ms since the epoch) is a triple click
    QPointF m_tripleClickPoint;                         // where the double click before it was
    std::pair<int, int> m_tripleClickParagraph{-1, -1}; // the paragraph a triple click selected
    int m_topLine = 0;                                  // the first line shown, as the scroll bar had it
};
