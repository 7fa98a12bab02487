#pragma once

#include "ui/model/fullwindow.h"

class OnDemandTimer;
class QCheckBox;
class QLabel;

// The program's home: three activities, the site link, and the wizard reset.
class frmMain : public FullWindow
{
    Q_OBJECT

public:
    frmMain();

    // Whether the reset timer runs: from creation and each press of the arrow until a
    // completed reset stops it.
    bool isResetTimerRunning() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeLogic() override;
    void wake() override;

private:
    void createControls();
    void connectControls();
    void chooseActivity(QCheckBox *chosen);
    void startChosenActivity();
    void openWebSite();
    void resetWizard();

    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QCheckBox *m_check3 = nullptr;
    QLabel *m_label1 = nullptr;
    PictureButton *m_quit = nullptr;
    PictureButton *m_visitSite = nullptr;
    PictureButton *m_getStarted = nullptr;
    OnDemandTimer *m_timer1 = nullptr;
};
