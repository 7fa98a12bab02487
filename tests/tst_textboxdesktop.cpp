// A text box on a real X server, beside a plain Qt text edit, for what only a desktop platform
// does: a drag with the mouse, which Qt runs through the platform's own drag loop, and the keys
// the desktop binds (Ctrl+K deletes to the end of the paragraph). Each row runs once with the
// text left to Qt and once with its paragraph cut into pieces.
#include "ui/controls/boxtexts.h"
#include "ui/controls/textbox/textbox.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Paragraphs longer than this are cut into pieces of about a third of it.
constexpr int Threshold = 60;

// A paragraph long enough to be cut into several pieces, or short enough to be Qt's.
QString paragraph(bool cut)
{
    QString text = u"alpha beta gamma delta"_s;
    for (int i = 0; cut && text.size() <= 3 * Threshold; ++i)
        text += u" word"_s + QString::number(i);
    return text;
}

// The same text in a plain text edit and in a text box, both shown.
void showBoth(QPlainTextEdit &plain, TextBox &box, const QString &text)
{
    plain.setPlainText(text);
    setBoxText(&box, text);
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        edit->resize(320, 200);
        edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(edit));
    }
    QTRY_VERIFY(box.isSettled());
}

// Drags the selection with the mouse to `to`, a position in the text: pressed on the selection,
// moved in steps (Qt's drag loop takes them from the application, as it takes the pointer's),
// released there.
void dragSelectionTo(QPlainTextEdit *edit, int to)
{
    QWidget *viewport = edit->viewport();
    const QTextCursor selection = edit->textCursor();
    QTextCursor inside = selection;
    inside.setPosition((selection.selectionStart() + selection.selectionEnd()) / 2);
    const QPoint from = edit->cursorRect(inside).center();
    QTextCursor target(edit->document());
    target.setPosition(to);
    const QPoint there = edit->cursorRect(target).center() + QPoint(1, 0);
    // Qt's drag loop runs from the move below until the release: the rest comes from within it.
    QTimer::singleShot(200, viewport, [viewport, from, there] {
        for (int step = 1; step <= 10; ++step) {
            const QPoint point = from + (there - from) * step / 10;
            QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, {});
            QCoreApplication::sendEvent(viewport, &move);
        }
        QTimer::singleShot(100, viewport, [viewport, there] {
            QMouseEvent release(QEvent::MouseButtonRelease, there, viewport->mapToGlobal(there), Qt::LeftButton,
                                Qt::NoButton, {});
            QCoreApplication::sendEvent(viewport, &release);
        });
    });
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, from + QPoint(QApplication::startDragDistance() * 3, 0));
    QTest::qWait(600);
}

} // namespace

class tst_TextBoxDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void draggedWordMoves_data();
    void draggedWordMoves();
    void deleteToParagraphEnd_data();
    void deleteToParagraphEnd();

private:
    int m_threshold = 0;
    int m_piece = 0;
};

void tst_TextBoxDesktop::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    m_threshold = longParagraphThreshold();
    m_piece = longParagraphPiece();
    setLongParagraphThreshold(Threshold);
    setLongParagraphPiece(Threshold / 3);
}

void tst_TextBoxDesktop::cleanupTestCase()
{
    setLongParagraphThreshold(m_threshold);
    setLongParagraphPiece(m_piece);
}

void tst_TextBoxDesktop::draggedWordMoves_data()
{
    QTest::addColumn<bool>("cut");
    QTest::newRow("left to Qt") << false;
    QTest::newRow("cut") << true;
}

void tst_TextBoxDesktop::draggedWordMoves()
{
    QFETCH(bool, cut);
    const QString text = paragraph(cut);
    QPlainTextEdit plain;
    TextBox box(nullptr);
    showBoth(plain, box, text);
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        // "beta" to the end of "delta".
        QTextCursor beta(edit->document());
        beta.setPosition(6);
        beta.setPosition(10, QTextCursor::KeepAnchor);
        edit->setTextCursor(beta);
        dragSelectionTo(edit, 22);
    }
    QVERIFY2(boxText(&plain).startsWith(u"alpha  gamma deltabeta"_s), qPrintable(boxText(&plain)));
    QCOMPARE(box.keepsOwnHistory(), cut);
    QCOMPARE(boxText(&box), boxText(&plain));
    // One step, as in Qt: the word is back where it was.
    QTest::keySequence(&box, QKeySequence::Undo);
    QCOMPARE(boxText(&box), text);
}

void tst_TextBoxDesktop::deleteToParagraphEnd_data()
{
    draggedWordMoves_data();
}

void tst_TextBoxDesktop::deleteToParagraphEnd()
{
    QFETCH(bool, cut);
    const QString text = paragraph(cut) + u"\nnext paragraph"_s;
    QPlainTextEdit plain;
    TextBox box(nullptr);
    showBoth(plain, box, text);
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        QTextCursor caret(edit->document());
        caret.setPosition(8);
        edit->setTextCursor(caret);
        QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier);
    }
    QCOMPARE(boxText(&plain), u"alpha be\r\nnext paragraph"_s);
    QCOMPARE(boxText(&box), boxText(&plain));
    QTest::keySequence(&box, QKeySequence::Undo);
    QCOMPARE(boxText(&box), paragraph(cut) + u"\r\nnext paragraph"_s);
}

QTEST_MAIN(tst_TextBoxDesktop)
#include "tst_textboxdesktop.moc"
