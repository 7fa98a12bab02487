#pragma once

class QAccessibleInterface;
class TextBox;

// A multi-line box as screen readers see it: its text as the user typed it, each soft break the
// blank it stands for, and its lines the lines the box shows.
QAccessibleInterface *makeTextBoxInterface(TextBox *box);
