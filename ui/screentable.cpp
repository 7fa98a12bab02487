#include "ui/screentable.h"

#include "ui/model/accessibility.h"
#include "ui/windows/frmgenerator.h"
#include "ui/windows/frmkeywordtips.h"
#include "ui/windows/frmmain.h"
#include "ui/windows/frmoptions.h"
#include "ui/windows/frmsearch.h"
#include "ui/windows/frmsplash.h"
#include "ui/windows/frmstats.h"
#include "ui/windows/frmstep0.h"
#include "ui/windows/frmstep1.h"
#include "ui/windows/frmstep2.h"
#include "ui/windows/frmstep3.h"
#include "ui/windows/frmstep4.h"
#include "ui/windows/frmstep5.h"
#include "ui/windows/messagewindows.h"

using namespace Qt::StringLiterals;

namespace {

struct ScreenEntry
{
    QLatin1String formName;
    Screen *(*create)();
};

template <typename T> Screen *make()
{
    return new T;
}

// Every window of the program: its form name and how it is made. The switch has no default, so a
// window missing here does not compile.
ScreenEntry entry(ScreenId id)
{
    switch (id) {
    case ScreenId::Splash:
        return {"frmSplash"_L1, make<frmSplash>};
    case ScreenId::Main:
        return {"frmMain"_L1, make<frmMain>};
    case ScreenId::Step0:
        return {"frmStep0"_L1, make<frmStep0>};
    case ScreenId::Step1:
        return {"frmStep1"_L1, make<frmStep1>};
    case ScreenId::Step2:
        return {"frmStep2"_L1, make<frmStep2>};
    case ScreenId::Step3:
        return {"frmStep3"_L1, make<frmStep3>};
    case ScreenId::Step4:
        return {"frmStep4"_L1, make<frmStep4>};
    case ScreenId::Step5:
        return {"frmStep5"_L1, make<frmStep5>};
    case ScreenId::Generator:
        return {"frmGenerator"_L1, make<frmGenerator>};
    case ScreenId::Options:
        return {"frmOptions"_L1, make<frmOptions>};
    case ScreenId::Search:
        return {"frmSearch"_L1, make<frmSearch>};
    case ScreenId::Stats:
        return {"frmStats"_L1, make<frmStats>};
    case ScreenId::KeyWordTips:
        return {"frmKeyWordTips"_L1, make<frmKeyWordTips>};
    case ScreenId::Quit1:
        return {"frmQuit1"_L1, make<frmQuit1>};
    case ScreenId::Error:
        return {"frmError"_L1, make<frmError>};
    case ScreenId::Error2:
        return {"frmError2"_L1, make<frmError2>};
    case ScreenId::Error4:
        return {"frmError4"_L1, make<frmError4>};
    case ScreenId::Error5:
        return {"frmError5"_L1, make<frmError5>};
    case ScreenId::Error8:
        return {"frmError8"_L1, make<frmError8>};
    case ScreenId::NoSelection:
        return {"frmNoSelection"_L1, make<frmNoSelection>};
    }
    Q_UNREACHABLE();
}

} // namespace

QLatin1String formName(ScreenId id)
{
    return entry(id).formName;
}

Screen *createScreen(ScreenId id)
{
    // Screen readers learn what each window is before the first one appears.
    static const bool rolesKnown = (installAccessibleRoles(), true);
    Q_UNUSED(rolesKnown);
    return entry(id).create();
}
