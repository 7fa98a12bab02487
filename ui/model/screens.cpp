#include "ui/model/screens.h"

#include "core/pageproject.h"
#include "ui/model/windowplacement.h"
#include "ui/screentable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>

namespace {

struct OpenScreen
{
    QPointer<QWidget> widget;
    Screen *screen = nullptr;
    // Where the keyboard was when the window was disabled; disabling takes the focus away.
    QPointer<QWidget> focusWhenDisabled;
};

struct Registry
{
    QHash<ScreenId, OpenScreen> open;
    bool ending = false; // while the program ends, closing runs no logic
    std::function<void()> endHandler = [] { QCoreApplication::quit(); };
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

Screen *openScreen(ScreenId id)
{
    const OpenScreen entry = registry().open.value(id);
    return entry.widget ? entry.screen : nullptr;
}

void forget(Screen *screen)
{
    Registry &r = registry();
    const auto it = r.open.constFind(screen->screenId());
    if (it != r.open.cend() && it->screen == screen)
        r.open.erase(it);
}

} // namespace

// The window model's way into the protected part of a window.
struct ScreenAccess
{
    static void load(Screen *screen) { screen->load(); }
    static void wake(Screen *screen) { screen->wake(); }
};

Screen::Screen(ScreenId id)
    : m_id(id)
{
}

Screen::~Screen()
{
    forget(this);
}

void Screen::place(bool firstShow)
{
    if (!firstShow)
        return;
    QWidget *window = screenWidget();
    window->adjustSize();
    centreOnScreen(window);
}

void Screen::screenCloseEvent(QCloseEvent *event)
{
    // A disabled window ignores its close control, like every other input.
    if (event->spontaneous() && !screenWidget()->isEnabled()) {
        event->ignore();
        return;
    }
    forget(this);
    event->accept();
    if (!registry().ending)
        closeLogic();
}

void Screen::screenShowEvent(QShowEvent *event)
{
    // Shown by the program, not given back by the window system after being minimised.
    if (event->spontaneous())
        return;
    QWidget *window = screenWidget();
    m_placing = true;
    m_placedFrame = frameExtent(window);
    place(!m_placed);
    m_placed = true;
    m_placing = false;
}

void Screen::screenGeometryChanged()
{
    QWidget *window = screenWidget();
    if (m_placing || !m_placed || !isFrameKnown(window))
        return;
    const QMargins frame = frameExtent(window);
    if (frame == m_placedFrame)
        return;
    // The window manager has framed the window, differently from what it was placed for. Placed
    // again once the event that told it is done.
    m_placedFrame = frame;
    QMetaObject::invokeMethod(
        window,
        [this] {
            m_placing = true;
            place(true);
            m_placing = false;
        },
        Qt::QueuedConnection);
}

DialogScreen::DialogScreen(ScreenId id)
    : ScreenWindow(id, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setModal(false);
}

void DialogScreen::done(int result)
{
    // QDialog would close without a close event, and the close logic would not run.
    setResult(result);
    close();
}

void DialogScreen::setOpener(QWidget *opener)
{
    m_opener = opener->window();
    winId();
    if (QWindow *handle = windowHandle())
        handle->setTransientParent(m_opener->windowHandle());
}

void DialogScreen::closeEvent(QCloseEvent *event)
{
    ScreenWindow::closeEvent(event);
    // Not every window system hands the focus back to the window below.
    if (event->isAccepted() && m_opener && m_opener->isVisible() && m_opener->isEnabled())
        m_opener->activateWindow();
}

namespace Screens {

QWidget *find(ScreenId id)
{
    Screen *screen = openScreen(id);
    return screen ? screen->screenWidget() : nullptr;
}

bool isOpen(ScreenId id)
{
    return openScreen(id) != nullptr;
}

QWidget *show(ScreenId id)
{
    Screen *screen = openScreen(id);
    if (!screen) {
        screen = createScreen(id);
        registry().open.insert(id, {screen->screenWidget(), screen});
        ScreenAccess::load(screen);
    }
    QWidget *window = screen->screenWidget();
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void hide(ScreenId id)
{
    if (QWidget *window = find(id))
        window->hide();
}

void close(ScreenId id)
{
    if (QWidget *window = find(id))
        window->close();
}

void setEnabled(ScreenId id, bool enabled)
{
    const auto it = registry().open.find(id);
    if (it == registry().open.end() || !it->widget || it->widget->isEnabled() == enabled)
        return;
    QWidget *window = it->widget;
    if (!enabled)
        it->focusWhenDisabled = window->focusWidget();
    window->setEnabled(enabled);
    // The control the user left gets the keyboard back, not the window's first one: on the main
    // menu that would choose another line.
    if (enabled && it->focusWhenDisabled)
        it->focusWhenDisabled->setFocus(Qt::OtherFocusReason);
}

void showMessage(ScreenId message, QWidget *opener, ScreenId disabled)
{
    QWidget *window = show(message);
    auto *dialog = qobject_cast<DialogScreen *>(window);
    if (dialog && opener && opener->isVisible())
        dialog->setOpener(opener);
    setEnabled(disabled, false);
}

void requestWizardReset()
{
    pageProject().ResetRequested = ResetRequestedYes;
    if (Screen *menu = openScreen(ScreenId::Main))
        ScreenAccess::wake(menu);
}

void discardAll()
{
    Registry &r = registry();
    const bool wasEnding = r.ending;
    r.ending = true;
    const auto open = r.open.values();
    r.open.clear();
    for (const OpenScreen &entry : open) {
        if (entry.widget) {
            entry.widget->hide();
            // Later: the caller may be one of these windows.
            entry.widget->deleteLater();
        }
    }
    r.ending = wasEnding;
}

void endProgram()
{
    discardAll();
    registry().endHandler();
}

void setProgramEndHandler(std::function<void()> handler)
{
    registry().endHandler = std::move(handler);
}

QWidget *createUnloaded(ScreenId id)
{
    return createScreen(id)->screenWidget();
}

} // namespace Screens
