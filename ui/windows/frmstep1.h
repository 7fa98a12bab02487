#pragma once

#include "ui/model/wizardstep.h"

class QLineEdit;
class QToolButton;

// Step 1: the targeted phrase and the three support phrases.
class frmStep1 : public WizardStep
{
    Q_OBJECT

public:
    frmStep1();

private:
    void createControls();
    void connectControls();
    void continueToTitle();

    QLineEdit *m_primaryKeywords = nullptr;
    QLineEdit *m_support1 = nullptr;
    QLineEdit *m_support2 = nullptr;
    QLineEdit *m_support3 = nullptr;
    QToolButton *m_continue = nullptr;
    QToolButton *m_keywordTips = nullptr;
};
