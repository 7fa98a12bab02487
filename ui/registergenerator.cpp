#include "ui/registerscreens.h"

#include "ui/frmgenerator.h"
#include "ui/frmoptions.h"
#include "ui/screens.h"

void registerGeneratorScreens()
{
    Screens::registerScreen(ScreenId::Generator, [] { return new frmGenerator; });
    Screens::registerScreen(ScreenId::Options, [] { return new frmOptions; });
}
