#pragma once

#include "ui/screens.h"

class PickList;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// Search engine tips: picking an engine makes it the project's target and appends its tips.
class frmStats : public Screen
{
    Q_OBJECT

public:
    frmStats();

protected:
    void closeLogic() override;

private:
    void createControls();
    void connectControls();
    void engineChosen(int position);
    void appendTips(const QString &tips);

    PickList *m_combo1 = nullptr;
    QPlainTextEdit *m_text1 = nullptr;
    QToolButton *m_command1 = nullptr;
};
