#pragma once

#include "ui/wizardstep.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// Step 2: the page title and the meta-tag description, with an analysis of the description.
class frmStep2 : public WizardStep
{
    Q_OBJECT

public:
    frmStep2();

private:
    void createControls();
    void connectControls();
    void prefill();
    void analyseDescription();
    void continueToBody();

    QLineEdit *m_siteTitle = nullptr;
    QPlainTextEdit *m_mDescription = nullptr;
    QLabel *m_label12 = nullptr;
    QLabel *m_label10 = nullptr;
    QToolButton *m_command4 = nullptr;
    QToolButton *m_command2 = nullptr;
};
