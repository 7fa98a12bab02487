#include "platform/pagefile.h"

#include "platform/filedescriptor.h"
#include "platform/filenames.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Why a thing that is not a plain file cannot take a page; empty for a plain file.
QString notAFile(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return u"It is a folder."_s;
    if (S_ISFIFO(mode))
        return u"It is a named pipe, not a file."_s;
    if (S_ISSOCK(mode))
        return u"It is a socket, not a file."_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"It is a device, not a file."_s;
    return u"It is not a file."_s;
}

QString notTheUsers(const struct stat &status)
{
    if (status.st_uid == ::geteuid())
        return {};
    return u"It belongs to another user, so it is left as it is."_s;
}

bool fail(QString *errorString, const QString &reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

// Writes all of `bytes` at `offset`; returns 0 or the error.
int writeAll(int fd, const char *bytes, qsizetype size, off_t offset)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t written = ::pwrite(fd, bytes + done, size_t(size - done), offset + off_t(done));
        if (written > 0)
            done += written;
        else if (written == 0)
            return EIO;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Whether the file system holds room for the file at `fd` to grow from its blocks now to `size`
// bytes. Reserved where the file system can; counted from its free blocks where it cannot
// (ext2, some network and FUSE file systems), with room for the blocks that index the new ones.
int reserveRoom(int fd, const struct stat &status, qsizetype size)
{
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    struct statvfs fileSystem = {};
    if (::fstatvfs(fd, &fileSystem) != 0)
        return errno;
    const quint64 block = fileSystem.f_frsize ? fileSystem.f_frsize : fileSystem.f_bsize;
    const quint64 needed = (quint64(size) + block - 1) / block;
    const quint64 held = quint64(status.st_blocks) * 512 / block;
    if (needed <= held)
        return 0;
    const quint64 indexBlocks = needed / (block / 4) + 4;
    // Root may use the blocks the file system keeps back; anyone else may not.
    const quint64 free = ::geteuid() == 0 ? fileSystem.f_bfree : fileSystem.f_bavail;
    return needed - held + indexBlocks <= free ? 0 : ENOSPC;
}

// Rewrites the plain file `name`, the user's own, through itself. Room is made sure of before a byte
// changes; the part beyond the old end is written first and taken back if that fails, so the old
// bytes change only once the new length is in place. The file ends at the page's end.
bool writeInPlace(const QByteArray &name, const QByteArray &bytes, QString *errorString)
{
    // Not blocking and not following a link: a pipe put there since the check makes the open fail
    // or is seen below, never waited on.
    FileDescriptor fd(::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(errorString, systemReason(errno));
    struct stat status = {};
    if (::fstat(fd.get(), &status) != 0)
        return fail(errorString, systemReason(errno));
    if (const QString reason = notAFile(status.st_mode); !reason.isEmpty())
        return fail(errorString, reason);
    if (const QString reason = notTheUsers(status); !reason.isEmpty())
        return fail(errorString, reason);

    int error = reserveRoom(fd.get(), status, bytes.size());
    const qsizetype oldSize = qsizetype(status.st_size);
    if (error == 0 && bytes.size() > oldSize) {
        error = writeAll(fd.get(), bytes.constData() + oldSize, bytes.size() - oldSize, off_t(oldSize));
        if (error != 0) {
            if (::ftruncate(fd.get(), off_t(oldSize)) != 0)
                error = errno;
            return fail(errorString, systemReason(error));
        }
    }
    if (error == 0)
        error = writeAll(fd.get(), bytes.constData(), qMin(bytes.size(), oldSize), 0);
    if (error == 0 && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd.get()) != 0)
        error = errno;
    if (fd.close() != 0 && error == 0)
        error = errno;
    if (error != 0)
        return fail(errorString, systemReason(error));
    return true;
}

// A new file beside `name`, for the page to be renamed over it; created exclusively, never through a
// link. Hidden, so a file manager does not show it for the moment it exists.
int createTemporary(const QByteArray &name, QByteArray *temporaryName)
{
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = name.left(slash + 1);
    // Room for the dot and the suffix within the longest name a folder holds.
    const QByteArray base = name.mid(slash + 1).left(NAME_MAX - 16);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryName =
            folder + '.' + base + '.' + QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 36);
        const int fd = ::open(temporaryName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

bool writePageFile(const QString &path, const QString &pageText, QString *errorString)
{
    const QByteArray bytes = (pageText + "\r\n"_L1).toUtf8();
    if (path.isEmpty())
        return fail(errorString, systemReason(ENOENT));
    QByteArray name = fileNameToBytes(path);

    // What is there decides everything else; nothing is opened before it is known to be a plain file.
    struct stat status = {};
    bool exists = ::lstat(name.constData(), &status) == 0;
    if (!exists && errno != ENOENT)
        return fail(errorString, systemReason(errno));
    if (exists && S_ISLNK(status.st_mode)) {
        // The page goes to the file the link names, and the link stays.
        const std::unique_ptr<char, decltype(&std::free)> target(::realpath(name.constData(), nullptr), &std::free);
        if (!target)
            return fail(errorString,
                        errno == ENOENT ? u"It is a link to something that does not exist."_s : systemReason(errno));
        name = target.get();
        if (::lstat(name.constData(), &status) != 0)
            return fail(errorString, systemReason(errno));
    }
    if (exists) {
        if (const QString reason = notAFile(status.st_mode); !reason.isEmpty())
            return fail(errorString, reason);
        if (const QString reason = notTheUsers(status); !reason.isEmpty())
            return fail(errorString, reason);
    }

    QByteArray temporaryName;
    FileDescriptor fd(createTemporary(name, &temporaryName));
    if (fd.get() < 0) {
        // A folder the user may not add files to can still hold a file the user may rewrite.
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(name, bytes, errorString);
        return fail(errorString, systemReason(errno));
    }
    int error = 0;
    if (exists) {
        // The replaced file keeps its permissions and, where the user may give it, its group.
        if (::fchmod(fd.get(), status.st_mode & 07777) != 0)
            error = errno;
        else if (::fchown(fd.get(), uid_t(-1), status.st_gid) != 0)
            errno = 0; // not a member of that group: the file takes the user's own
    }
    if (error == 0)
        error = writeAll(fd.get(), bytes.constData(), bytes.size(), 0);
    if (error == 0 && ::fsync(fd.get()) != 0)
        error = errno;
    if (fd.close() != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporaryName.constData(), name.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporaryName.constData());
        return fail(errorString, systemReason(error)); // the old file stays as it was
    }
    return true;
}
