// Counting and page assembly over growing inputs; the figures are throughput and time per call.
#include "analysis/counting.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

// Text of about `bytes` UTF-16 bytes: words between single blanks, the phrase now and then,
// and a line break every few dozen words, like a pasted body.
QString sampleText(qsizetype bytes)
{
    static const char *const words[] = {"gateway", "page", "search", "engine", "ranking", "tips", "Free",
                                        "Software", "download", "today", "index", "listing"};
    QString text;
    text.reserve(bytes / 2 + 32);
    for (qsizetype i = 0; text.size() * 2 < bytes; ++i) {
        if (i > 0)
            text += i % 40 == 0 ? QLatin1String("\r\n") : QLatin1String(" ");
        text += i % 17 == 0 ? QLatin1String("free software") : QLatin1String(words[i % 12]);
    }
    return text;
}

void countPhraseAndWords(benchmark::State &state)
{
    const QString text = sampleText(state.range(0));
    const QString phrase = QStringLiteral("free software");
    PageProject project;
    for (auto _ : state) {
        AnalysedBox box{text, 0, 0};
        CountPhraseOccurrences(box, phrase, project);
        CountWords(box, project);
        benchmark::DoNotOptimize(project.WordCount);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
    state.counters["words"] = double(project.WordCount);
}
BENCHMARK(countPhraseAndWords)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

PageProject pageProjectWithBody(qsizetype bodyBytes)
{
    PageProject p;
    p.TargetedPhrase = p.MatchPhrase = QStringLiteral("free software");
    p.SupportPhrase1 = QStringLiteral("open source tools");
    p.SupportPhrase2 = QStringLiteral("software downloads");
    p.SupportPhrase3 = QStringLiteral("FREE PROGRAMS");
    p.KeywordList = QStringLiteral("free software, open source tools, software downloads, FREE PROGRAMS");
    p.SiteUrl = QStringLiteral("http://www.example.com/");
    p.PageTitle = QStringLiteral("free software - free software");
    p.MetaDescription = QStringLiteral("free software - the best free software for every desktop");
    p.BodyText = sampleText(bodyBytes);
    p.LinkText = QStringLiteral("free software - Click Here!");
    const QString yes = QStringLiteral("Yes");
    p.UseMetaDescription = p.UseMetaKeywords = p.UseCommentTags = p.UseAltTags = p.UseHiddenTags = yes;
    p.UseTopBottomSpam = p.UseHiddenExternalLink = p.UseAutoForward = p.UseTitleMetaExploit = yes;
    p.FrequencyLevel = QStringLiteral("2");
    p.SpamDetectionLevel = QStringLiteral("2");
    BuildKeywordBlock(p);
    return p;
}

void buildGatewayPage(benchmark::State &state)
{
    PageProject project = pageProjectWithBody(state.range(0));
    qsizetype size = 0;
    for (auto _ : state) {
        const QString page = BuildGatewayPage(project);
        size = page.size();
        benchmark::DoNotOptimize(page.constData());
    }
    state.counters["pageChars"] = double(size);
}
// A typical page (a body of about 2 KiB) and one with a 1 MiB body.
BENCHMARK(buildGatewayPage)->Arg(2 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
