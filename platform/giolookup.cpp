// GLib's headers use "signals" as a name, which Qt defines as a macro: they have to come first.
#include <gio/gio.h>

#include "platform/giolookup.h"

#include <QFile>

#include <memory>

namespace {

struct GFreeDeleter
{
    void operator()(gpointer p) const { g_free(p); }
};
struct GObjectDeleter
{
    void operator()(gpointer p) const { g_object_unref(p); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;
template<typename T>
using GObjectRef = std::unique_ptr<T, GObjectDeleter>;

GText contentTypeOf(const QByteArray &localPath)
{
    const GObjectRef<GFile> file(g_file_new_for_path(localPath.constData()));
    const GObjectRef<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                       G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    if (info) {
        const char *type =
            g_file_info_get_attribute_string(info.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE);
        if (type && *type)
            return GText(g_strdup(type));
    }
    return GText(g_content_type_guess(localPath.constData(), nullptr, 0, nullptr));
}

// The program a desktop entry runs. The command line is split the way GLib itself splits it when it
// launches the entry, since g_app_info_get_executable() keeps the quotes of a quoted program path.
GText executableOf(GAppInfo *app)
{
    if (const char *commandLine = g_app_info_get_commandline(app)) {
        gchar **argv = nullptr;
        if (g_shell_parse_argv(commandLine, nullptr, &argv, nullptr)) {
            GText program(g_strdup(argv[0]));
            g_strfreev(argv);
            return program;
        }
    }
    return GText(g_strdup(g_app_info_get_executable(app)));
}

} // namespace

QString defaultProgramFor(const QString &filePath)
{
    const GText type = contentTypeOf(QFile::encodeName(filePath));
    if (!type || g_content_type_is_unknown(type.get()))
        return {};

    const GObjectRef<GAppInfo> app(g_app_info_get_default_for_type(type.get(), FALSE));
    if (!app)
        return {};

    const GText executable = executableOf(app.get());
    if (!executable || !*executable)
        return {};

    const GText program(g_find_program_in_path(executable.get()));
    if (!program)
        return {};
    return QFile::decodeName(program.get());
}
