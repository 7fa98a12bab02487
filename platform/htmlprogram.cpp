// GLib's headers use "signals" as a name, which Qt defines as a macro: they have to come first.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/htmlprogram.h"

#include "platform/filenames.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <chrono>
#include <memory>
#include <thread>

#include <sys/wait.h>

using namespace Qt::StringLiterals;

namespace {

// A wrapper around the browser (env, flatpak, snap, GIO's own launch helper) starts even when what it
// runs is missing, and then ends at once with an error. An end with an error within this time counts
// as a failed start; a browser that is starting still runs by then, and one that passes the page to a
// window already open ends without an error.
constexpr std::chrono::milliseconds StartCheckTime{1000};
constexpr std::chrono::milliseconds StartCheckStep{10};

struct GFreeDeleter
{
    void operator()(gpointer p) const { g_free(p); }
};
struct GObjectDeleter
{
    void operator()(gpointer p) const { g_object_unref(p); }
};
struct GErrorDeleter
{
    void operator()(GError *e) const { g_error_free(e); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;
template <typename T> using GObjectRef = std::unique_ptr<T, GObjectDeleter>;

GText contentTypeOf(const QByteArray &localPath, bool fileWritten, QByteArrayView content)
{
    if (fileWritten) {
        const GObjectRef<GFile> file(g_file_new_for_path(localPath.constData()));
        const GObjectRef<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                           G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, nullptr));
        const char *type =
            info ? g_file_info_get_attribute_string(info.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE) : nullptr;
        if (type && *type)
            return GText(g_strdup(type));
    }
    // Whatever may stand at that name (a folder nobody could remove) says nothing about HTML programs.
    return GText(g_content_type_guess(localPath.constData(), reinterpret_cast<const guchar *>(content.data()),
                                      gsize(content.size()), nullptr));
}

QString commandLineOf(GAppInfo *app)
{
    const char *commandLine = g_app_info_get_commandline(app);
    return QString::fromUtf8(commandLine ? commandLine : g_app_info_get_name(app));
}

// Waits a moment for the started process `pid` to end. Returns why it failed when it ended with an
// error, or an empty text when it ended well or still runs; a process still running is reaped when it
// ends, so that it leaves nothing behind.
QString earlyFailureOf(pid_t pid, const QString &commandLine)
{
    const QDeadlineTimer deadline(StartCheckTime);
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            break;
        if (ended < 0 && errno != EINTR)
            return {}; // reaped elsewhere: nothing to learn
        if (deadline.hasExpired()) {
            std::thread([pid] {
                int endStatus = 0;
                while (::waitpid(pid, &endStatus, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return {};
        }
        std::this_thread::sleep_for(StartCheckStep);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return {};
    if (WIFSIGNALED(status))
        return u"“%1” was ended at once by signal %2."_s.arg(commandLine).arg(WTERMSIG(status));
    return u"“%1” ended at once with exit status %2."_s.arg(commandLine).arg(WEXITSTATUS(status));
}

ProgramStart failed(const QString &reason)
{
    return {ProgramStart::Result::Failed, reason};
}

ProgramStart start(GAppInfo *app, const QString &documentArgument)
{
    GText uri;
    if (documentArgument.startsWith(u'/')) {
        // A file goes as a file: GIO passes its path for %f and %u alike, or a file address where only
        // addresses are taken.
        const GObjectRef<GFile> file(g_file_new_for_path(fileNameToBytes(documentArgument).constData()));
        uri.reset(g_file_get_uri(file.get()));
    } else {
        uri.reset(g_strdup(documentArgument.toUtf8().constData()));
        // A program that takes only files would be started with nothing to open.
        const GObjectRef<GFile> file(g_file_new_for_uri(uri.get()));
        const GText localPath(g_file_get_path(file.get()));
        if (!g_app_info_supports_uris(app) && !localPath)
            return failed(u"“%1” opens only files, not web addresses."_s.arg(commandLineOf(app)));
    }

    GList uris{uri.get(), nullptr, nullptr};
    GError *error = nullptr;
    GPid pid = 0;
    gboolean launched = FALSE;
    if (G_IS_DESKTOP_APP_INFO(app)) {
        // GIO's launcher for the desktop entry; not reaped by GIO, so that an early end can be seen.
        launched = g_desktop_app_info_launch_uris_as_manager(
            G_DESKTOP_APP_INFO(app), &uris, nullptr, GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
            nullptr, nullptr,
            [](GDesktopAppInfo *, GPid started, gpointer data) { *static_cast<GPid *>(data) = started; }, &pid, &error);
    } else {
        launched = g_app_info_launch_uris(app, &uris, nullptr, &error);
    }
    if (!launched) {
        const std::unique_ptr<GError, GErrorDeleter> owned(error);
        return failed(error ? QString::fromUtf8(error->message) : u"The program could not be started."_s);
    }
    // Started some other way (D-Bus activation) there is no process of ours to watch.
    if (pid > 0) {
        const QString reason = earlyFailureOf(pid, commandLineOf(app));
        if (!reason.isEmpty())
            return failed(reason);
    }
    return {ProgramStart::Result::Started, {}};
}

} // namespace

ProgramStart startHtmlProgram(const QString &probePath, bool probeWritten, QByteArrayView probeContent,
                              const QString &documentArgument)
{
    const GText type = contentTypeOf(fileNameToBytes(probePath), probeWritten, probeContent);
    if (!type || g_content_type_is_unknown(type.get()))
        return {};
    const GObjectRef<GAppInfo> app(g_app_info_get_default_for_type(type.get(), FALSE));
    if (!app)
        return {};
    return start(app.get(), documentArgument);
}
