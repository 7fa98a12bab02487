#include "generator/pagefile.h"

#include <QSaveFile>

bool writePageFile(const QString &path, const QString &pageText, QString *errorString)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full) is seen here: a failing flush inside commit()
    // would not stop the rename.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    const QByteArray bytes = (pageText + QLatin1String("\r\n")).toUtf8();
    // Write until done; after a short write the next call reports the reason (disk full...).
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            if (errorString)
                *errorString = file.errorString();
            return false; // the old file stays as it was
        }
        done += written;
    }
    if (!file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}
