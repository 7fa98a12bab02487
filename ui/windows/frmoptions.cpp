#include "ui/windows/frmoptions.h"

#include "core/pageproject.h"
#include "ui/controls/pictures.h"
#include "ui/model/wizardflow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

frmOptions::frmOptions()
    : DialogScreen(ScreenId::Options)
{
    createControls();
    connectControls();
    m_check1->setFocus();
}

void frmOptions::createControls()
{
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));

    auto *label = new QLabel(QStringLiteral("What would you like to do with your new gateway page? Make a selection "
                                            "from the menu below, then click the exclamation point."),
                             this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 44);

    auto makeCheck = [this](const char *name, const QString &caption) {
        auto *check = new QCheckBox(caption, this);
        check->setObjectName(QLatin1String(name));
        return check;
    };
    m_check1 = makeCheck("Check1", QStringLiteral("Analize It"));
    m_check2 = makeCheck("Check2", QStringLiteral("View It With My Web Browser"));
    m_check3 = makeCheck("Check3", QStringLiteral("Save It"));
    m_check4 = makeCheck("Check4", QStringLiteral("Nothing Right Now"));
    m_carryOut = makePictureButton(this, "Command4", Picture::Exclamation,
                                   QStringLiteral("Click Here To Carry Out Your Choice!"));

    // Two columns: analyse above view on the left, save above nothing on the right.
    // Each box only as wide as its caption, so a click beside the caption does not toggle it.
    auto *choices = new QGridLayout;
    choices->addWidget(m_check1, 0, 0, Qt::AlignLeft);
    choices->addWidget(m_check2, 1, 0, Qt::AlignLeft);
    choices->addWidget(m_check3, 0, 1, Qt::AlignLeft);
    choices->addWidget(m_check4, 1, 1, Qt::AlignLeft);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_carryOut);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_check1, m_check2);
    setTabOrder(m_check2, m_check3);
    setTabOrder(m_check3, m_check4);
    setTabOrder(m_check4, m_carryOut);
}

void frmOptions::connectControls()
{
    // A box that gains the focus clears the others before a click or the space key toggles it,
    // so at most one box is ever ticked.
    for (QCheckBox *check : {m_check1, m_check2, m_check3, m_check4})
        check->installEventFilter(this);
    connect(m_carryOut, &QToolButton::clicked, this, &frmOptions::recordChoice);
}

bool frmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        for (QCheckBox *check : {m_check1, m_check2, m_check3, m_check4}) {
            if (watched == check)
                keepOnly(check);
        }
    }
    return DialogScreen::eventFilter(watched, event);
}

void frmOptions::keyPressEvent(QKeyEvent *event)
{
    // Enter carries out the choice: the box that was ticked keeps the focus, since every way
    // from it to the exclamation point passes another box, whose focus would untick it.
    if (!pressOnEnter(event, m_carryOut))
        DialogScreen::keyPressEvent(event);
}

void frmOptions::keepOnly(QCheckBox *chosen)
{
    for (QCheckBox *check : {m_check1, m_check2, m_check3, m_check4}) {
        if (check != chosen)
            check->setChecked(false);
    }
}

void frmOptions::recordChoice()
{
    // A later box overrides an earlier one; with none of the three ticked the pending action
    // stays as it was.
    PageProject &project = pageProject();
    if (m_check1->isChecked())
        project.PendingAction = PendingAnalize;
    if (m_check2->isChecked())
        project.PendingAction = PendingBrowser;
    if (m_check3->isChecked())
        project.PendingAction = PendingSave;
    close();
}

void frmOptions::closeLogic()
{
    Screens::setEnabled(WizardFlow::heldBy(screenId()), true);
}
