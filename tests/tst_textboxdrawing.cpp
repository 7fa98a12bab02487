// What a text box shows of a long paragraph, against a plain Qt text edit holding the same text as
// one paragraph: the same pixels at every width and scroll position, before and after edits, and
// the same places for the keys that move by shown lines. (Run once more at 1.5 times the scale.)
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Pieces this short make every shown line a piece of its own: every line break is a cut.
constexpr int SmallPiece = 16;

// One paragraph of words of varied lengths, and a few longer than a piece.
QString paragraph(int words)
{
    static const QStringList vocabulary{
        u"gateway"_s, u"pages"_s,   u"rank"_s, u"well"_s,      u"a"_s,         u"free"_s, u"software"_s, u"search"_s,
        u"engines"_s, u"Vista's"_s, u"of"_s,   u"web-sites"_s, u"AltaVista"_s, u"the"_s,  u"metatag"_s,  u"keywords"_s};
    QStringList text;
    for (int i = 0; i < words; ++i)
        text.append(i % 37 == 36 ? u"supercalifragilistic-expialidocious"_s : vocabulary.at((i * 7 + i / 5) % 16));
    return text.join(u' ');
}

// A one-paragraph text, once in a plain text edit and once in a text box, side by side in every
// way that shows: size, font, no caret drawn.
struct Pair
{
    QPlainTextEdit plain;
    TextBox box{nullptr};
    // The last two pictures that differed, with the name they are written under.
    QString picturesStem;
    QImage plainPicture;
    QImage boxPicture;

    Pair(const QString &text, int width, int height)
    {
        plain.setPlainText(text);
        setBoxText(&box, text);
        for (QPlainTextEdit *edit : edits()) {
            edit->setCursorWidth(0);
            edit->resize(width, height);
            edit->show();
        }
    }

    std::array<QPlainTextEdit *, 2> edits() { return {&plain, &box}; }

    // Both take the same step.
    template <typename Step> void apply(Step &&step)
    {
        for (QPlainTextEdit *edit : edits())
            step(edit);
    }

    // A row ends, and the pair goes, once its result is known: the pictures are kept only when the
    // difference failed it, not when it was the expected failure the row is marked with.
    ~Pair()
    {
        if (picturesStem.isEmpty() || !QTest::currentTestFailed())
            return;
        QDir().mkpath(QFileInfo(picturesStem).path());
        plainPicture.save(picturesStem + u"-plain.png"_s);
        boxPicture.save(picturesStem + u"-box.png"_s);
    }
};

bool settle(Pair &pair)
{
    for (QPlainTextEdit *edit : pair.edits()) {
        if (!QTest::qWaitForWindowExposed(edit))
            return false;
    }
    // Qt shows or hides the scroll bar on the next turn of the event loop; the box places its
    // pieces before it draws, and the rest while the program is idle.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    return QTest::qWaitFor([&] { return pair.box.isSettled(); });
}

// Compares what both show, grabbed whole (scroll bar and all). On a difference that fails the row,
// the two pictures go to the build's test output to be looked at, a folder for each scale.
bool samePixels(Pair &pair, const QString &where, QByteArray *message)
{
    // The caret is hidden: a key turns it on in both and the blink then turns it off in the one
    // with the focus only (and a caret width of 0 still draws a hairline at fractional scales).
    for (QPlainTextEdit *edit : pair.edits()) {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(edit, &focusOut);
    }
    const QImage plain = pair.plain.grab().toImage();
    const QImage box = pair.box.grab().toImage();
    if (plain == box)
        return true;
    QString name = QString::fromUtf8(QTest::currentDataTag()) + u' ' + where;
    name.replace(QRegularExpression(u"[^A-Za-z0-9+]+"_s), u"-"_s);
    const QString folder =
        u"%1/textboxdrawing-x%2"_s.arg(QStringLiteral(RANKWRIGHT_TEST_OUTPUT)).arg(pair.box.devicePixelRatioF());
    pair.picturesStem = folder + u'/' + name;
    pair.plainPicture = plain;
    pair.boxPicture = box;
    QRect differing;
    if (plain.size() == box.size()) {
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) != box.pixel(x, y))
                    differing |= QRect(x, y, 1, 1);
            }
        }
    }
    *message = u"differs %1 in %2,%3 %4x%5 (pictures in %6-*.png)"_s.arg(where)
                   .arg(differing.x())
                   .arg(differing.y())
                   .arg(differing.width())
                   .arg(differing.height())
                   .arg(pair.picturesStem)
                   .toUtf8();
    return false;
}

// Where each row of lines shown starts in the text.
QList<int> linesShown(const QPlainTextEdit &edit)
{
    QList<int> starts;
    const int step = qMax(1, edit.fontMetrics().lineSpacing());
    for (int y = step / 2; y < edit.viewport()->height(); y += step)
        starts.append(edit.cursorForPosition(QPoint(0, y)).position());
    return starts;
}

// The scroll positions looked at, the same way for both: from where they are, straight there.
QList<int> scrollPositions(const QPlainTextEdit &plain)
{
    const int last = plain.verticalScrollBar()->maximum();
    return {0, 1, last / 3, last / 2 + 1, qMax(0, last - 1), last, last / 4};
}

// Qt starts the top line shown a whole pixel from its paragraph's start, and lines are a fraction
// of a pixel taller than whole pixels: a piece's lines stand a fraction of a pixel off the same
// lines of one paragraph. Where that tips Qt's keep-in-view choice by a line, the difference is
// known and marked, so that it shows when it goes away.
constexpr char SubPixelLines[] = "a piece's lines stand a fraction of a pixel off the paragraph's";
// Qt measures the last line of a piece up to its last letter's ink, where one paragraph's line
// ends at the letter before the blank; the highlight of a selection that starts on such a line,
// which Qt widens to whole pixels, can end a pixel further.
// A letter only a fallback font has makes Qt draw every line of its paragraph as tall as that
// font's; a cut paragraph draws only the lines of that letter's piece so tall.
constexpr char FallbackFontLines[] = "only the piece with a fallback font's letter has its taller lines";

constexpr char SelectedSoftBreak[] = "the highlight of a piece's last line can end a pixel further";

} // namespace

class tst_TextBoxDrawing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void drawsAsOneParagraph_data();
    void drawsAsOneParagraph();
    void visualLineMoves_data();
    void visualLineMoves();
    void selectedOverPieces_data();
    void selectedOverPieces();
    void fallbackFontLetter();

private:
    int m_boxPiece = 0;
    int m_boxThreshold = 0;
};

void tst_TextBoxDrawing::initTestCase()
{
    m_boxPiece = longParagraphPiece();
    m_boxThreshold = longParagraphThreshold();
    setLongParagraphPiece(SmallPiece);
    // Every paragraph longer than a piece is cut.
    setLongParagraphThreshold(SmallPiece);
}

void tst_TextBoxDrawing::cleanupTestCase()
{
    setLongParagraphPiece(m_boxPiece);
    setLongParagraphThreshold(m_boxThreshold);
}

void tst_TextBoxDrawing::drawsAsOneParagraph_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("knownDifference"); // where the box shows a line off, if anywhere

    const QMap<QString, QString> known{
        {u"190 px, resize"_s, u"after the edit"_s},
        {u"333 px, resize"_s, u"at line 0"_s},
    };
    for (const int width : {190, 333, 517}) {
        for (const char *edit : {"none", "type at the start", "type in the middle", "type at a piece's end",
                                 "paste in the middle", "resize"}) {
            const QString tag = QString::asprintf("%d px, %s", width, edit);
            QTest::newRow(qPrintable(tag)) << width << QString::fromLatin1(edit) << known.value(tag);
        }
    }
}

void tst_TextBoxDrawing::drawsAsOneParagraph()
{
    QFETCH(int, width);
    QFETCH(QString, edit);
    QFETCH(QString, knownDifference);

    Pair pair(paragraph(260), width, 170);
    QVERIFY(settle(pair));
    QVERIFY2(pair.box.document()->blockCount() > 10, "the paragraph was not cut");
    QByteArray message;
    QVERIFY2(samePixels(pair, u"as set"_s, &message), message.constData());

    // The edit, made the same way in both from the same place.
    const int length = pair.plain.document()->characterCount() - 1;
    // The edit comes as the user's next action: after the event loop has turned.
    const auto placeCaret = [&](int position) {
        pair.apply([position](QPlainTextEdit *e) {
            QTextCursor cursor = e->textCursor();
            cursor.setPosition(position);
            e->setTextCursor(cursor);
        });
        return settle(pair);
    };
    if (edit == u"type at the start"_s) {
        QVERIFY(placeCaret(0));
        pair.apply([](QPlainTextEdit *e) { QTest::keyClicks(e, u"rank well "_s); });
    } else if (edit == u"type in the middle"_s) {
        QVERIFY(placeCaret(length / 2));
        pair.apply([](QPlainTextEdit *e) { QTest::keyClicks(e, u"free gateway pages "_s); });
    } else if (edit == u"type at a piece's end"_s) {
        // The blank a cut stands for, a third of the way in.
        const QTextBlock piece = pair.box.document()->findBlock(length / 3);
        QVERIFY(placeCaret(piece.position() + piece.length() - 1));
        pair.apply([](QPlainTextEdit *e) { QTest::keyClicks(e, u"xyzzy"_s); });
    } else if (edit == u"paste in the middle"_s) {
        QVERIFY(placeCaret(length / 2));
        QGuiApplication::clipboard()->setText(paragraph(40));
        pair.apply([](QPlainTextEdit *e) { QTest::keySequence(e, QKeySequence::Paste); });
    } else if (edit == u"resize"_s) {
        // Scrolled to the end first: the view stays where it was, or comes up as little as Qt's does.
        pair.apply([](QPlainTextEdit *e) { e->verticalScrollBar()->setValue(e->verticalScrollBar()->maximum()); });
        QVERIFY(settle(pair));
        pair.apply([width](QPlainTextEdit *e) { e->resize(width + 61, e->height()); });
    }
    QVERIFY(settle(pair));
    QCOMPARE(boxText(&pair.box), boxText(&pair.plain));
    if (knownDifference == u"after the edit"_s)
        QEXPECT_FAIL("", SubPixelLines, Continue);
    QVERIFY2(samePixels(pair, u"after the edit"_s, &message), message.constData());

    // Once the known difference showed, the lines keep standing off by that fraction: from then
    // on the lines shown are compared, and the pixels where they still differ are marked.
    bool knownShown = knownDifference == u"after the edit"_s;
    for (const int value : scrollPositions(pair.plain)) {
        pair.apply([value](QPlainTextEdit *e) { e->verticalScrollBar()->setValue(value); });
        QVERIFY(settle(pair));
        QCOMPARE(pair.box.verticalScrollBar()->value(), pair.plain.verticalScrollBar()->value());
        const QString where = u"at line "_s + QString::number(value);
        knownShown = knownShown || knownDifference == where;
        if (knownShown) {
            QCOMPARE(linesShown(pair.box), linesShown(pair.plain));
            if (!samePixels(pair, where, &message))
                QEXPECT_FAIL("", SubPixelLines, Continue);
        }
        QVERIFY2(samePixels(pair, where, &message), message.constData());
    }
}

void tst_TextBoxDrawing::visualLineMoves_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QKeySequence::StandardKey>("key");

    // From places around a cut, as offsets from the blank it stands for: the end of the line before
    // it, the start of the line after it, and within both lines.
    const std::pair<const char *, QKeySequence::StandardKey> keys[] = {
        {"Up", QKeySequence::MoveToPreviousLine},         {"Down", QKeySequence::MoveToNextLine},
        {"Home", QKeySequence::MoveToStartOfLine},        {"End", QKeySequence::MoveToEndOfLine},
        {"PgUp", QKeySequence::MoveToPreviousPage},       {"PgDown", QKeySequence::MoveToNextPage},
        {"Shift+Up", QKeySequence::SelectPreviousLine},   {"Shift+Down", QKeySequence::SelectNextLine},
        {"Shift+Home", QKeySequence::SelectStartOfLine},  {"Shift+End", QKeySequence::SelectEndOfLine},
        {"Shift+PgUp", QKeySequence::SelectPreviousPage}, {"Shift+PgDown", QKeySequence::SelectNextPage},
    };
    for (const int from : {-4, 0, 1, 3}) {
        for (const auto &[name, key] : keys)
            QTest::addRow("%s from %+d", name, from) << from << key;
    }
}

void tst_TextBoxDrawing::visualLineMoves()
{
    QFETCH(int, from);
    QFETCH(QKeySequence::StandardKey, key);

    Pair pair(paragraph(200), 260, 150);
    QVERIFY(settle(pair));
    // A cut in the middle of the text, shown halfway down.
    const QTextBlock middle = pair.box.document()->findBlock(pair.box.document()->characterCount() / 2);
    QVERIFY(continuesParagraph(middle));
    const int cut = middle.position() - 1;
    const int start = cut + from;
    pair.apply([start](QPlainTextEdit *e) {
        QTextCursor cursor = e->textCursor();
        cursor.setPosition(start);
        e->setTextCursor(cursor);
        e->centerCursor();
    });
    QVERIFY(settle(pair));
    QCOMPARE(pair.box.verticalScrollBar()->value(), pair.plain.verticalScrollBar()->value());

    // Three times: each move starts where the one before left the view, and Page Down reaches
    // the end, where Qt stops the view short of the line a page away.
    for (int press = 1; press <= 3; ++press) {
        pair.apply([key](QPlainTextEdit *e) { QTest::keySequence(e, QKeySequence(key)); });
        QVERIFY(settle(pair));
        QCOMPARE(pair.box.textCursor().position(), pair.plain.textCursor().position());
        QCOMPARE(pair.box.textCursor().anchor(), pair.plain.textCursor().anchor());
        QCOMPARE(pair.box.verticalScrollBar()->value(), pair.plain.verticalScrollBar()->value());
        QByteArray message;
        // Known from the first press on: later presses still compare where the caret and the view go.
        if (QByteArrayView(QTest::currentDataTag()) == "Shift+Up from +0" &&
            (press == 1 || !samePixels(pair, QString(), &message)))
            QEXPECT_FAIL("", SelectedSoftBreak, Continue);
        QVERIFY2(samePixels(pair, u"after move "_s + QString::number(press), &message), message.constData());
    }
}

void tst_TextBoxDrawing::selectedOverPieces_data()
{
    QTest::addColumn<bool>("lineSeparator");
    QTest::newRow("words") << false;
    // The box has Qt leave out a selected piece's end patch by saying that the piece shows its
    // separators while it paints (QTextLayout::draw, Qt 6.4): a line separator in it shows none.
    QTest::newRow("line separators in pieces") << true;
}

void tst_TextBoxDrawing::selectedOverPieces()
{
    QFETCH(bool, lineSeparator);
    QString text = paragraph(200);
    if (lineSeparator) {
        for (const int at : {30, 95, 160})
            text.insert(text.indexOf(u' ', at), QChar(QChar::LineSeparator));
    }
    Pair pair(text, 260, 170);
    QVERIFY(settle(pair));
    QVERIFY2(pair.box.document()->blockCount() > 5, "the paragraph was not cut");
    const int length = pair.plain.document()->characterCount() - 1;
    for (const std::pair<int, int> &selection : {std::pair(5, length - 5), std::pair(length / 2, 12)}) {
        // (Named apart: clang 14 does not capture structured bindings.)
        const int anchor = selection.first;
        const int position = selection.second;
        pair.apply([anchor, position](QPlainTextEdit *e) {
            QTextCursor cursor = e->textCursor();
            cursor.setPosition(anchor);
            cursor.setPosition(position, QTextCursor::KeepAnchor);
            e->setTextCursor(cursor);
        });
        QVERIFY(settle(pair));
        QCOMPARE(pair.box.verticalScrollBar()->value(), pair.plain.verticalScrollBar()->value());
        QByteArray message;
        QVERIFY2(samePixels(pair, u"selected from %1 to %2"_s.arg(anchor).arg(position), &message),
                 message.constData());
    }
}

void tst_TextBoxDrawing::fallbackFontLetter()
{
    // The letter near the end, the top of the paragraph shown.
    QString text = paragraph(120);
    text.insert(text.size() - 20, u" \U0001D400 "_s);
    Pair pair(text, 333, 170);
    QVERIFY(settle(pair));
    QCOMPARE(boxText(&pair.box), boxText(&pair.plain));
    // The lines wrap where they do in one paragraph; only their heights differ.
    const auto lineStarts = [](QPlainTextEdit &edit) {
        QList<int> starts;
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
            edit.document()->documentLayout()->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i)
                starts.append(block.position() + block.layout()->lineAt(i).textStart());
        }
        return starts;
    };
    QCOMPARE(lineStarts(pair.box), lineStarts(pair.plain));
    QByteArray message;
    QEXPECT_FAIL("", FallbackFontLines, Continue);
    QVERIFY2(samePixels(pair, u"as set"_s, &message), message.constData());
}

QTEST_MAIN(tst_TextBoxDrawing)
#include "tst_textboxdrawing.moc"
