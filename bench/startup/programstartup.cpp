// The program's start-up as its users see it: the real splash and main menu, started exactly as the
// program starts them, with the same libraries. It prints how long after the process started the
// splash and then the main menu were first painted, and the peak memory when the main menu was, and
// ends there (the program itself has no way out without a user).

#include "processfigures.h"
#include "ui/programstart.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

class StartupReport : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow())
            return false;
        const QString name = watched->objectName();
        // Reported once the paint is done, on the next turn of the event loop.
        if (!m_splashShown && name == QLatin1String("frmSplash")) {
            m_splashShown = true;
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::printf("splash shown after %lld ms\n",
                                static_cast<long long>(millisecondsSinceProcessStart()));
                    std::fflush(stdout);
                },
                Qt::QueuedConnection);
        } else if (name == QLatin1String("frmMain")) {
            QCoreApplication::instance()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [] {
                    std::printf("main menu shown after %lld ms, peak memory %lld kB\n",
                                static_cast<long long>(millisecondsSinceProcessStart()),
                                static_cast<long long>(peakMemoryKb()));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_splashShown = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartupReport report;
    app.installEventFilter(&report);
    startProgram();
    return app.exec();
}
