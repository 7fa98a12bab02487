#include "ui/messagewindows.h"

#include "core/pageproject.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void setUpDialog(QWidget *window, const QString &text, QVBoxLayout *layout)
{
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowTitle(QStringLiteral("Hey You..."));
    window->setWindowIcon(QIcon());
    auto *label = new QLabel(text, window);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 36);
    layout->addWidget(label);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *addButton(QWidget *window, QHBoxLayout *row, const char *name, const QString &caption)
{
    auto *button = new QPushButton(caption, window);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    return button;
}

} // namespace

MessageWindow::MessageWindow(ScreenId id, const QString &text, ScreenId enablesOnClose)
    : Screen(id)
    , m_enablesOnClose(enablesOnClose)
{
    auto *layout = new QVBoxLayout(this);
    setUpDialog(this, text, layout);
    auto *row = new QHBoxLayout;
    row->addStretch();
    QPushButton *ok = addButton(this, row, "Command1", QStringLiteral("OK"));
    ok->setDefault(true);
    row->addStretch();
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    ok->setFocus();
}

void MessageWindow::closeLogic()
{
    Screens::setEnabled(m_enablesOnClose, true);
}

frmError::frmError()
    : MessageWindow(ScreenId::Error, QStringLiteral("Start by selecting a target from the menu above."), ScreenId::Step0)
{
}

frmError2::frmError2()
    : MessageWindow(ScreenId::Error2, QStringLiteral("You forgot to enter a URL."), ScreenId::Main)
{
}

frmError4::frmError4()
    : MessageWindow(ScreenId::Error4, QStringLiteral(" Fill in all the keyword fields first."), ScreenId::Step1)
{
}

frmError5::frmError5()
    : MessageWindow(ScreenId::Error5, QStringLiteral("You forgot to enter the Meta-Tag Description for your page."),
                    ScreenId::Step2)
{
}

frmError8::frmError8()
    : MessageWindow(ScreenId::Error8, QStringLiteral("You forgot to enter the Body Description for your page."),
                    ScreenId::Step3)
{
}

frmNoSelection::frmNoSelection()
    : MessageWindow(ScreenId::NoSelection,
                    QStringLiteral("Make a selection from the menu on the left, then click the arrow below to get started."),
                    ScreenId::Main)
{
}

frmQuit1::frmQuit1()
    : Screen(ScreenId::Quit1)
{
    auto *layout = new QVBoxLayout(this);
    setUpDialog(this, QStringLiteral("Are you sure you want to quit?"), layout);
    auto *row = new QHBoxLayout;
    row->addStretch();
    QPushButton *yes = addButton(this, row, "Command1", QStringLiteral("Yes"));
    QPushButton *no = addButton(this, row, "Command2", QStringLiteral("No"));
    row->addStretch();
    layout->addLayout(row);
    // "No" comes first, so it holds the focus when the window opens.
    setTabOrder(no, yes);
    no->setDefault(true);
    no->setFocus();
    connect(yes, &QPushButton::clicked, this, &frmQuit1::abandonWizard);
    connect(no, &QPushButton::clicked, this, &QWidget::close);
}

void frmQuit1::abandonWizard()
{
    Screens::show(ScreenId::Main);
    // The generator's closing shows the settings screen, so that one closes last.
    for (ScreenId id : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4,
                        ScreenId::Generator, ScreenId::Step5})
        Screens::close(id);
}

void frmQuit1::closeLogic()
{
    PageProject &project = pageProject();
    if (project.QuitFromWizard == QLatin1String("True")) {
        Screens::setEnabled(ScreenId::Step0, true);
        Screens::setEnabled(ScreenId::Step1, true);
        project.QuitFromWizard.clear();
        return;
    }
    for (ScreenId id : {ScreenId::Step0, ScreenId::Step1, ScreenId::Step2, ScreenId::Step3, ScreenId::Step4,
                        ScreenId::Step5, ScreenId::Generator})
        Screens::setEnabled(id, true);
}
