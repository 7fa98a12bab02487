// The search engine tips as the engine keeps them: per engine the numbered tips in order, the
// example address where a tip ends with one, Yahoo's introduction, and the separators the tips
// screen joins them with. The windows show what these functions return.
#include "core/addresses.h"
#include "core/enginetips.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Separator = u"\r\n\r\n"_s;
const QString Rule = QString(52, u'_');
const QString TitleTip = u"1)  Using your Targeted Phrase in the Page Title will help increase relevancy."_s;

QString exampleAddress()
{
    return u"http://"_s + Addresses::MakerHost + u"/Search/search_engine_secrets.html"_s;
}

const QStringList AltaVistaTips{
    u"1)  Using your Targeted Phrase at the beginning of the Page Title will help increase relevancy."_s,
    u"2)  Alta Vista is case sensitive (use your keywords in lowercase and uppercase letters)."_s,
    u"3)  Alta Vista changes their ranking system several times a day. One minute your site will be ranked in the "
    "top ten, an hour later you could be ranked on the third or fourth page of results! None of the other search "
    "engines make such frequent changes."_s,
    u"4)  Using your Targeted Phrase at the beginning of the Meta Description will help increase relevancy."_s,
    u"5)  Alta Vista favors pages that have a high keyword frequency near the top of the page. Use your Targeted "
    "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
    "stuff, free stuff)."_s,
    u"6)  Don't submit more than five pages a day. Alta Vista is limiting submissions to reduce spamming. If you "
    "submit more than five pages a day, they will not be indexed."_s,
    u"7)  Alta Vista's average time to index new pages is 2 - 5 days."_s,
};

const QStringList AolTips{
    u"1)  AOL is powered by Excite, so they are very similar."_s,
    u"2)  Using your Targeted Phrase in the Page Title will help increase relevancy."_s,
    u"3)  AOL recognizes synonyms in your text so be sure to include them throughout your text for relevancy."_s,
    u"4)  AOL indexes Comment Tags, so it's a good idea to include them in your page. Be sure to keep the Key Word "
    "Spam Detection (in the Settings) on Very Sensative or Moderate because AOL wants a low keyword frequency in the "
    "Comment Tags."_s,
    u"5)  AOL indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"6)  AOL rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a URL "
    "like "_s +
        exampleAddress() + u"."_s,
    u"7)  AOL's average time to index new pages is 4 - 8 weeks."_s,
};

const QString YahooIntroduction =
    u"If you really want lot's of new visitors at your site, you'll want to score a good listing in Yahoo. But first, "
    "there are are a few things about Yahoo you need to understand before you try for a good listing.\r\n"_s +
    Rule +
    u"\r\n\r\nYahoo is the most used search engine, the biggest search engine on the Internet.\r\n\r\nYahoo reported "
    "over 40 million visitors last month (July 1999), none of the other search engines got half as many.\r\n\r\n"
    "Every page is visited by a Yahoo represenative before it is indexed.\r\n\r\nYahoo does not index every page "
    "that is submitted, they probably only index about 15%.\r\n"_s +
    Rule + u"\r\n"_s;

} // namespace

class tst_EngineTips : public QObject
{
    Q_OBJECT

private slots:
    void tipsOfEachEngine_data();
    void tipsOfEachEngine();
    void altaVistaAndAolWordForWord();
    void yahooIntroduction();
    void noTipsForOtherNames_data();
    void noTipsForOtherNames();
};

void tst_EngineTips::tipsOfEachEngine_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("tips");
    QTest::addColumn<QString>("firstTip");
    QTest::addColumn<QString>("lastTip");
    QTest::addColumn<QList<int>>("addressTips"); // the tips that end with the example address

    QTest::newRow("Alta Vista") << u"Alta Vista"_s << 7 << AltaVistaTips.first() << AltaVistaTips.last()
                                << QList<int>{};
    QTest::newRow("AOL") << u"AOL"_s << 7 << AolTips.first() << AolTips.last() << QList<int>{6};
    QTest::newRow("Excite") << u"Excite"_s << 6 << TitleTip
                            << u"6)  Excite's average time to index new pages is 4 - 8 weeks."_s << QList<int>{5};
    QTest::newRow("Hot Bot") << u"Hot Bot"_s << 7 << TitleTip
                             << u"7)  Hot Bot's average time to index new pages is 1 - 3 weeks."_s << QList<int>{5};
    QTest::newRow("InfoSeek") << u"InfoSeek"_s << 6 << TitleTip
                              << u"6)  InfoSeek's average time to index new pages is 1 - 4 weeks."_s << QList<int>{};
    QTest::newRow("Lycos") << u"Lycos"_s << 6 << TitleTip
                           << u"6)  Lycos's average time to index new pages is about 4 weeks."_s << QList<int>{5};
    QTest::newRow("Magellan") << u"Magellan"_s << 6 << TitleTip
                              << u"6)  Magellan's average time to index new pages is 4 - 7 weeks."_s << QList<int>{5};
    QTest::newRow("WebCrawler") << u"WebCrawler"_s << 6 << TitleTip
                                << u"6)  WebCrawler's average time to index new pages is 4 - 8 weeks."_s
                                << QList<int>{5};
    QTest::newRow("Yahoo, after its introduction")
        << u"Yahoo"_s << 6
        << u"1)  Yahoo uses an alphabetical listing index. It is beneficial for you to start your title with a number "
           "or the letter A (if possible)."_s
        << u"6)  Yahoo's average time to index new pages is about 4 weeks. But you'll never know unless your "
           "fortunate enough to get listed."_s
        << QList<int>{5};
}

void tst_EngineTips::tipsOfEachEngine()
{
    QFETCH(QString, engine);
    QFETCH(int, tips);
    QFETCH(QString, firstTip);
    QFETCH(QString, lastTip);
    QFETCH(QList<int>, addressTips);

    const QStringList pieces = EngineTipPieces(engine);
    const bool introduced = engine == u"Yahoo";
    QCOMPARE(pieces.size(), tips + (introduced ? 1 : 0));
    const QStringList numbered = pieces.mid(introduced ? 1 : 0);
    QCOMPARE(numbered.first(), firstTip);
    QCOMPARE(numbered.last(), lastTip);

    // Each tip: its number, a parenthesis, two blanks, then its text on one line, the example
    // address only at the end of the tips that have one.
    const QString addressEnding = u"Try using a URL like "_s + exampleAddress() + u"."_s;
    for (int i = 0; i < numbered.size(); ++i) {
        const QString &tip = numbered.at(i);
        const QString start = QString::number(i + 1) + u")  "_s;
        QVERIFY2(tip.startsWith(start) && tip.at(start.size()) != u' ', qPrintable(tip));
        QVERIFY2(!tip.contains(u'\r') && !tip.contains(u'\n'), qPrintable(tip));
        QCOMPARE(tip.endsWith(addressEnding), addressTips.contains(i + 1));
        QCOMPARE(tip.count(u"http"_s), addressTips.contains(i + 1) ? 1 : 0);
    }

    // The screen appends the pieces with two line breaks between them, none before or after.
    const QString text = EngineTipsText(engine);
    QCOMPARE(text, pieces.join(Separator));
    QVERIFY(!text.startsWith(u"\r\n"_s));
    QVERIFY(!text.endsWith(u"\r\n"_s));
    QCOMPARE(text.count(QRegularExpression(u"\r\n\r\n\\d\\)  "_s)), tips - 1 + (introduced ? 1 : 0));
}

void tst_EngineTips::altaVistaAndAolWordForWord()
{
    QCOMPARE(EngineTipPieces(u"Alta Vista"_s), AltaVistaTips);
    QCOMPARE(EngineTipPieces(u"AOL"_s), AolTips);
    QCOMPARE(EngineTipsText(u"AOL"_s), AolTips.join(Separator));
}

void tst_EngineTips::yahooIntroduction()
{
    const QStringList pieces = EngineTipPieces(u"Yahoo"_s);
    QVERIFY(!pieces.isEmpty());
    QCOMPARE(pieces.first(), YahooIntroduction);
    // Two rules of exactly 52 underscores, and two empty lines between the last one and tip 1.
    const QString text = EngineTipsText(u"Yahoo"_s);
    QCOMPARE(text.count(Rule), 2);
    QVERIFY(!text.contains(Rule + u'_'));
    QVERIFY(!text.contains(u'_' + Rule));
    QVERIFY(text.contains(Rule + u"\r\n\r\n\r\n1)  Yahoo uses"_s));
}

void tst_EngineTips::noTipsForOtherNames_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("the list entry Aol") << u"Aol"_s;
    QTest::newRow("the list entry HotBot") << u"HotBot"_s;
    QTest::newRow("small letters") << u"yahoo"_s;
    QTest::newRow("a trailing blank") << u"Lycos "_s;
    QTest::newRow("empty") << QString();
}

void tst_EngineTips::noTipsForOtherNames()
{
    QFETCH(QString, name);
    QCOMPARE(EngineTipPieces(name), QStringList());
    QCOMPARE(EngineTipsText(name), QString());
}

QTEST_APPLESS_MAIN(tst_EngineTips)
#include "tst_enginetips.moc"
