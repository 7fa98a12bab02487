#include "ui/wizardstep.h"

#include "core/pageproject.h"
#include "ui/frmmain.h"
#include "ui/pictures.h"
#include "ui/textboxes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

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
    makeSingleLine(box);
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
    addDecorations(this, layout);
    layout->addLayout(page, 1);
    layout->addLayout(buttons);
    // Never smaller than the controls need: wrapped texts must not squeeze the check boxes.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
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
