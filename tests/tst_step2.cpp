// Step 2, title and description: the pre-fills, Continue, and the description's analysis.
#include "uitest.h"

#include "core/engineprofiles.h"
#include "core/settings.h"
#include "generator/gatewaypage.h"
#include "ui/controls/boxtexts.h"
#include "wizardtest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;
using namespace WizardTest;

using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::paste;
using UiTest::showExposed;
using UiTest::typeText;

class TestStep2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init() { UiTest::startFresh(); }
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void continueRefusesOrStores_data();
    void continueRefusesOrStores();
    void prefillOnlyAtLoad();
    void analysis_data();
    void analysis();
    void analysisRefusesUntouchedPrefill();
    void prefillOfALongPhraseIsWhole();
    void titleLineBreakIsABlank();
};

void TestStep2::continueRefusesOrStores_data()
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

void TestStep2::continueRefusesOrStores()
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

void TestStep2::prefillOnlyAtLoad()
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

void TestStep2::analysis_data()
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

void TestStep2::analysis()
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

void TestStep2::analysisRefusesUntouchedPrefill()
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

void TestStep2::prefillOfALongPhraseIsWhole()
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

void TestStep2::titleLineBreakIsABlank()
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

QTEST_MAIN(TestStep2)
#include "tst_step2.moc"
