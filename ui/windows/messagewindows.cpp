#include "ui/windows/messagewindows.h"

#include "core/pageproject.h"
#include "ui/model/wizardflow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The title, the text, and below it a row for the buttons, which the caller closes with a
// stretch so that they stand in the middle.
QHBoxLayout *setUpDialog(QDialog *window, const QString &text)
{
    window->setWindowTitle(QStringLiteral("Hey You..."));
    window->setWindowIcon(QIcon());
    auto *layout = new QVBoxLayout(window);
    auto *label = new QLabel(text, window);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 36);
    layout->addWidget(label);
    auto *row = new QHBoxLayout;
    row->addStretch();
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return row;
}

QPushButton *addButton(QDialog *window, QHBoxLayout *row, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, window);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

} // namespace

MessageWindow::MessageWindow(ScreenId id, const QString &text)
    : DialogScreen(id)
{
    QHBoxLayout *row = setUpDialog(this, text);
    QPushButton *ok = addButton(this, row, "Command1", QStringLiteral("OK"));
    row->addStretch();
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    ok->setFocus();
}

void MessageWindow::closeLogic()
{
    Screens::setEnabled(WizardFlow::heldBy(screenId()), true);
}

frmError::frmError()
    : MessageWindow(ScreenId::Error, QStringLiteral("Start by selecting a target from the menu above."))
{
}

frmError2::frmError2()
    : MessageWindow(ScreenId::Error2, QStringLiteral("You forgot to enter a URL."))
{
}

frmError4::frmError4()
    : MessageWindow(ScreenId::Error4, QStringLiteral(" Fill in all the keyword fields first."))
{
}

frmError5::frmError5()
    : MessageWindow(ScreenId::Error5, QStringLiteral("You forgot to enter the Meta-Tag Description for your page."))
{
}

frmError8::frmError8()
    : MessageWindow(ScreenId::Error8, QStringLiteral("You forgot to enter the Body Description for your page."))
{
}

frmNoSelection::frmNoSelection()
    : MessageWindow(
          ScreenId::NoSelection,
          QStringLiteral("Make a selection from the menu on the left, then click the arrow below to get started."))
{
}

frmQuit1::frmQuit1()
    : DialogScreen(ScreenId::Quit1)
{
    QHBoxLayout *row = setUpDialog(this, QStringLiteral("Are you sure you want to quit?"));
    QPushButton *yes = addButton(this, row, "Command1", QStringLiteral("Yes"));
    QPushButton *no = addButton(this, row, "Command2", QStringLiteral("No"));
    row->addStretch();
    // "No" comes first, so it holds the focus when the window opens; Enter presses the button
    // that has the focus.
    setTabOrder(no, yes);
    no->setDefault(true);
    no->setFocus();
    connect(yes, &QPushButton::clicked, this, &frmQuit1::abandonWizard);
    connect(no, &QPushButton::clicked, this, &QWidget::close);
}

void frmQuit1::abandonWizard()
{
    Screens::show(ScreenId::Main);
    for (ScreenId id : WizardScreens)
        Screens::close(id);
}

void frmQuit1::closeLogic()
{
    PageProject &project = pageProject();
    const bool fromFirstSteps = project.QuitFromWizard == QuitFromWizardTrue;
    for (ScreenId id : WizardFlow::enabledAfterQuit(fromFirstSteps))
        Screens::setEnabled(id, true);
    if (fromFirstSteps)
        project.QuitFromWizard.clear();
}
