#pragma once

#include <QDialog>
#include <QEvent>
#include <QLatin1String>
#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QCloseEvent;
class QShowEvent;

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

// The wizard's windows, in the order a confirmed quit closes them: the generator's closing shows
// the settings step, so the generator goes just before it.
inline constexpr std::array<ScreenId, 7> WizardScreens{ScreenId::Step0, ScreenId::Step1, ScreenId::Step2,
                                                       ScreenId::Step3, ScreenId::Step4, ScreenId::Generator,
                                                       ScreenId::Step5};

// The six data-entry steps: the wizard's windows but the generator.
constexpr bool isWizardStep(ScreenId id)
{
    return id >= ScreenId::Step0 && id <= ScreenId::Step5;
}

// The window's form name, which is also its objectName.
QLatin1String formName(ScreenId id);

// What every window of the program is, whichever Qt window class it is built on: the window
// model creates it, runs its load logic, and runs its close logic however it is closed (a
// button, its close control, Escape, or another window closing it).
class Screen
{
public:
    virtual ~Screen();

    ScreenId screenId() const { return m_id; }
    virtual QWidget *screenWidget() = 0;

protected:
    explicit Screen(ScreenId id);

    // Runs once, when the window model has created the window and before it first shows.
    virtual void load() {}
    // What the window does when it closes; not run when the program ends from the main menu.
    virtual void closeLogic() {}
    // Something the window's timer acts on has changed (the wizard reset was asked for).
    virtual void wake() {}
    // Sizes and places the window each time the program shows it. By default it opens centred
    // on the screen at the size its layout asks for, and later keeps where the user put it.
    virtual void place(bool firstShow);

    // For ScreenWindow's event handlers.
    void screenCloseEvent(QCloseEvent *event);
    void screenShowEvent(QShowEvent *event);
    // The window moved or changed size: when that is the window system framing it, and the frame
    // is not the one it was placed for, it is placed again, so that it fits frame and all.
    void screenGeometryChanged();

private:
    friend struct ScreenAccess;

    const ScreenId m_id;
    bool m_placed = false;
    // The frame the window was last placed for.
    QMargins m_placedFrame;
    bool m_placing = false;
};

// A window of the program on the Qt window class `Base` (QWidget, QDialog).
template <typename Base> class ScreenWindow : public Base, public Screen
{
public:
    QWidget *screenWidget() override { return this; }

protected:
    explicit ScreenWindow(ScreenId id, Qt::WindowFlags flags = Qt::Window)
        : Base(nullptr, flags)
        , Screen(id)
    {
        this->setObjectName(formName(id));
        this->setAttribute(Qt::WA_DeleteOnClose);
    }

    void closeEvent(QCloseEvent *event) override { screenCloseEvent(event); }
    void showEvent(QShowEvent *event) override
    {
        screenShowEvent(event);
        Base::showEvent(event);
    }
    bool event(QEvent *event) override
    {
        const bool handled = Base::event(event);
        // Moved or resized by the window manager framing it, or painted once it is on the screen.
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Paint)
            screenGeometryChanged();
        return handled;
    }
};

// A window of the program that is a dialog, though never a modal one: Enter and Escape work as
// in any dialog, and closing it by Escape, like every other way, runs its close logic.
class DialogScreen : public ScreenWindow<QDialog>
{
    Q_OBJECT

public:
    void done(int result) override;

    // Keeps the dialog above the window it speaks for, without tying their lifetimes; that
    // window gets the keyboard back when the dialog closes.
    void setOpener(QWidget *opener);

protected:
    explicit DialogScreen(ScreenId id);

    void closeEvent(QCloseEvent *event) override;

private:
    QPointer<QWidget> m_opener;
};

// The window model: one place that knows which windows are open.
namespace Screens {

// The open window, or nullptr.
QWidget *find(ScreenId id);
bool isOpen(ScreenId id);

template <typename T> T *find(ScreenId id)
{
    return qobject_cast<T *>(find(id));
}

// Creates the window if it is not open (its load logic runs), then shows and raises it.
QWidget *show(ScreenId id);
void hide(ScreenId id);
// Closes the window if it is open; its close logic runs.
void close(ScreenId id);
// Enables or disables an open window; a window that is not open is left alone, never created.
void setEnabled(ScreenId id, bool enabled);

// Shows a message window (without waiting for it) above `opener`, then disables `disabled`.
void showMessage(ScreenId message, QWidget *opener, ScreenId disabled);

// ResetRequested becomes "Yes", and the main menu's timer discards the wizard on its next tick.
void requestWizardReset();

// Ends the program at once: every window disappears, no close logic runs.
void endProgram();
// Replaces what endProgram() does after discarding the windows (tests keep their process).
void setProgramEndHandler(std::function<void()> handler);

// Destroys every open window without running close logic.
void discardAll();

// A window of `id` as the user first sees it, but not shown, not known to the window model and
// without its load logic run: for measuring its size. The caller owns it.
QWidget *createUnloaded(ScreenId id);

} // namespace Screens
