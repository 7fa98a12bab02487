#include "ui/windows/frmstats.h"

#include "core/addresses.h"
#include "core/engineprofiles.h"
#include "core/enginetips.h"
#include "core/pageproject.h"
#include "ui/controls/picklist.h"
#include "ui/controls/textbox/textbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QToolButton>

frmStats::frmStats()
    : FullWindow(ScreenId::Stats, QStringLiteral("Search Engine Tips"))
{
    createControls();
    connectControls();
}

void frmStats::createControls()
{
    auto *helper = new QLabel(QStringLiteral("Select a search engine from the drop box ."), this);
    helper->setObjectName(QStringLiteral("lblHelper"));

    // The field may be typed in, but only a pick from the list chooses an engine.
    m_combo1 = new PickList(engineListEntries(), this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setEditText(QStringLiteral("Click Here    =>"));
    m_combo1->setMinimumContentsLength(16);
    m_combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    helper->setBuddy(m_combo1);

    m_text1 = new TextBox(this, 60, 14);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setAccessibleName(QStringLiteral("Search engine tips"));

    auto *label1 =
        new QLabel(QStringLiteral("Any comments or suggestions about these statistics can be made to:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto *label2 = new QLabel(QString(Addresses::MakerContactEmail), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Reached by Tab, so the address can be selected and copied with the keyboard too.
    label2->setFocusPolicy(Qt::StrongFocus);

    m_back = addNavigationButton(Place::Back, "Command1", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    setEscapeCloses();

    auto *body = new QGridLayout;
    body->addWidget(helper, 0, 0);
    body->addWidget(m_combo1, 0, 1);
    body->addWidget(m_text1, 1, 0, 1, 2);
    body->addWidget(label1, 2, 0, 1, 2);
    body->addWidget(label2, 3, 0, 1, 2);
    body->setColumnStretch(1, 1);
    body->setRowStretch(1, 1);
    setBody(body);

    m_combo1->setFocus();
}

void frmStats::connectControls()
{
    // A pick from the list or by the arrow keys; typed text is never taken as a pick.
    connect(m_combo1, &QComboBox::activated, this, &frmStats::engineChosen);
    connect(m_back, &QToolButton::clicked, this, [this] {
        Screens::show(ScreenId::Main);
        close();
    });
}

void frmStats::engineChosen(int position)
{
    PageProject &project = pageProject();
    ApplyEngineProfile(project, position);
    const QString tips = EngineTipsText(project.EngineName);
    if (tips.isEmpty())
        return;
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0 - ") + project.EngineName + QStringLiteral(" Stastics"));
    appendTips(tips);
}

void frmStats::appendTips(const QString &tips)
{
    // Appended where the text ends, on the same line: the box only ever grows.
    QTextCursor end(m_text1->document());
    end.movePosition(QTextCursor::End);
    const int start = end.position();
    end.insertText(tips);

    // Bring the new tips into view, from their first line.
    QTextCursor first(m_text1->document());
    first.setPosition(start);
    m_text1->setTextCursor(first);
    m_text1->verticalScrollBar()->setValue(m_text1->verticalScrollBar()->maximum());
    m_text1->ensureCursorVisible();
}

void frmStats::closeLogic()
{
    Screens::show(ScreenId::Main);
}
