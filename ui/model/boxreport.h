#pragma once

#include "analysis/reports.h"

#include <functional>

struct AnalysedBox;
class QLabel;
class QPlainTextEdit;

// One analysis of a text box, as the three analysing windows run it: `report` counts in the
// box's text, using the box's selection as its search cursor; its captions go into `statistics`
// and `advice`, the box then shows the selection the counting ended with, and screen readers
// hear the new captions. A refused report
// shows and changes nothing, and the caller tells the user why.
ReportRefusal showBoxReport(QPlainTextEdit *box, QLabel *statistics, QLabel *advice,
                            const std::function<ReportOutcome(AnalysedBox &)> &report);
