// The yardstick for the program's start-up: a bare Qt Widgets program that shows one empty window.
// It prints, like programstartup does for the program, how long after the process started the window
// was first painted and the peak memory then, and ends.

#include "processfigures.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

namespace {

class EmptyWindow : public QWidget
{
protected:
    bool event(QEvent *event) override
    {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::printf("window shown after %lld ms, peak memory %lld kB\n",
                                static_cast<long long>(millisecondsSinceProcessStart()),
                                static_cast<long long>(peakMemoryKb()));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return handled;
    }

private:
    bool m_reported = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(400, 300);
    window.show();
    return app.exec();
}
