#include "analysis/counting.h"
#include "analysis/reports.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "platform/appfolders.h"
#include "platform/filenames.h"
#include "sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/browserhandoff.h"
#include "ui/controls/captions.h"
#include "ui/windows/frmgenerator.h"
#include "uitest.h"
#include "xdgfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <algorithm>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using UiTest::labelText;
using UiTest::readFile;
using UiTest::saveAs;
using UiTest::typeNameAndSave;

const QString Lbl1AtLoad = u"If you have everything exactly how you want it, click the exclamation point below!    "_s;

QByteArray pageBytes(const QString &text)
{
    return (text + u"\r\n"_s).toUtf8();
}

frmGenerator *generator()
{
    return Screens::find<frmGenerator>(ScreenId::Generator);
}

QPlainTextEdit *text1()
{
    return UiTest::control<QPlainTextEdit>(ScreenId::Generator, "Text1");
}

// Appends `typed` at the end of the preview, typed as the user would.
void typeAtEnd(const QString &typed)
{
    UiTest::typeAtEnd(text1(), typed);
}

QCheckBox *optionsBox(const char *name)
{
    return UiTest::control<QCheckBox>(ScreenId::Options, name);
}

// Sets environment variables for as long as it lives (an empty optional removes one), then puts the
// old values back.
class EnvironmentChange
{
public:
    explicit EnvironmentChange(const QList<std::pair<QByteArray, std::optional<QByteArray>>> &changes)
    {
        for (const auto &[name, value] : changes) {
            m_saved.append({name, qEnvironmentVariableIsSet(name.constData())
                                      ? std::optional<QByteArray>(qgetenv(name.constData()))
                                      : std::nullopt});
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }
    ~EnvironmentChange()
    {
        for (const auto &[name, value] : m_saved) {
            if (value)
                qputenv(name.constData(), *value);
            else
                qunsetenv(name.constData());
        }
    }
    EnvironmentChange(const EnvironmentChange &) = delete;
    EnvironmentChange &operator=(const EnvironmentChange &) = delete;

private:
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

QByteArray readBytes(const QByteArray &name)
{
    QByteArray content;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<unreadable>";
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        content.append(buffer, got);
    ::close(fd);
    return content;
}

// Owner, mode and content of everything under `folder`, the folder included, by the bytes of its names.
QStringList snapshot(const QByteArray &folder)
{
    QStringList lines;
    struct stat status = {};
    if (::lstat(folder.constData(), &status) != 0)
        return {u"missing "_s + fileNameFromBytes(folder)};
    lines.append(u"%1 mode %2 owner %3:%4"_s.arg(fileNameFromBytes(folder))
                     .arg(status.st_mode, 0, 8)
                     .arg(status.st_uid)
                     .arg(status.st_gid));
    if (S_ISREG(status.st_mode))
        lines.append(QString::fromLatin1(readBytes(folder).toHex()));
    if (S_ISDIR(status.st_mode)) {
        QList<QByteArray> names;
        if (DIR *dir = ::opendir(folder.constData())) {
            while (const dirent *entry = ::readdir(dir)) {
                if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
                    names.append(entry->d_name);
            }
            ::closedir(dir);
        }
        std::sort(names.begin(), names.end());
        for (const QByteArray &name : names)
            lines += snapshot(folder + '/' + name);
    }
    return lines;
}

// Whether a name under `folder` holds U+FFFD, as one made from a name read as UTF-8 that was not.
bool hasReplacementCharacter(const QByteArray &folder)
{
    return snapshot(folder).join(u'\n').contains(QChar::ReplacementCharacter);
}

} // namespace

class tst_Generator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadBuildsPage_data();
    void loadBuildsPage();
    void leavingShowsSettings_data();
    void leavingShowsSettings();
    void optionsWindow();
    void optionsKeepOneBoxTicked();
    void nothingToDo_data();
    void nothingToDo();
    void analyseEditedPage();
    void viewWritesResultsAndStartsBrowser();
    void viewWithResultsUnwritable();
    void viewNeverFollowsLinkAtResultsName();
    void saveWritesChosenFile_data();
    void saveWritesChosenFile();
    void saveOverExistingFile_data();
    void saveOverExistingFile();
    void saveRefusesMissingFolder();
    void saveRefusesWhatIsNotAFile();
    void cancelledSaveWritesNothing();
    void viewFollowsXdgRules_data();
    void viewFollowsXdgRules();
    void foreignHomeIsLeftAlone_data();
    void foreignHomeIsLeftAlone();

private:
    void showGenerator();
    void waitForBrowserCalls(qsizetype expected);

    std::unique_ptr<XdgFixture> m_desktop;
    QTemporaryDir m_saveFolder;
};

void tst_Generator::initTestCase()
{
    // One private desktop for the whole process, before anything has asked GIO: GIO keeps what
    // it found the first time.
    m_desktop = std::make_unique<XdgFixture>();
    QVERIFY2(m_desktop->isValid(), qPrintable(m_desktop->errorString()));
    QVERIFY(!m_desktop->installRecordingBrowser().isEmpty());
    m_desktop->applyToThisProcess();
    QVERIFY(resultsFilePath().startsWith(m_desktop->dataHome()));
    UiTest::initApplication();
}

void tst_Generator::init()
{
    UiTest::startFresh();
    QFile::remove(resultsFilePath());
    QVERIFY(m_saveFolder.isValid());
    QDir folder(m_saveFolder.path());
    for (const QString &entry : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        QVERIFY(QFileInfo(folder.filePath(entry)).isDir() ? QDir(folder.filePath(entry)).removeRecursively()
                                                          : folder.remove(entry));
    pageProject() = sampleProject();
}

void tst_Generator::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void tst_Generator::showGenerator()
{
    QWidget *screen = Screens::show(ScreenId::Generator);
    QVERIFY(screen);
    QVERIFY(QTest::qWaitForWindowExposed(screen));
}

// The recording browser runs on its own; waits until `expected` calls have arrived.
void tst_Generator::waitForBrowserCalls(qsizetype expected)
{
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop->browserCalls().size(), expected, 10000);
}

void tst_Generator::loadBuildsPage_data()
{
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("lbl2");

    QTest::newRow("Alta Vista")
        << 0
        << u"Click the exclamation point and analize your HTML code to be sure your page is ready to be submitted to Alta Vista."_s;
    QTest::newRow("Yahoo, auto-forward and hit counter")
        << 8
        << u"Click the exclamation point and analize your HTML code to be sure your page is ready to be submitted to Yahoo."_s;
}

void tst_Generator::loadBuildsPage()
{
    QFETCH(int, engine);
    QFETCH(QString, lbl2);

    pageProject() = sampleProject(engine);
    PageProject &p = pageProject();
    if (engine == 8) {
        p.UseAutoForward = p.UseHitCounter = u"Yes"_s;
        p.HitCounterHtml = u"<IMG SRC=\"counter.gif\">"_s;
    }
    PageProject expectedProject = p;
    const QString expectedPage = BuildGatewayPage(expectedProject);

    showGenerator();
    QCOMPARE(generator()->windowTitle(), u"Rankwright Assistant 5.0"_s);
    QCOMPARE(labelText(ScreenId::Generator, "lbl2"), lbl2);
    QCOMPARE(labelText(ScreenId::Generator, "lbl1"), Lbl1AtLoad);
    QCOMPARE(boxText(text1()), expectedPage);
    QVERIFY(!text1()->isReadOnly());
    QVERIFY(generator()->isEnabled());
}

void tst_Generator::leavingShowsSettings_data()
{
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("back arrow") << false;
    QTest::newRow("window's close control") << true;
}

void tst_Generator::leavingShowsSettings()
{
    QFETCH(bool, byCloseControl);

    showGenerator();
    typeAtEnd(u"edited"_s);
    if (byCloseControl)
        UiTest::closeByCloseControl(ScreenId::Generator);
    else
        UiTest::click(ScreenId::Generator, "Command3");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Generator));
    QVERIFY(Screens::isOpen(ScreenId::Step5));
    QVERIFY(Screens::find(ScreenId::Step5)->isVisible());
    // Leaving the generator is not leaving the wizard.
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QVERIFY(pageProject().ResetRequested.isEmpty());

    // Arriving again builds the page afresh from the project; the edit is gone.
    pageProject().PageTitle = u"A New Title"_s;
    PageProject expectedProject = pageProject();
    const QString expectedPage = BuildGatewayPage(expectedProject);
    showGenerator();
    QCOMPARE(boxText(text1()), expectedPage);
    QVERIFY(!boxText(text1()).contains(u"edited"_s));
}

void tst_Generator::optionsWindow()
{
    showGenerator();
    UiTest::openPageOptions();
    QWidget *options = Screens::find(ScreenId::Options);
    QCOMPARE(options->windowTitle(), u"Rankwright Assistant 5.0"_s);
    QCOMPARE(labelText(ScreenId::Options, "Label1"),
             u"What would you like to do with your new gateway page? Make a selection from the menu below, "
             "then click the exclamation point."_s);
    // While the options are open, the generator takes no input.
    QVERIFY(!generator()->isEnabled());

    const char *const names[] = {"Check1", "Check2", "Check3", "Check4"};
    const QStringList captions{u"Analize It"_s, u"View It With My Web Browser"_s, u"Save It"_s, u"Nothing Right Now"_s};
    QPoint at[4];
    for (int i = 0; i < 4; ++i) {
        QCheckBox *box = optionsBox(names[i]);
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), captions.at(i));
        QVERIFY(!box->isChecked());
        at[i] = box->mapTo(options, QPoint());
    }
    // Two columns: analyse above view on the left, save above nothing on the right.
    QCOMPARE(at[0].x(), at[1].x());
    QCOMPARE(at[2].x(), at[3].x());
    QVERIFY(at[0].x() < at[2].x());
    QVERIFY(at[0].y() < at[1].y());
    QCOMPARE(at[0].y(), at[2].y());
    QCOMPARE(at[1].y(), at[3].y());

    auto *command4 = UiTest::control<QToolButton>(ScreenId::Options, "Command4");
    QVERIFY(command4 && !command4->toolTip().isEmpty());
    QCOMPARE(command4->accessibleName(), command4->toolTip());

    // The focus starts on "Analize It" and the Tab key follows the boxes, then the button.
    QCOMPARE(QApplication::focusWidget(), optionsBox("Check1"));
    for (const char *next : {"Check2", "Check3", "Check4"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), optionsBox(next));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), command4);
}

void tst_Generator::optionsKeepOneBoxTicked()
{
    showGenerator();
    UiTest::openPageOptions();
    UiTest::click(optionsBox("Check1"));
    QVERIFY(optionsBox("Check1")->isChecked());
    UiTest::click(optionsBox("Check3"));
    QVERIFY(optionsBox("Check3")->isChecked());
    QVERIFY(!optionsBox("Check1")->isChecked());

    // Tabbing onto a box clears the others without ticking it; the space key then ticks it.
    QTest::keyClick(optionsBox("Check3"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), optionsBox("Check4"));
    QVERIFY(!optionsBox("Check3")->isChecked());
    QVERIFY(!optionsBox("Check4")->isChecked());
    QTest::keyClick(optionsBox("Check4"), Qt::Key_Space);
    QVERIFY(optionsBox("Check4")->isChecked());

    // Ticking "Analize It", then clicking "Save It": only the save is left, and it is what runs.
    UiTest::click(optionsBox("Check1"));
    UiTest::click(optionsBox("Check3"));
    QCOMPARE(optionsBox("Check1")->isChecked(), false);
    QCOMPARE(optionsBox("Check2")->isChecked(), false);
    QCOMPARE(optionsBox("Check3")->isChecked(), true);
    QCOMPARE(optionsBox("Check4")->isChecked(), false);

    bool dialogShown = false;
    whenModal<QFileDialog>([&dialogShown](QFileDialog *dialog) {
        dialogShown = true;
        dialog->reject();
    });
    ShownMessage unexpected;
    whenModal<QMessageBox>(recordMessage(&unexpected));
    UiTest::click(ScreenId::Options, "Command4");
    QVERIFY(dialogShown);
    QVERIFY2(!unexpected.shown, qPrintable(unexpected.text));
    QVERIFY(!Screens::isOpen(ScreenId::Options));
    QCOMPARE(labelText(ScreenId::Generator, "lbl1"), Lbl1AtLoad);
    QVERIFY(generator()->isEnabled());
}

void tst_Generator::nothingToDo_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("byCloseControl");

    QTest::newRow("no box ticked") << QStringList{} << false;
    QTest::newRow("Nothing Right Now") << QStringList{u"Check4"_s} << false;
    QTest::newRow("Analize It ticked and unticked again") << QStringList{u"Check1"_s, u"Check1"_s} << false;
    QTest::newRow("Save It ticked, window closed by its close control") << QStringList{u"Check3"_s} << true;
}

void tst_Generator::nothingToDo()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, byCloseControl);

    showGenerator();
    const QString page = boxText(text1());
    ShownMessage unexpected;
    whenModal<QWidget>([&unexpected](QWidget *modal) {
        unexpected.shown = true;
        unexpected.title = modal->windowTitle();
        modal->close();
    });

    UiTest::openPageOptions();
    for (const QString &name : clicks)
        UiTest::click(optionsBox(name.toLatin1().constData()));
    if (byCloseControl)
        UiTest::closeByCloseControl(ScreenId::Options);
    else
        UiTest::click(ScreenId::Options, "Command4");
    UiTest::settle();

    QVERIFY(!Screens::isOpen(ScreenId::Options));
    QVERIFY(generator()->isEnabled());
    QVERIFY2(!unexpected.shown, qPrintable(unexpected.title));
    QVERIFY(pageProject().PendingAction.isEmpty());
    QCOMPARE(labelText(ScreenId::Generator, "lbl1"), Lbl1AtLoad);
    QVERIFY(!QFile::exists(resultsFilePath()));
    QCOMPARE(boxText(text1()), page);
}

void tst_Generator::analyseEditedPage()
{
    showGenerator();
    // The edit adds the phrase in capitals; the report counts what the box holds now.
    typeAtEnd(u" FREE SOFTWARE for everyone"_s);
    const QString edited = boxText(text1());
    QVERIFY(edited.endsWith(u"</HTML> \r\n FREE SOFTWARE for everyone"_s));

    for (int round = 0; round < 2; ++round) {
        PageProject expectedProject = pageProject();
        AnalysedBox expectedBox = analysedBox(text1());
        const ReportCaptions expected = ReportGeneratedPage(expectedProject, expectedBox, QLocale());
        const qsizetype phraseCount = boxText(text1()).count(u"free software"_s, Qt::CaseInsensitive);

        UiTest::choosePageAction("Check1");
        QCOMPARE(labelText(ScreenId::Generator, "lbl1"), captionText(expected.statistics));
        QCOMPARE(labelText(ScreenId::Generator, "lbl2"), captionText(expected.advice));
        QVERIFY(labelText(ScreenId::Generator, "lbl1")
                    .contains(u"You used your Targeted Phrase %1 times.\n"_s.arg(phraseCount)));
        QVERIFY(
            labelText(ScreenId::Generator, "lbl2").startsWith(u"For Alta Vista:\nYou should use about 300 words."_s));
        QCOMPARE(pageProject().KeywordFrequency, expectedProject.KeywordFrequency);
        // The box shows where the counting ended.
        const AnalysedBox shown = analysedBox(text1());
        QCOMPARE(shown.selStart, expectedBox.selStart);
        QCOMPARE(shown.selLength, expectedBox.selLength);
        QVERIFY(pageProject().PendingAction.isEmpty());
        QVERIFY(!generator()->isActionTimerEnabled());
        QVERIFY(generator()->isEnabled());

        // A second analysis, of a further edit, is made just the same.
        typeAtEnd(u" free software"_s);
    }
}

void tst_Generator::viewWritesResultsAndStartsBrowser()
{
    showGenerator();
    const qsizetype callsBefore = m_desktop->browserCalls().size();
    typeAtEnd(u" caf\u00e9 \u00dcn\u00efcode"_s);
    const QString first = boxText(text1());

    UiTest::choosePageAction("Check2");
    QCOMPARE(readFile(resultsFilePath()), pageBytes(first));
    QVERIFY(pageProject().PendingAction.isEmpty());
    QVERIFY(!generator()->isActionTimerEnabled());
    waitForBrowserCalls(callsBefore + 1);
    QCOMPARE(m_desktop->browserCalls().last(), QStringList{resultsFilePath()});

    // Viewing again rewrites the results file with the page as it is now.
    typeAtEnd(u" second look"_s);
    const QString second = boxText(text1());
    UiTest::choosePageAction("Check2");
    QCOMPARE(readFile(resultsFilePath()), pageBytes(second));
    waitForBrowserCalls(callsBefore + 2);
    QCOMPARE(m_desktop->browserCalls().mid(callsBefore),
             (QList<QStringList>{{resultsFilePath()}, {resultsFilePath()}}));
    QVERIFY(!QFile::exists(programProbePath()));
}

void tst_Generator::viewWithResultsUnwritable()
{
    showGenerator();
    const qsizetype callsBefore = m_desktop->browserCalls().size();
    // The program's data folder is taken by a file, so nothing can be written inside it.
    const QString folder = m_desktop->dataHome() + u"/Rankwright"_s;
    const QString resultsPath = folder + u"/GeneratorResults.html"_s;
    QVERIFY(QDir(folder).removeRecursively());
    {
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
    }

    ShownMessage warning;
    whenModal<QMessageBox>(recordMessage(&warning));
    UiTest::choosePageAction("Check2");
    QFile::remove(folder);
    QVERIFY(QDir().mkpath(folder));

    QVERIFY(warning.shown);
    QCOMPARE(warning.owner, generator());
    QVERIFY2(warning.text.contains(QDir::toNativeSeparators(resultsPath)), qPrintable(warning.text));
    QVERIFY(!generator()->isActionTimerEnabled());
    QVERIFY(generator()->isEnabled());

    // The browser was not started on a page that is not there: the next view is the only call.
    UiTest::choosePageAction("Check2");
    waitForBrowserCalls(callsBefore + 1);
    QTest::qWait(300);
    QCOMPARE(m_desktop->browserCalls().size(), callsBefore + 1);
}

// Someone else's file behind a link planted at the results file's name keeps its bytes; the page is
// written as the program's own file, in a folder only the user may enter.
void tst_Generator::viewNeverFollowsLinkAtResultsName()
{
    showGenerator();
    const qsizetype callsBefore = m_desktop->browserCalls().size();
    const QString folder = m_desktop->dataHome() + u"/Rankwright"_s;
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(folder, QFile::Permissions(0x7777)));
    const QString otherFile = m_saveFolder.filePath(u"someone else's page.html"_s);
    const QByteArray otherBytes(29400, 'o');
    {
        QFile other(otherFile);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(otherBytes);
    }
    QVERIFY(QFile::link(otherFile, resultsFilePath()));

    UiTest::choosePageAction("Check2");
    QCOMPARE(readFile(otherFile), otherBytes);
    QVERIFY(!QFileInfo(resultsFilePath()).isSymLink());
    QCOMPARE(readFile(resultsFilePath()), pageBytes(boxText(text1())));
    QCOMPARE(QFileInfo(folder).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                                                  QFile::WriteUser | QFile::ExeUser);
    waitForBrowserCalls(callsBefore + 1);
    QCOMPARE(m_desktop->browserCalls().last(), QStringList{resultsFilePath()});
}

void tst_Generator::saveWritesChosenFile_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("page.htm") << u"page.htm"_s;
    QTest::newRow("no extension: none is added") << u"page"_s;
    QTest::newRow("blanks and accents") << u"My Page \u00e9t\u00e9.htm"_s;
}

void tst_Generator::saveWritesChosenFile()
{
    QFETCH(QString, name);

    showGenerator();
    typeAtEnd(u" na\u00efve edit"_s);
    const QString page = boxText(text1());
    const QString path = m_saveFolder.filePath(name);

    QStringList filters;
    ShownMessage unexpected;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        if (auto *types = dialog->findChild<QComboBox *>(u"fileTypeCombo"_s)) {
            for (int i = 0; i < types->count(); ++i)
                filters.append(types->itemText(i));
        }
        whenModal<QMessageBox>(recordMessage(&unexpected));
        saveAs(path)(dialog);
    });
    UiTest::choosePageAction("Check3");

    QCOMPARE(filters, QStringList{u"HTML Files (*.htm)"_s});
    QVERIFY2(!unexpected.shown, qPrintable(unexpected.text));
    QCOMPARE(QDir(m_saveFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    QCOMPARE(readFile(path), pageBytes(page));
    // The timer stays on after a save, with nothing to do.
    QVERIFY(generator()->isActionTimerEnabled());
    QVERIFY(pageProject().PendingAction.isEmpty());
    QCOMPARE(boxText(text1()), page);
}

void tst_Generator::saveOverExistingFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("writeFails");

    QTest::newRow("replacing confirmed") << true << false;
    QTest::newRow("replacing declined, then cancelled") << false << false;
    QTest::newRow("replacing confirmed, the disk fills up") << true << true;
}

void tst_Generator::saveOverExistingFile()
{
    QFETCH(bool, replace);
    QFETCH(bool, writeFails);

    const QString path = m_saveFolder.filePath(u"page.htm"_s);
    const QByteArray old = "the page saved yesterday";
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    pageProject().BodyText = QString(2048, u'x');
    showGenerator();
    const QString page = boxText(text1());
    QVERIFY(pageBytes(page).size() > 1024);

    // As root, permissions stop nothing: a file-size limit makes the write fail instead.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    auto lift = [&saved] { setrlimit(RLIMIT_FSIZE, &saved); };

    ShownMessage question;
    ShownMessage warning;
    bool stayedOpen = false;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        whenModal<QMessageBox>(recordMessage(&question, replace ? QMessageBox::Yes : QMessageBox::No));
        // The warning about the failed save belongs to the generator, not to the dialog.
        whenModal<QMessageBox>(recordMessage(&warning),
                               [](QMessageBox *box) { return box->parentWidget() == generator(); });
        if (writeFails) {
            rlimit small = saved;
            small.rlim_cur = 1024;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        stayedOpen = !typeNameAndSave(dialog, path);
        if (stayedOpen)
            dialog->reject();
    });
    UiTest::choosePageAction("Check3");
    lift();
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(question.shown);
    QVERIFY2(question.text.contains(u"page.htm"_s), qPrintable(question.text));
    QCOMPARE(stayedOpen, !replace);
    QCOMPARE(readFile(path), replace && !writeFails ? pageBytes(page) : old);
    QCOMPARE(QDir(m_saveFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.htm"_s});
    QCOMPARE(warning.shown, writeFails);
    if (writeFails) {
        QCOMPARE(warning.owner, generator());
        QVERIFY2(warning.text.contains(QDir::toNativeSeparators(path)), qPrintable(warning.text));
        // The reason comes after the file's name.
        QVERIFY2(warning.text.trimmed().size() > warning.text.indexOf(path) + path.size() + 4,
                 qPrintable(warning.text));
    }
    QVERIFY(generator()->isEnabled());
}

void tst_Generator::saveRefusesMissingFolder()
{
    showGenerator();
    const QString path = m_saveFolder.filePath(u"nosuchdir/page.htm"_s);
    ShownMessage refusal;
    ShownMessage warning;
    bool stayedOpen = false;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        whenModal<QMessageBox>(recordMessage(&refusal));
        stayedOpen = !typeNameAndSave(dialog, path);
        whenModal<QMessageBox>(recordMessage(&warning));
        if (stayedOpen)
            dialog->reject();
    });
    UiTest::choosePageAction("Check3");

    QVERIFY(refusal.shown);
    QVERIFY2(refusal.text.contains(u"nosuchdir"_s), qPrintable(refusal.text));
    QVERIFY(stayedOpen);
    QVERIFY(!warning.shown);
    QVERIFY(QDir(m_saveFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// A named pipe at the chosen name is refused at once, with the reason; the window never waits on it.
void tst_Generator::saveRefusesWhatIsNotAFile()
{
    showGenerator();
    const QString path = m_saveFolder.filePath(u"page.htm"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);

    ShownMessage question;
    ShownMessage warning;
    whenModal<QFileDialog>([&](QFileDialog *dialog) {
        whenModal<QMessageBox>(recordMessage(&question, QMessageBox::Yes));
        whenModal<QMessageBox>(recordMessage(&warning),
                               [](QMessageBox *box) { return box->parentWidget() == generator(); });
        if (!typeNameAndSave(dialog, path))
            dialog->reject();
    });
    // A save that waits on the pipe ends the test here instead of stalling it.
    ::alarm(60);
    UiTest::choosePageAction("Check3");
    ::alarm(0);

    QVERIFY(warning.shown);
    QCOMPARE(warning.title, u"Page Not Saved"_s);
    QVERIFY2(warning.text.contains(QDir::toNativeSeparators(path)) && warning.text.contains(u"named pipe"_s),
             qPrintable(warning.text));
    struct stat status = {};
    QCOMPARE(::lstat(QFile::encodeName(path).constData(), &status), 0);
    QVERIFY(S_ISFIFO(status.st_mode));
    QCOMPARE(QDir(m_saveFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList{u"page.htm"_s});
    QVERIFY(generator()->isEnabled());
}

void tst_Generator::cancelledSaveWritesNothing()
{
    showGenerator();
    QString offered = u"<not opened>"_s;
    auto cancel = [&offered](QFileDialog *dialog) {
        offered = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->text();
        dialog->reject();
    };
    ShownMessage unexpected;
    whenModal<QMessageBox>(recordMessage(&unexpected));

    // The first save, cancelled: nothing is written, nothing is said.
    whenModal<QFileDialog>(cancel);
    UiTest::choosePageAction("Check3");
    QVERIFY(offered.isEmpty());
    QVERIFY(QDir(m_saveFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    const QString path = m_saveFolder.filePath(u"a.htm"_s);
    const QString saved = boxText(text1());
    whenModal<QFileDialog>(saveAs(path));
    UiTest::choosePageAction("Check3");
    QCOMPARE(readFile(path), pageBytes(saved));

    // Cancelled after a save: the dialog offers the name chosen last, and the file keeps the
    // page saved then.
    typeAtEnd(u" later edit"_s);
    whenModal<QFileDialog>(cancel);
    UiTest::choosePageAction("Check3");
    QVERIFY2(offered.endsWith(u"a.htm"_s), qPrintable(offered));
    QCOMPARE(readFile(path), pageBytes(saved));
    QVERIFY2(!unexpected.shown, qPrintable(unexpected.text));

    // A new generator screen starts with an empty name.
    Screens::close(ScreenId::Generator);
    UiTest::settle();
    showGenerator();
    whenModal<QFileDialog>(cancel);
    UiTest::choosePageAction("Check3");
    QVERIFY2(offered.isEmpty(), qPrintable(offered));
    QCOMPARE(QDir(m_saveFolder.path()).entryList(QDir::Files), QStringList{u"a.htm"_s});
}

void tst_Generator::viewFollowsXdgRules_data()
{
    QTest::addColumn<QByteArray>("dataHome"); // "@" stands for the private desktop's folder
    QTest::addColumn<QByteArray>("results");

    QTest::newRow("relative XDG_DATA_HOME: ignored, the page goes under HOME")
        << QByteArray("relative-data") << QByteArray("@/home/.local/share/Rankwright/GeneratorResults.html");
    QTest::newRow("XDG_DATA_HOME not UTF-8: the page goes exactly there")
        << QByteArray("@/donn\xe9"
                      "es")
        << QByteArray("@/donn\xe9"
                      "es/Rankwright/GeneratorResults.html");
}

// Viewing writes the results page where the XDG rules put it, by the environment's bytes, and the
// browser is started with that very file.
void tst_Generator::viewFollowsXdgRules()
{
    QFETCH(QByteArray, dataHome);
    QFETCH(QByteArray, results);

    const QByteArray root = QFile::encodeName(m_desktop->path());
    dataHome.replace('@', root);
    results.replace('@', root);
    const EnvironmentChange change({{"HOME", root + "/home"}, {"XDG_DATA_HOME", dataHome}});
    // A relative name would be taken from here.
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_saveFolder.path()));
    auto back = qScopeGuard([&] { QDir::setCurrent(workingFolder); });

    showGenerator();
    const qsizetype callsBefore = m_desktop->browserCalls().size();
    ShownMessage unexpected;
    whenModal<QMessageBox>(recordMessage(&unexpected));
    UiTest::choosePageAction("Check2");

    QVERIFY2(!unexpected.shown, qPrintable(unexpected.text));
    QCOMPARE(readBytes(results), pageBytes(boxText(text1())));
    // The recording browser runs on its own, so a call from an earlier view may still come in
    // after this one was asked for: the call with this page is looked for among all since.
    const QStringList expected{fileNameFromBytes(results)};
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop->browserCalls().mid(callsBefore).contains(expected), 10000);
    // Nothing under the relative name, nothing under a name with a replacement character.
    QVERIFY(QDir(m_saveFolder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    QVERIFY(!hasReplacementCharacter(root));
}

void tst_Generator::foreignHomeIsLeftAlone_data()
{
    QTest::addColumn<bool>("dataFolderThere");

    QTest::newRow("the user's data folder is there") << true;
    QTest::newRow("no data folder yet: none is made in the user's") << false;
}

// Root with another user's HOME and XDG folders (as sudo may keep them): the program refuses with its
// warnings, and nothing of that user's changes owner, mode or content.
void tst_Generator::foreignHomeIsLeftAlone()
{
    QFETCH(bool, dataFolderThere);
    if (::geteuid() != 0)
        QFAIL("Giving a home folder to another user needs root: run the tests as root, as CI does");

    const uid_t nobody = 65534;
    const QByteArray home = QFile::encodeName(m_saveFolder.filePath(u"alice"_s));
    const QByteArray share = home + "/.local/share";
    const QByteArray runtime = home + "/runtime";
    const QByteArray dataFolder = share + "/Rankwright";
    const QByteArray results = dataFolder + "/GeneratorResults.html";
    QVERIFY(QDir().mkpath(fileNameFromBytes(share)));
    QVERIFY(QDir().mkpath(fileNameFromBytes(runtime)));
    if (dataFolderThere) {
        QVERIFY(QDir().mkpath(fileNameFromBytes(dataFolder)));
        QFile page(fileNameFromBytes(results));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("alice's last page\r\n");
    }
    for (const QByteArray &entry : QList<QByteArray>{home, home + "/.local", share, runtime, dataFolder, results}) {
        if (::chown(entry.constData(), nobody, nobody) != 0 && errno != ENOENT)
            QFAIL("cannot give the folder to nobody");
    }
    ::chmod(runtime.constData(), 0700);
    ::chmod(dataFolder.constData(), 0755);
    const QStringList before = snapshot(home);

    const EnvironmentChange change({{"HOME", home}, {"XDG_DATA_HOME", share}, {"XDG_RUNTIME_DIR", runtime}});
    showGenerator();
    const qsizetype callsBefore = m_desktop->browserCalls().size();

    ShownMessage pageWarning;
    whenModal<QMessageBox>(recordMessage(&pageWarning));
    UiTest::choosePageAction("Check2");
    // The main menu's and the submission screen's hand-off, with their probe in the runtime folder.
    ShownMessage probeWarning;
    whenModal<QMessageBox>(recordMessage(&probeWarning));
    OpenInBrowser(generator(), rootProbePath(), u"http://www.example.com/"_s, u"Could not find your Browser"_s);

    QCOMPARE(pageWarning.title, u"Page Not Shown"_s);
    QVERIFY2(pageWarning.text.contains(u"another user"_s), qPrintable(pageWarning.text));
    QCOMPARE(probeWarning.title, u"Browser Not Opened"_s);
    QVERIFY2(probeWarning.text.contains(u"another user"_s), qPrintable(probeWarning.text));
    QCOMPARE(snapshot(home), before);
    QTest::qWait(300);
    QCOMPARE(m_desktop->browserCalls().size(), callsBefore);
}

QTEST_MAIN(tst_Generator)
#include "tst_generator.moc"
