#include "ui/windows/frmstep3.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/boxreport.h"
#include "ui/model/wizardflow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

frmStep3::frmStep3()
    : WizardStep(ScreenId::Step3, QStringLiteral("the page body"))
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

    m_analyse = addExclamationButton(QStringLiteral("Click Here To Analize Your Page Body Information!"));
    m_continue = addContinueButton();
    addBackButton();
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
    connect(m_analyse, &QToolButton::clicked, this, &frmStep3::analyseBody);
    connect(m_continue, &QToolButton::clicked, this, &frmStep3::continueToLink);
}

void frmStep3::analyseBody()
{
    const auto report = [](AnalysedBox &box) { return ReportPageBody(pageProject(), box); };
    if (showBoxReport(m_pageBody, m_lblCounter, m_lblCounter2, report) != ReportRefusal::None)
        WizardFlow::showMessage(ScreenId::Error8, this);
}

void frmStep3::continueToLink()
{
    const QString body = boxText(m_pageBody);
    if (body.isEmpty()) {
        WizardFlow::showMessage(ScreenId::Error8, this);
        return;
    }
    pageProject().BodyText = body;
    moveOn();
}
