// The windows over growing page bodies: a key typed into step 3's body box, the body analysis of
// step 3 as a click on its exclamation point runs it (counting, both captions, the final
// selection), the generator screen's load (page assembly and the preview box), Continue from
// step 5 to the generator, a key soon after a body was set, and the longest turn of the event
// loop while a long paragraph is placed; reading the text of a large box; and the peak memory of
// a whole run over such a body. Each body comes in two shapes: paragraphs of about 300
// characters, and the same words as one paragraph, as pasted from a web page or a PDF.
//
// The windows are timed as a user sees them: until the window has painted the result and the
// events posted until then have run, on a real X server (run under xvfb-run). Without one
// (DISPLAY unset) those benchmarks are skipped; the rest run on the offscreen platform.
#include "core/pageproject.h"
#include "tests/sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/accessibility.h"
#include "ui/model/screens.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

enum Shape { Paragraphs, OneParagraph };

// A body of `characters` characters in the given shape.
QString bodyOf(qsizetype characters, qint64 shape)
{
    QString body = sampleBody(characters);
    if (shape == OneParagraph)
        body.replace(QLatin1String("\r\n"), QLatin1String(" "));
    return body;
}

void bodyArguments(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgNames({"chars", "one_paragraph"});
    benchmark->Args({64 << 10, Paragraphs});
    benchmark->Args({1 << 20, Paragraphs});
    benchmark->Args({1 << 20, OneParagraph});
    benchmark->Args({8 << 20, Paragraphs});
    benchmark->Args({8 << 20, OneParagraph});
}

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

void settleBox(TextBox *box)
{
    while (!box->isSettled())
        QCoreApplication::processEvents();
}

// Whether the windows are on a real X server: only there is a paint what a user sees.
bool onXServer()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

bool skipWithoutXServer(benchmark::State &state)
{
    if (onXServer())
        return false;
    state.SkipWithError("no X server (DISPLAY unset): run under xvfb-run");
    return true;
}

// Notes a paint of the widget that `watched` picks, once armed.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(std::function<QWidget *()> watched)
        : m_watched(std::move(watched))
    {
        qApp->installEventFilter(this);
    }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted && object == m_watched())
            painted = true;
        return false;
    }

private:
    std::function<QWidget *()> m_watched;
};

// Turns the event loop until the watched widget has painted and every event posted until then
// has run (a marker posted last, at the priority of the lowest the program posts, comes
// through): what a user waits for after a click or a key.
void untilPainted(PaintWatch &watch)
{
    QElapsedTimer waited;
    waited.start();
    struct Marker : QObject
    {
        bool through = false;
        bool event(QEvent *) override { return through = true; }
    };
    for (;;) {
        Marker marker;
        QCoreApplication::postEvent(&marker, new QEvent(QEvent::User), Qt::LowEventPriority - 1);
        while (!marker.through)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (watch.painted || waited.hasExpired(60000))
            return;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

// The event loop turns for `ms` milliseconds, as it does in the program while the user waits.
void idle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!timer.hasExpired(ms))
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(qMax<qint64>(1, ms - timer.elapsed())));
}

// Step 3 shown, and its body box as a `Box`; none, the benchmark skipped, where it has none.
template <typename Box> Box *showStep3Body(benchmark::State &state)
{
    auto *box = Screens::show(ScreenId::Step3)->findChild<Box *>(QStringLiteral("PageBody"));
    if (!box) {
        state.SkipWithError("frmStep3 lacks PageBody, or it is no text box");
        discardWindows();
    }
    return box;
}

// One key press in the middle of the body, painted: a letter, then a Backspace that takes it out
// again, so the body keeps its size.
void typeKeyInPageBody(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
    setUpProject(body);
    auto *pageBody = showStep3Body<QPlainTextEdit>(state);
    if (!pageBody)
        return;
    setBoxText(pageBody, body);
    pageBody->setFocus();
    QTextCursor middle(pageBody->document());
    middle.setPosition(pageBody->document()->characterCount() / 2);
    pageBody->setTextCursor(middle);
    // Keys into the placed text: the box places a text set whole while the program is idle
    // (setTextThroughAccessibility and resizeOneParagraph time that).
    if (auto *box = qobject_cast<TextBox *>(pageBody))
        settleBox(box);
    QCoreApplication::processEvents();

    bool typed = false;
    for (auto _ : state) {
        PaintWatch watch([pageBody] { return pageBody->viewport(); });
        QTest::keyClick(pageBody, typed ? Qt::Key_Backspace : Qt::Key_X);
        typed = !typed;
        untilPainted(watch);
    }
    if (typed)
        QTest::keyClick(pageBody, Qt::Key_Backspace);
    if (boxText(pageBody) != body)
        state.SkipWithError("the body changed");
    discardWindows();
}
BENCHMARK(typeKeyInPageBody)->Apply(bodyArguments)->Unit(benchmark::kMillisecond);

void analyseBodyOnStep3(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
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
        PaintWatch watch([pageBody] { return pageBody->viewport(); });
        QTest::mouseClick(command4, Qt::LeftButton);
        // The captions and the selection repaint on a later turn of the event loop.
        untilPainted(watch);
    }
    if (!statistics->text().startsWith(QLatin1String("Page Body Statistics")))
        state.SkipWithError(qPrintable(QLatin1String("no report shown: ") + statistics->text()));
    state.SetBytesProcessed(state.iterations() * body.size());
    state.counters["words"] = double(pageProject().WordCount);
    discardWindows();
}
BENCHMARK(analyseBodyOnStep3)->Apply(bodyArguments)->Unit(benchmark::kMillisecond);

// The generator's preview box, once the generator is open.
QWidget *previewViewport()
{
    QWidget *generator = Screens::find(ScreenId::Generator);
    auto *text1 = generator ? generator->findChild<QPlainTextEdit *>(QStringLiteral("Text1")) : nullptr;
    return text1 ? text1->viewport() : nullptr;
}

void showGeneratorScreen(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
    setUpProject(body);
    bool checked = false;
    qsizetype pageSize = 0;
    for (auto _ : state) {
        PaintWatch watch(previewViewport);
        QWidget *generator = Screens::show(ScreenId::Generator);
        untilPainted(watch);
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
BENCHMARK(showGeneratorScreen)->Apply(bodyArguments)->Unit(benchmark::kMillisecond);

// Continue on step 5, up to the generator's preview painted with the page.
void continueToGenerator(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
    setUpProject(body);
    for (auto _ : state) {
        state.PauseTiming();
        QWidget *step5 = Screens::show(ScreenId::Step5);
        auto *command2 = step5->findChild<QAbstractButton *>(QStringLiteral("Command2"));
        if (!command2) {
            state.SkipWithError("frmStep5 lacks Command2");
            break;
        }
        idle(50);
        PaintWatch watch(previewViewport);
        state.ResumeTiming();
        QTest::mouseClick(command2, Qt::LeftButton);
        untilPainted(watch);
        state.PauseTiming();
        if (!previewViewport() || !watch.painted)
            state.SkipWithError("the generator did not paint its preview");
        discardWindows();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}
BENCHMARK(continueToGenerator)
    ->ArgNames({"chars", "one_paragraph"})
    ->Args({1 << 20, Paragraphs})
    ->Args({1 << 20, OneParagraph})
    ->Args({8 << 20, Paragraphs})
    ->Args({8 << 20, OneParagraph})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

// A key in the middle of step 3's body 100 ms after the body was set, up to the box painted:
// the box is still placing its long paragraph then.
void keySoonAfterSettingBody(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
    setUpProject(QString());
    auto *pageBody = showStep3Body<QPlainTextEdit>(state);
    if (!pageBody)
        return;
    pageBody->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        setBoxText(pageBody, body);
        idle(100);
        PaintWatch watch([pageBody] { return pageBody->viewport(); });
        state.ResumeTiming();
        QTest::keyClick(pageBody, Qt::Key_X);
        untilPainted(watch);
    }
    discardWindows();
}
BENCHMARK(keySoonAfterSettingBody)
    ->ArgNames({"chars", "one_paragraph"})
    ->Args({8 << 20, Paragraphs})
    ->Args({8 << 20, OneParagraph})
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// Where turns over 8 ms are written when RANKWRIGHT_LONG_TURNS names a file: one line each, its
// start and end in nanoseconds of CLOCK_MONOTONIC (the clock `perf record -k CLOCK_MONOTONIC`
// stamps its samples with), so that a profile can be cut down to the long turns; then its number,
// its milliseconds, and the milliseconds the thread ran in it (less when other processes had the
// processor).
std::FILE *longTurnLog()
{
    static std::FILE *log = [] {
        const QByteArray path = qgetenv("RANKWRIGHT_LONG_TURNS");
        return path.isEmpty() ? nullptr : std::fopen(path.constData(), "w");
    }();
    return log;
}

qint64 clockNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The longest turn of the event loop from setting a body into step 3's box until the box has
// placed it all: how long a key or a click may wait meanwhile. The time is that turn's.
void longestTurnWhilePlacing(benchmark::State &state)
{
    if (skipWithoutXServer(state))
        return;
    const QString body = bodyOf(state.range(0), state.range(1));
    setUpProject(QString());
    auto *box = showStep3Body<TextBox>(state);
    if (!box)
        return;
    idle(50);
    double longestMs = 0;
    int turns = 0;
    int overBudget = 0; // turns over 8 ms
    int longestAt = 0;  // the longest turn's number, from the first after setting
    // The most processor time the program's thread spent in one turn: the turn's own work, which
    // other processes on a busy machine (the X server among them) only add to.
    double mostCpuMs = 0;
    double cpuMs = 0;

    for (auto _ : state) {
        setBoxText(box, body);
        double longest = 0;
        QElapsedTimer turn;
        for (int turnOfThis = 0; turnOfThis == 0 || !box->isSettled(); ++turnOfThis) {
            const qint64 startNs = clockNs(CLOCK_MONOTONIC);
            const qint64 startCpuNs = clockNs(CLOCK_THREAD_CPUTIME_ID);
            turn.start();
            QCoreApplication::processEvents();
            const double ms = turn.nsecsElapsed() / 1e6;
            const double turnCpuMs = (clockNs(CLOCK_THREAD_CPUTIME_ID) - startCpuNs) / 1e6;
            mostCpuMs = std::max(mostCpuMs, turnCpuMs);
            cpuMs += turnCpuMs;
            if (ms > 8 && longTurnLog())
                std::fprintf(longTurnLog(), "%lld %lld %d %.3f %.3f\n", startNs, clockNs(CLOCK_MONOTONIC), turnOfThis,
                             ms, turnCpuMs);
            if (ms > longest)
                longestAt = turnOfThis;
            longest = std::max(longest, ms);
            overBudget += ms > 8 ? 1 : 0;
            ++turns;
        }
        state.SetIterationTime(longest / 1000);
        longestMs = std::max(longestMs, longest);
    }
    if (longTurnLog())
        std::fflush(longTurnLog());
    state.counters["longest_turn_ms"] = longestMs;
    state.counters["turns"] = turns;
    state.counters["turns_over_8ms"] = overBudget;
    state.counters["longest_turn_no"] = longestAt;
    state.counters["most_cpu_in_a_turn_ms"] = mostCpuMs;
    state.counters["cpu_ms_a_turn"] = cpuMs / std::max(1, turns);
    discardWindows();
}
BENCHMARK(longestTurnWhilePlacing)
    ->ArgNames({"chars", "one_paragraph"})
    ->Args({8 << 20, OneParagraph})
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

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

// Setting a box's whole text through its accessible interface, as on-screen keyboards, dictation
// and test tools do, over a box that holds the same text already.
void setTextThroughAccessibility(benchmark::State &state)
{
    const QString body = bodyOf(state.range(0), state.range(1));
    TextBox box(nullptr);
    box.resize(500, 300);
    box.show();
    setBoxText(&box, body);
    QCoreApplication::processEvents();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&box);
    for (auto _ : state) {
        accessible->setText(QAccessible::Value, body);
        QCoreApplication::processEvents();
    }
    if (boxText(&box) != body)
        state.SkipWithError("the box does not hold the text it was given");
}
BENCHMARK(setTextThroughAccessibility)->Apply(bodyArguments)->Unit(benchmark::kMillisecond);

// A shown box holding a one-paragraph body, made wider and narrower in turn, up to the painted
// result; beside it the same in a plain QPlainTextEdit. The box places the pieces out of sight
// while the program is idle, a few milliseconds at a time: the last figure goes on until it has
// placed them all, turning the event loop without pause.
enum BoxKind { PlainEdit, Box, BoxSettled };

void resizeOneParagraph(benchmark::State &state)
{
    const QString body = bodyOf(state.range(0), OneParagraph);
    std::unique_ptr<QPlainTextEdit> edit(state.range(1) == PlainEdit ? new QPlainTextEdit : new TextBox(nullptr));
    edit->resize(500, 300);
    edit->show();
    setBoxText(edit.get(), body);
    QCoreApplication::processEvents();
    auto *box = qobject_cast<TextBox *>(edit.get());
    if (box)
        settleBox(box);
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        edit->resize(wide ? 620 : 500, 300);
        edit->viewport()->repaint();
        QCoreApplication::processEvents();
        if (box && state.range(1) == BoxSettled)
            settleBox(box);
    }
    if (boxText(edit.get()) != body)
        state.SkipWithError("the text changed");
}
BENCHMARK(resizeOneParagraph)
    ->ArgNames({"chars", "kind"})
    ->Args({8 << 20, PlainEdit})
    ->Args({8 << 20, Box})
    ->Args({8 << 20, BoxSettled})
    ->Unit(benchmark::kMillisecond);

// What a user does with a body, in a fresh process: the body set into step 3's box, a key typed,
// the analysis, Continue's reading of the box, the generator shown. Prints the process's peak
// resident memory in KiB.
int runWholeBody(qsizetype characters, qint64 shape)
{
    const QString body = bodyOf(characters, shape);
    setUpProject(QString());
    QWidget *step3 = Screens::show(ScreenId::Step3);
    auto *pageBody = step3->findChild<QPlainTextEdit *>(QStringLiteral("PageBody"));
    auto *command4 = step3->findChild<QToolButton *>(QStringLiteral("Command4"));
    if (!pageBody || !command4)
        return 1;
    setBoxText(pageBody, body);
    QCoreApplication::processEvents();
    QTest::keyClick(pageBody, Qt::Key_X);
    QTest::keyClick(pageBody, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    QTest::mouseClick(command4, Qt::LeftButton);
    QCoreApplication::processEvents();
    pageProject().BodyText = boxText(pageBody);
    Screens::show(ScreenId::Generator);
    QCoreApplication::processEvents();
    if (pageProject().BodyText != body)
        return 1;
    // The high-water mark of this process alone: unlike getrusage's figure it does not carry
    // over the parent's peak through fork and exec.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            std::printf("%s\n", line.mid(6).trimmed().split(' ').constFirst().constData());
    }
    return 0;
}

// Peak memory of the whole run over a body, measured in a process of its own so that no other
// benchmark's memory counts.
void peakMemoryOfWholeRun(benchmark::State &state)
{
    double peakMiB = 0;
    for (auto _ : state) {
        QProcess run;
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--whole-run"), QString::number(state.range(0)), QString::number(state.range(1))});
        if (!run.waitForFinished(600000) || run.exitCode() != 0) {
            state.SkipWithError("the whole run failed");
            return;
        }
        peakMiB = run.readAllStandardOutput().trimmed().toDouble() / 1024;
    }
    state.counters["peak_MiB"] = peakMiB;
}
BENCHMARK(peakMemoryOfWholeRun)->Apply(bodyArguments)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The windows on a real X server when there is one (xvfb-run gives one), where painting is
    // what a user sees; else offscreen, where the windows are skipped.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Screens::setProgramEndHandler([] {});
    installAccessibleRoles();
    if (argc == 4 && qstrcmp(argv[1], "--whole-run") == 0)
        return runWholeBody(QByteArray(argv[2]).toLongLong(), QByteArray(argv[3]).toLongLong());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
