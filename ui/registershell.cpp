#include "ui/registerscreens.h"

#include "ui/frmkeywordtips.h"
#include "ui/frmmain.h"
#include "ui/frmsearch.h"
#include "ui/frmsplash.h"
#include "ui/frmstats.h"
#include "ui/messagewindows.h"
#include "ui/screens.h"

template <typename T>
static void add(ScreenId id)
{
    Screens::registerScreen(id, [] { return new T; });
}

void registerAllScreens()
{
    registerShellScreens();
    registerWizardScreens();
    registerGeneratorScreens();
}

void registerShellScreens()
{
    add<frmSplash>(ScreenId::Splash);
    add<frmMain>(ScreenId::Main);
    add<frmQuit1>(ScreenId::Quit1);
    add<frmError>(ScreenId::Error);
    add<frmError2>(ScreenId::Error2);
    add<frmError4>(ScreenId::Error4);
    add<frmError5>(ScreenId::Error5);
    add<frmError8>(ScreenId::Error8);
    add<frmNoSelection>(ScreenId::NoSelection);
    add<frmSearch>(ScreenId::Search);
    add<frmStats>(ScreenId::Stats);
    add<frmKeyWordTips>(ScreenId::KeyWordTips);
}
