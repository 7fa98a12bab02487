// Step 5, the settings: the engine's recommended values, the level lists, what the arrow
// stores, and how the settings follow the engine over later runs and the generator's Back.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "core/settings.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::showActive;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep5 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void opensWithEngineDefaults_data();
    void opensWithEngineDefaults();
    void columnsInScreenOrder();
    void defaultsButtonRestoresWithoutStoring();
    void continueStoresSettings();
    void typedLevelIsNoSelection();
    void typedTextIsNeverAPick_data();
    void typedTextIsNeverAPick();
    void pickedLevelIsStored_data();
    void pickedLevelIsStored();
    void typingOverAPick();
    void keyboardInTheOpenListPicks();
    void newRunAppliesDefaultsAgain();
    void settingsButtonFollowsTheEngine();
    void generatorBackFindsSettingsAsLeft();
};

void TestStep5::opensWithEngineDefaults_data()
{
    QTest::addColumn<QString>("engine");

    QTest::newRow("Alta Vista") << u"Alta Vista"_s;
    QTest::newRow("AOL") << u"AOL"_s;
    QTest::newRow("Excite: no meta tags, title exploit") << u"Excite"_s;
    QTest::newRow("Yahoo") << u"Yahoo"_s;
}

void TestStep5::opensWithEngineDefaults()
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

void TestStep5::columnsInScreenOrder()
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

void TestStep5::defaultsButtonRestoresWithoutStoring()
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

void TestStep5::continueStoresSettings()
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

void TestStep5::typedLevelIsNoSelection()
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

void TestStep5::typedTextIsNeverAPick_data()
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

void TestStep5::typedTextIsNeverAPick()
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

void TestStep5::pickedLevelIsStored_data()
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

void TestStep5::pickedLevelIsStored()
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

void TestStep5::typingOverAPick()
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

void TestStep5::keyboardInTheOpenListPicks()
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

void TestStep5::newRunAppliesDefaultsAgain()
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

void TestStep5::settingsButtonFollowsTheEngine()
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

void TestStep5::generatorBackFindsSettingsAsLeft()
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

QTEST_MAIN(TestStep5)
#include "tst_step5.moc"
