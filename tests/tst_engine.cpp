#include "core/engineprofiles.h"
#include "core/pageproject.h"
#include "core/settings.h"
#include "generator/keywordblock.h"

#include <QTest>

class tst_Engine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void profiles_data();
    void profiles();
    void profileReplacesEveryFigure();
    void recommendedSettings_data();
    void recommendedSettings();
    void storeSettings_data();
    void storeSettings();
    void settingsTexts();
    void keywordBlock_data();
    void keywordBlock();
    void keywordBlockKeptWithoutLevel();
};

void tst_Engine::profiles_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("listEntry");
    QTest::addColumn<QStringList>("values"); // EngineName, then the seven figures in table order

    auto row = [](int position, const char *entry, QStringList values) {
        QTest::newRow(entry) << position << QString::fromLatin1(entry) << values;
    };
    row(0, "Alta Vista",
        {"Alta Vista", "2 times", "about 15", "about 6 times", "about 200", "about 27", "about 300",
         "9.125 - 18.2585"});
    row(1, "Aol",
        {"AOL", "2 times", "about 25", "about 10 times", "about 325", "about 30", "about 450", "5.814 - 16.879"});
    row(2, "Excite",
        {"Excite", "2 times", "about 25", "about 10 times", "about 325", "about 30", "about 450", "5.814 - 16.879"});
    row(3, "HotBot",
        {"Hot Bot", "2 times", "about 18", "about 5 times", "about 250", "about 24", "about 350", "9.546 - 13.568"});
    row(4, "InfoSeek",
        {"InfoSeek", "2 times", "about 25", "about 5 times", "about 350", "about 30", "about 450", "4.0321 - 11.0000"});
    row(5, "Lycos",
        {"Lycos", "3 times", "about 25", "about 4 times", "about 200", "about 28", "350", "8.0321 - 16.0000"});
    row(6, "Magellan",
        {"Magellan", "2 times", "about 15", "about 4 times", "about 200", "about 25", "about 325", "8.0321 - 14.0000"});
    row(7, "WebCrawler",
        {"WebCrawler", "2 times", "about 20", "about 4 times", "about 200", "about 29", "about 270",
         "6.0321 - 16.0000"});
    row(8, "Yahoo", {"Yahoo", "2 times", "about 20", "about 5 times", "450", "about 15", "550", "13.000 - 33.000"});
}

void tst_Engine::profiles()
{
    QFETCH(int, position);
    QFETCH(QString, listEntry);
    QFETCH(QStringList, values);

    QCOMPARE(engineListEntries().at(position), listEntry);
    PageProject project;
    ApplyEngineProfile(project, position);
    const QStringList stored = {project.EngineName,       project.DescPhraseAdvice, project.DescWordAdvice,
                                project.BodyPhraseAdvice, project.BodyWordAdvice,   project.PagePhraseAdvice,
                                project.PageWordAdvice,   project.FrequencyAdvice};
    QCOMPARE(stored, values);
}

void tst_Engine::profileReplacesEveryFigure()
{
    QCOMPARE(engineListEntries().size(), 9);
    PageProject project;
    ApplyEngineProfile(project, 8); // Yahoo
    ApplyEngineProfile(project, 5); // Lycos
    QCOMPARE(project.EngineName, QStringLiteral("Lycos"));
    QCOMPARE(project.DescPhraseAdvice, QStringLiteral("3 times"));
    QCOMPARE(project.BodyWordAdvice, QStringLiteral("about 200"));
    QCOMPARE(project.PageWordAdvice, QStringLiteral("350"));
}

void tst_Engine::recommendedSettings_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("checks"); // Check1 ... Check10
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("spamDetection");

    // One row a line: clang-format would break between two texts.
    // clang-format off
    QTest::newRow("AOL") << "AOL" << "1111110010" << 2 << 1;
    QTest::newRow("Excite") << "Excite" << "0011100011" << 2 << 1;
    QTest::newRow("Alta Vista") << "Alta Vista" << "1101010000" << 1 << 1;
    QTest::newRow("Hot Bot") << "Hot Bot" << "1101110000" << 2 << 2;
    QTest::newRow("InfoSeek") << "InfoSeek" << "1101110000" << 2 << 2;
    QTest::newRow("Lycos") << "Lycos" << "1101110000" << 2 << 1;
    QTest::newRow("Magellan") << "Magellan" << "1101110000" << 2 << 1;
    QTest::newRow("WebCrawler") << "WebCrawler" << "1101110000" << 2 << 2;
    QTest::newRow("Yahoo") << "Yahoo" << "1101110000" << 1 << 2;
    QTest::newRow("list text is no key") << "HotBot" << "0000000000" << -1 << -1;
    // clang-format on
}

void tst_Engine::recommendedSettings()
{
    QFETCH(QString, engine);
    QFETCH(QString, checks);
    QFETCH(int, frequency);
    QFETCH(int, spamDetection);

    const SettingsScreenState state = ApplyEngineDefaults(engine);
    QString actual;
    for (bool checked : state.checks)
        actual += checked ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(actual, checks);
    QCOMPARE(state.frequencyPosition, frequency);
    QCOMPARE(state.spamDetectionPosition, spamDetection);
}

void tst_Engine::storeSettings_data()
{
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("spamDetection");
    QTest::addColumn<QString>("frequencyLevel");
    QTest::addColumn<QString>("spamDetectionLevel");

    // One row a line: clang-format would break between two texts.
    // clang-format off
    QTest::newRow("positions") << 2 << 0 << "2" << "0";
    QTest::newRow("no selection") << -1 << -1 << "" << "";
    // clang-format on
}

void tst_Engine::storeSettings()
{
    QFETCH(int, frequency);
    QFETCH(int, spamDetection);
    QFETCH(QString, frequencyLevel);
    QFETCH(QString, spamDetectionLevel);

    PageProject project;
    StoreSettings(ApplyEngineDefaults(QStringLiteral("AOL")), project);
    SettingsScreenState state; // every box unchecked
    state.checks[6] = true;    // Check7
    state.frequencyPosition = frequency;
    state.spamDetectionPosition = spamDetection;
    StoreSettings(state, project);

    const QStringList flags = {project.UseMetaDescription,  project.UseMetaKeywords,       project.UseCommentTags,
                               project.UseAltTags,          project.UseHiddenTags,         project.UseTopBottomSpam,
                               project.UseFrequencyExploit, project.UseHiddenExternalLink, project.UseAutoForward,
                               project.UseTitleMetaExploit};
    QCOMPARE(flags, QStringList({"", "", "", "", "", "", "Yes", "", "", ""}));
    QVERIFY(flags.at(0).isNull() || flags.at(0).isEmpty());
    QCOMPARE(project.FrequencyLevel, frequencyLevel);
    QCOMPARE(project.SpamDetectionLevel, spamDetectionLevel);
}

void tst_Engine::settingsTexts()
{
    const QString engine = QStringLiteral("Alta Vista");
    QCOMPARE(settingsDefaultsButtonCaption(engine), QStringLiteral("Set Alta Vista Defaults"));
    QCOMPARE(settingsIntroText(engine),
             QStringLiteral("Here are the Rankwright Assistant settings. Select the options you want to include, then "
                            "click the arrow button to finish your gateway page. The default settings are what we "
                            "suggest for Alta Vista."));
    QCOMPARE(
        settingsDefaultsSetText(engine),
        QStringLiteral("The default settings have been set. The default settings are what we suggest for Alta Vista."));
}

void tst_Engine::keywordBlock_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("expected");

    const QString cycle = QStringLiteral("free search engine software Search Engine Secrets software for search "
                                         "engines SEARCH ENGINE RANKING");
    QTest::newRow("very sensative") << "0" << cycle;
    QTest::newRow("moderate") << "1" << cycle + QLatin1Char(' ') + cycle;
    QTest::newRow("low") << "2" << cycle + QLatin1Char(' ') + cycle + QLatin1Char(' ') + cycle;
}

void tst_Engine::keywordBlock()
{
    QFETCH(QString, level);
    QFETCH(QString, expected);

    PageProject project;
    project.TargetedPhrase = QStringLiteral("free search engine software");
    project.SupportPhrase1 = QStringLiteral("Search Engine Secrets");
    project.SupportPhrase2 = QStringLiteral("software for search engines");
    project.SupportPhrase3 = QStringLiteral("SEARCH ENGINE RANKING");
    project.SpamDetectionLevel = level;
    BuildKeywordBlock(project);
    QCOMPARE(project.KeywordBlock, expected);
    if (level == QLatin1String("1"))
        QCOMPARE(project.KeywordBlock.size(), qsizetype(199));
}

void tst_Engine::keywordBlockKeptWithoutLevel()
{
    PageProject project;
    project.TargetedPhrase = QStringLiteral("t ");
    project.SupportPhrase1 = QStringLiteral("a");
    project.SupportPhrase2 = QStringLiteral("b");
    project.SupportPhrase3 = QStringLiteral("c");
    BuildKeywordBlock(project);
    QCOMPARE(project.KeywordBlock, QString()); // nothing derived yet

    project.SpamDetectionLevel = QStringLiteral("0");
    BuildKeywordBlock(project);
    QCOMPARE(project.KeywordBlock, QStringLiteral("t  a b c")); // a trailing blank makes a double blank

    project.TargetedPhrase = QStringLiteral("new");
    project.SpamDetectionLevel.clear();
    BuildKeywordBlock(project);
    QCOMPARE(project.KeywordBlock, QStringLiteral("t  a b c"));
}

QTEST_APPLESS_MAIN(tst_Engine)
#include "tst_engine.moc"
