// A key typed into one paragraph of growing length, painted: into Qt's own text edit, which sets
// how long a paragraph a text box leaves to Qt (longParagraphThreshold()), and into a text box,
// which is Qt's own edit up to there and cuts beyond it.
#include "tests/sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include <memory>

namespace {

void paragraphArguments(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgName("chars");
    for (const int characters : {2 << 10, 16 << 10, 32 << 10, 48 << 10, 64 << 10, 128 << 10})
        benchmark->Arg(characters);
}

// One key in the middle of a paragraph of `chars` characters, painted: a letter, then a Backspace
// that takes it out again, so the paragraph keeps its length.
void typeKey(benchmark::State &state, QPlainTextEdit *edit)
{
    QString paragraph = sampleBody(state.range(0));
    paragraph.replace(QLatin1String("\r\n"), QLatin1String(" "));
    edit->resize(600, 400);
    edit->show();
    setBoxText(edit, paragraph);
    edit->setFocus();
    QTextCursor middle(edit->document());
    middle.setPosition(int(paragraph.size() / 2));
    edit->setTextCursor(middle);
    if (auto *box = qobject_cast<TextBox *>(edit)) {
        while (!box->isSettled())
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();

    bool typed = false;
    for (auto _ : state) {
        QTest::keyClick(edit, typed ? Qt::Key_Backspace : Qt::Key_X);
        typed = !typed;
        edit->viewport()->repaint();
    }
    if (typed)
        QTest::keyClick(edit, Qt::Key_Backspace);
    if (boxText(edit) != paragraph)
        state.SkipWithError("the paragraph changed");
    if (auto *box = qobject_cast<TextBox *>(edit))
        state.counters["cut"] = box->keepsOwnHistory() ? 1 : 0;
}

void typeKeyIntoPlainTextEdit(benchmark::State &state)
{
    QPlainTextEdit edit;
    typeKey(state, &edit);
}
BENCHMARK(typeKeyIntoPlainTextEdit)->Apply(paragraphArguments)->Unit(benchmark::kMillisecond);

void typeKeyIntoTextBox(benchmark::State &state)
{
    TextBox box(nullptr);
    typeKey(state, &box);
}
BENCHMARK(typeKeyIntoTextBox)->Apply(paragraphArguments)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // Figures without a display server, comparable from one machine to the next.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
