#pragma once

#include "ui/screens.h"

// Sends the user to the maker's submission page in the web browser.
class frmSearch : public Screen
{
    Q_OBJECT

public:
    frmSearch();

protected:
    void closeLogic() override;

private:
    void createControls();
    void openSubmissionPage();
};
