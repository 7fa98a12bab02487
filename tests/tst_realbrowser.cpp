#include "core/pageproject.h"
#include "platform/appfolders.h"
#include "sampleproject.h"
#include "uitest.h"
#include "xdgfixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Title = u"Rankwright Real Browser Check"_s;
const QString Body = u"The quick brown fox reads the gateway page."_s;

// The sample project, with a title and body the rendered page can be checked for, and without
// the auto-forward, which would leave the page.
void setUpProject()
{
    PageProject &p = pageProject();
    p = sampleProject();
    p.PageTitle = Title;
    p.BodyText = Body;
    p.UseAutoForward.clear();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The generator's "View It With My Web Browser" with a real browser: headless Chromium, made the
// desktop's HTML program, prints the page it rendered.
class tst_RealBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void viewRendersPage();
    void autoForwardFollowsScript();

private:
    void viewInBrowser();

    std::unique_ptr<XdgFixture> m_desktop;
    QString m_out;
};

void tst_RealBrowser::initTestCase()
{
    const QString chromium = QStandardPaths::findExecutable(u"chromium"_s);
    if (chromium.isEmpty())
        QSKIP("Chromium is not installed (scripts/install-deps --tests installs it)");

    // One private desktop for the whole process, before anything has asked GIO.
    m_desktop = std::make_unique<XdgFixture>();
    QVERIFY2(m_desktop->isValid(), qPrintable(m_desktop->errorString()));
    m_out = m_desktop->path() + u"/out"_s;
    QVERIFY(QDir().mkpath(m_out));

    // The wrapper keeps the argument it was given and the DOM Chromium rendered, each published
    // whole (written aside, then renamed). The virtual time budget lets scripts and redirects run
    // before the DOM is printed; a fresh profile keeps every run apart, and is gone before the DOM
    // is published, so that the test does not end while it is still being removed.
    const QByteArray out = XdgFixture::quotedShellWord(m_out);
    const QByteArray script = "#!/bin/sh\n"
                              "printf '%s' \"$1\" > " +
                              out + "/argument.tmp && mv " + out + "/argument.tmp " + out +
                              "/argument\n"
                              "profile=$(mktemp -d " +
                              out + "/profile-XXXXXX)\n" + QFile::encodeName(chromium) +
                              " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                              " --disable-background-networking --disable-component-update --disable-sync"
                              " --user-data-dir=\"$profile\" --virtual-time-budget=5000 --dump-dom \"$1\" > " +
                              out + "/dump.tmp 2> " + out +
                              "/chromium.log\n"
                              "rm -rf \"$profile\"\n"
                              "mv " +
                              out + "/dump.tmp " + out + "/dump.html\n";
    QVERIFY(!m_desktop->installBrowser(script).isEmpty());
    m_desktop->applyToThisProcess();
    UiTest::initApplication();
}

void tst_RealBrowser::init()
{
    UiTest::startFresh();
    for (const char *name : {"/argument", "/dump.html", "/chromium.log"})
        QFile::remove(m_out + QLatin1String(name));
    setUpProject();
}

void tst_RealBrowser::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

// Opens the generator on the current project and chooses "View It With My Web Browser".
void tst_RealBrowser::viewInBrowser()
{
    QWidget *generator = Screens::show(ScreenId::Generator);
    QVERIFY(generator && QTest::qWaitForWindowExposed(generator));
    UiTest::click(ScreenId::Generator, "Command4");
    QWidget *options = Screens::find(ScreenId::Options);
    QVERIFY(options && QTest::qWaitForWindowActive(options));
    UiTest::click(UiTest::control<QCheckBox>(ScreenId::Options, "Check2"));
    QVERIFY(UiTest::control<QCheckBox>(ScreenId::Options, "Check2")->isChecked());
    UiTest::click(ScreenId::Options, "Command4");

    QVERIFY(QFile::exists(resultsFilePath()));
    QTRY_VERIFY2_WITH_TIMEOUT(QFile::exists(m_out + u"/dump.html"_s), qPrintable(readText(m_out + u"/chromium.log"_s)),
                              60000);
    QCOMPARE(readText(m_out + u"/argument"_s), resultsFilePath());
}

void tst_RealBrowser::viewRendersPage()
{
    viewInBrowser();
    if (QTest::currentTestFailed())
        return;
    const QString dom = readText(m_out + u"/dump.html"_s);
    QVERIFY2(dom.contains(u"<title>"_s + Title + u"</title>"_s, Qt::CaseInsensitive), qPrintable(dom.left(2000)));
    QVERIFY2(dom.contains(Body), qPrintable(dom.left(2000)));
    QVERIFY2(dom.contains(u"free software - Click Here!"_s), qPrintable(dom.left(2000)));
}

void tst_RealBrowser::autoForwardFollowsScript()
{
    const QString site = m_desktop->path() + u"/site/index.html"_s;
    QVERIFY(QDir().mkpath(m_desktop->path() + u"/site"_s));
    {
        QFile file(site);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>The Real Site</title></head>"
                   "<body><p>Welcome to the site the gateway page forwards to.</p></body></html>\n");
    }
    PageProject &p = pageProject();
    p.SiteUrl = QUrl::fromLocalFile(site).toString();
    p.UseAutoForward = u"Yes"_s;

    viewInBrowser();
    if (QTest::currentTestFailed())
        return;
    const QString dom = readText(m_out + u"/dump.html"_s);
    QVERIFY2(dom.contains(u"Welcome to the site the gateway page forwards to."_s), qPrintable(dom.left(2000)));
    QVERIFY2(!dom.contains(Body), qPrintable(dom.left(2000)));
}

QTEST_MAIN(tst_RealBrowser)
#include "tst_realbrowser.moc"
