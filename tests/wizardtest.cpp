#include "wizardtest.h"

#include "ui/controls/boxtexts.h"
#include "uitest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

using UiTest::closeByCloseControl;
using UiTest::control;
using UiTest::isUsable;
using UiTest::startWizard;
using UiTest::typeText;

char *toString(const SettingsScreenState &state)
{
    QByteArray text = "checks ";
    for (bool on : state.checks)
        text += on ? '1' : '0';
    text += " frequency " + QByteArray::number(state.frequencyPosition) + " spam detection " +
            QByteArray::number(state.spamDetectionPosition);
    return qstrdup(text.constData());
}

namespace WizardTest {

QLineEdit *lineBox(ScreenId id, const char *name)
{
    if (auto *list = control<QComboBox>(id, name))
        return list->lineEdit();
    return control<QLineEdit>(id, name);
}

void closeMessage(ScreenId message, bool byCloseControl)
{
    QVERIFY(Screens::isOpen(message));
    if (byCloseControl)
        closeByCloseControl(message);
    else
        UiTest::click(message, "Command1");
    UiTest::settle();
    QVERIFY(!Screens::isOpen(message));
}

void setPhrases(const QString &targeted)
{
    PageProject &project = pageProject();
    project.TargetedPhrase = targeted;
    project.MatchPhrase = targeted;
    project.SupportPhrase1 = u"download"_s;
    project.SupportPhrase2 = u"freeware"_s;
    project.SupportPhrase3 = u"shareware"_s;
}

QPair<qsizetype, qsizetype> selectionOf(QPlainTextEdit *box)
{
    const AnalysedBox analysed = analysedBox(box);
    return {analysed.selStart, analysed.selLength};
}

SettingsScreenState shownSettings()
{
    SettingsScreenState state;
    for (int i = 0; i < 10; ++i) {
        auto *box = control<QCheckBox>(ScreenId::Step5, qPrintable(u"Check%1"_s.arg(i + 1)));
        state.checks[i] = box && box->isChecked();
    }
    state.frequencyPosition = control<QComboBox>(ScreenId::Step5, "Combo2")->currentIndex();
    state.spamDetectionPosition = control<QComboBox>(ScreenId::Step5, "Combo1")->currentIndex();
    return state;
}

void completeStep(ScreenId step)
{
    QVERIFY(isUsable(step));
    switch (step) {
    case ScreenId::Step0:
        UiTest::pick(control<QComboBox>(step, "Combo1"), 0);
        typeText(control<QLineEdit>(step, "txtUrl1"), u"http://www.example.com"_s);
        break;
    case ScreenId::Step1: {
        const char *const names[] = {"PrimaryKeywords", "Support1", "Support2", "Support3"};
        const QString phrases[] = {u"free software"_s, u"download"_s, u"freeware"_s, u"shareware"_s};
        for (int i = 0; i < 4; ++i)
            typeText(control<QLineEdit>(step, names[i]), phrases[i]);
        break;
    }
    case ScreenId::Step2:
        typeText(control<QPlainTextEdit>(step, "MDescription"), u"Free software for everyone"_s);
        break;
    case ScreenId::Step3:
        typeText(control<QPlainTextEdit>(step, "PageBody"), u"Get free software now"_s);
        break;
    default:
        break;
    }
    UiTest::click(step, "Command2");
}

void walkTo(ScreenId target)
{
    startWizard();
    for (ScreenId step : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4}) {
        if (step == target)
            break;
        completeStep(step);
    }
    QVERIFY(isUsable(target));
}

QList<ScreenId> openSteps()
{
    QList<ScreenId> open;
    for (ScreenId id : WizardScreens) {
        if (isWizardStep(id) && Screens::isOpen(id))
            open << id;
    }
    return open;
}

} // namespace WizardTest
