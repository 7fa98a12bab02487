#include "ui/registerscreens.h"

#include "ui/frmstep0.h"
#include "ui/frmstep1.h"
#include "ui/frmstep2.h"
#include "ui/frmstep3.h"
#include "ui/frmstep4.h"
#include "ui/frmstep5.h"
#include "ui/screens.h"

void registerWizardScreens()
{
    Screens::registerScreen(ScreenId::Step0, [] { return new frmStep0; });
    Screens::registerScreen(ScreenId::Step1, [] { return new frmStep1; });
    Screens::registerScreen(ScreenId::Step2, [] { return new frmStep2; });
    Screens::registerScreen(ScreenId::Step3, [] { return new frmStep3; });
    Screens::registerScreen(ScreenId::Step4, [] { return new frmStep4; });
    Screens::registerScreen(ScreenId::Step5, [] { return new frmStep5; });
}
