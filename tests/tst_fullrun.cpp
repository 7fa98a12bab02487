#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "core/settings.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "ui/controls/boxtexts.h"
#include "ui/windows/frmsplash.h"
#include "uitest.h"
#include "xdgfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::StringLiterals;

using UiTest::control;
using UiTest::isUsable;
using UiTest::labelText;
using UiTest::readFile;
using UiTest::typeAtEnd;
using UiTest::typeText;

namespace {

const int Yahoo = 8;

// What the user enters in one run, and so what the page is built from.
struct Entries
{
    QString address;
    QStringList phrases;      // targeted, then the three support phrases
    QString descriptionTyped; // typed after the pre-filled description
    QStringList bodyLines;
    QString hitCounter; // empty: no hit counter
};

// Continue on a step: the next one comes up usable and the step hides.
void continueTo(ScreenId step, ScreenId next)
{
    UiTest::click(step, "Command2");
    QVERIFY2(isUsable(next), "the next window did not come up");
    QVERIFY(!Screens::find(step)->isVisible());
}

// The page the generator must show for these entries, built from scratch: the engine's
// profile, what was typed and the pre-fills, and the settings as left on step 5.
QString expectedPage(const Entries &e, const SettingsScreenState &settings)
{
    PageProject p;
    ApplyEngineProfile(p, Yahoo);
    p.SiteUrl = e.address;
    p.TargetedPhrase = p.MatchPhrase = e.phrases.at(0);
    p.SupportPhrase1 = e.phrases.at(1);
    p.SupportPhrase2 = e.phrases.at(2);
    p.SupportPhrase3 = e.phrases.at(3);
    p.KeywordList = e.phrases.join(u", "_s);
    p.PageTitle = e.phrases.at(0) + u" - "_s + e.phrases.at(0);
    p.MetaDescription = e.phrases.at(0) + u" - "_s + e.descriptionTyped;
    p.BodyText = e.bodyLines.join(u"\r\n"_s);
    p.LinkText = e.phrases.at(0) + u" - Click Here!"_s;
    p.UseHitCounter = flagText(!e.hitCounter.isEmpty());
    p.HitCounterHtml = e.hitCounter;
    StoreSettings(settings, p);
    BuildKeywordBlock(p);
    return BuildGatewayPage(p);
}

} // namespace

// One user, two pages: the program from its splash through every wizard step to the generator,
// then a second page after the wizard was left, through the real windows only.
class tst_FullRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void twoPagesThroughEveryWindow();
    void keyboardAlone();

private:
    void startProgram();
    void walkToSettings(const Entries &entries, bool pickEngine);
    void analyseAndSave(const QString &page, const QString &path);

    std::unique_ptr<XdgFixture> m_desktop;
    QTemporaryDir m_folder;
};

void tst_FullRun::initTestCase()
{
    // A private desktop, so the save dialog's remembered folders stay out of the user's settings.
    m_desktop = std::make_unique<XdgFixture>();
    QVERIFY2(m_desktop->isValid(), qPrintable(m_desktop->errorString()));
    QVERIFY(!m_desktop->installRecordingBrowser().isEmpty());
    m_desktop->applyToThisProcess();
    QVERIFY(m_folder.isValid());
    UiTest::initApplication();
    UiTest::startFresh();
}

void tst_FullRun::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void tst_FullRun::startProgram()
{
    frmSplash::setDurationForTests(50);
    QWidget *splash = Screens::show(ScreenId::Splash);
    QVERIFY(splash && QTest::qWaitForWindowExposed(splash));
    QTRY_VERIFY_WITH_TIMEOUT(isUsable(ScreenId::Main), 5000);
    QTRY_VERIFY(!Screens::isOpen(ScreenId::Splash));
}

// Steps 0 to 4 with `entries`, up to the settings screen.
void tst_FullRun::walkToSettings(const Entries &entries, bool pickEngine)
{
    // Step 0: a fresh screen, nothing picked, the address starting as "http://".
    auto *engines = control<QComboBox>(ScreenId::Step0, "Combo1");
    QVERIFY(engines);
    QCOMPARE(engines->currentIndex(), -1);
    QCOMPARE(control<QLineEdit>(ScreenId::Step0, "txtUrl1")->text(), u"http://"_s);
    if (pickEngine)
        CHECKED(UiTest::pick(engines, Yahoo));
    CHECKED(typeText(control<QLineEdit>(ScreenId::Step0, "txtUrl1"), entries.address));
    CHECKED(continueTo(ScreenId::Step0, ScreenId::Step1));

    // Step 1: the four phrases.
    const char *const phraseBoxes[] = {"PrimaryKeywords", "Support1", "Support2", "Support3"};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(control<QLineEdit>(ScreenId::Step1, phraseBoxes[i])->text().isEmpty());
        CHECKED(typeText(control<QLineEdit>(ScreenId::Step1, phraseBoxes[i]), entries.phrases.at(i)));
    }
    CHECKED(continueTo(ScreenId::Step1, ScreenId::Step2));

    // Step 2: the pre-fills come from the targeted phrase just entered; the title is kept, the
    // description is completed, and analysed before moving on.
    const QString targeted = entries.phrases.at(0);
    QCOMPARE(control<QLineEdit>(ScreenId::Step2, "SiteTitle")->text(), targeted + u" - "_s + targeted);
    auto *description = control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    QCOMPARE(boxText(description), targeted + u" - "_s);
    CHECKED(typeAtEnd(description, entries.descriptionTyped));
    UiTest::click(ScreenId::Step2, "Command4");
    QVERIFY2(labelText(ScreenId::Step2, "Label12").startsWith(u"Meta-Tag Description Statistics:"_s),
             qPrintable(labelText(ScreenId::Step2, "Label12")));
    QVERIFY(labelText(ScreenId::Step2, "Label10").contains(u"Yahoo"_s));
    CHECKED(continueTo(ScreenId::Step2, ScreenId::Step3));

    // Step 3: the body, analysed too.
    auto *body = control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    QVERIFY(boxText(body).isEmpty());
    CHECKED(typeAtEnd(body, entries.bodyLines.join(u"\r\n"_s)));
    UiTest::click(ScreenId::Step3, "Command4");
    QVERIFY2(labelText(ScreenId::Step3, "lblCounter").startsWith(u"Page Body Statistics:"_s),
             qPrintable(labelText(ScreenId::Step3, "lblCounter")));
    CHECKED(continueTo(ScreenId::Step3, ScreenId::Step4));

    // Step 4: the link text as pre-filled, and the hit counter when there is one.
    QCOMPARE(control<QLineEdit>(ScreenId::Step4, "txtLinkText")->text(), targeted + u" - Click Here!"_s);
    auto *hitCounter = control<QCheckBox>(ScreenId::Step4, "chkHitCounter");
    QVERIFY(hitCounter && !hitCounter->isChecked());
    if (!entries.hitCounter.isEmpty()) {
        UiTest::click(hitCounter);
        QVERIFY(hitCounter->isChecked());
        CHECKED(typeAtEnd(control<QPlainTextEdit>(ScreenId::Step4, "Text6"), entries.hitCounter));
    }
    CHECKED(continueTo(ScreenId::Step4, ScreenId::Step5));
}

// "Analize It" shows the page's figures for Yahoo; "Save It" writes the page to `path`.
void tst_FullRun::analyseAndSave(const QString &page, const QString &path)
{
    CHECKED(UiTest::choosePageAction("Check1"));
    QVERIFY2(labelText(ScreenId::Generator, "lbl1").startsWith(u"Page Statistics:\nYour total word count is "_s),
             qPrintable(labelText(ScreenId::Generator, "lbl1")));
    QCOMPARE(labelText(ScreenId::Generator, "lbl2"),
             u"For Yahoo:\nYou should use 550 words.\nUse your Targeted Phrase about 15 times.\n"
             "Your Keyword Frequency should be: 13.000 - 33.000"_s);

    whenModal<QFileDialog>(UiTest::saveAs(path));
    CHECKED(UiTest::choosePageAction("Check3"));
    QCOMPARE(readFile(path), (page + u"\r\n"_s).toUtf8());
}

void tst_FullRun::twoPagesThroughEveryWindow()
{
    CHECKED(startProgram());

    // The first page: Yahoo, a hit counter, and two settings changed on step 5.
    const Entries first{u"http://www.example.com/"_s,
                        {u"free software"_s, u"open source"_s, u"linux tools"_s, u"gnu apps"_s},
                        u"the best free tools for your desktop"_s,
                        {u"Get free software here."_s, u"Every tool is free software."_s},
                        u"<IMG SRC=\"counter.gif\">"_s};
    CHECKED(UiTest::startWizard());
    CHECKED(walkToSettings(first, true));

    auto *command4 = control<QAbstractButton>(ScreenId::Step5, "Command4");
    QVERIFY(command4);
    QCOMPARE(command4->text(), u"Set Yahoo Defaults"_s);
    SettingsScreenState settings = ApplyEngineDefaults(u"Yahoo"_s);
    auto *autoForward = control<QCheckBox>(ScreenId::Step5, "Check9");
    QVERIFY(autoForward);
    QCOMPARE(autoForward->text(), u"Auto-Foward "_s);
    UiTest::click(autoForward);
    settings.checks[8] = !settings.checks[8];
    CHECKED(UiTest::pick(control<QComboBox>(ScreenId::Step5, "Combo1"), 2));
    settings.spamDetectionPosition = 2;
    CHECKED(continueTo(ScreenId::Step5, ScreenId::Generator));

    const QString firstPage = expectedPage(first, settings);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1")), firstPage);
    QCOMPARE(labelText(ScreenId::Generator, "lbl2"),
             u"Click the exclamation point and analize your HTML code to be sure your page is ready to be "
             "submitted to Yahoo."_s);
    CHECKED(analyseAndSave(firstPage, m_folder.filePath(u"first.htm"_s)));

    // Leaving the wizard: Quit, then "Yes". Back at the main menu, every wizard window is gone.
    UiTest::click(ScreenId::Generator, "Command1");
    QVERIFY(isUsable(ScreenId::Quit1));
    UiTest::click(ScreenId::Quit1, "Command1");
    QVERIFY(isUsable(ScreenId::Main));
    for (ScreenId id : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4,
                        ScreenId::Step5, ScreenId::Generator, ScreenId::Quit1})
        QVERIFY(!Screens::isOpen(id));

    // The second page: fresh windows, but the project keeps what the first run stored. The
    // engine is not picked again: Yahoo is still the target, its defaults come back on step 5.
    const Entries second{u"http://www.example.org/"_s,
                         {u"shareware games"_s, u"arcade"_s, u"puzzles"_s, u"card games"_s},
                         u"games to try before you buy"_s,
                         {u"Play shareware games tonight."_s},
                         QString()};
    CHECKED(UiTest::startWizard());
    CHECKED(walkToSettings(second, false));
    QCOMPARE(control<QAbstractButton>(ScreenId::Step5, "Command4")->text(), u"Set Yahoo Defaults"_s);
    QCOMPARE(control<QCheckBox>(ScreenId::Step5, "Check9")->isChecked(), ApplyEngineDefaults(u"Yahoo"_s).checks[8]);
    CHECKED(continueTo(ScreenId::Step5, ScreenId::Generator));

    const QString secondPage = expectedPage(second, ApplyEngineDefaults(u"Yahoo"_s));
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1")), secondPage);
    QVERIFY(labelText(ScreenId::Generator, "lbl2").endsWith(u"submitted to Yahoo."_s));
    CHECKED(analyseAndSave(secondPage, m_folder.filePath(u"second.htm"_s)));
    QCOMPARE(readFile(m_folder.filePath(u"first.htm"_s)), (firstPage + u"\r\n"_s).toUtf8());
}

namespace {

// Keys pressed where the keyboard focus is, as the user presses them; nothing else.
using UiTest::pressKey;

void pressRepeatedly(int key, int times)
{
    for (int i = 0; i < times; ++i)
        CHECKED(pressKey(key));
}

// Typed where the keyboard focus is; "\r\n" is the Return key.
void typeHere(const QString &text)
{
    const QStringList lines = text.split(u"\r\n"_s);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            CHECKED(pressKey(Qt::Key_Return));
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus, "nothing has the keyboard focus");
        UiTest::typeKeys(focus, lines.at(i));
    }
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return u"<nothing>"_s;
    // A list's edit field stands for the list.
    if (qobject_cast<QComboBox *>(focus->parentWidget()))
        focus = focus->parentWidget();
    return focus->window()->objectName() + u'.' + focus->objectName();
}

// Where the keyboard focus must be before the next key.
#define FOCUS_ON(expected) QCOMPARE(focusName(), QStringLiteral(expected))

} // namespace

// The same user without a mouse: Tab, the arrow keys, Space, Enter and typing only, from the
// main menu to a saved page and to a page viewed in the browser.
void tst_FullRun::keyboardAlone()
{
    CHECKED(startProgram());
    const Entries entries{u"http://www.example.net/"_s,
                          {u"keyboard tools"_s, u"no mouse"_s, u"tab order"_s, u"shortcuts"_s},
                          u"made without a mouse"_s,
                          {u"Every step by keyboard."_s, u"Enter goes on."_s},
                          u"<IMG SRC=\"hits.gif\">"_s};

    // The menu opens with the arrow focused; Tab runs round to the first line, Space ticks it,
    // Enter presses the arrow.
    FOCUS_ON("frmMain.Command4");
    CHECKED(pressRepeatedly(Qt::Key_Tab, 3));
    FOCUS_ON("frmMain.Check1");
    CHECKED(pressKey(Qt::Key_Space));
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Step0));

    // Step 0: the arrow keys move through the engines, nine downs to Yahoo.
    FOCUS_ON("frmStep0.Combo1");
    CHECKED(pressRepeatedly(Qt::Key_Down, Yahoo + 1));
    QCOMPARE(pageProject().EngineName, u"Yahoo"_s);
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep0.txtUrl1");
    CHECKED(pressKey(Qt::Key_A, Qt::ControlModifier));
    CHECKED(typeHere(entries.address));
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Step1));

    // Step 1: the four phrases, Tab between them, Enter to go on.
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            CHECKED(pressKey(Qt::Key_Tab));
        CHECKED(typeHere(entries.phrases.at(i)));
    }
    FOCUS_ON("frmStep1.Support3");
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Step2));

    // Step 2: Tab leaves the title for the description; Tab leaves the description, whose
    // Enter is a line break, for the navigation row, which it follows from left to right: Back,
    // the cross, the exclamation point, then the arrow.
    FOCUS_ON("frmStep2.SiteTitle");
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep2.MDescription");
    CHECKED(pressKey(Qt::Key_End, Qt::ControlModifier));
    CHECKED(typeHere(entries.descriptionTyped));
    CHECKED(pressRepeatedly(Qt::Key_Tab, 3));
    FOCUS_ON("frmStep2.Command4");
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(labelText(ScreenId::Step2, "Label12").startsWith(u"Meta-Tag Description Statistics:"_s));
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep2.Command2");
    CHECKED(pressKey(Qt::Key_Space));
    QVERIFY(isUsable(ScreenId::Step3));

    // Step 3: the body, with a line break typed by Return.
    FOCUS_ON("frmStep3.PageBody");
    CHECKED(typeHere(entries.bodyLines.join(u"\r\n"_s)));
    CHECKED(pressRepeatedly(Qt::Key_Tab, 4));
    FOCUS_ON("frmStep3.Command2");
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Step4));

    // Step 4: Space ticks the hit counter, Tab reaches its box, Tab again the link text.
    FOCUS_ON("frmStep4.chkHitCounter");
    CHECKED(pressKey(Qt::Key_Space));
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep4.Text6");
    CHECKED(typeHere(entries.hitCounter));
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep4.txtLinkText");
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Step5));

    // Step 5: Yahoo's defaults, with "Auto-Foward " switched and the spam detection moved up
    // one; Enter in the list goes on to the generator.
    FOCUS_ON("frmStep5.Check1");
    SettingsScreenState settings = ApplyEngineDefaults(u"Yahoo"_s);
    CHECKED(pressRepeatedly(Qt::Key_Tab, 9));
    FOCUS_ON("frmStep5.Check9");
    CHECKED(pressKey(Qt::Key_Space));
    settings.checks[8] = !settings.checks[8];
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmStep5.Combo1");
    CHECKED(pressKey(Qt::Key_Up));
    settings.spamDetectionPosition -= 1;
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Generator));
    const QString page = expectedPage(entries, settings);
    QCOMPARE(boxText(control<QPlainTextEdit>(ScreenId::Generator, "Text1")), page);

    // The generator: Tab leaves the preview for its two report texts, then Back, the cross and the
    // exclamation point. On the options window a ticked box keeps the focus and Enter carries out
    // its choice.
    FOCUS_ON("frmGenerator.Text1");
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmGenerator.lbl1");
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmGenerator.lbl2");
    CHECKED(pressRepeatedly(Qt::Key_Tab, 3));
    FOCUS_ON("frmGenerator.Command4");
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(isUsable(ScreenId::Options));
    FOCUS_ON("frmOptions.Check1");
    CHECKED(pressKey(Qt::Key_Space));
    CHECKED(pressKey(Qt::Key_Return));
    QVERIFY(!Screens::isOpen(ScreenId::Options));
    QVERIFY(labelText(ScreenId::Generator, "lbl1").startsWith(u"Page Statistics:"_s));

    // "Save It": the name typed into the save dialog, Enter to save.
    const QString path = m_folder.filePath(u"keyboard.htm"_s);
    FOCUS_ON("frmGenerator.Command4");
    CHECKED(pressKey(Qt::Key_Return));
    CHECKED(pressRepeatedly(Qt::Key_Tab, 2));
    FOCUS_ON("frmOptions.Check3");
    CHECKED(pressKey(Qt::Key_Space));
    bool dialogAnswered = false;
    whenModal<QFileDialog>([path, &dialogAnswered](QFileDialog *dialog) {
        dialogAnswered = true;
        if (QTest::qWaitForWindowActive(dialog)) {
            typeHere(path);
            pressKey(Qt::Key_Return);
        }
        // A dialog that did not take the name is cancelled, so the run goes on and fails on what it finds.
        if (dialog->isVisible())
            dialog->reject();
    });
    CHECKED(pressKey(Qt::Key_Return));
    QTRY_VERIFY(dialogAnswered);
    QCOMPARE(readFile(path), (page + u"\r\n"_s).toUtf8());

    // "View It With My Web Browser": the results file goes to the browser.
    FOCUS_ON("frmGenerator.Command4");
    CHECKED(pressKey(Qt::Key_Return));
    CHECKED(pressKey(Qt::Key_Tab));
    FOCUS_ON("frmOptions.Check2");
    CHECKED(pressKey(Qt::Key_Space));
    CHECKED(pressKey(Qt::Key_Return));
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop->browserCalls().size(), 1, 10000);
    const QString viewed = m_desktop->browserCalls().constFirst().value(0);
    QCOMPARE(readFile(viewed), (page + u"\r\n"_s).toUtf8());
}

QTEST_MAIN(tst_FullRun)
#include "tst_fullrun.moc"
