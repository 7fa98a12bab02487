#pragma once

#include "ui/model/wizardstep.h"

class QLabel;
class QLineEdit;
class TextBox;
class QToolButton;

// Step 2: the page title and the meta-tag description, with an analysis of the description.
class frmStep2 : public WizardStep
{
    Q_OBJECT

public:
    frmStep2();

protected:
    // The pre-fill, from the targeted phrase as it is when the screen is created.
    void load() override;

private:
    void createControls();
    void connectControls();
    void analyseDescription();
    void continueToBody();

    QLineEdit *m_siteTitle = nullptr;
    TextBox *m_mDescription = nullptr;
    // The report's two captions: instructions until the first analysis, then its results.
    QLabel *m_statistics = nullptr; // Label12
    QLabel *m_advice = nullptr;     // Label10
    QToolButton *m_analyse = nullptr;
    QToolButton *m_continue = nullptr;
};
