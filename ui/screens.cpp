#include "ui/screens.h"

#include "core/pageproject.h"
#include "ui/screentable.h"
#include "ui/windowplacement.h"

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
    place(!m_placed);
    m_placed = true;
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
    if (QWidget *window = find(id))
        window->setEnabled(enabled);
}

void showMessage(ScreenId message, QWidget *opener, ScreenId disabled)
{
    QWidget *window = show(message);
    if (opener && opener->isVisible()) {
        // Keep the message above the window it speaks for, without tying their lifetimes.
        window->winId();
        if (QWindow *handle = window->windowHandle())
            handle->setTransientParent(opener->window()->windowHandle());
    }
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
