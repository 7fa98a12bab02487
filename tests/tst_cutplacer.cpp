// Placing the cuts of long paragraphs in a document alone, with no widget: the pieces start where
// the whole paragraph's lines start, the written text stays as it was, an edit is placed again
// near where it was made, and a turn stops when it is spent.
#include "ui/controls/textbox/cutplacer.h"
#include "ui/controls/textbox/softbreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPlainTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>
#include <set>

using namespace Qt::StringLiterals;

namespace {

constexpr int Threshold = 80;
constexpr int Piece = 24;

// A document holding `written` as a text box holds it before its width is known: each paragraph
// longer than the threshold cut at blanks about a piece apart.
struct Pieces
{
    explicit Pieces(const QString &written, qreal width)
    {
        // The layout a text box's document has; it lays nothing out here, as no widget asks it to.
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
        text.assign(written);
        QTextCursor cursor(&document);
        const QStringList paragraphs = written.split(QChar::ParagraphSeparator);
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            const QString &paragraph = paragraphs.at(i);
            qsizetype start = 0;
            if (paragraph.size() > Threshold) {
                for (const qsizetype cut : CutPlacer::provisionalCuts(paragraph)) {
                    cursor.insertText(paragraph.mid(start, cut - start));
                    cursor.insertBlock();
                    markBreakBefore(cursor.block(), true);
                    start = cut + 1;
                }
            }
            cursor.insertText(paragraph.mid(start));
        }
        placer.setLayout(width, document.defaultFont());
    }

    // Puts `inserted` in at `position`, in the document and in the written text, as a box does.
    void insert(int position, const QString &inserted)
    {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.insertText(inserted);
        text.replace(position, 0, inserted);
        placer.markChanged(position, position + int(inserted.size()));
    }

    void remove(int position, int length)
    {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        text.replace(position, length, QString());
        placer.markChanged(position, position);
    }

    // The document's text with each soft break as its blank.
    QString shownAsWritten() const
    {
        QString raw = document.toRawText();
        for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
            if (continuesParagraph(block))
                raw[block.position() - 1] = u' ';
        }
        return raw;
    }

    void placeAll()
    {
        CutPlacer::Turn turn;
        turn.limit = std::numeric_limits<int>::max();
        placer.place(turn);
    }

    QTextDocument document;
    BoxText text;
    CutPlacer placer{&document, text};
};

// Where the lines of the paragraph from `start` to `end` of `text` start, laid out whole.
std::set<int> lineStarts(const Pieces &pieces, int start, int end)
{
    const QString paragraph = pieces.text.mid(start, end - start);
    QTextLayout layout(paragraph, pieces.document.defaultFont(), pieces.document.documentLayout()->paintDevice());
    layout.setTextOption(pieces.document.defaultTextOption());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(pieces.placer.width());
    layout.endLayout();
    std::set<int> starts;
    for (int i = 0; i < layout.lineCount(); ++i)
        starts.insert(start + layout.lineAt(i).textStart());
    return starts;
}

// Fails unless the document shows `written`, every piece starts where a line of its whole
// paragraph starts, and a paragraph no longer than the threshold is one block.
void verifyPlaced(const Pieces &pieces, const QString &written)
{
    QCOMPARE(pieces.text.toString(), written);
    QCOMPARE(pieces.shownAsWritten(), written);
    for (QTextBlock block = pieces.document.begin(); block.isValid(); block = block.next()) {
        if (continuesParagraph(block))
            continue;
        const auto [start, end] = paragraphAround(&pieces.document, block.position());
        const std::set<int> starts = lineStarts(pieces, start, end);
        int cuts = 0;
        for (QTextBlock piece = block.next(); piece.isValid() && continuesParagraph(piece); piece = piece.next()) {
            ++cuts;
            QVERIFY2(starts.count(piece.position()),
                     qPrintable(u"a piece starts at %1, within a line: %2"_s.arg(piece.position())
                                    .arg(pieces.text.mid(piece.position() - 10, 20))));
            QCOMPARE(pieces.text.at(piece.position() - 1), u' ');
        }
        if (end - start <= Threshold)
            QCOMPARE(cuts, 0);
    }
}

QString words(int count, quint32 seed)
{
    static const QStringList list = {u"gateway"_s, u"page"_s, u"search"_s,    u"engine"_s,  u"a"_s,
                                     u"rank"_s,    u"of"_s,   u"AltaVista"_s, u"keyword"_s, u"site"_s};
    QString text;
    quint32 state = seed;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        if (i > 0)
            text += u' ';
        text += list.at((state >> 16) % list.size());
    }
    return text;
}

} // namespace

class tst_CutPlacer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void placesWhereWholeParagraphWraps_data();
    void placesWhereWholeParagraphWraps();
    void editPlacedAgainNearIt();
    void shortParagraphJoined();
    void turnStopsWhenSpent();
    void shownPlacedAhead();
    void noPieceStartsOnCaretLine();
    void paragraphStartAfterEdits();
    void blocksBeforeTopKeptInCount_data();
    void blocksBeforeTopKeptInCount();
};

void tst_CutPlacer::initTestCase()
{
    setLongParagraphThreshold(Threshold);
    setLongParagraphPiece(Piece);
}

void tst_CutPlacer::cleanupTestCase()
{
    setLongParagraphThreshold(32768);
    setLongParagraphPiece(512);
}

void tst_CutPlacer::placesWhereWholeParagraphWraps_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<qreal>("width");
    const QString plain = words(400, 1);
    QTest::newRow("narrow") << plain << 90.0;
    QTest::newRow("a fraction of a pixel") << plain << 237.5;
    QTest::newRow("wide") << plain << 600.0;
    // Qt wraps at tabs and no-break spaces differently, or not at all: no cut goes there.
    QString spaced = plain;
    for (int i = 7; i < spaced.size(); i += 23) {
        if (spaced.at(i) == u' ')
            spaced[i] = (i / 23) % 2 ? u'\t' : QChar(QChar::Nbsp);
    }
    QTest::newRow("tabs and no-break spaces") << spaced << 150.0;
    QTest::newRow("right to left") << u"שלום עולם "_s.repeated(60) + plain.left(300) << 200.0;
    QTest::newRow("paragraphs") << words(100, 2) + QChar(QChar::ParagraphSeparator) + u"short"_s +
                                       QChar(QChar::ParagraphSeparator) + words(150, 3)
                                << 120.0;
    QTest::newRow("no blank") << u"x"_s.repeated(300) << 100.0;
}

void tst_CutPlacer::placesWhereWholeParagraphWraps()
{
    QFETCH(QString, written);
    QFETCH(qreal, width);
    Pieces pieces(written, width);
    pieces.placer.markAll();
    pieces.placeAll();
    QVERIFY(!pieces.placer.hasWork());
    verifyPlaced(pieces, written);
    // What was in the text is there still, tabs and no-break spaces too.
    QCOMPARE(pieces.document.toRawText().count(u'\t'), written.count(u'\t'));
    QCOMPARE(pieces.document.toRawText().count(QChar(QChar::Nbsp)), written.count(QChar(QChar::Nbsp)));

    // At another width everything is placed anew.
    pieces.placer.setLayout(width * 1.7, pieces.document.defaultFont());
    pieces.placer.markAll();
    pieces.placeAll();
    verifyPlaced(pieces, written);
}

void tst_CutPlacer::editPlacedAgainNearIt()
{
    QString written = words(3000, 4);
    Pieces pieces(written, 140);
    pieces.placer.markAll();
    pieces.placeAll();

    // A word put in far into the paragraph is placed again from the piece before it, up to where
    // the lines meet the old cuts again: a few pieces, not the paragraph.
    const int at = int(written.indexOf(u' ', written.size() / 2)) + 1;
    const qint64 before = CutPlacer::charactersLaidOut();
    pieces.insert(at, u"searchengine "_s);
    written.insert(at, u"searchengine "_s);
    pieces.placeAll();
    QVERIFY(!pieces.placer.hasWork());
    // (A window laid out to find lines is 512 characters at least; the paragraph is some 20,000.)
    QCOMPARE_LE(CutPlacer::charactersLaidOut() - before, qint64(4 * 512));
    verifyPlaced(pieces, written);

    pieces.remove(at - 40, 30);
    written.remove(at - 40, 30);
    pieces.placeAll();
    verifyPlaced(pieces, written);
}

void tst_CutPlacer::shortParagraphJoined()
{
    QString written = words(40, 5);
    QVERIFY(written.size() > Threshold);
    Pieces pieces(written, 80);
    pieces.placer.markAll();
    pieces.placeAll();
    QVERIFY(pieces.document.blockCount() > 1);
    // Short enough to be held whole: one block again.
    pieces.remove(0, int(written.size()) - 60);
    written.remove(0, written.size() - 60);
    pieces.placeAll();
    QCOMPARE(pieces.document.blockCount(), 1);
    verifyPlaced(pieces, written);
}

void tst_CutPlacer::turnStopsWhenSpent()
{
    const QString written = words(2000, 6);
    Pieces pieces(written, 130);
    pieces.placer.markAll();
    int turns = 0;
    while (pieces.placer.hasWork()) {
        QVERIFY2(++turns < 10000, "placing never ends");
        // Each turn is spent after the first piece it places.
        CutPlacer::Turn turn;
        turn.limit = std::numeric_limits<int>::max();
        turn.spent = [] { return true; };
        const qint64 before = CutPlacer::charactersLaidOut();
        pieces.placer.place(turn);
        QCOMPARE_LE(CutPlacer::charactersLaidOut() - before, qint64(8 << 10));
    }
    QVERIFY(turns > 10);
    verifyPlaced(pieces, written);
}

void tst_CutPlacer::shownPlacedAhead()
{
    // What shows far into a paragraph is placed first, from a little above it, and the rest after.
    const QString written = words(12000, 7);
    Pieces pieces(written, 160);
    pieces.placer.markAll();
    const int shown = int(written.size()) - 2000;
    CutPlacer::Turn turn;
    turn.shownFrom = pieces.document.findBlock(shown).position();
    turn.limit = shown + 1000;
    const qint64 before = CutPlacer::charactersLaidOut();
    QVERIFY(pieces.placer.place(turn));
    QCOMPARE_LT(CutPlacer::charactersLaidOut() - before, qint64(16 << 10));
    QVERIFY(pieces.placer.hasWork());
    const auto ahead = pieces.placer.placedAhead();
    QVERIFY(ahead);
    QCOMPARE_LE(ahead->first, turn.shownFrom);
    QCOMPARE_GE(ahead->second, turn.limit);
    // The lines there are the paragraph's, once the wrapping from where the first piece placed
    // ahead starts has met them (within a few lines).
    const std::set<int> starts = lineStarts(pieces, 0, int(written.size()));
    for (QTextBlock block = pieces.document.findBlock(ahead->first + 300);
         block.isValid() && block.position() <= ahead->second; block = block.next())
        QVERIFY2(!continuesParagraph(block) || starts.count(block.position()),
                 qPrintable(QString::number(block.position())));

    pieces.placeAll();
    QVERIFY(!pieces.placer.hasWork());
    // Placed from the paragraph's start on, they are no longer ahead of anything.
    QVERIFY(!pieces.placer.placedAhead());
    verifyPlaced(pieces, written);
}

void tst_CutPlacer::noPieceStartsOnCaretLine()
{
    const QString written = words(600, 8);
    Pieces pieces(written, 110);
    pieces.placer.markAll();
    CutPlacer::Turn turn;
    turn.limit = std::numeric_limits<int>::max();
    // On every line of the middle of the paragraph in turn: the caret's line is never a
    // piece's first.
    const std::vector<int> starts = [&] {
        const std::set<int> all = lineStarts(pieces, 0, int(written.size()));
        return std::vector<int>(all.begin(), all.end());
    }();
    for (size_t i = starts.size() / 3; i < starts.size() / 3 + 12; ++i) {
        turn.caret = starts.at(i) + 2;
        pieces.placer.markAll();
        pieces.placer.place(turn);
        const QTextBlock block = pieces.document.findBlock(turn.caret);
        QVERIFY2(!continuesParagraph(block) || block.position() != starts.at(i),
                 qPrintable(u"a piece starts on the caret's line at %1"_s.arg(starts.at(i))));
        verifyPlaced(pieces, written);
    }
}

void tst_CutPlacer::paragraphStartAfterEdits()
{
    // Three paragraphs of many pieces; where each position's paragraph starts is asked from
    // far into one, further on, back, into the next, and again after edits that make and take
    // away paragraph breaks, before and after the places asked about.
    const QString sep(QChar::ParagraphSeparator);
    const QString a = words(60, 1), b = words(90, 2);
    Pieces pieces(a + sep + b + sep + words(70, 3), 110);
    const int bStart = int(a.size()) + 1;
    const int cStart = bStart + int(b.size()) + 1;
    const auto check = [&](int position, const char *when) {
        const int expected = paragraphAround(&pieces.document, position).first;
        QVERIFY2(pieces.placer.paragraphStart(position) == expected,
                 qPrintable(u"at %1 %2: %3 expected"_s.arg(position).arg(QLatin1StringView(when)).arg(expected)));
    };
    QVERIFY(continuesParagraph(pieces.document.findBlock(bStart + 300)));
    for (const int position : {bStart + 300, bStart + 500, bStart + 40, cStart + 200, bStart + 400, 5})
        check(position, "before any edit");

    check(bStart + 400, "asked once");
    pieces.insert(bStart + 450, u"later words"_s);
    check(bStart + 400, "after text put in after it");
    pieces.insert(bStart + 200, sep);
    check(bStart + 400, "after a break put in before it");
    check(bStart + 150, "before that break");
    pieces.remove(bStart + 200, 1);
    check(bStart + 400, "after that break was taken away");
    pieces.remove(bStart - 1, 1);
    check(bStart + 400, "after the break before its paragraph was taken away");
    pieces.insert(0, sep);
    check(bStart + 401, "after a break put in at the start");
    pieces.placeAll();
    check(bStart + 300, "once placed");
}

void tst_CutPlacer::blocksBeforeTopKeptInCount_data()
{
    QTest::addColumn<qreal>("width");
    // Lines wider or narrower than a piece: the placed pieces come fewer or more than the cuts
    // made before the width was known.
    QTest::newRow("wide") << qreal(260);
    QTest::newRow("narrow") << qreal(70);
}

// Turns that place a paragraph far above the top shown (further than the pieces placing ahead of
// what shows starts among), a piece at a time, leave as many blocks above the top as there were;
// in the end every piece is where the paragraph's lines start.
void tst_CutPlacer::blocksBeforeTopKeptInCount()
{
    QFETCH(qreal, width);
    const QString written = words(6000, 9);
    Pieces pieces(written, width);
    pieces.placer.markAll();
    const int top = int(written.size()) * 3 / 4;
    const auto blocksBefore = [&] { return pieces.document.findBlock(top).blockNumber(); };
    const int blocks = blocksBefore();
    int keptTurns = 0;
    for (int turns = 0; pieces.placer.hasWork(); ++turns) {
        QVERIFY2(turns < 10000, "placing never ends");
        CutPlacer::Turn turn;
        turn.limit = std::numeric_limits<int>::max();
        turn.keepCountBefore = top;
        turn.spent = [] { return true; };
        pieces.placer.place(turn);
        if (!pieces.placer.isPlaced(0, top - (8 << 10))) {
            QCOMPARE(blocksBefore(), blocks);
            ++keptTurns;
        }
    }
    QVERIFY(keptTurns > 100);
    verifyPlaced(pieces, written);
}

QTEST_MAIN(tst_CutPlacer)
#include "tst_cutplacer.moc"
