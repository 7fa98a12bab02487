// The yardstick for the program's start-up: a bare Qt Widgets program that shows one empty window.
// It prints, like the program with RANKWRIGHT_REPORT_STARTUP set, how long after the process
// started the window was first painted and the peak memory then, and ends.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>

#include <cstdio>

#include <time.h>
#include <unistd.h>

namespace {

// Milliseconds since the kernel created this process (one clock tick of resolution).
qint64 millisecondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec now{};
    if (!stat.open(QIODevice::ReadOnly) || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const qint64 startTicks = fields.value(19).toLongLong();
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000 - startTicks * 1000 / sysconf(_SC_CLK_TCK);
}

qint64 peakMemoryKb()
{
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
