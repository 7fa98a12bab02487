#include "generator/pagefile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class InPlace { Written, Failed, NotPossible };

// Rewrites the existing file at `path` through itself. The room for the new bytes is reserved before
// the first of them is written: when the disk is full, the old bytes stay untouched.
InPlace writeInPlace(const QString &path, const QByteArray &bytes, QString *errorString)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return InPlace::NotPossible;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return InPlace::NotPossible;
    }
    int error = ::posix_fallocate(fd, 0, bytes.size());
    // Some file systems cannot reserve room; the write itself then tells.
    if (error == EOPNOTSUPP || error == EINVAL)
        error = 0;
    for (qsizetype done = 0; error == 0 && done < bytes.size();) {
        const ssize_t written = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (written > 0)
            done += written;
        else if (written < 0 && errno != EINTR)
            error = errno;
    }
    if (error == 0 && ::ftruncate(fd, bytes.size()) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        if (errorString)
            *errorString = QString::fromLocal8Bit(std::strerror(error));
        return InPlace::Failed;
    }
    return InPlace::Written;
}

} // namespace

bool writePageFile(const QString &path, const QString &pageText, QString *errorString)
{
    const QByteArray bytes = (pageText + QLatin1String("\r\n")).toUtf8();
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full) is seen here: a failing flush inside commit()
    // would not stop the rename.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A folder the user may not add files to can still hold a file the user may rewrite.
        switch (writeInPlace(path, bytes, errorString)) {
        case InPlace::Written:
            return true;
        case InPlace::Failed:
            return false;
        case InPlace::NotPossible:
            break;
        }
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    // Write until done; after a short write the next call reports the reason (disk full...).
    for (qsizetype done = 0; done < bytes.size();) {
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
