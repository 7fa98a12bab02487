#include "ui/registerscreens.h"

#include "ui/screens.h"

void registerGeneratorScreens()
{
}
