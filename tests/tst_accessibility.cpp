// What screen readers learn about the windows: their roles, the names of lists, text boxes and
// buttons, and the changes announced while the user works. Runs with an accessibility bus, as a
// screen reader's desktop has one (tests/with-accessibility-bus).
#include "uitest.h"

#include "core/pageproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/announcements.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/wizardflow.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)
Q_DECLARE_METATYPE(QAccessible::Role)
Q_DECLARE_METATYPE(QAccessible::TextBoundaryType)

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
        s_notifications.clear();
        s_windows.clear();
        QAccessible::installUpdateHandler(record);
    }
    ~AnnouncementRecorder() { QAccessible::installUpdateHandler(nullptr); }

    // Whether `object` was announced with an event of `type`; for a state change, one that
    // concerns its enabled state.
    bool announced(QObject *object, QAccessible::Event type) const { return s_events.contains({object, type}); }

    // The texts of each notification shown, one a line.
    QStringList notifications() const { return s_notifications; }
    // The texts of the last notification shown, or an empty text.
    QString lastNotification() const { return s_notifications.value(s_notifications.size() - 1); }

private:
    static void record(QAccessibleEvent *event)
    {
        if (event->object() && event->object()->isWidgetType()) {
            // A list's popup is a window of its own, inside its list's window.
            const QWidget *outermost = static_cast<QWidget *>(event->object());
            while (outermost->parentWidget())
                outermost = outermost->parentWidget();
            s_windows.insert(outermost->objectName());
        }
        if (event->type() == QAccessible::ObjectShow) {
            QAccessibleInterface *shown = event->accessibleInterface();
            if (shown && shown->role() == QAccessible::Notification) {
                // What screen readers read of it: the texts it holds.
                QStringList texts;
                for (int i = 0; i < shown->childCount(); ++i)
                    texts.append(shown->child(i)->text(QAccessible::Name));
                s_notifications.append(texts.join(u'\n'));
            }
        }
        if (event->type() == QAccessible::StateChanged &&
            !static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().disabled)
            return;
        s_events.append({event->object(), event->type()});
    }

    static inline QList<QPair<QObject *, QAccessible::Event>> s_events;
    static inline QStringList s_notifications;

public:
    // The forms of the windows that events were sent for.
    static inline QSet<QString> s_windows;
};

// One paragraph of sentences, long enough for a text box to cut it, into several pieces.
QString longParagraph()
{
    QString text;
    for (int i = 0; text.size() < longParagraphThreshold() + 6 * longParagraphPiece(); ++i)
        text += u"Gateway page %1 ranks well for free software. Does it? Yes, today "_s.arg(i);
    return text + u"it does."_s;
}

// The positions of the box's soft breaks.
QList<int> softBreaks(const QPlainTextEdit *box)
{
    QList<int> breaks;
    for (QTextBlock block = box->document()->begin().next(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            breaks.append(block.position() - 1);
    }
    return breaks;
}

// The texts screen readers would be told were inserted into a box, while it lives: it stands
// where the screen reader does, under the boxes' own announcements.
class TextChangeRecorder
{
public:
    TextChangeRecorder()
    {
        s_inserted.clear();
        QAccessible::installUpdateHandler(record);
        installTextBoxAnnouncements();
    }
    ~TextChangeRecorder()
    {
        QAccessible::installUpdateHandler(nullptr);
        installTextBoxAnnouncements();
    }
    QStringList inserted() const { return s_inserted; }

private:
    static void record(QAccessibleEvent *event)
    {
        if (event->type() == QAccessible::TextInserted)
            s_inserted.append(static_cast<QAccessibleTextInsertEvent *>(event)->textInserted());
        else if (event->type() == QAccessible::TextUpdated)
            s_inserted.append(static_cast<QAccessibleTextUpdateEvent *>(event)->textInserted());
    }
    static inline QStringList s_inserted;
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { UiTest::discardAllAndCheckNoLeak(); }

    // First: the wizard's windows are measured when one of them is first shown in the process.
    void measuredWindowsTellScreenReadersNothing();
    void rolesAndNames_data();
    void rolesAndNames();
    void windowsDisabledAndEnabledAreAnnounced();
    void analysisCaptionsAreAnnounced();
    void analysisResultsAreNotifiedOnce_data();
    void analysisResultsAreNotifiedOnce();
    void enginePickIsNotifiedWithItsHelperText();
    void windowsAreDescribedByPlaceAndTexts_data();
    void windowsAreDescribedByPlaceAndTexts();
    void wizardWindowsSayTheirPlace_data();
    void wizardWindowsSayTheirPlace();
    void descriptionFollowsTheShownTexts();
    void lineBoxesGiveTheirWholeText_data();
    void lineBoxesGiveTheirWholeText();
    void textBoxesGiveTheTextAsTyped_data();
    void textBoxesGiveTheTextAsTyped();
    void textBoxChangesAreToldAsTyped();
    void editedThroughTheInterface_data();
    void editedThroughTheInterface();
    void qtTellsPlainTextEditChangesItself();
    void pickListPartsAreNamedByTheCaption();
    void focusableMeansReachedByTab_data();
    void focusableMeansReachedByTab();
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

void TestAccessibility::measuredWindowsTellScreenReadersNothing()
{
    // Showing the first step measures every wizard window on windows that never show; screen
    // readers hear only of the window that does.
    AnnouncementRecorder recorder;
    QWidget *step0 = Screens::show(ScreenId::Step0);
    QVERIFY(QTest::qWaitForWindowExposed(step0));
    QCOMPARE(AnnouncementRecorder::s_windows, QSet<QString>{u"frmStep0"_s});
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

void TestAccessibility::analysisResultsAreNotifiedOnce_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");
    QTest::newRow("description") << ScreenId::Step2 << u"MDescription"_s << u"Label12"_s << u"Label10"_s;
    QTest::newRow("body") << ScreenId::Step3 << u"PageBody"_s << u"lblCounter"_s << u"lblCounter2"_s;
}

void TestAccessibility::analysisResultsAreNotifiedOnce()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, box);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);
    pageProject().MatchPhrase = pageProject().TargetedPhrase = u"free software"_s;
    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    shown->findChild<QPlainTextEdit *>(box)->setPlainText(u"free software for all, free software today"_s);
    QWidget *focused = shown->findChild<QWidget *>(u"Command4"_s);
    focused->setFocus();

    AnnouncementRecorder recorder;
    UiTest::click(window, "Command4");
    const QString spoken = recorder.lastNotification();
    const QString statisticsText = shown->findChild<QLabel *>(statistics)->text();
    const QString adviceText = shown->findChild<QLabel *>(advice)->text();
    QVERIFY(statisticsText.contains(u"Statistics:"_s));
    // Both new captions, in one announcement, and the keyboard stays on the button.
    QCOMPARE(spoken, statisticsText + u'\n' + adviceText);
    QCOMPARE(QApplication::focusWidget(), focused);

    // A refused analysis announces nothing.
    shown->findChild<QPlainTextEdit *>(box)->clear();
    AnnouncementRecorder refused;
    UiTest::click(window, "Command4");
    QCOMPARE(refused.lastNotification(), QString());
}

// Screen readers say the engine picked in the list; the helper text that explains the pick is
// told once, as the analysis results are, while the keyboard stays on the list.
void TestAccessibility::enginePickIsNotifiedWithItsHelperText()
{
    pageProject().EngineName.clear();
    QVERIFY(UiTest::showActive(ScreenId::Step0));
    auto *list = UiTest::control<QComboBox>(ScreenId::Step0, "Combo1");
    list->setFocus();
    QWidget *focused = QApplication::focusWidget();

    AnnouncementRecorder recorder;
    QTest::keyClick(focused, Qt::Key_Down);
    const QString altaVista = UiTest::labelText(ScreenId::Step0, "lblHelper");
    QVERIFY2(altaVista.startsWith(u"You have chosen to target Alta Vista."_s), qPrintable(altaVista));
    QCOMPARE(recorder.notifications(), QStringList{altaVista});
    QCOMPARE(QApplication::focusWidget(), focused);

    // The next pick tells its own text, once.
    QTest::keyClick(focused, Qt::Key_Down);
    const QString aol = UiTest::labelText(ScreenId::Step0, "lblHelper");
    QVERIFY2(aol.startsWith(u"You have chosen to target AOL."_s), qPrintable(aol));
    QCOMPARE(recorder.notifications(), (QStringList{altaVista, aol}));
}

void TestAccessibility::windowsAreDescribedByPlaceAndTexts_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("description");
    QTest::newRow("frmMain") << ScreenId::Main
                             << u"Main menu.\nStart by making a gateway page using your web site's information. Once "
                                "you have made a gateway page, submit it to as many search engines as possible.  Why "
                                "create just one page? We recommend that you create a seperate gateway page for each "
                                "phrase you want to be listed under.\nMake a selection from the menu on the left, "
                                "then click the arrow below to get started."_s;
    QTest::newRow("frmStep0") << ScreenId::Step0
                              << u"Step 1 of 7, the target search engine and your web site address.\nWhich search "
                                 "engine are we going to get you ranked in today? Start by selecting a target from "
                                 "the menu below."_s;
    // The captions of text boxes are not read again: they name their boxes.
    QTest::newRow("frmStep3") << ScreenId::Step3
                              << u"Step 4 of 7, the page body.\nType a description of your site, then click the "
                                 "exclamation point below.\n**Be sure to include an accurate description of your "
                                 "site."_s;
    // Of the two texts that share a place, the one shown.
    QTest::newRow("frmStep4") << ScreenId::Step4
                              << u"Step 5 of 7, the main link and the hit counter.\n**Using a Hit Counter will allow "
                                 "you to keep track of how many visitors enter your site through this page."_s;
    QTest::newRow("frmKeyWordTips") << ScreenId::KeyWordTips
                                    << u"Tips on selecting phrases.\nThe \"Targeted Phrase\" is the exact string of "
                                       "key words you want your site to be listed under. Here are six things to keep "
                                       "in mind while selecting your phrases."_s;
}

void TestAccessibility::windowsAreDescribedByPlaceAndTexts()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, description);
    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(interfaceOf(shown)->text(QAccessible::Description), description);
    // The title stays the program's.
    QCOMPARE(interfaceOf(shown)->text(QAccessible::Name), u"Rankwright Assistant 5.0"_s);
}

void TestAccessibility::wizardWindowsSayTheirPlace_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<int>("step"); // how many windows Continue leads through to reach it
    QTest::addColumn<QString>("place");
    QTest::newRow("frmStep0") << ScreenId::Step0 << 1
                              << u"Step 1 of 7, the target search engine and your web site address"_s;
    QTest::newRow("frmStep1") << ScreenId::Step1 << 2 << u"Step 2 of 7, your phrases"_s;
    QTest::newRow("frmStep2") << ScreenId::Step2 << 3 << u"Step 3 of 7, the page title and the Meta-Tag description"_s;
    QTest::newRow("frmStep3") << ScreenId::Step3 << 4 << u"Step 4 of 7, the page body"_s;
    QTest::newRow("frmStep4") << ScreenId::Step4 << 5 << u"Step 5 of 7, the main link and the hit counter"_s;
    QTest::newRow("frmStep5") << ScreenId::Step5 << 6 << u"Step 6 of 7, the page settings"_s;
    QTest::newRow("frmGenerator") << ScreenId::Generator << 7 << u"Step 7 of 7, your gateway page"_s;
}

// Each window of the wizard says first where it stands among the windows Continue leads through,
// from the main menu's first step to the generator.
void TestAccessibility::wizardWindowsSayTheirPlace()
{
    QFETCH(ScreenId, window);
    QFETCH(int, step);
    QFETCH(QString, place);
    std::vector<ScreenId> walked{WizardFlow::FirstStep};
    while (walked.back() != ScreenId::Generator && walked.size() < 20)
        walked.push_back(WizardFlow::next(walked.back()));
    QCOMPARE(walked.size(), size_t(7));
    QVERIFY2(walked.at(step - 1) == window, "the flow does not lead to this window at this step");

    pageProject().MatchPhrase = u"blue widgets"_s;
    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(interfaceOf(shown)->text(QAccessible::Description).section(u'\n', 0, 0), place + u'.');
}

void TestAccessibility::descriptionFollowsTheShownTexts()
{
    QWidget *step0 = UiTest::showActive(ScreenId::Step0);
    QVERIFY(step0);
    UiTest::pick(UiTest::control<QComboBox>(ScreenId::Step0, "Combo1"), 1);
    const QString description = interfaceOf(step0)->text(QAccessible::Description);
    QVERIFY2(description.endsWith(u"\nYou have chosen to target AOL. Enter your web site address below, then click "
                                  "the arrow button to continue to the next step."_s),
             qPrintable(description));

    // Back from a window that opened over it, the user hears which window it is, not its texts again.
    UiTest::click(ScreenId::Step0, "Command1");
    QVERIFY(QTest::qWaitForWindowActive(Screens::find(ScreenId::Quit1)));
    UiTest::click(ScreenId::Quit1, "Command2");
    QVERIFY(QTest::qWaitForWindowActive(step0));
    QCOMPARE(interfaceOf(step0)->text(QAccessible::Description),
             u"Step 1 of 7, the target search engine and your web site address."_s);

    // Screen readers that keep the description they read are told to read it again on arrival.
    Screens::show(ScreenId::Step1);
    step0->hide();
    AnnouncementRecorder recorder;
    Screens::show(ScreenId::Step0);
    QVERIFY(recorder.announced(step0, QAccessible::DescriptionChanged));
    QVERIFY(interfaceOf(step0)->text(QAccessible::Description).endsWith(u"the next step."_s));
}

void TestAccessibility::lineBoxesGiveTheirWholeText_data()
{
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("value");
    QTest::newRow("address") << ScreenId::Step0 << u"txtUrl1"_s << u"http://"_s;
    QTest::newRow("link text") << ScreenId::Step4 << u"txtLinkText"_s << u"blue widgets - Click Here!"_s;
    QTest::newRow("example phrase") << ScreenId::KeyWordTips << u"Support1"_s << u"Search Engine Secrets"_s;
    QTest::newRow("pick list field") << ScreenId::Stats << QString() << u"Click Here    =>"_s;
}

void TestAccessibility::lineBoxesGiveTheirWholeText()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, box);
    QFETCH(QString, value);
    pageProject().MatchPhrase = u"blue widgets"_s;
    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QLineEdit *field =
        box.isEmpty() ? shown->findChild<QComboBox *>(u"Combo1"_s)->lineEdit() : shown->findChild<QLineEdit *>(box);
    QAccessibleTextInterface *text = interfaceOf(field)->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), value.size());
    QCOMPARE(text->text(0, text->characterCount()), value);
    QCOMPARE(interfaceOf(field)->text(QAccessible::Value), value);
    // One run of attributes over the whole text, asked at its start, its last character and its end.
    for (int offset : {0, int(value.size()) - 1, int(value.size())}) {
        int start = -1;
        int end = -1;
        text->attributes(offset, &start, &end);
        QCOMPARE(start, 0);
        QCOMPARE(end, value.size());
    }
    // The caret and the selection are the box's.
    field->setSelection(1, 3);
    int start = -1;
    int end = -1;
    QCOMPARE(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(1, 4));
    QCOMPARE(text->cursorPosition(), field->cursorPosition());
}

void TestAccessibility::textBoxesGiveTheTextAsTyped_data()
{
    QTest::addColumn<QAccessible::TextBoundaryType>("boundary");
    QTest::newRow("character") << QAccessible::CharBoundary;
    QTest::newRow("word") << QAccessible::WordBoundary;
    QTest::newRow("sentence") << QAccessible::SentenceBoundary;
    QTest::newRow("paragraph") << QAccessible::ParagraphBoundary;
    QTest::newRow("whole text") << QAccessible::NoBoundary;
}

void TestAccessibility::textBoxesGiveTheTextAsTyped()
{
    QFETCH(QAccessible::TextBoundaryType, boundary);
    // A long paragraph is held as pieces; screen readers get it as Qt gives the same paragraph
    // held whole.
    const QString typed = longParagraph();
    QWidget *step3 = Screens::show(ScreenId::Step3);
    QVERIFY(QTest::qWaitForWindowExposed(step3));
    auto *body = UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    setBoxText(body, typed);
    // The pieces are cut where the box wraps the lines, once it knows its width.
    QTRY_VERIFY(qobject_cast<TextBox *>(body)->isSettled());
    const QList<int> breaks = softBreaks(body);
    QVERIFY2(breaks.size() >= 3, "the paragraph was not cut");
    QPlainTextEdit whole;
    whole.setPlainText(typed);
    whole.resize(body->size());
    whole.show();
    QVERIFY(QTest::qWaitForWindowExposed(&whole));
    QAccessibleInterface *accessible = interfaceOf(body);
    QAccessibleTextInterface *text = accessible->textInterface();
    QAccessibleTextInterface *expected = interfaceOf(&whole)->textInterface();
    QVERIFY(text && expected);

    QCOMPARE(accessible->text(QAccessible::Value), typed);
    QCOMPARE(text->characterCount(), typed.size());
    QCOMPARE(text->text(0, text->characterCount()), typed);
    QList<int> offsets{0, 1, int(typed.size()) - 1, int(typed.size())};
    for (int softBreak : breaks)
        offsets << softBreak - 1 << softBreak << softBreak + 1 << softBreak + 2;
    using Call = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int *, int *) const;
    const std::pair<const char *, Call> calls[] = {{"at", &QAccessibleTextInterface::textAtOffset},
                                                   {"before", &QAccessibleTextInterface::textBeforeOffset},
                                                   {"after", &QAccessibleTextInterface::textAfterOffset}};
    for (const auto &[name, call] : calls) {
        for (int offset : offsets) {
            int start = -1;
            int end = -1;
            int wholeStart = -1;
            int wholeEnd = -1;
            // Qt answers the stretch at the start again for the one before it: there is none.
            expected->textAtOffset(offset, boundary, &wholeStart, &wholeEnd);
            // ... and the stretch at the end again for the one after it: there is none either.
            if ((call == calls[1].second && wholeStart == 0) || (call == calls[2].second && wholeEnd == typed.size())) {
                QCOMPARE((text->*call)(offset, boundary, &start, &end), QString());
                continue;
            }
            const QString got = (text->*call)(offset, boundary, &start, &end);
            const QString want = (expected->*call)(offset, boundary, &wholeStart, &wholeEnd);
            const QByteArray where = QByteArray(name) + " offset " + QByteArray::number(offset);
            QVERIFY2(got == want, QByteArray(where + ": " + got.toUtf8() + " | " + want.toUtf8()).constData());
            QVERIFY2(start == wholeStart && end == wholeEnd, where.constData());
            QCOMPARE(got, typed.mid(start, end - start));
        }
    }

    // A line is a line the box shows; the one at a soft break ends there, with no line break.
    for (int softBreak : breaks) {
        int start = -1;
        int end = -1;
        const QString line = text->textAtOffset(softBreak, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(end, softBreak);
        QCOMPARE(line, typed.mid(start, end - start));
        const QString next = text->textAfterOffset(softBreak, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(start, softBreak + 1);
        QCOMPARE(next, typed.mid(start, end - start));
        QVERIFY(!next.contains(u'\n') && !line.contains(u'\n'));
    }

    // One run of attributes over the whole text, so that the value is read whole.
    for (int offset : {0, breaks.first(), int(typed.size()) - 1, int(typed.size())}) {
        int start = -1;
        int end = -1;
        text->attributes(offset, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, int(typed.size())));
    }
    // The caret and the selection are the box's.
    QTextCursor cursor(body->document());
    cursor.setPosition(breaks.first() - 2);
    cursor.setPosition(breaks.first() + 3, QTextCursor::KeepAnchor);
    body->setTextCursor(cursor);
    int start = -1;
    int end = -1;
    QCOMPARE(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    QCOMPARE(std::pair(start, end), std::pair(breaks.first() - 2, breaks.first() + 3));
    QCOMPARE(text->cursorPosition(), breaks.first() + 3);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QCOMPARE(accessible->text(QAccessible::Name), u"Page Body:"_s);
    QVERIFY(accessible->state().multiLine && accessible->state().editable);
}

void TestAccessibility::textBoxChangesAreToldAsTyped()
{
    QWidget *step3 = UiTest::showActive(ScreenId::Step3);
    QVERIFY(step3);
    auto *body = UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    body->setFocus();
    const QString typed = longParagraph();
    setBoxText(body, typed);
    QTRY_VERIFY(qobject_cast<TextBox *>(body)->isSettled());
    const int breaksBefore = int(softBreaks(body).size());

    // Typing at the end until the box cuts the paragraph again: each key is one character
    // inserted; the cut is no change of the text.
    body->moveCursor(QTextCursor::End);
    QString more;
    for (int i = 0; more.size() < longParagraphPiece() + 20; ++i)
        more += u" and %1"_s.arg(i);
    {
        TextChangeRecorder recorder;
        QTest::keyClicks(body, more);
        QCOMPARE(boxText(body), typed + more);
        QVERIFY2(softBreaks(body).size() > breaksBefore, "typing did not cut the paragraph again");
        QCOMPARE(recorder.inserted().join(QString()), more);
    }
    // A pasted paragraph, cut as it goes in, is told as it was on the clipboard.
    TextChangeRecorder recorder;
    QGuiApplication::clipboard()->setText(typed);
    QTest::keySequence(body, QKeySequence::Paste);
    QCOMPARE(boxText(body), typed + more + typed);
    QCOMPARE(recorder.inserted(), QStringList{typed});
}

void TestAccessibility::editedThroughTheInterface_data()
{
    // What an on-screen keyboard or a screen reader's editing does, and the text it leaves.
    QTest::addColumn<ScreenId>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("edit"); // "replace START END TEXT", or "set TEXT"
    QTest::addColumn<QString>("value");
    QTest::newRow("line box, a stretch replaced inside") << ScreenId::Step0 << u"txtUrl1"_s << u"http://widgets"_s
                                                         << false << u"replace 1 3 XY"_s << u"hXYp://widgets"_s;
    QTest::newRow("line box, read-only, set")
        << ScreenId::Step0 << u"txtUrl1"_s << u"http://widgets"_s << true << u"set other"_s << u"http://widgets"_s;
    QTest::newRow("text box, read-only, set")
        << ScreenId::Step3 << u"PageBody"_s << u"body"_s << true << u"set other"_s << u"body"_s;
    QTest::newRow("text box, read-only, replace")
        << ScreenId::Step3 << u"PageBody"_s << u"body"_s << true << u"replace 0 2 XY"_s << u"body"_s;
    // A line separator (Shift+Return) is read as the line break it shows.
    QTest::newRow("text box, line separator")
        << ScreenId::Step3 << u"PageBody"_s << u"one\u2028two"_s << false << u"replace 0 1 O"_s << u"One\ntwo"_s;
}

void TestAccessibility::editedThroughTheInterface()
{
    QFETCH(ScreenId, window);
    QFETCH(QString, box);
    QFETCH(QString, given);
    QFETCH(bool, readOnly);
    QFETCH(QString, edit);
    QFETCH(QString, value);
    QWidget *shown = Screens::show(window);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QWidget *field = shown->findChild<QWidget *>(box);
    QVERIFY(field);
    if (auto *line = qobject_cast<QLineEdit *>(field)) {
        line->setText(given);
        line->setReadOnly(readOnly);
    } else {
        auto *text = qobject_cast<QPlainTextEdit *>(field);
        setBoxText(text, given);
        text->setReadOnly(readOnly);
    }
    QAccessibleInterface *accessible = interfaceOf(field);
    const QStringList words = edit.split(u' ');
    if (words.first() == u"set")
        accessible->setText(QAccessible::Value, words.at(1));
    else
        accessible->editableTextInterface()->replaceText(words.at(1).toInt(), words.at(2).toInt(), words.at(3));
    QCOMPARE(accessible->text(QAccessible::Value), value);
    QAccessibleTextInterface *text = accessible->textInterface();
    QCOMPARE(text->text(0, text->characterCount()), value);
}

void TestAccessibility::qtTellsPlainTextEditChangesItself()
{
    // The text boxes drop the text events Qt sends for them and tell their own (a soft break is
    // a blank, a cut no change): what Qt sends for a plain text edit is what they stand in for.
    // Should Qt tell changes another way, this fails, and the boxes' filter wants a look.
    QPlainTextEdit plain;
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    plain.setPlainText(u"one\ntwo"_s);
    plain.moveCursor(QTextCursor::End);
    TextChangeRecorder recorder;
    QTest::keyClicks(&plain, u"ab"_s);
    QGuiApplication::clipboard()->setText(u"x\ny"_s);
    QTest::keySequence(&plain, QKeySequence::Paste);
    const QString lineBreak(QChar::ParagraphSeparator);
    QCOMPARE(recorder.inserted(), (QStringList{u"a"_s, u"b"_s, u"x"_s + lineBreak + u"y"_s}));
}

void TestAccessibility::pickListPartsAreNamedByTheCaption()
{
    QWidget *step0 = Screens::show(ScreenId::Step0);
    QVERIFY(QTest::qWaitForWindowExposed(step0));
    auto *list = UiTest::control<QComboBox>(ScreenId::Step0, "Combo1");
    QAccessibleInterface *listInterface = interfaceOf(list);
    QCOMPARE(listInterface->text(QAccessible::Name), u"Select A Target:"_s);
    QAccessibleInterface *field = interfaceOf(list->lineEdit());
    QCOMPARE(field->role(), QAccessible::EditableText);
    QCOMPARE(field->text(QAccessible::Name), u"Select A Target:"_s);
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    QCOMPARE(interfaceOf(list->view())->text(QAccessible::Name), u"Select A Target:"_s);
    list->hidePopup();
}

void TestAccessibility::focusableMeansReachedByTab_data()
{
    QTest::addColumn<ScreenId>("window");
    for (ScreenId id :
         {ScreenId::Main, ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4,
          ScreenId::Step5, ScreenId::Generator, ScreenId::Search, ScreenId::Stats, ScreenId::KeyWordTips})
        QTest::addRow("%s", formName(id).data()) << id;
}

void TestAccessibility::focusableMeansReachedByTab()
{
    QFETCH(ScreenId, window);
    pageProject().MatchPhrase = u"blue widgets"_s;
    QWidget *shown = UiTest::showActive(window);
    QVERIFY(shown);
    // The controls Tab visits, all the way round.
    QSet<QWidget *> reached;
    QWidget *start = QApplication::focusWidget();
    QVERIFY(start);
    for (int i = 0; i < 200; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
    }
    for (QWidget *widget : shown->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(shown) || widget->window() != shown)
            continue;
        QAccessibleInterface *accessible = interfaceOf(widget);
        if (!accessible || !accessible->state().focusable)
            continue;
        // A list's field takes the focus for its list.
        QWidget *owner = widget->focusProxy() ? widget->focusProxy() : widget;
        QVERIFY2(reached.contains(owner) || reached.contains(widget),
                 qPrintable(u"%1 (%2) says it is focusable, but Tab never reaches it"_s.arg(
                     widget->objectName(), QString::fromLatin1(widget->metaObject()->className()))));
        QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                 qPrintable(u"%1 is focusable but has no name"_s.arg(widget->objectName())));
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
