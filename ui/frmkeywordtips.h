#pragma once

#include "ui/screens.h"

// How to choose the targeted phrase and the support phrases, with an example set. Fixed texts;
// closing it returns to the phrases screen.
class frmKeyWordTips : public Screen
{
    Q_OBJECT

public:
    frmKeyWordTips();

protected:
    void closeLogic() override;

private:
    void createControls();
};
