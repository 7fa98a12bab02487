#include "ui/model/windowplacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace {

QScreen *workingScreen(const QWidget *window)
{
    // Where the user works now: a wizard step opens where the previous one was.
    if (const QWidget *active = QApplication::activeWindow()) {
        if (QScreen *screen = active->screen())
            return screen;
    }
    if (window->isVisible())
        return window->screen();
    return QGuiApplication::primaryScreen();
}

int preferredHeightAt(const QLayout *layout, int width)
{
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
}

} // namespace

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = workingScreen(window);
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

namespace {

// What the window system's frame really adds around `window`, once it is on the screen: a window
// manager frames a window only after it has been mapped.
std::optional<QMargins> shownFrame(const QWidget *window)
{
    if (!window->isVisible() || window->testAttribute(Qt::WA_DontShowOnScreen) ||
        (window->windowFlags() & Qt::FramelessWindowHint))
        return std::nullopt;
    const QWindow *handle = window->windowHandle();
    if (!handle || !handle->isExposed())
        return std::nullopt;
    return handle->frameMargins();
}

// The frame last seen on a window of the program: every window gets the same decorations.
QMargins &lastFrameSeen()
{
    static QMargins frame(-1, -1, -1, -1);
    return frame;
}

} // namespace

QMargins frameExtent(const QWidget *window)
{
    if (const auto frame = shownFrame(window))
        return lastFrameSeen() = *frame;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (const auto frame = shownFrame(other))
            return lastFrameSeen() = *frame;
    }
    if (lastFrameSeen().left() >= 0)
        return lastFrameSeen();
    // Nothing framed is up yet: room for a title bar, so that it does not end up off the screen.
    const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

bool isFrameKnown(const QWidget *window)
{
    return shownFrame(window).has_value();
}

void centreOnScreen(QWidget *window)
{
    const QRect area = availableArea(window);
    const QMargins extent = frameExtent(window);
    QRect frame = window->geometry().marginsAdded(extent);
    frame.moveCenter(area.center());
    // A window larger than the area keeps its title bar on the screen.
    frame.moveLeft(qMax(frame.left(), area.left()));
    frame.moveTop(qMax(frame.top(), area.top()));
    // Placed by its inside: where a window's position counts its frame depends on whether the
    // window knows its frame yet, which it may not just after the window manager framed it.
    window->setGeometry(QRect(frame.topLeft() + QPoint(extent.left(), extent.top()), window->size()));
}

int minimumHeightAt(const QWidget *window, int width)
{
    const QLayout *layout = window->layout();
    if (!layout)
        return window->minimumSizeHint().height();
    return layout->hasHeightForWidth() ? layout->totalMinimumHeightForWidth(width)
                                       : layout->totalMinimumSize().height();
}

WindowFit fitWindow(QWidget *window)
{
    window->ensurePolished();
    QLayout *layout = window->layout();
    if (!layout) {
        const QSize hint = window->sizeHint();
        return {hint, window->minimumSizeHint()};
    }
    layout->activate();
    const QMargins extent = frameExtent(window);
    const QRect area = availableArea(window);
    const QSize room(area.width() - extent.left() - extent.right(), area.height() - extent.top() - extent.bottom());

    const QSize least = layout->totalMinimumSize();
    const int widest = qMax(least.width(), room.width());

    // The narrowest width at which everything fits the height of the screen: wrapped labels
    // need fewer lines the wider they are.
    int minimumWidth = least.width();
    if (minimumHeightAt(window, minimumWidth) > room.height()) {
        int tooNarrow = minimumWidth;
        int fits = widest;
        while (fits - tooNarrow > 1) {
            const int middle = (tooNarrow + fits) / 2;
            (minimumHeightAt(window, middle) > room.height() ? tooNarrow : fits) = middle;
        }
        minimumWidth = fits;
    }

    const int width = qBound(minimumWidth, layout->totalSizeHint().width(), widest);
    const int minimumHeight = minimumHeightAt(window, width);
    const int height = qMax(minimumHeight, qMin(preferredHeightAt(layout, width), room.height()));
    return {QSize(width, height), QSize(minimumWidth, minimumHeightAt(window, minimumWidth))};
}
