#include "platform/browserlauncher.h"

#include "platform/appfolders.h"
#include "platform/filenames.h"
#include "platform/htmlprogram.h"

#include <QByteArrayView>
#include <QFileInfo>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The text <HTML> <\HTML> as one quoted item and a line end: enough for any look-up to call it HTML.
constexpr char ProbeBytes[] = "\"<HTML> <\\HTML>\"\r\n";
constexpr QByteArrayView ProbeContent(ProbeBytes, sizeof ProbeBytes - 1);
static_assert(ProbeContent.size() == 18);

// Writes a new probe file at `path`. Whatever had that name is removed, not opened (a folder only
// when empty), and the new file is created exclusively, so a link planted under that name is never
// followed. Returns whether the file was written, so that only our own file gets removed afterwards.
bool writeProbe(const QString &path)
{
    const QByteArray name = fileNameToBytes(path);
    // Anything of another user's stays; the look-up then goes by the name.
    struct stat status = {};
    if (::lstat(name.constData(), &status) == 0 && status.st_uid != ::geteuid())
        return false;
    if (::unlink(name.constData()) != 0 && errno == EISDIR)
        ::rmdir(name.constData());
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, ProbeContent.data(), size_t(ProbeContent.size())) == ProbeContent.size();
    ::close(fd);
    return written;
}

} // namespace

ProbeFile::ProbeFile(const QString &path)
    : m_path(path)
{
}

ProbeFile::~ProbeFile()
{
    remove();
}

ProbeFile::ProbeFile(ProbeFile &&other) noexcept
    : m_path(std::exchange(other.m_path, QString()))
{
}

ProbeFile &ProbeFile::operator=(ProbeFile &&other) noexcept
{
    if (this != &other) {
        remove();
        m_path = std::exchange(other.m_path, QString());
    }
    return *this;
}

void ProbeFile::remove()
{
    // A probe left behind holds nothing of value and is replaced by the next hand-off.
    if (!m_path.isEmpty())
        ::unlink(fileNameToBytes(std::exchange(m_path, QString())).constData());
}

BrowserLaunch launchBrowser(const QString &probePath, const QString &documentArgument)
{
    BrowserLaunch launch;
    if (!makePrivateFolder(QFileInfo(probePath).path(), &launch.reason)) {
        launch.outcome = BrowserLaunch::Outcome::FolderNotPrivate;
        return launch;
    }
    // If the probe cannot be written (or only in part), the look-up goes by its name and the bytes it
    // would hold, which is what decides the type anyway, so the user still gets the browser or a warning.
    const bool written = writeProbe(probePath);
    if (written)
        launch.probe = ProbeFile(probePath);

    const ProgramStart started = startHtmlProgram(probePath, written, ProbeContent, documentArgument);
    switch (started.result) {
    case ProgramStart::Result::Started:
        launch.outcome = BrowserLaunch::Outcome::Started;
        break;
    case ProgramStart::Result::NoProgram:
        launch.outcome = BrowserLaunch::Outcome::NoBrowser;
        break;
    case ProgramStart::Result::Failed:
        launch.outcome = BrowserLaunch::Outcome::StartFailed;
        launch.reason = started.reason;
        break;
    }
    return launch;
}
