#pragma once

#include "analysis/counting.h"

#include <QString>

class QLabel;
class QPlainTextEdit;

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
