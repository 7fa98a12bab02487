// Counting and page assembly over growing inputs; the figures are throughput and time per call.
#include "analysis/counting.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "tests/sampleproject.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

void countPhraseAndWords(benchmark::State &state)
{
    // The argument counts UTF-16 bytes.
    const QString text = sampleBody(state.range(0) / qsizetype(sizeof(QChar)));
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

// The sample project with every option but the frequency exploit, both levels at their highest,
// and a body of about `bodyBytes` UTF-16 bytes.
PageProject pageProjectWithBody(qsizetype bodyBytes)
{
    PageProject p = sampleProject();
    p.BodyText = sampleBody(bodyBytes / qsizetype(sizeof(QChar)));
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
