#pragma once

#include "ui/screens.h"

class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// What the six wizard steps share: the title and decorations, the row of navigation buttons,
// the quit confirmation, and the close logic that returns the user to the main menu and asks
// for the wizard reset.
class WizardStep : public Screen
{
    Q_OBJECT

protected:
    WizardStep(ScreenId id, const char *formName);

    // A caption beside or above a field.
    QLabel *addLabel(const char *name, const QString &text);
    // Instructions that wrap and keep to the top of their place.
    QLabel *addText(const char *name, const QString &text);
    // Text boxes; the name is what screen readers announce. A line box is single-line: any length,
    // and line breaks become blanks (makeSingleLine).
    QLineEdit *addLineEdit(const char *name, const QString &accessibleName);
    QPlainTextEdit *addTextBox(const char *name, const QString &accessibleName);

    // The navigation buttons, made in the step's own tab order; finishLayout() places them.
    QToolButton *addQuitButton();
    QToolButton *addContinueButton();
    QToolButton *addBackButton(ScreenId previous);
    QToolButton *addExclamationButton(const QString &toolTip);

    // Puts the step's controls between the decorations and the navigation row.
    void finishLayout(QLayout *page);

    // A navigation step: the next window first, then this one hides. Should the next window not
    // come up, this one stays, so the user is never left without a window.
    void moveTo(ScreenId next);

    void closeLogic() override;

private:
    void askToQuit();

    QToolButton *m_quit = nullptr;
    QToolButton *m_continue = nullptr;
    QToolButton *m_back = nullptr;
    QToolButton *m_exclamation = nullptr;
};
