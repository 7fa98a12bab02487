#include "ui/frmsearch.h"

#include "core/addresses.h"
#include "platform/appfolders.h"
#include "ui/browserhandoff.h"
#include "ui/pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

frmSearch::frmSearch()
    : Screen(ScreenId::Search)
{
    createControls();
}

void frmSearch::createControls()
{
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));

    auto *label1 =
        new QLabel(QStringLiteral("We will submit your site to over 1,500 search engines and directories!"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    QFont emphasis = label1->font();
    emphasis.setBold(true);
    label1->setFont(emphasis);

    auto *helper = new QLabel(QStringLiteral("Once you have made a gateway page, submit it to as many search engines "
                                             "as possible. Want to submit more than one page? There are several "
                                             "options available to help you get more hits. Make sure you are "
                                             "connected to the Internet, then click the exclamation point below to "
                                             "get started!"),
                              this);
    helper->setObjectName(QStringLiteral("lblHelper"));
    helper->setWordWrap(true);
    helper->setMinimumWidth(helper->fontMetrics().averageCharWidth() * 50);

    QToolButton *command4 =
        makePictureButton(this, "Command4", Picture::Exclamation, QStringLiteral("Click Here To Get Started!"));
    QToolButton *command1 =
        makePictureButton(this, "Command1", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    connect(command4, &QToolButton::clicked, this, &frmSearch::openSubmissionPage);
    connect(command1, &QToolButton::clicked, this, [this] {
        Screens::show(ScreenId::Main);
        close();
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(command4);
    buttons->addStretch();
    buttons->addWidget(command1);

    auto *layout = new QGridLayout(this);
    addDecorations(this, layout);
    layout->addWidget(label1, 2, 0);
    layout->addWidget(helper, 3, 0);
    layout->setRowStretch(4, 1);
    layout->addLayout(buttons, 5, 0);

    setTabOrder(command4, command1);
    command4->setFocus();
}

void frmSearch::openSubmissionPage()
{
    OpenInBrowser(this, rootProbePath(), QString(Addresses::MakerSubmissionPage),
                  QStringLiteral("Could not your Browser"));
}

void frmSearch::closeLogic()
{
    Screens::show(ScreenId::Main);
}
