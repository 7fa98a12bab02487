#include "ui/programstart.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
        if (!m_server.waitForStarted())
            return;
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000))
            number += m_server.readAllStandardOutput();
        if (number.contains('\n'))
            m_display = u":"_s + QString::fromLatin1(number.trimmed());
    }
    ~XServer()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    QString display() const { return m_display; }

    // Whether a window with this title is on the server.
    bool hasWindow(const QString &title) const
    {
        QProcess info;
        info.start(u"xwininfo"_s, {u"-display"_s, m_display, u"-root"_s, u"-tree"_s});
        info.waitForFinished();
        return QString::fromLocal8Bit(info.readAllStandardOutput()).contains(u'"' + title + u'"');
    }

private:
    QProcess m_server;
    QString m_display;
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
        for (int i = 0; i < 100 && !QFile::exists(m_runtime.filePath(socketName())); ++i)
            QTest::qSleep(100);
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
    void platformChoice_data();
    void platformChoice();
    void startsOnChosenPlatform_data();
    void startsOnChosenPlatform();
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
    QVERIFY2(compositor.isRunning(), "weston did not start");
    XServer server;
    QVERIFY2(!server.display().isEmpty(), "Xvfb did not start");

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

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
