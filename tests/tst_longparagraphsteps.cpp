// Placing a long paragraph goes in bounded steps: however long the paragraph, and whatever was
// just done to the box, no turn of the event loop lays out more than a fixed number of its
// characters; once all is placed, the box holds the text, the caret and the view it should.
#include "sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/cutplacer.h"
#include "ui/controls/textbox/longparagraphs.h"
#include "ui/controls/textbox/textbox.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScopeGuard>
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

// The sample body's words as one paragraph of about `characters`.
QString oneParagraph(int characters)
{
    return sampleBody(characters).replace("\r\n"_L1, " "_L1);
}

// Shows `widget` at `size`; whether it was exposed.
bool showAt(QWidget &widget, QSize size)
{
    widget.resize(size);
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

} // namespace

class tst_LongParagraphSteps : public QObject
{
    Q_OBJECT

private slots:
    void placingGoesInBoundedSteps_data();
    void placingGoesInBoundedSteps();
    void endReachedBeforePlacing_data();
    void endReachedBeforePlacing();
    void keysBeforePlacing_data();
    void keysBeforePlacing();
    void placingAboveNotDrawn();
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
    const QString body = oneParagraph(8 << 20);
    TextBox box(nullptr);
    QVERIFY(showAt(box, QSize(500, 300)));

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

void tst_LongParagraphSteps::endReachedBeforePlacing_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<QSize>("size");
    // A difference known and left: which check it fails, and why.
    QTest::addColumn<QString>("knownCheck");
    QTest::addColumn<QString>("knownWhy");
    // Characters a placing turn lays out at most (0: as the program has it).
    QTest::addColumn<int>("step");
    QTest::newRow("8 MiB, 500x300") << (8 << 20) << QSize(500, 300) << QString() << QString() << 0;
    // Turns as a slow machine's: one ends between the pieces placed ahead and what shows.
    QTest::newRow("8 MiB, 500x300, short turns") << (8 << 20) << QSize(500, 300) << QString() << QString() << 1024;
    // Qt counts the document's top margin where the first block shows on top: where the last
    // line ends within it of the bottom, one paragraph comes down a line further than pieces.
    for (const int width : {500, 380, 333, 190})
        QTest::addRow("256 KiB, %dx451", width) << (256 << 10) << QSize(width, 451) << QString() << QString() << 0;
    // The lines placed ahead, from a few pieces above the end, do not meet the paragraph's:
    // placed from its start, the view keeps the text on top.
    QTest::newRow("256 KiB, 190x300") << (256 << 10) << QSize(190, 300) << QString() << QString() << 0;
    QTest::newRow("256 KiB, 190x217") << (256 << 10) << QSize(190, 217) << QString() << QString() << 0;
    QTest::newRow("256 KiB, 620x217") << (256 << 10) << QSize(620, 217) << QString() << QString() << 0;
    // The line on top, placed ahead, starts nearer the paragraph's next line than its own: placed
    // from the start, the view comes back a line higher, and the caret is kept in view.
    QTest::newRow("256 KiB, 333x217") << (256 << 10) << QSize(333, 217) << QString() << QString() << 0;
    QTest::newRow("256 KiB, 620x451") << (256 << 10) << QSize(620, 451) << u"Ctrl+End"_s
                                      << u"Qt's fraction of a pixel at the top: the caret a pixel higher"_s << 0;
}

// Ctrl+End right after a long paragraph was set, long before it is placed, shows the end as a
// plain edit holding the paragraph whole does: the last line at the bottom with the caret on it,
// the scroll bar as far from its end (Qt keeps the caret in view by the line, and the scroll bar
// ends a margin lower); and so it stays as the rest is placed.
void tst_LongParagraphSteps::endReachedBeforePlacing()
{
    QFETCH(int, characters);
    QFETCH(QSize, size);
    QFETCH(QString, knownCheck);
    QFETCH(QString, knownWhy);
    QFETCH(int, step);
    const QString body = oneParagraph(characters);
    const int shippedStep = longParagraphPlacingStep();
    const auto restoreStep = qScopeGuard([shippedStep] { setLongParagraphPlacingStep(shippedStep); });
    if (step > 0)
        setLongParagraphPlacingStep(step);

    QPlainTextEdit plain;
    plain.setPlainText(body);
    QVERIFY(showAt(plain, size));
    QTest::keyClick(&plain, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();

    TextBox box(nullptr);
    QVERIFY(showAt(box, size));
    setBoxText(&box, body);
    QCoreApplication::processEvents();
    QVERIFY(!box.isSettled());
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QVERIFY(!box.isSettled());

    // What shows of the end: where the caret's line ends, whether the caret shows, how far the
    // scroll bar is from its end, and (placed) where the line on top starts.
    const auto shown = [](QPlainTextEdit &edit, bool withTop) {
        const QScrollBar *bar = edit.verticalScrollBar();
        const QTextCursor top = edit.cursorForPosition(QPoint(0, 0));
        const int topStart =
            top.block().position() + top.block().layout()->lineForTextPosition(top.positionInBlock()).textStart();
        return u"caret line ends at %1, caret %2, %3 lines short of the end%4"_s.arg(edit.cursorRect().bottom())
            .arg(edit.viewport()->rect().contains(edit.cursorRect()) ? u"shown"_s : u"not shown"_s)
            .arg(bar->maximum() - bar->value())
            .arg(withTop ? u", top line at %1"_s.arg(topStart) : QString());
    };
    const auto checkEnd = [&](const QString &when) {
        QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
        QCOMPARE(box.verticalScrollBar()->pageStep(), plain.verticalScrollBar()->pageStep());
        // Lines placed ahead are not the paragraph's yet: the line on top may differ until placed.
        const bool placed = when == u"placed"_s;
        if (knownCheck == when)
            QEXPECT_FAIL("", qPrintable(knownWhy), Continue);
        QCOMPARE(shown(box, placed), shown(plain, placed));
    };
    checkEnd(u"Ctrl+End"_s);
    for (int turns = 0; !box.isSettled() && turns < 100000; ++turns)
        QCoreApplication::processEvents();
    QVERIFY(box.isSettled());
    QCoreApplication::processEvents();
    // Placed, the pieces hold the paragraph's lines.
    QCOMPARE(box.verticalScrollBar()->maximum(), plain.verticalScrollBar()->maximum());
    QCOMPARE(box.document()->lineCount(), plain.document()->firstBlock().layout()->lineCount());
    checkEnd(u"placed"_s);
}

void tst_LongParagraphSteps::keysBeforePlacing_data()
{
    QTest::addColumn<bool>("atEnd");
    QTest::newRow("at the start") << false;
    // (What shows is counted to end at the text's end, a character past the last piece's.)
    QTest::newRow("at the end, after Ctrl+End") << true;
}

// While a long paragraph is placed, a key lays out about the piece it is typed into, wherever the
// caret is: what shows was placed already, ahead of the pieces before it.
void tst_LongParagraphSteps::keysBeforePlacing()
{
    QFETCH(bool, atEnd);
    const QString body = oneParagraph(8 << 20);
    TextBox box(nullptr);
    QVERIFY(showAt(box, QSize(500, 300)));
    const qint64 laidOutBefore = CutPlacer::charactersLaidOut();
    setBoxText(&box, body);
    // What shows is placed and drawn (its lines then counted as Qt laid them out), and the
    // placing goes on well past it (in turns as long as the machine allows).
    while (CutPlacer::charactersLaidOut() - laidOutBefore < 16 << 10)
        QCoreApplication::processEvents();
    if (atEnd)
        QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QVERIFY(!box.isSettled());

    const int caret = box.textCursor().position();
    QString typed;
    for (const char letter : "word") {
        if (!letter)
            break;
        const qint64 before = CutPlacer::charactersLaidOut();
        QTest::keyClick(&box, letter);
        typed += QLatin1Char(letter);
        const qint64 laidOut = CutPlacer::charactersLaidOut() - before;
        QVERIFY2(laidOut <= 4 * longParagraphPiece(),
                 qPrintable(u"the key '%1' laid out %2 characters"_s.arg(QLatin1Char(letter)).arg(laidOut)));
        QVERIFY(!box.isSettled());
    }
    QCOMPARE(boxText(&box), QString(body).insert(caret, typed));
    QCOMPARE(box.textCursor().position(), caret + typed.size());
    QVERIFY(box.viewport()->rect().contains(box.cursorRect()));
}

namespace {

// Counts the times a widget is drawn whole (not a caret's blink).
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : m_widget(widget)
    {
        widget->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QRect drawn = static_cast<QPaintEvent *>(event)->rect();
            paints += drawn.height() > m_widget->height() / 2 ? 1 : 0;
        }
        return false;
    }

private:
    QWidget *m_widget;
};

} // namespace

// While a long paragraph is placed far above what shows (the end, shown at once), what shows
// stays where it is and is not drawn again turn after turn.
void tst_LongParagraphSteps::placingAboveNotDrawn()
{
    const QString body = oneParagraph(1 << 20);
    TextBox box(nullptr);
    QVERIFY(showAt(box, QSize(500, 300)));
    setBoxText(&box, body);
    QCoreApplication::processEvents();
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    QVERIFY(!box.isSettled());
    const int topStart = box.cursorForPosition(QPoint(0, 0)).position();

    PaintCounter counter(box.viewport());
    int turns = 0;
    int drawnTurns = 0;
    for (; !box.isSettled() && turns < 100000; ++turns) {
        const int before = counter.paints;
        QCoreApplication::processEvents();
        drawnTurns += counter.paints > before ? 1 : 0;
    }
    QVERIFY(box.isSettled());
    QVERIFY2(turns > 50, qPrintable(QString::number(turns)));
    // Drawn again only as the placing comes to what shows.
    QVERIFY2(drawnTurns <= 5, qPrintable(u"drawn again in %1 of %2 turns"_s.arg(drawnTurns).arg(turns)));
    QCOMPARE(box.textCursor().position(), box.document()->characterCount() - 1);
    QVERIFY(box.viewport()->rect().contains(box.cursorRect()));
    QVERIFY(qAbs(box.cursorForPosition(QPoint(0, 0)).position() - topStart) < 200);
}

QTEST_MAIN(tst_LongParagraphSteps)
#include "tst_longparagraphsteps.moc"
