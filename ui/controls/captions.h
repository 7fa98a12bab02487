#pragma once

#include <QString>

class QLabel;

// The captions of labels. The program's texts break lines with "\r\n", as the reports do; a
// label breaks a line at "\n".

// The caption as a label shows it: each "\r\n" a line break.
QString captionText(const QString &caption);
// Sets a label's caption, its "\r\n" line breaks shown as line breaks.
void setCaption(QLabel *label, const QString &caption);
