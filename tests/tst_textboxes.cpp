// The text-box boundary: a text box's paragraphs and line breaks as the program's "\r\n", with
// the selection's positions, and the single-line boxes' one line.
#include "ui/controls/boxtexts.h"
#include "ui/controls/singleline.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

using namespace Qt::StringLiterals;

class TestTextBoxes : public QObject
{
    Q_OBJECT

private slots:
    void boxTextAndSelection_data();
    void boxTextAndSelection();
    void lineBreaksTypedInTheBox();
    void singleLineText_data();
    void singleLineText();
};

void TestTextBoxes::boxTextAndSelection_data()
{
    QTest::addColumn<QString>("given"); // set into the box
    QTest::addColumn<QString>("text");  // what the program reads back
    QTest::addColumn<int>("boxStart");  // a selection in the box's own positions
    QTest::addColumn<int>("boxEnd");
    QTest::addColumn<qsizetype>("start"); // the same selection in `text`
    QTest::addColumn<qsizetype>("length");

    QTest::newRow("no break") << u"abc"_s << u"abc"_s << 1 << 2 << qsizetype(1) << qsizetype(1);
    QTest::newRow("CR LF") << u"a\r\nb"_s << u"a\r\nb"_s << 2 << 3 << qsizetype(3) << qsizetype(1);
    QTest::newRow("lone LF") << u"a\nb"_s << u"a\r\nb"_s << 2 << 3 << qsizetype(3) << qsizetype(1);
    QTest::newRow("lone CR") << u"a\rb"_s << u"a\r\nb"_s << 2 << 3 << qsizetype(3) << qsizetype(1);
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << u"a\r\nb"_s << 2 << 3 << qsizetype(3) << qsizetype(1);
    QTest::newRow("line separator") << u"a\u2028b"_s << u"a\r\nb"_s << 2 << 3 << qsizetype(3) << qsizetype(1);
    QTest::newRow("lone CR, then CR LF") << u"a\r\r\nb"_s << u"a\r\n\r\nb"_s << 3 << 4 << qsizetype(5) << qsizetype(1);
    QTest::newRow("LF, then lone CR") << u"a\n\rb"_s << u"a\r\n\r\nb"_s << 3 << 4 << qsizetype(5) << qsizetype(1);
    QTest::newRow("a selection across both kinds of break")
        << u"a\r\nb\u2028c\r\nd"_s << u"a\r\nb\r\nc\r\nd"_s << 1 << 6 << qsizetype(1) << qsizetype(8);
    QTest::newRow("cursor after a closing break")
        << u"ab\r\n"_s << u"ab\r\n"_s << 3 << 3 << qsizetype(4) << qsizetype(0);
    QTest::newRow("non-breaking space kept")
        << u"a\u00a0b"_s << u"a\u00a0b"_s << 0 << 3 << qsizetype(0) << qsizetype(3);
    QTest::newRow("empty") << QString() << QString() << 0 << 0 << qsizetype(0) << qsizetype(0);
}

void TestTextBoxes::boxTextAndSelection()
{
    QFETCH(QString, given);
    QFETCH(QString, text);
    QFETCH(int, boxStart);
    QFETCH(int, boxEnd);
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, length);

    QPlainTextEdit box;
    setBoxText(&box, given);
    QCOMPARE(boxText(&box), text);

    QTextCursor cursor(box.document());
    cursor.setPosition(boxStart);
    cursor.setPosition(boxEnd, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    const AnalysedBox analysed = analysedBox(&box);
    QCOMPARE(analysed.text, text);
    QCOMPARE(analysed.selStart, start);
    QCOMPARE(analysed.selLength, length);

    // And back: the counting's selection shows where it was.
    box.setTextCursor(QTextCursor(box.document()));
    applySelection(&box, analysed);
    QCOMPARE(box.textCursor().selectionStart(), boxStart);
    QCOMPARE(box.textCursor().selectionEnd(), boxEnd);
}

void TestTextBoxes::lineBreaksTypedInTheBox()
{
    // Return ends a paragraph, Shift+Return a line within it: both are the program's "\r\n".
    QPlainTextEdit box;
    QTest::keyClicks(&box, u"one"_s);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, u"two"_s);
    QTest::keyClick(&box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&box, u"three"_s);
    QCOMPARE(boxText(&box), u"one\r\ntwo\r\nthree"_s);

    // The cursor after "three" is at the end of the "\r\n" text.
    const AnalysedBox analysed = analysedBox(&box);
    QCOMPARE(analysed.selStart, analysed.text.size());
    QCOMPARE(analysed.selLength, qsizetype(0));
}

void TestTextBoxes::singleLineText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("linePosition");

    QTest::newRow("no break") << u"free software"_s << 4 << u"free software"_s << 4;
    QTest::newRow("CR LF is one blank") << u"free\r\nsoftware"_s << 14 << u"free software"_s << 13;
    QTest::newRow("cursor before CR LF") << u"free\r\nsoftware"_s << 4 << u"free software"_s << 4;
    QTest::newRow("cursor between CR and LF") << u"free\r\nsoftware"_s << 5 << u"free software"_s << 5;
    QTest::newRow("lone CR") << u"free\rsoftware"_s << 13 << u"free software"_s << 13;
    QTest::newRow("lone LF") << u"free\nsoftware"_s << 13 << u"free software"_s << 13;
    QTest::newRow("line separator") << u"free\u2028software"_s << 13 << u"free software"_s << 13;
    QTest::newRow("paragraph separator") << u"free\u2029software"_s << 13 << u"free software"_s << 13;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << 4 << u"a  b"_s << 4;
    QTest::newRow("two CR LF, cursor between") << u"\r\n\r\n"_s << 2 << u"  "_s << 1;
    QTest::newRow("breaks only at the ends") << u"\r\nab\r\n"_s << 6 << u" ab "_s << 4;
    QTest::newRow("empty") << QString() << 0 << QString() << 0;
}

void TestTextBoxes::singleLineText()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, line);
    QFETCH(int, linePosition);

    int moved = position;
    QCOMPARE(::singleLineText(text, &moved), line);
    QCOMPARE(moved, linePosition);
    QCOMPARE(::singleLineText(text), line);
}

QTEST_MAIN(TestTextBoxes)
#include "tst_textboxes.moc"
