#include "ui/controls/textbox/announcements.h"

#include "ui/controls/textbox/textbox.h"

#include <QAccessible>

namespace {

// Screen readers: the boxes' own text events pass, Qt's are dropped (see installTextBoxAnnouncements()).
QAccessible::UpdateHandler previousHandler = nullptr;
bool announcingOwnChange = false;
// A box whose history is being taken over: its text goes back and forth, which nobody is told.
const QObject *quietBox = nullptr;

void passOnTextEvents(QAccessibleEvent *event);

void forward(QAccessibleEvent *event)
{
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // No handler before this one: Qt's own way to the screen reader, for this event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOnTextEvents);
}

void passOnTextEvents(QAccessibleEvent *event)
{
    if (quietBox && event->object() == quietBox)
        return;
    const QAccessible::Event type = event->type();
    const bool textChange =
        type == QAccessible::TextInserted || type == QAccessible::TextRemoved || type == QAccessible::TextUpdated;
    if (textChange && !announcingOwnChange) {
        // Qt tells of a box that is still its own text edit.
        if (const auto *box = qobject_cast<TextBox *>(event->object()); box && box->keepsOwnHistory())
            return;
    }
    forward(event);
}

} // namespace

void installTextBoxAnnouncements()
{
    // On top of whatever handles the events now, which gets what passes.
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(passOnTextEvents);
    if (previous != passOnTextEvents)
        previousHandler = previous;
}

void announceOwnTextChange(QAccessibleEvent *event)
{
    announcingOwnChange = true;
    QAccessible::updateAccessibility(event);
    announcingOwnChange = false;
}

QuietTextBox::QuietTextBox(const QObject *box)
{
    quietBox = box;
}

QuietTextBox::~QuietTextBox()
{
    quietBox = nullptr;
}
