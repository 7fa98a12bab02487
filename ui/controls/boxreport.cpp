#include "ui/controls/boxreport.h"

#include "ui/controls/textboxes.h"

ReportRefusal showBoxReport(QPlainTextEdit *box, QLabel *statistics, QLabel *advice,
                            const std::function<ReportOutcome(AnalysedBox &)> &report)
{
    AnalysedBox analysed = analysedBox(box);
    const ReportOutcome outcome = report(analysed);
    if (outcome.refusal != ReportRefusal::None)
        return outcome.refusal;
    setCaption(statistics, outcome.captions.statistics);
    setCaption(advice, outcome.captions.advice);
    applySelection(box, analysed);
    return ReportRefusal::None;
}
