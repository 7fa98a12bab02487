#include "ui/frmstep2.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "ui/accessibility.h"
#include "ui/textboxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

frmStep2::frmStep2()
    : WizardStep(ScreenId::Step2)
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
    m_label12 = addText("Label12", QStringLiteral("Type a description of your site, then click the exclamation "
                                                  "point below."));
    m_label10 = addText("Label10", QStringLiteral("The Page Title and Meta-Tag description are what will be "
                                                  "displayed in the search engine index, so be sure to include an "
                                                  "accurate description. When your finished, click the exclamation "
                                                  "point below."));
    // A report has up to four lines; keep room for them so the window does not jump.
    const int reportHeight = m_label10->fontMetrics().lineSpacing() * 5;
    m_label12->setMinimumHeight(reportHeight);
    m_label10->setMinimumHeight(reportHeight);

    m_command4 = addExclamationButton(QStringLiteral("Click Here To Analize Your Meta-Tag Description!"));
    m_command2 = addContinueButton();
    addBackButton(ScreenId::Step1);
    addQuitButton();

    auto *report = new QHBoxLayout;
    report->addWidget(m_label12, 1);
    report->addWidget(m_label10, 1);

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
    connect(m_command4, &QToolButton::clicked, this, &frmStep2::analyseDescription);
    connect(m_command2, &QToolButton::clicked, this, &frmStep2::continueToBody);
}

void frmStep2::load()
{
    // Only when the screen is created: coming back here later keeps what the boxes hold.
    const QString phrase = pageProject().MatchPhrase;
    m_siteTitle->setText(phrase + QLatin1String(" - ") + phrase);
    setBoxText(m_mDescription, phrase + QLatin1String(" - "));
}

void frmStep2::analyseDescription()
{
    AnalysedBox analysed = analysedBox(m_mDescription);
    const ReportOutcome outcome = ReportMetaDescription(pageProject(), analysed);
    if (outcome.refusal != ReportRefusal::None) {
        Screens::showMessage(ScreenId::Error5, this, ScreenId::Step2);
        return;
    }
    setCaption(m_label12, outcome.captions.statistics);
    setCaption(m_label10, outcome.captions.advice);
    applySelection(m_mDescription, analysed);
    announceResults(m_label12, m_label10);
}

void frmStep2::continueToBody()
{
    PageProject &project = pageProject();
    const QString description = boxText(m_mDescription);
    // The untouched pre-fill is no description.
    if (description.isEmpty() || description == project.MatchPhrase + QLatin1String(" - ")) {
        Screens::showMessage(ScreenId::Error5, this, ScreenId::Step2);
        return;
    }
    project.PageTitle = m_siteTitle->text();
    project.MetaDescription = description;
    moveTo(ScreenId::Step3);
}
