// Every window on the screens users have: inside the available area, no wrapped label cut, no
// control squeezed below what it needs. CTest runs this once for each screen size and scale.
#include "uitest.h"

#include "core/pageproject.h"
#include "ui/controls/pictures.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

#include <algorithm>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void windowShowsItsControlsWhole_data() { windowFitsTheScreen_data(); }
    void windowShowsItsControlsWhole();
    void wizardWindowsShareOneFrame();
    void navigationRowStaysPut();
};

void TestLayout::initTestCase()
{
    UiTest::initApplication();
    const QScreen *screen = QGuiApplication::primaryScreen();
    qInfo("screen %dx%d logical, %s scale %g", screen->availableGeometry().width(),
          screen->availableGeometry().height(), qPrintable(QGuiApplication::platformName()),
          screen->devicePixelRatio());
}

void TestLayout::init()
{
    UiTest::startFresh();
    // The longest texts the windows show once loaded.
    PageProject &project = pageProject();
    project.EngineName = u"WebCrawler"_s;
    project.MatchPhrase = u"free search engine software"_s;
}

void TestLayout::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
}

void TestLayout::windowFitsTheScreen_data()
{
    QTest::addColumn<ScreenId>("id");
    for (ScreenId id :
         {ScreenId::Splash, ScreenId::Main,   ScreenId::Step0,       ScreenId::Step1,     ScreenId::Step2,
          ScreenId::Step3,  ScreenId::Step4,  ScreenId::Step5,       ScreenId::Generator, ScreenId::Options,
          ScreenId::Search, ScreenId::Stats,  ScreenId::KeyWordTips, ScreenId::Quit1,     ScreenId::Error,
          ScreenId::Error2, ScreenId::Error4, ScreenId::Error5,      ScreenId::Error8,    ScreenId::NoSelection})
        QTest::newRow(formName(id).data()) << id;
}

void TestLayout::windowFitsTheScreen()
{
    QFETCH(ScreenId, id);
    QWidget *window = Screens::show(id);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    UiTest::settle();

    // With a window manager, the frame comes once the window is mapped, and the window is fitted
    // to it then. The window system's own word on the frame: a widget learns of it only when it
    // next moves.
    const QWindow *handle = window->windowHandle();
    QVERIFY(handle);
    const QRect available = window->screen()->availableGeometry();
    if (QGuiApplication::platformName() == "xcb"_L1 && !(window->windowFlags() & Qt::FramelessWindowHint))
        QTRY_VERIFY2(handle->frameMargins().top() > 0, "no title bar: no window manager?");
    QTRY_VERIFY2(available.contains(handle->frameGeometry()),
                 qPrintable(u"window %1 outside the available area %2"_s.arg(UiTest::describe(handle->frameGeometry()),
                                                                             UiTest::describe(available))));
}

void TestLayout::windowShowsItsControlsWhole()
{
    QFETCH(ScreenId, id);
    QWidget *window = Screens::show(id);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    UiTest::settle();

    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (!child->isVisibleTo(window))
            continue;
        const QString name =
            child->objectName().isEmpty() ? QString::fromLatin1(child->metaObject()->className()) : child->objectName();
        // Wholly inside the window: nothing hangs over its edge.
        const QRect inWindow(child->mapTo(window, QPoint(0, 0)), child->size());
        QVERIFY2(window->rect().contains(inWindow),
                 qPrintable(u"%1 at %2 is cut by the window's edge"_s.arg(name, UiTest::describe(inWindow))));
        if (auto *label = qobject_cast<QLabel *>(child); label && label->wordWrap()) {
            QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                     qPrintable(u"label %1 is %2 high, its text needs %3"_s.arg(name)
                                    .arg(label->height())
                                    .arg(label->heightForWidth(label->width()))));
        }
        // A list's own edit field is sized by the list, as Qt draws it.
        const bool inList = qobject_cast<QComboBox *>(child->parentWidget());
        if (!inList && (qobject_cast<QAbstractButton *>(child) || qobject_cast<QLineEdit *>(child) ||
                        qobject_cast<QPlainTextEdit *>(child))) {
            QVERIFY2(child->height() >= child->minimumSizeHint().height(),
                     qPrintable(u"%1 is %2 high, it needs %3"_s.arg(name)
                                    .arg(child->height())
                                    .arg(child->minimumSizeHint().height())));
        }
    }
}

namespace {

// Whether the window, frame included, stands in the middle of the available area.
bool isCentred(const QWidget *window)
{
    const QPoint offset =
        window->windowHandle()->frameGeometry().center() - window->screen()->availableGeometry().center();
    return offset.manhattanLength() <= 2;
}

} // namespace

void TestLayout::wizardWindowsShareOneFrame()
{
    // Each wizard window opens at the size of the largest, centred: the arrows stay put.
    QSize frame;
    for (ScreenId id : WizardScreens) {
        QWidget *window = Screens::show(id);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY2(isCentred(window), formName(id).data());
        if (!frame.isValid())
            frame = window->size();
        QCOMPARE(window->size(), frame);
        window->hide();
    }
    QVERIFY(frame.width() <= QGuiApplication::primaryScreen()->availableGeometry().width());

    // Back from the generator and from step 5; the user makes step 4 larger; Continue opens
    // step 5 at that size, and the generator too.
    Screens::close(ScreenId::Generator);
    UiTest::click(ScreenId::Step5, "Command3");
    QWidget *step4 = Screens::find(ScreenId::Step4);
    QVERIFY(step4 && step4->isVisible());
    QCOMPARE(step4->size(), frame);
    // Wider: on the small screens the frame already takes the whole height.
    const QMargins margins = step4->windowHandle()->frameMargins();
    const int room = step4->screen()->availableGeometry().width() - margins.left() - margins.right();
    const QSize larger(qMin(frame.width() + 40, room), frame.height());
    QVERIFY(larger != frame);
    step4->resize(larger);
    UiTest::click(ScreenId::Step4, "Command2");
    QWidget *step5 = Screens::find(ScreenId::Step5);
    QVERIFY(step5 && step5->isVisible());
    QCOMPARE(step5->size(), larger);
    QVERIFY(isCentred(step5));
    UiTest::click(ScreenId::Step5, "Command2");
    QWidget *generator = Screens::find(ScreenId::Generator);
    QVERIFY(generator && generator->isVisible());
    QCOMPARE(generator->size(), larger);
    QVERIFY(isCentred(generator));
}

void TestLayout::navigationRowStaysPut()
{
    // Every window with a navigation row: Back at its left, the forward arrow at its right. On the
    // wizard's windows, which share one size, each button has one place: a step without one of
    // them leaves its place empty.
    QHash<QString, int> wizardPlaces; // a button's name: its x on the wizard's windows
    for (ScreenId id :
         {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4, ScreenId::Step5,
          ScreenId::Generator, ScreenId::Main, ScreenId::Search, ScreenId::Stats, ScreenId::KeyWordTips}) {
        QWidget *window = Screens::show(id);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto buttons = window->findChildren<PictureButton *>();
        QVERIFY2(!buttons.isEmpty(), formName(id).data());
        const QRect row = window->rect().marginsRemoved(window->layout()->contentsMargins());
        auto placeOf = [window](const QWidget *button) {
            return QRect(button->mapTo(window, QPoint(0, 0)), button->size());
        };
        for (PictureButton *button : buttons) {
            const QString where = formName(id) + u'.' + button->objectName();
            const QRect at = placeOf(button);
            // One row, the arrows at its ends.
            QCOMPARE(at.center().y(), placeOf(buttons.first()).center().y());
            if (button->picture() == Picture::LeftArrow)
                QCOMPARE(at.left(), row.left());
            if (button->picture() == Picture::RightArrow)
                QCOMPARE(at.right(), row.right());
            for (PictureButton *other : buttons) {
                if (other == button)
                    continue;
                const int otherX = other->mapTo(window, QPoint(0, 0)).x();
                if (button->picture() == Picture::LeftArrow)
                    QVERIFY2(at.x() < otherX, qPrintable(where + u" is not left of "_s + other->objectName()));
                if (button->picture() == Picture::RightArrow)
                    QVERIFY2(at.x() > otherX, qPrintable(where + u" is not right of "_s + other->objectName()));
            }
            if (std::find(WizardScreens.cbegin(), WizardScreens.cend(), id) != WizardScreens.cend()) {
                const auto known = wizardPlaces.constFind(button->objectName());
                if (known == wizardPlaces.cend())
                    wizardPlaces.insert(button->objectName(), at.x());
                else
                    QVERIFY2(*known == at.x(),
                             qPrintable(u"%1 at x = %2, elsewhere at %3"_s.arg(where).arg(at.x()).arg(*known)));
            }
        }
        window->hide();
    }
    // Back, the cross, the exclamation point and Continue, each seen in its one place.
    QCOMPARE(wizardPlaces.size(), 4);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
