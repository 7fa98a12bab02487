#include "ui/windows/frmstep1.h"

#include "core/pageproject.h"
#include "ui/model/wizardflow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

frmStep1::frmStep1()
    : WizardStep(ScreenId::Step1, QStringLiteral("your phrases"))
{
    createControls();
    connectControls();
}

void frmStep1::createControls()
{
    QLabel *label1 = addText("Label1", QStringLiteral("Fill in the phrases you would like to be listed under, then "
                                                      "click the arrow button to continue or click the exclamation "
                                                      "point for tips on selecting phrases."));
    QLabel *label2 = addLabel("Label2", QStringLiteral("Targeted Phrase:"));
    m_primaryKeywords = addLineEdit("PrimaryKeywords", label2);
    QLabel *label13 = addText("Label13", QStringLiteral("Remember that the Targeted Phrase is the exact phrase you "
                                                        "want to be listed under."));
    QLabel *label3 = addLabel("Label3", QStringLiteral("Support Phrases:"));
    m_support1 = addLineEdit("Support1", label3);
    // The caption stands beside the first of the three; the others say which one they are.
    m_support2 = addLineEdit("Support2", nullptr);
    m_support2->setAccessibleName(label3->text() + QLatin1String(" 2"));
    m_support3 = addLineEdit("Support3", nullptr);
    m_support3->setAccessibleName(label3->text() + QLatin1String(" 3"));
    QLabel *label14 = addText("Label14", QStringLiteral("Your Support Phrases can contain some of the same words as "
                                                        "your Targeted Phrase, but do not repeat your Targeted "
                                                        "Phrase. Click the exclamation point below for more "
                                                        "information."));

    m_continue = addContinueButton();
    m_keywordTips = addExclamationButton(QStringLiteral("Click Here For More Information"));
    addBackButton();
    addQuitButton();

    auto *page = new QGridLayout;
    page->addWidget(label1, 0, 0, 1, 2);
    page->addWidget(label2, 1, 0);
    page->addWidget(m_primaryKeywords, 1, 1);
    page->addWidget(label13, 2, 1);
    page->addWidget(label3, 3, 0);
    page->addWidget(m_support1, 3, 1);
    page->addWidget(m_support2, 4, 1);
    page->addWidget(m_support3, 5, 1);
    page->addWidget(label14, 6, 0, 1, 2);
    page->setColumnStretch(1, 1);
    page->setRowStretch(7, 1);
    setBody(page);
    m_primaryKeywords->setFocus();
}

void frmStep1::connectControls()
{
    connect(m_continue, &QToolButton::clicked, this, &frmStep1::continueToTitle);
    // The tips window brings this step back, entries and all, when it closes.
    connect(m_keywordTips, &QToolButton::clicked, this, &frmStep1::moveAside);
}

void frmStep1::continueToTitle()
{
    // Blanks count as an entry: nothing is trimmed.
    for (const QLineEdit *box : {m_primaryKeywords, m_support1, m_support2, m_support3}) {
        if (box->text().isEmpty()) {
            WizardFlow::showMessage(ScreenId::Error4, this);
            return;
        }
    }
    PageProject &project = pageProject();
    const QString targeted = m_primaryKeywords->text();
    project.TargetedPhrase = targeted;
    project.SupportPhrase1 = m_support1->text();
    project.SupportPhrase2 = m_support2->text();
    project.SupportPhrase3 = m_support3->text();
    project.MatchPhrase = targeted;
    project.KeywordList = targeted + QLatin1String(", ") + project.SupportPhrase1 + QLatin1String(", ") +
                          project.SupportPhrase2 + QLatin1String(", ") + project.SupportPhrase3;
    moveOn();
}
