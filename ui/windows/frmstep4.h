#pragma once

#include "ui/model/wizardstep.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TextBox;
class QToolButton;

// Step 4: the text of the main link and the optional hit counter.
class frmStep4 : public WizardStep
{
    Q_OBJECT

public:
    frmStep4();

protected:
    // The link text, from the targeted phrase as it is when the screen is created.
    void load() override;

private:
    void createControls();
    void connectControls();
    void showHitCounter(bool shown);
    void continueToSettings();

    QCheckBox *m_chkHitCounter = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label9 = nullptr;
    TextBox *m_text6 = nullptr;
    QLineEdit *m_txtLinkText = nullptr;
    QToolButton *m_continue = nullptr;
};
