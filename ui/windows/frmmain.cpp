#include "ui/windows/frmmain.h"

#include "core/addresses.h"
#include "core/pageproject.h"
#include "platform/appfolders.h"
#include "ui/controls/browserhandoff.h"
#include "ui/controls/ondemandtimer.h"
#include "ui/model/wizardflow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const Check1Description = "This gateway page generator will walk you through a few simple steps to "
                                      "design a gateway page. Getting more hits has never been easier!";
const char *const Check2Description = "Submit your gateway pages to as many search engines as possible. You'll find "
                                      "that properly designing and submitting your pages can make a huge difference!";
const char *const Check3Description = "We have gathered information on each major search engine. These tips will "
                                      "help you understand search engines and help you get a better ranking!";

} // namespace

frmMain::frmMain()
    : FullWindow(ScreenId::Main, QStringLiteral("Main menu"))
{
    createControls();
    connectControls();
    // Runs from the start; it has work only once a reset is asked for.
    m_timer1 = new OnDemandTimer(this, "Timer1", [this] { resetWizard(); });
    m_timer1->start();
}

void frmMain::createControls()
{
    auto *helper =
        new QLabel(QStringLiteral("Start by making a gateway page using your web site's information. Once you "
                                  "have made a gateway page, submit it to as many search engines as "
                                  "possible.  Why create just one page? We recommend that you create a "
                                  "seperate gateway page for each phrase you want to be listed under."),
                   this);
    helper->setObjectName(QStringLiteral("lblHelper"));
    helper->setWordWrap(true);

    m_check1 = new QCheckBox(QStringLiteral("Make A Gateway Page"), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check2 = new QCheckBox(QStringLiteral("Submit My Page To Search Engines"), this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    m_check3 = new QCheckBox(QStringLiteral("Search Engine Tips"), this);
    m_check3->setObjectName(QStringLiteral("Check3"));

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_label1 = new QLabel(
        QStringLiteral("Make a selection from the menu on the left, then click the arrow below to get started."),
        frame);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label1->setMinimumWidth(m_label1->fontMetrics().averageCharWidth() * 40);
    m_label1->setMinimumHeight(m_label1->fontMetrics().lineSpacing() * 5);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_label1);

    // The arrow starts the chosen activity, the cross ends the program, the letter H opens the
    // maker's web site.
    m_getStarted = addNavigationButton(Place::Forward, "Command4", Picture::RightArrow,
                                       QStringLiteral("Click Here To Get Started!"));
    m_quit = addNavigationButton(Place::Quit, "Command1", Picture::Cross, QStringLiteral("Click Here To Quit"));
    m_visitSite = addNavigationButton(Place::Back, "Command2", Picture::LetterH,
                                      QStringLiteral("Click Here To Visit Our Web Site!"));
    setForwardButton(m_getStarted);

    auto *menu = new QVBoxLayout;
    menu->addWidget(m_check1);
    menu->addWidget(m_check2);
    menu->addWidget(m_check3);
    menu->addStretch();

    auto *body = new QGridLayout;
    body->addWidget(helper, 0, 0, 1, 2);
    body->addLayout(menu, 1, 0);
    body->addWidget(frame, 1, 1);
    setBody(body);

    setTabOrder(m_check1, m_check2);
    setTabOrder(m_check2, m_check3);
    setTabOrder(m_check3, m_getStarted);
    setTabOrder(m_getStarted, m_quit);
    setTabOrder(m_quit, m_visitSite);
    // The menu opens with no line chosen: the first focus goes to the arrow, not to a line whose
    // focus would choose it.
    m_getStarted->setFocus();
}

void frmMain::connectControls()
{
    m_check1->installEventFilter(this);
    m_check2->installEventFilter(this);
    // The third line reacts to any change of its state, also one made by the other two lines.
    connect(m_check3, &QCheckBox::toggled, this, [this] { chooseActivity(m_check3); });
    connect(m_getStarted, &QToolButton::clicked, this, &frmMain::startChosenActivity);
    connect(m_quit, &QToolButton::clicked, this, [] { Screens::endProgram(); });
    connect(m_visitSite, &QToolButton::clicked, this, &frmMain::openWebSite);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_check1)
            chooseActivity(m_check1);
        else if (watched == m_check2)
            chooseActivity(m_check2);
    }
    return FullWindow::eventFilter(watched, event);
}

void frmMain::chooseActivity(QCheckBox *chosen)
{
    const char *description = chosen == m_check1   ? Check1Description
                              : chosen == m_check2 ? Check2Description
                                                   : Check3Description;
    // The other two lines are unchecked first; then the chosen line's description shows.
    for (QCheckBox *other : {m_check2, m_check3, m_check1}) {
        if (other != chosen)
            other->setChecked(false);
    }
    m_label1->setText(QLatin1String(description));
}

void frmMain::startChosenActivity()
{
    if (m_check1->isChecked()) {
        Screens::show(WizardFlow::FirstStep);
        hide();
    } else if (m_check2->isChecked()) {
        Screens::show(ScreenId::Search);
        hide();
    } else if (m_check3->isChecked()) {
        Screens::show(ScreenId::Stats);
        hide();
    } else {
        WizardFlow::showMessage(ScreenId::NoSelection, this);
    }
    m_timer1->start();
}

void frmMain::openWebSite()
{
    OpenInBrowser(this, rootProbePath(), QString(Addresses::MakerHomePage),
                  QStringLiteral("Could not find your Browser"));
}

void frmMain::closeLogic()
{
    // Closing the main menu ends the program, whatever else is open.
    Screens::endProgram();
}

bool frmMain::isResetTimerRunning() const
{
    return m_timer1->isRunning();
}

void frmMain::wake()
{
    m_timer1->wake();
}

void frmMain::resetWizard()
{
    PageProject &project = pageProject();
    if (project.ResetRequested != ResetRequestedYes)
        return;
    for (ScreenId id : WizardScreens) {
        if (isWizardStep(id))
            Screens::close(id);
    }
    Screens::close(ScreenId::Quit1);
    project.ResetRequested = ResetRequestedDone;
    m_timer1->stop();
}
