#include "ui/windows/frmstep0.h"

#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "ui/controls/picklist.h"
#include "ui/model/accessibility.h"
#include "ui/model/wizardflow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

frmStep0::frmStep0()
    : WizardStep(ScreenId::Step0, QStringLiteral("the target search engine and your web site address"))
{
    createControls();
    connectControls();
}

void frmStep0::createControls()
{
    m_lblHelper = addText("lblHelper", QStringLiteral("Which search engine are we going to get you ranked in today? "
                                                      "Start by selecting a target from the menu below."));
    // Room for the longer text that names the chosen engine, so the window does not jump.
    m_lblHelper->setMinimumHeight(m_lblHelper->fontMetrics().lineSpacing() * 3);

    QLabel *label1 = addLabel("Label1", QStringLiteral("Select A Target:"));
    // Only a pick in the list (a click, or the arrow keys) chooses an engine; typing picks nothing.
    m_combo1 = new PickList(engineListEntries(), this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    label1->setBuddy(m_combo1);

    QLabel *label6 = addLabel("Label6", QStringLiteral("Enter your web site address:"));
    m_txtUrl1 = addLineEdit("txtUrl1", label6);
    m_txtUrl1->setText(QStringLiteral("http://"));

    m_continue = addContinueButton();
    addQuitButton();

    auto *page = new QGridLayout;
    page->addWidget(m_lblHelper, 0, 0, 1, 2);
    page->addWidget(label1, 1, 0);
    page->addWidget(m_combo1, 1, 1);
    page->addWidget(label6, 2, 0);
    page->addWidget(m_txtUrl1, 2, 1);
    page->setColumnStretch(1, 1);
    page->setRowStretch(3, 1);
    setBody(page);
    m_combo1->setFocus();
}

void frmStep0::connectControls()
{
    connect(m_combo1, &QComboBox::activated, this, &frmStep0::pickEngine);
    connect(m_continue, &QToolButton::clicked, this, &frmStep0::continueToPhrases);
}

void frmStep0::pickEngine(int position)
{
    if (position < 0 || position >= EngineCount)
        return;
    PageProject &project = pageProject();
    ApplyEngineProfile(project, position);
    m_lblHelper->setText(QLatin1String("You have chosen to target ") + project.EngineName +
                         QLatin1String(". Enter your web site address below, then click the arrow button to "
                                       "continue to the next step."));
    // Screen readers say the pick itself; the text explains it.
    announceCaptions({m_lblHelper});
}

void frmStep0::continueToPhrases()
{
    PageProject &project = pageProject();
    // The target is whatever engine was picked last, here, in an earlier run or on the tips
    // screen, whatever the list shows now.
    if (project.EngineName.isEmpty()) {
        WizardFlow::showMessage(ScreenId::Error, this);
        return;
    }
    const QString url = m_txtUrl1->text();
    if (url.isEmpty() || url == QLatin1String("http://")) {
        WizardFlow::showMessage(ScreenId::Error2, this);
        return;
    }
    project.SiteUrl = url;
    moveOn();
}
