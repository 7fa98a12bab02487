// Placing a long paragraph goes in bounded steps: however long the paragraph, and whatever was
// just done to the box, no turn of the event loop lays out more than a fixed number of its
// characters; once all is placed, the box holds the text, the caret and the view it should.
#include "sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/cutplacer.h"
#include "ui/controls/textbox/textbox.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

// Far below the 8 MiB paragraph, and what the lines shown, a page more and a turn's step of
// background placing come to.
constexpr qint64 TurnBound = 64 << 10;

// The lines of `text` as one paragraph at the box's width and font.
int linesOfWhole(const TextBox &box, const QString &text)
{
    QTextLayout layout(text, box.document()->defaultFont(), box.document()->documentLayout()->paintDevice());
    layout.setTextOption(box.document()->defaultTextOption());
    layout.beginLayout();
    const qreal width = box.document()->firstBlock().layout()->lineAt(0).width();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(width);
    layout.endLayout();
    return layout.lineCount();
}

} // namespace

class tst_LongParagraphSteps : public QObject
{
    Q_OBJECT

private slots:
    void placingGoesInBoundedSteps_data();
    void placingGoesInBoundedSteps();
};

void tst_LongParagraphSteps::placingGoesInBoundedSteps_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("set") << u"none"_s;
    QTest::newRow("set, then Ctrl+End") << u"end"_s;
    QTest::newRow("set, then narrower") << u"narrower"_s;
}

void tst_LongParagraphSteps::placingGoesInBoundedSteps()
{
    QFETCH(QString, action);
    QString body = sampleBody(8 << 20);
    body.replace("\r\n"_L1, " "_L1);
    TextBox box(nullptr);
    box.resize(500, 300);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    qint64 longest = 0;
    qint64 before = CutPlacer::charactersLaidOut();
    const auto turn = [&](auto &&step) {
        step();
        const qint64 after = CutPlacer::charactersLaidOut();
        longest = qMax(longest, after - before);
        before = after;
    };
    turn([&] { setBoxText(&box, body); });
    turn([] { QCoreApplication::processEvents(); });
    if (action == u"end"_s)
        turn([&] { QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier); });
    else if (action == u"narrower"_s)
        turn([&] { box.resize(380, 300); });
    // Every turn until all is placed, each a step: the whole paragraph is laid out on the way.
    const qint64 start = before;
    for (int turns = 0; !box.isSettled() && turns < 100000; ++turns)
        turn([] { QCoreApplication::processEvents(); });
    QVERIFY(box.isSettled());
    turn([] { QCoreApplication::processEvents(); });
    QVERIFY2(longest <= TurnBound, qPrintable(u"a turn laid out %1 characters"_s.arg(longest)));
    QVERIFY(before - start >= body.size() / 2);

    QCOMPARE(boxText(&box), body);
    QVERIFY(box.document()->blockCount() > 1);
    // The pieces' lines are the paragraph's: as many, and the scroll bar reaches all of them.
    const int lines = linesOfWhole(box, body);
    QCOMPARE(box.document()->lineCount(), lines);
    QScrollBar *bar = box.verticalScrollBar();
    QCOMPARE(bar->maximum() + bar->pageStep(), lines);
    if (action == u"end"_s) {
        QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
        // The last page shows, with the caret on it, as the pieces before were placed.
        QVERIFY2(bar->value() > bar->maximum() - bar->pageStep(), qPrintable(QString::number(bar->value())));
        QVERIFY(box.viewport()->rect().contains(box.cursorRect()));
    } else {
        QCOMPARE(box.textCursor().position(), 0);
        QCOMPARE(bar->value(), 0);
    }
}

QTEST_MAIN(tst_LongParagraphSteps)
#include "tst_longparagraphsteps.moc"
