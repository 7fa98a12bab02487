#include "xdgfixture.h"

#include "platform/filenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

constexpr auto BrowserEntryName = "rankwright-test-browser.desktop"_L1;

// The system's MIME database: the first data folder that has a compiled one.
QString systemMimeFolder()
{
    const QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS", u"/usr/local/share:/usr/share"_s);
    for (const QString &dir : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QFileInfo::exists(dir + "/mime/mime.cache"_L1))
            return dir + "/mime"_L1;
    }
    return {};
}

// Removes what the open folder holds, by the names' bytes. Tests make names that are not UTF-8,
// which Qt reads with a replacement character and then cannot remove (QTemporaryDir leaves them,
// and the folders above them, behind). Links are removed, never followed. False when anything stayed.
bool removeContents(int folder)
{
    const int listed = ::dup(folder);
    DIR *listing = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!listing) {
        if (listed >= 0)
            ::close(listed);
        return false;
    }
    bool removed = true;
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == ".." || ::unlinkat(folder, entry->d_name, 0) == 0)
            continue;
        if (errno != EISDIR) {
            removed = false;
            continue;
        }
        const int child = ::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        removed = child >= 0 && removeContents(child) && removed;
        if (child >= 0)
            ::close(child);
        removed = ::unlinkat(folder, entry->d_name, AT_REMOVEDIR) == 0 && removed;
    }
    ::closedir(listing);
    return removed;
}

} // namespace

XdgFixture::XdgFixture()
{
    if (!m_dir.isValid()) {
        m_error = u"Cannot create a temporary folder: "_s + m_dir.errorString();
        return;
    }
    // The destructor removes it, names of any bytes included.
    m_dir.setAutoRemove(false);
    const QString shared = path() + "/share"_L1;
    const QString configDirs = path() + "/etc-xdg"_L1;
    QDir root(path());
    const QStringList folders{
        dataHome() + "/applications"_L1, configHome(), shared, configDirs, path() + "/bin"_L1, path() + "/calls"_L1};
    for (const QString &folder : folders) {
        if (!root.mkpath(folder)) {
            m_error = u"Cannot create "_s + folder;
            return;
        }
    }
    // Qt and GLib accept a runtime folder only if nobody else may enter it.
    if (!root.mkpath(runtimeDir()) ||
        !QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        m_error = u"Cannot create "_s + runtimeDir();
        return;
    }

    // Linked, not copied: the database is large and only read. Removing the fixture removes the link,
    // never what it points at.
    const QString mime = systemMimeFolder();
    if (mime.isEmpty()) {
        m_error = u"No MIME database found (is shared-mime-info installed?)"_s;
        return;
    }
    if (!QFile::link(mime, shared + "/mime"_L1)) {
        m_error = u"Cannot link the MIME database into "_s + shared;
        return;
    }

    m_variables = {
        {"XDG_DATA_HOME", dataHome()},
        {"XDG_CONFIG_HOME", configHome()},
        {"XDG_DATA_DIRS", shared},
        {"XDG_CONFIG_DIRS", configDirs},
        {"XDG_RUNTIME_DIR", runtimeDir()},
        // Desktop-specific default lists (gnome-mimeapps.list and the like) must not apply.
        {"XDG_CURRENT_DESKTOP", std::nullopt},
        // Keep GIO from reaching out to desktop services.
        {"GIO_USE_VFS", u"local"_s},
        {"GIO_USE_VOLUME_MONITOR", u"unix"_s},
        {"GSETTINGS_BACKEND", u"memory"_s},
    };
}

XdgFixture::~XdgFixture()
{
    for (auto it = m_savedVariables.cbegin(); it != m_savedVariables.cend(); ++it) {
        if (it.value())
            qputenv(it.key().constData(), *it.value());
        else
            qunsetenv(it.key().constData());
    }
    if (!m_dir.isValid())
        return;
    const QByteArray root = QFile::encodeName(path());
    const int folder = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const bool emptied = folder >= 0 && removeContents(folder);
    if (folder >= 0)
        ::close(folder);
    // Something still writing there (a browser left running, say) keeps it; say so rather than leave it unseen.
    if (!emptied || ::rmdir(root.constData()) != 0)
        qWarning("XdgFixture: could not remove all of %s", root.constData());
}

QString XdgFixture::installBrowser(const QByteArray &script, const QString &fieldCode)
{
    const QString program = path() + "/bin/browser"_L1;
    if (!writeFile(program, script) ||
        !QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
        !registerBrowserEntry(quotedExecArgument(program) + u' ' + fieldCode))
        return {};
    return program;
}

QString XdgFixture::installRecordingBrowser()
{
    // Each call writes its own file, under a temporary name first, so a reader never sees half a call.
    // Every argument is followed by a NUL byte, which no argument can contain.
    const QByteArray calls = quotedShellWord(path() + "/calls"_L1);
    return installBrowser("#!/bin/sh\n"
                          "tmp=" +
                          calls +
                          "/.call-$$\n"
                          "printf '%s\\0' \"$@\" > \"$tmp\" && mv \"$tmp\" " +
                          calls + "/call-$$\n");
}

bool XdgFixture::registerBrowserEntry(const QString &execLine)
{
    const QByteArray entry = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Test Browser\n"
                             "NoDisplay=true\n"
                             "MimeType=text/html;\n"
                             "Exec=" +
                             execLine.toUtf8() + "\n";
    const QByteArray defaults = "[Default Applications]\n"
                                "text/html=" +
                                QByteArray(BrowserEntryName.data()) + "\n";
    return writeFile(dataHome() + "/applications/"_L1 + BrowserEntryName, entry) &&
           writeFile(configHome() + "/mimeapps.list"_L1, defaults);
}

QList<QStringList> XdgFixture::browserCalls() const
{
    QList<QStringList> calls;
    const QDir folder(path() + "/calls"_L1);
    for (const QString &name : folder.entryList({u"call-*"_s}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QStringList arguments;
        QByteArray content = file.readAll();
        if (!content.isEmpty()) {
            content.chop(1); // the NUL after the last argument
            for (const QByteArray &argument : content.split('\0'))
                arguments.append(fileNameFromBytes(argument)); // byte for byte, UTF-8 or not
        }
        calls.append(arguments);
    }
    return calls;
}

void XdgFixture::setVariable(const QByteArray &name, const std::optional<QString> &value)
{
    m_variables.insert(name, value);
}

QProcessEnvironment XdgFixture::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it) {
        if (it.value())
            environment.insert(QString::fromLatin1(it.key()), *it.value());
        else
            environment.remove(QString::fromLatin1(it.key()));
    }
    return environment;
}

void XdgFixture::applyToThisProcess()
{
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it) {
        const char *name = it.key().constData();
        if (!m_savedVariables.contains(it.key())) {
            m_savedVariables.insert(it.key(), qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                                                              : std::nullopt);
        }
        if (it.value())
            qputenv(name, QFile::encodeName(*it.value()));
        else
            qunsetenv(name);
    }
}

QString XdgFixture::quotedExecArgument(const QString &text)
{
    // Inside double quotes a desktop entry escapes ", `, $ and \ with a backslash.
    QString quoted = u"\""_s;
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

QByteArray XdgFixture::quotedShellWord(const QString &text)
{
    QByteArray quoted = QFile::encodeName(text);
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}

bool XdgFixture::writeFile(const QString &filePath, const QByteArray &content)
{
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        m_error = u"Cannot write "_s + filePath + u": "_s + file.errorString();
        return false;
    }
    return true;
}
