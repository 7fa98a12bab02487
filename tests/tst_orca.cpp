// What the Orca screen reader speaks while a user walks the wizard with the keyboard alone.
//
// Runs the real program and the real Orca on a private X server, session bus and accessibility
// bus, with a private home folder. Orca speaks to no synthesizer; its debug log holds every
// utterance ("SPEECH OUTPUT"), which is read back as the walk goes on. The test functions are the
// stages of one walk, in order: each starts where the one before left the program.
//
// Fails, with the reason, when Orca or the desktop pieces it needs cannot start: a missing screen
// reader is a missing feature for its users, not a test to skip.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include <signal.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString Program = QStringLiteral(RANKWRIGHT_PROGRAM);

// A human pace: Orca answers each key before the next one comes.
constexpr int KeyGap = 80;
// Orca speaks within a second or two; a loaded machine gets far more.
constexpr int SpeechTimeout = 20000;
constexpr int OrcaStartTimeout = 60000;
constexpr int Poll = 200;

const QByteArray Customizations = R"(import orca.debug
import orca.settings
# No synthesizer: what would be spoken is only written to the debug log.
orca.settings.speechServerFactory = None
orca.settings.speechFactoryModules = []
# The test reads the log while Orca writes it.
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
)"_ba;

// Starts Orca as /usr/bin/orca does, but on this private desktop only: it neither looks for nor
// hides from other users' or other tests' Orca processes (it keeps its interpreter's process name).
const QString Launcher = uR"(import runpy, sys
script = runpy.run_path(sys.argv[1], run_name="orca_launcher")
main = script["main"]
main.__globals__["otherOrcas"] = lambda: []
main.__globals__["setProcessName"] = lambda name: True
sys.argv = ["orca"] + sys.argv[2:]
sys.exit(main())
)"_s;

const QRegularExpression Utterance(uR"(SPEECH OUTPUT: '(.*?)'(?: voice=\w+)?\s?\[?\{)"_s,
                                   QRegularExpression::DotMatchesEverythingOption);

// Why the walk stopped, in words that say where it was and what happened.
struct Failure
{
    QString message;
};

[[noreturn]] void fail(const QString &message)
{
    throw Failure{message};
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QString need(const QString &tool)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        fail(u"'%1' is not installed (scripts/install-deps --tests installs it)"_s.arg(tool));
    return path;
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// Whether the process has ended, waiting for it at most `milliseconds`.
bool endsWithin(QProcess &process, int milliseconds)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(milliseconds) ||
           process.state() == QProcess::NotRunning;
}

QString howItEnded(const QProcess &process)
{
    if (process.exitStatus() == QProcess::CrashExit)
        return u"it crashed"_s;
    return u"exit status %1"_s.arg(process.exitCode());
}

// Xvfb, a session bus with the accessibility bus, and Orca, all private to the test.
class Desktop
{
public:
    explicit Desktop(const QString &folder)
        : m_folder(folder)
        , m_environment(QProcessEnvironment::systemEnvironment())
        , m_log(folder + u"/orca-debug.log"_s)
        , m_programOutput(folder + u"/program.log"_s)
    {
        const QString home = folder + u"/home"_s;
        m_environment.insert(u"HOME"_s, home);
        m_environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
        m_environment.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
        m_environment.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
        m_environment.insert(u"XDG_RUNTIME_DIR"_s, folder + u"/runtime"_s);
        m_environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        for (const QString &variable :
             {u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s, u"DBUS_SESSION_BUS_ADDRESS"_s, u"AT_SPI_BUS_ADDRESS"_s})
            m_environment.remove(variable);
    }
    ~Desktop() { stop(); }
    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    void prepareHome()
    {
        const QString orcaData = m_environment.value(u"XDG_DATA_HOME"_s) + u"/orca"_s;
        const QString runtime = m_environment.value(u"XDG_RUNTIME_DIR"_s);
        if (!QDir().mkpath(orcaData) || !QDir().mkpath(m_environment.value(u"XDG_CONFIG_HOME"_s)) ||
            !QDir().mkpath(runtime) ||
            !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            fail(u"could not make the private home folder in "_s + m_folder);
        QFile customizations(orcaData + u"/orca-customizations.py"_s);
        if (!customizations.open(QIODevice::WriteOnly) || customizations.write(Customizations) != Customizations.size())
            fail(u"could not write Orca's customizations: "_s + customizations.errorString());
    }

    void startXServer()
    {
        const QString xvfb = need(u"Xvfb"_s);
        QProcess &server = add(u"xvfb"_s);
        // Xvfb picks a free display and writes its number.
        server.setStandardOutputFile(QString());
        server.setStandardErrorFile(m_folder + u"/xvfb.log"_s);
        server.setProcessChannelMode(QProcess::SeparateChannels);
        launch(server, xvfb,
               {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1920x1080x24"_s, u"-nolisten"_s, u"tcp"_s});
        QByteArray number;
        QElapsedTimer waited;
        waited.start();
        while (!number.contains('\n') && waited.elapsed() < OrcaStartTimeout) {
            if (!server.waitForReadyRead(Poll) && server.state() == QProcess::NotRunning)
                break;
            number += server.readAllStandardOutput();
        }
        if (!number.contains('\n') || number.trimmed().isEmpty())
            fail(u"the X server (Xvfb) did not start: "_s + readFile(m_folder + u"/xvfb.log"_s).trimmed());
        m_environment.insert(u"DISPLAY"_s, u":"_s + QString::fromLatin1(number.trimmed()));
    }

    void startBuses()
    {
        need(u"dbus-daemon"_s);
        need(u"dbus-send"_s);
        QProcess bus;
        bus.setProcessEnvironment(m_environment);
        bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--fork"_s, u"--print-address=1"_s, u"--print-pid=1"_s});
        if (!bus.waitForFinished(20000)) {
            bus.kill();
            bus.waitForFinished();
            fail(u"the session bus did not start in time"_s);
        }
        const QStringList lines = QString::fromUtf8(bus.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (bus.exitStatus() != QProcess::NormalExit || bus.exitCode() != 0 || lines.size() < 2)
            fail(u"the session bus did not start: "_s + QString::fromUtf8(bus.readAllStandardError()).trimmed());
        m_environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, lines[0].trimmed());
        m_busPid = lines[1].trimmed().toLongLong();

        const QString launcher = u"/usr/libexec/at-spi-bus-launcher"_s;
        if (!QFile::exists(launcher))
            fail(u"the accessibility bus launcher is not installed (at-spi2-core)"_s);
        QProcess &busLauncher = add(u"at-spi-bus"_s);
        launch(busLauncher, launcher, {u"--launch-immediately"_s});
        for (int attempt = 0; attempt < 100; ++attempt) {
            QProcess owner;
            owner.setProcessEnvironment(m_environment);
            owner.start(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.DBus"_s, u"/"_s,
                                         u"org.freedesktop.DBus.NameHasOwner"_s, u"string:org.a11y.Bus"_s});
            owner.waitForFinished();
            if (owner.readAllStandardOutput().contains("boolean true"))
                return;
            // A launcher that has ended will not bring the bus.
            if (endsWithin(busLauncher, 100))
                break;
        }
        fail(u"the accessibility bus did not start: "_s + readFile(m_folder + u"/at-spi-bus.log"_s).trimmed());
    }

    void startOrca()
    {
        const QString orca = need(u"orca"_s);
        // Orca's own interpreter, which has its modules.
        const QString firstLine = readFile(orca).section(u'\n', 0, 0);
        QStringList interpreter = firstLine.mid(2).split(u' ', Qt::SkipEmptyParts);
        if (!firstLine.startsWith(u"#!"_s) || interpreter.isEmpty())
            fail(u"'%1' does not name its interpreter on its first line"_s.arg(orca));
        const QString program = interpreter.takeFirst();
        QProcess &process = add(u"orca"_s);
        launch(process, program, interpreter + QStringList{u"-c"_s, Launcher, orca, u"--debug-file="_s + m_log});
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < OrcaStartTimeout) {
            if (readLog().contains(u"SPEECH OUTPUT: 'Screen reader on.'"_s))
                return;
            if (endsWithin(process, Poll))
                break;
        }
        const QString output = readFile(m_folder + u"/orca.log"_s).trimmed();
        fail(u"Orca did not start on the private desktop (outside the program): "_s +
             (output.isEmpty() ? u"no output"_s : output.right(2000)));
    }

    QProcess &startProgram(const QString &program)
    {
        QProcess &process = add(u"program"_s);
        QProcessEnvironment environment = m_environment;
        environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        environment.insert(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s, u"1"_s);
        process.setProcessEnvironment(environment);
        launch(process, program, {});
        return process;
    }

    QString readLog() const { return readFile(m_log); }
    QString programOutput() const { return readFile(m_programOutput); }
    const QProcessEnvironment &environment() const { return m_environment; }

    // Stops everything started here, the last first, with whatever each started in its session.
    void stop()
    {
        for (auto process = m_processes.rbegin(); process != m_processes.rend(); ++process) {
            if ((*process)->state() != QProcess::NotRunning)
                ::kill(-pid_t((*process)->processId()), SIGTERM);
        }
        for (auto process = m_processes.rbegin(); process != m_processes.rend(); ++process) {
            if (!endsWithin(**process, 10000)) {
                ::kill(-pid_t((*process)->processId()), SIGKILL);
                (*process)->waitForFinished();
            }
        }
        if (m_busPid > 0)
            ::kill(pid_t(m_busPid), SIGTERM);
        m_busPid = 0;
    }

private:
    // A process in a session of its own, writing to `what`.log in the folder.
    QProcess &add(const QString &what)
    {
        auto &process = m_processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessEnvironment(m_environment);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardOutputFile(what == u"program"_s ? m_programOutput : m_folder + u'/' + what + u".log"_s);
        process->setChildProcessModifier([] { ::setsid(); });
        process->setObjectName(what);
        return *process;
    }

    void launch(QProcess &process, const QString &program, const QStringList &arguments)
    {
        process.start(program, arguments);
        if (!process.waitForStarted())
            fail(u"could not start %1 (%2): %3"_s.arg(process.objectName(), program, process.errorString()));
    }

    QString m_folder;
    QProcessEnvironment m_environment;
    QString m_log;
    QString m_programOutput;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    qint64 m_busPid = 0;
};

} // namespace

class tst_Orca : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void mainMenu();
    void step1();
    void step2();
    void step3();
    void step4();
    void step5();
    void step6();
    void generator();
    void resultsSpokenOnce();

private:
    void run(const std::function<void()> &stage);

    // What Orca has spoken, in order; each expectation is met by speech after the last one met.
    QStringList utterances() const;
    QString expect(const QString &words, const QString &where);
    // The first utterance since the last one met that `heard` takes; `what` says what was awaited.
    QString expectSpoken(const std::function<bool(const QString &)> &heard, const QString &what, const QString &where);
    // The window's place and its instructions, spoken together on arriving at it.
    void expectWindow(const QString &place, const QString &instructions, const QString &where);
    void keys(const QStringList &names);
    void type(const QString &text);
    void xdotool(const QStringList &arguments);
    // Puts `text` on the desktop's clipboard, as another program's copy.
    void copy(const QString &text);

    QTemporaryDir m_folder{QDir::tempPath() + u"/rankwright-orca-XXXXXX"_s};
    std::unique_ptr<Desktop> m_desktop;
    QProcess *m_program = nullptr;
    qsizetype m_heard = 0;
    bool m_failed = false;
};

void tst_Orca::initTestCase()
{
    run([this] {
        if (!m_folder.isValid())
            fail(u"could not make a temporary folder: "_s + m_folder.errorString());
        m_desktop = std::make_unique<Desktop>(m_folder.path());
        m_desktop->prepareHome();
        need(u"xdotool"_s);
        m_desktop->startXServer();
        m_desktop->startBuses();
        m_desktop->startOrca();
        m_program = &m_desktop->startProgram(QFileInfo(Program).absoluteFilePath());
    });
}

void tst_Orca::init()
{
    // The stages share one walk: after a failed stage the program is not where the next begins.
    if (m_failed)
        QFAIL("not walked: an earlier stage failed");
}

void tst_Orca::cleanup()
{
    if (QTest::currentTestFailed() && !m_failed) {
        m_failed = true;
        m_folder.setAutoRemove(false);
    }
}

void tst_Orca::cleanupTestCase()
{
    if (!m_desktop)
        return;
    m_desktop->stop();
    // What the program printed on the walk, as it printed it (Qt's messages from the accessibility
    // bus among them), so that a warning shows in the test's output.
    if (!m_failed) {
        const QString output = m_desktop->programOutput().trimmed();
        qInfo("The program printed on the walk:\n%s", output.isEmpty() ? "(nothing)" : qPrintable(output));
    }
    m_desktop.reset();
}

void tst_Orca::run(const std::function<void()> &stage)
{
    try {
        stage();
    } catch (const Failure &failure) {
        m_failed = true;
        m_folder.setAutoRemove(false);
        QFAIL(qPrintable(failure.message + u"\nOrca's debug log and the program's output are kept in "_s +
                         m_folder.path()));
    }
}

QStringList tst_Orca::utterances() const
{
    QStringList spoken;
    for (const QRegularExpressionMatch &match : Utterance.globalMatch(m_desktop->readLog()))
        // Orca writes a multi-line utterance with its later lines indented.
        spoken.append(match.captured(1).simplified());
    return spoken;
}

QString tst_Orca::expect(const QString &words, const QString &where)
{
    return expectSpoken([&](const QString &spoken) { return spoken.contains(words); }, quoted(words), where);
}

QString tst_Orca::expectSpoken(const std::function<bool(const QString &)> &heard, const QString &what,
                               const QString &where)
{
    QElapsedTimer waited;
    waited.start();
    while (true) {
        const QStringList spoken = utterances();
        for (qsizetype index = m_heard; index < spoken.size(); ++index) {
            if (heard(spoken[index])) {
                m_heard = index + 1;
                return spoken[index];
            }
        }
        if (m_program->state() == QProcess::NotRunning)
            // What it printed last says why, a sanitizer's report for one.
            fail(u"%1: the program ended (%2); it printed:\n%3"_s.arg(
                where, howItEnded(*m_program), m_desktop->programOutput().trimmed().right(16000)));
        if (waited.elapsed() > SpeechTimeout) {
            const QStringList since = spoken.mid(m_heard);
            const QString recent = since.isEmpty() ? u"(nothing)"_s : since.mid(since.size() - 25).join(u"\n  "_s);
            fail(u"%1: Orca never said %2; it said since then:\n  %3"_s.arg(where, what, recent));
        }
        m_program->waitForFinished(Poll);
    }
}

void tst_Orca::expectWindow(const QString &place, const QString &instructions, const QString &where)
{
    const QString spoken = expect(place, u"arriving at "_s + where);
    if (!spoken.contains(instructions))
        fail(u"arriving at %1: its instructions %2 were not spoken; Orca said %3"_s.arg(where, quoted(instructions),
                                                                                        quoted(spoken)));
}

void tst_Orca::xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(m_desktop->environment());
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(u"xdotool"_s, arguments);
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        fail(u"xdotool %1 failed: %2 %3"_s.arg(arguments.join(u' '), tool.errorString(),
                                               QString::fromLocal8Bit(tool.readAll()).trimmed()));
}

void tst_Orca::copy(const QString &text)
{
    // xclip goes on in the background handing the text out, until the X server ends.
    QProcess clip;
    clip.setProcessEnvironment(m_desktop->environment());
    clip.setProcessChannelMode(QProcess::MergedChannels);
    clip.start(u"xclip"_s, {u"-selection"_s, u"clipboard"_s});
    clip.write(text.toUtf8());
    clip.closeWriteChannel();
    if (!clip.waitForFinished(30000) || clip.exitStatus() != QProcess::NormalExit || clip.exitCode() != 0)
        fail(u"xclip failed: %1 %2"_s.arg(clip.errorString(), QString::fromLocal8Bit(clip.readAll()).trimmed()));
}

void tst_Orca::keys(const QStringList &names)
{
    for (const QString &name : names) {
        xdotool({u"key"_s, u"--delay"_s, u"0"_s, name});
        QTest::qSleep(KeyGap);
    }
}

void tst_Orca::type(const QString &text)
{
    xdotool({u"type"_s, u"--delay"_s, QString::number(KeyGap), text});
    QTest::qSleep(KeyGap);
}

// The wizard from the main menu to the generator's analysis, by the keyboard alone.

void tst_Orca::mainMenu()
{
    run([this] {
        // The main menu follows the splash; the arrow has the focus.
        expectWindow(u"Main menu"_s, u"Start by making a gateway page using your web site's information."_s,
                     u"the main menu"_s);
        expect(u"Click Here To Get Started! push button"_s, u"the main menu's first focus"_s);
        keys({u"Tab"_s, u"Tab"_s, u"Tab"_s});
        expect(u"Make A Gateway Page check box"_s, u"tabbing to the first menu line"_s);
        keys({u"space"_s, u"Return"_s});
    });
}

void tst_Orca::step1()
{
    run([this] {
        expectWindow(u"Step 1 of 7"_s,
                     u"Which search engine are we going to get you ranked in today? Start by selecting a target "
                     "from the menu below."_s,
                     u"step 1"_s);
        expect(u"Select A Target: editable combo box"_s, u"step 1's first focus"_s);
        keys({u"Down"_s});
        expect(u"Alta Vista"_s, u"picking the first engine"_s);
        // The helper text that explains the pick, told as it changes.
        expect(u"You have chosen to target Alta Vista. Enter your web site address below, then click the arrow "
               "button to continue to the next step."_s,
               u"the engine pick's helper text"_s);
        keys({u"Tab"_s});
        // The whole pre-filled address, its last character included.
        expect(u"http:// selected"_s, u"the address box's value"_s);
        type(u"http://example.com"_s);
        keys({u"Return"_s});
    });
}

void tst_Orca::step2()
{
    run([this] {
        expectWindow(u"Step 2 of 7"_s,
                     u"Fill in the phrases you would like to be listed under, then click the arrow button to "
                     "continue"_s,
                     u"step 2"_s);
        expect(u"Targeted Phrase: text"_s, u"step 2's first focus"_s);
        type(u"blue widgets"_s);
        for (const QString &phrase : {u"red"_s, u"green"_s, u"small"_s}) {
            keys({u"Tab"_s});
            type(phrase);
        }
        keys({u"Return"_s});
    });
}

void tst_Orca::step3()
{
    run([this] {
        expectWindow(u"Step 3 of 7"_s, u"Type a description of your site, then click the exclamation point below."_s,
                     u"step 3"_s);
        expect(u"Page Title: text"_s, u"step 3's first focus"_s);
        expect(u"blue widgets - blue widgets"_s, u"the pre-filled title, whole"_s);
        keys({u"Tab"_s});
        expect(u"Meta-Tag Description: text"_s, u"tabbing into the description"_s);
        // The caret waits after the pre-fill: the words follow it.
        type(u"fast blue widgets"_s);
        // The navigation row: Back, the cross, then the exclamation point.
        keys({u"Tab"_s, u"Tab"_s, u"Tab"_s});
        expect(u"Click Here To Analize Your Meta-Tag Description! push button"_s, u"tabbing to the analysis"_s);
        keys({u"space"_s});
        expect(u"notification"_s, u"the description analysis"_s);
        // "blue widgets - fast blue widgets": six words. Typed in front of the pre-fill they would
        // make five ("fast blue widgetsblue widgets - ").
        const QString results = expect(u"Meta-Tag Description Statistics: Your total word count is 6. You used your "
                                       "Targeted Phrase 2 times."_s,
                                       u"the description analysis' statistics"_s);
        if (!results.contains(u"For Alta Vista: You should use about 15 words. Use your Targeted Phrase 2 times in "
                              "the Meta-Tag Description."_s))
            fail(u"the description analysis: the advice was not spoken with the statistics: "_s + results);
        keys({u"Tab"_s, u"Return"_s});
    });
}

void tst_Orca::step4()
{
    run([this] {
        expectWindow(u"Step 4 of 7"_s, u"Be sure to include an accurate description of your site."_s, u"step 4"_s);
        expect(u"Page Body: text"_s, u"step 4's first focus"_s);
        type(u"blue widgets for every home"_s);
        // Words pasted after them as one paragraph too long to be laid out whole: Orca reads
        // the lines shown, one at a time, as in any text box.
        // Each word its number in letters ("xaab" is 1): Orca reads figures in its own way.
        const auto word = [](int number) {
            return u"x%1%2%3"_s.arg(QChar(u'a' + number / 676))
                .arg(QChar(u'a' + number / 26 % 26))
                .arg(QChar(u'a' + number % 26));
        };
        const auto number = [](QStringView word) {
            return (word[1].unicode() - u'a') * 676 + (word[2].unicode() - u'a') * 26 + (word[3].unicode() - u'a');
        };
        QStringList words;
        for (int i = 0; i < 8000; ++i)
            words.append(word(i));
        copy(u' ' + words.join(u' '));
        keys({u"ctrl+v"_s, u"ctrl+Home"_s, u"Down"_s});
        static const QRegularExpression Line(uR"(^(x[a-z]{3})(?: x[a-z]{3})* ?$)"_s);
        const QString second = expectSpoken([](const QString &spoken) { return Line.match(spoken).hasMatch(); },
                                            u"the words of one line"_s, u"the second line of the pasted body"_s);
        // The line after the first one, a line's worth of words.
        const int first = number(Line.match(second).captured(1));
        const qsizetype count = second.split(u' ', Qt::SkipEmptyParts).size();
        if (first > 20 || count < 2 || count > 20)
            fail(u"the second line of the pasted body: Orca said %1"_s.arg(quoted(second)));
        keys({u"ctrl+End"_s, u"Up"_s});
        const QString last = expectSpoken([](const QString &spoken) { return Line.match(spoken).hasMatch(); },
                                          u"the words of one line"_s, u"the last lines of the pasted body"_s);
        if (number(Line.match(last).captured(1)) < 7900)
            fail(u"the line before the last of the pasted body: Orca said %1"_s.arg(quoted(last)));
        keys({u"Tab"_s, u"Tab"_s, u"Tab"_s, u"space"_s});
        const QString results = expect(u"Page Body Statistics:"_s, u"the body analysis"_s);
        if (!results.contains(u"For Alta Vista:"_s))
            fail(u"the body analysis: the advice was not spoken with the statistics: "_s + results);
        keys({u"Tab"_s, u"Return"_s});
    });
}

void tst_Orca::step5()
{
    run([this] {
        expectWindow(u"Step 5 of 7"_s, u"Using a Hit Counter will allow you to keep track"_s, u"step 5"_s);
        keys({u"Tab"_s});
        expect(u"blue widgets - Click Here!"_s, u"the pre-filled link text, whole"_s);
        keys({u"Return"_s});
    });
}

void tst_Orca::step6()
{
    run([this] {
        expectWindow(u"Step 6 of 7"_s, u"The default settings are what we suggest for Alta Vista."_s, u"step 6"_s);
        keys({u"Return"_s});
    });
}

void tst_Orca::generator()
{
    run([this] {
        expectWindow(u"Step 7 of 7"_s,
                     u"Click the exclamation point and analize your HTML code to be sure your page is ready to be "
                     "submitted to Alta Vista."_s,
                     u"the generator"_s);
        keys({u"Tab"_s});
        expect(u"If you have everything exactly how you want it"_s, u"tabbing to the generator's report"_s);
        // The second report text, Back, the cross, then the exclamation point.
        keys({u"Tab"_s, u"Tab"_s, u"Tab"_s, u"Tab"_s});
        expect(u"Click Here For More Options! push button"_s, u"tabbing to the generator's options"_s);
        keys({u"space"_s});
        expect(u"What would you like to do with your new gateway page?"_s, u"the options window"_s);
        keys({u"space"_s, u"Return"_s});
        const QString results = expect(u"Page Statistics: Your total word count is"_s, u"the page analysis"_s);
        if (!results.contains(u"Your Keyword Frequency should be:"_s))
            fail(u"the page analysis: the advice was not spoken with the statistics: "_s + results);
    });
}

void tst_Orca::resultsSpokenOnce()
{
    run([this] {
        // Each result, and the engine pick's helper text, was spoken once, not again by some later
        // event.
        QTest::qSleep(2000);
        const QStringList spoken = utterances();
        for (const QString &heading :
             {u"You have chosen to target Alta Vista."_s, u"Meta-Tag Description Statistics:"_s,
              u"Page Body Statistics:"_s, u"Page Statistics:"_s}) {
            const qsizetype times = std::count_if(spoken.cbegin(), spoken.cend(),
                                                  [&](const QString &text) { return text.contains(heading); });
            if (times != 1)
                fail(u"the analysis results under %1 were spoken %2 times, not once"_s.arg(quoted(heading)).arg(times));
        }
    });
}

QTEST_GUILESS_MAIN(tst_Orca)
#include "tst_orca.moc"
