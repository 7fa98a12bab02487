#include "modalwindows.h"
#include "platform/appfolders.h"
#include "platform/browserlauncher.h"
#include "platform/filenames.h"
#include "ui/controls/browserhandoff.h"
#include "xdgfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// GIO reads the desktop set-up once per process, so every hand-off runs in a child: this test program
// started again with this switch.
constexpr char LaunchSwitch[] = "--launch-in-child";

const QByteArray ProbeBytes = QByteArray::fromHex("223C48544D4C3E203C5C48544D4C3E220D0A");

// Blanks, quotes, a shell's ; $( ) & and letters beyond ASCII: none of them may be taken apart or changed.
const QString Address = uR"(http://www.example.com/a b "c" 'd';$(touch pwned)&x=é€)"_s;
const QString FileName = uR"(My "Pages"; $(touch pwned) é€/GeneratorResults.html)"_s;

const QStringList FlatpakRun{u"run"_s,
                             u"--branch=stable"_s,
                             u"--arch=x86_64"_s,
                             u"--command=browser"_s,
                             u"--file-forwarding"_s,
                             u"org.example.Browser"_s};

bool existsOrDangles(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString readProbe(const QString &path)
{
    QFile probe(path);
    return probe.open(QIODevice::ReadOnly) ? QString::fromLatin1(probe.readAll().toHex()) : u"missing"_s;
}

QString outcomeName(BrowserLaunch::Outcome outcome)
{
    switch (outcome) {
    case BrowserLaunch::Outcome::Started:
        return u"Started"_s;
    case BrowserLaunch::Outcome::NoBrowser:
        return u"NoBrowser"_s;
    case BrowserLaunch::Outcome::StartFailed:
        return u"StartFailed"_s;
    case BrowserLaunch::Outcome::FolderNotPrivate:
        return u"FolderNotPrivate"_s;
    }
    return {};
}

// The child's side. Reads {probePath, argument, notFoundText, ui, umask} as JSON from stdin and hands
// the argument over: through launchBrowser(), or with "ui" through OpenInBrowser() with a window of its
// own as the owner. Writes what happened as JSON to stdout: the outcome and the probe's content while
// the result was held, or every warning shown with the probe's content while it was up; and whether
// the probe outlived the hand-off.
int launchInChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    const QJsonObject request = QJsonDocument::fromJson(input.readAll()).object();
    const QString probePath = request["probePath"_L1].toString();
    const QString argument = request["argument"_L1].toString();
    if (request.contains("umask"_L1))
        ::umask(mode_t(request["umask"_L1].toInt()));

    QJsonObject reply;
    if (request["ui"_L1].toBool()) {
        QWidget owner;
        owner.show();
        QStringList probesSeen;
        MessageBoxCatcher catcher([&](QMessageBox *) { probesSeen.append(readProbe(probePath)); });
        OpenInBrowser(&owner, probePath, argument, request["notFoundText"_L1].toString());

        QJsonArray warnings;
        const auto messages = catcher.messages();
        for (qsizetype i = 0; i < messages.size(); ++i) {
            const MessageBoxCatcher::Message &m = messages.at(i);
            warnings.append(QJsonObject{
                {"shown"_L1, QString(m.title + u": "_s + m.text)},
                {"warningIconOkOnly"_L1,
                 m.icon == QMessageBox::Warning && m.buttons == QMessageBox::StandardButtons(QMessageBox::Ok)},
                {"modalOwnedByCaller"_L1, m.modal && m.owner == &owner},
                {"probe"_L1, probesSeen.value(i)},
            });
        }
        reply["warnings"_L1] = warnings;
    } else {
        const BrowserLaunch launch = launchBrowser(probePath, argument);
        reply["outcome"_L1] = outcomeName(launch.outcome);
        reply["reason"_L1] = launch.reason;
        reply["probe"_L1] = readProbe(probePath);
    }
    reply["probeLeft"_L1] = existsOrDangles(probePath);
    QFile output;
    output.open(stdout, QIODevice::WriteOnly);
    output.write(QJsonDocument(reply).toJson());
    return 0;
}

// How the desktop entry of the default browser starts it.
enum class Entry {
    Plain,          // "<browser>" %u
    Env,            // env VAR=1 "<browser>" %u
    Options,        // "<browser>" --new-window --class "Test Browser" %u
    FilesOnly,      // "<browser>" %f
    Flatpak,        // flatpak run ... org.example.Browser @@u %u @@
    FlatpakMissing, // the same for an application flatpak does not have
    EnvMissing,     // env VAR=1 "<no such program>" %u
    BadInterpreter, // a script whose interpreter does not exist
    ProgramMissing, // "<no such program>" %u
    None,           // no program for HTML documents
};
enum class Argument { Address, File };
enum class Probe {
    Absent,
    LeftOver,
    PlantedLink,
    FullFolder,
    EmptyFolder,
    FolderMissing,
    FolderOpen,
    OthersFolder,
    FolderFixed
};

} // namespace

Q_DECLARE_METATYPE(Entry)
Q_DECLARE_METATYPE(Argument)
Q_DECLARE_METATYPE(Probe)

class tst_BrowserLauncher : public QObject
{
    Q_OBJECT

private slots:
    void launch_data();
    void launch();
    void probeAndFolder_data();
    void probeAndFolder();
    void warnings_data();
    void warnings();
    void programFolders();
    void rootProbeWithoutRuntimeFolder();
    void xdgVariables_data();
    void xdgVariables();
    void privateDesktopGoesWhole();

private:
    void installEntry(XdgFixture &desktop, Entry entry);
    void launchInChild(const XdgFixture &desktop, const QJsonObject &request, QJsonObject &reply);
    void browserCalled(const XdgFixture &desktop, const QStringList &arguments);
    QList<QStringList> flatpakCalls(const XdgFixture &desktop) const;
};

// Registers the browser as `entry` says. The recording browser writes each call; a fake flatpak, first
// on PATH, records its own arguments and passes those between @@u and @@ on to the browser, as flatpak
// does with --file-forwarding.
void tst_BrowserLauncher::installEntry(XdgFixture &desktop, Entry entry)
{
    const QString browser = desktop.installRecordingBrowser();
    QVERIFY(!browser.isEmpty());
    const QString quoted = XdgFixture::quotedExecArgument(browser);
    const QString missing = XdgFixture::quotedExecArgument(desktop.path() + "/bin/no such browser"_L1);
    const QString flatpakRun = u"flatpak "_s + FlatpakRun.join(u' ');

    const QString flatpakFolder = desktop.path() + "/flatpak-bin"_L1;
    QVERIFY(QDir().mkpath(flatpakFolder));
    QFile flatpak(flatpakFolder + "/flatpak"_L1);
    QVERIFY(flatpak.open(QIODevice::WriteOnly));
    const QByteArray calls = XdgFixture::quotedShellWord(desktop.path() + "/calls"_L1);
    flatpak.write("#!/bin/sh\n"
                  "printf '%s\\0' \"$@\" > " +
                  calls + "/.flatpak-$$ && mv " + calls + "/.flatpak-$$ " + calls +
                  "/flatpak-$$\n"
                  "for a do case $a in org.example.*) app=$a; break;; esac; done\n"
                  "[ \"$app\" = org.example.Browser ] || { echo \"error: app/$app/x86_64/stable not installed\" >&2; "
                  "exit 1; }\n"
                  "n=$#; forward=0\n"
                  "for a do\n"
                  "    if [ $forward = 1 ] && [ \"$a\" = @@ ]; then forward=0\n"
                  "    elif [ $forward = 1 ]; then set -- \"$@\" \"$a\"\n"
                  "    elif [ \"$a\" = @@u ]; then forward=1; fi\n"
                  "done\n"
                  "shift $n\n"
                  "exec " +
                  XdgFixture::quotedShellWord(browser) + " \"$@\"\n");
    flatpak.close();
    QVERIFY(flatpak.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    desktop.setVariable("PATH", flatpakFolder + u':' + qEnvironmentVariable("PATH"));

    switch (entry) {
    case Entry::Plain:
        break; // as installRecordingBrowser() registered it
    case Entry::Env:
        QVERIFY(desktop.registerBrowserEntry(u"env RANKWRIGHT_TEST=1 "_s + quoted + u" %u"_s));
        break;
    case Entry::Options:
        QVERIFY(desktop.registerBrowserEntry(quoted + u" --new-window --class \"Test Browser\" %u"_s));
        break;
    case Entry::FilesOnly:
        QVERIFY(desktop.registerBrowserEntry(quoted + u" %f"_s));
        break;
    case Entry::Flatpak:
        QVERIFY(desktop.registerBrowserEntry(flatpakRun + u" @@u %u @@"_s));
        break;
    case Entry::FlatpakMissing:
        QVERIFY(desktop.registerBrowserEntry(QString(flatpakRun).replace(u"Browser"_s, u"Gone"_s) + u" @@u %u @@"_s));
        break;
    case Entry::EnvMissing:
        QVERIFY(desktop.registerBrowserEntry(u"env RANKWRIGHT_TEST=1 "_s + missing + u" %u"_s));
        break;
    case Entry::BadInterpreter:
        QVERIFY(!desktop.installBrowser("#!/nonexistent/interpreter\n").isEmpty());
        break;
    case Entry::ProgramMissing:
        QVERIFY(desktop.registerBrowserEntry(missing + u" %u"_s));
        break;
    case Entry::None:
        QVERIFY(QFile::remove(desktop.configHome() + "/mimeapps.list"_L1));
        QVERIFY(QDir(desktop.dataHome() + "/applications"_L1).removeRecursively());
        break;
    }
}

void tst_BrowserLauncher::launch_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<Argument>("argument");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QStringList>("optionsBefore");

    const QStringList none;
    const QStringList options{u"--new-window"_s, u"--class"_s, u"Test Browser"_s};
    QTest::newRow("plain entry, address") << Entry::Plain << Argument::Address << u"Started"_s << none;
    QTest::newRow("plain entry, file") << Entry::Plain << Argument::File << u"Started"_s << none;
    QTest::newRow("env VAR=1 browser %u, address") << Entry::Env << Argument::Address << u"Started"_s << none;
    QTest::newRow("env VAR=1 browser %u, file") << Entry::Env << Argument::File << u"Started"_s << none;
    QTest::newRow("options before %u, address") << Entry::Options << Argument::Address << u"Started"_s << options;
    QTest::newRow("%f entry, file") << Entry::FilesOnly << Argument::File << u"Started"_s << none;
    QTest::newRow("flatpak entry, address") << Entry::Flatpak << Argument::Address << u"Started"_s << none;
    QTest::newRow("flatpak entry, file") << Entry::Flatpak << Argument::File << u"Started"_s << none;
    // A program that opens only files cannot take an address: it is not started with nothing to show.
    QTest::newRow("%f entry, address") << Entry::FilesOnly << Argument::Address << u"StartFailed"_s << none;
    QTest::newRow("env wrapper, its program missing")
        << Entry::EnvMissing << Argument::Address << u"StartFailed"_s << none;
    QTest::newRow("flatpak application not installed")
        << Entry::FlatpakMissing << Argument::Address << u"StartFailed"_s << none;
    QTest::newRow("script whose interpreter is missing")
        << Entry::BadInterpreter << Argument::File << u"StartFailed"_s << none;
    // The desktop does not offer an entry whose program is missing: no program opens HTML then.
    QTest::newRow("entry's own program missing")
        << Entry::ProgramMissing << Argument::Address << u"NoBrowser"_s << none;
    QTest::newRow("no program for HTML") << Entry::None << Argument::Address << u"NoBrowser"_s << none;
}

void tst_BrowserLauncher::launch()
{
    QFETCH(Entry, entry);
    QFETCH(Argument, argument);
    QFETCH(QString, outcome);
    QFETCH(QStringList, optionsBefore);

    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    installEntry(desktop, entry);
    if (QTest::currentTestFailed())
        return;

    const QString probePath = desktop.runtimeDir() + "/RezAzuvev.HTM"_L1;
    QString document = Address;
    if (argument == Argument::File) {
        document = desktop.path() + u'/' + FileName;
        QVERIFY(QDir().mkpath(QFileInfo(document).path()));
        QFile page(document);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<HTML></HTML>\r\n");
    }

    QJsonObject reply;
    launchInChild(desktop, {{"probePath"_L1, probePath}, {"argument"_L1, document}}, reply);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(reply["outcome"_L1].toString(), outcome);
    // The probe is there, with exactly its bytes, until the caller is done with the result.
    QCOMPARE(QByteArray::fromHex(reply["probe"_L1].toString().toLatin1()), ProbeBytes);
    QVERIFY(!reply["probeLeft"_L1].toBool());
    QVERIFY(!existsOrDangles(probePath));

    if (outcome == "Started"_L1) {
        QVERIFY2(reply["reason"_L1].toString().isEmpty(), qPrintable(reply["reason"_L1].toString()));
        browserCalled(desktop, optionsBefore + QStringList{document});
        if (entry == Entry::Flatpak) {
            const QList<QStringList> expected{FlatpakRun + QStringList{u"@@u"_s, document, u"@@"_s}};
            QCOMPARE(flatpakCalls(desktop), expected);
        }
    } else {
        if (outcome == "StartFailed"_L1)
            QVERIFY(!reply["reason"_L1].toString().isEmpty());
        QTest::qWait(200);
        QCOMPARE(desktop.browserCalls(), QList<QStringList>{});
    }
}

void tst_BrowserLauncher::probeAndFolder_data()
{
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("probe left over from an earlier run is replaced") << Probe::LeftOver << u"Started"_s;
    QTest::newRow("link planted at the probe's name: removed, its target untouched")
        << Probe::PlantedLink << u"Started"_s;
    QTest::newRow("folder that cannot be removed at the probe's name: browser still found")
        << Probe::FullFolder << u"Started"_s;
    QTest::newRow("empty folder at the probe's name is removed") << Probe::EmptyFolder << u"Started"_s;
    QTest::newRow("probe folder missing, umask 000: created 0700") << Probe::FolderMissing << u"Started"_s;
    QTest::newRow("probe folder others may write: made private") << Probe::FolderOpen << u"Started"_s;
    QTest::newRow("probe folder of another user: refused, left as it is")
        << Probe::OthersFolder << u"FolderNotPrivate"_s;
    QTest::newRow("probe folder that cannot be made private: nothing is done")
        << Probe::FolderFixed << u"FolderNotPrivate"_s;
}

void tst_BrowserLauncher::probeAndFolder()
{
    QFETCH(Probe, probe);
    QFETCH(QString, outcome);

    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    QVERIFY(!desktop.installRecordingBrowser().isEmpty());

    QString probeFolder = desktop.path() + "/probe folder"_L1;
    // The mode of a process's own folder under /proc cannot be changed, not even by root.
    if (probe == Probe::FolderFixed)
        probeFolder = u"/proc/self"_s;
    const QString probePath = probeFolder + "/RezAzuvev.HTM"_L1;
    const QString otherFile = desktop.path() + "/someone else's file"_L1;
    const QByteArray otherContent = "not ours to overwrite\n";
    if (probe != Probe::FolderMissing && probe != Probe::FolderFixed)
        QVERIFY(QDir().mkpath(probeFolder));
    switch (probe) {
    case Probe::LeftOver: {
        QFile old(probePath);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a longer probe left over from an earlier run\r\n");
        break;
    }
    case Probe::PlantedLink: {
        QFile other(otherFile);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(otherContent);
        other.close();
        QVERIFY(QFile::link(otherFile, probePath));
        break;
    }
    case Probe::FullFolder:
        QVERIFY(QDir().mkpath(probePath + "/inside"_L1));
        break;
    case Probe::EmptyFolder:
        QVERIFY(QDir().mkpath(probePath));
        break;
    case Probe::FolderOpen:
        QCOMPARE(::chmod(QFile::encodeName(probeFolder).constData(), 0777), 0);
        break;
    case Probe::OthersFolder:
        if (::geteuid() != 0)
            QFAIL("Giving a folder to another user needs root: run the tests as root, as CI does");
        QCOMPARE(::chmod(QFile::encodeName(probeFolder).constData(), 0777), 0);
        QCOMPARE(::chown(QFile::encodeName(probeFolder).constData(), 65534, 65534), 0);
        break;
    case Probe::Absent:
    case Probe::FolderMissing:
    case Probe::FolderFixed:
        break;
    }

    QJsonObject request{{"probePath"_L1, probePath}, {"argument"_L1, Address}};
    if (probe == Probe::FolderMissing)
        request["umask"_L1] = 0;
    QJsonObject reply;
    launchInChild(desktop, request, reply);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(reply["outcome"_L1].toString(), outcome);
    QVERIFY(!reply["probeLeft"_L1].toBool() || probe == Probe::FullFolder);
    if (probe == Probe::FullFolder) {
        // Not written, and nothing of the user's removed to write it.
        QCOMPARE(reply["probe"_L1].toString(), u"missing"_s);
        QVERIFY(QFileInfo(probePath + "/inside"_L1).isDir());
    } else if (outcome == "Started"_L1) {
        QCOMPARE(QByteArray::fromHex(reply["probe"_L1].toString().toLatin1()), ProbeBytes);
        QVERIFY(!existsOrDangles(probePath));
    }

    if (outcome == "Started"_L1) {
        browserCalled(desktop, {Address});
        struct stat folder = {};
        QCOMPARE(::stat(QFile::encodeName(probeFolder).constData(), &folder), 0);
        QCOMPARE(folder.st_mode & 07777, mode_t(0700));
        QCOMPARE(folder.st_uid, ::geteuid());
    } else {
        QVERIFY2(reply["reason"_L1].toString().contains(probeFolder), qPrintable(reply["reason"_L1].toString()));
        QTest::qWait(200);
        QCOMPARE(desktop.browserCalls(), QList<QStringList>{});
    }
    if (probe == Probe::OthersFolder) {
        // Not taken over: owner, mode and content as they were.
        struct stat folder = {};
        QCOMPARE(::stat(QFile::encodeName(probeFolder).constData(), &folder), 0);
        QCOMPARE(folder.st_mode & 07777, mode_t(0777));
        QCOMPARE(folder.st_uid, uid_t(65534));
        QVERIFY(QDir(probeFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
    }
    if (probe == Probe::PlantedLink) {
        QFile other(otherFile);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), otherContent);
    }
}

void tst_BrowserLauncher::warnings_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<bool>("folderPrivate");
    QTest::addColumn<QString>("notFoundText");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("browser started: no warning")
        << Entry::Env << true << u"Could not find your Browser"_s << QStringList();
    QTest::newRow("no browser, site link's text") << Entry::None << true << u"Could not find your Browser"_s
                                                  << QStringList{u"Browser Not Found: Could not find your Browser"_s};
    QTest::newRow("no browser, submission and generator text")
        << Entry::None << true << u"Could not your Browser"_s
        << QStringList{u"Browser Not Found: Could not your Browser"_s};
    QTest::newRow("wrapped program missing: start failed, once")
        << Entry::EnvMissing << true << u"Could not find your Browser"_s
        << QStringList{u"URL Failed: Web Page not Opened"_s};
    QTest::newRow("flatpak application not installed: start failed, once")
        << Entry::FlatpakMissing << true << u"Could not your Browser"_s
        << QStringList{u"URL Failed: Web Page not Opened"_s};
    QTest::newRow("probe folder cannot be made private")
        << Entry::Plain << false << u"Could not your Browser"_s
        << QStringList{u"Browser Not Opened: Your browser was not opened: the program keeps its files only in folders "
                       "that other users cannot change.\n\nThe folder /proc/self is open to other users and cannot be "
                       "made private"_s};
}

void tst_BrowserLauncher::warnings()
{
    QFETCH(Entry, entry);
    QFETCH(bool, folderPrivate);
    QFETCH(QString, notFoundText);
    QFETCH(QStringList, warnings);

    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    installEntry(desktop, entry);
    if (QTest::currentTestFailed())
        return;
    const QString probePath = (folderPrivate ? desktop.runtimeDir() : u"/proc/self"_s) + "/RezAzuvev.HTM"_L1;

    QJsonObject reply;
    launchInChild(
        desktop,
        {{"probePath"_L1, probePath}, {"argument"_L1, Address}, {"notFoundText"_L1, notFoundText}, {"ui"_L1, true}},
        reply);
    if (QTest::currentTestFailed())
        return;

    QStringList shown;
    for (const QJsonValue &warning : reply["warnings"_L1].toArray()) {
        shown.append(warning["shown"_L1].toString());
        QVERIFY(warning["warningIconOkOnly"_L1].toBool());
        QVERIFY(warning["modalOwnedByCaller"_L1].toBool());
        // The probe is still there while the warning is up, holding exactly its bytes.
        if (folderPrivate)
            QCOMPARE(QByteArray::fromHex(warning["probe"_L1].toString().toLatin1()), ProbeBytes);
    }
    // The folder's warning ends with the system's reason, which differs between systems.
    if (!folderPrivate && shown.size() == 1)
        QVERIFY2(shown.first().startsWith(warnings.first()), qPrintable(shown.first()));
    else
        QCOMPARE(shown, warnings);
    QVERIFY(!reply["probeLeft"_L1].toBool());

    if (entry == Entry::Env) {
        browserCalled(desktop, {Address});
    } else {
        QTest::qWait(200);
        QCOMPARE(desktop.browserCalls(), QList<QStringList>{});
    }
}

void tst_BrowserLauncher::programFolders()
{
    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    desktop.applyToThisProcess();
    const QString folder = desktop.dataHome() + "/Rankwright"_L1;

    QCOMPARE(programDataFolder(), folder);
    QCOMPARE(programProbePath(), folder + "/RezAzuvev.HTM"_L1);
    QCOMPARE(resultsFilePath(), folder + "/GeneratorResults.html"_L1);
    QCOMPARE(rootProbePath(), desktop.runtimeDir() + "/RezAzuvev.HTM"_L1);

    // Made private whatever the umask, the missing data folder above it too.
    QVERIFY(QDir(desktop.dataHome()).removeRecursively());
    const mode_t oldMask = ::umask(0);
    QString error;
    const bool prepared = prepareProgramFile(resultsFilePath(), &error);
    ::umask(oldMask);
    QVERIFY2(prepared, qPrintable(error));
    for (const QString &made : {folder, desktop.dataHome()}) {
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(made).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0700));
    }

    // A link at the results file's name goes; the file it points at stays as it was.
    const QString otherFile = desktop.path() + "/someone else's file"_L1;
    QFile other(otherFile);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("29400 bytes of someone's work");
    other.close();
    QVERIFY(QFile::link(otherFile, resultsFilePath()));
    QVERIFY2(prepareProgramFile(resultsFilePath(), &error), qPrintable(error));
    QVERIFY(!existsOrDangles(resultsFilePath()));
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("29400 bytes of someone's work"));
    other.close();

    // So does a second name of another file; a plain file of ours stays until it is replaced whole.
    QVERIFY(::link(QFile::encodeName(otherFile).constData(), QFile::encodeName(resultsFilePath()).constData()) == 0);
    QVERIFY2(prepareProgramFile(resultsFilePath(), &error), qPrintable(error));
    QVERIFY(!existsOrDangles(resultsFilePath()));
    QFile results(resultsFilePath());
    QVERIFY(results.open(QIODevice::WriteOnly));
    results.write("the page viewed last");
    results.close();
    QVERIFY2(prepareProgramFile(resultsFilePath(), &error), qPrintable(error));
    QVERIFY(results.open(QIODevice::ReadOnly));
    QCOMPARE(results.readAll(), QByteArray("the page viewed last"));
    results.close();

    // A folder with something in it is not emptied to make room: the preparation fails and says why.
    QVERIFY(results.remove());
    QVERIFY(QDir().mkpath(resultsFilePath() + "/kept"_L1));
    error.clear();
    QVERIFY(!prepareProgramFile(resultsFilePath(), &error));
    QVERIFY2(error.contains(resultsFilePath()), qPrintable(error));
    QVERIFY(QFileInfo(resultsFilePath() + "/kept"_L1).isDir());
}

void tst_BrowserLauncher::rootProbeWithoutRuntimeFolder()
{
    // Without XDG_RUNTIME_DIR, Qt falls back to TMPDIR/runtime-<user>, and gives up when that is not a
    // private folder; here it is a plain file. The probe must then still land in a private folder.
    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    const QString tmp = desktop.path() + "/tmp"_L1;
    QVERIFY(QDir().mkpath(tmp));
    QFile blocker(tmp + "/runtime-"_L1);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(blocker.rename(tmp + "/runtime-"_L1 + QFileInfo(blocker).owner()));
    desktop.setVariable("XDG_RUNTIME_DIR", std::nullopt);
    desktop.setVariable("TMPDIR", tmp);
    desktop.applyToThisProcess();

    QCOMPARE(rootProbePath(), desktop.dataHome() + "/Rankwright/RezAzuvev.HTM"_L1);
}

void tst_BrowserLauncher::xdgVariables_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value"); // "@" stands for the private desktop's folder
    QTest::addColumn<QByteArray>("dataFolder");
    QTest::addColumn<QByteArray>("probeFolder");

    const QByteArray home = "@/home/.local/share/Rankwright";
    QTest::newRow("XDG_DATA_HOME absolute") << QByteArray("XDG_DATA_HOME") << QByteArray("@/elsewhere")
                                            << QByteArray("@/elsewhere/Rankwright") << QByteArray("@/runtime");
    QTest::newRow("XDG_DATA_HOME relative: ignored as if unset")
        << QByteArray("XDG_DATA_HOME") << QByteArray("data") << home << QByteArray("@/runtime");
    QTest::newRow("XDG_DATA_HOME empty: unset")
        << QByteArray("XDG_DATA_HOME") << QByteArray() << home << QByteArray("@/runtime");
    QTest::newRow("XDG_DATA_HOME not UTF-8: its bytes kept") << QByteArray("XDG_DATA_HOME")
                                                             << QByteArray("@/donn\xe9"
                                                                           "es")
                                                             << QByteArray("@/donn\xe9"
                                                                           "es/Rankwright")
                                                             << QByteArray("@/runtime");
    QTest::newRow("XDG_RUNTIME_DIR relative: ignored, probe in the data folder")
        << QByteArray("XDG_RUNTIME_DIR") << QByteArray("runtime") << QByteArray("@/data/Rankwright")
        << QByteArray("@/data/Rankwright");
    QTest::newRow("XDG_RUNTIME_DIR open to others: ignored")
        << QByteArray("XDG_RUNTIME_DIR") << QByteArray("@/open") << QByteArray("@/data/Rankwright")
        << QByteArray("@/data/Rankwright");
    QTest::newRow("XDG_RUNTIME_DIR not UTF-8: its bytes kept")
        << QByteArray("XDG_RUNTIME_DIR") << QByteArray("@/laufzeit-\xfc") << QByteArray("@/data/Rankwright")
        << QByteArray("@/laufzeit-\xfc");
}

// The folders follow the XDG Base Directory rules, and their names are the environment's bytes: what
// the program writes lands exactly there, under no other name.
void tst_BrowserLauncher::xdgVariables()
{
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, dataFolder);
    QFETCH(QByteArray, probeFolder);

    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    const QByteArray root = QFile::encodeName(desktop.path());
    value.replace('@', root);
    dataFolder.replace('@', root);
    probeFolder.replace('@', root);
    QVERIFY(QDir().mkpath(desktop.path() + "/home"_L1));
    QVERIFY(QDir().mkpath(desktop.path() + "/open"_L1));
    QCOMPARE(::chmod(QFile::encodeName(desktop.path() + "/open"_L1).constData(), 0755), 0);
    if (variable == "XDG_RUNTIME_DIR" && value.contains('\xfc')) {
        QCOMPARE(::mkdir(value.constData(), 0700), 0);
        QCOMPARE(::chmod(value.constData(), 0700), 0);
    }
    desktop.setVariable("HOME", desktop.path() + "/home"_L1);
    desktop.applyToThisProcess();
    qputenv(variable.constData(), value);
    // A relative name would be taken from here.
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(desktop.path()));
    auto restore = qScopeGuard([&] { QDir::setCurrent(workingFolder); });

    QCOMPARE(fileNameToBytes(programDataFolder()), dataFolder);
    QCOMPARE(fileNameToBytes(resultsFilePath()), dataFolder + "/GeneratorResults.html");
    QCOMPARE(fileNameToBytes(rootProbePath()), probeFolder + "/RezAzuvev.HTM");

    // Written exactly there, and nowhere else: no folder under the relative name, none whose name
    // holds a replacement character.
    QString error;
    QVERIFY2(prepareProgramFile(resultsFilePath(), &error), qPrintable(error));
    struct stat status = {};
    QCOMPARE(::stat(dataFolder.constData(), &status), 0);
    QCOMPARE(status.st_mode & 07777, mode_t(0700));
    DIR *top = ::opendir(root.constData());
    QVERIFY(top);
    while (const dirent *entry = ::readdir(top))
        QVERIFY2(!QByteArrayView(entry->d_name).contains("\xef\xbf\xbd"), entry->d_name);
    ::closedir(top);
    if (!value.startsWith('/') && !value.isEmpty())
        QVERIFY2(!QFileInfo::exists(desktop.path() + u'/' + QString::fromLatin1(value) + "/Rankwright"_L1),
                 "A folder was made under the relative name");
}

// The private desktop goes whole when a test is done with it, names that are not UTF-8 included
// (QTemporaryDir leaves those behind), and a link in it goes without what it points at.
void tst_BrowserLauncher::privateDesktopGoesWhole()
{
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString kept = outside.filePath(u"kept.txt"_s);
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::WriteOnly));
    keptFile.close();
    QByteArray root;
    {
        XdgFixture desktop;
        QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
        root = QFile::encodeName(desktop.path());
        const QByteArray latin1 = root + "/donn\xe9"
                                         "es";
        QCOMPARE(::mkdir(latin1.constData(), 0700), 0);
        const QByteArray inner = latin1 + "/laufzeit-\xfc";
        QCOMPARE(::mkdir(inner.constData(), 0700), 0);
        const int probe = ::creat(QByteArray(inner + "/probe").constData(), 0600);
        QVERIFY(probe >= 0);
        ::close(probe);
        QVERIFY(QFile::link(outside.path(), desktop.path() + "/linked"_L1));
    }
    struct stat status = {};
    QCOMPARE(::lstat(root.constData(), &status), -1);
    QVERIFY(QFileInfo::exists(kept));
}

void tst_BrowserLauncher::launchInChild(const XdgFixture &desktop, const QJsonObject &request, QJsonObject &reply)
{
    QProcessEnvironment environment = desktop.environment();
    if (!environment.contains(u"QT_QPA_PLATFORM"_s))
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);

    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(LaunchSwitch)});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    child.write(QJsonDocument(request).toJson());
    child.closeWriteChannel();
    // A generous bound that only ends a child which hangs, e.g. on a warning nobody closes.
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        QFAIL("The launching child did not finish");
    }
    const QByteArray errors = child.readAllStandardError();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, errors.constData());
    QJsonParseError parseError;
    reply = QJsonDocument::fromJson(child.readAllStandardOutput(), &parseError).object();
    QVERIFY2(parseError.error == QJsonParseError::NoError, errors.constData());
}

// The browser runs on its own: waits for its one call and compares what it got.
void tst_BrowserLauncher::browserCalled(const XdgFixture &desktop, const QStringList &arguments)
{
    QTRY_COMPARE_WITH_TIMEOUT(desktop.browserCalls().size(), 1, 30000);
    QCOMPARE(desktop.browserCalls().constFirst(), arguments);
}

QList<QStringList> tst_BrowserLauncher::flatpakCalls(const XdgFixture &desktop) const
{
    QList<QStringList> calls;
    const QDir folder(desktop.path() + "/calls"_L1);
    for (const QString &name : folder.entryList({u"flatpak-*"_s}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QByteArray content = file.readAll();
        content.chop(1); // the NUL after the last argument
        QStringList arguments;
        for (const QByteArray &argument : content.split('\0'))
            arguments.append(QFile::decodeName(argument));
        calls.append(arguments);
    }
    return calls;
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], LaunchSwitch) == 0)
        return launchInChild(argc, argv);

    QApplication app(argc, argv);
    tst_BrowserLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browserlauncher.moc"
