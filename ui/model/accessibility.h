#pragma once

#include <QAccessible>
#include <QList>

class QLabel;

// Tells screen readers what the program's windows are: its full windows are frames (not the
// "filler" a plain QWidget window is) described by their place in the program and the texts they
// show, the message windows and the quit confirmation are alerts, the options window a dialog.
// The controls are what their own interfaces say (controls/): the pick lists are named by their
// captions, and the text boxes give their whole text as typed.
void installAccessibleRoles();

// Has a screen reader say the texts of `captions`, labels of one window, once, as soon as they
// show, while the keyboard focus stays where it is: the new captions of an analysis, the helper
// text that a pick has changed. Screen readers ignore a label's change of text otherwise.
void announceCaptions(const QList<const QLabel *> &captions);

// While it lives, screen readers are told nothing: for windows made only to be measured, which
// would otherwise flood them with the changes of controls nobody sees, just when a window opens.
class QuietAccessibility
{
public:
    QuietAccessibility();
    ~QuietAccessibility();
    QuietAccessibility(const QuietAccessibility &) = delete;
    QuietAccessibility &operator=(const QuietAccessibility &) = delete;

private:
    QAccessible::UpdateHandler m_previous;
};
