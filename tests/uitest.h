#pragma once

#include "core/pageproject.h"
#include "ui/screens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>

// Shared by the window tests: the windows are real, on the offscreen platform.
namespace UiTest {

// Registers every window and keeps the test process alive when the program "ends".
void initApplication();

// A fresh project and no windows, as at program start (call from init()).
void startFresh();

// Closes every window without close logic, lets them be destroyed, and fails when a window of
// the program is still there (call from cleanup()).
void discardAllAndCheckNoLeak();

// How often the program was ended through the main menu since startFresh().
int programEnds();

// The control `name` of the open window `id`, or nullptr.
template <typename T>
T *control(ScreenId id, const char *name)
{
    QWidget *screen = Screens::find(id);
    return screen ? screen->findChild<T *>(QLatin1String(name)) : nullptr;
}

// Clicks a button as the user would (the mouse, in its middle), then lets queued work run.
void click(QAbstractButton *button);
void click(ScreenId id, const char *buttonName);

// Picks the entry at `position` of a list the way the user does: opens the list, moves onto the
// entry and clicks it.
void pick(QComboBox *list, int position);

// "x,y wxh", for messages.
QString describe(const QRect &rect);

// Lets posted events and zero-time timers run (the reset timer's tick among them).
void settle();

// Runs `answer` on the next modal dialog that opens (a warning, the save dialog) and records its
// window title and text.
struct ModalRecord
{
    QString title;
    QString text;
};
void answerNextModal(std::function<void(QWidget *)> answer, ModalRecord *record = nullptr);

} // namespace UiTest
