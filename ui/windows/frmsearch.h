#pragma once

#include "ui/model/fullwindow.h"

// Sends the user to the maker's submission page in the web browser.
class frmSearch : public FullWindow
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
