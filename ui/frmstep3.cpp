#include "ui/frmstep3.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "ui/accessibility.h"
#include "ui/textboxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

frmStep3::frmStep3()
    : WizardStep(ScreenId::Step3)
{
    createControls();
    connectControls();
}

void frmStep3::createControls()
{
    QLabel *label7 = addLabel("Label7", QStringLiteral("Page Body:"));
    m_pageBody = addTextBox("PageBody", label7);
    m_pageBody->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_lblCounter = addText("lblCounter", QStringLiteral("Type a description of your site, then click the exclamation "
                                                        "point below."));
    m_lblCounter2 =
        addText("lblCounter2", QStringLiteral("**Be sure to include an accurate description of your site."));
    // A report has up to four lines; keep room for them so the window does not jump.
    const int reportHeight = m_lblCounter2->fontMetrics().lineSpacing() * 5;
    m_lblCounter->setMinimumHeight(reportHeight);
    m_lblCounter2->setMinimumHeight(reportHeight);

    m_command4 = addExclamationButton(QStringLiteral("Click Here To Analize Your Page Body Information!"));
    m_command2 = addContinueButton();
    addBackButton(ScreenId::Step2);
    addQuitButton();

    auto *report = new QHBoxLayout;
    report->addWidget(m_lblCounter, 1);
    report->addWidget(m_lblCounter2, 1);

    auto *page = new QGridLayout;
    page->addWidget(label7, 0, 0, Qt::AlignTop);
    page->addWidget(m_pageBody, 0, 1);
    page->addLayout(report, 1, 0, 1, 2);
    page->setColumnStretch(1, 1);
    page->setRowStretch(0, 1);
    setBody(page);
    m_pageBody->setFocus();
}

void frmStep3::connectControls()
{
    connect(m_command4, &QToolButton::clicked, this, &frmStep3::analyseBody);
    connect(m_command2, &QToolButton::clicked, this, &frmStep3::continueToLink);
}

void frmStep3::analyseBody()
{
    AnalysedBox analysed = analysedBox(m_pageBody);
    const ReportOutcome outcome = ReportPageBody(pageProject(), analysed);
    if (outcome.refusal != ReportRefusal::None) {
        Screens::showMessage(ScreenId::Error8, this, ScreenId::Step3);
        return;
    }
    setCaption(m_lblCounter, outcome.captions.statistics);
    setCaption(m_lblCounter2, outcome.captions.advice);
    applySelection(m_pageBody, analysed);
    announceResults(m_lblCounter, m_lblCounter2);
}

void frmStep3::continueToLink()
{
    const QString body = boxText(m_pageBody);
    if (body.isEmpty()) {
        Screens::showMessage(ScreenId::Error8, this, ScreenId::Step3);
        return;
    }
    pageProject().BodyText = body;
    moveTo(ScreenId::Step4);
}
