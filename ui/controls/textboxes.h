#pragma once

#include "analysis/counting.h"

#include <QPlainTextEdit>
#include <QString>

class QLabel;
class QLineEdit;

// A multi-line text box. It asks for room for a number of columns and lines, but gives up height
// first when its window cannot fit the screen (it scrolls then). Tab moves on to the next
// control, as in every other field.
class TextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TextBox(QWidget *parent, int columns = 40, int lines = 6);

    void setPreferredSize(int columns, int lines);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize sizeFor(int columns, int lines) const;

    int m_columns;
    int m_lines;
};

// The program's texts break lines with "\r\n"; a text edit holds paragraphs. These convert
// between the two, positions included, so counting and pages see what the user typed.
QString boxText(const QPlainTextEdit *box);
void setBoxText(QPlainTextEdit *box, const QString &text);

// The box's text and selection, for the counting.
AnalysedBox analysedBox(const QPlainTextEdit *box);
// Shows the selection the counting ended with; done once, after the counting.
void applySelection(QPlainTextEdit *box, const AnalysedBox &analysed);

// Sets a label's caption; its "\r\n" line breaks show as line breaks.
void setCaption(QLabel *label, const QString &caption);
QString captionText(const QString &caption);

// A single-line box takes a text of any length and never holds a line break: each one set or
// pasted ("\r\n", a lone "\r" or "\n", U+2028, U+2029) becomes one blank. Every single-line box
// of the program is made this way.
void makeSingleLine(QLineEdit *box);
// The text as a single-line box holds it; `position`, if given, is a cursor position in `text`
// and is moved to the same place in the result.
QString singleLineText(const QString &text, int *position = nullptr);
