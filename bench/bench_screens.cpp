// The windows over growing page bodies, on the offscreen platform: the body analysis of step 3
// as a click on its exclamation point runs it (counting, both captions, the final selection),
// and the generator screen's load (page assembly and the preview box) up to its first paint; and
// reading the text of a large box.
#include "core/pageproject.h"
#include "tests/sampleproject.h"
#include "ui/controls/textboxes.h"
#include "ui/model/screens.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace {

// The sample project with `body` as the page body.
void setUpProject(const QString &body)
{
    pageProject() = sampleProject();
    pageProject().BodyText = body;
}

void discardWindows()
{
    Screens::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void analyseBodyOnStep3(benchmark::State &state)
{
    const QString body = sampleBody(state.range(0));
    setUpProject(body);
    QWidget *step3 = Screens::show(ScreenId::Step3);
    auto *pageBody = step3->findChild<QPlainTextEdit *>(QStringLiteral("PageBody"));
    auto *command4 = step3->findChild<QToolButton *>(QStringLiteral("Command4"));
    auto *statistics = step3->findChild<QLabel *>(QStringLiteral("lblCounter"));
    if (!pageBody || !command4 || !statistics) {
        state.SkipWithError("frmStep3 lacks PageBody, Command4 or lblCounter");
        discardWindows();
        return;
    }
    setBoxText(pageBody, body);
    QCoreApplication::processEvents();

    for (auto _ : state) {
        QTest::mouseClick(command4, Qt::LeftButton);
        // The captions and the selection repaint on the next turn of the event loop.
        QCoreApplication::processEvents();
    }
    if (!statistics->text().startsWith(QLatin1String("Page Body Statistics")))
        state.SkipWithError(qPrintable(QLatin1String("no report shown: ") + statistics->text()));
    state.SetBytesProcessed(state.iterations() * body.size());
    state.counters["words"] = double(pageProject().WordCount);
    discardWindows();
}
BENCHMARK(analyseBodyOnStep3)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void showGeneratorScreen(benchmark::State &state)
{
    const QString body = sampleBody(state.range(0));
    setUpProject(body);
    bool checked = false;
    qsizetype pageSize = 0;
    for (auto _ : state) {
        QWidget *generator = Screens::show(ScreenId::Generator);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (!checked) {
            // Once: the preview holds the whole page, body included.
            auto *text1 = generator->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
            const QString page = text1 ? boxText(text1) : QString();
            pageSize = page.size();
            if (!page.contains(body))
                state.SkipWithError("the preview does not hold the page");
            checked = true;
        }
        discardWindows();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * body.size());
    state.counters["page_chars"] = double(pageSize);
}
BENCHMARK(showGeneratorScreen)->Arg(64 << 10)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

// Taking the text out of a large box, as Continue, the analyses and saving do: each paragraph
// break of the box becomes the program's "\r\n".
void readLargeTextBox(benchmark::State &state)
{
    const QString body = sampleBody(state.range(0));
    QPlainTextEdit box;
    setBoxText(&box, body);
    for (auto _ : state) {
        const QString text = boxText(&box);
        benchmark::DoNotOptimize(text.constData());
    }
    if (boxText(&box) != body)
        state.SkipWithError("the box does not give back the text it was given");
    state.SetBytesProcessed(state.iterations() * body.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(readLargeTextBox)->Arg(1 << 20)->Arg(8 << 20)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Figures without a display server, comparable from one machine to the next.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Screens::setProgramEndHandler([] {});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
