#pragma once

#include "ui/model/screens.h"

// Shown at start; after its time it brings up the main menu and closes.
class frmSplash : public ScreenWindow<QWidget>
{
    Q_OBJECT

public:
    frmSplash();

    static constexpr int DefaultDurationMs = 6000;
    // Tests shorten the wait; the program always uses the default.
    static void setDurationForTests(int milliseconds);

private:
    void timeUp();
};
