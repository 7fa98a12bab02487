#include "ui/windows/frmstep2.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/boxreport.h"
#include "ui/model/wizardflow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

frmStep2::frmStep2()
    : WizardStep(ScreenId::Step2, QStringLiteral("the page title and the Meta-Tag description"))
{
    createControls();
    connectControls();
}

void frmStep2::createControls()
{
    QLabel *label5 = addLabel("Label5", QStringLiteral("Page Title:"));
    m_siteTitle = addLineEdit("SiteTitle", label5);
    QLabel *label8 = addLabel("Label8", QStringLiteral("Meta-Tag Description:"));
    m_mDescription = addTextBox("MDescription", label8);
    m_mDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_statistics = addText("Label12", QStringLiteral("Type a description of your site, then click the exclamation "
                                                     "point below."));
    m_advice = addText("Label10", QStringLiteral("The Page Title and Meta-Tag description are what will be "
                                                 "displayed in the search engine index, so be sure to include an "
                                                 "accurate description. When your finished, click the exclamation "
                                                 "point below."));
    // A report has up to four lines; keep room for them so the window does not jump.
    const int reportHeight = m_advice->fontMetrics().lineSpacing() * 5;
    m_statistics->setMinimumHeight(reportHeight);
    m_advice->setMinimumHeight(reportHeight);

    m_analyse = addExclamationButton(QStringLiteral("Click Here To Analize Your Meta-Tag Description!"));
    m_continue = addContinueButton();
    addBackButton();
    addQuitButton();

    auto *report = new QHBoxLayout;
    report->addWidget(m_statistics, 1);
    report->addWidget(m_advice, 1);

    auto *page = new QGridLayout;
    page->addWidget(label5, 0, 0);
    page->addWidget(m_siteTitle, 0, 1);
    page->addWidget(label8, 1, 0, Qt::AlignTop);
    page->addWidget(m_mDescription, 1, 1);
    page->addLayout(report, 2, 0, 1, 2);
    page->setColumnStretch(1, 1);
    page->setRowStretch(1, 1);
    setBody(page);
    m_siteTitle->setFocus();
}

void frmStep2::connectControls()
{
    connect(m_analyse, &QToolButton::clicked, this, &frmStep2::analyseDescription);
    connect(m_continue, &QToolButton::clicked, this, &frmStep2::continueToBody);
}

void frmStep2::load()
{
    // Only when the screen is created: coming back here later keeps what the boxes hold.
    const QString phrase = pageProject().MatchPhrase;
    m_siteTitle->setText(phrase + QLatin1String(" - ") + phrase);
    setBoxText(m_mDescription, DescriptionPrefill(phrase));
}

void frmStep2::analyseDescription()
{
    const auto report = [](AnalysedBox &box) { return ReportMetaDescription(pageProject(), box); };
    if (showBoxReport(m_mDescription, m_statistics, m_advice, report) != ReportRefusal::None)
        WizardFlow::showMessage(ScreenId::Error5, this);
}

void frmStep2::continueToBody()
{
    PageProject &project = pageProject();
    const QString description = boxText(m_mDescription);
    if (IsDescriptionMissing(description, project)) {
        WizardFlow::showMessage(ScreenId::Error5, this);
        return;
    }
    project.PageTitle = m_siteTitle->text();
    project.MetaDescription = description;
    moveOn();
}
