#pragma once

#include <QString>

class QLineEdit;

// A single-line box takes a text of any length and never holds a line break: each one set or
// pasted ("\r\n", a lone "\r" or "\n", U+2028, U+2029) becomes one blank. Every single-line box
// of the program is made this way.
void makeSingleLine(QLineEdit *box);
// The text as a single-line box holds it; `position`, if given, is a cursor position in `text`
// and is moved to the same place in the result.
QString singleLineText(const QString &text, int *position = nullptr);
