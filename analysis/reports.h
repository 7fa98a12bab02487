#pragma once

#include <QLocale>
#include <QString>

struct AnalysedBox;
struct PageProject;

// The two label captions of one report: the figures found, and the engine's advice.
struct ReportCaptions
{
    QString statistics;
    QString advice;
};

// Why a report was not made; the screen shows the matching message window.
enum class ReportRefusal {
    None,
    DescriptionMissing, // "You forgot to enter the Meta-Tag Description for your page."
    BodyMissing,        // "You forgot to enter the Body Description for your page."
};

struct ReportOutcome
{
    ReportRefusal refusal = ReportRefusal::None;
    ReportCaptions captions; // empty when refused
};

// What the meta-tag description box holds when its screen opens: MatchPhrase + " - ".
QString DescriptionPrefill(const QString &matchPhrase);
// No description: the text is empty or still the untouched pre-fill (compared exactly).
bool IsDescriptionMissing(const QString &text, const PageProject &project);

// Analyses the meta-tag description in `box`. Refused (nothing counted) when the box is empty
// or still holds the pre-fill MatchPhrase + " - ".
ReportOutcome ReportMetaDescription(PageProject &project, AnalysedBox &box);

// Analyses the page body in `box`. Refused when the box is empty.
ReportOutcome ReportPageBody(PageProject &project, AnalysedBox &box);

// Analyses the generated page in `box` and computes the keyword frequency. Never refuses.
ReportCaptions ReportGeneratedPage(PageProject &project, AnalysedBox &box, const QLocale &locale = QLocale());
