#include "analysis/counting.h"

#include "core/pageproject.h"

namespace {

// Position (from 1) of the first occurrence of `pattern` at or after position `start`, or 0.
qsizetype find(const QString &text, qsizetype start, const QString &pattern)
{
    if (start < 1 || start > text.size())
        return 0;
    // A blank has no case: a plain character search is much faster than case folding.
    const qsizetype index = pattern.size() == 1 && pattern.at(0) == QLatin1Char(' ')
                                ? text.indexOf(QLatin1Char(' '), start - 1)
                                : text.indexOf(pattern, start - 1, Qt::CaseInsensitive);
    return index + 1;
}

} // namespace

void CountPhraseOccurrences(AnalysedBox &box, const QString &phrase, PageProject &project)
{
    project.PhraseCount = 0;
    // Finding an empty text always succeeds, so it would never stop.
    if (phrase.isEmpty())
        return;
    for (;;) {
        const qsizetype start = project.PhraseCount == 0 ? 1 : box.selStart + 2;
        const qsizetype p = find(box.text, start, phrase);
        if (p == 0)
            break;
        ++project.PhraseCount;
        box.selStart = p - 1;
        box.selLength = phrase.size();
    }
}

void CountWords(AnalysedBox &box, PageProject &project)
{
    project.WordCount = 0;
    project.WordSeparator = QStringLiteral(" ");
    for (;;) {
        const qsizetype start = project.WordCount == 0 ? 1 : box.selStart + 2;
        const qsizetype p = find(box.text, start, project.WordSeparator);
        if (p == 0) {
            ++project.WordCount;
            if (project.WordCount <= 5)
                project.WordCount = 5;
            break;
        }
        if (p == project.LastSpacePos) {
            --project.WordCount;
        } else {
            ++project.WordCount;
            project.LastSpacePos = start + 1;
        }
        box.selStart = p - 1;
        box.selLength = project.WordSeparator.size();
        if (project.WordCount == 1) {
            box.selStart += 1;
            box.selLength = 0;
        }
    }
    // The last blank found was the text's last character.
    if (box.text.size() == box.selStart + 1)
        --project.WordCount;
}

void ComputeKeywordFrequency(PageProject &project)
{
    if (project.PhraseCount == 0) {
        // A page without the phrase has no frequency; an earlier page's figure would be wrong.
        project.KeywordFrequency = Currency{};
        return;
    }
    // Exact integer division rounded half to even at the fourth decimal.
    const qint64 numerator = project.WordCount * 10000;
    const qint64 denominator = project.PhraseCount;
    qint64 quotient = numerator / denominator;
    const qint64 remainder = numerator % denominator;
    const qint64 twice = 2 * (remainder < 0 ? -remainder : remainder);
    const qint64 absDenominator = denominator < 0 ? -denominator : denominator;
    if (twice > absDenominator || (twice == absDenominator && quotient % 2 != 0))
        quotient += (numerator < 0) != (denominator < 0) ? -1 : 1;
    project.KeywordFrequency = Currency{quotient};
}

QString formatKeywordFrequency(Currency value, const QLocale &locale)
{
    const qint64 v = value.tenThousandths;
    const quint64 magnitude = v < 0 ? quint64(0) - quint64(v) : quint64(v);
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    if (v < 0)
        text.prepend(locale.negativeSign());
    return text;
}
