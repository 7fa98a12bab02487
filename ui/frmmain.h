#pragma once

#include "ui/screens.h"

class QCheckBox;
class QLabel;
class QToolButton;

// Asks for the wizard reset after a wizard step was closed: ResetRequested becomes "Yes", and
// the main menu discards the wizard on its timer's next tick.
void requestWizardReset();

// The program's home: three activities, the site link, and the wizard reset.
class frmMain : public Screen
{
    Q_OBJECT

public:
    frmMain();

    // Whether the reset timer counts as running (started at creation and by the arrow,
    // stopped by a completed reset).
    bool isResetTimerRunning() const { return m_timerRunning; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeLogic() override;

private:
    void createControls();
    void connectControls();
    void chooseActivity(QCheckBox *chosen);
    void startChosenActivity();
    void openWebSite();
    void startResetTimer();
    void scheduleTick();
    void tick();

    friend void requestWizardReset();

    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QCheckBox *m_check3 = nullptr;
    QLabel *m_label1 = nullptr;
    QToolButton *m_command1 = nullptr;
    QToolButton *m_command2 = nullptr;
    QToolButton *m_command4 = nullptr;

    // The reset timer wakes only when there is a reset to run, not every millisecond.
    bool m_timerRunning = true;
    bool m_tickPending = false;
};
