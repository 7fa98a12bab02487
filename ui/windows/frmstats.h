#pragma once

#include "ui/model/fullwindow.h"

class PickList;
class QLabel;
class TextBox;

// Search engine tips: picking an engine makes it the project's target and appends its tips.
class frmStats : public FullWindow
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
    TextBox *m_text1 = nullptr;
    PictureButton *m_back = nullptr;
};
