#include "analysis/counting.h"
#include "analysis/reports.h"
#include "core/engineprofiles.h"
#include "core/pageproject.h"

#include <QTest>

namespace {

enum Engine { AltaVista = 0, Aol = 1, HotBot = 3, Lycos = 5, Yahoo = 8 };

PageProject projectFor(int engine)
{
    PageProject project;
    ApplyEngineProfile(project, engine);
    project.TargetedPhrase = project.MatchPhrase = QStringLiteral("free software");
    return project;
}

QString lines(std::initializer_list<const char *> parts)
{
    QStringList list;
    for (const char *part : parts)
        list << QString::fromUtf8(part);
    return list.join(QStringLiteral("\r\n"));
}

} // namespace

class tst_Reports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void description_data();
    void description();
    void descriptionRefusals_data();
    void descriptionRefusals();
    void body_data();
    void body();
    void generatedPage_data();
    void generatedPage();
    void generatedPageFrequencyIsNotCarriedOver();
};

void tst_Reports::description_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");

    QTest::newRow("twelve words, phrase three times")
        << "free software - Free software for search engines, download free software today" << int(AltaVista)
        << lines({"Meta-Tag Description Statistics:",
                  "Your total word count is 12. You used your Targeted Phrase 3 times."})
        << lines({"", "For Alta Vista:", "You should use about 15 words.",
                  "Use your Targeted Phrase 2 times in the Meta-Tag Description."});
    QTest::newRow("pre-fill and one more character")
        << "free software - x" << int(Lycos)
        << lines({"Meta-Tag Description Statistics:",
                  "Your total word count is 5 or less. You used your Targeted Phrase 1 time."})
        << lines({"", "For Lycos:", "You should use about 25 words.",
                  "Use your Targeted Phrase 3 times in the Meta-Tag Description."});
    QTest::newRow("upper case occurrence counts")
        << "We sell FREE SOFTWARE and other software downloads" << int(Aol)
        << lines({"Meta-Tag Description Statistics:",
                  "Your total word count is 8. You used your Targeted Phrase 1 time."})
        << lines({"", "For AOL:", "You should use about 25 words.",
                  "Use your Targeted Phrase 2 times in the Meta-Tag Description."});
    QTest::newRow("phrase not found") << "Tools for people who build their own web pages" << int(AltaVista)
                                      << lines({"Meta-Tag Description Statistics:",
                                                "Your total word count is 9. You used your Targeted Phrase 0 times."})
                                      << lines({"", "For Alta Vista:", "You should use about 15 words.",
                                                "Use your Targeted Phrase 2 times in the Meta-Tag Description."});
    QTest::newRow("blanks only are not empty")
        << "   " << int(AltaVista)
        << lines({"Meta-Tag Description Statistics:",
                  "Your total word count is 5 or less. You used your Targeted Phrase 0 times."})
        << lines({"", "For Alta Vista:", "You should use about 15 words.",
                  "Use your Targeted Phrase 2 times in the Meta-Tag Description."});
}

void tst_Reports::description()
{
    QFETCH(QString, text);
    QFETCH(int, engine);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);

    PageProject project = projectFor(engine);
    AnalysedBox box{text, 0, 0};
    ReportOutcome outcome = ReportMetaDescription(project, box);
    QCOMPARE(outcome.refusal, ReportRefusal::None);
    QCOMPARE(outcome.captions.statistics, statistics);
    QCOMPARE(outcome.captions.advice, advice);

    // A second press shows the same report, not two copies.
    outcome = ReportMetaDescription(project, box);
    QCOMPARE(outcome.captions.statistics, statistics);
}

void tst_Reports::descriptionRefusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unchanged pre-fill") << "free software - ";
    QTest::newRow("empty") << "";
}

void tst_Reports::descriptionRefusals()
{
    QFETCH(QString, text);

    PageProject project = projectFor(AltaVista);
    project.PhraseCount = 42;
    AnalysedBox box{text, 1, 0};
    const ReportOutcome outcome = ReportMetaDescription(project, box);
    QCOMPARE(outcome.refusal, ReportRefusal::DescriptionMissing);
    QCOMPARE(project.PhraseCount, qint64(42)); // nothing counted
    QCOMPARE(box.selStart, qsizetype(1));
}

void tst_Reports::body_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");

    QTest::newRow("eight words, phrase twice")
        << "Get free software now and more free software" << int(HotBot)
        << lines({"Page Body Statistics:", "Your total word count is 8. You used your Targeted Phrase 2 times."})
        << lines({"", "For Hot Bot:", "You should use about 250 words.",
                  "Use your Targeted Phrase about 5 times in the body of your page."});
    QTest::newRow("line break separates no words")
        << "Get free software now\r\nand more free software" << int(Yahoo)
        << lines({"Page Body Statistics:", "Your total word count is 7. You used your Targeted Phrase 2 times."})
        << lines({"", "For Yahoo:", "You should use 450 words.",
                  "Use your Targeted Phrase about 5 times in the body of your page."});
    QTest::newRow("three blanks") << "   " << int(Aol)
                                  << lines(
                                         {"Page Body Statistics:",
                                          "Your total word count is 5 or less. You used your Targeted Phrase 0 times."})
                                  << lines({"", "For AOL:", "You should use about 325 words.",
                                            "Use your Targeted Phrase about 10 times in the body of your page."});
}

void tst_Reports::body()
{
    QFETCH(QString, text);
    QFETCH(int, engine);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);

    PageProject project = projectFor(engine);
    AnalysedBox empty;
    QCOMPARE(ReportPageBody(project, empty).refusal, ReportRefusal::BodyMissing);

    AnalysedBox box{text, 0, 0};
    const ReportOutcome outcome = ReportPageBody(project, box);
    QCOMPARE(outcome.refusal, ReportRefusal::None);
    QCOMPARE(outcome.captions.statistics, statistics);
    QCOMPARE(outcome.captions.advice, advice);
}

void tst_Reports::generatedPage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("engine");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("statistics");
    QTest::addColumn<QString>("advice");

    // 27 two-word phrases among 246 other words: 300 words.
    QStringList words;
    for (int i = 0; i < 27; ++i)
        words << QStringLiteral("Free Software");
    for (int i = 0; i < 246; ++i)
        words << QStringLiteral("<x>");
    const QString page300 = words.join(QLatin1Char(' '));

    const QString altaVistaAdvice =
        lines({"For Alta Vista:", "You should use about 300 words.", "Use your Targeted Phrase about 27 times.",
               "Your Keyword Frequency should be: 9.125 - 18.2585"});
    QTest::newRow("300 words, 27 times") << page300 << int(AltaVista) << "en_US"
                                         << lines({"Page Statistics:", "Your total word count is 300.",
                                                   " You used your Targeted Phrase 27 times.",
                                                   "Your Keyword Frequency is: 11.1111"})
                                         << altaVistaAdvice;
    QTest::newRow("decimal comma") << page300 << int(AltaVista) << "de_DE"
                                   << lines({"Page Statistics:", "Your total word count is 300.",
                                             " You used your Targeted Phrase 27 times.",
                                             "Your Keyword Frequency is: 11,1111"})
                                   << altaVistaAdvice;
    QTest::newRow("once: frequency equals word count")
        << "<HTML> <BODY> free software and a few more words </BODY>" << int(Yahoo) << "en_US"
        << lines({"Page Statistics:", "Your total word count is 10.", " You used your Targeted Phrase 1 time.",
                  "Your Keyword Frequency is: 10"})
        << lines({"For Yahoo:", "You should use 550 words.", "Use your Targeted Phrase about 15 times.",
                  "Your Keyword Frequency should be: 13.000 - 33.000"});
    QTest::newRow("5 or less quotes the advised range")
        << "<HTML>free software</HTML>" << int(AltaVista) << "en_US"
        << lines({"Page Statistics:", "Your total word count is 5 or less.", "You used your Targeted Phrase 1 time.",
                  "The Keyword Frequency is: 9.125 - 18.2585"})
        << altaVistaAdvice;
    QTest::newRow("phrase absent: frequency 0")
        << "<HTML> <BODY> nothing about the subject here </BODY>" << int(AltaVista) << "en_US"
        << lines({"Page Statistics:", "Your total word count is 8.", " You used your Targeted Phrase 0 times.",
                  "Your Keyword Frequency is: 0"})
        << altaVistaAdvice;
}

void tst_Reports::generatedPage()
{
    QFETCH(QString, text);
    QFETCH(int, engine);
    QFETCH(QString, locale);
    QFETCH(QString, statistics);
    QFETCH(QString, advice);

    PageProject project = projectFor(engine);
    AnalysedBox box{text, 0, 0};
    const ReportCaptions captions = ReportGeneratedPage(project, box, QLocale(locale));
    QCOMPARE(captions.statistics, statistics);
    QCOMPARE(captions.advice, advice);
}

void tst_Reports::generatedPageFrequencyIsNotCarriedOver()
{
    PageProject project = projectFor(AltaVista);
    AnalysedBox withPhrase{QStringLiteral("a b c d e f free software g h i j k l"), 0, 0};
    ReportGeneratedPage(project, withPhrase, QLocale(QLocale::English));
    QCOMPARE(project.KeywordFrequency.tenThousandths, qint64(140000));

    AnalysedBox without{QStringLiteral("a b c d e f g h i j k l"), 0, 0};
    const ReportCaptions captions = ReportGeneratedPage(project, without, QLocale(QLocale::English));
    QVERIFY(captions.statistics.endsWith(QLatin1String("Your Keyword Frequency is: 0")));
}

QTEST_APPLESS_MAIN(tst_Reports)
#include "tst_reports.moc"
