#pragma once

#include "analysis/counting.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

class QLineEdit;
class QTextBlock;

// A multi-line text box. It asks for room for a number of columns and lines, but gives up height
// first when its window cannot fit the screen (it scrolls then). Tab moves on to the next
// control, as in every other field.
//
// Qt lays out a paragraph as one unit, on every edit: a paragraph of a megabyte (a web page or
// a PDF pasted without line breaks) would take a quarter of a second a key. So the box holds a
// long paragraph as pieces: each piece ends where a blank was, and that blank is the piece's
// block break, marked as soft. The box's text gives the blank back, so it is one paragraph to
// everything that reads it, and positions stay the same: a soft break is one character, as the
// blank was. Typing, pasting and dropping cut a paragraph again when it grows too long; word
// movement and word deletion pass over a soft break as over the blank it stands for.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent, int columns = 40, int lines = 6);

    void setPreferredSize(int columns, int lines);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    QSize sizeFor(int columns, int lines) const;
    void noteChange(int position, int removed, int added);
    void announceChange(int position, int removed, int added);
    void takeOverChangeEvents();
    void cutLongParagraphs();
    void forgetChanges();
    friend void setBoxText(QPlainTextEdit *box, const QString &text);
    bool moveOverSoftBreak(QKeyEvent *event);

    int m_columns;
    int m_lines;
    // The part of the document changed since the last cut, in positions; empty when from > to.
    int m_changedFrom = 1;
    int m_changedTo = 0;
    bool m_cutPending = false;
    // The run of typing or deleting that the next key goes on with, if it is the same kind of
    // key: where the caret was after the run's last key (or the cut that followed it), and the
    // undo steps then.
    enum class EditRun { None, Typing, Backspace, Delete };
    EditRun m_runKind = EditRun::None;
    int m_runPosition = -1;
    int m_runUndoSteps = 0;
    bool m_keyEditing = false;
    bool m_cutting = false;
    // The box, not Qt's text control, tells screen readers what changed.
    QPointer<QObject> m_textControl;
};

// The break before the block is soft: the block goes on with the paragraph of the one before.
bool continuesParagraph(const QTextBlock &block);

// Pieces of a long paragraph are at most this many characters long (a paragraph without a blank
// stays whole). Set small by tests, to have soft breaks in short texts.
int longParagraphPiece();
void setLongParagraphPiece(int characters);

// The program's texts break lines with "\r\n"; a text edit holds paragraphs. These convert
// between the two, positions included, so counting and pages see what the user typed; a soft
// break is the blank it stands for.
QString boxText(const QPlainTextEdit *box);
void setBoxText(QPlainTextEdit *box, const QString &text);
// The text between two of the box's positions, as it was typed: a paragraph break is "\n", a soft
// break a blank. What the clipboard and screen readers are given.
QString boxTextBetween(const QPlainTextEdit *box, int start, int end);

// The box's text and selection, for the counting.
AnalysedBox analysedBox(const QPlainTextEdit *box);
// Shows the selection the counting ended with; done once, after the counting.
void applySelection(QPlainTextEdit *box, const AnalysedBox &analysed);

// A single-line box takes a text of any length and never holds a line break: each one set or
// pasted ("\r\n", a lone "\r" or "\n", U+2028, U+2029) becomes one blank. Every single-line box
// of the program is made this way.
void makeSingleLine(QLineEdit *box);
// The text as a single-line box holds it; `position`, if given, is a cursor position in `text`
// and is moved to the same place in the result.
QString singleLineText(const QString &text, int *position = nullptr);
