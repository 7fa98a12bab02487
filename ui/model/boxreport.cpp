#include "ui/model/boxreport.h"

#include "ui/controls/boxtexts.h"
#include "ui/controls/captions.h"
#include "ui/model/accessibility.h"

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
    // Screen readers hear the new captions once, as soon as they show.
    announceCaptions({statistics, advice});
    return ReportRefusal::None;
}
