#include "core/engineprofiles.h"

#include "core/pageproject.h"

const std::array<EngineProfile, EngineCount> EngineProfileTable = {{
    {"Alta Vista", "Alta Vista", "2 times", "about 15", "about 6 times", "about 200", "about 27", "about 300",
     "9.125 - 18.2585"},
    {"Aol", "AOL", "2 times", "about 25", "about 10 times", "about 325", "about 30", "about 450", "5.814 - 16.879"},
    {"Excite", "Excite", "2 times", "about 25", "about 10 times", "about 325", "about 30", "about 450",
     "5.814 - 16.879"},
    {"HotBot", "Hot Bot", "2 times", "about 18", "about 5 times", "about 250", "about 24", "about 350",
     "9.546 - 13.568"},
    {"InfoSeek", "InfoSeek", "2 times", "about 25", "about 5 times", "about 350", "about 30", "about 450",
     "4.0321 - 11.0000"},
    {"Lycos", "Lycos", "3 times", "about 25", "about 4 times", "about 200", "about 28", "350", "8.0321 - 16.0000"},
    {"Magellan", "Magellan", "2 times", "about 15", "about 4 times", "about 200", "about 25", "about 325",
     "8.0321 - 14.0000"},
    {"WebCrawler", "WebCrawler", "2 times", "about 20", "about 4 times", "about 200", "about 29", "about 270",
     "6.0321 - 16.0000"},
    {"Yahoo", "Yahoo", "2 times", "about 20", "about 5 times", "450", "about 15", "550", "13.000 - 33.000"},
}};

QStringList engineListEntries()
{
    QStringList entries;
    entries.reserve(EngineCount);
    for (const EngineProfile &row : EngineProfileTable)
        entries << QString::fromLatin1(row.listEntry);
    return entries;
}

void ApplyEngineProfile(PageProject &project, int position)
{
    if (position < 0 || position >= EngineCount)
        return;
    const EngineProfile &row = EngineProfileTable[position];
    project.EngineName = QString::fromLatin1(row.EngineName);
    project.DescPhraseAdvice = QString::fromLatin1(row.DescPhraseAdvice);
    project.DescWordAdvice = QString::fromLatin1(row.DescWordAdvice);
    project.BodyPhraseAdvice = QString::fromLatin1(row.BodyPhraseAdvice);
    project.BodyWordAdvice = QString::fromLatin1(row.BodyWordAdvice);
    project.PagePhraseAdvice = QString::fromLatin1(row.PagePhraseAdvice);
    project.PageWordAdvice = QString::fromLatin1(row.PageWordAdvice);
    project.FrequencyAdvice = QString::fromLatin1(row.FrequencyAdvice);
}
