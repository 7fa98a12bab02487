// What screen readers learn about the windows: their roles, the names of lists, text boxes and
// buttons, and the changes announced while the user works. Runs with an accessibility bus, as a
// screen reader's desktop has one (tests/with-accessibility-bus).
#include "uitest.h"

#include "core/pageproject.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)
Q_DECLARE_METATYPE(QAccessible::Role)

namespace {

QAccessibleInterface *interfaceOf(QObject *object)
{
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

// The events screen readers would be sent, while it lives.
class AnnouncementRecorder
{
public:
    AnnouncementRecorder()
    {
        s_events.clear();
        QAccessible::installUpdateHandler(record);
    }
    ~AnnouncementRecorder() { QAccessible::installUpdateHandler(nullptr); }

    // Whether `object` was announced with an event of `type`; for a state change, one that
    // concerns its enabled state.
    bool announced(QObject *object, QAccessible::Event type) const { return s_events.contains({object, type}); }

private:
    static void record(QAccessibleEvent *event)
    {
        if (event->type() == QAccessible::StateChanged &&
            !static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().disabled)
            return;
        s_events.append({event->object(), event->type()});
    }

    static inline QList<QPair<QObject *, QAccessible::Event>> s_events;
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    void rolesAndNames_data();
    void rolesAndNames();
    void windowsDisabledAndEnabledAreAnnounced();
    void analysisCaptionsAreAnnounced();
};

void TestAccessibility::initTestCase()
{
    UiTest::initApplication();
    // Qt sends its events only while a screen reader may listen: once its bridge has found the
    // accessibility bus.
    QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(),
                              "no accessibility bus: run this test through tests/with-accessibility-bus", 10000);
}

void TestAccessibility::init()
{
    UiTest::startFresh();
    pageProject().EngineName = u"Alta Vista"_s;
}

void TestAccessibility::rolesAndNames_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("control"); // empty: the window itself
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");

    const QString title = u"Rankwright Assistant 5.0"_s;
    // Full windows are frames; the message windows and the quit confirmation alerts.
    for (ScreenId id :
         {ScreenId::Main, ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4,
          ScreenId::Step5, ScreenId::Generator, ScreenId::Search, ScreenId::Stats, ScreenId::KeyWordTips})
        QTest::addRow("%s", formName(id).data()) << id << QString() << QAccessible::Window << title;
    for (ScreenId id : {ScreenId::Quit1, ScreenId::Error, ScreenId::Error2, ScreenId::Error4, ScreenId::Error5,
                        ScreenId::Error8, ScreenId::NoSelection})
        QTest::addRow("%s", formName(id).data()) << id << QString() << QAccessible::AlertMessage << u"Hey You..."_s;
    QTest::addRow("frmOptions") << ScreenId::Options << QString() << QAccessible::Dialog << title;

    // Lists and text boxes by their captions.
    struct Control
    {
        ScreenId window;
        const char *name;
        QAccessible::Role role;
        QString caption;
    };
    const Control controls[] = {
        {ScreenId::Step0, "Combo1", QAccessible::ComboBox, u"Select A Target:"_s},
        {ScreenId::Step0, "txtUrl1", QAccessible::EditableText, u"Enter your web site address:"_s},
        {ScreenId::Step1, "PrimaryKeywords", QAccessible::EditableText, u"Targeted Phrase:"_s},
        {ScreenId::Step1, "Support1", QAccessible::EditableText, u"Support Phrases:"_s},
        {ScreenId::Step1, "Support2", QAccessible::EditableText, u"Support Phrases: 2"_s},
        {ScreenId::Step1, "Support3", QAccessible::EditableText, u"Support Phrases: 3"_s},
        {ScreenId::Step2, "SiteTitle", QAccessible::EditableText, u"Page Title:"_s},
        {ScreenId::Step2, "MDescription", QAccessible::EditableText, u"Meta-Tag Description:"_s},
        {ScreenId::Step3, "PageBody", QAccessible::EditableText, u"Page Body:"_s},
        {ScreenId::Step4, "Text6", QAccessible::EditableText, u"Copy and Paste your Hit Counter HTML code below:"_s},
        {ScreenId::Step4, "txtLinkText", QAccessible::EditableText,
         u"The main link to your site will look like this:"_s},
        {ScreenId::Step5, "Combo1", QAccessible::ComboBox, u"Keyword Spam Detection:"_s},
        {ScreenId::Step5, "Combo2", QAccessible::ComboBox, u"Targeted Keyword Frequency:"_s},
        {ScreenId::Stats, "Combo1", QAccessible::ComboBox, u"Select a search engine from the drop box ."_s},
        {ScreenId::KeyWordTips, "PrimaryKeywords", QAccessible::EditableText, u"Targeted Phrase:"_s},
        {ScreenId::KeyWordTips, "Support1", QAccessible::EditableText, u"Support Phrases:"_s},
        {ScreenId::KeyWordTips, "Support3", QAccessible::EditableText, u"Support Phrases: 3"_s},
        // Picture buttons by what their tool tips say.
        {ScreenId::Step1, "Command4", QAccessible::Button, u"Click Here For More Information"_s},
        {ScreenId::Main, "Command2", QAccessible::Button, u"Click Here To Visit Our Web Site!"_s},
    };
    for (const Control &c : controls)
        QTest::addRow("%s.%s", formName(c.window).data(), c.name)
            << c.window << QString::fromLatin1(c.name) << c.role << c.caption;
}

void TestAccessibility::rolesAndNames()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);

    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QObject *object = control.isEmpty() ? shown : shown->findChild<QWidget *>(control);
    QAccessibleInterface *accessible = interfaceOf(object);
    QVERIFY2(accessible, qPrintable(control));
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void TestAccessibility::windowsDisabledAndEnabledAreAnnounced()
{
    QWidget *step1 = Screens::show(ScreenId::Step1);
    QVERIFY(QTest::qWaitForWindowExposed(step1));
    {
        AnnouncementRecorder recorder;
        UiTest::click(ScreenId::Step1, "Command2");
        QVERIFY(Screens::isOpen(ScreenId::Error4));
        QVERIFY(!step1->isEnabled());
        QVERIFY(recorder.announced(step1, QAccessible::StateChanged));
    }
    AnnouncementRecorder recorder;
    UiTest::click(ScreenId::Error4, "Command1");
    QVERIFY(step1->isEnabled());
    QVERIFY(recorder.announced(step1, QAccessible::StateChanged));
}

void TestAccessibility::analysisCaptionsAreAnnounced()
{
    pageProject().MatchPhrase = u"free software"_s;
    QWidget *step3 = Screens::show(ScreenId::Step3);
    QVERIFY(QTest::qWaitForWindowExposed(step3));
    UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody")->setPlainText(u"free software for all"_s);

    AnnouncementRecorder recorder;
    UiTest::click(ScreenId::Step3, "Command4");
    auto *statistics = UiTest::control<QLabel>(ScreenId::Step3, "lblCounter");
    auto *advice = UiTest::control<QLabel>(ScreenId::Step3, "lblCounter2");
    QVERIFY(statistics->text().startsWith(u"Page Body Statistics:"_s));
    QVERIFY(recorder.announced(statistics, QAccessible::NameChanged));
    QVERIFY(recorder.announced(advice, QAccessible::NameChanged));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
