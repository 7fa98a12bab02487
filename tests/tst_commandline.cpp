#include "platform/xdgvariables.h"
#include "ui/programstart.h"
#include "xdgfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString Program = QStringLiteral(RANKWRIGHT_PROGRAM);
const QStringList SessionVariables{u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s};

// The environment of this test without any display or platform choice, plus `variables`.
QProcessEnvironment environmentWith(const QStringList &variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : SessionVariables)
        environment.remove(name);
    for (const QString &variable : variables) {
        const qsizetype equals = variable.indexOf(u'=');
        environment.insert(variable.left(equals), variable.mid(equals + 1));
    }
    return environment;
}

// A private X server, for as long as the object lives.
class XServer
{
public:
    XServer()
    {
        // Xvfb writes its display number once it takes connections.
        m_server.start(u"Xvfb"_s,
                       {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s});
        if (!m_server.waitForStarted()) {
            m_failure = u"Xvfb did not start: "_s + m_server.errorString();
            return;
        }
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000))
            number += m_server.readAllStandardOutput();
        if (number.contains('\n'))
            m_display = u":"_s + QString::fromLatin1(number.trimmed());
        else
            m_failure = u"Xvfb did not start: "_s + QString::fromLocal8Bit(m_server.readAllStandardError());
    }
    ~XServer()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    QString display() const { return m_display; }
    // Why there is no display, in Xvfb's words.
    QString failure() const { return m_failure; }

    // Whether a window with this title is on the server.
    bool hasWindow(const QString &title) const
    {
        QProcess info;
        info.start(u"xwininfo"_s, {u"-display"_s, m_display, u"-root"_s, u"-tree"_s});
        info.waitForFinished();
        return QString::fromLocal8Bit(info.readAllStandardOutput()).contains(u'"' + title + u'"');
    }

    // Runs one of the X tools (xdotool, xprop) on this server; whether it succeeded, and what it printed.
    bool tool(const QString &program, const QStringList &arguments, QString *output = nullptr) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, m_display);
        tool.setProcessEnvironment(environment);
        tool.start(program, arguments);
        if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return false;
        if (output)
            *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
        return true;
    }

    // Waits for a window of the program that is not among `seen` (the splash aside), gives it the
    // keyboard and adds it to `seen`. False when none came.
    bool focusNewWindow(QStringList &seen) const
    {
        for (int i = 0; i < 300; ++i) {
            QString shown;
            tool(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Rankwright Assistant 5\\.0$"_s},
                 &shown);
            for (const QString &window : shown.split(u'\n', Qt::SkipEmptyParts)) {
                if (seen.contains(window))
                    continue;
                seen.append(window);
                QString type;
                tool(u"xprop"_s, {u"-id"_s, window, u"_NET_WM_WINDOW_TYPE"_s}, &type);
                if (type.contains(u"SPLASH"_s))
                    continue;
                return tool(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, window});
            }
            QTest::qWait(100);
        }
        return false;
    }

    // Presses the keys, as xdotool names them, one after the other; types the text.
    bool keys(const QStringList &names) const
    {
        return names.isEmpty() || tool(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"60"_s} + names);
    }
    bool type(const QString &text) const
    {
        return text.isEmpty() || tool(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"30"_s, text});
    }

private:
    QProcess m_server;
    QString m_display;
    QString m_failure;
};

// A Wayland compositor (weston, without a screen), for as long as the object lives. Clients reach it
// by the socket name in its runtime folder.
class WaylandCompositor
{
public:
    WaylandCompositor()
    {
        if (!m_runtime.isValid())
            return;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        m_compositor.setProcessEnvironment(environment);
        m_compositor.setProcessChannelMode(QProcess::MergedChannels);
        m_compositor.start(u"weston"_s,
                           {u"--backend=headless-backend.so"_s, u"--socket="_s + socketName(), u"--idle-time=0"_s});
        if (!m_compositor.waitForStarted())
            return;
        // Waiting ends when weston has ended: it will not make its socket then.
        for (int i = 0; i < 100 && !QFile::exists(m_runtime.filePath(socketName())); ++i) {
            if (m_compositor.waitForFinished(100))
                break;
        }
        m_running = QFile::exists(m_runtime.filePath(socketName()));
    }
    ~WaylandCompositor()
    {
        m_compositor.terminate();
        m_compositor.waitForFinished();
    }
    WaylandCompositor(const WaylandCompositor &) = delete;
    WaylandCompositor &operator=(const WaylandCompositor &) = delete;

    bool isRunning() const { return m_running; }
    // What weston said, to tell why it is not running.
    QString output() { return QString::fromLocal8Bit(m_compositor.readAll()); }
    QString runtimeFolder() const { return m_runtime.path(); }
    static QString socketName() { return u"rankwright-test"_s; }

private:
    QTemporaryDir m_runtime;
    QProcess m_compositor;
    bool m_running = false;
};

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutWindow_data();
    void answersWithoutWindow();
    void runsOffscreenWithoutDisplay_data();
    void runsOffscreenWithoutDisplay();
    void platformChoice_data();
    void platformChoice();
    void startsOnChosenPlatform_data();
    void startsOnChosenPlatform();
    void ignoredXdgVariablesAreRemoved_data();
    void ignoredXdgVariablesAreRemoved();
    void relativeXdgValuesReachNothing();
};

void tst_CommandLine::answersWithoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // what standard output holds
    QTest::addColumn<QString>("error");  // what the one line on standard error holds

    const QStringList none;
    const QStringList x11{u"DISPLAY=:99"_s};
    QTest::newRow("--help") << QStringList{u"--help"_s} << none << 0 << u"Usage: rankwright-assistant [options]"_s
                            << QString();
    QTest::newRow("-h, Qt's own option beside it")
        << QStringList{u"-style"_s, u"fusion"_s, u"-h"_s} << none << 0 << u"--version"_s << QString();
    QTest::newRow("--version") << QStringList{u"--version"_s} << x11 << 0 << u"Rankwright Assistant 5.0\n"_s
                               << QString();
    QTest::newRow("unknown option") << QStringList{u"--frobnicate"_s} << x11 << 2 << QString()
                                    << u"rankwright-assistant: Unknown option 'frobnicate'."_s;
    QTest::newRow("an argument") << QStringList{u"page.htm"_s} << x11 << 2 << QString()
                                 << u"rankwright-assistant: Unexpected argument 'page.htm'."_s;
    QTest::newRow("no display") << QStringList() << none << 1 << QString()
                                << u"rankwright-assistant: needs a graphical session, but neither DISPLAY nor "
                                   "WAYLAND_DISPLAY is set."_s;
}

// The real program, as a user starts it from a terminal: what it prints, and its exit status. None of
// these opens a window or needs a display.
void tst_CommandLine::answersWithoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    QProcess program;
    program.setProcessEnvironment(environmentWith(environment));
    program.start(Program, arguments);
    QVERIFY2(program.waitForFinished(20000), "The program did not end: it should answer and exit");
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == exitCode, qPrintable(out + err));
    if (output.isEmpty())
        QCOMPARE(out, QString());
    else
        QVERIFY2(out.contains(output), qPrintable(out));
    if (error.isEmpty()) {
        QCOMPARE(err, QString());
    } else {
        // One line, naming what went wrong and where help is.
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY2(err.startsWith(error), qPrintable(err));
        if (exitCode == 2)
            QVERIFY2(err.contains(u"--help"_s), qPrintable(err));
    }
}

void tst_CommandLine::runsOffscreenWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::newRow("-platform offscreen") << QStringList{u"-platform"_s, u"offscreen"_s} << QStringList();
    QTest::newRow("QT_QPA_PLATFORM=offscreen") << QStringList() << QStringList{u"QT_QPA_PLATFORM=offscreen"_s};
}

// A platform chosen that needs no display: the program runs (its splash shows for seconds) rather
// than refusing for want of a graphical session.
void tst_CommandLine::runsOffscreenWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QProcess program;
    program.setProcessEnvironment(environmentWith(environment));
    program.start(Program, arguments);
    QVERIFY(program.waitForStarted());
    const bool ended = program.waitForFinished(3000);
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    program.kill();
    program.waitForFinished();
    QVERIFY2(!ended, qPrintable(u"it ended at once: "_s + err));
    QVERIFY2(!err.contains(u"needs a graphical session"_s), qPrintable(err));
}

void tst_CommandLine::platformChoice_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("platformOption");
    QTest::addColumn<QByteArray>("platform");

    QTest::newRow("Wayland session with XWayland: X")
        << QStringList{u"DISPLAY=:0"_s, u"WAYLAND_DISPLAY=wayland-0"_s} << false << QByteArray("xcb");
    QTest::newRow("X session: X") << QStringList{u"DISPLAY=:0"_s} << false << QByteArray("xcb");
    QTest::newRow("Wayland-only session: Wayland")
        << QStringList{u"WAYLAND_DISPLAY=wayland-0"_s} << false << QByteArray("wayland");
    QTest::newRow("QT_QPA_PLATFORM wins")
        << QStringList{u"DISPLAY=:0"_s, u"WAYLAND_DISPLAY=wayland-0"_s, u"QT_QPA_PLATFORM=wayland"_s} << false
        << QByteArray();
    QTest::newRow("-platform wins") << QStringList{u"DISPLAY=:0"_s, u"WAYLAND_DISPLAY=wayland-0"_s} << true
                                    << QByteArray();
    QTest::newRow("empty QT_QPA_PLATFORM is no choice")
        << QStringList{u"DISPLAY=:0"_s, u"WAYLAND_DISPLAY=wayland-0"_s, u"QT_QPA_PLATFORM="_s} << false
        << QByteArray("xcb");
}

void tst_CommandLine::platformChoice()
{
    QFETCH(QStringList, environment);
    QFETCH(bool, platformOption);
    QFETCH(QByteArray, platform);

    QCOMPARE(chosenPlatform(environmentWith(environment), platformOption), platform);
}

void tst_CommandLine::startsOnChosenPlatform_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("xServer");
    QTest::addColumn<QString>("platformVariable");
    QTest::addColumn<bool>("onX");

    QTest::newRow("Wayland with XWayland, nothing chosen: on X") << QStringList() << true << QString() << true;
    QTest::newRow("QT_QPA_PLATFORM=wayland: it wins") << QStringList() << true << u"wayland"_s << false;
    QTest::newRow("-platform wayland: it wins")
        << QStringList{u"-platform"_s, u"wayland"_s} << true << QString() << false;
    QTest::newRow("Wayland only: on Wayland") << QStringList() << false << QString() << false;
}

// The real program on a Wayland session (weston) with or without an X server beside it (Xvfb, as
// XWayland would be): its splash shows on X exactly when the program may choose and X is there;
// otherwise it runs on Wayland. (Qt alone would pick Wayland whenever a compositor answers.)
void tst_CommandLine::startsOnChosenPlatform()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, xServer);
    QFETCH(QString, platformVariable);
    QFETCH(bool, onX);

    for (const QString &tool : {u"Xvfb"_s, u"xwininfo"_s, u"weston"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + u" is not installed (packages xvfb, x11-utils, weston)"_s));
    }
    WaylandCompositor compositor;
    QVERIFY2(compositor.isRunning(), qPrintable(u"weston did not start: "_s + compositor.output()));
    XServer server;
    QVERIFY2(!server.display().isEmpty(), qPrintable(server.failure()));

    QStringList environment{u"XDG_RUNTIME_DIR="_s + compositor.runtimeFolder(),
                            u"WAYLAND_DISPLAY="_s + WaylandCompositor::socketName()};
    if (xServer)
        environment.append(u"DISPLAY="_s + server.display());
    if (!platformVariable.isEmpty())
        environment.append(u"QT_QPA_PLATFORM="_s + platformVariable);
    QProcess program;
    program.setProcessEnvironment(environmentWith(environment));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(Program, arguments);
    QVERIFY(program.waitForStarted());
    const QString title = u"Rankwright Assistant 5.0"_s;
    if (onX) {
        QTRY_VERIFY_WITH_TIMEOUT(server.hasWindow(title) || program.state() == QProcess::NotRunning, 15000);
        QVERIFY2(program.state() == QProcess::Running, "The program ended instead of starting on X");
    } else {
        // Running, on Wayland, and nothing on X.
        QTest::qWait(2500);
        QVERIFY2(program.state() == QProcess::Running, "The program ended instead of starting on Wayland");
        QVERIFY(!server.hasWindow(title));
    }
    program.kill();
    program.waitForFinished();
}

void tst_CommandLine::ignoredXdgVariablesAreRemoved_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<std::optional<QByteArray>>("left"); // none: removed

    const std::optional<QByteArray> removed;
    QTest::newRow("XDG_DATA_HOME relative") << "XDG_DATA_HOME"_ba
                                            << "relative/data"_ba << removed;
    QTest::newRow("XDG_CONFIG_HOME empty") << "XDG_CONFIG_HOME"_ba << QByteArray("") << removed;
    QTest::newRow("XDG_STATE_HOME from the working folder") << "XDG_STATE_HOME"_ba
                                                            << "./state"_ba << removed;
    QTest::newRow("XDG_CACHE_HOME relative") << "XDG_CACHE_HOME"_ba
                                             << "~/.cache"_ba << removed;
    QTest::newRow("XDG_RUNTIME_DIR relative") << "XDG_RUNTIME_DIR"_ba
                                              << "relative/run"_ba << removed;
    QTest::newRow("XDG_RUNTIME_DIR absolute: kept") << "XDG_RUNTIME_DIR"_ba
                                                    << "/run/user/1000"_ba << std::optional("/run/user/1000"_ba);
    QTest::newRow("XDG_DATA_HOME absolute, not UTF-8: its bytes kept") << "XDG_DATA_HOME"_ba
                                                                       << "/home/b\xe9"
                                                                          "b\xe9"
                                                                          "/data"_ba
                                                                       << std::optional("/home/b\xe9"
                                                                                        "b\xe9"
                                                                                        "/data"_ba);
    QTest::newRow("XDG_DATA_DIRS: relative and empty entries dropped")
        << "XDG_DATA_DIRS"_ba
        << "relative/share:/usr/local/share::share:/usr/share:"_ba << std::optional("/usr/local/share:/usr/share"_ba);
    QTest::newRow("XDG_DATA_DIRS absolute: kept as it is")
        << "XDG_DATA_DIRS"_ba
        << "/usr/share:/opt/share"_ba << std::optional("/usr/share:/opt/share"_ba);
    QTest::newRow("XDG_CONFIG_DIRS nothing absolute: removed") << "XDG_CONFIG_DIRS"_ba
                                                               << "etc/xdg:"_ba << removed;
    QTest::newRow("XDG_CONFIG_DIRS empty: removed") << "XDG_CONFIG_DIRS"_ba << QByteArray("") << removed;
    QTest::newRow("a variable that names no folder: untouched") << "XDG_CURRENT_DESKTOP"_ba
                                                                << "GNOME"_ba << std::optional("GNOME"_ba);
}

void tst_CommandLine::ignoredXdgVariablesAreRemoved()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(std::optional<QByteArray>, left);

    const char *name = variable.constData();
    const std::optional<QByteArray> before =
        qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    const auto restore = qScopeGuard([&] {
        if (before)
            qputenv(name, *before);
        else
            qunsetenv(name);
    });
    qputenv(name, value);
    removeIgnoredXdgVariables();
    QCOMPARE(qEnvironmentVariableIsSet(name), left.has_value());
    if (left)
        QCOMPARE(qgetenv(name), *left);
}

// The real program, started with relative XDG values from a folder that holds their parents, as a
// user walks the wizard and views the page: nothing is made under that folder, and the browser
// gets the page in the absolute fallback folder, with none of the relative values set.
void tst_CommandLine::relativeXdgValuesReachNothing()
{
    for (const QString &tool : {u"Xvfb"_s, u"xdotool"_s, u"xprop"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(tool + u" is not installed (packages xvfb, xdotool, x11-utils)"_s));
    }
    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    // The fallbacks under HOME are the desktop's own folders, where its browser is registered. The
    // browser records its environment, then its arguments.
    const QString home = desktop.path() + "/home"_L1;
    QVERIFY(QDir().mkpath(home + "/.local"_L1));
    QVERIFY(QFile::link(desktop.dataHome(), home + "/.local/share"_L1));
    QVERIFY(QFile::link(desktop.configHome(), home + "/.config"_L1));
    const QByteArray calls = XdgFixture::quotedShellWord(desktop.path() + "/calls"_L1);
    QVERIFY(!desktop
                 .installBrowser("#!/bin/sh\n"
                                 "env > " +
                                 calls +
                                 "/environment\n"
                                 "printf '%s\\0' \"$@\" > " +
                                 calls + "/.call-$$ && mv " + calls + "/.call-$$ " + calls + "/call-$$\n")
                 .isEmpty());
    const QString working = desktop.path() + "/work"_L1;
    QVERIFY(QDir().mkpath(working + "/relative"_L1));
    const QString shared = desktop.path() + "/share"_L1;
    desktop.setVariable("HOME", home);
    const QStringList relative{u"XDG_DATA_HOME"_s,  u"XDG_CONFIG_HOME"_s, u"XDG_STATE_HOME"_s,
                               u"XDG_CACHE_HOME"_s, u"XDG_RUNTIME_DIR"_s, u"XDG_CONFIG_DIRS"_s};
    for (const QString &variable : relative)
        desktop.setVariable(variable.toLatin1(), u"relative/"_s + variable.toLower());
    desktop.setVariable("XDG_DATA_DIRS", u"relative/data-dirs:"_s + shared);

    XServer server;
    QVERIFY2(!server.display().isEmpty(), qPrintable(server.failure()));
    QProcessEnvironment environment = desktop.environment();
    for (const QString &name : SessionVariables)
        environment.remove(name);
    environment.insert(u"DISPLAY"_s, server.display());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(working);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(Program);
    QVERIFY(program.waitForStarted());
    // Also when the walk fails.
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });

    // Through the wizard by the keyboard, as the screen reader test walks it, then the page is
    // viewed from the generator's options. Keys as xdotool names them; "=" types what follows it.
    const std::pair<const char *, QStringList> walk[] = {
        {"the main menu", {u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s, u"Return"_s}},
        {"step 1", {u"Down"_s, u"Tab"_s, u"=http://example.com"_s, u"Return"_s}},
        {"step 2",
         {u"=blue widgets"_s, u"Tab"_s, u"=red"_s, u"Tab"_s, u"=green"_s, u"Tab"_s, u"=small"_s, u"Return"_s}},
        {"step 3", {u"Tab"_s, u"=fast blue widgets"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Return"_s}},
        {"step 4", {u"=blue widgets for every home"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Return"_s}},
        {"step 5", {u"Tab"_s, u"Return"_s}},
        {"step 6", {u"Return"_s}},
        {"the generator", {u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s}},
        {"the options window", {u"Tab"_s, u"space"_s, u"Return"_s}},
    };
    QStringList seen;
    for (const auto &[window, actions] : walk) {
        QVERIFY2(program.state() == QProcess::Running, window);
        QVERIFY2(server.focusNewWindow(seen), qPrintable(u"%1 did not show"_s.arg(QLatin1String(window))));
        for (const QString &action : actions)
            QVERIFY(action.startsWith(u'=') ? server.type(action.mid(1)) : server.keys({action}));
    }

    const bool browserCalled = QTest::qWaitFor([&] { return !desktop.browserCalls().isEmpty(); }, 30000);
    program.kill();
    program.waitForFinished();

    // Nothing under the working folder but what was there.
    QStringList made;
    QDirIterator entries(working, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        made.append(QDir(working).relativeFilePath(entries.next()));
    QCOMPARE(made, QStringList{u"relative"_s});

    // The page from the fallback data folder, and none of the relative values for the browser.
    QVERIFY2(browserCalled, "The browser was not started");
    QCOMPARE(desktop.browserCalls(), QList<QStringList>{{home + "/.local/share/Rankwright/GeneratorResults.html"_L1}});
    QFile browserEnvironment(desktop.path() + "/calls/environment"_L1);
    QVERIFY(browserEnvironment.open(QIODevice::ReadOnly));
    const QList<QByteArray> seenByBrowser = browserEnvironment.readAll().split('\n');
    for (const QString &variable : relative) {
        const QByteArray set = variable.toLatin1() + '=';
        QVERIFY2(std::none_of(seenByBrowser.cbegin(), seenByBrowser.cend(),
                              [&](const QByteArray &line) { return line.startsWith(set); }),
                 qPrintable(variable + u" reached the browser"_s));
    }
    QVERIFY(seenByBrowser.contains("XDG_DATA_DIRS=" + QFile::encodeName(shared)));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
