#include "ui/windows/frmstep5.h"

#include "core/pageproject.h"
#include "generator/keywordblock.h"
#include "ui/controls/picklist.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Captions of Check1 ... Check10.
const char *const CheckCaptions[10] = {
    "Meta-DescriptionTag", "Meta-Keyword Tag",          "Comment Tags",         "Alt Tags",     "Hidden Tags",
    "Top / Bottom Spam",   "Keyword Frequency Exploit", "Hidden External Link", "Auto-Foward ", "Title / Meta Exploit",
};

} // namespace

frmStep5::frmStep5()
    : WizardStep(ScreenId::Step5, QStringLiteral("the page settings"))
{
    createControls();
    connectControls();
}

void frmStep5::load()
{
    const QString engine = pageProject().EngineName;
    showEngineOnButton();
    m_label1->setText(settingsIntroText(engine));
    setScreenState(ApplyEngineDefaults(engine));
}

void frmStep5::createControls()
{
    m_label1 = addText("Label1", QString());
    m_label1->setMinimumHeight(m_label1->fontMetrics().lineSpacing() * 4);
    m_engineDefaults = new QPushButton(this);
    m_engineDefaults->setObjectName(QStringLiteral("Command4"));
    // With the focus, Enter presses it, as it does every other button.
    m_engineDefaults->setAutoDefault(true);

    for (int i = 0; i < 10; ++i) {
        m_checks[i] = new QCheckBox(QLatin1String(CheckCaptions[i]), this);
        m_checks[i]->setObjectName(QLatin1String("Check") + QString::number(i + 1));
    }
    auto check = [this](int number) { return m_checks[number - 1]; };

    QLabel *spamCaption = addLabel("Label2", QStringLiteral("Keyword Spam Detection:"));
    m_combo1 =
        addLevelList("Combo1", {QStringLiteral("Very Sensative"), QStringLiteral("Moderate"), QStringLiteral("Low")});
    spamCaption->setBuddy(m_combo1);
    QLabel *frequencyCaption = addLabel("Label3", QStringLiteral("Targeted Keyword Frequency:"));
    m_combo2 = addLevelList("Combo2", {QStringLiteral("Low"), QStringLiteral("Moderate"), QStringLiteral("High")});
    frequencyCaption->setBuddy(m_combo2);

    m_continue = addContinueButton();
    addBackButton();
    addQuitButton();

    auto *left = new QVBoxLayout;
    for (int number : {1, 2, 4, 3, 5})
        left->addWidget(check(number), 0, Qt::AlignLeft);
    left->addStretch();
    auto *middle = new QVBoxLayout;
    for (int number : {7, 6, 8, 10, 9})
        middle->addWidget(check(number), 0, Qt::AlignLeft);
    middle->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(spamCaption);
    right->addWidget(m_combo1);
    right->addWidget(frequencyCaption);
    right->addWidget(m_combo2);
    right->addStretch();

    auto *page = new QGridLayout;
    page->addWidget(m_label1, 0, 0, 1, 2);
    page->addWidget(m_engineDefaults, 0, 2, Qt::AlignRight | Qt::AlignTop);
    page->addLayout(left, 1, 0);
    page->addLayout(middle, 1, 1);
    page->addLayout(right, 1, 2);
    page->setRowStretch(1, 1);
    setBody(page);

    // Reading order: introduction and its button, the columns top to bottom, then the navigation
    // row, which keeps its own order.
    QWidget *previous = m_engineDefaults;
    for (int number : {1, 2, 4, 3, 5, 7, 6, 8, 10, 9}) {
        setTabOrder(previous, check(number));
        previous = check(number);
    }
    setTabOrder(previous, m_combo1);
    setTabOrder(m_combo1, m_combo2);
    check(1)->setFocus();
}

PickList *frmStep5::addLevelList(const char *name, const QStringList &items)
{
    // Only a pick sets a level; text typed into the field leaves the level empty.
    auto *list = new PickList(items, this);
    list->setObjectName(QLatin1String(name));
    return list;
}

void frmStep5::connectControls()
{
    connect(m_engineDefaults, &QPushButton::clicked, this, &frmStep5::setDefaults);
    connect(m_continue, &QToolButton::clicked, this, &frmStep5::continueToGenerator);
}

SettingsScreenState frmStep5::screenState() const
{
    SettingsScreenState state;
    for (int i = 0; i < 10; ++i)
        state.checks[i] = m_checks[i]->isChecked();
    state.spamDetectionPosition = m_combo1->currentIndex();
    state.frequencyPosition = m_combo2->currentIndex();
    return state;
}

void frmStep5::setScreenState(const SettingsScreenState &state)
{
    for (int i = 0; i < 10; ++i)
        m_checks[i]->setChecked(state.checks[i]);
    m_combo1->setCurrentIndex(state.spamDetectionPosition);
    m_combo2->setCurrentIndex(state.frequencyPosition);
}

void frmStep5::changeEvent(QEvent *event)
{
    WizardStep::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showEngineOnButton();
}

void frmStep5::showEvent(QShowEvent *event)
{
    WizardStep::showEvent(event);
    // Also on showing: a window system may show a window without making it active.
    showEngineOnButton();
}

void frmStep5::showEngineOnButton()
{
    // The engine may have changed on step 0 since this screen was made; the button names the
    // engine whose recommendations it would apply now. The controls keep what the user chose.
    m_engineDefaults->setText(settingsDefaultsButtonCaption(pageProject().EngineName));
}

void frmStep5::setDefaults()
{
    const QString engine = pageProject().EngineName;
    m_label1->setText(settingsDefaultsSetText(engine));
    setScreenState(ApplyEngineDefaults(engine));
}

void frmStep5::continueToGenerator()
{
    PageProject &project = pageProject();
    StoreSettings(screenState(), project);
    BuildKeywordBlock(project);
    moveOn();
}
