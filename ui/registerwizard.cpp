#include "ui/registerscreens.h"

#include "ui/screens.h"

void registerWizardScreens()
{
}
