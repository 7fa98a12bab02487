#pragma once

#include "ui/screens.h"

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QToolButton;

// The last screen of the wizard: the generated page in an editable preview, and the actions
// chosen on frmOptions (analyse, view in the browser, save), carried out by the action timer.
class frmGenerator : public Screen
{
    Q_OBJECT

public:
    frmGenerator();

    // Whether the action timer counts as enabled: from the opening of frmOptions until an
    // analysis or a view has run.
    bool isActionTimerEnabled() const { return m_timerEnabled; }

protected:
    void changeEvent(QEvent *event) override;
    void closeLogic() override;

private:
    void createControls();
    void connectControls();
    void load();
    void goBack();
    void openOptions();
    void setActionTimerEnabled(bool enabled);
    void scheduleTick();
    void tick();
    void analysePage();
    void viewPage();
    void savePage();
    QFileDialog *saveDialog();

    QPlainTextEdit *m_text1 = nullptr;
    QLabel *m_lbl1 = nullptr;
    QLabel *m_lbl2 = nullptr;
    QToolButton *m_command1 = nullptr;
    QToolButton *m_command3 = nullptr;
    QToolButton *m_command4 = nullptr;
    // Kept while the screen is open, so it offers the name chosen last.
    QFileDialog *m_commonDialog1 = nullptr;

    // The action timer wakes only when there can be something to do: when it is enabled, and
    // whenever the screen is enabled again after frmOptions (or another window) closes.
    bool m_timerEnabled = false;
    bool m_tickPending = false;
};
