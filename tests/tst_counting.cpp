#include "analysis/counting.h"
#include "core/pageproject.h"

#include <QTest>

class tst_Counting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordFigures_data();
    void wordFigures();
    void phraseCounts_data();
    void phraseCounts();
    void finalSelection_data();
    void finalSelection();
    void largeTextsCountWithoutOverflow();
    void keywordFrequency_data();
    void keywordFrequency();
    void frequencyText_data();
    void frequencyText();
};

void tst_Counting::wordFigures_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");

    auto row = [](const char *name, const char *text, qint64 figure) {
        QTest::newRow(name) << QString::fromUtf8(text) << figure;
    };
    row("six words", "free software for all the people", 6);
    row("six one-letter words", "a b c d e f", 6);
    row("six words and a trailing blank", "free software for all the people ", 6);
    row("seven words after a leading blank", " a b c d e f g", 8);
    row("two blanks after the first word", "a  b c d e f g", 7);
    row("two blanks after the second word", "a b  c d e f g", 6);
    row("three blanks after the first word", "a   b c d e f g", 8);
    row("ten one-letter words", "a b c d e f g h i j", 10);
    row("ten words and two blanks", "a b c d e f g h i j  ", 11);
    row("ten words and three blanks", "a b c d e f g h i j   ", 10);
    row("five words", "one two three four five", 5);
    row("seven words on lines only", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng", 5);
    row("eight words, one line break", "Get free software now\r\nand more free software", 7);
    row("three blanks only (a 5-or-less marker)", "   ", 4);
    row("empty text", "", 5);
    row("non-Latin words", "свободные программы для всех людей сегодня и завтра", 8);
    row("tab separates nothing", "a\tb c d e f g h", 7);
}

void tst_Counting::wordFigures()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);

    // A LastSpacePos left by an earlier count may restart the search once, but never changes
    // the figure.
    for (qint64 previous : {0, 1, 2, 3, 5, 8, 13}) {
        PageProject project;
        project.LastSpacePos = previous;
        AnalysedBox box{text, 0, 0};
        CountWords(box, project);
        QCOMPARE(project.WordCount, expected);
        QCOMPARE(project.WordSeparator, QStringLiteral(" "));
    }
}

void tst_Counting::phraseCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<qint64>("expected");

    // One row a line: clang-format would break between two texts.
    // clang-format off
    QTest::newRow("overlapping") << "aaa" << "aa" << qint64(2);
    QTest::newRow("overlapping inside") << "abababa" << "aba" << qint64(3);
    QTest::newRow("case ignored") << "Free software FREE software" << "free software" << qint64(2);
    QTest::newRow("absent") << "nothing to see here" << "free software" << qint64(0);
    QTest::newRow("empty phrase") << "any text" << "" << qint64(0);
    QTest::newRow("empty text") << "" << "free" << qint64(0);
    QTest::newRow("non-Latin case ignored") << QString::fromUtf8("ПРОГРАММЫ и программы") << QString::fromUtf8("программы")
                                            << qint64(2);
    QTest::newRow("phrase longer than text") << "free" << "free software" << qint64(0);
    // clang-format on
}

void tst_Counting::phraseCounts()
{
    QFETCH(QString, text);
    QFETCH(QString, phrase);
    QFETCH(qint64, expected);

    PageProject project;
    AnalysedBox box{text, 3, 2}; // the user's caret never matters
    CountPhraseOccurrences(box, phrase, project);
    QCOMPARE(project.PhraseCount, expected);
}

void tst_Counting::finalSelection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("selStart");
    QTest::addColumn<qsizetype>("selLength");

    QTest::newRow("last blank selected") << "aa bb cc dd ee ff" << qsizetype(14) << qsizetype(1);
    QTest::newRow("caret after the only blank") << "aa bb" << qsizetype(3) << qsizetype(0);
    QTest::newRow("no blank keeps the phrase selection") << "freeware" << qsizetype(0) << qsizetype(4);
}

void tst_Counting::finalSelection()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, selStart);
    QFETCH(qsizetype, selLength);

    PageProject project;
    AnalysedBox box{text, 0, 0};
    CountPhraseOccurrences(box, QStringLiteral("free"), project);
    CountWords(box, project);
    QCOMPARE(box.selStart, selStart);
    QCOMPARE(box.selLength, selLength);
}

void tst_Counting::largeTextsCountWithoutOverflow()
{
    // Far beyond 32,767 words and characters.
    const int words = 400000;
    QString text;
    text.reserve(words * 14);
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += i % 4 == 0 ? QLatin1String("Free software") : QLatin1String("word");
    }
    PageProject project;
    AnalysedBox box{text, 0, 0};
    CountPhraseOccurrences(box, QStringLiteral("free software"), project);
    CountWords(box, project);
    QCOMPARE(project.PhraseCount, qint64(words / 4));
    QCOMPARE(project.WordCount, qint64(words + words / 4));
    QCOMPARE(box.selLength, qsizetype(1));
    QCOMPARE(box.text.at(box.selStart), QLatin1Char(' '));
}

void tst_Counting::keywordFrequency_data()
{
    QTest::addColumn<qint64>("words");
    QTest::addColumn<qint64>("phrases");
    QTest::addColumn<qint64>("tenThousandths");

    QTest::newRow("300 / 27") << qint64(300) << qint64(27) << qint64(111111);
    QTest::newRow("45 / 4") << qint64(45) << qint64(4) << qint64(112500);
    QTest::newRow("300 / 25") << qint64(300) << qint64(25) << qint64(120000);
    QTest::newRow("tie rounds down to even") << qint64(33) << qint64(32) << qint64(10312);
    QTest::newRow("tie rounds up to even") << qint64(35) << qint64(32) << qint64(10938);
    QTest::newRow("two thirds round up") << qint64(5) << qint64(3) << qint64(16667);
    QTest::newRow("phrase not found") << qint64(300) << qint64(0) << qint64(0);
}

void tst_Counting::keywordFrequency()
{
    QFETCH(qint64, words);
    QFETCH(qint64, phrases);
    QFETCH(qint64, tenThousandths);

    PageProject project;
    project.KeywordFrequency = Currency{99999}; // an earlier page's figure never shows through
    project.WordCount = words;
    project.PhraseCount = phrases;
    ComputeKeywordFrequency(project);
    QCOMPARE(project.KeywordFrequency.tenThousandths, tenThousandths);
}

void tst_Counting::frequencyText_data()
{
    QTest::addColumn<qint64>("tenThousandths");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("expected");

    // One row a line: clang-format would break between two texts.
    // clang-format off
    QTest::newRow("four digits") << qint64(111111) << "en_US" << "11.1111";
    QTest::newRow("trailing zeros dropped") << qint64(112500) << "en_US" << "11.25";
    QTest::newRow("whole number") << qint64(120000) << "en_US" << "12";
    QTest::newRow("zero") << qint64(0) << "en_US" << "0";
    QTest::newRow("leading zero digit kept") << qint64(10312) << "en_US" << "1.0312";
    QTest::newRow("no thousands separator") << qint64(12345678) << "en_US" << "1234.5678";
    QTest::newRow("comma locale") << qint64(111111) << "de_DE" << "11,1111";
    // clang-format on
}

void tst_Counting::frequencyText()
{
    QFETCH(qint64, tenThousandths);
    QFETCH(QString, localeName);
    QFETCH(QString, expected);

    QCOMPARE(formatKeywordFrequency(Currency{tenThousandths}, QLocale(localeName)), expected);
}

QTEST_APPLESS_MAIN(tst_Counting)
#include "tst_counting.moc"
