// The search engine tips as the engine keeps them: per engine the numbered tips in order, the
// example address where a tip ends with one, Yahoo's introduction, and the separators the tips
// screen joins them with. The windows show what these functions return.
#include "core/addresses.h"
#include "core/enginetips.h"

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

const QStringList ExciteTips{
    TitleTip,
    u"2)  Excite recognizes synonyms in your text so be sure to include them throughout your text for relevancy."_s,
    u"3)  Excite indexes Comment Tags, so it's a good idea to include them in your page. Be sure to keep the Key "
    "Word Spam Detection (in the Settings) on Very Sensative or Moderate because AOL wants a low keyword frequency "
    "in the Comment Tags."_s,
    u"4)  Excite indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"5)  Excite rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a "
    "URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  Excite's average time to index new pages is 4 - 8 weeks."_s,
};

const QStringList HotBotTips{
    TitleTip,
    u"2)  Hot Bot will follow all your links to index your entire site, my advice is to submit every URL "
    "individually."_s,
    u"3)  Hot Bot indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"4)  For Hot Bot, use your Targeted Phrase through out the entire page, but don't repeat words ( - free stuff, "
    "free stuff, free stuff, free stuff, free stuff)."_s,
    u"5)  Hot Bot rates sites higher in relevancy if part of the URL contains keywords about your site. Try using "
    "a URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  Hot Bot will except up to 50 pages a day for submission."_s,
    u"7)  Hot Bot's average time to index new pages is 1 - 3 weeks."_s,
};

const QStringList InfoSeekTips{
    TitleTip,
    u"2)  InfoSeek indexes Alt Tags, so it's a good idea to include them in your page."_s,
    u"3)  InfoSeek indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"4)  For InfoSeek, use your Targeted Phrase through out the entire page, but don't repeat words ( - free "
    "stuff, free stuff, free stuff, free stuff, free stuff)."_s,
    u"5)  InfoSeek is case sensitive (use your keywords in lowercase and uppercase letters)."_s,
    u"6)  InfoSeek's average time to index new pages is 1 - 4 weeks."_s,
};

const QStringList LycosTips{
    TitleTip,
    u"2)  Lycos recognizes synonyms in your text so be sure to include them throughout your text for relevancy."_s,
    u"3)  Lycos indexes Alt Tags, so it's a good idea to include them in your page."_s,
    u"4)  Lycos favors pages that have a high keyword frequency near the top of the page. Use your Targeted Phrase "
    "as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free stuff, "
    "free stuff)."_s,
    u"5)  Lycos rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a "
    "URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  Lycos's average time to index new pages is about 4 weeks."_s,
};

const QStringList MagellanTips{
    TitleTip,
    u"2)  Magellan indexes Alt Tags, so it's a good idea to include them in your page."_s,
    u"3)  Magellan indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"4)  Magellan favors pages that have a high keyword frequency near the top of the page. Use your Targeted "
    "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
    "stuff, free stuff)."_s,
    u"5)  Magellan rates sites higher in relevancy if part of the URL contains keywords about your site. Try using "
    "a URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  Magellan's average time to index new pages is 4 - 7 weeks."_s,
};

const QStringList WebCrawlerTips{
    TitleTip,
    u"2)  WebCrawler indexes Alt Tags, so it's a good idea to include them in your page."_s,
    u"3)  WebCrawler indexes Hidden Tags, so it's a good idea to include them in your page."_s,
    u"4)  WebCrawler favors pages that have a high keyword frequency near the top of the page. Use your Targeted "
    "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
    "stuff, free stuff)."_s,
    u"5)  WebCrawler rates sites higher in relevancy if part of the URL contains keywords about your site. Try "
    "using a URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  WebCrawler's average time to index new pages is 4 - 8 weeks."_s,
};

const QStringList YahooTips{
    u"1)  Yahoo uses an alphabetical listing index. It is beneficial for you to start your title with a number or "
    "the letter A (if possible)."_s,
    u"2)  Always manually submit your pages to Yahoo."_s,
    u"3)  Yahoo seems to favor pages that have a high keyword frequency near the top of the page. Use your Targeted "
    "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
    "stuff, free stuff)."_s,
    u"4)  Yahoo seems to favor pages that have a high keyword frequency near the very bottom of the page. Use your "
    "Targeted Phrase as much as possible near the very bottom, you might even want to make sure your Targeted "
    "Phrase is the very last text on the page."_s,
    u"5)  Yahoo seems to rate sites higher in relevancy if part of the URL contains keywords about your site. Try "
    "using a URL like "_s +
        exampleAddress() + u"."_s,
    u"6)  Yahoo's average time to index new pages is about 4 weeks. But you'll never know unless your fortunate "
    "enough to get listed."_s,
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
    void noTipsForOtherNames_data();
    void noTipsForOtherNames();
};

// Every tip of every engine in full, as the screen shows it: a changed letter, blank or number in
// any tip must fail here. The wording stays as the program has always shown it, slips included
// ("Sensative", "except up to 50 pages", "your fortunate").
void tst_EngineTips::tipsOfEachEngine_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("Alta Vista") << u"Alta Vista"_s << AltaVistaTips;
    QTest::newRow("AOL") << u"AOL"_s << AolTips;
    QTest::newRow("Excite") << u"Excite"_s << ExciteTips;
    QTest::newRow("Hot Bot") << u"Hot Bot"_s << HotBotTips;
    QTest::newRow("InfoSeek") << u"InfoSeek"_s << InfoSeekTips;
    QTest::newRow("Lycos") << u"Lycos"_s << LycosTips;
    QTest::newRow("Magellan") << u"Magellan"_s << MagellanTips;
    QTest::newRow("WebCrawler") << u"WebCrawler"_s << WebCrawlerTips;
    // Yahoo's introduction is a piece of its own, ahead of tip 1.
    QTest::newRow("Yahoo, after its introduction") << u"Yahoo"_s << QStringList{YahooIntroduction} + YahooTips;
}

void tst_EngineTips::tipsOfEachEngine()
{
    QFETCH(QString, engine);
    QFETCH(QStringList, pieces);

    QCOMPARE(EngineTipPieces(engine), pieces);
    // The screen appends the pieces with two line breaks between them, none before or after.
    QCOMPARE(EngineTipsText(engine), pieces.join(Separator));
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
