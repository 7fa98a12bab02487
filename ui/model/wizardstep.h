#pragma once

#include "ui/model/fullwindow.h"

class QLabel;
class QLineEdit;
class TextBox;

// What the six wizard steps share: the navigation buttons and their rules, the quit
// confirmation, and the close logic that returns the user to the main menu and asks for the
// wizard reset.
class WizardStep : public FullWindow
{
    Q_OBJECT

protected:
    WizardStep(ScreenId id, const QString &heading);

    // A caption beside or above a field.
    QLabel *addLabel(const char *name, const QString &text);
    // Instructions that wrap and keep to the top of their place.
    QLabel *addText(const char *name, const QString &text);
    // Text boxes, named after their caption for screen readers. A line box is single-line: any
    // length, and line breaks become blanks (makeSingleLine).
    QLineEdit *addLineEdit(const char *name, QLabel *caption);
    TextBox *addTextBox(const char *name, QLabel *caption);

    // The navigation buttons, each in its place in the row: Back at the left, Quit and the extra
    // action in the middle, Continue at the right. Enter presses Continue.
    PictureButton *addQuitButton();
    PictureButton *addContinueButton();
    PictureButton *addBackButton();
    PictureButton *addExclamationButton(const QString &toolTip);

    // Continue's step, to the window that follows this one.
    void moveOn();
    // To the window shown in place of this one by its extra action.
    void moveAside();

    void closeLogic() override;

private:
    // A navigation step: the next window first, then this one hides.
    void moveTo(ScreenId next);
    void askToQuit();
};
