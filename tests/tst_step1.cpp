// Step 1, the phrases: what Continue refuses and stores, pasted phrases, the keyword tips.
#include "uitest.h"

#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::closeByCloseControl;
using UiTest::control;
using UiTest::isUsable;
using UiTest::paste;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void refusesAnyEmptyBox_data();
    void refusesAnyEmptyBox();
    void storesPhrasesAndStep2Prefills();
    void keepsAPastedPhraseWhole();
    void pastedLineBreakIsABlank();
    void keywordTipsKeepThePhrases();
};

void TestStep1::refusesAnyEmptyBox_data()
{
    QTest::addColumn<QStringList>("phrases"); // PrimaryKeywords, Support1, Support2, Support3

    QTest::newRow("targeted phrase empty") << QStringList{{}, u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("only Support1 empty") << QStringList{u"free software"_s, {}, u"b"_s, u"c"_s};
    QTest::newRow("only Support3 empty") << QStringList{u"free software"_s, u"a"_s, u"b"_s, {}};
    QTest::newRow("all empty") << QStringList{{}, {}, {}, {}};
}

void TestStep1::refusesAnyEmptyBox()
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

void TestStep1::storesPhrasesAndStep2Prefills()
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

void TestStep1::keepsAPastedPhraseWhole()
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

void TestStep1::pastedLineBreakIsABlank()
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

void TestStep1::keywordTipsKeepThePhrases()
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

QTEST_MAIN(TestStep1)
#include "tst_step1.moc"
