#pragma once

// The project the tests and the benchmarks build pages from, and body text of any size.

#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "core/settings.h"
#include "generator/keywordblock.h"

#include <QString>

// A complete project as the wizard leaves it when the generator opens: the engine at
// `enginePosition` of the engine lists (0 is Alta Vista), four phrases, an address, the page's
// texts (a body of two lines), hit-counter HTML that is not used, and the engine's recommended
// settings with the keyword block they make.
inline PageProject sampleProject(int enginePosition = 0)
{
    PageProject p;
    ApplyEngineProfile(p, enginePosition);
    p.SiteUrl = QStringLiteral("http://www.example.com/");
    p.TargetedPhrase = p.MatchPhrase = QStringLiteral("free software");
    p.SupportPhrase1 = QStringLiteral("open source");
    p.SupportPhrase2 = QStringLiteral("linux tools");
    p.SupportPhrase3 = QStringLiteral("gnu apps");
    p.KeywordList = QStringLiteral("free software, open source, linux tools, gnu apps");
    p.PageTitle = QStringLiteral("Free Software - Best Tools");
    p.MetaDescription = QStringLiteral("free software - download it");
    p.BodyText = QStringLiteral("Get free software here.\r\nEvery tool is free software.");
    p.LinkText = QStringLiteral("free software - Click Here!");
    p.HitCounterHtml = QStringLiteral("<IMG SRC=\"count.gif\">");
    StoreSettings(ApplyEngineDefaults(p.EngineName), p);
    BuildKeywordBlock(p);
    return p;
}

// About `characters` characters of body text: words between single blanks, the targeted phrase
// of the sample project now and then, and a line break every few dozen words, like a pasted body.
inline QString sampleBody(qsizetype characters)
{
    static const char *const words[] = {"gateway", "page",  "search",   "engine", "ranking", "tips",
                                        "Free",    "Tools", "download", "today",  "index",   "listing"};
    QString text;
    text.reserve(characters + 32);
    for (qsizetype i = 0; text.size() < characters; ++i) {
        if (i > 0)
            text += i % 40 == 0 ? QLatin1String("\r\n") : QLatin1String(" ");
        text += i % 17 == 0 ? QLatin1String("free software") : QLatin1String(words[i % 12]);
    }
    return text;
}
