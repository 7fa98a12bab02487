#include "ui/model/windowplacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

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

QMargins frameExtent(const QWidget *window)
{
    // A framed window that is up tells what the window system adds; QWidget's frame geometry
    // includes it once the window is mapped.
    auto extentOf = [](const QWidget *w) {
        const QRect frame = w->frameGeometry();
        const QRect inner = w->geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    };
    if (window->isVisible() && !window->testAttribute(Qt::WA_DontShowOnScreen))
        return extentOf(window);
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other->isVisible() && !(other->windowFlags() & Qt::FramelessWindowHint))
            return extentOf(other);
    }
    // Nothing framed is up yet: room for a title bar, so that it does not end up off the screen.
    const int border = window->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return {border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
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
    window->move(frame.topLeft());
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
