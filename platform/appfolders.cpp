#include "platform/appfolders.h"

#include "platform/filedescriptor.h"
#include "platform/filenames.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr auto ProbeFileName = "/RezAzuvev.HTM"_L1;
constexpr mode_t PrivateMode = S_IRWXU;

QString folderError(const QString &folder, const QString &problem, int error)
{
    return u"The folder %1 %2 (%3)."_s.arg(QDir::toNativeSeparators(folder), problem, systemReason(error));
}

// The folders come from the environment as bytes and go to the system as bytes (see filenames.h).
// A relative value is no folder at all under the XDG Base Directory rules: it is ignored as if unset.
QByteArray absoluteVariable(const char *name)
{
    const QByteArray value = qgetenv(name);
    return value.startsWith('/') ? value : QByteArray();
}

QByteArray homeFolder()
{
    QByteArray home = absoluteVariable("HOME");
    if (home.isEmpty()) {
        if (const passwd *user = ::getpwuid(::geteuid()); user && user->pw_dir)
            home = user->pw_dir;
    }
    return home;
}

QByteArray dataHome()
{
    const QByteArray dataHome = absoluteVariable("XDG_DATA_HOME");
    return dataHome.isEmpty() ? homeFolder() + "/.local/share" : dataHome;
}

// The runtime folder, when it is what the rules ask of one: a folder of the user's that nobody else
// may enter. Otherwise empty.
QByteArray runtimeFolder()
{
    const QByteArray folder = absoluteVariable("XDG_RUNTIME_DIR");
    struct stat status = {};
    if (folder.isEmpty() || ::stat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & 07777) != PrivateMode)
        return {};
    return folder;
}

QByteArray withoutTrailingSlashes(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

// Makes `path` and any missing folders above it, each private. A folder is made only inside a folder of
// the user's own, or one shared by design (sticky, like /tmp): never inside another user's folder, not
// even by root.
bool createFolders(const QByteArray &path, QString *errorString)
{
    struct stat status = {};
    if (::stat(path.constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return true;
        *errorString = folderError(fileNameFromBytes(path), u"cannot be created"_s, ENOTDIR);
        return false;
    }
    if (errno != ENOENT) {
        *errorString = folderError(fileNameFromBytes(path), u"cannot be opened"_s, errno);
        return false;
    }
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray parent = slash > 0 ? withoutTrailingSlashes(path.left(slash)) : QByteArray("/");
    if (!createFolders(parent, errorString))
        return false;
    if (::stat(parent.constData(), &status) != 0) {
        *errorString = folderError(fileNameFromBytes(parent), u"cannot be opened"_s, errno);
        return false;
    }
    if (status.st_uid != ::geteuid() && !(status.st_mode & S_ISVTX)) {
        *errorString = u"The folder %1 belongs to another user; nothing is made in it."_s.arg(
            QDir::toNativeSeparators(fileNameFromBytes(parent)));
        return false;
    }
    // The umask can only take permissions away from 0700; the mode is checked afterwards either way.
    if (::mkdir(path.constData(), PrivateMode) != 0 && errno != EEXIST) {
        *errorString = folderError(fileNameFromBytes(path), u"cannot be created"_s, errno);
        return false;
    }
    return true;
}

} // namespace

QString programDataFolder()
{
    return fileNameFromBytes(QByteArray(dataHome() + "/Rankwright"));
}

QString rootProbePath()
{
    const QByteArray folder = runtimeFolder();
    return (folder.isEmpty() ? programDataFolder() : fileNameFromBytes(folder)) + ProbeFileName;
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
    const QByteArray path = withoutTrailingSlashes(fileNameToBytes(folder));
    if (!path.startsWith('/')) {
        *errorString = folderError(folder, u"cannot be used"_s, ENOENT);
        return false;
    }
    if (!createFolders(path, errorString))
        return false;
    // Checked and changed through one open descriptor, so that what is changed is what was checked.
    const FileDescriptor dir(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat status = {};
    if (dir.get() < 0 || ::fstat(dir.get(), &status) != 0) {
        *errorString = folderError(folder, u"cannot be opened"_s, errno);
        return false;
    }
    // Another user's folder is theirs, whoever runs the program: it is neither taken over nor used.
    if (status.st_uid != ::geteuid()) {
        *errorString =
            u"The folder %1 belongs to another user; it is left as it is."_s.arg(QDir::toNativeSeparators(folder));
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

    const QByteArray path = fileNameToBytes(filePath);
    struct stat status = {};
    if (::lstat(path.constData(), &status) != 0) {
        if (errno == ENOENT)
            return true;
        *errorString = systemReason(errno);
        return false;
    }
    if (status.st_uid != ::geteuid()) {
        *errorString = u"%1 belongs to another user; it is left as it is."_s.arg(QDir::toNativeSeparators(filePath));
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
