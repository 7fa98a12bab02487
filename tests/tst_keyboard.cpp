// The keys every window answers: Escape does what the close control does where a window can be
// closed that way, Enter presses the forward action or the focused button, and neither does
// anything else.
#include "uitest.h"

#include "core/pageproject.h"
#include "ui/controls/boxtexts.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <functional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)
using Setup = std::function<void()>;
Q_DECLARE_METATYPE(Setup)

namespace {

using UiTest::isUsable;
// The key goes where the keyboard focus is.
using UiTest::pressKey;

void open(ScreenId id)
{
    QVERIFY(UiTest::showActive(id));
}

// Opens `window` the way the user does, from `opener`'s button.
Setup from(ScreenId opener, const char *button, ScreenId window)
{
    return [=] {
        open(opener);
        UiTest::click(opener, button);
        QVERIFY(isUsable(window));
        QVERIFY(QTest::qWaitForWindowActive(Screens::find(window)));
    };
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UiTest::initApplication(); }
    void init();
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void escapeClosesAsTheCloseControl_data();
    void escapeClosesAsTheCloseControl();
    void enterOnMessageWindows_data();
    void enterOnMessageWindows();
    void escapeLeavesWizardStepsOpen();
    void focusedPictureButtonsTakeEnterAndSpace_data();
    void focusedPictureButtonsTakeEnterAndSpace();
    void enterInAMultiLineBoxIsALineBreak();
    void tabIntoThePreFillTypesAfterIt();
};

void TestKeyboard::init()
{
    UiTest::startFresh();
    PageProject &project = pageProject();
    project.EngineName = u"Lycos"_s;
    project.MatchPhrase = u"gateway"_s;
}

void TestKeyboard::escapeClosesAsTheCloseControl_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<ScreenId>("usableAfter");

    QTest::newRow("frmError4") << from(ScreenId::Step1, "Command2", ScreenId::Error4) << ScreenId::Error4
                               << ScreenId::Step1;
    QTest::newRow("frmNoSelection") << from(ScreenId::Main, "Command4", ScreenId::NoSelection) << ScreenId::NoSelection
                                    << ScreenId::Main;
    QTest::newRow("frmQuit1") << from(ScreenId::Step2, "Command1", ScreenId::Quit1) << ScreenId::Quit1
                              << ScreenId::Step2;
    QTest::newRow("frmOptions") << from(ScreenId::Generator, "Command4", ScreenId::Options) << ScreenId::Options
                                << ScreenId::Generator;
    QTest::newRow("frmStats") << Setup([] { open(ScreenId::Stats); }) << ScreenId::Stats << ScreenId::Main;
    QTest::newRow("frmSearch") << Setup([] { open(ScreenId::Search); }) << ScreenId::Search << ScreenId::Main;
    QTest::newRow("frmKeyWordTips") << from(ScreenId::Step1, "Command4", ScreenId::KeyWordTips) << ScreenId::KeyWordTips
                                    << ScreenId::Step1;
}

void TestKeyboard::escapeClosesAsTheCloseControl()
{
    QFETCH(Setup, setup);
    QFETCH(ScreenId, window);
    QFETCH(ScreenId, usableAfter);
    setup();
    if (QTest::currentTestFailed())
        return;

    pressKey(Qt::Key_Escape);
    QVERIFY(!Screens::isOpen(window));
    QVERIFY(isUsable(usableAfter));
    // Nothing was chosen on the way out: no page action, no quit.
    QCOMPARE(pageProject().PendingAction, QString());
    QCOMPARE(pageProject().ResetRequested, QString());
}

void TestKeyboard::enterOnMessageWindows_data()
{
    QTest::addColumn<int>("tabs"); // presses of Tab before Enter
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<bool>("quits");

    QTest::newRow("frmError5: OK") << 0 << ScreenId::Error5 << false;
    QTest::newRow("frmQuit1: No has the focus") << 0 << ScreenId::Quit1 << false;
    QTest::newRow("frmQuit1: Tab to Yes") << 1 << ScreenId::Quit1 << true;
}

void TestKeyboard::enterOnMessageWindows()
{
    QFETCH(int, tabs);
    QFETCH(ScreenId, window);
    QFETCH(bool, quits);
    // Step 2 with its description untouched: Continue refuses it, Quit asks.
    from(ScreenId::Step2, window == ScreenId::Quit1 ? "Command1" : "Command2", window)();
    if (QTest::currentTestFailed())
        return;

    for (int i = 0; i < tabs; ++i)
        pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Return);
    QVERIFY(!Screens::isOpen(window));
    if (quits) {
        QVERIFY(isUsable(ScreenId::Main));
        QVERIFY(!Screens::isOpen(ScreenId::Step2));
    } else {
        QVERIFY(isUsable(ScreenId::Step2));
        QCOMPARE(pageProject().PageTitle, QString());
    }
}

void TestKeyboard::escapeLeavesWizardStepsOpen()
{
    // A step's close control leaves the wizard; Escape is no way to lose one's entries.
    for (ScreenId id : WizardScreens) {
        open(id);
        pressKey(Qt::Key_Escape);
        QVERIFY2(isUsable(id), formName(id).data());
        QVERIFY(!Screens::isOpen(ScreenId::Quit1));
        Screens::hide(id);
    }
}

void TestKeyboard::focusedPictureButtonsTakeEnterAndSpace_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestKeyboard::focusedPictureButtonsTakeEnterAndSpace()
{
    QFETCH(int, key);
    // The body analysis, by the exclamation point with the focus: not Continue.
    open(ScreenId::Step3);
    setBoxText(UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody"), u"a gateway page"_s);
    auto *analyse = UiTest::control<QWidget>(ScreenId::Step3, "Command4");
    analyse->setFocus(Qt::TabFocusReason);
    pressKey(key);
    QVERIFY(UiTest::control<QLabel>(ScreenId::Step3, "lblCounter")->text().startsWith(u"Page Body Statistics:"_s));
    QVERIFY(isUsable(ScreenId::Step3));
    QCOMPARE(pageProject().BodyText, QString());
}

void TestKeyboard::enterInAMultiLineBoxIsALineBreak()
{
    open(ScreenId::Step3);
    auto *body = UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    QCOMPARE(QApplication::focusWidget(), body);
    QTest::keyClicks(body, u"one"_s);
    pressKey(Qt::Key_Return);
    QTest::keyClicks(body, u"two"_s);
    QCOMPARE(boxText(body), u"one\r\ntwo"_s);
    QVERIFY(isUsable(ScreenId::Step3));
    QVERIFY(!Screens::isOpen(ScreenId::Step4));
}

void TestKeyboard::tabIntoThePreFillTypesAfterIt()
{
    pageProject().MatchPhrase = u"blue widgets"_s;
    open(ScreenId::Step2);
    auto *description = UiTest::control<QPlainTextEdit>(ScreenId::Step2, "MDescription");
    QCOMPARE(QApplication::focusWidget()->objectName(), u"SiteTitle"_s);
    pressKey(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), description);
    QTest::keyClicks(description, u"fast"_s);
    QCOMPARE(boxText(description), u"blue widgets - fast"_s);

    // Coming back by Shift+Tab finds the caret where the user left it.
    description->moveCursor(QTextCursor::Start);
    QTest::keyClick(description, Qt::Key_Right);
    pressKey(Qt::Key_Tab);
    pressKey(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), description);
    QCOMPARE(description->textCursor().position(), 1);

    // A click puts the caret where it was clicked, at the start too.
    QWidget *title = UiTest::control<QWidget>(ScreenId::Step2, "SiteTitle");
    title->setFocus(Qt::TabFocusReason);
    description->moveCursor(QTextCursor::Start);
    const QPoint firstCharacter = description->cursorRect(description->textCursor()).center();
    QTest::mouseClick(description->viewport(), Qt::LeftButton, {}, firstCharacter);
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), description);
    QCOMPARE(description->textCursor().position(), 0);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
