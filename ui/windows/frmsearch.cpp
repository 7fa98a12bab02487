#include "ui/windows/frmsearch.h"

#include "core/addresses.h"
#include "platform/appfolders.h"
#include "ui/controls/browserhandoff.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

frmSearch::frmSearch()
    : FullWindow(ScreenId::Search, QStringLiteral("Submit My Page To Search Engines"))
{
    createControls();
}

void frmSearch::createControls()
{
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

    PictureButton *command4 = addNavigationButton(Place::Exclamation, "Command4", Picture::Exclamation,
                                                  QStringLiteral("Click Here To Get Started!"));
    PictureButton *command1 =
        addNavigationButton(Place::Back, "Command1", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    setForwardButton(command4);
    setEscapeCloses();
    connect(command4, &QToolButton::clicked, this, &frmSearch::openSubmissionPage);
    connect(command1, &QToolButton::clicked, this, [this] {
        Screens::show(ScreenId::Main);
        close();
    });

    auto *body = new QVBoxLayout;
    body->addWidget(label1);
    body->addWidget(helper);
    body->addStretch();
    setBody(body);
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
