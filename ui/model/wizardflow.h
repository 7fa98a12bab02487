#pragma once

#include "ui/model/screens.h"

#include <span>

// The wizard's flow in one place: where each window's Continue, Back and extra action lead, and
// which window each message window holds disabled while it is open. The windows ask here and
// name no neighbour, so a change of order or of a message's target is one line of the tables in
// wizardflow.cpp; the steps' numbers follow from the order.
namespace WizardFlow {

// The step the main menu's arrow opens.
inline constexpr ScreenId FirstStep = ScreenId::Step0;

// Where `screen` stands among the windows Continue leads through, from FirstStep to the
// generator: 1 for the first step, 0 for a window that is none of them.
int stepNumber(ScreenId screen);
// How many windows Continue leads through, the generator included.
int stepCount();

// Where Continue leads from `step`: the next step, and the generator after the last.
ScreenId next(ScreenId step);
// Where Back leads from `screen`; for a window shown in place of a step (the generator, the
// keyword tips) also the step it returns to when it closes.
ScreenId previous(ScreenId screen);
// The window that `step`'s extra action shows in place of the step (the keyword tips).
ScreenId aside(ScreenId step);

// The window `message` disables while it is open and enables again when it closes. For the
// quit confirmation that is the window whose Quit was pressed: `opener`.
ScreenId heldBy(ScreenId message, ScreenId opener = ScreenId::Main);

// Shows `message` above `opener` (without waiting for it), then disables the window it holds.
void showMessage(ScreenId message, Screen *opener);

// Whether Quit on `screen` marks the quit as coming from the first steps (QuitFromWizard), so
// that the confirmation re-enables only those when it closes.
bool quitsFromFirstSteps(ScreenId screen);
// The windows the quit confirmation enables again when it closes.
std::span<const ScreenId> enabledAfterQuit(bool fromFirstSteps);

} // namespace WizardFlow
