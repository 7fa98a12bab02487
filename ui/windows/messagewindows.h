#pragma once

#include "ui/model/screens.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

// A small "Hey You..." window with one text and an "OK" button. While it is open one screen is
// disabled; closing it, by "OK", Escape or its close control, enables that screen again.
class MessageWindow : public DialogScreen
{
    Q_OBJECT

protected:
    MessageWindow(ScreenId id, const QString &text);

    void closeLogic() override;
};

class frmError : public MessageWindow
{
    Q_OBJECT
public:
    frmError();
};

class frmError2 : public MessageWindow
{
    Q_OBJECT
public:
    frmError2();
};

class frmError4 : public MessageWindow
{
    Q_OBJECT
public:
    frmError4();
};

class frmError5 : public MessageWindow
{
    Q_OBJECT
public:
    frmError5();
};

class frmError8 : public MessageWindow
{
    Q_OBJECT
public:
    frmError8();
};

class frmNoSelection : public MessageWindow
{
    Q_OBJECT
public:
    frmNoSelection();
};

// Asks whether to abandon the wizard. "Yes" returns to the main menu and closes the wizard;
// the main menu's reset then closes this window too.
class frmQuit1 : public DialogScreen
{
    Q_OBJECT

public:
    frmQuit1();

protected:
    void closeLogic() override;

private:
    void abandonWizard();
};
