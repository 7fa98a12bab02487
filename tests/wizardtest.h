#pragma once

// What the tests of the wizard steps share: finding and filling the steps' controls, and walking
// the wizard to a step.
#include "core/settings.h"
#include "ui/model/screens.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

Q_DECLARE_METATYPE(ScreenId)

// Names the checked boxes and the two list positions when a comparison fails.
char *toString(const SettingsScreenState &state);

namespace WizardTest {

// A line box by name, or the edit field of a list.
QLineEdit *lineBox(ScreenId id, const char *name);
// Closes the open message window by "OK" or by its close control; fails unless it closes.
void closeMessage(ScreenId message, bool byCloseControl);
// The phrases of step 1, stored as its Continue stores them.
void setPhrases(const QString &targeted);
// Characters before and inside the box's selection, in the "\r\n" text the program counts in.
QPair<qsizetype, qsizetype> selectionOf(QPlainTextEdit *box);
// The settings step 5 shows.
SettingsScreenState shownSettings();
// Fills the visible step with ordinary entries (those still there from before are kept) and
// presses Continue.
void completeStep(ScreenId step);
// Starts the wizard and moves on until `target` is the step in view.
void walkTo(ScreenId target);
// The wizard steps still open, in the wizard's order.
QList<ScreenId> openSteps();

} // namespace WizardTest
