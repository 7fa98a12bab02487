#pragma once

class QAccessibleEvent;
class QObject;

// Screen readers hear of each change of a text box's text from the box itself, as written, once it
// keeps its own history (Qt's own text control would give them each soft break as a line break,
// and every cut as an edit); until then Qt tells them, as of any text edit. Installed when the
// program sets up what screen readers see, on top of the update handler in place then, which gets
// the events that pass.
void installTextBoxAnnouncements();
// Tells screen readers of a change of a box's text, made by the box.
void announceOwnTextChange(QAccessibleEvent *event);

// While it lives, screen readers hear nothing of `box`: its text goes back and forth, unseen.
class QuietTextBox
{
public:
    explicit QuietTextBox(const QObject *box);
    ~QuietTextBox();
    QuietTextBox(const QuietTextBox &) = delete;
    QuietTextBox &operator=(const QuietTextBox &) = delete;
};
