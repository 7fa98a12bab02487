#pragma once

#include "ui/model/fullwindow.h"

// How to choose the targeted phrase and the support phrases, with an example set. Fixed texts;
// closing it returns to the phrases screen.
class frmKeyWordTips : public FullWindow
{
    Q_OBJECT

public:
    frmKeyWordTips();

protected:
    void closeLogic() override;

private:
    void createControls();
};
