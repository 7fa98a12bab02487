#pragma once

#include "ui/model/wizardstep.h"

class QLabel;
class TextBox;
class QToolButton;

// Step 3: the visible body text of the page, with an analysis of it.
class frmStep3 : public WizardStep
{
    Q_OBJECT

public:
    frmStep3();

private:
    void createControls();
    void connectControls();
    void analyseBody();
    void continueToLink();

    TextBox *m_pageBody = nullptr;
    QLabel *m_lblCounter = nullptr;
    QLabel *m_lblCounter2 = nullptr;
    QToolButton *m_analyse = nullptr;
    QToolButton *m_continue = nullptr;
};
