#include "ui/screens.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace {

struct Registry
{
    QHash<ScreenId, Screens::Factory> factories;
    QHash<ScreenId, QPointer<Screen>> open;
    bool ending = false; // while the program ends, closing runs no logic
    std::function<void()> endHandler = [] { QCoreApplication::quit(); };
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

void centreOnScreen(QWidget *window)
{
    window->adjustSize();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace

Screen::Screen(ScreenId id)
    : m_id(id)
{
    setAttribute(Qt::WA_DeleteOnClose);
    registry().open.insert(id, this);
}

Screen::~Screen()
{
    Registry &r = registry();
    if (r.open.value(m_id) == this)
        r.open.remove(m_id);
}

void Screen::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous()) {
        m_placed = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void Screen::closeEvent(QCloseEvent *event)
{
    // A disabled window ignores its close control, like every other input.
    if (event->spontaneous() && !isEnabled()) {
        event->ignore();
        return;
    }
    Registry &r = registry();
    if (r.open.value(m_id) == this)
        r.open.remove(m_id);
    event->accept();
    if (!r.ending)
        closeLogic();
}

namespace Screens {

void registerScreen(ScreenId id, Factory factory)
{
    registry().factories.insert(id, std::move(factory));
}

Screen *find(ScreenId id)
{
    return registry().open.value(id);
}

bool isOpen(ScreenId id)
{
    return find(id) != nullptr;
}

Screen *show(ScreenId id)
{
    Screen *screen = find(id);
    if (!screen) {
        const Factory factory = registry().factories.value(id);
        Q_ASSERT_X(factory, "Screens::show", "window not registered");
        if (!factory)
            return nullptr;
        screen = factory();
    }
    screen->show();
    screen->raise();
    screen->activateWindow();
    return screen;
}

void hide(ScreenId id)
{
    if (Screen *screen = find(id))
        screen->hide();
}

void close(ScreenId id)
{
    if (Screen *screen = find(id))
        screen->close();
}

void setEnabled(ScreenId id, bool enabled)
{
    if (Screen *screen = find(id))
        screen->setEnabled(enabled);
}

void showMessage(ScreenId message, QWidget *opener, ScreenId disabled)
{
    Screen *window = show(message);
    if (window && opener && opener->isVisible()) {
        // Keep the message above the window it speaks for, without tying their lifetimes.
        window->winId();
        if (QWindow *handle = window->windowHandle())
            handle->setTransientParent(opener->window()->windowHandle());
    }
    setEnabled(disabled, false);
}

void discardAll()
{
    Registry &r = registry();
    const bool wasEnding = r.ending;
    r.ending = true;
    const auto open = r.open.values();
    for (const QPointer<Screen> &screen : open) {
        if (screen) {
            screen->hide();
            // Later: the caller may be one of these windows.
            screen->deleteLater();
        }
    }
    r.open.clear();
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

} // namespace Screens
