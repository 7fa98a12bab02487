#pragma once

#include <QLocale>
#include <QString>

struct Currency;
struct PageProject;

// The analysed text box as the counting sees it: its text and its selection. The counts use
// the selection as their search cursor and leave in it what the box must show afterwards; a
// screen copies the final selection into its widget once, when the counting is done.
struct AnalysedBox
{
    QString text;
    qsizetype selStart = 0; // characters before the selection
    qsizetype selLength = 0;
};

// Sets PhraseCount to the number of (overlapping, case-insensitive) occurrences of `phrase`.
// An empty phrase occurs 0 times.
void CountPhraseOccurrences(AnalysedBox &box, const QString &phrase, PageProject &project);

// Sets WordSeparator, WordCount and LastSpacePos; any figure up to 5 becomes a 5 (or 4) marker.
void CountWords(AnalysedBox &box, PageProject &project);

// Sets KeywordFrequency to WordCount / PhraseCount rounded to four decimals (ties to even),
// or to 0 when the phrase was not found.
void ComputeKeywordFrequency(PageProject &project);

// Shortest decimal text with up to four fraction digits and the locale's decimal separator.
QString formatKeywordFrequency(Currency value, const QLocale &locale = QLocale());
