#pragma once

#include "ui/model/screens.h"

class QCheckBox;
class QToolButton;

// Asks what to do with the finished page. The choice goes into PendingAction; the generator
// screen carries it out once this window has closed and it is enabled again.
class frmOptions : public DialogScreen
{
    Q_OBJECT

public:
    frmOptions();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeLogic() override;

private:
    void createControls();
    void connectControls();
    void keepOnly(QCheckBox *chosen);
    void recordChoice();

    QCheckBox *m_check1 = nullptr;
    QCheckBox *m_check2 = nullptr;
    QCheckBox *m_check3 = nullptr;
    QCheckBox *m_check4 = nullptr;
    QToolButton *m_carryOut = nullptr;
};
