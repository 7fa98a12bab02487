#include "ui/windows/frmstep4.h"

#include "core/pageproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

frmStep4::frmStep4()
    : WizardStep(ScreenId::Step4, QStringLiteral("the main link and the hit counter"))
{
    createControls();
    connectControls();
}

void frmStep4::load()
{
    m_txtLinkText->setText(pageProject().MatchPhrase + QLatin1String(" - Click Here!"));
}

void frmStep4::createControls()
{
    m_chkHitCounter = new QCheckBox(QStringLiteral("Use a Hit Counter"), this);
    m_chkHitCounter->setObjectName(QStringLiteral("chkHitCounter"));
    m_label1 = addText("Label1", QStringLiteral("**Using a Hit Counter will allow you to keep track of how many "
                                                "visitors enter your site through this page."));
    m_label9 = addLabel("Label9", QStringLiteral("Copy and Paste your Hit Counter HTML code below:"));
    m_text6 = addTextBox("Text6", m_label9);
    QLabel *label11 = addLabel("Label11", QStringLiteral("The main link to your site will look like this:"));
    m_txtLinkText = addLineEdit("txtLinkText", label11);

    m_continue = addContinueButton();
    addBackButton();
    addQuitButton();

    // The explanation and the counter's box take turns in one place, which keeps its size
    // whichever of them shows.
    auto *counter = new QVBoxLayout;
    counter->setContentsMargins(0, 0, 0, 0);
    counter->addWidget(m_label9);
    counter->addWidget(m_text6);
    for (QWidget *part : {static_cast<QWidget *>(m_label9), static_cast<QWidget *>(m_text6)}) {
        QSizePolicy policy = part->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        part->setSizePolicy(policy);
    }

    auto *page = new QGridLayout;
    page->addWidget(m_chkHitCounter, 0, 0, Qt::AlignLeft);
    page->addWidget(m_label1, 1, 0);
    page->addLayout(counter, 1, 0);
    page->addWidget(label11, 2, 0);
    page->addWidget(m_txtLinkText, 3, 0);
    page->setRowStretch(1, 1);
    setBody(page);
    showHitCounter(false);
    m_chkHitCounter->setFocus();
}

void frmStep4::connectControls()
{
    connect(m_chkHitCounter, &QCheckBox::toggled, this, &frmStep4::showHitCounter);
    connect(m_continue, &QToolButton::clicked, this, &frmStep4::continueToSettings);
}

void frmStep4::showHitCounter(bool shown)
{
    m_label9->setVisible(shown);
    m_text6->setVisible(shown);
    m_label1->setVisible(!shown);
}

void frmStep4::continueToSettings()
{
    PageProject &project = pageProject();
    project.LinkText = m_txtLinkText->text();
    // What was pasted is kept even while the counter is switched off.
    project.HitCounterHtml = boxText(m_text6);
    project.UseHitCounter = flagText(m_chkHitCounter->isChecked());
    moveOn();
}
