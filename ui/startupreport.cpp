#include "ui/startupreport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>

#ifdef Q_OS_LINUX
#include <time.h>
#include <unistd.h>
#endif

namespace {

// Milliseconds since the kernel created this process, so that loading the libraries counts too
// (one clock tick of resolution, 10 ms on most systems); elsewhere since this report was set up.
qint64 millisecondsSinceProcessStart(const QElapsedTimer &fallback)
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec now{};
    if (stat.open(QIODevice::ReadOnly) && clock_gettime(CLOCK_BOOTTIME, &now) == 0) {
        const QByteArray line = stat.readAll();
        // The fields after the command name, which is in parentheses and may hold blanks; the start
        // time, field 22, is the 20th of them.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        bool ok = false;
        const qint64 startTicks = fields.value(19).toLongLong(&ok);
        const long ticksPerSecond = sysconf(_SC_CLK_TCK);
        if (ok && ticksPerSecond > 0)
            return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000 - startTicks * 1000 / ticksPerSecond;
    }
#endif
    return fallback.elapsed();
}

// The peak resident memory so far in kB, or -1 where the system does not tell.
qint64 peakMemoryKb()
{
    // Read whole: files under /proc claim to be empty, so reading up to their size reads nothing.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

class StartupReport : public QObject
{
public:
    StartupReport() { m_sinceSetUp.start(); }

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
                this, [this] { print("splash shown after %lld ms\n"); }, Qt::QueuedConnection);
        } else if (name == QLatin1String("frmMain")) {
            QCoreApplication::instance()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    std::printf("main menu shown after %lld ms, peak memory %lld kB\n",
                                static_cast<long long>(millisecondsSinceProcessStart(m_sinceSetUp)),
                                static_cast<long long>(peakMemoryKb()));
                    std::fflush(stdout);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    void print(const char *format)
    {
        std::printf(format, static_cast<long long>(millisecondsSinceProcessStart(m_sinceSetUp)));
        std::fflush(stdout);
    }

    QElapsedTimer m_sinceSetUp;
    bool m_splashShown = false;
};

} // namespace

void reportStartupWhenAsked()
{
    if (!qEnvironmentVariableIsSet("RANKWRIGHT_REPORT_STARTUP"))
        return;
    auto *report = new StartupReport;
    report->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(report);
}
