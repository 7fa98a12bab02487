#include "uitest.h"

#include "ui/windows/frmmain.h"
#include "ui/windows/frmsplash.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString InitialText = u"Make a selection from the menu on the left, then click the arrow below to get started."_s;
const QString GatewayText = u"This gateway page generator will walk you through a few simple steps to design a gateway "
                            "page. Getting more hits has never been easier!"_s;
const QString SubmitText = u"Submit your gateway pages to as many search engines as possible. You'll find that "
                           "properly designing and submitting your pages can make a huge difference!"_s;
const QString TipsText = u"We have gathered information on each major search engine. These tips will help you "
                         "understand search engines and help you get a better ranking!"_s;

frmMain *mainMenu()
{
    return Screens::find<frmMain>(ScreenId::Main);
}

QLabel *label1()
{
    return UiTest::control<QLabel>(ScreenId::Main, "Label1");
}

// The three menu lines as the user sees them: "1" ticked, "0" not, e.g. "010".
QString ticks()
{
    QString shown;
    for (const char *name : {"Check1", "Check2", "Check3"}) {
        auto *box = UiTest::control<QCheckBox>(ScreenId::Main, name);
        shown += box && box->isChecked() ? u'1' : u'0';
    }
    return shown;
}

// Shows the main menu as the active window, as the desktop hands it to the user.
bool activateMainMenu()
{
    return UiTest::showActive(ScreenId::Main) != nullptr;
}

// Plays what the user does on the main menu: "click Check2", "tab", "backtab", "space".
void perform(const QStringList &actions)
{
    for (const QString &action : actions) {
        if (action.startsWith("click "_L1)) {
            auto *box = UiTest::control<QCheckBox>(ScreenId::Main, qPrintable(action.mid(6)));
            QVERIFY2(box, qPrintable(action));
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
        } else {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY2(focus, "nothing has the keyboard focus");
            const Qt::Key key = action == "tab"_L1       ? Qt::Key_Tab
                                : action == "backtab"_L1 ? Qt::Key_Backtab
                                                         : Qt::Key_Space;
            QTest::keyClick(focus, key);
        }
        UiTest::settle();
    }
}

// Counts the timer ticks and queued calls that reach the program's windows.
class WakeCounter : public QObject
{
public:
    int wakes = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer || event->type() == QEvent::MetaCall) {
            for (QObject *object = watched; object; object = object->parent()) {
                if (dynamic_cast<Screen *>(object)) {
                    ++wakes;
                    break;
                }
            }
        }
        return false;
    }
};

} // namespace

Q_DECLARE_METATYPE(ScreenId)

class tst_MainMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void splashHandsOverToMainMenu();
    void splashWaitsItsTimeAndIgnoresInput();
    void menuLines_data();
    void menuLines();
    void arrowStartsChosenActivity_data();
    void arrowStartsChosenActivity();
    void arrowOpensWizardAndItsClosingResets();
    void arrowWithNothingChosen_data();
    void arrowWithNothingChosen();
    void endingTheProgram_data();
    void endingTheProgram();
    void resetRunsOnTheNextTurnThenStops();
    void stoppedResetWaitsForTheArrow();
    void addressMessageEnablesMainMenu_data();
    void addressMessageEnablesMainMenu();
    void messageWindowTexts_data();
    void messageWindowTexts();
    void idleMainMenuSchedulesNothing();
};

void tst_MainMenu::initTestCase()
{
    UiTest::initApplication();
}

void tst_MainMenu::init()
{
    UiTest::startFresh();
}

void tst_MainMenu::cleanup()
{
    frmSplash::setDurationForTests(frmSplash::DefaultDurationMs);
    UiTest::discardAllAndCheckNoLeak();
}

void tst_MainMenu::splashHandsOverToMainMenu()
{
    frmSplash::setDurationForTests(50);
    QWidget *splash = Screens::show(ScreenId::Splash);
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QVERIFY(!Screens::isOpen(ScreenId::Main));

    QTRY_VERIFY(Screens::isOpen(ScreenId::Main));
    frmMain *menu = mainMenu();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QVERIFY(menu->isVisible());
    QVERIFY(menu->isEnabled());
    QCOMPARE(menu->windowTitle(), u"Rankwright Assistant 5.0"_s);
    QTRY_VERIFY(!Screens::isOpen(ScreenId::Splash));
    UiTest::settle();
    // Nothing chosen yet, whatever got the focus when the menu came up.
    QCOMPARE(ticks(), u"000"_s);
    QCOMPARE(label1()->text(), InitialText);
    QVERIFY(menu->isResetTimerRunning());
}

void tst_MainMenu::splashWaitsItsTimeAndIgnoresInput()
{
    QWidget *splash = Screens::show(ScreenId::Splash);
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    auto *timer = splash->findChild<QTimer *>(u"Timer1"_s);
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 6000);
    // A coarse timer could bring the menu up to 300 ms early.
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);

    QTest::mouseClick(splash, Qt::LeftButton);
    QTest::keyClick(splash, Qt::Key_Return);
    QTest::keyClick(splash, Qt::Key_Escape);
    UiTest::settle();
    QVERIFY(Screens::isOpen(ScreenId::Splash));
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QVERIFY(timer->isActive());
}

void tst_MainMenu::menuLines_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("ticked");
    QTest::addColumn<QString>("description");

    QTest::newRow("click Make A Gateway Page") << QStringList{u"click Check1"_s} << u"100"_s << GatewayText;
    QTest::newRow("click Submit") << QStringList{u"click Check2"_s} << u"010"_s << SubmitText;
    QTest::newRow("click Tips") << QStringList{u"click Check3"_s} << u"001"_s << TipsText;
    QTest::newRow("Make A Gateway Page after Tips was checked")
        << QStringList{u"click Check3"_s, u"click Check1"_s} << u"100"_s << GatewayText;
    QTest::newRow("Submit after Make A Gateway Page")
        << QStringList{u"click Check1"_s, u"click Check2"_s} << u"010"_s << SubmitText;
    QTest::newRow("Tips after Submit") << QStringList{u"click Check2"_s, u"click Check3"_s} << u"001"_s << TipsText;
    QTest::newRow("checked Tips clicked again: unchecked, its description stays")
        << QStringList{u"click Check3"_s, u"click Check3"_s} << u"000"_s << TipsText;
    QTest::newRow("checked Make A Gateway Page clicked again")
        << QStringList{u"click Check1"_s, u"click Check1"_s} << u"000"_s << GatewayText;
    QTest::newRow("Tab onto Submit unchecks the others without checking it")
        << QStringList{u"click Check1"_s, u"tab"_s} << u"000"_s << SubmitText;
    QTest::newRow("Shift+Tab onto Submit from checked Tips")
        << QStringList{u"click Check3"_s, u"backtab"_s} << u"000"_s << SubmitText;
    QTest::newRow("Tab round onto Make A Gateway Page")
        << QStringList{u"click Check2"_s, u"tab"_s, u"tab"_s, u"tab"_s, u"tab"_s, u"tab"_s} << u"000"_s << GatewayText;
    QTest::newRow("Tab onto Tips changes nothing")
        << QStringList{u"click Check2"_s, u"tab"_s} << u"010"_s << SubmitText;
    QTest::newRow("Tab onto Submit, then Space ticks it")
        << QStringList{u"click Check1"_s, u"tab"_s, u"space"_s} << u"010"_s << SubmitText;
    QTest::newRow("Space on Tips ticks it")
        << QStringList{u"click Check2"_s, u"tab"_s, u"space"_s} << u"001"_s << TipsText;
}

void tst_MainMenu::menuLines()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, ticked);
    QFETCH(QString, description);

    QVERIFY(activateMainMenu());
    QCOMPARE(ticks(), u"000"_s);
    QCOMPARE(label1()->text(), InitialText);
    perform(actions);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(ticks(), ticked);
    QCOMPARE(label1()->text(), description);
}

void tst_MainMenu::arrowStartsChosenActivity_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<ScreenId>("activity");
    QTest::addColumn<QString>("title");

    QTest::newRow("Submit opens the submission screen")
        << u"Check2"_s << ScreenId::Search << u"Rankwright Assistant 5.0"_s;
    QTest::newRow("Tips opens the tips screen") << u"Check3"_s << ScreenId::Stats << u"Rankwright Assistant 5.0"_s;
}

void tst_MainMenu::arrowStartsChosenActivity()
{
    QFETCH(QString, line);
    QFETCH(ScreenId, activity);
    QFETCH(QString, title);

    QVERIFY(activateMainMenu());
    perform({"click "_L1 + line});
    UiTest::click(ScreenId::Main, "Command4");

    QWidget *opened = Screens::find(activity);
    QVERIFY(opened);
    QVERIFY(QTest::qWaitForWindowExposed(opened));
    QCOMPARE(opened->windowTitle(), title);
    QVERIFY(Screens::isOpen(ScreenId::Main));
    QVERIFY(!mainMenu()->isVisible());
    QVERIFY(mainMenu()->isResetTimerRunning());
    QVERIFY(!Screens::isOpen(ScreenId::NoSelection));

    // Back again: the menu kept its choice while it was hidden.
    UiTest::click(activity, "Command1");
    QVERIFY(!Screens::isOpen(activity));
    QVERIFY(mainMenu()->isVisible());
    QCOMPARE(ticks(), line == "Check2"_L1 ? u"010"_s : u"001"_s);
}

void tst_MainMenu::arrowOpensWizardAndItsClosingResets()
{
    QVERIFY(activateMainMenu());
    perform({u"click Check1"_s});
    UiTest::click(ScreenId::Main, "Command4");
    QWidget *step0 = Screens::find(ScreenId::Step0);
    QVERIFY(step0);
    QVERIFY(QTest::qWaitForWindowExposed(step0));
    QVERIFY(!mainMenu()->isVisible());

    // Closing a wizard step brings the menu back; the reset follows on the next tick and stops the timer.
    step0->close();
    QVERIFY(mainMenu()->isVisible());
    UiTest::settle();
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QVERIFY(!mainMenu()->isResetTimerRunning());
    QCOMPARE(ticks(), u"100"_s);

    // The arrow starts the timer again, and the wizard afresh.
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(mainMenu()->isResetTimerRunning());
    QVERIFY(Screens::isOpen(ScreenId::Step0));
    QVERIFY(Screens::find(ScreenId::Step0)->isVisible());
    QCOMPARE(UiTest::programEnds(), 0);
}

void tst_MainMenu::arrowWithNothingChosen_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("byCloseControl");
    QTest::addColumn<QString>("description");

    QTest::newRow("nothing touched, OK") << QStringList{} << false << InitialText;
    QTest::newRow("nothing touched, close control") << QStringList{} << true << InitialText;
    QTest::newRow("Tab onto Submit, OK") << QStringList{u"click Check1"_s, u"tab"_s} << false << SubmitText;
    QTest::newRow("checked Tips clicked again, close control")
        << QStringList{u"click Check3"_s, u"click Check3"_s} << true << TipsText;
}

void tst_MainMenu::arrowWithNothingChosen()
{
    QFETCH(QStringList, actions);
    QFETCH(bool, byCloseControl);
    QFETCH(QString, description);

    QVERIFY(activateMainMenu());
    perform(actions);
    if (QTest::currentTestFailed())
        return;
    UiTest::click(ScreenId::Main, "Command4");

    QWidget *message = Screens::find(ScreenId::NoSelection);
    QVERIFY(message);
    QVERIFY(QTest::qWaitForWindowExposed(message));
    QVERIFY(mainMenu()->isVisible());
    QVERIFY(!mainMenu()->isEnabled());
    QVERIFY(!Screens::isOpen(ScreenId::Search));
    QVERIFY(!Screens::isOpen(ScreenId::Stats));
    QVERIFY(mainMenu()->isResetTimerRunning());

    if (byCloseControl)
        UiTest::closeByCloseControl(message);
    else
        UiTest::click(ScreenId::NoSelection, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::NoSelection));
    QVERIFY(mainMenu()->isEnabled());

    // The menu comes back as the user left it.
    QVERIFY(activateMainMenu());
    UiTest::settle();
    QCOMPARE(ticks(), u"000"_s);
    QCOMPARE(label1()->text(), description);

    // And it is usable: a line can be chosen and started.
    perform({u"click Check3"_s});
    QCOMPARE(ticks(), u"001"_s);
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(Screens::isOpen(ScreenId::Stats));
    QVERIFY(!Screens::isOpen(ScreenId::NoSelection));
}

void tst_MainMenu::endingTheProgram_data()
{
    QTest::addColumn<bool>("byQuitButton");
    QTest::newRow("Quit button") << true;
    QTest::newRow("close control") << false;
}

void tst_MainMenu::endingTheProgram()
{
    QFETCH(bool, byQuitButton);

    QVERIFY(activateMainMenu());
    perform({u"click Check3"_s});
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(Screens::isOpen(ScreenId::Stats));
    Screens::show(ScreenId::Search);
    // The menu is back on screen while the other two are still open.
    QVERIFY(activateMainMenu());

    if (byQuitButton)
        UiTest::click(ScreenId::Main, "Command1");
    else
        UiTest::closeByCloseControl(mainMenu());
    UiTest::settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(UiTest::programEnds(), 1);
    // No close logic ran: the tips and submission screens would have shown the menu again.
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QVERIFY(!Screens::isOpen(ScreenId::Stats));
    QVERIFY(!Screens::isOpen(ScreenId::Search));
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<QWidget *>(window) || !window->isVisible(), window->metaObject()->className());
}

void tst_MainMenu::resetRunsOnTheNextTurnThenStops()
{
    QVERIFY(activateMainMenu());
    Screens::show(ScreenId::Quit1);
    QVERIFY(mainMenu()->isResetTimerRunning());

    Screens::requestWizardReset();
    // Not inside the closing that asked for it: on the timer's next tick.
    QCOMPARE(pageProject().ResetRequested, u"Yes"_s);
    QVERIFY(Screens::isOpen(ScreenId::Quit1));

    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Quit1));
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QVERIFY(!mainMenu()->isResetTimerRunning());
    QVERIFY(mainMenu()->isVisible());
    QCOMPARE(UiTest::programEnds(), 0);
}

void tst_MainMenu::stoppedResetWaitsForTheArrow()
{
    QVERIFY(activateMainMenu());
    Screens::requestWizardReset();
    UiTest::settle();
    QVERIFY(!mainMenu()->isResetTimerRunning());

    Screens::show(ScreenId::Quit1);
    Screens::requestWizardReset();
    UiTest::settle();
    QCOMPARE(pageProject().ResetRequested, u"Yes"_s);
    QVERIFY(Screens::isOpen(ScreenId::Quit1));

    // Any press of the arrow starts the timer again, also one that only shows the message window.
    QVERIFY(activateMainMenu());
    UiTest::click(ScreenId::Main, "Command4");
    QVERIFY(Screens::isOpen(ScreenId::NoSelection));
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Quit1));
    QCOMPARE(pageProject().ResetRequested, u"Done"_s);
    QVERIFY(!mainMenu()->isResetTimerRunning());
    // The reset leaves the menu's own message window alone.
    QVERIFY(Screens::isOpen(ScreenId::NoSelection));
}

void tst_MainMenu::addressMessageEnablesMainMenu_data()
{
    QTest::addColumn<bool>("byCloseControl");
    QTest::newRow("OK") << false;
    QTest::newRow("close control") << true;
}

void tst_MainMenu::addressMessageEnablesMainMenu()
{
    QFETCH(bool, byCloseControl);

    QVERIFY(activateMainMenu());
    Screens::hide(ScreenId::Main);
    // The address message disables the hidden main menu, not the screen it speaks for.
    Screens::showMessage(ScreenId::Error2, nullptr, ScreenId::Main);
    QWidget *message = Screens::find(ScreenId::Error2);
    QVERIFY(message);
    QVERIFY(QTest::qWaitForWindowExposed(message));
    QVERIFY(!mainMenu()->isEnabled());
    QVERIFY(!mainMenu()->isVisible());

    if (byCloseControl)
        UiTest::closeByCloseControl(message);
    else
        UiTest::click(ScreenId::Error2, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(ScreenId::Error2));
    QVERIFY(mainMenu()->isEnabled());
    // Enabling does not show it.
    QVERIFY(!mainMenu()->isVisible());

    QVERIFY(activateMainMenu());
    QCOMPARE(label1()->text(), InitialText);
    QCOMPARE(ticks(), u"000"_s);
}

void tst_MainMenu::messageWindowTexts_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("captions");

    const QStringList ok{u"OK"_s};
    QTest::newRow("frmError") << ScreenId::Error << u"Start by selecting a target from the menu above."_s << ok;
    QTest::newRow("frmError2") << ScreenId::Error2 << u"You forgot to enter a URL."_s << ok;
    QTest::newRow("frmError4") << ScreenId::Error4 << u" Fill in all the keyword fields first."_s << ok;
    QTest::newRow("frmError5") << ScreenId::Error5 << u"You forgot to enter the Meta-Tag Description for your page."_s
                               << ok;
    QTest::newRow("frmError8") << ScreenId::Error8 << u"You forgot to enter the Body Description for your page."_s
                               << ok;
    QTest::newRow("frmNoSelection") << ScreenId::NoSelection << InitialText << ok;
    QTest::newRow("frmQuit1") << ScreenId::Quit1 << u"Are you sure you want to quit?"_s
                              << QStringList{u"Yes"_s, u"No"_s};
}

void tst_MainMenu::messageWindowTexts()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, text);
    QFETCH(QStringList, captions);

    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    // Found by its form name, as every other window is.
    QCOMPARE(shown->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(shown->windowTitle(), u"Hey You..."_s);
    QCOMPARE(UiTest::control<QLabel>(window, "Label1")->text(), text);
    QStringList shownCaptions;
    for (const char *name : {"Command1", "Command2"}) {
        if (auto *button = UiTest::control<QPushButton>(window, name))
            shownCaptions << button->text();
    }
    QCOMPARE(shownCaptions, captions);
}

void tst_MainMenu::idleMainMenuSchedulesNothing()
{
    frmSplash::setDurationForTests(10);
    Screens::show(ScreenId::Splash);
    QTRY_VERIFY(Screens::isOpen(ScreenId::Main) && !Screens::isOpen(ScreenId::Splash));
    QVERIFY(QTest::qWaitForWindowActive(mainMenu()));
    UiTest::settle();

    // The reset timer is running, but with no reset asked for, it must not wake the program.
    QVERIFY(mainMenu()->isResetTimerRunning());
    WakeCounter counter;
    qApp->installEventFilter(&counter);
    QTest::qWait(200);
    qApp->removeEventFilter(&counter);
    QCOMPARE(counter.wakes, 0);
}

QTEST_MAIN(tst_MainMenu)
#include "tst_mainmenu.moc"
