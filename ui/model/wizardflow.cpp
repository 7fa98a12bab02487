#include "ui/model/wizardflow.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <optional>

namespace {

using enum ScreenId;

struct Route
{
    ScreenId screen;
    std::optional<ScreenId> next;
    std::optional<ScreenId> previous;
    std::optional<ScreenId> aside;
};

// clang-format off
constexpr std::array Routes{
    //    window        Continue      Back, or return on close   extra action
    Route{Step0,        Step1,        std::nullopt,              std::nullopt},
    Route{Step1,        Step2,        Step0,                     KeyWordTips},
    Route{Step2,        Step3,        Step1,                     std::nullopt},
    Route{Step3,        Step4,        Step2,                     std::nullopt},
    Route{Step4,        Step5,        Step3,                     std::nullopt},
    Route{Step5,        Generator,    Step4,                     std::nullopt},
    Route{Generator,    std::nullopt, Step5,                     std::nullopt},
    Route{KeyWordTips,  std::nullopt, Step1,                     std::nullopt},
};

struct Hold
{
    ScreenId message;
    std::optional<ScreenId> held; // none: the window that opened it
};

// The opener shows the message, then disables `held`; the message enables it again on closing.
// The address message stands in for the hidden main menu, so the first step stays usable.
constexpr std::array Holds{
    Hold{Error,       Step0},
    Hold{Error2,      Main},
    Hold{Error4,      Step1},
    Hold{Error5,      Step2},
    Hold{Error8,      Step3},
    Hold{NoSelection, Main},
    Hold{Options,     Generator},
    Hold{Quit1,       std::nullopt},
};

// Quit from the first two steps re-enables only those two.
constexpr std::array FirstSteps{Step0, Step1};
// clang-format on

constexpr std::optional<ScreenId> continuesTo(ScreenId screen)
{
    for (const Route &route : Routes) {
        if (route.screen == screen)
            return route.next;
    }
    return std::nullopt;
}

// The windows Continue leads through, in order: the wizard's steps as the user counts them.
constexpr std::size_t StepCount = [] {
    std::size_t count = 0;
    for (std::optional<ScreenId> screen = WizardFlow::FirstStep; screen; screen = continuesTo(*screen))
        ++count;
    return count;
}();
constexpr auto Steps = [] {
    std::array<ScreenId, StepCount> steps{};
    std::optional<ScreenId> screen = WizardFlow::FirstStep;
    for (ScreenId &step : steps) {
        step = *screen;
        screen = continuesTo(*screen);
    }
    return steps;
}();

// The wizard's windows (which share one frame and which a confirmed quit closes) are the ones
// Continue leads through.
static_assert(Steps.size() == WizardScreens.size() &&
                  std::is_permutation(Steps.cbegin(), Steps.cend(), WizardScreens.cbegin()),
              "WizardScreens must list the windows the flow leads through");

const Route &routeOf(ScreenId screen)
{
    const auto *route =
        std::find_if(Routes.cbegin(), Routes.cend(), [screen](const Route &r) { return r.screen == screen; });
    Q_ASSERT(route != Routes.cend());
    return *route;
}

ScreenId target(const std::optional<ScreenId> &to)
{
    Q_ASSERT(to.has_value());
    return *to;
}

} // namespace

namespace WizardFlow {

int stepNumber(ScreenId screen)
{
    const auto *step = std::find(Steps.cbegin(), Steps.cend(), screen);
    return step == Steps.cend() ? 0 : int(step - Steps.cbegin()) + 1;
}

int stepCount()
{
    return int(StepCount);
}

ScreenId next(ScreenId step)
{
    return target(routeOf(step).next);
}

ScreenId previous(ScreenId screen)
{
    return target(routeOf(screen).previous);
}

ScreenId aside(ScreenId step)
{
    return target(routeOf(step).aside);
}

ScreenId heldBy(ScreenId message, ScreenId opener)
{
    const auto *hold =
        std::find_if(Holds.cbegin(), Holds.cend(), [message](const Hold &h) { return h.message == message; });
    Q_ASSERT(hold != Holds.cend());
    return hold->held.value_or(opener);
}

void showMessage(ScreenId message, Screen *opener)
{
    Screens::showMessage(message, opener->screenWidget(), heldBy(message, opener->screenId()));
}

bool quitsFromFirstSteps(ScreenId screen)
{
    return std::find(FirstSteps.cbegin(), FirstSteps.cend(), screen) != FirstSteps.cend();
}

std::span<const ScreenId> enabledAfterQuit(bool fromFirstSteps)
{
    if (fromFirstSteps)
        return FirstSteps;
    return WizardScreens;
}

} // namespace WizardFlow
