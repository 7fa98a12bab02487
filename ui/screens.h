#pragma once

#include <QWidget>

#include <functional>

// Every window of the program. Each exists at most once: created (its load logic runs) the
// first time it is shown, hidden when the user moves on, destroyed when closed.
enum class ScreenId {
    Splash,
    Main,
    Step0,
    Step1,
    Step2,
    Step3,
    Step4,
    Step5,
    Generator,
    Options,
    Search,
    Stats,
    KeyWordTips,
    Quit1,
    Error,
    Error2,
    Error4,
    Error5,
    Error8,
    NoSelection,
};

// Base of every window: it registers itself while open and runs its close logic however it
// is closed (a button, its close control, or another window closing it).
class Screen : public QWidget
{
    Q_OBJECT

public:
    explicit Screen(ScreenId id);
    ~Screen() override;

    ScreenId screenId() const { return m_id; }

protected:
    // What the window does when it closes; not run when the program ends from the main menu.
    virtual void closeLogic() {}

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    const ScreenId m_id;
    bool m_placed = false;
};

// The window model: one place that knows which windows are open.
namespace Screens {

using Factory = std::function<Screen *()>;

void registerScreen(ScreenId id, Factory factory);

// The open window, or nullptr.
Screen *find(ScreenId id);
bool isOpen(ScreenId id);

template <typename T>
T *find(ScreenId id)
{
    return qobject_cast<T *>(find(id));
}

// Creates the window if it is not open (centred on the screen), then shows and raises it.
Screen *show(ScreenId id);
void hide(ScreenId id);
// Closes the window if it is open; its close logic runs.
void close(ScreenId id);
// Enables or disables an open window; a window that is not open is left alone, never created.
void setEnabled(ScreenId id, bool enabled);

// Shows a message window (without waiting for it) above `opener`, then disables `disabled`.
void showMessage(ScreenId message, QWidget *opener, ScreenId disabled);

// Ends the program at once: every window disappears, no close logic runs.
void endProgram();
// Replaces what endProgram() does after discarding the windows (tests keep their process).
void setProgramEndHandler(std::function<void()> handler);

// Destroys every open window without running close logic.
void discardAll();

} // namespace Screens
