#pragma once

#include "core/pageproject.h"
#include "modalwindows.h"
#include "ui/model/screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <functional>

class QFileDialog;
class QLineEdit;
class QPlainTextEdit;

// Runs a helper that checks as it goes, and ends the test when it found a fault.
#define CHECKED(call)                                                                                                  \
    do {                                                                                                               \
        call;                                                                                                          \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

// Shared by the window tests: the windows are real, on the offscreen platform.
namespace UiTest {

// Registers every window and keeps the test process alive when the program "ends".
void initApplication();

// A fresh project and no windows, as at program start (call from init()).
void startFresh();

// Closes every window without close logic, lets them be destroyed, drops the answers to modal
// windows that never came, and fails when a window of the program is still there (call from
// cleanup()).
void discardAllAndCheckNoLeak();

// How often the program was ended through the main menu since startFresh().
int programEnds();

// The control `name` of the open window `id`, or nullptr.
template <typename T> T *control(ScreenId id, const char *name)
{
    QWidget *screen = Screens::find(id);
    return screen ? screen->findChild<T *>(QLatin1String(name)) : nullptr;
}

// The text of a label, or a text that names the missing label.
QString labelText(ScreenId id, const char *name);

// The user's point of view: the window is there and takes input.
bool isUsable(ScreenId id);

// Shows the window and waits until it is on the screen; nullptr when it does not come.
QWidget *showExposed(ScreenId id);
// Shows the window as the one the user works in, so that leaving a field is a real focus change.
QWidget *showActive(ScreenId id);

// Clicks a button as the user would (the mouse, in its middle), then lets queued work run.
void click(QAbstractButton *button);
void click(ScreenId id, const char *buttonName);

// Opens frmOptions with the generator's exclamation point and waits until it takes input.
void openPageOptions();
// Opens frmOptions, ticks one box (none for nullptr) and presses its exclamation point; the
// generator's action runs before this returns. Fails unless the options window opened, and
// unless afterwards it is gone and the generator takes input again.
void choosePageAction(const char *checkBox);

// Closes the window with its close control: a request of the window system (which a disabled
// window ignores), not a call of the program. What the closing queues runs on the next turn of
// the event loop (settle()).
void closeByCloseControl(QWidget *window);
void closeByCloseControl(ScreenId id);

// Presses a key where the keyboard focus is, as the user does, then lets queued work run; fails
// when nothing has the focus.
void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Picks the entry at `position` of a list the way the user does: opens the list, moves onto the
// entry and clicks it.
void pick(QComboBox *list, int position);

// Types `text` key by key into `widget`: "\r\n" is the Return key, letters beyond ASCII come as
// the keyboard sends them, as text.
void typeKeys(QWidget *widget, const QString &text);
// Replaces the box's text by typing, as the user would.
void typeText(QLineEdit *box, const QString &text);
void typeText(QPlainTextEdit *box, const QString &text);
// Types at the end of the box's text.
void typeAtEnd(QPlainTextEdit *box, const QString &text);
// Pastes `text` through the clipboard at the box's cursor, as the user does with Ctrl+V.
void paste(QLineEdit *box, const QString &text);

// From the main menu (shown if it is not), as the user starts the wizard: "Make A Gateway Page"
// ticked, then the arrow.
void startWizard();

// Types `path` into the save dialog's name field as the user would, and presses its Save button.
// Returns whether the dialog took the name and closed.
bool typeNameAndSave(QFileDialog *dialog, const QString &path);
// An answer for whenModal: saves under `path`; a dialog that does not take the name is
// cancelled, so the test goes on and fails on what it finds.
std::function<void(QFileDialog *)> saveAs(const QString &path);

// The file's bytes, or a text that says it could not be read.
QByteArray readFile(const QString &path);

// "x,y wxh", for messages.
QString describe(const QRect &rect);

// Lets posted events and zero-time timers run (the reset timer's tick among them).
void settle();

} // namespace UiTest
