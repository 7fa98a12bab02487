// GLib's headers use "signals" as a name, which Qt defines as a macro: they have to come first.
#include <glib.h>

#include "platform/appfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr auto ProbeFileName = "/RezAzuvev.HTM"_L1;
constexpr mode_t PrivateMode = S_IRWXU;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString folderError(const QString &folder, const QString &problem, int error)
{
    return u"The folder %1 %2 (%3)."_s.arg(QDir::toNativeSeparators(folder), problem, systemReason(error));
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

QString programDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Rankwright"_L1;
}

QString rootProbePath()
{
    // Qt hands out the runtime folder only when it belongs to the user and nobody else may enter it.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = programDataFolder();
    return folder + ProbeFileName;
}

QString programProbePath()
{
    return programDataFolder() + ProbeFileName;
}

QString resultsFilePath()
{
    return programDataFolder() + "/GeneratorResults.html"_L1;
}

bool makePrivateFolder(const QString &folder, QString *errorString)
{
    const QByteArray path = QFile::encodeName(folder);
    // The umask can only take permissions away from 0700; the mode is checked below either way.
    if (g_mkdir_with_parents(path.constData(), PrivateMode) != 0) {
        *errorString = folderError(folder, u"cannot be created"_s, errno);
        return false;
    }
    // Checked and changed through one open descriptor, so that what is changed is what was checked.
    const FileDescriptor dir(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status = {};
    if (dir.get() < 0 || ::fstat(dir.get(), &status) != 0) {
        *errorString = folderError(folder, u"cannot be opened"_s, errno);
        return false;
    }
    if (status.st_uid != ::geteuid() && ::fchown(dir.get(), ::geteuid(), ::getegid()) != 0) {
        *errorString = folderError(folder, u"belongs to another user and cannot be taken over"_s, errno);
        return false;
    }
    if ((status.st_mode & 07777) != PrivateMode && ::fchmod(dir.get(), PrivateMode) != 0) {
        *errorString = folderError(folder, u"is open to other users and cannot be made private"_s, errno);
        return false;
    }
    return true;
}

bool prepareProgramFile(const QString &filePath, QString *errorString)
{
    if (!makePrivateFolder(QFileInfo(filePath).path(), errorString))
        return false;

    const QByteArray path = QFile::encodeName(filePath);
    struct stat status = {};
    if (::lstat(path.constData(), &status) != 0) {
        if (errno == ENOENT)
            return true;
        *errorString = systemReason(errno);
        return false;
    }
    // Saving replaces a plain file whole (a new file renamed over it), so its old bytes stay until the
    // new ones are complete. Anything else could lead the writing elsewhere, or could not be replaced.
    if (S_ISREG(status.st_mode) && status.st_nlink == 1)
        return true;
    const int removed = S_ISDIR(status.st_mode) ? ::rmdir(path.constData()) : ::unlink(path.constData());
    if (removed != 0) {
        *errorString = u"%1 is in the way and cannot be removed (%2)."_s.arg(QDir::toNativeSeparators(filePath),
                                                                             systemReason(errno));
        return false;
    }
    return true;
}
