// Step 3, the page body: its analysis and Continue.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep3 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void analysis_data();
    void analysis();
    void continueRefusesOrStores();
};

void TestStep3::analysis_data()
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

void TestStep3::analysis()
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

void TestStep3::continueRefusesOrStores()
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

QTEST_MAIN(TestStep3)
#include "tst_step3.moc"
