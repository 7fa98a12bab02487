#pragma once

#include "ui/model/wizardstep.h"

class PickList;
class QLabel;
class QLineEdit;
class QToolButton;

// Step 0: the target search engine and the web site address.
class frmStep0 : public WizardStep
{
    Q_OBJECT

public:
    frmStep0();

private:
    void createControls();
    void connectControls();
    void pickEngine(int position);
    void continueToPhrases();

    PickList *m_combo1 = nullptr;
    QLabel *m_lblHelper = nullptr;
    QLineEdit *m_txtUrl1 = nullptr;
    QToolButton *m_continue = nullptr;
};
