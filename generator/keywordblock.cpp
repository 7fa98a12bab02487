#include "generator/keywordblock.h"

#include "core/pageproject.h"

void BuildKeywordBlock(PageProject &project)
{
    int cycles = 0;
    if (project.SpamDetectionLevel == QLatin1String("0"))
        cycles = 1;
    else if (project.SpamDetectionLevel == QLatin1String("1"))
        cycles = 2;
    else if (project.SpamDetectionLevel == QLatin1String("2"))
        cycles = 3;
    else
        return;

    const QLatin1Char blank(' ');
    const QString cycle = project.TargetedPhrase + blank + project.SupportPhrase1 + blank + project.SupportPhrase2 +
                          blank + project.SupportPhrase3;
    QString block;
    block.reserve(cycles * (cycle.size() + 1));
    for (int i = 0; i < cycles; ++i) {
        if (i > 0)
            block += blank;
        block += cycle;
    }
    project.KeywordBlock = block;
}
