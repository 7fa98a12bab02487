// Step 4, link text and hit counter: what it shows and stores.
#include "uitest.h"

#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::control;
using UiTest::isUsable;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep4 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void hitCounter();
    void storesWhatItShows();
};

void TestStep4::hitCounter()
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

void TestStep4::storesWhatItShows()
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

QTEST_MAIN(TestStep4)
#include "tst_step4.moc"
