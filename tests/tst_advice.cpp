#include "uitest.h"
#include "xdgfixture.h"

#include "core/engineprofiles.h"
#include "core/enginetips.h"
#include "core/pageproject.h"
#include "platform/appfolders.h"
#include "ui/controls/boxtexts.h"
#include "ui/windows/frmmain.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextCursor>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// Run by the test itself, in a child whose private desktop has no browser: GIO keeps the desktop it
// found first for the whole process.
constexpr char WithoutBrowserSwitch[] = "--without-browser";

const QString Title = u"Rankwright Assistant 5.0"_s;
const QString KeywordTips = u"1) Your \"Phrases\" should consist of three or four words. \r\n"
                            "\r\n"
                            "2) Don't repeat words - money, money, money, money, money.\r\n"
                            "\r\n"
                            "3) You can use the same word more that once, but try to use the capitalized or \r\n"
                            "plural version.\r\n"
                            "\r\n"
                            "4) Select phrases that are relevant to what your site has to offer, but think about \r\n"
                            "what YOU would search for to find information on that topic. Remember that if you \r\n"
                            "target words that are rarely searched for, you probably won't get very many hits.\r\n"
                            "\r\n"
                            "5) Never repeat your \"Targeted Phrase\"\r\n"
                            "\r\n"
                            "6) Your \"Support Phrases\" are there to increase the revelancy of your \"Targeted \r\n"
                            "Phrase\"\r\n"_s;

QComboBox *combo1()
{
    return UiTest::control<QComboBox>(ScreenId::Stats, "Combo1");
}

QPlainTextEdit *tipsBox()
{
    return UiTest::control<QPlainTextEdit>(ScreenId::Stats, "Text1");
}

QString tipsShown()
{
    QPlainTextEdit *box = tipsBox();
    return box ? boxText(box) : QString();
}

QWidget *openTipsScreen()
{
    return UiTest::showActive(ScreenId::Stats);
}

void pick(const QString &entry)
{
    QComboBox *combo = combo1();
    QVERIFY(combo);
    // By the entries' texts: the list answers no look-up by a whole text (typing never picks).
    int row = -1;
    for (int i = 0; i < combo->count() && row < 0; ++i) {
        if (combo->itemText(i) == entry)
            row = i;
    }
    QVERIFY2(row >= 0, qPrintable(entry));
    UiTest::pick(combo, row);
}

void pickAll(const QStringList &entries)
{
    for (const QString &entry : entries) {
        pick(entry);
        if (QTest::currentTestFailed())
            return;
    }
}

// Waits until the recording browser has been started `expected` times. The browser runs on its own;
// the generous bound only ends a wait for a call that never comes.
void waitForBrowserCalls(const XdgFixture &desktop, qsizetype expected)
{
    QTRY_COMPARE_WITH_TIMEOUT(desktop.browserCalls().size(), expected, 30000);
}

void clearBrowserCalls(const XdgFixture &desktop)
{
    QDir calls(desktop.path() + "/calls"_L1);
    for (const QString &name : calls.entryList(QDir::Files | QDir::Hidden))
        calls.remove(name);
}

QLabel *mainLabel1()
{
    return UiTest::control<QLabel>(ScreenId::Main, "Label1");
}

} // namespace

// The advice screens, and the two buttons that open the maker's pages in a browser that records
// what it is asked to open.
class tst_Advice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void freshTipsScreen();
    void tipsOfEachEngine_data();
    void tipsOfEachEngine();
    void picksOnlyEverAppend();
    void excitePickKeepsAolFigures();
    void arrowKeysPick();
    void typingPicksNothing_data();
    void typingPicksNothing();
    void newTipsScrolledIntoView();
    void backFromTips_data();
    void backFromTips();

    void keywordTipsTexts();
    void keywordTipsReopenAsDesigned();
    void keywordTipsReturnToPhrases_data();
    void keywordTipsReturnToPhrases();

    void submissionScreenTexts();
    void submissionOpensSubmissionPage();
    void siteLinkOpensHomePage_data();
    void siteLinkOpensHomePage();
    void backFromSubmission_data();
    void backFromSubmission();
    void warningsWithoutBrowser();

private:
    XdgFixture m_desktop;
};

void tst_Advice::initTestCase()
{
    QVERIFY2(m_desktop.isValid(), qPrintable(m_desktop.errorString()));
    QVERIFY(!m_desktop.installRecordingBrowser().isEmpty());
    m_desktop.applyToThisProcess();
    UiTest::initApplication();
}

void tst_Advice::init()
{
    UiTest::startFresh();
    clearBrowserCalls(m_desktop);
}

void tst_Advice::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void tst_Advice::freshTipsScreen()
{
    QWidget *screen = openTipsScreen();
    QVERIFY(screen);
    QCOMPARE(screen->windowTitle(), Title);
    QCOMPARE(UiTest::control<QLabel>(ScreenId::Stats, "lblHelper")->text(),
             u"Select a search engine from the drop box ."_s);
    QCOMPARE(UiTest::control<QLabel>(ScreenId::Stats, "Label1")->text(),
             u"Any comments or suggestions about these statistics can be made to:"_s);
    QCOMPARE(UiTest::control<QLabel>(ScreenId::Stats, "Label2")->text(), u"tips@rankwright.com"_s);
    QCOMPARE(UiTest::control<QToolButton>(ScreenId::Stats, "Command1")->toolTip(), u"Click Here To Go Back"_s);

    QComboBox *combo = combo1();
    QVERIFY(combo->isEditable());
    QCOMPARE(combo->currentText(), u"Click Here    =>"_s);
    QCOMPARE(combo->currentIndex(), -1);
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    QCOMPARE(entries, (QStringList{u"Alta Vista"_s, u"Aol"_s, u"Excite"_s, u"HotBot"_s, u"InfoSeek"_s, u"Lycos"_s,
                                   u"Magellan"_s, u"WebCrawler"_s, u"Yahoo"_s}));

    QVERIFY(tipsBox()->isReadOnly());
    QCOMPARE(tipsShown(), QString());
    QCOMPARE(pageProject().EngineName, QString());
}

void tst_Advice::tipsOfEachEngine_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("engineName");

    QTest::newRow("Alta Vista") << u"Alta Vista"_s << u"Alta Vista"_s;
    QTest::newRow("Aol is AOL") << u"Aol"_s << u"AOL"_s;
    QTest::newRow("Excite") << u"Excite"_s << u"Excite"_s;
    QTest::newRow("HotBot is Hot Bot") << u"HotBot"_s << u"Hot Bot"_s;
    QTest::newRow("InfoSeek") << u"InfoSeek"_s << u"InfoSeek"_s;
    QTest::newRow("Lycos") << u"Lycos"_s << u"Lycos"_s;
    QTest::newRow("Magellan") << u"Magellan"_s << u"Magellan"_s;
    QTest::newRow("WebCrawler") << u"WebCrawler"_s << u"WebCrawler"_s;
    QTest::newRow("Yahoo, with its introduction") << u"Yahoo"_s << u"Yahoo"_s;
}

void tst_Advice::tipsOfEachEngine()
{
    QFETCH(QString, entry);
    QFETCH(QString, engineName);

    QWidget *screen = openTipsScreen();
    QVERIFY(screen);
    CHECKED(pick(entry));

    QCOMPARE(pageProject().EngineName, engineName);
    QCOMPARE(screen->windowTitle(), u"Rankwright Assistant 5.0 - "_s + engineName + u" Stastics"_s);
    QCOMPARE(combo1()->currentText(), entry);
    // On a fresh screen, exactly the engine's tips.
    QVERIFY(!EngineTipsText(engineName).isEmpty());
    QCOMPARE(tipsShown(), EngineTipsText(engineName));
}

void tst_Advice::picksOnlyEverAppend()
{
    QWidget *screen = openTipsScreen();
    QVERIFY(screen);
    const QString altaVista = EngineTipsText(u"Alta Vista"_s);
    const QString aol = EngineTipsText(u"AOL"_s);
    pickAll({u"Alta Vista"_s, u"Aol"_s});
    // AOL's first tip goes on the line of Alta Vista's last one.
    QCOMPARE(tipsShown(), altaVista + aol);
    QVERIFY(tipsShown().contains(u"2 - 5 days.1)  AOL is powered by Excite"_s));
    QCOMPARE(screen->windowTitle(), u"Rankwright Assistant 5.0 - AOL Stastics"_s);

    pick(u"Alta Vista"_s);
    QCOMPARE(tipsShown(), altaVista + aol + altaVista);
    QCOMPARE(screen->windowTitle(), u"Rankwright Assistant 5.0 - Alta Vista Stastics"_s);
    QCOMPARE(pageProject().EngineName, u"Alta Vista"_s);
}

void tst_Advice::excitePickKeepsAolFigures()
{
    QVERIFY(openTipsScreen());
    pick(u"Excite"_s);
    const PageProject &project = pageProject();
    QCOMPARE(project.EngineName, u"Excite"_s);
    // Excite's figures are AOL's: only the name changed.
    PageProject aol;
    ApplyEngineProfile(aol, 1);
    QCOMPARE(aol.EngineName, u"AOL"_s);
    const QStringList figures{project.DescPhraseAdvice, project.DescWordAdvice,   project.BodyPhraseAdvice,
                              project.BodyWordAdvice,   project.PagePhraseAdvice, project.PageWordAdvice,
                              project.FrequencyAdvice};
    const QStringList aolFigures{aol.DescPhraseAdvice, aol.DescWordAdvice, aol.BodyPhraseAdvice, aol.BodyWordAdvice,
                                 aol.PagePhraseAdvice, aol.PageWordAdvice, aol.FrequencyAdvice};
    QCOMPARE(figures, aolFigures);
    QCOMPARE(tipsShown(), EngineTipsText(u"Excite"_s));
}

void tst_Advice::arrowKeysPick()
{
    QWidget *screen = openTipsScreen();
    QVERIFY(screen);
    QComboBox *combo = combo1();
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    UiTest::settle();
    QCOMPARE(pageProject().EngineName, u"Alta Vista"_s);
    QTest::keyClick(combo, Qt::Key_Down);
    UiTest::settle();
    QCOMPARE(pageProject().EngineName, u"AOL"_s);
    QCOMPARE(tipsShown(), EngineTipsText(u"Alta Vista"_s) + EngineTipsText(u"AOL"_s));
    QCOMPARE(screen->windowTitle(), u"Rankwright Assistant 5.0 - AOL Stastics"_s);
}

void tst_Advice::typingPicksNothing_data()
{
    QTest::addColumn<QStringList>("picksBefore");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::Key>("finishingKey");

    QTest::newRow("an entry's name, Enter") << QStringList{} << u"Lycos"_s << Qt::Key_Return;
    QTest::newRow("an entry's name, Tab away") << QStringList{} << u"Magellan"_s << Qt::Key_Tab;
    QTest::newRow("an entry's name in small letters, Enter") << QStringList{} << u"lycos"_s << Qt::Key_Return;
    QTest::newRow("another entry after a pick, Enter") << QStringList{u"Alta Vista"_s} << u"Yahoo"_s << Qt::Key_Enter;
    QTest::newRow("a display name that is no entry, Enter") << QStringList{} << u"Hot Bot"_s << Qt::Key_Return;
    QTest::newRow("an entry's name in capitals, Tab away") << QStringList{} << u"YAHOO"_s << Qt::Key_Tab;
    QTest::newRow("the picked entry's name again, Tab away") << QStringList{u"Excite"_s} << u"Excite"_s << Qt::Key_Tab;
}

void tst_Advice::typingPicksNothing()
{
    QFETCH(QStringList, picksBefore);
    QFETCH(QString, typed);
    QFETCH(Qt::Key, finishingKey);

    QWidget *screen = openTipsScreen();
    QVERIFY(screen);
    pickAll(picksBefore);
    const QString textBefore = tipsShown();
    const QString titleBefore = screen->windowTitle();
    const QString engineBefore = pageProject().EngineName;

    QLineEdit *field = combo1()->lineEdit();
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, finishingKey);
    UiTest::settle();
    // And typing into the tips themselves is refused.
    QTest::mouseClick(tipsBox()->viewport(), Qt::LeftButton);
    QTest::keyClicks(tipsBox()->viewport(), u"xyz"_s);
    UiTest::settle();

    QCOMPARE(tipsShown(), textBefore);
    QCOMPARE(screen->windowTitle(), titleBefore);
    QCOMPARE(pageProject().EngineName, engineBefore);
    // Typed text is no pick, also over an earlier one: no entry is chosen, the text stays as typed.
    QCOMPARE(combo1()->currentIndex(), -1);
    QCOMPARE(combo1()->currentText(), typed);
    QCOMPARE(combo1()->count(), 9);

    // A real pick still works afterwards, and makes that engine the project's target.
    pick(u"Lycos"_s);
    QCOMPARE(pageProject().EngineName, u"Lycos"_s);
    QCOMPARE(pageProject().DescPhraseAdvice, u"3 times"_s);
    QVERIFY(tipsShown().endsWith(u"6)  Lycos's average time to index new pages is about 4 weeks."_s));
}

void tst_Advice::newTipsScrolledIntoView()
{
    QVERIFY(openTipsScreen());
    QPlainTextEdit *box = tipsBox();
    pickAll({u"Alta Vista"_s, u"Aol"_s, u"HotBot"_s, u"Magellan"_s});
    const qsizetype before = box->document()->characterCount() - 1;
    pick(u"WebCrawler"_s);
    QVERIFY(box->verticalScrollBar()->value() > 0);

    // The first line of WebCrawler's tips is on view.
    QTextCursor first(box->document());
    first.setPosition(int(before));
    first.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    const QRect shown = box->viewport()->rect();
    QVERIFY2(shown.contains(box->cursorRect(first).center()), "the new tips are out of view");
}

void tst_Advice::backFromTips_data()
{
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("Command1") << false;
    QTest::newRow("close control") << true;
}

void tst_Advice::backFromTips()
{
    QFETCH(bool, byCloseControl);

    Screens::show(ScreenId::Main);
    UiTest::click(UiTest::control<QCheckBox>(ScreenId::Main, "Check3"));
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(openTipsScreen());
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
    pick(u"HotBot"_s);

    if (byCloseControl)
        UiTest::closeByCloseControl(ScreenId::Stats);
    else
        UiTest::click(ScreenId::Stats, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Stats));
    QVERIFY(Screens::find(ScreenId::Main)->isVisible());
    QCOMPARE(UiTest::programEnds(), 0);
    // The engine picked here stays the project's target.
    QCOMPARE(pageProject().EngineName, u"Hot Bot"_s);

    // Opened again, the screen starts afresh.
    UiTest::click(ScreenId::Main, "Command4");
    QWidget *again = Screens::find(ScreenId::Stats);
    QVERIFY(again);
    QCOMPARE(again->windowTitle(), Title);
    QCOMPARE(tipsShown(), QString());
    QCOMPARE(combo1()->currentText(), u"Click Here    =>"_s);
}

void tst_Advice::keywordTipsTexts()
{
    QWidget *screen = Screens::show(ScreenId::KeyWordTips);
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    QCOMPARE(screen->windowTitle(), Title);

    auto *text1 = UiTest::control<QPlainTextEdit>(ScreenId::KeyWordTips, "Text1");
    QVERIFY(text1);
    const QString tips = boxText(text1);
    QCOMPARE(tips.size(), 611);
    QVERIFY(tips.endsWith(u"Phrase\"\r\n"_s));
    QCOMPARE(tips, KeywordTips);

    auto text = [](const char *name) {
        if (auto *label = UiTest::control<QLabel>(ScreenId::KeyWordTips, name))
            return label->text();
        if (auto *box = UiTest::control<QLineEdit>(ScreenId::KeyWordTips, name))
            return box->text();
        return u"(missing)"_s;
    };
    QCOMPARE(text("Label1"), u"The \"Targeted Phrase\" is the exact string of key words you want your site to be "
                             "listed under. Here are six things to keep in mind while selecting your phrases."_s);
    QCOMPARE(text("Label2"), u"Targeted Phrase:"_s);
    QCOMPARE(text("Label3"), u"Support Phrases:"_s);
    QCOMPARE(text("PrimaryKeywords"), u"free search engine software"_s);
    QCOMPARE(text("Support1"), u"Search Engine Secrets"_s);
    QCOMPARE(text("Support2"), u"software for search engines"_s);
    QCOMPARE(text("Support3"), u"SEARCH ENGINE RANKING"_s);
    QCOMPARE(UiTest::control<QToolButton>(ScreenId::KeyWordTips, "Command1")->toolTip(), u"Click Here To Go Back"_s);
}

void tst_Advice::keywordTipsReopenAsDesigned()
{
    const PageProject before = pageProject();
    QWidget *screen = Screens::show(ScreenId::KeyWordTips);
    screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(screen));
    auto *text1 = UiTest::control<QPlainTextEdit>(ScreenId::KeyWordTips, "Text1");
    auto *primary = UiTest::control<QLineEdit>(ScreenId::KeyWordTips, "PrimaryKeywords");
    auto *support3 = UiTest::control<QLineEdit>(ScreenId::KeyWordTips, "Support3");
    QTest::mouseClick(text1->viewport(), Qt::LeftButton);
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(text1, u"my own notes"_s);
    primary->selectAll();
    QTest::keyClicks(primary, u"cheap flights"_s);
    QTest::keyClick(support3, Qt::Key_End);
    QTest::keyClicks(support3, u" TIPS"_s);
    QCOMPARE(boxText(text1), u"my own notes"_s);

    UiTest::click(ScreenId::KeyWordTips, "Command1");
    QVERIFY(!Screens::isOpen(ScreenId::KeyWordTips));

    // The screen's closing hands back to the phrases screen; close that again if it came up.
    Screens::discardAll();
    UiTest::settle();
    Screens::show(ScreenId::KeyWordTips);
    QCOMPARE(boxText(UiTest::control<QPlainTextEdit>(ScreenId::KeyWordTips, "Text1")), KeywordTips);
    QCOMPARE(UiTest::control<QLineEdit>(ScreenId::KeyWordTips, "PrimaryKeywords")->text(),
             u"free search engine software"_s);
    QCOMPARE(UiTest::control<QLineEdit>(ScreenId::KeyWordTips, "Support3")->text(), u"SEARCH ENGINE RANKING"_s);
    // Nothing of it reached the project.
    QCOMPARE(pageProject().TargetedPhrase, before.TargetedPhrase);
    QCOMPARE(pageProject().SupportPhrase3, before.SupportPhrase3);
}

void tst_Advice::keywordTipsReturnToPhrases_data()
{
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("Command1") << false;
    QTest::newRow("close control") << true;
}

void tst_Advice::keywordTipsReturnToPhrases()
{
    QFETCH(bool, byCloseControl);

    QWidget *phrases = UiTest::showActive(ScreenId::Step1);
    QVERIFY(phrases);
    auto *typed = phrases->findChild<QLineEdit *>(u"PrimaryKeywords"_s);
    QVERIFY(typed);
    typed->setFocus();
    QTest::keyClicks(typed, u"cheap flights"_s);

    // The phrases screen's exclamation point shows the tips and hides the phrases.
    UiTest::click(ScreenId::Step1, "Command4");
    QVERIFY(UiTest::isUsable(ScreenId::KeyWordTips));
    QVERIFY(!phrases->isVisible());
    if (byCloseControl)
        UiTest::closeByCloseControl(ScreenId::KeyWordTips);
    else
        UiTest::click(ScreenId::KeyWordTips, "Command1");
    UiTest::settle();

    QVERIFY(!Screens::isOpen(ScreenId::KeyWordTips));
    QCOMPARE(Screens::find(ScreenId::Step1), phrases);
    QVERIFY(phrases->isVisible());
    QCOMPARE(typed->text(), u"cheap flights"_s);
}

void tst_Advice::submissionScreenTexts()
{
    QWidget *screen = Screens::show(ScreenId::Search);
    QVERIFY(QTest::qWaitForWindowExposed(screen));
    QCOMPARE(screen->windowTitle(), Title);
    QCOMPARE(UiTest::control<QLabel>(ScreenId::Search, "Label1")->text(),
             u"We will submit your site to over 1,500 search engines and directories!"_s);
    QCOMPARE(UiTest::control<QLabel>(ScreenId::Search, "lblHelper")->text(),
             u"Once you have made a gateway page, submit it to as many search engines as possible. Want to submit "
             "more than one page? There are several options available to help you get more hits. Make sure you are "
             "connected to the Internet, then click the exclamation point below to get started!"_s);
    QCOMPARE(UiTest::control<QToolButton>(ScreenId::Search, "Command4")->toolTip(), u"Click Here To Get Started!"_s);
    QCOMPARE(UiTest::control<QToolButton>(ScreenId::Search, "Command1")->toolTip(), u"Click Here To Go Back"_s);
}

void tst_Advice::submissionOpensSubmissionPage()
{
    Screens::show(ScreenId::Main);
    UiTest::click(UiTest::control<QCheckBox>(ScreenId::Main, "Check2"));
    UiTest::click(ScreenId::Main, "Command4");
    QWidget *screen = Screens::find(ScreenId::Search);
    QVERIFY(screen);
    QVERIFY(QTest::qWaitForWindowExposed(screen));

    // Each press starts the browser again.
    UiTest::click(ScreenId::Search, "Command4");
    UiTest::click(ScreenId::Search, "Command4");
    const QStringList page{u"http://www.rankwright.com/Search.html"_s};
    waitForBrowserCalls(m_desktop, 2);
    QCOMPARE(m_desktop.browserCalls(), (QList<QStringList>{page, page}));

    QCOMPARE(Screens::find(ScreenId::Search), screen);
    QVERIFY(screen->isVisible());
    QVERIFY(screen->isEnabled());
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
    QVERIFY(!QFileInfo::exists(rootProbePath()));
}

void tst_Advice::siteLinkOpensHomePage_data()
{
    QTest::addColumn<QString>("ticked");
    QTest::newRow("nothing ticked") << QString();
    QTest::newRow("Make A Gateway Page ticked") << u"Check1"_s;
    QTest::newRow("Search Engine Tips ticked") << u"Check3"_s;
}

void tst_Advice::siteLinkOpensHomePage()
{
    QFETCH(QString, ticked);

    QWidget *menu = Screens::show(ScreenId::Main);
    menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    if (!ticked.isEmpty())
        UiTest::click(UiTest::control<QCheckBox>(ScreenId::Main, qPrintable(ticked)));
    const QString description = mainLabel1()->text();

    UiTest::click(ScreenId::Main, "Command2");
    waitForBrowserCalls(m_desktop, 1);
    QCOMPARE(m_desktop.browserCalls(), QList<QStringList>{{u"http://www.rankwright.com"_s}});

    QVERIFY(menu->isVisible());
    QVERIFY(menu->isEnabled());
    QCOMPARE(mainLabel1()->text(), description);
    if (!ticked.isEmpty())
        QVERIFY(UiTest::control<QCheckBox>(ScreenId::Main, qPrintable(ticked))->isChecked());
    QVERIFY(!QFileInfo::exists(rootProbePath()));
}

void tst_Advice::backFromSubmission_data()
{
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("Command1") << false;
    QTest::newRow("close control") << true;
}

void tst_Advice::backFromSubmission()
{
    QFETCH(bool, byCloseControl);

    Screens::show(ScreenId::Main);
    UiTest::click(UiTest::control<QCheckBox>(ScreenId::Main, "Check2"));
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(Screens::isOpen(ScreenId::Search));
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());

    if (byCloseControl)
        UiTest::closeByCloseControl(ScreenId::Search);
    else
        UiTest::click(ScreenId::Search, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Search));
    QVERIFY(Screens::find(ScreenId::Main)->isVisible());
    QVERIFY(UiTest::control<QCheckBox>(ScreenId::Main, "Check2")->isChecked());
    QCOMPARE(UiTest::programEnds(), 0);
}

void tst_Advice::warningsWithoutBrowser()
{
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(WithoutBrowserSwitch)});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    // A generous bound that only ends a child which hangs, e.g. on a warning nobody closes.
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        QFAIL("The test without a browser did not finish");
    }
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
}

// The same buttons on a desktop where no program opens HTML documents.
class tst_AdviceWithoutBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void browserNotFound_data();
    void browserNotFound();

private:
    XdgFixture m_desktop;
};

void tst_AdviceWithoutBrowser::initTestCase()
{
    QVERIFY2(m_desktop.isValid(), qPrintable(m_desktop.errorString()));
    m_desktop.applyToThisProcess();
    UiTest::initApplication();
}

void tst_AdviceWithoutBrowser::init()
{
    UiTest::startFresh();
}

void tst_AdviceWithoutBrowser::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void tst_AdviceWithoutBrowser::browserNotFound_data()
{
    QTest::addColumn<bool>("fromSubmission");
    QTest::addColumn<QString>("text");
    QTest::newRow("submission screen") << true << u"Could not your Browser"_s;
    QTest::newRow("main menu's site link") << false << u"Could not find your Browser"_s;
}

void tst_AdviceWithoutBrowser::browserNotFound()
{
    QFETCH(bool, fromSubmission);
    QFETCH(QString, text);

    QWidget *menu = Screens::show(ScreenId::Main);
    UiTest::click(UiTest::control<QCheckBox>(ScreenId::Main, "Check2"));
    if (fromSubmission)
        UiTest::click(ScreenId::Main, "Command4");
    const ScreenId caller = fromSubmission ? ScreenId::Search : ScreenId::Main;
    QWidget *screen = Screens::find(caller);
    QVERIFY(screen);
    const QString description = mainLabel1()->text();

    MessageBoxCatcher catcher;
    UiTest::click(caller, fromSubmission ? "Command4" : "Command2");
    const auto messages = catcher.messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().title, u"Browser Not Found"_s);
    QCOMPARE(messages.first().text, text);
    QCOMPARE(messages.first().icon, QMessageBox::Warning);
    QCOMPARE(messages.first().owner, screen);

    // Both screens stay as they were.
    QCOMPARE(Screens::find(caller), screen);
    QVERIFY(screen->isVisible());
    QVERIFY(screen->isEnabled());
    QCOMPARE(menu->isVisible(), !fromSubmission);
    QVERIFY(menu->isEnabled());
    QCOMPARE(mainLabel1()->text(), description);
    QVERIFY(UiTest::control<QCheckBox>(ScreenId::Main, "Check2")->isChecked());
    QVERIFY(!QFileInfo::exists(rootProbePath()));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], WithoutBrowserSwitch) == 0) {
        tst_AdviceWithoutBrowser test;
        return QTest::qExec(&test, QStringList{QCoreApplication::applicationFilePath()});
    }
    tst_Advice test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_advice.moc"
