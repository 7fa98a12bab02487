#include "platform/appfolders.h"
#include "platform/browserlauncher.h"
#include "xdgfixture.h"
#include "modalwindows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// GIO reads the desktop set-up once per process, so every launch runs in a child: this test program
// started again with this switch.
constexpr char LaunchSwitch[] = "--launch-in-child";

const QByteArray ProbeBytes = QByteArray::fromHex("223C48544D4C3E203C5C48544D4C3E220D0A");

bool existsOrDangles(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The child's side. Reads {probePath, argument, notFoundText} as JSON from stdin, calls OpenInBrowser
// with a window of its own as the owner, and writes every warning shown (with the probe file's content
// while the warning was up) and whether the probe outlived the call as JSON to stdout.
int launchInChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    const QJsonObject request = QJsonDocument::fromJson(input.readAll()).object();
    const QString probePath = request["probePath"_L1].toString();

    QWidget owner;
    owner.show();
    QStringList probesSeen;
    MessageBoxCatcher catcher([&](QMessageBox *) {
        QFile probe(probePath);
        probesSeen.append(probe.open(QIODevice::ReadOnly) ? QString::fromLatin1(probe.readAll().toHex())
                                                          : u"missing"_s);
    });
    OpenInBrowser(&owner, probePath, request["argument"_L1].toString(),
                  request["notFoundText"_L1].toString());

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
    const QJsonObject reply{{"warnings"_L1, warnings}, {"probeLeft"_L1, existsOrDangles(probePath)}};
    QFile output;
    output.open(stdout, QIODevice::WriteOnly);
    output.write(QJsonDocument(reply).toJson());
    return 0;
}

enum class Browser { Recording, None, CannotStart, MissingProgram };
enum class Probe { Absent, LeftOver, PlantedLink, FolderMissing };

} // namespace

Q_DECLARE_METATYPE(Browser)
Q_DECLARE_METATYPE(Probe)

class tst_BrowserLauncher : public QObject
{
    Q_OBJECT

private slots:
    void openInBrowser_data();
    void openInBrowser();
    void programFolders();
    void rootProbeWithoutRuntimeFolder();

private:
    void launchInChild(const XdgFixture &desktop, const QJsonObject &request, QJsonObject &reply);
};

void tst_BrowserLauncher::openInBrowser_data()
{
    QTest::addColumn<Browser>("browser");
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("notFoundText");
    QTest::addColumn<QStringList>("warnings");

    const QString site = u"http://www.example.com"_s;
    const QStringList none;
    const QStringList notStarted{u"URL Failed: Web Page not Opened"_s};

    QTest::newRow("address with blanks, quotes, ; and $ reaches the browser as it is")
        << Browser::Recording << Probe::Absent << uR"(http://x/a b "c";$HOME)"_s
        << u"Could not find your Browser"_s << none;
    QTest::newRow("file path with blanks, left-over probe")
        << Browser::Recording << Probe::LeftOver << u"/home/someone/My Pages/GeneratorResults.html"_s
        << u"Could not your Browser"_s << none;
    QTest::newRow("probe folder missing: looked up by name, browser still started")
        << Browser::Recording << Probe::FolderMissing << site << u"Could not your Browser"_s << none;
    QTest::newRow("no browser, site link's text")
        << Browser::None << Probe::Absent << site << u"Could not find your Browser"_s
        << QStringList{u"Browser Not Found: Could not find your Browser"_s};
    QTest::newRow("no browser, submission and generator text, left-over probe overwritten")
        << Browser::None << Probe::LeftOver << site + u"/Search.html"_s << u"Could not your Browser"_s
        << QStringList{u"Browser Not Found: Could not your Browser"_s};
    QTest::newRow("default entry names a program that does not exist")
        << Browser::MissingProgram << Probe::Absent << site << u"Could not your Browser"_s
        << QStringList{u"Browser Not Found: Could not your Browser"_s};
    QTest::newRow("browser cannot be started")
        << Browser::CannotStart << Probe::Absent << site << u"Could not find your Browser"_s << notStarted;
    QTest::newRow("link planted at the probe's name is replaced, its target untouched")
        << Browser::CannotStart << Probe::PlantedLink << site << u"Could not your Browser"_s << notStarted;
}

void tst_BrowserLauncher::openInBrowser()
{
    QFETCH(Browser, browser);
    QFETCH(Probe, probe);
    QFETCH(QString, argument);
    QFETCH(QString, notFoundText);
    QFETCH(QStringList, warnings);

    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    switch (browser) {
    case Browser::Recording:
        QVERIFY(!desktop.installRecordingBrowser().isEmpty());
        break;
    case Browser::CannotStart:
        QVERIFY(!desktop.installBrowser("#!/nonexistent/interpreter\n").isEmpty());
        break;
    case Browser::MissingProgram:
        QVERIFY(desktop.registerBrowserEntry(
            XdgFixture::quotedExecArgument(desktop.path() + "/bin/no-such-browser"_L1) + " %u"_L1));
        break;
    case Browser::None:
        break;
    }

    const QString probeFolder =
        desktop.path() + (probe == Probe::FolderMissing ? "/missing"_L1 : "/probe folder"_L1);
    const QString probePath = probeFolder + "/RezAzuvev.HTM"_L1;
    const QString otherFile = desktop.path() + "/someone else's file"_L1;
    const QByteArray otherContent = "not ours to overwrite\n";
    if (probe != Probe::FolderMissing)
        QVERIFY(QDir().mkpath(probeFolder));
    if (probe == Probe::LeftOver) {
        QFile old(probePath);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a longer probe left over from an earlier run\r\n");
    }
    if (probe == Probe::PlantedLink) {
        QFile other(otherFile);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(otherContent);
        other.close();
        QVERIFY(QFile::link(otherFile, probePath));
    }

    QJsonObject reply;
    launchInChild(desktop,
                  {{"probePath"_L1, probePath}, {"argument"_L1, argument}, {"notFoundText"_L1, notFoundText}},
                  reply);
    if (QTest::currentTestFailed())
        return;

    QStringList shown;
    for (const QJsonValue &warning : reply["warnings"_L1].toArray()) {
        shown.append(warning["shown"_L1].toString());
        QVERIFY(warning["warningIconOkOnly"_L1].toBool());
        QVERIFY(warning["modalOwnedByCaller"_L1].toBool());
        // The probe is still there while the warning is up, holding exactly its bytes.
        QCOMPARE(QByteArray::fromHex(warning["probe"_L1].toString().toLatin1()), ProbeBytes);
    }
    QCOMPARE(shown, warnings);
    QVERIFY(!reply["probeLeft"_L1].toBool());
    QVERIFY(!existsOrDangles(probePath));

    if (probe == Probe::PlantedLink) {
        QFile other(otherFile);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), otherContent);
    }

    if (browser == Browser::Recording) {
        // The browser runs on its own; give it time to record its call.
        QTRY_COMPARE_WITH_TIMEOUT(desktop.browserCalls().size(), 1, 30000);
        QCOMPARE(desktop.browserCalls().constFirst(), QStringList{argument});
    } else {
        QCOMPARE(desktop.browserCalls(), QList<QStringList>{});
    }
}

void tst_BrowserLauncher::programFolders()
{
    XdgFixture desktop;
    QVERIFY2(desktop.isValid(), qPrintable(desktop.errorString()));
    desktop.applyToThisProcess();
    const QString folder = desktop.dataHome() + "/Rankwright"_L1;
    QVERIFY(!QFileInfo::exists(folder));

    QCOMPARE(programDataFolder(), folder);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(programProbePath(), folder + "/RezAzuvev.HTM"_L1);
    QCOMPARE(resultsFilePath(), folder + "/GeneratorResults.html"_L1);
    QCOMPARE(rootProbePath(), desktop.runtimeDir() + "/RezAzuvev.HTM"_L1);
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
    QVERIFY(QFileInfo(desktop.dataHome() + "/Rankwright"_L1).isDir());
}

void tst_BrowserLauncher::launchInChild(const XdgFixture &desktop, const QJsonObject &request,
                                        QJsonObject &reply)
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

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], LaunchSwitch) == 0)
        return launchInChild(argc, argv);

    QApplication app(argc, argv);
    tst_BrowserLauncher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browserlauncher.moc"
