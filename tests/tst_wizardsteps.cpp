// The six data-entry steps of the wizard, one window at a time: what each shows, what its
// Continue refuses and stores, the pre-fills, the two analyses, the hit counter and the settings.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "core/settings.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "sampleproject.h"
#include "ui/controls/textboxes.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)

// Names the checked boxes and the two list positions when a comparison fails.
char *toString(const SettingsScreenState &state)
{
    QByteArray text = "checks ";
    for (bool on : state.checks)
        text += on ? '1' : '0';
    text += " frequency " + QByteArray::number(state.frequencyPosition) + " spam detection " +
            QByteArray::number(state.spamDetectionPosition);
    return qstrdup(text.constData());
}

using UiTest::closeByCloseControl;
using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::paste;
using UiTest::showActive;
using UiTest::showExposed;
using UiTest::startWizard;
using UiTest::typeText;

namespace {

// A line box by name, or the edit field of a list.
QLineEdit *lineBox(ScreenId id, const char *name)
{
    if (auto *list = control<QComboBox>(id, name))
        return list->lineEdit();
    return control<QLineEdit>(id, name);
}

void closeMessage(ScreenId message, bool byCloseControl)
{
    QVERIFY(Screens::isOpen(message));
    if (byCloseControl)
        closeByCloseControl(message);
    else
        UiTest::click(message, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(message));
}

// The phrases of step 1, stored as its Continue stores them.
void setPhrases(const QString &targeted)
{
    PageProject &project = pageProject();
    project.TargetedPhrase = targeted;
    project.MatchPhrase = targeted;
    project.SupportPhrase1 = u"download"_s;
    project.SupportPhrase2 = u"freeware"_s;
    project.SupportPhrase3 = u"shareware"_s;
}

// Characters before and inside the box's selection, in the "\r\n" text the program counts in.
QPair<qsizetype, qsizetype> selectionOf(QPlainTextEdit *box)
{
    const AnalysedBox analysed = analysedBox(box);
    return {analysed.selStart, analysed.selLength};
}

SettingsScreenState shownSettings()
{
    SettingsScreenState state;
    for (int i = 0; i < 10; ++i) {
        auto *box = control<QCheckBox>(ScreenId::Step5, qPrintable(u"Check%1"_s.arg(i + 1)));
        state.checks[i] = box && box->isChecked();
    }
    state.frequencyPosition = control<QComboBox>(ScreenId::Step5, "Combo2")->currentIndex();
    state.spamDetectionPosition = control<QComboBox>(ScreenId::Step5, "Combo1")->currentIndex();
    return state;
}

// Fills the visible step with ordinary entries (those still there from before are kept) and
// presses Continue.
void completeStep(ScreenId step)
{
    QVERIFY(isUsable(step));
    switch (step) {
    case ScreenId::Step0:
        UiTest::pick(control<QComboBox>(step, "Combo1"), 0);
        typeText(control<QLineEdit>(step, "txtUrl1"), u"http://www.example.com"_s);
        break;
    case ScreenId::Step1: {
        const char *const names[] = {"PrimaryKeywords", "Support1", "Support2", "Support3"};
        const QString phrases[] = {u"free software"_s, u"download"_s, u"freeware"_s, u"shareware"_s};
        for (int i = 0; i < 4; ++i)
            typeText(control<QLineEdit>(step, names[i]), phrases[i]);
        break;
    }
    case ScreenId::Step2:
        typeText(control<QPlainTextEdit>(step, "MDescription"), u"Free software for everyone"_s);
        break;
    case ScreenId::Step3:
        typeText(control<QPlainTextEdit>(step, "PageBody"), u"Get free software now"_s);
        break;
    default:
        break;
    }
    UiTest::click(step, "Command2");
}

// Starts the wizard and moves on until `target` is the step in view.
void walkTo(ScreenId target)
{
    startWizard();
    for (ScreenId step : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4}) {
        if (step == target)
            break;
        completeStep(step);
    }
    QVERIFY(isUsable(target));
}

// The wizard steps still open, in the wizard's order.
QList<ScreenId> openSteps()
{
    QList<ScreenId> open;
    for (ScreenId id : WizardScreens) {
        if (isWizardStep(id) && Screens::isOpen(id))
            open << id;
    }
    return open;
}
} // namespace

class TestWizardSteps : public QObject
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

    void step0StartsWithNothingPicked();
    void step0PickSetsEngineAndHelp_data();
    void step0PickSetsEngineAndHelp();
    void step0ArrowKeysPick();
    void step0TypingPicksNothing_data();
    void step0TypingPicksNothing();
    void step0Refusals_data();
    void step0Refusals();
    void step0StoresAddressAsTyped_data();
    void step0StoresAddressAsTyped();
    void step0AcceptsEngineChosenEarlier();

    void step1RefusesAnyEmptyBox_data();
    void step1RefusesAnyEmptyBox();
    void step1StoresPhrasesAndStep2Prefills();
    void step1KeepsAPastedPhraseWhole();
    void step1PastedLineBreakIsABlank();

    void step2Continue_data();
    void step2Continue();
    void step2PrefillOnlyAtLoad();
    void step2Analysis_data();
    void step2Analysis();
    void step2AnalysisRefusesUntouchedPrefill();
    void step2PrefillOfALongPhraseIsWhole();
    void step2TitleLineBreakIsABlank();

    void step3Analysis_data();
    void step3Analysis();
    void step3Continue();

    void step4HitCounter();
    void step4StoresWhatItShows();

    void step5OpensWithEngineDefaults_data();
    void step5OpensWithEngineDefaults();
    void step5ColumnsInScreenOrder();
    void step5DefaultsButtonRestoresWithoutStoring();
    void step5ContinueStoresSettings();
    void step5TypedLevelIsNoSelection();
    void step5TypedTextIsNeverAPick_data();
    void step5TypedTextIsNeverAPick();
    void step5PickedLevelIsStored_data();
    void step5PickedLevelIsStored();
    void step5TypingOverAPick();
    void step5KeyboardInTheOpenListPicks();

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
    void newRunAppliesDefaultsAgain();
    void settingsButtonFollowsTheEngine();
    void generatorBackFindsSettingsAsLeft();
    void keywordTipsKeepThePhrases();
};

// ---- What the screens show -----------------------------------------------------------------

void TestWizardSteps::initialTexts_data()
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

void TestWizardSteps::initialTexts()
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

void TestWizardSteps::navigationButtons_data()
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

void TestWizardSteps::navigationButtons()
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

void TestWizardSteps::tabOrder_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QStringList>("order"); // from the control that has the focus when the step opens

    // Each step's fields in reading order, then its buttons in the order the steps list them;
    // from the last, Tab goes round to the first.
    QTest::newRow("step 0") << ScreenId::Step0 << QStringList{u"Combo1"_s, u"txtUrl1"_s, u"Command2"_s, u"Command1"_s};
    QTest::newRow("step 1") << ScreenId::Step1
                            << QStringList{u"PrimaryKeywords"_s, u"Support1"_s, u"Support2"_s, u"Support3"_s,
                                           u"Command2"_s,        u"Command4"_s, u"Command3"_s, u"Command1"_s};
    QTest::newRow("step 2") << ScreenId::Step2 << QStringList{u"SiteTitle"_s, u"MDescription"_s, u"Command4"_s,
                                                              u"Command2"_s,  u"Command3"_s,     u"Command1"_s};
    QTest::newRow("step 3") << ScreenId::Step3
                            << QStringList{u"PageBody"_s, u"Command4"_s, u"Command2"_s, u"Command3"_s, u"Command1"_s};
    QTest::newRow("step 4, the counter's box hidden")
        << ScreenId::Step4
        << QStringList{u"chkHitCounter"_s, u"txtLinkText"_s, u"Command2"_s, u"Command3"_s, u"Command1"_s};
    QTest::newRow("step 5, the columns top to bottom")
        << ScreenId::Step5
        << QStringList{u"Check1"_s,   u"Check2"_s,   u"Check4"_s,   u"Check3"_s,  u"Check5"_s, u"Check7"_s,
                       u"Check6"_s,   u"Check8"_s,   u"Check10"_s,  u"Check9"_s,  u"Combo1"_s, u"Combo2"_s,
                       u"Command2"_s, u"Command3"_s, u"Command1"_s, u"Command4"_s};
}

void TestWizardSteps::tabOrder()
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

// ---- Step 0 ----------------------------------------------------------------------------------

void TestWizardSteps::step0StartsWithNothingPicked()
{
    QVERIFY(showExposed(ScreenId::Step0));
    auto *list = control<QComboBox>(ScreenId::Step0, "Combo1");
    QVERIFY(list);
    QVERIFY(list->isEditable());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), QString());
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    QCOMPARE(entries, (QStringList{u"Alta Vista"_s, u"Aol"_s, u"Excite"_s, u"HotBot"_s, u"InfoSeek"_s, u"Lycos"_s,
                                   u"Magellan"_s, u"WebCrawler"_s, u"Yahoo"_s}));
    QCOMPARE(control<QLineEdit>(ScreenId::Step0, "txtUrl1")->text(), u"http://"_s);
}

void TestWizardSteps::step0PickSetsEngineAndHelp_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("engineName");
    QTest::addColumn<QString>("descPhraseAdvice");

    QTest::newRow("Aol is stored as AOL") << 1 << u"AOL"_s << u"2 times"_s;
    QTest::newRow("HotBot is stored as Hot Bot") << 3 << u"Hot Bot"_s << u"2 times"_s;
    QTest::newRow("Lycos advises 3 times") << 5 << u"Lycos"_s << u"3 times"_s;
}

void TestWizardSteps::step0PickSetsEngineAndHelp()
{
    QFETCH(int, position);
    QFETCH(QString, engineName);
    QFETCH(QString, descPhraseAdvice);

    QVERIFY(showExposed(ScreenId::Step0));
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step0, "Combo1"), position));

    QCOMPARE(pageProject().EngineName, engineName);
    QCOMPARE(pageProject().DescPhraseAdvice, descPhraseAdvice);
    QCOMPARE(labelText(ScreenId::Step0, "lblHelper"),
             u"You have chosen to target "_s + engineName +
                 u". Enter your web site address below, then click the arrow button to continue to the next step."_s);
}

void TestWizardSteps::step0ArrowKeysPick()
{
    QVERIFY(showExposed(ScreenId::Step0));
    auto *list = control<QComboBox>(ScreenId::Step0, "Combo1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(pageProject().EngineName, u"Alta Vista"_s);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(pageProject().EngineName, u"AOL"_s);
    QVERIFY(labelText(ScreenId::Step0, "lblHelper").startsWith(u"You have chosen to target AOL."_s));
}

void TestWizardSteps::step0TypingPicksNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::Key>("finishingKey");

    QTest::newRow("an entry, Return") << u"Lycos"_s << Qt::Key_Return;
    QTest::newRow("an entry, Tab away") << u"Lycos"_s << Qt::Key_Tab;
    QTest::newRow("an entry in small letters, Return") << u"lycos"_s << Qt::Key_Return;
    QTest::newRow("an entry in capitals, Tab away") << u"ALTA VISTA"_s << Qt::Key_Tab;
    QTest::newRow("the start of an entry, Tab away") << u"Mag"_s << Qt::Key_Tab;
}

void TestWizardSteps::step0TypingPicksNothing()
{
    QFETCH(QString, typed);
    QFETCH(Qt::Key, finishingKey);

    QWidget *screen = showActive(ScreenId::Step0);
    QVERIFY(screen);
    auto *list = control<QComboBox>(ScreenId::Step0, "Combo1");
    const QString help = labelText(ScreenId::Step0, "lblHelper");
    typeText(list->lineEdit(), typed);
    QTest::keyClick(list->lineEdit(), finishingKey);
    typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), u"http://www.example.com"_s);
    UiTest::click(ScreenId::Step0, "Command2");

    QCOMPARE(pageProject().EngineName, QString());
    QCOMPARE(labelText(ScreenId::Step0, "lblHelper"), help);
    QCOMPARE(screen->windowTitle(), u"Rankwright Assistant 5.0"_s);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->lineEdit()->text(), typed);
    QVERIFY(Screens::isOpen(ScreenId::Error));
    QVERIFY(!Screens::isOpen(ScreenId::Step1));

    // The arrow keys on the list still pick, from the first entry on.
    CHECKED(closeMessage(ScreenId::Error, false));
    list->lineEdit()->setFocus();
    QTest::keyClick(list->lineEdit(), Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 0);
    QCOMPARE(pageProject().EngineName, u"Alta Vista"_s);
    QVERIFY(labelText(ScreenId::Step0, "lblHelper").startsWith(u"You have chosen to target Alta Vista."_s));
}

void TestWizardSteps::step0Refusals_data()
{
    QTest::addColumn<bool>("enginePicked");
    QTest::addColumn<QString>("address");
    QTest::addColumn<ScreenId>("message");
    QTest::addColumn<bool>("byCloseControl");

    QTest::newRow("no engine, closed by OK") << false << u"http://www.example.com"_s << ScreenId::Error << false;
    QTest::newRow("no engine, closed by its close control")
        << false << u"http://www.example.com"_s << ScreenId::Error << true;
    QTest::newRow("no engine comes before no address") << false << u"http://"_s << ScreenId::Error << false;
    QTest::newRow("address untouched, closed by OK") << true << u"http://"_s << ScreenId::Error2 << false;
    QTest::newRow("address empty, closed by its close control") << true << QString() << ScreenId::Error2 << true;
}

void TestWizardSteps::step0Refusals()
{
    QFETCH(bool, enginePicked);
    QFETCH(QString, address);
    QFETCH(ScreenId, message);
    QFETCH(bool, byCloseControl);

    // Through the main menu, which hides while the wizard runs.
    QVERIFY(showExposed(ScreenId::Main));
    UiTest::click(ScreenId::Main, "Check1");
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(isUsable(ScreenId::Step0));
    if (enginePicked)
        CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step0, "Combo1"), 0));
    typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), address);
    UiTest::click(ScreenId::Step0, "Command2");

    QVERIFY(Screens::find(message) && Screens::find(message)->isVisible());
    QVERIFY(!Screens::isOpen(ScreenId::Step1));
    QCOMPARE(pageProject().SiteUrl, QString());
    QCOMPARE(control<QLineEdit>(ScreenId::Step0, "txtUrl1")->text(), address);
    if (message == ScreenId::Error) {
        QVERIFY(!Screens::find(ScreenId::Step0)->isEnabled());
        QVERIFY(Screens::find(ScreenId::Main)->isEnabled());
    } else {
        // The address message stands in for the hidden main menu; step 0 stays usable.
        QVERIFY(isUsable(ScreenId::Step0));
        QVERIFY(!Screens::find(ScreenId::Main)->isEnabled());
        QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
    }

    CHECKED(closeMessage(message, byCloseControl));
    QVERIFY(isUsable(ScreenId::Step0));
    QVERIFY(Screens::find(ScreenId::Main)->isEnabled());
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
}

void TestWizardSteps::step0StoresAddressAsTyped_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("default in capitals") << u"HTTP://"_s;
    QTest::newRow("default after a blank") << u" http://"_s;
    QTest::newRow("no http:// prefix") << u"www.example.com"_s;
    QTest::newRow("trailing blank kept") << u"http://www.example.com "_s;
}

void TestWizardSteps::step0StoresAddressAsTyped()
{
    QFETCH(QString, address);

    QVERIFY(showExposed(ScreenId::Step0));
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step0, "Combo1"), 8));
    typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), address);
    UiTest::click(ScreenId::Step0, "Command2");

    QCOMPARE(pageProject().SiteUrl, address);
    QVERIFY(isUsable(ScreenId::Step1));
    QVERIFY(!Screens::find(ScreenId::Step0)->isVisible());
}

void TestWizardSteps::step0AcceptsEngineChosenEarlier()
{
    // An engine picked in an earlier run or on the tips screen is the target, whatever the list shows.
    ApplyEngineProfile(pageProject(), 5);
    QVERIFY(showExposed(ScreenId::Step0));
    QCOMPARE(control<QComboBox>(ScreenId::Step0, "Combo1")->currentIndex(), -1);
    typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), u"http://www.example.com"_s);
    UiTest::click(ScreenId::Step0, "Command2");

    QVERIFY(isUsable(ScreenId::Step1));
    QCOMPARE(pageProject().EngineName, u"Lycos"_s);
}

// ---- Step 1 ----------------------------------------------------------------------------------

void TestWizardSteps::step1RefusesAnyEmptyBox_data()
{
    QTest::addColumn<QStringList>("phrases"); // PrimaryKeywords, Support1, Support2, Support3

    QTest::newRow("targeted phrase empty") << QStringList{{}, u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("only Support1 empty") << QStringList{u"free software"_s, {}, u"b"_s, u"c"_s};
    QTest::newRow("only Support3 empty") << QStringList{u"free software"_s, u"a"_s, u"b"_s, {}};
    QTest::newRow("all empty") << QStringList{{}, {}, {}, {}};
}

void TestWizardSteps::step1RefusesAnyEmptyBox()
{
    QFETCH(QStringList, phrases);

    QVERIFY(showExposed(ScreenId::Step1));
    const char *const names[] = {"PrimaryKeywords", "Support1", "Support2", "Support3"};
    for (int i = 0; i < 4; ++i)
        typeText(control<QLineEdit>(ScreenId::Step1, names[i]), phrases.at(i));
    UiTest::click(ScreenId::Step1, "Command2");

    QVERIFY(Screens::isOpen(ScreenId::Error4));
    QVERIFY(!Screens::find(ScreenId::Step1)->isEnabled());
    QVERIFY(Screens::find(ScreenId::Step1)->isVisible());
    QVERIFY(!Screens::isOpen(ScreenId::Step2));
    QCOMPARE(pageProject().TargetedPhrase, QString());
    QCOMPARE(pageProject().KeywordList, QString());

    CHECKED(closeMessage(ScreenId::Error4, false));
    QVERIFY(isUsable(ScreenId::Step1));
}

void TestWizardSteps::step1StoresPhrasesAndStep2Prefills()
{
    QVERIFY(showExposed(ScreenId::Step1));
    // A trailing blank is part of the phrase, and a phrase of blanks is an entry.
    typeText(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords"), u"free software "_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support1"), u"a"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support2"), u"b"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support3"), u"  "_s);
    UiTest::click(ScreenId::Step1, "Command2");

    const PageProject &project = pageProject();
    QCOMPARE(project.TargetedPhrase, u"free software "_s);
    QCOMPARE(project.MatchPhrase, u"free software "_s);
    QCOMPARE(project.SupportPhrase1, u"a"_s);
    QCOMPARE(project.SupportPhrase2, u"b"_s);
    QCOMPARE(project.SupportPhrase3, u"  "_s);
    QCOMPARE(project.KeywordList, u"free software , a, b,   "_s);

    QVERIFY(isUsable(ScreenId::Step2));
    QVERIFY(!Screens::find(ScreenId::Step1)->isVisible());
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), u"free software  - free software "_s);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription")), u"free software  - "_s);
}

void TestWizardSteps::step1KeepsAPastedPhraseWhole()
{
    // Longer than a line box takes by default (32,767 characters).
    const QString phrase = u"free software "_s.repeated(2857) + u"xy"_s;
    QCOMPARE(phrase.size(), 40000);
    QVERIFY(showExposed(ScreenId::Step1));
    CHECKED(paste(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords"), phrase));
    QCOMPARE(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords")->text(), phrase);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support1"), u"a"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support2"), u"b"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support3"), u"c"_s);
    UiTest::click(ScreenId::Step1, "Command2");

    QVERIFY(isUsable(ScreenId::Step2));
    QCOMPARE(pageProject().TargetedPhrase, phrase);
    QCOMPARE(pageProject().MatchPhrase, phrase);
    QCOMPARE(pageProject().KeywordList, phrase + u", a, b, c"_s);
}

void TestWizardSteps::step1PastedLineBreakIsABlank()
{
    QVERIFY(showExposed(ScreenId::Step1));
    auto *primary = control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords");
    CHECKED(paste(primary, u"free\nsoftware"_s));
    QCOMPARE(primary->text(), u"free software"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support1"), u"a"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support2"), u"b"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support3"), u"c"_s);
    UiTest::click(ScreenId::Step1, "Command2");

    QCOMPARE(pageProject().TargetedPhrase, u"free software"_s);
    QCOMPARE(pageProject().MatchPhrase, u"free software"_s);
    QCOMPARE(pageProject().KeywordList, u"free software, a, b, c"_s);
    QVERIFY(isUsable(ScreenId::Step2));
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), u"free software - free software"_s);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription")), u"free software - "_s);

    // The description pre-fill is the phrase's, so left untouched it is refused.
    UiTest::click(ScreenId::Step2, "Command2");
    QVERIFY(Screens::isOpen(ScreenId::Error5));
    QVERIFY(!Screens::isOpen(ScreenId::Step3));
    QCOMPARE(pageProject().MetaDescription, QString());
}

// ---- Step 2 ----------------------------------------------------------------------------------

void TestWizardSteps::step2Continue_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("description"); // typed over the pre-fill; "<prefill>" keeps it
    QTest::addColumn<bool>("accepted");

    const QString prefill = u"<prefill>"_s;
    QTest::newRow("description untouched") << prefill << prefill << false;
    QTest::newRow("description empty") << u"My title"_s << QString() << false;
    QTest::newRow("pre-fill in other case") << prefill << u"FREE SOFTWARE - "_s << true;
    QTest::newRow("one more character, title untouched") << prefill << u"free software - x"_s << true;
    QTest::newRow("title empty") << QString() << u"Free downloads"_s << true;
    QTest::newRow("description of two lines") << u"t"_s << u"line one\r\nline two"_s << true;
}

void TestWizardSteps::step2Continue()
{
    QFETCH(QString, title);
    QFETCH(QString, description);
    QFETCH(bool, accepted);

    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step2));
    auto *titleBox = control<QLineEdit>(ScreenId::Step2, "SiteTitle");
    auto *descriptionBox = control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    if (title != u"<prefill>")
        typeText(titleBox, title);
    if (description != u"<prefill>")
        typeText(descriptionBox, description);
    const QString shownTitle = titleBox->text();
    const QString shownDescription = boxText(descriptionBox);
    UiTest::click(ScreenId::Step2, "Command2");

    if (accepted) {
        QCOMPARE(pageProject().PageTitle, shownTitle);
        QCOMPARE(pageProject().MetaDescription, shownDescription);
        QVERIFY(isUsable(ScreenId::Step3));
        QVERIFY(!Screens::find(ScreenId::Step2)->isVisible());
        QVERIFY(!Screens::isOpen(ScreenId::Error5));
    } else {
        QCOMPARE(pageProject().PageTitle, QString());
        QCOMPARE(pageProject().MetaDescription, QString());
        QVERIFY(!Screens::isOpen(ScreenId::Step3));
        QVERIFY(!Screens::find(ScreenId::Step2)->isEnabled());
        CHECKED(closeMessage(ScreenId::Error5, true));
        QVERIFY(isUsable(ScreenId::Step2));
        QCOMPARE(boxText(descriptionBox), shownDescription);
    }
}

void TestWizardSteps::step2PrefillOnlyAtLoad()
{
    // Step 1 to step 2, back, a new phrase, forward: the boxes keep the first pre-fill, which is
    // then no longer the untouched pre-fill and is stored as typed.
    QVERIFY(showExposed(ScreenId::Step1));
    const char *const names[] = {"PrimaryKeywords", "Support1", "Support2", "Support3"};
    const QString first[] = {u"free software"_s, u"a"_s, u"b"_s, u"c"_s};
    for (int i = 0; i < 4; ++i)
        typeText(control<QLineEdit>(ScreenId::Step1, names[i]), first[i]);
    UiTest::click(ScreenId::Step1, "Command2");
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription")), u"free software - "_s);

    UiTest::click(ScreenId::Step2, "Command3");
    QVERIFY(isUsable(ScreenId::Step1));
    QVERIFY(!Screens::find(ScreenId::Step2)->isVisible());
    typeText(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords"), u"cheap games"_s);
    UiTest::click(ScreenId::Step1, "Command2");

    QVERIFY(isUsable(ScreenId::Step2));
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), u"free software - free software"_s);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription")), u"free software - "_s);

    UiTest::click(ScreenId::Step2, "Command2");
    QVERIFY(!Screens::isOpen(ScreenId::Error5));
    QCOMPARE(pageProject().MetaDescription, u"free software - "_s);
    QCOMPARE(pageProject().PageTitle, u"free software - free software"_s);
    QVERIFY(isUsable(ScreenId::Step3));
}

void TestWizardSteps::step2Analysis_data()
{
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");
    QTest::addColumn<QString>("selected"); // what the box shows selected afterwards

    QTest::newRow("twelve words, phrase three times, Alta Vista")
        << 0 << u"free software - Free software for search engines, download free software today"_s
        << u"Meta-Tag Description Statistics:\nYour total word count is 12. You used your Targeted Phrase 3 times."_s
        << u"\nFor Alta Vista:\nYou should use about 15 words.\nUse your Targeted Phrase 2 times in the Meta-Tag "
           "Description."_s
        << u" "_s;
    QTest::newRow("five words or fewer, phrase once, Lycos")
        << 5 << u"Get FREE SOFTWARE now"_s
        << u"Meta-Tag Description Statistics:\nYour total word count is 5 or less. You used your Targeted Phrase 1 "
           "time."_s
        << u"\nFor Lycos:\nYou should use about 25 words.\nUse your Targeted Phrase 3 times in the Meta-Tag "
           "Description."_s
        << u" "_s;
    QTest::newRow("phrase not found") << 1 << u"one two three four five six seven"_s
                                      << u"Meta-Tag Description Statistics:\nYour total word count is 7. You used "
                                         "your Targeted Phrase 0 times."_s
                                      << u"\nFor AOL:\nYou should use about 25 words.\nUse your Targeted Phrase 2 "
                                         "times in the Meta-Tag Description."_s
                                      << u" "_s;
}

void TestWizardSteps::step2Analysis()
{
    QFETCH(int, engine);
    QFETCH(QString, description);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);
    QFETCH(QString, selected);

    ApplyEngineProfile(pageProject(), engine);
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step2));
    auto *box = control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    typeText(box, description);

    // Twice in a row: the second report replaces the first.
    for (int press = 0; press < 2; ++press) {
        UiTest::click(ScreenId::Step2, "Command4");
        QCOMPARE(labelText(ScreenId::Step2, "Label12"), statistics);
        QCOMPARE(labelText(ScreenId::Step2, "Label10"), advice);
        QCOMPARE(box->textCursor().selectedText(), selected);
        QCOMPARE(selectionOf(box).first, description.lastIndexOf(u' '));
    }
    QVERIFY(isUsable(ScreenId::Step2));
    QCOMPARE(boxText(box), description);
    QCOMPARE(pageProject().MetaDescription, QString());
}

void TestWizardSteps::step2AnalysisRefusesUntouchedPrefill()
{
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step2));
    const QString statistics = labelText(ScreenId::Step2, "Label12");
    const QString advice = labelText(ScreenId::Step2, "Label10");
    UiTest::click(ScreenId::Step2, "Command4");

    QVERIFY(Screens::isOpen(ScreenId::Error5));
    QVERIFY(!Screens::find(ScreenId::Step2)->isEnabled());
    QCOMPARE(labelText(ScreenId::Step2, "Label12"), statistics);
    QCOMPARE(labelText(ScreenId::Step2, "Label10"), advice);
    CHECKED(closeMessage(ScreenId::Error5, false));
    QVERIFY(isUsable(ScreenId::Step2));

    // One more character and the analysis runs.
    auto *box = control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, u"x"_s);
    UiTest::click(ScreenId::Step2, "Command4");
    QVERIFY(!Screens::isOpen(ScreenId::Error5));
    QVERIFY(labelText(ScreenId::Step2, "Label12").startsWith(u"Meta-Tag Description Statistics:\n"_s));
}

void TestWizardSteps::step2PrefillOfALongPhraseIsWhole()
{
    const QString phrase = u"free software "_s.repeated(1428) + u"software"_s;
    QCOMPARE(phrase.size(), 20000);
    setPhrases(phrase);
    QVERIFY(showExposed(ScreenId::Step2));
    const QString title = phrase + u" - "_s + phrase;
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), title);

    typeText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription"), u"A description"_s);
    UiTest::click(ScreenId::Step2, "Command2");
    QVERIFY(isUsable(ScreenId::Step3));
    QCOMPARE(pageProject().PageTitle, title);
}

void TestWizardSteps::step2TitleLineBreakIsABlank()
{
    PageProject &project = pageProject();
    ApplyEngineProfile(project, 0);
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step2));
    auto *title = control<QLineEdit>(ScreenId::Step2, "SiteTitle");
    title->clear();
    CHECKED(paste(title, u"one\ntwo"_s));
    QCOMPARE(title->text(), u"one two"_s);
    typeText(control<QPlainTextEdit>(ScreenId::Step2, "MDescription"), u"A description"_s);
    UiTest::click(ScreenId::Step2, "Command2");
    QCOMPARE(project.PageTitle, u"one two"_s);

    // The page in the preview, which is what is saved, is the page built from the project.
    project.BodyText = u"Get free software now"_s;
    project.LinkText = u"free software - Click Here!"_s;
    StoreSettings(ApplyEngineDefaults(project.EngineName), project);
    QVERIFY(showExposed(ScreenId::Generator));
    PageProject copy = project;
    const QString built = BuildGatewayPage(copy);
    QVERIFY(built.contains(u"one two"_s));
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1")), built);
}

// ---- Step 3 ----------------------------------------------------------------------------------

void TestWizardSteps::step3Analysis_data()
{
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");
    QTest::addColumn<qsizetype>("selStart"); // in the "\r\n" text

    QTest::newRow("eight words, Hot Bot")
        << 3 << u"Get free software now and more free software"_s
        << u"Page Body Statistics:\nYour total word count is 8. You used your Targeted Phrase 2 times."_s
        << u"\nFor Hot Bot:\nYou should use about 250 words.\nUse your Targeted Phrase about 5 times in the body of "
           "your page."_s
        << qsizetype(35);
    QTest::newRow("the same words on two lines count 7")
        << 8 << u"Get free software now\r\nand more free software"_s
        << u"Page Body Statistics:\nYour total word count is 7. You used your Targeted Phrase 2 times."_s
        << u"\nFor Yahoo:\nYou should use 450 words.\nUse your Targeted Phrase about 5 times in the body of your "
           "page."_s
        << qsizetype(36);
    QTest::newRow("three blanks, AOL")
        << 1 << u"   "_s
        << u"Page Body Statistics:\nYour total word count is 5 or less. You used your Targeted Phrase 0 times."_s
        << u"\nFor AOL:\nYou should use about 325 words.\nUse your Targeted Phrase about 10 times in the body of "
           "your page."_s
        << qsizetype(2);
}

void TestWizardSteps::step3Analysis()
{
    QFETCH(int, engine);
    QFETCH(QString, body);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);
    QFETCH(qsizetype, selStart);

    ApplyEngineProfile(pageProject(), engine);
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step3));
    auto *box = control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    typeText(box, body);
    QCOMPARE(boxText(box), body);
    UiTest::click(ScreenId::Step3, "Command4");

    QCOMPARE(labelText(ScreenId::Step3, "lblCounter"), statistics);
    QCOMPARE(labelText(ScreenId::Step3, "lblCounter2"), advice);
    // The counting ends on the last blank it found, and the box shows it selected there.
    QCOMPARE(selectionOf(box), (QPair<qsizetype, qsizetype>(selStart, 1)));
    QCOMPARE(box->textCursor().selectedText(), u" "_s);
    QCOMPARE(pageProject().BodyText, QString());
}

void TestWizardSteps::step3Continue()
{
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step3));
    const QString statistics = labelText(ScreenId::Step3, "lblCounter");

    // Empty: both the analysis and Continue refuse.
    for (const char *button : {"Command4", "Command2"}) {
        UiTest::click(ScreenId::Step3, button);
        QVERIFY2(Screens::isOpen(ScreenId::Error8), button);
        QVERIFY(!Screens::find(ScreenId::Step3)->isEnabled());
        QVERIFY(!Screens::isOpen(ScreenId::Step4));
        QCOMPARE(labelText(ScreenId::Step3, "lblCounter"), statistics);
        CHECKED(closeMessage(ScreenId::Error8, false));
        QVERIFY(isUsable(ScreenId::Step3));
    }

    // Blanks are a body.
    typeText(control<QPlainTextEdit>(ScreenId::Step3, "PageBody"), u"  "_s);
    UiTest::click(ScreenId::Step3, "Command2");
    QCOMPARE(pageProject().BodyText, u"  "_s);
    QVERIFY(isUsable(ScreenId::Step4));
    QVERIFY(!Screens::find(ScreenId::Step3)->isVisible());
}

// ---- Step 4 ----------------------------------------------------------------------------------

void TestWizardSteps::step4HitCounter()
{
    setPhrases(u"free search engine software"_s);
    QVERIFY(showExposed(ScreenId::Step4));
    QCOMPARE(control<QLineEdit>(ScreenId::Step4, "txtLinkText")->text(),
             u"free search engine software - Click Here!"_s);

    auto *check = control<QCheckBox>(ScreenId::Step4, "chkHitCounter");
    auto *explanation = control<QLabel>(ScreenId::Step4, "Label1");
    auto *caption = control<QLabel>(ScreenId::Step4, "Label9");
    auto *counter = control<QPlainTextEdit>(ScreenId::Step4, "Text6");
    QCOMPARE(check->text(), u"Use a Hit Counter"_s);
    QVERIFY(!check->isChecked());
    QVERIFY(explanation->isVisible());
    QVERIFY(!caption->isVisible());
    QVERIFY(!counter->isVisible());
    QCOMPARE(boxText(counter), QString());

    UiTest::click(check);
    QVERIFY(check->isChecked());
    QVERIFY(!explanation->isVisible());
    QVERIFY(caption->isVisible());
    QVERIFY(counter->isVisible());
    // One place for either group.
    QCOMPARE(caption->geometry().top(), explanation->geometry().top());

    typeText(counter, u"<img src=\"counter.cgi\">\r\n<br>"_s);
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    QVERIFY(explanation->isVisible());
    QVERIFY(!caption->isVisible());
    QVERIFY(!counter->isVisible());
    QCOMPARE(boxText(counter), u"<img src=\"counter.cgi\">\r\n<br>"_s);
}

void TestWizardSteps::step4StoresWhatItShows()
{
    setPhrases(u"free software"_s);
    pageProject().UseHitCounter = u"Yes"_s;
    QVERIFY(showExposed(ScreenId::Step4));
    auto *check = control<QCheckBox>(ScreenId::Step4, "chkHitCounter");
    UiTest::click(check);
    typeText(control<QPlainTextEdit>(ScreenId::Step4, "Text6"), u"<!-- counter -->"_s);
    UiTest::click(check);
    // An empty link text is accepted without a word.
    typeText(control<QLineEdit>(ScreenId::Step4, "txtLinkText"), QString());
    UiTest::click(ScreenId::Step4, "Command2");

    QCOMPARE(pageProject().LinkText, QString());
    QCOMPARE(pageProject().HitCounterHtml, u"<!-- counter -->"_s);
    QCOMPARE(pageProject().UseHitCounter, QString());
    QVERIFY(isUsable(ScreenId::Step5));
    QVERIFY(!Screens::find(ScreenId::Step4)->isVisible());

    UiTest::click(ScreenId::Step5, "Command3");
    QVERIFY(isUsable(ScreenId::Step4));
    UiTest::click(check);
    typeText(control<QLineEdit>(ScreenId::Step4, "txtLinkText"), u"Enter"_s);
    UiTest::click(ScreenId::Step4, "Command2");
    QCOMPARE(pageProject().LinkText, u"Enter"_s);
    QCOMPARE(pageProject().UseHitCounter, u"Yes"_s);
}

// ---- Step 5 ----------------------------------------------------------------------------------

void TestWizardSteps::step5OpensWithEngineDefaults_data()
{
    QTest::addColumn<QString>("engine");

    QTest::newRow("Alta Vista") << u"Alta Vista"_s;
    QTest::newRow("AOL") << u"AOL"_s;
    QTest::newRow("Excite: no meta tags, title exploit") << u"Excite"_s;
    QTest::newRow("Yahoo") << u"Yahoo"_s;
}

void TestWizardSteps::step5OpensWithEngineDefaults()
{
    QFETCH(QString, engine);

    pageProject().EngineName = engine;
    QVERIFY(showExposed(ScreenId::Step5));
    const SettingsScreenState recommended = ApplyEngineDefaults(engine);
    QCOMPARE(shownSettings(), recommended);
    auto *button = control<QPushButton>(ScreenId::Step5, "Command4");
    QVERIFY(button);
    QCOMPARE(button->text(), u"Set "_s + engine + u" Defaults"_s);
    QCOMPARE(labelText(ScreenId::Step5, "Label1"),
             u"Here are the Rankwright Assistant settings. Select the options you want to include, then click the "
             "arrow button to finish your gateway page. The default settings are what we suggest for "_s +
                 engine + u"."_s);
    QCOMPARE(control<QComboBox>(ScreenId::Step5, "Combo1")->currentText(),
             (QStringList{u"Very Sensative"_s, u"Moderate"_s, u"Low"_s}).at(recommended.spamDetectionPosition));
    QCOMPARE(control<QComboBox>(ScreenId::Step5, "Combo2")->currentText(),
             (QStringList{u"Low"_s, u"Moderate"_s, u"High"_s}).at(recommended.frequencyPosition));
}

void TestWizardSteps::step5ColumnsInScreenOrder()
{
    pageProject().EngineName = u"Lycos"_s;
    QWidget *window = showExposed(ScreenId::Step5);
    QVERIFY(window);
    auto at = [window](const char *name) {
        QWidget *widget = window->findChild<QWidget *>(QLatin1String(name));
        return widget ? widget->mapTo(window, QPoint()) : QPoint(-1, -1);
    };
    const QList<QList<const char *>> columns = {
        {"Check1", "Check2", "Check4", "Check3", "Check5"},
        {"Check7", "Check6", "Check8", "Check10", "Check9"},
        {"Combo1", "Combo2"},
    };
    for (const auto &column : columns) {
        for (qsizetype i = 1; i < column.size(); ++i) {
            QCOMPARE(at(column.at(i)).x(), at(column.first()).x());
            QVERIFY2(at(column.at(i)).y() > at(column.at(i - 1)).y(), column.at(i));
        }
    }
    QVERIFY(at("Check1").x() < at("Check7").x());
    QVERIFY(at("Check7").x() < at("Combo1").x());
    // The introduction at the top left, its button beside it.
    QVERIFY(at("Label1").y() < at("Check1").y());
    QVERIFY(at("Command4").x() > at("Label1").x());
    QVERIFY(at("Command4").y() < at("Check1").y());
}

void TestWizardSteps::step5DefaultsButtonRestoresWithoutStoring()
{
    pageProject().EngineName = u"Alta Vista"_s;
    QVERIFY(showExposed(ScreenId::Step5));
    const SettingsScreenState defaults = shownSettings();
    UiTest::click(control<QCheckBox>(ScreenId::Step5, "Check1"));
    UiTest::click(control<QCheckBox>(ScreenId::Step5, "Check7"));
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step5, "Combo2"), 0));
    QVERIFY(shownSettings() != defaults);

    UiTest::click(ScreenId::Step5, "Command4");
    QCOMPARE(shownSettings(), defaults);
    QCOMPARE(labelText(ScreenId::Step5, "Label1"),
             u"The default settings have been set. The default settings are what we suggest for Alta Vista."_s);
    QCOMPARE(pageProject().UseMetaDescription, QString());
    QCOMPARE(pageProject().FrequencyLevel, QString());
    QVERIFY(isUsable(ScreenId::Step5));
}

void TestWizardSteps::step5ContinueStoresSettings()
{
    PageProject &project = pageProject();
    project.EngineName = u"AOL"_s;
    setPhrases(u"free software"_s);
    QVERIFY(showExposed(ScreenId::Step5));
    // Uncheck Check5 and check Check7; everything else as recommended for AOL.
    UiTest::click(control<QCheckBox>(ScreenId::Step5, "Check5"));
    UiTest::click(control<QCheckBox>(ScreenId::Step5, "Check7"));
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step5, "Combo1"), 2));
    UiTest::click(ScreenId::Step5, "Command2");

    const QString on = u"Yes"_s;
    const QString off;
    const QStringList flags = {project.UseMetaDescription,  project.UseMetaKeywords,       project.UseCommentTags,
                               project.UseAltTags,          project.UseHiddenTags,         project.UseTopBottomSpam,
                               project.UseFrequencyExploit, project.UseHiddenExternalLink, project.UseAutoForward,
                               project.UseTitleMetaExploit};
    QCOMPARE(flags, (QStringList{on, on, on, on, off, on, on, off, on, off}));
    QCOMPARE(project.FrequencyLevel, u"2"_s);
    QCOMPARE(project.SpamDetectionLevel, u"2"_s);
    // Level "2": three rounds of the four phrases.
    QCOMPARE(project.KeywordBlock.count(u"free software"_s), 3);
    // And the arrow moves on to the generator.
    QVERIFY(isUsable(ScreenId::Generator));
    QVERIFY(!Screens::find(ScreenId::Step5)->isVisible());
}

void TestWizardSteps::step5TypedLevelIsNoSelection()
{
    PageProject &project = pageProject();
    project.EngineName = u"Excite"_s;
    project.KeywordBlock = u"earlier block"_s;
    QVERIFY(showExposed(ScreenId::Step5));
    auto *spam = control<QComboBox>(ScreenId::Step5, "Combo1");
    auto *frequency = control<QComboBox>(ScreenId::Step5, "Combo2");
    typeText(spam->lineEdit(), u"Sometimes"_s);
    typeText(frequency->lineEdit(), u"Highest"_s);
    QCOMPARE(spam->currentIndex(), -1);
    QCOMPARE(frequency->currentIndex(), -1);
    UiTest::click(ScreenId::Step5, "Command2");

    // What the user typed stays in view; it is no choice, so both levels are empty.
    QCOMPARE(spam->currentText(), u"Sometimes"_s);
    QCOMPARE(frequency->currentText(), u"Highest"_s);
    QCOMPARE(project.SpamDetectionLevel, QString());
    QCOMPARE(project.FrequencyLevel, QString());
    QCOMPARE(project.KeywordBlock, u"earlier block"_s);
    QCOMPARE(project.UseTitleMetaExploit, u"Yes"_s);
    QCOMPARE(project.UseMetaDescription, QString());
}

void TestWizardSteps::step5TypedTextIsNeverAPick_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("leaveBy"); // "Tab", "Return" or "" (stay in the field)
    QTest::addColumn<QByteArray>("arrowBy"); // "mouse", "keyboard" or "accessibility"

    auto row = [](const char *tag, const char *list, const QString &typed, const char *leaveBy, const char *arrowBy) {
        QTest::newRow(tag) << QByteArray(list) << typed << QByteArray(leaveBy) << QByteArray(arrowBy);
    };
    row("low in Combo1, Tab, mouse", "Combo1", u"low"_s, "Tab", "mouse");
    row("Very in Combo1, Return, keyboard", "Combo1", u"Very"_s, "Return", "keyboard");
    row("Mod in Combo1, Tab, accessibility", "Combo1", u"Mod"_s, "Tab", "accessibility");
    row("Mod in Combo1, mouse", "Combo1", u"Mod"_s, "", "mouse");
    row("Low in Combo1 is an entry, Return, mouse", "Combo1", u"Low"_s, "Return", "mouse");
    row("Very Sensative in Combo1 is an entry, Tab, keyboard", "Combo1", u"Very Sensative"_s, "Tab", "keyboard");
    row("h in Combo2, mouse", "Combo2", u"h"_s, "", "mouse");
    row("h in Combo2, keyboard", "Combo2", u"h"_s, "", "keyboard");
    row("h in Combo2, accessibility", "Combo2", u"h"_s, "", "accessibility");
    row("Mod in Combo2, Tab, mouse", "Combo2", u"Mod"_s, "Tab", "mouse");
    row("moderate in Combo2, another case of an entry, Return, keyboard", "Combo2", u"moderate"_s, "Return",
        "keyboard");
    row("High in Combo2 is an entry, Return, accessibility", "Combo2", u"High"_s, "Return", "accessibility");
}

void TestWizardSteps::step5TypedTextIsNeverAPick()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, typed);
    QFETCH(QByteArray, leaveBy);
    QFETCH(QByteArray, arrowBy);

    PageProject &project = pageProject();
    project.EngineName = u"Excite"_s;
    setPhrases(u"free software"_s);
    project.KeywordBlock = u"earlier block"_s;
    QVERIFY(showActive(ScreenId::Step5));
    auto *typedList = control<QComboBox>(ScreenId::Step5, list.constData());
    QVERIFY(typedList);
    typeText(typedList->lineEdit(), typed);
    if (leaveBy == "Tab")
        QTest::keyClick(typedList->lineEdit(), Qt::Key_Tab);
    else if (leaveBy == "Return")
        QTest::keyClick(typedList->lineEdit(), Qt::Key_Return);

    auto *arrow = control<QToolButton>(ScreenId::Step5, "Command2");
    if (arrowBy == "mouse") {
        UiTest::click(arrow);
    } else if (arrowBy == "keyboard") {
        arrow->setFocus();
        QTest::keyClick(arrow, Qt::Key_Space);
    } else {
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(arrow);
        QVERIFY(button && button->actionInterface());
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QTRY_VERIFY(Screens::isOpen(ScreenId::Generator));

    // What was typed chose nothing: that level is empty, and it stays in view as typed. The other
    // list holds the engine's recommendation, and the keyword block follows the spam detection.
    const SettingsScreenState recommended = ApplyEngineDefaults(u"Excite"_s);
    if (list == "Combo1") {
        QCOMPARE(project.SpamDetectionLevel, QString());
        QCOMPARE(project.FrequencyLevel, QString::number(recommended.frequencyPosition));
        QCOMPARE(project.KeywordBlock, u"earlier block"_s);
    } else {
        QCOMPARE(project.FrequencyLevel, QString());
        QCOMPARE(project.SpamDetectionLevel, QString::number(recommended.spamDetectionPosition));
        PageProject derived = project;
        BuildKeywordBlock(derived);
        QCOMPARE(project.KeywordBlock, derived.KeywordBlock);
        QVERIFY(project.KeywordBlock.startsWith(u"free software download"_s));
    }
    QCOMPARE(typedList->currentIndex(), -1);
    QCOMPARE(typedList->currentText(), typed);
}

void TestWizardSteps::step5PickedLevelIsStored_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<QByteArray>("pickBy"); // "mouse", "Down" or "Up"
    QTest::addColumn<int>("position");      // where the mouse picks; for the keys, -1: one from
                                            // the engine's recommendation

    QTest::newRow("mouse on Very Sensative in Combo1") << QByteArray("Combo1") << QString() << QByteArray("mouse") << 0;
    QTest::newRow("mouse on Low in Combo2") << QByteArray("Combo2") << QString() << QByteArray("mouse") << 0;
    QTest::newRow("Down from the recommendation in Combo1")
        << QByteArray("Combo1") << QString() << QByteArray("Down") << -1;
    QTest::newRow("Up from the recommendation in Combo2")
        << QByteArray("Combo2") << QString() << QByteArray("Up") << -1;
    QTest::newRow("mouse on Low in Combo1 after typing it")
        << QByteArray("Combo1") << u"Low"_s << QByteArray("mouse") << 2;
    QTest::newRow("Down after typed text in Combo2, the first entry")
        << QByteArray("Combo2") << u"Hig"_s << QByteArray("Down") << 0;
}

void TestWizardSteps::step5PickedLevelIsStored()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, typedFirst);
    QFETCH(QByteArray, pickBy);
    QFETCH(int, position);

    PageProject &project = pageProject();
    project.EngineName = u"Excite"_s;
    setPhrases(u"free software"_s);
    QVERIFY(showActive(ScreenId::Step5));
    auto *picked = control<QComboBox>(ScreenId::Step5, list.constData());
    QVERIFY(picked);
    if (position < 0) {
        const SettingsScreenState recommended = ApplyEngineDefaults(u"Excite"_s);
        position = (list == "Combo1" ? recommended.spamDetectionPosition : recommended.frequencyPosition) +
                   (pickBy == "Down" ? 1 : -1);
        QVERIFY(position >= 0 && position < picked->count());
    }
    if (!typedFirst.isEmpty()) {
        typeText(picked->lineEdit(), typedFirst);
        QCOMPARE(picked->currentIndex(), -1);
    }
    if (pickBy == "mouse") {
        CHECKED(UiTest::pick(picked, position));
    } else {
        picked->lineEdit()->setFocus();
        QTest::keyClick(picked->lineEdit(), pickBy == "Down" ? Qt::Key_Down : Qt::Key_Up);
    }
    QCOMPARE(picked->currentIndex(), position);
    QCOMPARE(picked->currentText(), picked->itemText(position));
    UiTest::click(ScreenId::Step5, "Command2");

    QCOMPARE(list == "Combo1" ? project.SpamDetectionLevel : project.FrequencyLevel, QString::number(position));
}

void TestWizardSteps::step5TypingOverAPick()
{
    pageProject().EngineName = u"Excite"_s;
    setPhrases(u"free software"_s);
    QVERIFY(showActive(ScreenId::Step5));
    auto *frequency = control<QComboBox>(ScreenId::Step5, "Combo2");
    QLineEdit *field = frequency->lineEdit();
    CHECKED(UiTest::pick(frequency, 2));
    QCOMPARE(frequency->currentText(), u"High"_s);

    // A letter typed into the picked "High": no entry is chosen, the text and the cursor stay.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClicks(field, u"x"_s);
    QCOMPARE(frequency->currentIndex(), -1);
    QCOMPARE(field->text(), u"Hixgh"_s);
    QCOMPARE(field->cursorPosition(), 3);
    QTest::keyClicks(field, u"y"_s);
    QCOMPARE(field->text(), u"Hixygh"_s);
    QCOMPARE(field->cursorPosition(), 4);

    // Typed back to the entry's text, it is still typed, not picked.
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), u"High"_s);
    QCOMPARE(frequency->currentIndex(), -1);
    UiTest::click(ScreenId::Step5, "Command2");
    QCOMPARE(pageProject().FrequencyLevel, QString());
    QCOMPARE(pageProject().SpamDetectionLevel, QString::number(ApplyEngineDefaults(u"Excite"_s).spamDetectionPosition));
}

void TestWizardSteps::step5KeyboardInTheOpenListPicks()
{
    pageProject().EngineName = u"Excite"_s;
    setPhrases(u"free software"_s);
    QVERIFY(showActive(ScreenId::Step5));
    auto *spam = control<QComboBox>(ScreenId::Step5, "Combo1");
    QAbstractItemView *view = spam->view();
    typeText(spam->lineEdit(), u"xyz"_s);

    // Opened from the field; Escape closes it and chooses nothing.
    QTest::keyClick(spam->lineEdit(), Qt::Key_F4);
    QTRY_VERIFY(view->isVisible());
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(spam->currentIndex(), -1);
    QCOMPARE(spam->currentText(), u"xyz"_s);

    // Typing in the open list goes to the entry it starts; Return picks it.
    QTest::keyClick(spam->lineEdit(), Qt::Key_F4);
    QTRY_VERIFY(view->isVisible());
    QTest::keyClicks(view, u"L"_s);
    QCOMPARE(view->currentIndex().row(), 2);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(spam->currentIndex(), 2);
    QCOMPARE(spam->currentText(), u"Low"_s);
    UiTest::click(ScreenId::Step5, "Command2");
    QCOMPARE(pageProject().SpamDetectionLevel, u"2"_s);
}

// ---- Line boxes ------------------------------------------------------------------------------

void TestWizardSteps::lineBoxesHoldOneLineOfAnyLength_data()
{
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("step 0 Combo1") << ScreenId::Step0 << QByteArray("Combo1");
    QTest::newRow("step 0 txtUrl1") << ScreenId::Step0 << QByteArray("txtUrl1");
    QTest::newRow("step 1 PrimaryKeywords") << ScreenId::Step1 << QByteArray("PrimaryKeywords");
    QTest::newRow("step 1 Support1") << ScreenId::Step1 << QByteArray("Support1");
    QTest::newRow("step 1 Support2") << ScreenId::Step1 << QByteArray("Support2");
    QTest::newRow("step 1 Support3") << ScreenId::Step1 << QByteArray("Support3");
    QTest::newRow("step 2 SiteTitle") << ScreenId::Step2 << QByteArray("SiteTitle");
    QTest::newRow("step 4 txtLinkText") << ScreenId::Step4 << QByteArray("txtLinkText");
    QTest::newRow("step 5 Combo1") << ScreenId::Step5 << QByteArray("Combo1");
    QTest::newRow("step 5 Combo2") << ScreenId::Step5 << QByteArray("Combo2");
}

void TestWizardSteps::lineBoxesHoldOneLineOfAnyLength()
{
    QFETCH(ScreenId, screen);
    QFETCH(QByteArray, name);

    // Every kind of line break, CR LF as one; then more than Qt's default limit of 32,767.
    const QString tail = u"0123456789"_s.repeated(4000);
    const QString withBreaks = u"a\r\nb\rc\nd\u2028e\u2029f\n\r"_s + tail;
    const QString oneLine = u"a b c d e f  "_s + tail;

    pageProject().EngineName = u"Yahoo"_s;
    setPhrases(u"free software"_s);
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
}

// ---- Back ----------------------------------------------------------------------------------

void TestWizardSteps::backStoresNothing()
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

// ---- Moving through the wizard -------------------------------------------------------------

void TestWizardSteps::backAndForwardKeepEntries()
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

void TestWizardSteps::closingAStepReturnsToTheMenuAndResets()
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

void TestWizardSteps::quitAnsweredNo_data()
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

void TestWizardSteps::quitAnsweredNo()
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

void TestWizardSteps::quitAnsweredNoThenTheLaterEntriesMakeThePage()
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

void TestWizardSteps::quitAnsweredYes_data()
{
    QTest::addColumn<ScreenId>("step");
    QTest::newRow("step 0") << ScreenId::Step0;
    QTest::newRow("step 2") << ScreenId::Step2;
    QTest::newRow("step 5") << ScreenId::Step5;
}

void TestWizardSteps::quitAnsweredYes()
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

void TestWizardSteps::newRunAppliesDefaultsAgain()
{
    CHECKED(walkTo(ScreenId::Step4));
    CHECKED(completeStep(ScreenId::Step4));
    for (int i = 1; i <= 10; ++i) {
        auto *box = control<QCheckBox>(ScreenId::Step5, qPrintable(u"Check%1"_s.arg(i)));
        if (box->isChecked())
            UiTest::click(box);
    }
    SettingsScreenState unchecked = ApplyEngineDefaults(u"Alta Vista"_s);
    unchecked.checks = {};
    QCOMPARE(shownSettings(), unchecked);
    UiTest::click(ScreenId::Step5, "Command1");
    UiTest::click(ScreenId::Quit1, "Command1");
    QVERIFY(openSteps().isEmpty());

    // The engine is kept; everything the first run typed is still in the project, not on screen.
    CHECKED(walkTo(ScreenId::Step4));
    QCOMPARE(control<QLineEdit>(ScreenId::Step4, "txtLinkText")->text(), u"free software - Click Here!"_s);
    CHECKED(completeStep(ScreenId::Step4));
    QCOMPARE(shownSettings(), ApplyEngineDefaults(u"Alta Vista"_s));
    QCOMPARE(labelText(ScreenId::Step5, "Label1"), settingsIntroText(u"Alta Vista"_s));
}

void TestWizardSteps::settingsButtonFollowsTheEngine()
{
    CHECKED(walkTo(ScreenId::Step4));
    CHECKED(completeStep(ScreenId::Step4));
    auto *button = control<QPushButton>(ScreenId::Step5, "Command4");
    QCOMPARE(button->text(), u"Set Alta Vista Defaults"_s);
    UiTest::click(ScreenId::Step5, "Check3");
    const SettingsScreenState chosen = shownSettings();
    const QString intro = labelText(ScreenId::Step5, "Label1");

    // Back to the target, another engine, and forward again over the kept entries.
    for (ScreenId step : {ScreenId::Step5, ScreenId::Step4, ScreenId::Step3, ScreenId::Step2, ScreenId::Step1})
        UiTest::click(step, "Command3");
    QVERIFY(isUsable(ScreenId::Step0));
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step0, "Combo1"), 2));
    QCOMPARE(pageProject().EngineName, u"Excite"_s);
    for (ScreenId step : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4})
        UiTest::click(step, "Command2");

    QVERIFY(isUsable(ScreenId::Step5));
    QCOMPARE(button->text(), u"Set Excite Defaults"_s);
    QCOMPARE(shownSettings(), chosen);
    QCOMPARE(labelText(ScreenId::Step5, "Label1"), intro);

    QVERIFY(chosen != ApplyEngineDefaults(u"Excite"_s));
    UiTest::click(button);
    QCOMPARE(shownSettings(), ApplyEngineDefaults(u"Excite"_s));
    QCOMPARE(labelText(ScreenId::Step5, "Label1"),
             u"The default settings have been set. The default settings are what we suggest for Excite."_s);
}

void TestWizardSteps::generatorBackFindsSettingsAsLeft()
{
    CHECKED(walkTo(ScreenId::Step4));
    CHECKED(completeStep(ScreenId::Step4));
    UiTest::click(ScreenId::Step5, "Check8");
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step5, "Combo2"), 0));
    const SettingsScreenState chosen = shownSettings();
    UiTest::click(ScreenId::Step5, "Command2");
    QVERIFY(isUsable(ScreenId::Generator));
    QVERIFY(!Screens::find(ScreenId::Step5)->isVisible());
    QCOMPARE(pageProject().UseHiddenExternalLink, u"Yes"_s);
    QCOMPARE(pageProject().FrequencyLevel, u"0"_s);
    QVERIFY(chosen.checks[0]);
    const QString firstPage = boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1"));
    const QString descriptionTag = u"<META name = \"description\""_s;
    QVERIFY(firstPage.contains(descriptionTag));

    UiTest::click(ScreenId::Generator, "Command3");
    QVERIFY(isUsable(ScreenId::Step5));
    QVERIFY(!Screens::isOpen(ScreenId::Generator));
    QCOMPARE(shownSettings(), chosen);
    QCOMPARE(control<QPushButton>(ScreenId::Step5, "Command4")->text(), u"Set Alta Vista Defaults"_s);
    QCOMPARE(labelText(ScreenId::Step5, "Label1"), settingsIntroText(u"Alta Vista"_s));

    // One option changed, and the arrow again: a new generator with a page built with it.
    UiTest::click(ScreenId::Step5, "Check1");
    PageProject expected = pageProject();
    StoreSettings(shownSettings(), expected);
    BuildKeywordBlock(expected);
    UiTest::click(ScreenId::Step5, "Command2");
    QVERIFY(isUsable(ScreenId::Generator));
    QCOMPARE(pageProject().UseMetaDescription, QString());
    const QString secondPage = boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1"));
    QVERIFY(!secondPage.contains(descriptionTag));
    QCOMPARE(secondPage, BuildGatewayPage(expected));
}

void TestWizardSteps::keywordTipsKeepThePhrases()
{
    CHECKED(walkTo(ScreenId::Step1));
    typeText(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords"), u"free software"_s);
    typeText(control<QLineEdit>(ScreenId::Step1, "Support2"), u"freeware"_s);
    UiTest::click(ScreenId::Step1, "Command4");
    QVERIFY(isUsable(ScreenId::KeyWordTips));
    QVERIFY(!Screens::find(ScreenId::Step1)->isVisible());

    CHECKED(closeByCloseControl(ScreenId::KeyWordTips));
    UiTest::settle();
    QVERIFY(isUsable(ScreenId::Step1));
    QCOMPARE(control<QLineEdit>(ScreenId::Step1, "PrimaryKeywords")->text(), u"free software"_s);
    QCOMPARE(control<QLineEdit>(ScreenId::Step1, "Support2")->text(), u"freeware"_s);
    QCOMPARE(pageProject().TargetedPhrase, QString());
    QVERIFY(openSteps() == (QList<ScreenId>{ScreenId::Step0, ScreenId::Step1}));
}

QTEST_MAIN(TestWizardSteps)
#include "tst_wizardsteps.moc"
