// What the six wizard steps share: their texts, navigation buttons and tab order; the one-line
// boxes of every window, the advice windows' included; and moving through the wizard: Back, Quit
// answered either way, closing a step.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "core/settings.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::closeByCloseControl;
using UiTest::control;
using UiTest::isUsable;
using UiTest::paste;
using UiTest::showActive;
using UiTest::showExposed;
using UiTest::startWizard;
using UiTest::typeText;

class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void initialTexts_data();
    void initialTexts();
    void navigationButtons_data();
    void navigationButtons();
    void tabOrder_data();
    void tabOrder();
    void lineBoxesHoldOneLineOfAnyLength_data();
    void lineBoxesHoldOneLineOfAnyLength();
    void backStoresNothing();
    void backAndForwardKeepEntries();
    void closingAStepReturnsToTheMenuAndResets();
    void quitAnsweredNo_data();
    void quitAnsweredNo();
    void quitAnsweredNoThenTheLaterEntriesMakeThePage();
    void quitAnsweredYes_data();
    void quitAnsweredYes();
};

void TestWizard::initialTexts_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("text");

    auto row = [](const char *tag, ScreenId screen, const char *name, const QString &text) {
        QTest::newRow(tag) << screen << QByteArray(name) << text;
    };
    row("step 0 Label1", ScreenId::Step0, "Label1", u"Select A Target:"_s);
    row("step 0 lblHelper", ScreenId::Step0, "lblHelper",
        u"Which search engine are we going to get you ranked in today? Start by selecting a target from the menu "
        "below."_s);
    row("step 0 Label6", ScreenId::Step0, "Label6", u"Enter your web site address:"_s);
    row("step 1 Label1", ScreenId::Step1, "Label1",
        u"Fill in the phrases you would like to be listed under, then click the arrow button to continue or click "
        "the exclamation point for tips on selecting phrases."_s);
    row("step 1 Label2", ScreenId::Step1, "Label2", u"Targeted Phrase:"_s);
    row("step 1 Label13", ScreenId::Step1, "Label13",
        u"Remember that the Targeted Phrase is the exact phrase you want to be listed under."_s);
    row("step 1 Label3", ScreenId::Step1, "Label3", u"Support Phrases:"_s);
    row("step 1 Label14", ScreenId::Step1, "Label14",
        u"Your Support Phrases can contain some of the same words as your Targeted Phrase, but do not repeat your "
        "Targeted Phrase. Click the exclamation point below for more information."_s);
    row("step 2 Label5", ScreenId::Step2, "Label5", u"Page Title:"_s);
    row("step 2 Label8", ScreenId::Step2, "Label8", u"Meta-Tag Description:"_s);
    row("step 2 Label12", ScreenId::Step2, "Label12",
        u"Type a description of your site, then click the exclamation point below."_s);
    row("step 2 Label10", ScreenId::Step2, "Label10",
        u"The Page Title and Meta-Tag description are what will be displayed in the search engine index, so be sure "
        "to include an accurate description. When your finished, click the exclamation point below."_s);
    row("step 3 Label7", ScreenId::Step3, "Label7", u"Page Body:"_s);
    row("step 3 lblCounter", ScreenId::Step3, "lblCounter",
        u"Type a description of your site, then click the exclamation point below."_s);
    row("step 3 lblCounter2", ScreenId::Step3, "lblCounter2",
        u"**Be sure to include an accurate description of your site."_s);
    row("step 4 Label1", ScreenId::Step4, "Label1",
        u"**Using a Hit Counter will allow you to keep track of how many visitors enter your site through this "
        "page."_s);
    row("step 4 Label9", ScreenId::Step4, "Label9", u"Copy and Paste your Hit Counter HTML code below:"_s);
    row("step 4 Label11", ScreenId::Step4, "Label11", u"The main link to your site will look like this:"_s);
    row("step 5 Check9 keeps its trailing blank", ScreenId::Step5, "Check9", u"Auto-Foward "_s);
}

void TestWizard::initialTexts()
{
    QFETCH(ScreenId, screen);
    QFETCH(QByteArray, name);
    QFETCH(QString, text);

    pageProject().EngineName = u"Yahoo"_s;
    QWidget *window = showExposed(screen);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), u"Rankwright Assistant 5.0"_s);
    QVERIFY(window->findChild<QWidget *>(u"Image1"_s));
    QVERIFY(window->findChild<QWidget *>(u"Image2"_s));
    if (auto *label = window->findChild<QLabel *>(QLatin1String(name)))
        QCOMPARE(label->text(), text);
    else if (auto *box = window->findChild<QCheckBox *>(QLatin1String(name)))
        QCOMPARE(box->text(), text);
    else
        QFAIL("no such control");
}

void TestWizard::navigationButtons_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QStringList>("toolTips"); // Command1 ... Command4; empty: no such button

    const QString quit = u"Click Here To Quit"_s;
    const QString next = u"Click Here To Continue!"_s;
    const QString back = u"Click Here To Go Back"_s;
    QTest::newRow("step 0") << ScreenId::Step0 << QStringList{quit, next, {}, {}};
    QTest::newRow("step 1") << ScreenId::Step1 << QStringList{quit, next, back, u"Click Here For More Information"_s};
    QTest::newRow("step 2") << ScreenId::Step2
                            << QStringList{quit, next, back, u"Click Here To Analize Your Meta-Tag Description!"_s};
    QTest::newRow("step 3") << ScreenId::Step3
                            << QStringList{quit, next, back, u"Click Here To Analize Your Page Body Information!"_s};
    QTest::newRow("step 4") << ScreenId::Step4 << QStringList{quit, next, back, {}};
    // Step 5's Command4 is a text button, not a picture.
    QTest::newRow("step 5") << ScreenId::Step5 << QStringList{quit, next, back, {}};
    QTest::newRow("generator") << ScreenId::Generator << QStringList{quit, {}, back, u"Click Here For More Options!"_s};
}

void TestWizard::navigationButtons()
{
    QFETCH(ScreenId, screen);
    QFETCH(QStringList, toolTips);

    pageProject() = sampleProject();
    QVERIFY(showExposed(screen));
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "Command" + QByteArray::number(i + 1);
        auto *button = control<QToolButton>(screen, name.constData());
        if (toolTips.at(i).isEmpty()) {
            QVERIFY2(!button, name.constData());
            continue;
        }
        QVERIFY2(button, name.constData());
        QVERIFY(button->text().isEmpty());
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolTip(), toolTips.at(i));
        QCOMPARE(button->accessibleName(), toolTips.at(i));
    }
}

void TestWizard::tabOrder_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QStringList>("order"); // from the control that has the focus when the step opens

    // Each step's fields in reading order, then the navigation row from left to right: Back, the
    // cross, the exclamation point, the forward arrow; from the last, Tab goes round to the first.
    QTest::newRow("step 0") << ScreenId::Step0 << QStringList{u"Combo1"_s, u"txtUrl1"_s, u"Command1"_s, u"Command2"_s};
    QTest::newRow("step 1") << ScreenId::Step1
                            << QStringList{u"PrimaryKeywords"_s, u"Support1"_s, u"Support2"_s, u"Support3"_s,
                                           u"Command3"_s,        u"Command1"_s, u"Command4"_s, u"Command2"_s};
    QTest::newRow("step 2") << ScreenId::Step2 << QStringList{u"SiteTitle"_s, u"MDescription"_s, u"Command3"_s,
                                                              u"Command1"_s,  u"Command4"_s,     u"Command2"_s};
    QTest::newRow("step 3") << ScreenId::Step3
                            << QStringList{u"PageBody"_s, u"Command3"_s, u"Command1"_s, u"Command4"_s, u"Command2"_s};
    QTest::newRow("step 4, the counter's box hidden")
        << ScreenId::Step4
        << QStringList{u"chkHitCounter"_s, u"txtLinkText"_s, u"Command3"_s, u"Command1"_s, u"Command2"_s};
    // Step 5's exclamation point sets the engine's defaults and comes first, with the introduction.
    QTest::newRow("step 5, the columns top to bottom")
        << ScreenId::Step5
        << QStringList{u"Check1"_s,   u"Check2"_s,   u"Check4"_s,   u"Check3"_s,  u"Check5"_s, u"Check7"_s,
                       u"Check6"_s,   u"Check8"_s,   u"Check10"_s,  u"Check9"_s,  u"Combo1"_s, u"Combo2"_s,
                       u"Command3"_s, u"Command1"_s, u"Command2"_s, u"Command4"_s};
}

void TestWizard::tabOrder()
{
    QFETCH(ScreenId, screen);
    QFETCH(QStringList, order);

    pageProject() = sampleProject();
    QWidget *window = showActive(screen);
    QVERIFY(window);
    // Where the keyboard is, by name; a list's edit field stands for the list.
    auto focusName = [] {
        QWidget *focus = QApplication::focusWidget();
        if (focus && qobject_cast<QComboBox *>(focus->parentWidget()))
            focus = focus->parentWidget();
        return focus ? focus->objectName() : u"<nothing>"_s;
    };
    // Tab until the focus is back where it started: every control once, then round again.
    QStringList visited{focusName()};
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focusName() == visited.first())
            break;
        visited << focusName();
    }
    QCOMPARE(visited, order);
}

void TestWizard::lineBoxesHoldOneLineOfAnyLength_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QByteArray>("name");
    // The engine chosen before the window opens (the steps need one); the boxes pick none.
    QTest::addColumn<QString>("engine");

    const QString yahoo = u"Yahoo"_s;
    QTest::newRow("step 0 Combo1") << ScreenId::Step0 << QByteArray("Combo1") << yahoo;
    QTest::newRow("step 0 txtUrl1") << ScreenId::Step0 << QByteArray("txtUrl1") << yahoo;
    QTest::newRow("step 1 PrimaryKeywords") << ScreenId::Step1 << QByteArray("PrimaryKeywords") << yahoo;
    QTest::newRow("step 1 Support1") << ScreenId::Step1 << QByteArray("Support1") << yahoo;
    QTest::newRow("step 1 Support2") << ScreenId::Step1 << QByteArray("Support2") << yahoo;
    QTest::newRow("step 1 Support3") << ScreenId::Step1 << QByteArray("Support3") << yahoo;
    QTest::newRow("step 2 SiteTitle") << ScreenId::Step2 << QByteArray("SiteTitle") << yahoo;
    QTest::newRow("step 4 txtLinkText") << ScreenId::Step4 << QByteArray("txtLinkText") << yahoo;
    QTest::newRow("step 5 Combo1") << ScreenId::Step5 << QByteArray("Combo1") << yahoo;
    QTest::newRow("step 5 Combo2") << ScreenId::Step5 << QByteArray("Combo2") << yahoo;
    // The advice windows beside the wizard, with nothing chosen yet.
    QTest::newRow("keyword tips PrimaryKeywords")
        << ScreenId::KeyWordTips << QByteArray("PrimaryKeywords") << QString();
    QTest::newRow("keyword tips Support1") << ScreenId::KeyWordTips << QByteArray("Support1") << QString();
    QTest::newRow("keyword tips Support2") << ScreenId::KeyWordTips << QByteArray("Support2") << QString();
    QTest::newRow("keyword tips Support3") << ScreenId::KeyWordTips << QByteArray("Support3") << QString();
    QTest::newRow("engine tips Combo1") << ScreenId::Stats << QByteArray("Combo1") << QString();
}

void TestWizard::lineBoxesHoldOneLineOfAnyLength()
{
    QFETCH(ScreenId, screen);
    QFETCH(QByteArray, name);
    QFETCH(QString, engine);

    // Every kind of line break, CR LF as one; then more than Qt's default limit of 32,767.
    const QString tail = u"0123456789"_s.repeated(4000);
    const QString withBreaks = u"a\r\nb\rc\nd\u2028e\u2029f\n\r"_s + tail;
    const QString oneLine = u"a b c d e f  "_s + tail;

    if (!engine.isEmpty()) {
        pageProject().EngineName = engine;
        setPhrases(u"free software"_s);
    }
    QVERIFY(showExposed(screen));
    QLineEdit *box = lineBox(screen, name.constData());
    QVERIFY(box);
    box->setText(u"[]"_s);
    box->setCursorPosition(1);
    CHECKED(paste(box, withBreaks));
    QCOMPARE(box->text(), u"["_s + oneLine + u"]"_s);
    QCOMPARE(box->cursorPosition(), 1 + oneLine.size());
    // Undo never brings a line break back.
    QTest::keySequence(box, QKeySequence::Undo);
    QVERIFY(!box->text().contains(QRegularExpression(u"[\\r\\n\u2028\u2029]"_s)));

    // Set by the program, the same.
    box->setText(withBreaks);
    QCOMPARE(box->text(), oneLine);
    // Nothing of it is a pick.
    QCOMPARE(pageProject().EngineName, engine);
}

void TestWizard::backStoresNothing()
{
    // Each step, changed and left with Back, leaves the project as it was and shows the step before.
    PageProject &project = pageProject();
    project.EngineName = u"Alta Vista"_s;
    setPhrases(u"free software"_s);

    QVERIFY(showExposed(ScreenId::Step1));
    typeText(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords"), u"other phrase"_s);
    UiTest::click(ScreenId::Step1, "Command3");
    QVERIFY(isUsable(ScreenId::Step0));
    QVERIFY(!Screens::find(ScreenId::Step1)->isVisible());

    QVERIFY(showExposed(ScreenId::Step2));
    typeText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription"), u"a description"_s);
    UiTest::click(ScreenId::Step2, "Command3");
    QVERIFY(isUsable(ScreenId::Step1));
    QCOMPARE(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords")->text(), u"other phrase"_s);

    QVERIFY(showExposed(ScreenId::Step3));
    typeText(control<QPlainTextEdit>(ScreenId::Step3, "PageBody"), u"a body"_s);
    UiTest::click(ScreenId::Step3, "Command3");
    QVERIFY(isUsable(ScreenId::Step2));

    QVERIFY(showExposed(ScreenId::Step4));
    UiTest::click(ScreenId::Step4, "chkHitCounter");
    UiTest::click(ScreenId::Step4, "Command3");
    QVERIFY(isUsable(ScreenId::Step3));

    QVERIFY(showExposed(ScreenId::Step5));
    UiTest::click(ScreenId::Step5, "Check3");
    UiTest::click(ScreenId::Step5, "Command3");
    QVERIFY(isUsable(ScreenId::Step4));

    QCOMPARE(project.TargetedPhrase, u"free software"_s);
    QCOMPARE(project.KeywordList, QString());
    QCOMPARE(project.MetaDescription, QString());
    QCOMPARE(project.PageTitle, QString());
    QCOMPARE(project.BodyText, QString());
    QCOMPARE(project.UseHitCounter, QString());
    QCOMPARE(project.LinkText, QString());
    QCOMPARE(project.UseCommentTags, QString());
    QCOMPARE(project.UseMetaDescription, QString());
}

void TestWizard::backAndForwardKeepEntries()
{
    CHECKED(walkTo(ScreenId::Step3));
    typeText(control<QPlainTextEdit>(ScreenId::Step3, "PageBody"), u"My body text"_s);
    UiTest::click(ScreenId::Step3, "Command3");
    QVERIFY(isUsable(ScreenId::Step2));
    QVERIFY(!Screens::find(ScreenId::Step3)->isVisible());
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), u"free software - free software"_s);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription")), u"Free software for everyone"_s);

    UiTest::click(ScreenId::Step2, "Command2");
    QVERIFY(isUsable(ScreenId::Step3));
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step3, "PageBody")), u"My body text"_s);
    // One wizard screen in view at a time; the main menu waits hidden.
    int visible = 0;
    for (ScreenId id : WizardScreens)
        visible += Screens::find(id) && Screens::find(id)->isVisible() ? 1 : 0;
    QCOMPARE(visible, 1);
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
}

void TestWizard::closingAStepReturnsToTheMenuAndResets()
{
    CHECKED(walkTo(ScreenId::Step4));
    QCOMPARE(openSteps().size(), 5);

    // The close control: the main menu comes at once, the rest of the wizard goes on the next turn.
    CHECKED(closeByCloseControl(ScreenId::Step4));
    QVERIFY(!Screens::isOpen(ScreenId::Step4));
    QVERIFY(isUsable(ScreenId::Main));
    QCOMPARE(pageProject().ResetRequested, u"Yes"_s);
    UiTest::settle();
    QVERIFY(openSteps().isEmpty());
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QVERIFY(isUsable(ScreenId::Main));
    QCOMPARE(UiTest::programEnds(), 0);

    // A new run starts with fresh screens but the engine picked before.
    CHECKED(startWizard());
    auto *list = control<QComboBox>(ScreenId::Step0, "Combo1");
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), QString());
    QCOMPARE(control<QLineEdit>(ScreenId::Step0, "txtUrl1")->text(), u"http://"_s);
    QCOMPARE(pageProject().EngineName, u"Alta Vista"_s);
    typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), u"http://www.example.org"_s);
    UiTest::click(ScreenId::Step0, "Command2");
    QVERIFY(isUsable(ScreenId::Step1));
    QCOMPARE(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords")->text(), QString());

    // The arrow started the reset again: a later close is handled too.
    CHECKED(closeByCloseControl(ScreenId::Step1));
    UiTest::settle();
    QVERIFY(openSteps().isEmpty());
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QVERIFY(isUsable(ScreenId::Main));
}

void TestWizard::quitAnsweredNo_data()
{
    QTest::addColumn<ScreenId>("step");
    QTest::addColumn<bool>("byCloseControl");
    QTest::addColumn<QString>("quitFromWizard"); // while the confirmation is open

    QTest::newRow("step 0, No") << ScreenId::Step0 << false << u"True"_s;
    QTest::newRow("step 1, No") << ScreenId::Step1 << false << u"True"_s;
    QTest::newRow("step 1, close control") << ScreenId::Step1 << true << u"True"_s;
    QTest::newRow("step 2, No") << ScreenId::Step2 << false << QString();
    QTest::newRow("step 4, close control") << ScreenId::Step4 << true << QString();
}

void TestWizard::quitAnsweredNo()
{
    QFETCH(ScreenId, step);
    QFETCH(bool, byCloseControl);
    QFETCH(QString, quitFromWizard);

    CHECKED(walkTo(step));
    const QList<ScreenId> before = openSteps();
    UiTest::click(step, "Command1");
    QVERIFY(Screens::find(ScreenId::Quit1) && Screens::find(ScreenId::Quit1)->isVisible());
    QVERIFY(!Screens::find(step)->isEnabled());
    QVERIFY(Screens::find(step)->isVisible());
    QCOMPARE(pageProject().QuitFromWizard, quitFromWizard);

    if (byCloseControl)
        CHECKED(closeByCloseControl(ScreenId::Quit1));
    else
        UiTest::click(ScreenId::Quit1, "Command2");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Quit1));
    QVERIFY(isUsable(step));
    QCOMPARE(pageProject().QuitFromWizard, QString());
    // Nothing was opened or closed on the way: later steps do not exist yet.
    QCOMPARE(openSteps(), before);
    QVERIFY(!Screens::isOpen(ScreenId::Generator));
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());

    // And the wizard goes on from there.
    CHECKED(completeStep(step));
    QVERIFY(!Screens::find(step)->isVisible());
}

void TestWizard::quitAnsweredNoThenTheLaterEntriesMakeThePage()
{
    CHECKED(walkTo(ScreenId::Step2));
    auto *description = control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    typeText(description, u"typed before the quit"_s);
    UiTest::click(ScreenId::Step2, "Command1");
    UiTest::click(ScreenId::Quit1, "Command2");
    QVERIFY(isUsable(ScreenId::Step2));

    // The user goes on with other entries, up to the generator.
    typeText(description, u"typed after the quit"_s);
    typeText(control<QLineEdit>(ScreenId::Step2, "SiteTitle"), u"A later title"_s);
    UiTest::click(ScreenId::Step2, "Command2");
    CHECKED(completeStep(ScreenId::Step3));
    CHECKED(completeStep(ScreenId::Step4));
    QVERIFY(isUsable(ScreenId::Step5));
    UiTest::click(ScreenId::Step5, "Command2");
    QVERIFY(isUsable(ScreenId::Generator));

    // The page of these entries, made from scratch: what walkTo() and completeStep() typed, and
    // the engine's recommended settings.
    PageProject expected;
    ApplyEngineProfile(expected, 0);
    expected.SiteUrl = u"http://www.example.com"_s;
    expected.TargetedPhrase = expected.MatchPhrase = u"free software"_s;
    expected.SupportPhrase1 = u"download"_s;
    expected.SupportPhrase2 = u"freeware"_s;
    expected.SupportPhrase3 = u"shareware"_s;
    expected.KeywordList = u"free software, download, freeware, shareware"_s;
    expected.PageTitle = u"A later title"_s;
    expected.MetaDescription = u"typed after the quit"_s;
    expected.BodyText = u"Get free software now"_s;
    expected.LinkText = u"free software - Click Here!"_s;
    StoreSettings(ApplyEngineDefaults(expected.EngineName), expected);
    BuildKeywordBlock(expected);
    const QString page = boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1"));
    QCOMPARE(page, BuildGatewayPage(expected));
    QVERIFY(!page.contains(u"before the quit"_s));
}

void TestWizard::quitAnsweredYes_data()
{
    QTest::addColumn<ScreenId>("step");
    QTest::newRow("step 0") << ScreenId::Step0;
    QTest::newRow("step 2") << ScreenId::Step2;
    QTest::newRow("step 5") << ScreenId::Step5;
}

void TestWizard::quitAnsweredYes()
{
    QFETCH(ScreenId, step);

    if (step == ScreenId::Step5) {
        CHECKED(walkTo(ScreenId::Step4));
        CHECKED(completeStep(ScreenId::Step4));
    } else {
        CHECKED(walkTo(step));
    }
    QVERIFY(isUsable(step));
    UiTest::click(step, "Command1");
    UiTest::click(ScreenId::Quit1, "Command1");

    QVERIFY(isUsable(ScreenId::Main));
    QVERIFY(openSteps().isEmpty());
    QVERIFY(!Screens::isOpen(ScreenId::Quit1));
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QCOMPARE(pageProject().QuitFromWizard, QString());
    QCOMPARE(UiTest::programEnds(), 0);
}

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
