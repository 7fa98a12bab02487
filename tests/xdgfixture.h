#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A private desktop for tests: a temporary folder that the XDG variables point at, holding the
// system's MIME database (so ".HTM" is text/html), and, on request, a browser registered as the
// default program for text/html.
//
// GIO reads the XDG folders once per process and caches what it found. So either run the code under
// test in a child process started with environment(), or call applyToThisProcess() before anything
// in this process has used GIO and keep that one fixture, with its browser, for the rest of the process.
//
// Installing a browser of one's own, for instance a wrapper around headless Chromium:
//
//     XdgFixture desktop;
//     desktop.installBrowser("#!/bin/sh\nexec chromium --headless --dump-dom \"$1\" > '/some/file'\n");
//     desktop.applyToThisProcess();   // or: process.setProcessEnvironment(desktop.environment())
class XdgFixture
{
public:
    XdgFixture();
    ~XdgFixture();
    XdgFixture(const XdgFixture &) = delete;
    XdgFixture &operator=(const XdgFixture &) = delete;

    // False when the folder or the MIME database could not be set up; errorString() says why.
    bool isValid() const { return m_error.isEmpty(); }
    QString errorString() const { return m_error; }

    // The whole private desktop (tests may add files of their own) and the folders the variables name.
    QString path() const { return m_dir.path(); }
    QString dataHome() const { return path() + QStringLiteral("/data"); }      // XDG_DATA_HOME
    QString configHome() const { return path() + QStringLiteral("/config"); }  // XDG_CONFIG_HOME
    QString runtimeDir() const { return path() + QStringLiteral("/runtime"); } // XDG_RUNTIME_DIR

    // Writes `script` (complete, with its #! line) as an executable program and registers it as the
    // default program for text/html; the desktop entry runs it with `fieldCode` (%u or %f). Returns the
    // script's path, or an empty text after a failure.
    QString installBrowser(const QByteArray &script, const QString &fieldCode = QStringLiteral("%u"));
    // A browser that records every call; browserCalls() reads them back.
    QString installRecordingBrowser();
    // Registers a desktop entry with this Exec line as the default program for text/html.
    bool registerBrowserEntry(const QString &execLine);

    // The arguments of each call of the recording browser, in no particular order, read as the
    // program reads file names (see platform/filenames.h). A call appears complete or not at all.
    QList<QStringList> browserCalls() const;

    // Further variables for the desktop (an empty optional removes the variable); applied by
    // environment() and applyToThisProcess() alike.
    void setVariable(const QByteArray &name, const std::optional<QString> &value);

    // The current process environment with this desktop's variables.
    QProcessEnvironment environment() const;
    // Puts this desktop's variables into this process; the destructor restores the old values.
    void applyToThisProcess();

    // Quotes `text` as one argument for a desktop entry's Exec line.
    static QString quotedExecArgument(const QString &text);
    // Quotes `text` as one word for sh.
    static QByteArray quotedShellWord(const QString &text);

private:
    bool writeFile(const QString &filePath, const QByteArray &content);

    QTemporaryDir m_dir;
    QString m_error;
    QMap<QByteArray, std::optional<QString>> m_variables;
    QMap<QByteArray, std::optional<QByteArray>> m_savedVariables;
};
