#include "ui/frmstep0.h"

#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "ui/frmmain.h"
#include "ui/pictures.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

// ---- What every step shares -------------------------------------------------------------

WizardStep::WizardStep(ScreenId id, const char *formName)
    : Screen(id)
{
    setObjectName(QLatin1String(formName));
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));
    // Wide enough for the wrapped instructions to read as sentences, not as a column of words.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
}

QLabel *WizardStep::addLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel *WizardStep::addText(const char *name, const QString &text)
{
    QLabel *label = addLabel(name, text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit *WizardStep::addLineEdit(const char *name, const QString &accessibleName)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    return box;
}

QPlainTextEdit *WizardStep::addTextBox(const char *name, const QString &accessibleName)
{
    auto *box = new QPlainTextEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    // Tab moves on to the next control, as in every other field of the form.
    box->setTabChangesFocus(true);
    return box;
}

QToolButton *WizardStep::addQuitButton()
{
    m_quit = makePictureButton(this, "Command1", Picture::Cross, QStringLiteral("Click Here To Quit"));
    connect(m_quit, &QToolButton::clicked, this, &WizardStep::askToQuit);
    return m_quit;
}

QToolButton *WizardStep::addContinueButton()
{
    m_continue = makePictureButton(this, "Command2", Picture::RightArrow, QStringLiteral("Click Here To Continue!"));
    return m_continue;
}

QToolButton *WizardStep::addBackButton(ScreenId previous)
{
    m_back = makePictureButton(this, "Command3", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    // Going back stores nothing: the previous step still holds its own entries.
    connect(m_back, &QToolButton::clicked, this, [this, previous] { moveTo(previous); });
    return m_back;
}

QToolButton *WizardStep::addExclamationButton(const QString &toolTip)
{
    m_exclamation = makePictureButton(this, "Command4", Picture::Exclamation, toolTip);
    return m_exclamation;
}

void WizardStep::finishLayout(QLayout *page)
{
    // Back at the left, Continue at the right, quitting and the step's extra action between.
    auto *buttons = new QHBoxLayout;
    if (m_back)
        buttons->addWidget(m_back);
    buttons->addStretch();
    if (m_quit)
        buttons->addWidget(m_quit);
    if (m_exclamation)
        buttons->addWidget(m_exclamation);
    buttons->addStretch();
    if (m_continue)
        buttons->addWidget(m_continue);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeTitleBanner(this));
    layout->addWidget(makeBar(this));
    layout->addLayout(page, 1);
    layout->addLayout(buttons);
}

void WizardStep::moveTo(ScreenId next)
{
    if (Screens::show(next))
        hide();
}

void WizardStep::askToQuit()
{
    // From the first two steps the confirmation needs to re-enable only those two.
    if (screenId() == ScreenId::Step0 || screenId() == ScreenId::Step1)
        pageProject().QuitFromWizard = QStringLiteral("True");
    Screens::showMessage(ScreenId::Quit1, this, screenId());
}

void WizardStep::closeLogic()
{
    Screens::show(ScreenId::Main);
    requestWizardReset();
}

// ---- Step 0 -------------------------------------------------------------------------------

frmStep0::frmStep0()
    : WizardStep(ScreenId::Step0, "frmStep0")
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
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditable(true);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->addItems(engineListEntries());
    m_combo1->setCurrentIndex(-1);
    label1->setBuddy(m_combo1);

    QLabel *label6 = addLabel("Label6", QStringLiteral("Enter your web site address:"));
    m_txtUrl1 = addLineEdit("txtUrl1", QStringLiteral("Web site address"));
    m_txtUrl1->setText(QStringLiteral("http://"));
    label6->setBuddy(m_txtUrl1);

    m_command2 = addContinueButton();
    addQuitButton();

    auto *page = new QGridLayout;
    page->addWidget(m_lblHelper, 0, 0, 1, 2);
    page->addWidget(label1, 1, 0);
    page->addWidget(m_combo1, 1, 1);
    page->addWidget(label6, 2, 0);
    page->addWidget(m_txtUrl1, 2, 1);
    page->setColumnStretch(1, 1);
    page->setRowStretch(3, 1);
    finishLayout(page);
    m_combo1->setFocus();
}

void frmStep0::connectControls()
{
    // Only a pick in the list (a click, or the arrow keys) chooses an engine. Typing in the edit
    // field picks nothing: no completion that looks like a choice, and no match made for the user
    // when the typing ends or Enter is pressed.
    m_combo1->setCompleter(nullptr);
    disconnect(m_combo1->lineEdit(), &QLineEdit::editingFinished, m_combo1, nullptr);
    disconnect(m_combo1->lineEdit(), &QLineEdit::returnPressed, m_combo1, nullptr);
    connect(m_combo1, &QComboBox::activated, this, &frmStep0::pickEngine);
    connect(m_command2, &QToolButton::clicked, this, &frmStep0::continueToPhrases);
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
}

void frmStep0::continueToPhrases()
{
    PageProject &project = pageProject();
    // The target is whatever engine was picked last, here, in an earlier run or on the tips
    // screen, whatever the list shows now.
    if (project.EngineName.isEmpty()) {
        Screens::showMessage(ScreenId::Error, this, ScreenId::Step0);
        return;
    }
    const QString url = m_txtUrl1->text();
    if (url.isEmpty() || url == QLatin1String("http://")) {
        // This message stands in for the hidden main menu; the step stays usable meanwhile.
        Screens::showMessage(ScreenId::Error2, this, ScreenId::Main);
        return;
    }
    project.SiteUrl = url;
    moveTo(ScreenId::Step1);
}
