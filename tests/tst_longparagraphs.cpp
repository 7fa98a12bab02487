// Long paragraphs in the program's text boxes. A box holds a long paragraph as pieces with soft
// breaks; edits across a soft break, the analyses of the three analysed boxes, and the page saved
// and viewed must be what they are for the same text held as one paragraph.
#include "analysis/counting.h"
#include "analysis/reports.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "platform/appfolders.h"
#include "sampleproject.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/captions.h"
#include "ui/controls/textbox/textbox.h"
#include "uitest.h"
#include "xdgfixture.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMetaEnum>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocumentFragment>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Paragraph = u"free software for search engines and gateway pages today, gateway pages rank well "
                          u"with free software"_s;

// Pieces of at most this many characters in the tests that cut short texts.
constexpr int SmallPiece = 16;

// Runs one step of an edit script on the box: "type:TEXT" types the text key by key,
// "keys:SEQUENCE" presses a key sequence ("Backspace", "Ctrl+Right"), "std:NAME" a standard key
// (Copy, Paste, Undo), "clip:TEXT" puts the text on the clipboard.
void runStep(QPlainTextEdit *box, const QString &step)
{
    const qsizetype colon = step.indexOf(u':');
    const QString kind = step.left(colon);
    const QString argument = step.mid(colon + 1);
    if (kind == u"type"_s) {
        QTest::keyClicks(box, argument);
    } else if (kind == u"keys"_s) {
        QTest::keySequence(box, QKeySequence(argument));
    } else if (kind == u"std"_s) {
        bool known = false;
        const int key = QMetaEnum::fromType<QKeySequence::StandardKey>().keyToValue(qPrintable(argument), &known);
        QVERIFY2(known, qPrintable(argument));
        const QKeySequence sequence(static_cast<QKeySequence::StandardKey>(key));
        QVERIFY2(!sequence.isEmpty(), qPrintable(argument));
        QTest::keySequence(box, sequence);
    } else if (kind == u"clip"_s) {
        QGuiApplication::clipboard()->setText(argument);
    } else {
        QFAIL(qPrintable(u"unknown step "_s + step));
    }
    QCoreApplication::processEvents();
}

struct Outcome
{
    QString text;
    int anchor = 0;
    int position = 0;
    QString clipboard;
};

Outcome runScript(QPlainTextEdit *box, int anchor, int position, const QStringList &steps)
{
    QGuiApplication::clipboard()->clear();
    QTextCursor cursor(box->document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    for (const QString &step : steps) {
        runStep(box, step);
        if (QTest::currentTestFailed())
            return {};
    }
    return {boxText(box), box->textCursor().anchor(), box->textCursor().position(),
            QGuiApplication::clipboard()->text()};
}

// The multi-line box of a window whose text is analysed: the description, the body, the page.
const char *analysedBoxName(ScreenId id)
{
    return id == ScreenId::Step2 ? "MDescription" : id == ScreenId::Step3 ? "PageBody" : "Text1";
}

// The longest block of the box, in characters.
int longestBlock(const QPlainTextEdit *box)
{
    int longest = 0;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        longest = qMax(longest, block.length() - 1);
    return longest;
}

} // namespace

class tst_LongParagraphs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editsAcrossSoftBreak_data();
    void editsAcrossSoftBreak();
    void typingAndPastingKeepPiecesShort();
    void analysesOfOneParagraph_data();
    void analysesOfOneParagraph();
    void saveAndViewOneParagraphPage();
    void joinAtTopOfScrolledBox_data();
    void joinAtTopOfScrolledBox();
    void lineBreaksWrittenAnyWay_data();
    void lineBreaksWrittenAnyWay();
    void tripleClickSelectsParagraph_data();
    void tripleClickSelectsParagraph();
    void letterBeyondBmpUndoneWithItsWord();
    void answersAsPlainTextEdit_data();
    void answersAsPlainTextEdit();
    void noWrapNeverCuts();
    void cutsOnlyAtBlanks();
    void highlighterKeepsPieces();
    void contextMenuUndoesAndRedoes();

private:
    std::unique_ptr<XdgFixture> m_desktop;
    QTemporaryDir m_saveFolder;
    int m_boxPiece = 0;
    int m_boxThreshold = 0;
};

void tst_LongParagraphs::initTestCase()
{
    // The browser and the results file on a private desktop, before anything has asked GIO.
    m_desktop = std::make_unique<XdgFixture>();
    QVERIFY2(m_desktop->isValid(), qPrintable(m_desktop->errorString()));
    QVERIFY(!m_desktop->installRecordingBrowser().isEmpty());
    m_desktop->applyToThisProcess();
    UiTest::initApplication();
    QVERIFY(m_saveFolder.isValid());
    m_boxPiece = longParagraphPiece();
    m_boxThreshold = longParagraphThreshold();
}

void tst_LongParagraphs::init()
{
    UiTest::startFresh();
    setLongParagraphPiece(SmallPiece);
    // Every paragraph longer than a piece is cut.
    setLongParagraphThreshold(SmallPiece);
}

void tst_LongParagraphs::cleanup()
{
    setLongParagraphPiece(m_boxPiece);
    setLongParagraphThreshold(m_boxThreshold);
    UiTest::discardAllAndCheckNoLeak();
}

void tst_LongParagraphs::editsAcrossSoftBreak_data()
{
    // The selection at the start, as offsets from the soft break (the blank it stands for).
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("steps");

    const QString longPaste = u"clip:a pasted paragraph much longer than one piece of the box"_s;
    QTest::newRow("type before the break") << 0 << 0 << QStringList{u"type:XY"_s};
    QTest::newRow("type after the break") << 1 << 1 << QStringList{u"type:XY"_s};
    QTest::newRow("type a blank at the break") << 0 << 0 << QStringList{u"type: "_s};
    QTest::newRow("type past a piece, then undo and redo")
        << 1 << 1 << QStringList{u"type:rank well today "_s, u"std:Undo"_s, u"std:Redo"_s};
    QTest::newRow("type across two cuts, undo once")
        << 1 << 1 << QStringList{u"type:rank well today and every day with free software for all "_s, u"std:Undo"_s};
    QTest::newRow("type across two cuts, undo, redo, undo")
        << -4 << -4
        << QStringList{u"type:rank well today and every day with free software "_s, u"std:Undo"_s, u"std:Redo"_s,
                       u"std:Undo"_s};
    QTest::newRow("type words without blanks across a cut, undo")
        << 0 << 0 << QStringList{u"type:xxxxxxxxxxxxxxxxxxxx yyyyyyyyyyyyyyyyyyy zz"_s, u"std:Undo"_s};
    QTest::newRow("Backspace over the break, undo")
        << 3 << 3 << QStringList(5, u"keys:Backspace"_s) + QStringList{u"std:Undo"_s};
    QTest::newRow("type, Backspace, undo twice")
        << -1 << -1 << QStringList{u"type:ab"_s, u"keys:Backspace"_s, u"std:Undo"_s, u"std:Undo"_s};
    QTest::newRow("Backspace after the break") << 1 << 1 << QStringList{u"keys:Backspace"_s};
    QTest::newRow("Delete before the break") << 0 << 0 << QStringList{u"keys:Delete"_s};
    QTest::newRow("Delete, undo, redo") << 0 << 0
                                        << QStringList{u"keys:Delete"_s, u"std:Undo"_s, u"std:Redo"_s, u"type:Z"_s};
    QTest::newRow("Backspace over a selection across the break") << -3 << 3 << QStringList{u"keys:Backspace"_s};
    QTest::newRow("type over a selection across the break") << 3 << -3 << QStringList{u"type:Q"_s};
    QTest::newRow("copy across the break, paste at the end")
        << -3 << 3 << QStringList{u"std:Copy"_s, u"std:MoveToEndOfDocument"_s, u"std:Paste"_s};
    QTest::newRow("cut across the break, paste at the start")
        << -3 << 3 << QStringList{u"std:Cut"_s, u"std:MoveToStartOfDocument"_s, u"std:Paste"_s};
    QTest::newRow("cut across the break, undo") << -3 << 3 << QStringList{u"std:Cut"_s, u"std:Undo"_s};
    QTest::newRow("paste a long paragraph at the break") << 0 << 0 << QStringList{longPaste, u"std:Paste"_s};
    QTest::newRow("paste a long paragraph over the break, undo, redo")
        << -2 << 2 << QStringList{longPaste, u"std:Paste"_s, u"std:Undo"_s, u"std:Redo"_s};
    QTest::newRow("paste lines at the break")
        << 1 << 1 << QStringList{u"clip:one\r\ntwo\nthree"_s, u"std:Paste"_s, u"type:!"_s};
    QTest::newRow("Return after the break, undo") << 1 << 1 << QStringList{u"keys:Return"_s, u"std:Undo"_s};
    QTest::newRow("Return before the break, then type") << 0 << 0 << QStringList{u"keys:Return"_s, u"type:new"_s};
    QTest::newRow("Right over the break") << -1 << -1 << QStringList{u"keys:Right"_s, u"keys:Right"_s, u"type:R"_s};
    QTest::newRow("Left over the break") << 2 << 2 << QStringList{u"keys:Left"_s, u"keys:Left"_s, u"type:L"_s};
    QTest::newRow("next word over the break") << -2 << -2 << QStringList{u"std:MoveToNextWord"_s, u"type:W"_s};
    QTest::newRow("previous word over the break")
        << 2 << 2 << QStringList{u"std:MoveToPreviousWord"_s, u"std:MoveToPreviousWord"_s, u"type:W"_s};
    QTest::newRow("select words across the break, copy")
        << -2 << -2 << QStringList{u"std:SelectNextWord"_s, u"std:SelectNextWord"_s, u"std:Copy"_s};
    QTest::newRow("select back across the break, copy")
        << 3 << 3 << QStringList{u"std:SelectPreviousWord"_s, u"std:SelectPreviousWord"_s, u"std:Copy"_s};
    QTest::newRow("delete the word before, from after the break") << 1 << 1 << QStringList{u"std:DeleteStartOfWord"_s};
    QTest::newRow("delete to the next word over the break") << -2 << -2 << QStringList{u"std:DeleteEndOfWord"_s};
    QTest::newRow("select all, copy") << 0 << 0 << QStringList{u"std:SelectAll"_s, u"std:Copy"_s};
}

void tst_LongParagraphs::editsAcrossSoftBreak()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QStringList, steps);

    // The same text, once as Qt holds it (one paragraph) and once as a text box cuts it.
    QPlainTextEdit onePiece;
    onePiece.setPlainText(Paragraph);
    TextBox pieces(nullptr);
    setBoxText(&pieces, Paragraph);
    QCOMPARE(boxText(&pieces), Paragraph);
    QVERIFY2(pieces.document()->blockCount() > 3, "the paragraph was not cut");
    QVERIFY(longestBlock(&pieces) <= SmallPiece);
    // The break between the second and third piece.
    const int softBreak = pieces.document()->findBlockByNumber(2).position() - 1;
    QCOMPARE(Paragraph.at(softBreak), u' ');

    const Outcome expected = runScript(&onePiece, softBreak + anchor, softBreak + position, steps);
    QVERIFY(!QTest::currentTestFailed());
    const Outcome outcome = runScript(&pieces, softBreak + anchor, softBreak + position, steps);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(outcome.text, expected.text);
    QCOMPARE(outcome.anchor, expected.anchor);
    QCOMPARE(outcome.position, expected.position);
    QCOMPARE(outcome.clipboard, expected.clipboard);
}

void tst_LongParagraphs::typingAndPastingKeepPiecesShort()
{
    // What the box does for speed: no block grows much past a piece and a line, however the
    // text comes in.
    TextBox box(nullptr);
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const auto longestPiece = [&box] {
        // A piece is cut at the first wrapped line after a piece's length, or kept up to twice
        // that; the line the caret is on starts none, so the last may hold one line more.
        int longest = 0;
        int longestLine = 0;
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
            longest = qMax(longest, block.length() - 1);
            box.document()->documentLayout()->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i)
                longestLine = qMax(longestLine, block.layout()->lineAt(i).textLength());
        }
        return longest <= 2 * SmallPiece + 2 * longestLine;
    };
    QString typed;
    for (int i = 0; typed.size() < 10 * SmallPiece; ++i)
        typed += u"word%1 "_s.arg(i);
    QTest::keyClicks(&box, typed);
    QCOMPARE(boxText(&box), typed);
    QVERIFY(box.document()->blockCount() >= 3);
    QVERIFY(longestPiece());

    box.selectAll();
    QGuiApplication::clipboard()->setText(typed + typed);
    QTest::keySequence(&box, QKeySequence::Paste);
    QCOMPARE(boxText(&box), typed + typed);
    QTRY_VERIFY(box.isSettled());
    QVERIFY(longestPiece());

    // Set by the program past the box (as a screen reader may): cut on the next turn.
    box.setPlainText(typed);
    QTRY_VERIFY(box.document()->blockCount() >= 3);
    QTRY_VERIFY(box.isSettled());
    QVERIFY(longestPiece());
    QCOMPARE(boxText(&box), typed);
    // Nothing to undo: the cutting is no edit of the user's, and a text set is none either.
    QVERIFY(!box.isUndoAvailable());

    // A stretch without a blank is not cut: the box gives back what it was given.
    const QString unbroken = u"head "_s + QString(3 * SmallPiece, u'x') + u" tail"_s;
    setBoxText(&box, unbroken);
    QTRY_VERIFY(box.isSettled());
    QCOMPARE(boxText(&box), unbroken);
    bool whole = false;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        whole = whole || block.text().contains(QString(3 * SmallPiece, u'x'));
    QVERIFY(whole);
}

void tst_LongParagraphs::analysesOfOneParagraph_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("text");

    QString repeated;
    for (int i = 0; i < 12; ++i)
        repeated += u"Free software  for free software users "_s;
    // The last blank is a soft break: the final selection is on it.
    const QString longLastWord = repeated + u"free software "_s + QString(3 * SmallPiece, u'x');
    const QString blanksAtEnd = repeated + u"   "_s;

    for (const auto &[screen, name] : {std::pair{ScreenId::Step2, "description"}, std::pair{ScreenId::Step3, "body"},
                                       std::pair{ScreenId::Generator, "page"}}) {
        QTest::addRow("%s, phrase across breaks", name) << int(screen) << repeated;
        QTest::addRow("%s, last blank a soft break", name) << int(screen) << longLastWord;
        QTest::addRow("%s, blanks at the end", name) << int(screen) << blanksAtEnd;
    }
}

void tst_LongParagraphs::analysesOfOneParagraph()
{
    QFETCH(int, screen);
    QFETCH(QString, text);

    const auto id = ScreenId(screen);
    pageProject() = sampleProject();
    pageProject().TargetedPhrase = pageProject().MatchPhrase = u"free software"_s;
    QWidget *window = UiTest::showExposed(id);
    QVERIFY(window);
    auto *box = UiTest::control<QPlainTextEdit>(id, analysedBoxName(id));
    QVERIFY(box);
    setBoxText(box, text);
    QCOMPARE(boxText(box), text);
    QVERIFY2(box->document()->blockCount() > 10, "the text was not cut");
    bool phraseOverBreak = false;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
        phraseOverBreak = phraseOverBreak || block.text().endsWith(u"free"_s, Qt::CaseInsensitive);
    QVERIFY2(phraseOverBreak, "no phrase spans a soft break");

    // The engine on the raw text, from the project as it is before the analysis.
    PageProject project = pageProject();
    AnalysedBox expected{text, 0, 0};
    ReportCaptions captions;
    if (id == ScreenId::Step2)
        captions = ReportMetaDescription(project, expected).captions;
    else if (id == ScreenId::Step3)
        captions = ReportPageBody(project, expected).captions;
    else
        captions = ReportGeneratedPage(project, expected, QLocale());

    const char *statistics = id == ScreenId::Step2 ? "Label12" : id == ScreenId::Step3 ? "lblCounter" : "lbl1";
    const char *advice = id == ScreenId::Step2 ? "Label10" : id == ScreenId::Step3 ? "lblCounter2" : "lbl2";
    if (id == ScreenId::Generator) {
        UiTest::click(ScreenId::Generator, "Command4");
        QVERIFY(QTest::qWaitForWindowActive(Screens::find(ScreenId::Options)));
        UiTest::click(UiTest::control<QAbstractButton>(ScreenId::Options, "Check1"));
        UiTest::click(ScreenId::Options, "Command4");
    } else {
        UiTest::click(id, "Command4");
    }
    QTRY_COMPARE(UiTest::labelText(id, statistics), captionText(captions.statistics));
    QCOMPARE(UiTest::labelText(id, advice), captionText(captions.advice));
    QCOMPARE(pageProject().WordCount, project.WordCount);
    QCOMPARE(pageProject().PhraseCount, project.PhraseCount);

    // The box shows the counting's last selection, on the same characters.
    const AnalysedBox shown = analysedBox(box);
    QCOMPARE(shown.selStart, expected.selStart);
    QCOMPARE(shown.selLength, expected.selLength);
    QCOMPARE(boxTextBetween(box, box->textCursor().selectionStart(), box->textCursor().selectionEnd()),
             text.mid(expected.selStart, expected.selLength));
    QCOMPARE(boxText(box), text);
}

void tst_LongParagraphs::saveAndViewOneParagraphPage()
{
    // A body of real length as one paragraph, cut with the box's own piece length.
    setLongParagraphPiece(m_boxPiece);
    QString body = sampleBody(20000);
    body.replace(u"\r\n"_s, u" "_s);
    pageProject() = sampleProject();
    pageProject().BodyText = body;
    PageProject project = pageProject();
    const QString page = BuildGatewayPage(project);
    QVERIFY(UiTest::showExposed(ScreenId::Generator));
    auto *text1 = UiTest::control<QPlainTextEdit>(ScreenId::Generator, "Text1");
    QVERIFY(text1);
    QVERIFY2(text1->document()->blockCount() > page.count(u"\r\n"_s) + 10, "the body was not cut");
    QCOMPARE(boxText(text1), page);
    const QByteArray pageBytes = (page + u"\r\n"_s).toUtf8();

    const qsizetype callsBefore = m_desktop->browserCalls().size();
    UiTest::click(ScreenId::Generator, "Command4");
    QVERIFY(QTest::qWaitForWindowActive(Screens::find(ScreenId::Options)));
    UiTest::click(UiTest::control<QAbstractButton>(ScreenId::Options, "Check2"));
    UiTest::click(ScreenId::Options, "Command4");
    QCOMPARE(UiTest::readFile(resultsFilePath()), pageBytes);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop->browserCalls().size(), callsBefore + 1, 10000);

    const QString path = m_saveFolder.filePath(u"page.htm"_s);
    whenModal<QFileDialog>(UiTest::saveAs(path));
    UiTest::click(ScreenId::Generator, "Command4");
    QVERIFY(QTest::qWaitForWindowActive(Screens::find(ScreenId::Options)));
    UiTest::click(UiTest::control<QAbstractButton>(ScreenId::Options, "Check3"));
    UiTest::click(ScreenId::Options, "Command4");
    QCOMPARE(UiTest::readFile(path), pageBytes);
}

void tst_LongParagraphs::joinAtTopOfScrolledBox_data()
{
    QTest::addColumn<int>("screen");
    QTest::newRow("description") << int(ScreenId::Step2);
    QTest::newRow("body") << int(ScreenId::Step3);
    QTest::newRow("page") << int(ScreenId::Generator);
}

void tst_LongParagraphs::joinAtTopOfScrolledBox()
{
    // Short lines pasted, two pages down, a click at the start of the top line shown and a
    // Backspace that joins it to the line before: as in a plain text edit of the same size.
    QFETCH(int, screen);
    const auto id = ScreenId(screen);
    pageProject() = sampleProject();
    QVERIFY(UiTest::showExposed(id));
    auto *box = UiTest::control<QPlainTextEdit>(id, analysedBoxName(id));
    QVERIFY(box);
    QPlainTextEdit plain;
    plain.setFont(box->font());
    plain.setVerticalScrollBarPolicy(box->verticalScrollBarPolicy());
    plain.resize(box->size());
    plain.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plain));

    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines.append(u"line %1 of the pasted text"_s.arg(i));
    for (QPlainTextEdit *edit : {box, &plain}) {
        setBoxText(edit, QString());
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
        QTest::keySequence(edit, QKeySequence::Paste);
        QTest::keySequence(edit, QKeySequence::MoveToStartOfDocument);
        QCoreApplication::processEvents();
        QTest::keySequence(edit, QKeySequence::MoveToNextPage);
        QTest::keySequence(edit, QKeySequence::MoveToNextPage);
        QCoreApplication::processEvents();
        // The start of the top line shown, a pixel inside the text.
        const QRect top = edit->cursorRect(edit->cursorForPosition(QPoint(1, 1)));
        QTest::mouseClick(edit->viewport(), Qt::LeftButton, {},
                          QPoint(edit->document()->documentMargin() + 1, top.center().y()));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCoreApplication::processEvents();
    }
    QVERIFY2(plain.verticalScrollBar()->value() > 0, "the plain edit did not scroll");
    QCOMPARE(boxText(box), boxText(&plain));
    QCOMPARE(boxText(box).count(u"\r\n"_s), 38);
    QCOMPARE(box->textCursor().position(), plain.textCursor().position());
    QTest::keySequence(box, QKeySequence::Undo);
    QCOMPARE(boxText(box), lines.join(u"\r\n"_s));
}

void tst_LongParagraphs::lineBreaksWrittenAnyWay_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("how");

    for (const auto &[screen, name] : {std::pair{ScreenId::Step2, "description"}, std::pair{ScreenId::Step3, "body"}}) {
        for (const char *how :
             {"accessible set", "accessible replace", "accessible insert", "insertPlainText", "QTextCursor"})
            QTest::addRow("%s, %s", name, how) << int(screen) << QString::fromLatin1(how);
    }
}

void tst_LongParagraphs::lineBreaksWrittenAnyWay()
{
    // Line breaks written into a box that holds a long paragraph, other than with its own keys,
    // paste or drop, are line breaks: in the box, in what Continue stores, and on the page.
    QFETCH(int, screen);
    QFETCH(QString, how);
    const auto id = ScreenId(screen);
    pageProject() = sampleProject();
    QVERIFY(UiTest::showExposed(id));
    auto *box = UiTest::control<QPlainTextEdit>(id, analysedBoxName(id));
    QVERIFY(box);
    QString before;
    for (int i = 0; i < 6; ++i)
        before += u"free software for gateway pages "_s;
    setBoxText(box, before);
    QVERIFY2(box->document()->blockCount() > 5, "the paragraph was not cut");

    const QString written = u"first line\nsecond line\n\nafter a blank line, free software for gateway pages\n"
                            u"and the last line, long enough to be cut in pieces of its own"_s;
    const int at = int(before.size()) / 2;
    if (how == u"accessible set"_s) {
        QAccessible::queryAccessibleInterface(box)->setText(QAccessible::Value, written);
    } else if (how == u"accessible replace"_s) {
        QAccessible::queryAccessibleInterface(box)->editableTextInterface()->replaceText(0, int(before.size()),
                                                                                         written);
    } else if (how == u"accessible insert"_s) {
        QAccessible::queryAccessibleInterface(box)->editableTextInterface()->insertText(at, written);
    } else {
        QTextCursor cursor(box->document());
        cursor.setPosition(at);
        box->setTextCursor(cursor);
        if (how == u"insertPlainText"_s)
            box->insertPlainText(written);
        else
            cursor.insertText(written);
    }
    QCoreApplication::processEvents();
    const bool inserted = how == u"accessible insert"_s || how == u"insertPlainText"_s || how == u"QTextCursor"_s;
    QString expected = inserted ? before.left(at) + written + before.mid(at) : written;
    expected.replace(u"\n"_s, u"\r\n"_s);
    QCOMPARE(boxText(box), expected);

    UiTest::click(id, "Command2");
    QCOMPARE(id == ScreenId::Step2 ? pageProject().MetaDescription : pageProject().BodyText, expected);
    PageProject project = pageProject();
    const QString page = BuildGatewayPage(project);
    QVERIFY(page.contains(expected));
}

void tst_LongParagraphs::tripleClickSelectsParagraph_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("3,000 characters, Qt's") << 3000;
    QTest::newRow("200,000 characters, cut") << 200000;
}

void tst_LongParagraphs::tripleClickSelectsParagraph()
{
    // In the body, as the program holds it: the box's own threshold.
    QFETCH(int, length);
    setLongParagraphPiece(m_boxPiece);
    setLongParagraphThreshold(m_boxThreshold);
    pageProject() = sampleProject();
    QVERIFY(UiTest::showExposed(ScreenId::Step3));
    auto *body = UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    QString paragraph = sampleBody(length);
    paragraph.replace(u"\r\n"_s, u" "_s);
    const QString text = u"Before.\n"_s + paragraph + u"\nAfter."_s;
    setBoxText(body, text);
    QTRY_VERIFY(qobject_cast<TextBox *>(body)->isSettled());
    QCOMPARE(qobject_cast<TextBox *>(body)->keepsOwnHistory(), length > m_boxThreshold);
    // In the middle of the paragraph, shown in the middle of the box.
    QTextCursor middle(body->document());
    middle.setPosition(8 + length / 2);
    body->setTextCursor(middle);
    body->centerCursor();
    QTRY_VERIFY(qobject_cast<TextBox *>(body)->isSettled());
    const QPoint point = body->cursorRect().center();
    QTest::mouseDClick(body->viewport(), Qt::LeftButton, {}, point);
    QTest::mousePress(body->viewport(), Qt::LeftButton, {}, point);
    const auto selected = [body] {
        return std::pair(body->textCursor().selectionStart(), body->textCursor().selectionEnd());
    };
    const std::pair paragraphWithBreak(8, 8 + int(paragraph.size()) + 1);
    QCOMPARE(selected(), paragraphWithBreak);
    // A hand that shakes while the button is still down keeps the whole paragraph selected.
    const QPoint shaken = point + QPoint(2, 1);
    QMouseEvent move(QEvent::MouseMove, shaken, body->viewport()->mapToGlobal(shaken), Qt::NoButton, Qt::LeftButton,
                     {});
    QCoreApplication::sendEvent(body->viewport(), &move);
    QTest::mouseRelease(body->viewport(), Qt::LeftButton, {}, shaken);
    QCOMPARE(selected(), paragraphWithBreak);
}

void tst_LongParagraphs::letterBeyondBmpUndoneWithItsWord()
{
    // Typed into the empty body as a keyboard sends it: one key, one letter, two UTF-16 units.
    pageProject() = sampleProject();
    pageProject().BodyText.clear();
    QVERIFY(UiTest::showExposed(ScreenId::Step3));
    auto *body = UiTest::control<QPlainTextEdit>(ScreenId::Step3, "PageBody");
    setBoxText(body, QString());
    body->setFocus();
    const QString typed = u"ab\U0001F600cd"_s;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const qsizetype length = typed.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, body, Qt::Key_unknown, typed.mid(i, length), {});
        i += length - 1;
    }
    QCOMPARE(boxText(body), typed);
    QTest::keySequence(body, QKeySequence::Undo);
    QCOMPARE(boxText(body), QString());
}

void tst_LongParagraphs::answersAsPlainTextEdit_data()
{
    // What a caller does to the box through the base class, the same to a plain edit.
    using Ask = std::function<QString(QPlainTextEdit *)>;
    QTest::addColumn<Ask>("ask");
    QTest::newRow("toPlainText") << Ask([](QPlainTextEdit *e) -> QString { return e->toPlainText(); });
    QTest::newRow("document's text") << Ask([](QPlainTextEdit *e) -> QString { return e->document()->toPlainText(); });
    QTest::newRow("blockCount") << Ask([](QPlainTextEdit *e) -> QString { return QString::number(e->blockCount()); });
    QTest::newRow("undo() and redo() of the base class") << Ask([](QPlainTextEdit *e) -> QString {
        QTest::keyClicks(e, u"xyz"_s);
        e->QPlainTextEdit::undo();
        const QString undone = e->toPlainText();
        e->QPlainTextEdit::redo();
        return undone + u'|' + e->toPlainText();
    });
    QTest::newRow("find()") << Ask([](QPlainTextEdit *e) -> QString {
        const bool found = e->find(u"gateway"_s);
        return QString::number(found) + u' ' + QString::number(e->textCursor().selectionStart());
    });
    QTest::newRow("NoWrap") << Ask([](QPlainTextEdit *e) -> QString {
        e->setLineWrapMode(QPlainTextEdit::NoWrap);
        QCoreApplication::processEvents();
        return QString::number(e->blockCount()) + u' ' + e->document()->toPlainText();
    });
    QTest::newRow("BlockUnderCursor") << Ask([](QPlainTextEdit *e) -> QString {
        QTextCursor cursor(e->document());
        cursor.setPosition(5000);
        cursor.select(QTextCursor::BlockUnderCursor);
        return u"%1..%2"_s.arg(cursor.selectionStart()).arg(cursor.selectionEnd());
    });
    QTest::newRow("copy") << Ask([](QPlainTextEdit *e) -> QString {
        e->selectAll();
        e->copy();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        return copied->formats().join(u' ') + u' ' + copied->text() + u' ' +
               QString::fromUtf8(copied->data(u"text/html"_s));
    });
}

void tst_LongParagraphs::answersAsPlainTextEdit()
{
    // A box holding a paragraph of 20,000 characters, a line break and a no-break space: reached
    // as the windows hold it, it answers as a plain edit.
    QFETCH(std::function<QString(QPlainTextEdit *)>, ask);
    setLongParagraphPiece(m_boxPiece);
    setLongParagraphThreshold(m_boxThreshold);
    QString paragraph = sampleBody(20000);
    paragraph.replace(u"\r\n"_s, u" "_s);
    const QString text = paragraph + u"\nsecond\u00A0paragraph"_s;
    QPlainTextEdit plain;
    TextBox box(nullptr);
    QStringList answers;
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        edit->resize(400, 300);
        edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        setBoxText(edit, text);
        QCoreApplication::processEvents();
        answers.append(ask(edit));
    }
    QCOMPARE(answers.last(), answers.first());
}

void tst_LongParagraphs::noWrapNeverCuts()
{
    // Lines that do not wrap give no place to cut at: set, pasted or typed, a long paragraph
    // stays one, as Qt shows it.
    TextBox box(nullptr);
    box.setLineWrapMode(QPlainTextEdit::NoWrap);
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QString paragraph = sampleBody(40 * SmallPiece).replace(u"\r\n"_s, u" "_s);
    setBoxText(&box, paragraph);
    QGuiApplication::clipboard()->setText(paragraph);
    QTest::keySequence(&box, QKeySequence::MoveToEndOfDocument);
    QTest::keySequence(&box, QKeySequence::Paste);
    QTest::keyClicks(&box, u" and some more words"_s);
    QCoreApplication::processEvents();
    QCOMPARE(box.blockCount(), 1);
    QCOMPARE(box.toPlainText(), paragraph + paragraph + u" and some more words"_s);
    QVERIFY(!box.keepsOwnHistory());
}

void tst_LongParagraphs::cutsOnlyAtBlanks()
{
    // Qt wraps a line after a tab or a no-break space too, but a cut stands for a blank: a paste
    // full of both comes back as it went in, and cut into pieces only at blanks.
    TextBox box(nullptr);
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QString pasted;
    for (int i = 0; i < 10; ++i)
        pasted += u"tab\tand\u00A0no-break space gateway pages "_s;
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keySequence(&box, QKeySequence::Paste);
    QTRY_VERIFY(box.isSettled());
    QCOMPARE(boxText(&box), pasted);
    QCOMPARE(boxText(&box).count(u'\t'), 10);
    QCOMPARE(boxText(&box).count(QChar(0xa0)), 10);
    QVERIFY(box.blockCount() > 3);
    for (QTextBlock block = box.document()->begin().next(); block.isValid(); block = block.next())
        QCOMPARE(box.writtenText().at(block.position() - 1), u' ');
}

void tst_LongParagraphs::highlighterKeepsPieces()
{
    // A highlighter sets every block's state, as most do: the pieces stay one paragraph, through
    // an edit and a new width, and show the lines a plain text edit shows.
    class Highlighter : public QSyntaxHighlighter
    {
    public:
        using QSyntaxHighlighter::QSyntaxHighlighter;

    protected:
        void highlightBlock(const QString &text) override { setCurrentBlockState(int(text.size())); }
    };
    QPlainTextEdit plain;
    TextBox box(nullptr);
    QString paragraph = sampleBody(40 * SmallPiece).replace(u"\r\n"_s, u" "_s);
    std::vector<std::unique_ptr<Highlighter>> highlighters;
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        edit->resize(300, 200);
        edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        highlighters.push_back(std::make_unique<Highlighter>(edit->document()));
        setBoxText(edit, paragraph + u"\r\nthe end"_s);
    }
    QTRY_VERIFY(box.isSettled());
    QVERIFY(box.blockCount() > 10);
    for (QPlainTextEdit *edit : {&plain, static_cast<QPlainTextEdit *>(&box)}) {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(int(paragraph.size() / 2));
        edit->setTextCursor(cursor);
        QTest::keyClicks(edit, u"gateway "_s);
        edit->resize(230, 200);
    }
    paragraph.insert(paragraph.size() / 2, u"gateway "_s);
    QTRY_VERIFY(box.isSettled());
    QCOMPARE(boxText(&box), paragraph + u"\r\nthe end"_s);
    const auto lines = [](QPlainTextEdit &edit) {
        int count = 0;
        for (QTextBlock block = edit.document()->begin(); block.isValid(); block = block.next()) {
            edit.document()->documentLayout()->blockBoundingRect(block);
            count += block.layout()->lineCount();
        }
        return count;
    };
    QCOMPARE(lines(box), lines(plain));
    // It did highlight.
    QCOMPARE(box.document()->lastBlock().userState(), 7);
}

void tst_LongParagraphs::contextMenuUndoesAndRedoes()
{
    // Qt's own menu (its actions named as in Qt 6.4), on the box's own history.
    TextBox box(nullptr);
    box.resize(300, 200);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QString paragraph = sampleBody(20 * SmallPiece).replace(u"\r\n"_s, u" "_s);
    setBoxText(&box, paragraph);
    QTRY_VERIFY(box.isSettled());
    QVERIFY(box.keepsOwnHistory());
    QTest::keyClicks(&box, u"typed "_s);
    const QString typed = boxText(&box);
    const auto chooseFromMenu = [&box](const QString &name) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), box.viewport()->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::sendEvent(box.viewport(), &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QAction *action = menu->findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        QVERIFY(action->isEnabled());
        action->trigger();
        menu->close();
    };
    chooseFromMenu(u"edit-undo"_s);
    QCOMPARE(boxText(&box), paragraph);
    chooseFromMenu(u"edit-redo"_s);
    QCOMPARE(boxText(&box), typed);
}

QTEST_MAIN(tst_LongParagraphs)
#include "tst_longparagraphs.moc"
