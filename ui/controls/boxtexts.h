#pragma once

#include "analysis/counting.h"

#include <QString>

class QPlainTextEdit;

// The program's texts break lines with "\r\n"; a text edit holds paragraphs. These convert
// between the two, positions included, so counting and pages see what the user typed; of a text
// box, a soft break is the blank it stands for. They take any QPlainTextEdit.
QString boxText(const QPlainTextEdit *box);
void setBoxText(QPlainTextEdit *box, const QString &text);
// The text between two of the box's positions, as it was typed: a paragraph break is "\n", a soft
// break a blank. What the clipboard and screen readers are given.
QString boxTextBetween(const QPlainTextEdit *box, int start, int end);

// The box's text and selection, for the counting.
AnalysedBox analysedBox(const QPlainTextEdit *box);
// Shows the selection the counting ended with; done once, after the counting.
void applySelection(QPlainTextEdit *box, const AnalysedBox &analysed);
