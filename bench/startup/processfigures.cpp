#include "processfigures.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <time.h>
#include <unistd.h>

qint64 millisecondsSinceProcessStart()
{
    // Read whole: files under /proc claim to be empty, so reading up to their size reads nothing.
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec now{};
    if (!stat.open(QIODevice::ReadOnly) || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which is in parentheses and may hold blanks; the start time,
    // field 22, is the 20th of them.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    bool ok = false;
    const qint64 startTicks = fields.value(19).toLongLong(&ok);
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    if (!ok || ticksPerSecond <= 0)
        return -1;
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000 - startTicks * 1000 / ticksPerSecond;
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
