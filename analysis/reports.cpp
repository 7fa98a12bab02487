#include "analysis/reports.h"

#include "analysis/counting.h"
#include "core/pageproject.h"

namespace {

const QLatin1String CrLf("\r\n");

void countPhraseAndWords(PageProject &project, AnalysedBox &box, const QString &phrase)
{
    CountPhraseOccurrences(box, phrase, project);
    CountWords(box, project);
}

QString phraseSuffix(qint64 phraseCount)
{
    return phraseCount == 1 ? QStringLiteral(" time.") : QStringLiteral(" times.");
}

// The one-line figures of the description and body reports.
QString countLine(const PageProject &project)
{
    const QString words = project.WordCount > 5 ? QString::number(project.WordCount) : QStringLiteral("5 or less");
    return QLatin1String("Your total word count is ") + words + QLatin1String(". You used your Targeted Phrase ") +
           QString::number(project.PhraseCount) + phraseSuffix(project.PhraseCount);
}

QString advice(const PageProject &project, const QString &wordAdvice, const QString &phraseAdvice,
               QLatin1String phraseClosing)
{
    return CrLf + QLatin1String("For ") + project.EngineName + QLatin1Char(':') + CrLf +
           QLatin1String("You should use ") + wordAdvice + QLatin1String(" words.") + CrLf +
           QLatin1String("Use your Targeted Phrase ") + phraseAdvice + phraseClosing;
}

} // namespace

QString DescriptionPrefill(const QString &matchPhrase)
{
    return matchPhrase + QLatin1String(" - ");
}

bool IsDescriptionMissing(const QString &text, const PageProject &project)
{
    return text.isEmpty() || text == DescriptionPrefill(project.MatchPhrase);
}

ReportOutcome ReportMetaDescription(PageProject &project, AnalysedBox &box)
{
    if (IsDescriptionMissing(box.text, project))
        return {ReportRefusal::DescriptionMissing, {}};
    countPhraseAndWords(project, box, project.TargetedPhrase);
    return {ReportRefusal::None,
            {QLatin1String("Meta-Tag Description Statistics:") + CrLf + countLine(project),
             advice(project, project.DescWordAdvice, project.DescPhraseAdvice,
                    QLatin1String(" in the Meta-Tag Description."))}};
}

ReportOutcome ReportPageBody(PageProject &project, AnalysedBox &box)
{
    if (box.text.isEmpty())
        return {ReportRefusal::BodyMissing, {}};
    countPhraseAndWords(project, box, project.TargetedPhrase);
    return {ReportRefusal::None,
            {QLatin1String("Page Body Statistics:") + CrLf + countLine(project),
             advice(project, project.BodyWordAdvice, project.BodyPhraseAdvice,
                    QLatin1String(" in the body of your page."))}};
}

ReportCaptions ReportGeneratedPage(PageProject &project, AnalysedBox &box, const QLocale &locale)
{
    countPhraseAndWords(project, box, project.MatchPhrase);
    ComputeKeywordFrequency(project);
    const QString suffix = phraseSuffix(project.PhraseCount);
    const QString phraseCount = QString::number(project.PhraseCount);

    QString statistics = QLatin1String("Page Statistics:") + CrLf;
    if (project.WordCount > 5) {
        statistics += QLatin1String("Your total word count is ") + QString::number(project.WordCount) +
                      QLatin1Char('.') + CrLf + QLatin1String(" You used your Targeted Phrase ") + phraseCount +
                      suffix + CrLf + QLatin1String("Your Keyword Frequency is: ") +
                      formatKeywordFrequency(project.KeywordFrequency, locale);
    } else {
        statistics += QLatin1String("Your total word count is 5 or less.") + CrLf +
                      QLatin1String("You used your Targeted Phrase ") + phraseCount + suffix + CrLf +
                      QLatin1String("The Keyword Frequency is: ") + project.FrequencyAdvice;
    }

    const QString adviceText = QLatin1String("For ") + project.EngineName + QLatin1Char(':') + CrLf +
                               QLatin1String("You should use ") + project.PageWordAdvice + QLatin1String(" words.") +
                               CrLf + QLatin1String("Use your Targeted Phrase ") + project.PagePhraseAdvice +
                               QLatin1String(" times.") + CrLf + QLatin1String("Your Keyword Frequency should be: ") +
                               project.FrequencyAdvice;
    return {statistics, adviceText};
}
