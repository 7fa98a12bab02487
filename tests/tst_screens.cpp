// The window model on its own: which windows are open, when a window is made and its load logic
// runs, hiding, closing in every way and the close logic, disabling, and the reset request. The
// test brings its own screen table, so every id stands for a throwaway window that counts what
// the model does to it; the program's windows are not part of this test.
#include "core/pageproject.h"
#include "ui/model/screens.h"
#include "ui/screentable.h"
#include "uitest.h"

#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

// What the window model did to the windows of one id.
struct Record
{
    int made = 0;
    int loads = 0;
    int loadsWhileShown = 0;
    int closes = 0;
    int wakes = 0;
};

QHash<ScreenId, Record> records;

// Gives a throwaway window its field and counts the model's calls.
template <typename Base> class Throwaway : public Base
{
public:
    explicit Throwaway(ScreenId id)
        : Base(id)
    {
        ++records[id].made;
        auto *layout = new QVBoxLayout(this);
        auto *entry = new QLineEdit(this);
        entry->setObjectName(u"entry"_s);
        layout->addWidget(entry);
    }

protected:
    void load() override
    {
        ++records[this->screenId()].loads;
        if (this->isVisible())
            ++records[this->screenId()].loadsWhileShown;
    }
    void closeLogic() override { ++records[this->screenId()].closes; }
    void wake() override { ++records[this->screenId()].wakes; }
};

class PlainWindow : public ScreenWindow<QWidget>
{
protected:
    using ScreenWindow::ScreenWindow;
};

class DialogWindow : public DialogScreen
{
protected:
    using DialogScreen::DialogScreen;
};

// The quit confirmation and the message windows are the last ids.
bool isDialog(ScreenId id)
{
    return id >= ScreenId::Quit1;
}

QLineEdit *entry(ScreenId id)
{
    QWidget *window = Screens::find(id);
    return window ? window->findChild<QLineEdit *>(u"entry"_s) : nullptr;
}

// Lets the windows closed so far be destroyed.
void destroyClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// The test's screen table: a plain window for every id, a dialog for the quit confirmation and
// the message windows.
Screen *createScreen(ScreenId id)
{
    if (isDialog(id))
        return new Throwaway<DialogWindow>(id);
    return new Throwaway<PlainWindow>(id);
}

QLatin1String formName(ScreenId id)
{
    static const QList<QByteArray> names = [] {
        QList<QByteArray> list;
        for (int i = 0; i <= int(ScreenId::NoSelection); ++i)
            list.append("throwaway" + QByteArray::number(i));
        return list;
    }();
    return QLatin1String(names.at(int(id)));
}

Q_DECLARE_METATYPE(ScreenId)

class tst_Screens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void madeAndLoadedOnFirstShowOnly();
    void hidingKeepsEntries();
    void closingRunsCloseLogic_data();
    void closingRunsCloseLogic();
    void disabledWindowIgnoresItsCloseControl();
    void enablingNeverMakesAWindow();
    void enablingGivesTheFocusBack();
    void messageDisablesTheScreenItSpeaksFor();
    void discardingRunsNoCloseLogic();
    void endingTheProgramRunsNoCloseLogic();
    void resetRequestWakesTheMainMenu();
};

void tst_Screens::initTestCase()
{
    UiTest::initApplication();
}

void tst_Screens::init()
{
    UiTest::startFresh();
    records.clear();
}

void tst_Screens::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void tst_Screens::madeAndLoadedOnFirstShowOnly()
{
    QVERIFY(!Screens::isOpen(ScreenId::Step2));
    QCOMPARE(Screens::find(ScreenId::Step2), nullptr);
    QCOMPARE(records[ScreenId::Step2].made, 0);

    QWidget *window = Screens::show(ScreenId::Step2);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(Screens::isOpen(ScreenId::Step2));
    QCOMPARE(Screens::find(ScreenId::Step2), window);
    QCOMPARE(window->objectName(), QString(formName(ScreenId::Step2)));
    QCOMPARE(records[ScreenId::Step2].made, 1);
    QCOMPARE(records[ScreenId::Step2].loads, 1);
    // The load logic runs before the window first shows.
    QCOMPARE(records[ScreenId::Step2].loadsWhileShown, 0);

    // Shown again: the same window, not loaded again; another id is another window.
    QCOMPARE(Screens::show(ScreenId::Step2), window);
    QWidget *other = Screens::show(ScreenId::Step3);
    QVERIFY(other != window);
    QCOMPARE(Screens::show(ScreenId::Step2), window);
    QCOMPARE(records[ScreenId::Step2].made, 1);
    QCOMPARE(records[ScreenId::Step2].loads, 1);
    QCOMPARE(records[ScreenId::Step3].made, 1);
}

void tst_Screens::hidingKeepsEntries()
{
    QWidget *window = Screens::show(ScreenId::Step1);
    QTest::keyClicks(entry(ScreenId::Step1), u"typed"_s);
    Screens::hide(ScreenId::Step1);
    QVERIFY(!window->isVisible());
    QVERIFY(Screens::isOpen(ScreenId::Step1));
    QCOMPARE(Screens::find(ScreenId::Step1), window);

    QCOMPARE(Screens::show(ScreenId::Step1), window);
    QVERIFY(window->isVisible());
    QCOMPARE(entry(ScreenId::Step1)->text(), u"typed"_s);
    QCOMPARE(records[ScreenId::Step1].loads, 1);
    QCOMPARE(records[ScreenId::Step1].closes, 0);
}

void tst_Screens::closingRunsCloseLogic_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QByteArray>("how");

    QTest::newRow("by the window model") << ScreenId::Step4 << QByteArray("model");
    QTest::newRow("by QWidget::close") << ScreenId::Step4 << QByteArray("close");
    QTest::newRow("by the close control") << ScreenId::Step4 << QByteArray("close control");
    QTest::newRow("a dialog, by the close control") << ScreenId::Error5 << QByteArray("close control");
    QTest::newRow("a dialog, by Escape") << ScreenId::Error5 << QByteArray("Escape");
    QTest::newRow("a dialog, by its answer") << ScreenId::Quit1 << QByteArray("accept");
}

void tst_Screens::closingRunsCloseLogic()
{
    QFETCH(ScreenId, id);
    QFETCH(QByteArray, how);

    QPointer<QWidget> window = Screens::show(id);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::keyClicks(entry(id), u"typed"_s);
    if (how == "model") {
        Screens::close(id);
    } else if (how == "close") {
        window->close();
    } else if (how == "close control") {
        CHECKED(UiTest::closeByCloseControl(window));
    } else if (how == "Escape") {
        QTest::keyClick(window, Qt::Key_Escape);
    } else {
        auto *dialog = qobject_cast<QDialog *>(window);
        QVERIFY(dialog);
        dialog->accept();
    }

    QCOMPARE(records[id].closes, 1);
    QVERIFY(!Screens::isOpen(id));
    QCOMPARE(Screens::find(id), nullptr);
    destroyClosed();
    QVERIFY(window.isNull());

    // The next showing makes the window afresh, without the old entries, and loads it again.
    QVERIFY(Screens::show(id));
    QCOMPARE(records[id].made, 2);
    QCOMPARE(records[id].loads, 2);
    QCOMPARE(entry(id)->text(), QString());
    QCOMPARE(records[id].closes, 1);
}

void tst_Screens::disabledWindowIgnoresItsCloseControl()
{
    for (ScreenId id : {ScreenId::Step4, ScreenId::Quit1}) {
        QPointer<QWidget> window = Screens::show(id);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        Screens::setEnabled(id, false);
        QVERIFY(!window->isEnabled());

        CHECKED(UiTest::closeByCloseControl(window));
        UiTest::settle();
        QVERIFY(Screens::isOpen(id));
        QVERIFY(!window.isNull() && window->isVisible());
        QCOMPARE(records[id].closes, 0);
        QTest::keyClick(window, Qt::Key_Escape);
        UiTest::settle();
        QVERIFY(Screens::isOpen(id));
        QCOMPARE(records[id].closes, 0);

        // The program itself may still close it, as the wizard's reset does.
        Screens::close(id);
        QVERIFY(!Screens::isOpen(id));
        QCOMPARE(records[id].closes, 1);
    }
}

void tst_Screens::enablingNeverMakesAWindow()
{
    Screens::setEnabled(ScreenId::Step3, true);
    Screens::setEnabled(ScreenId::Step3, false);
    QVERIFY(!Screens::isOpen(ScreenId::Step3));
    QCOMPARE(records[ScreenId::Step3].made, 0);

    // Nor brings back one that was closed.
    Screens::show(ScreenId::Step3);
    Screens::close(ScreenId::Step3);
    Screens::setEnabled(ScreenId::Step3, true);
    QVERIFY(!Screens::isOpen(ScreenId::Step3));
    QCOMPARE(records[ScreenId::Step3].made, 1);

    // An open window is disabled and enabled, and stays hidden when it was.
    QWidget *window = Screens::show(ScreenId::Step3);
    Screens::hide(ScreenId::Step3);
    Screens::setEnabled(ScreenId::Step3, false);
    QVERIFY(!window->isEnabled());
    Screens::setEnabled(ScreenId::Step3, true);
    QVERIFY(window->isEnabled());
    QVERIFY(!window->isVisible());
    QCOMPARE(records[ScreenId::Step3].made, 2);
}

void tst_Screens::enablingGivesTheFocusBack()
{
    QWidget *window = Screens::show(ScreenId::Step1);
    auto *second = new QLineEdit(window);
    window->layout()->addWidget(second);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    second->setFocus();
    QCOMPARE(QApplication::focusWidget(), second);

    Screens::setEnabled(ScreenId::Step1, false);
    QVERIFY(QApplication::focusWidget() != second);
    Screens::setEnabled(ScreenId::Step1, true);
    QCOMPARE(QApplication::focusWidget(), second);
}

void tst_Screens::messageDisablesTheScreenItSpeaksFor()
{
    QWidget *opener = Screens::show(ScreenId::Step2);
    QVERIFY(QTest::qWaitForWindowExposed(opener));
    Screens::showMessage(ScreenId::Error5, opener, ScreenId::Step2);
    QWidget *message = Screens::find(ScreenId::Error5);
    QVERIFY(message && message->isVisible());
    QVERIFY(!message->isModal());
    QVERIFY(!opener->isEnabled());
    QVERIFY(message->windowHandle());
    QCOMPARE(message->windowHandle()->transientParent(), opener->windowHandle());

    // Another window may be the one disabled; one that is not open stays closed.
    Screens::showMessage(ScreenId::Error2, opener, ScreenId::Main);
    QVERIFY(Screens::isOpen(ScreenId::Error2));
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QCOMPARE(records[ScreenId::Main].made, 0);
}

void tst_Screens::discardingRunsNoCloseLogic()
{
    QList<QPointer<QWidget>> windows;
    for (ScreenId id : {ScreenId::Main, ScreenId::Step0, ScreenId::Step1, ScreenId::Quit1})
        windows << Screens::show(id);
    Screens::hide(ScreenId::Step0);

    Screens::discardAll();
    for (ScreenId id : {ScreenId::Main, ScreenId::Step0, ScreenId::Step1, ScreenId::Quit1}) {
        QVERIFY(!Screens::isOpen(id));
        QCOMPARE(records[id].closes, 0);
    }
    destroyClosed();
    for (const QPointer<QWidget> &window : windows)
        QVERIFY(window.isNull());
    QCOMPARE(UiTest::programEnds(), 0);
}

void tst_Screens::endingTheProgramRunsNoCloseLogic()
{
    Screens::show(ScreenId::Main);
    Screens::show(ScreenId::Stats);
    Screens::endProgram();
    QCOMPARE(UiTest::programEnds(), 1);
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QVERIFY(!Screens::isOpen(ScreenId::Stats));
    QCOMPARE(records[ScreenId::Main].closes, 0);
    QCOMPARE(records[ScreenId::Stats].closes, 0);
}

void tst_Screens::resetRequestWakesTheMainMenu()
{
    // No main menu: the request is kept for it, and no menu is made for it.
    Screens::requestWizardReset();
    QCOMPARE(pageProject().ResetRequested, u"Yes"_s);
    QVERIFY(!Screens::isOpen(ScreenId::Main));
    QCOMPARE(records[ScreenId::Main].made, 0);

    Screens::show(ScreenId::Main);
    Screens::show(ScreenId::Step0);
    pageProject().ResetRequested = u"Done"_s;
    Screens::requestWizardReset();
    QCOMPARE(pageProject().ResetRequested, u"Yes"_s);
    QCOMPARE(records[ScreenId::Main].wakes, 1);
    QCOMPARE(records[ScreenId::Step0].wakes, 0);
}

QTEST_MAIN(tst_Screens)
#include "tst_screens.moc"
