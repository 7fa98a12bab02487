#pragma once

#include "ui/model/fullwindow.h"

class OnDemandTimer;
class QFileDialog;
class QLabel;
class TextBox;

// The last screen of the wizard: the generated page in an editable preview, and the actions
// chosen on frmOptions (analyse, view in the browser, save), carried out by the action timer.
class frmGenerator : public FullWindow
{
    Q_OBJECT

public:
    frmGenerator();

    // Whether the action timer is enabled: from the opening of frmOptions until an analysis or
    // a view has run.
    bool isActionTimerEnabled() const;

protected:
    // Builds the page into the preview.
    void load() override;
    void changeEvent(QEvent *event) override;
    void closeLogic() override;

private:
    void createControls();
    void connectControls();
    void goBack();
    void openOptions();
    void carryOutPendingAction();
    void analysePage();
    void viewPage();
    void savePage();
    QFileDialog *saveDialog();

    TextBox *m_text1 = nullptr;
    QLabel *m_lbl1 = nullptr;
    QLabel *m_lbl2 = nullptr;
    PictureButton *m_quit = nullptr;
    PictureButton *m_back = nullptr;
    PictureButton *m_moreOptions = nullptr;
    // Kept while the screen is open, so it offers the name chosen last.
    QFileDialog *m_commonDialog1 = nullptr;
    // Has work when it is enabled and the screen is enabled again after frmOptions closes.
    OnDemandTimer *m_timer1 = nullptr;
};
