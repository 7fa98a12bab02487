#pragma once

#include "core/settings.h"
#include "ui/model/wizardstep.h"

#include <array>

class PickList;
class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

// Step 5: the page-building techniques, starting from the target engine's recommendations.
class frmStep5 : public WizardStep
{
    Q_OBJECT

public:
    frmStep5();

protected:
    // The engine's recommended settings, for the engine chosen when the screen is created.
    void load() override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void connectControls();
    PickList *addLevelList(const char *name, const QStringList &items);
    // The twelve settings controls as a value, and back.
    SettingsScreenState screenState() const;
    void setScreenState(const SettingsScreenState &state);
    void showEngineOnButton();
    void setDefaults();
    void continueToGenerator();

    QLabel *m_label1 = nullptr;
    QPushButton *m_engineDefaults = nullptr;
    std::array<QCheckBox *, 10> m_checks{}; // Check1 ... Check10
    PickList *m_combo1 = nullptr;           // spam detection
    PickList *m_combo2 = nullptr;           // keyword frequency
    QToolButton *m_continue = nullptr;
};
