// Step 0, the target: the engine list, the address, what Continue refuses and stores.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "wizardtest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::showActive;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep0 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void startsWithNothingPicked();
    void pickSetsEngineAndHelp_data();
    void pickSetsEngineAndHelp();
    void arrowKeysPick();
    void typingPicksNothing_data();
    void typingPicksNothing();
    void refusals_data();
    void refusals();
    void storesAddressAsTyped_data();
    void storesAddressAsTyped();
    void acceptsEngineChosenEarlier();
};

void TestStep0::startsWithNothingPicked()
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

void TestStep0::pickSetsEngineAndHelp_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("engineName");
    QTest::addColumn<QString>("descPhraseAdvice");

    QTest::newRow("Aol is stored as AOL") << 1 << u"AOL"_s << u"2 times"_s;
    QTest::newRow("HotBot is stored as Hot Bot") << 3 << u"Hot Bot"_s << u"2 times"_s;
    QTest::newRow("Lycos advises 3 times") << 5 << u"Lycos"_s << u"3 times"_s;
}

void TestStep0::pickSetsEngineAndHelp()
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

void TestStep0::arrowKeysPick()
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

void TestStep0::typingPicksNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::Key>("finishingKey");

    QTest::newRow("an entry, Return") << u"Lycos"_s << Qt::Key_Return;
    QTest::newRow("an entry, Tab away") << u"Lycos"_s << Qt::Key_Tab;
    QTest::newRow("an entry in small letters, Return") << u"lycos"_s << Qt::Key_Return;
    QTest::newRow("an entry in capitals, Tab away") << u"ALTA VISTA"_s << Qt::Key_Tab;
    QTest::newRow("the start of an entry, Tab away") << u"Mag"_s << Qt::Key_Tab;
}

void TestStep0::typingPicksNothing()
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

void TestStep0::refusals_data()
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

void TestStep0::refusals()
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

void TestStep0::storesAddressAsTyped_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("default in capitals") << u"HTTP://"_s;
    QTest::newRow("default after a blank") << u" http://"_s;
    QTest::newRow("no http:// prefix") << u"www.example.com"_s;
    QTest::newRow("trailing blank kept") << u"http://www.example.com "_s;
}

void TestStep0::storesAddressAsTyped()
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

void TestStep0::acceptsEngineChosenEarlier()
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

QTEST_MAIN(TestStep0)
#include "tst_step0.moc"
