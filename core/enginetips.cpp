#include "core/enginetips.h"

#include "core/addresses.h"

namespace {

// What follows a tip's own text: several tips end with the example address and a full stop.
enum class Ending { None, ExampleAddress };

struct TipRow
{
    const char *engineName;
    const char *text;
    Ending ending;
};

// Every engine's tips in the order they are shown.
constexpr TipRow TipTable[] = {
    {"Alta Vista", "1)  Using your Targeted Phrase at the beginning of the Page Title will help increase relevancy.",
     Ending::None},
    {"Alta Vista", "2)  Alta Vista is case sensitive (use your keywords in lowercase and uppercase letters).",
     Ending::None},
    {"Alta Vista",
     "3)  Alta Vista changes their ranking system several times a day. One minute your site will be ranked in the top "
     "ten, an hour later you could be ranked on the third or fourth page of results! None of the other search engines "
     "make such frequent changes.",
     Ending::None},
    {"Alta Vista",
     "4)  Using your Targeted Phrase at the beginning of the Meta Description will help increase relevancy.",
     Ending::None},
    {"Alta Vista",
     "5)  Alta Vista favors pages that have a high keyword frequency near the top of the page. Use your Targeted "
     "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
     "stuff, free stuff).",
     Ending::None},
    {"Alta Vista",
     "6)  Don't submit more than five pages a day. Alta Vista is limiting submissions to reduce spamming. If you "
     "submit more than five pages a day, they will not be indexed.",
     Ending::None},
    {"Alta Vista", "7)  Alta Vista's average time to index new pages is 2 - 5 days.", Ending::None},
    {"AOL", "1)  AOL is powered by Excite, so they are very similar.", Ending::None},
    {"AOL", "2)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"AOL", "3)  AOL recognizes synonyms in your text so be sure to include them throughout your text for relevancy.",
     Ending::None},
    {"AOL",
     "4)  AOL indexes Comment Tags, so it's a good idea to include them in your page. Be sure to keep the Key Word "
     "Spam Detection (in the Settings) on Very Sensative or Moderate because AOL wants a low keyword frequency in the "
     "Comment Tags.",
     Ending::None},
    {"AOL", "5)  AOL indexes Hidden Tags, so it's a good idea to include them in your page.", Ending::None},
    {"AOL",
     "6)  AOL rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a URL "
     "like ",
     Ending::ExampleAddress},
    {"AOL", "7)  AOL's average time to index new pages is 4 - 8 weeks.", Ending::None},
    {"Excite", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"Excite",
     "2)  Excite recognizes synonyms in your text so be sure to include them throughout your text for relevancy.",
     Ending::None},
    {"Excite",
     "3)  Excite indexes Comment Tags, so it's a good idea to include them in your page. Be sure to keep the Key Word "
     "Spam Detection (in the Settings) on Very Sensative or Moderate because AOL wants a low keyword frequency in the "
     "Comment Tags.",
     Ending::None},
    {"Excite", "4)  Excite indexes Hidden Tags, so it's a good idea to include them in your page.", Ending::None},
    {"Excite",
     "5)  Excite rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a URL "
     "like ",
     Ending::ExampleAddress},
    {"Excite", "6)  Excite's average time to index new pages is 4 - 8 weeks.", Ending::None},
    {"Hot Bot", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"Hot Bot",
     "2)  Hot Bot will follow all your links to index your entire site, my advice is to submit every URL individually.",
     Ending::None},
    {"Hot Bot", "3)  Hot Bot indexes Hidden Tags, so it's a good idea to include them in your page.", Ending::None},
    {"Hot Bot",
     "4)  For Hot Bot, use your Targeted Phrase through out the entire page, but don't repeat words ( - free stuff, "
     "free stuff, free stuff, free stuff, free stuff).",
     Ending::None},
    {"Hot Bot",
     "5)  Hot Bot rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a "
     "URL like ",
     Ending::ExampleAddress},
    {"Hot Bot", "6)  Hot Bot will except up to 50 pages a day for submission.", Ending::None},
    {"Hot Bot", "7)  Hot Bot's average time to index new pages is 1 - 3 weeks.", Ending::None},
    {"InfoSeek", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"InfoSeek", "2)  InfoSeek indexes Alt Tags, so it's a good idea to include them in your page.", Ending::None},
    {"InfoSeek", "3)  InfoSeek indexes Hidden Tags, so it's a good idea to include them in your page.", Ending::None},
    {"InfoSeek",
     "4)  For InfoSeek, use your Targeted Phrase through out the entire page, but don't repeat words ( - free stuff, "
     "free stuff, free stuff, free stuff, free stuff).",
     Ending::None},
    {"InfoSeek", "5)  InfoSeek is case sensitive (use your keywords in lowercase and uppercase letters).",
     Ending::None},
    {"InfoSeek", "6)  InfoSeek's average time to index new pages is 1 - 4 weeks.", Ending::None},
    {"Lycos", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"Lycos",
     "2)  Lycos recognizes synonyms in your text so be sure to include them throughout your text for relevancy.",
     Ending::None},
    {"Lycos", "3)  Lycos indexes Alt Tags, so it's a good idea to include them in your page.", Ending::None},
    {"Lycos",
     "4)  Lycos favors pages that have a high keyword frequency near the top of the page. Use your Targeted Phrase as "
     "much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free stuff, free "
     "stuff).",
     Ending::None},
    {"Lycos",
     "5)  Lycos rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a URL "
     "like ",
     Ending::ExampleAddress},
    {"Lycos", "6)  Lycos's average time to index new pages is about 4 weeks.", Ending::None},
    {"Magellan", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"Magellan", "2)  Magellan indexes Alt Tags, so it's a good idea to include them in your page.", Ending::None},
    {"Magellan", "3)  Magellan indexes Hidden Tags, so it's a good idea to include them in your page.", Ending::None},
    {"Magellan",
     "4)  Magellan favors pages that have a high keyword frequency near the top of the page. Use your Targeted Phrase "
     "as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free stuff, "
     "free stuff).",
     Ending::None},
    {"Magellan",
     "5)  Magellan rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a "
     "URL like ",
     Ending::ExampleAddress},
    {"Magellan", "6)  Magellan's average time to index new pages is 4 - 7 weeks.", Ending::None},
    {"WebCrawler", "1)  Using your Targeted Phrase in the Page Title will help increase relevancy.", Ending::None},
    {"WebCrawler", "2)  WebCrawler indexes Alt Tags, so it's a good idea to include them in your page.", Ending::None},
    {"WebCrawler", "3)  WebCrawler indexes Hidden Tags, so it's a good idea to include them in your page.",
     Ending::None},
    {"WebCrawler",
     "4)  WebCrawler favors pages that have a high keyword frequency near the top of the page. Use your Targeted "
     "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
     "stuff, free stuff).",
     Ending::None},
    {"WebCrawler",
     "5)  WebCrawler rates sites higher in relevancy if part of the URL contains keywords about your site. Try using a "
     "URL like ",
     Ending::ExampleAddress},
    {"WebCrawler", "6)  WebCrawler's average time to index new pages is 4 - 8 weeks.", Ending::None},
    {"Yahoo",
     "1)  Yahoo uses an alphabetical listing index. It is beneficial for you to start your title with a number or the "
     "letter A (if possible).",
     Ending::None},
    {"Yahoo", "2)  Always manually submit your pages to Yahoo.", Ending::None},
    {"Yahoo",
     "3)  Yahoo seems to favor pages that have a high keyword frequency near the top of the page. Use your Targeted "
     "Phrase as much as possible near the top, but don't repeat words ( - free stuff, free stuff, free stuff, free "
     "stuff, free stuff).",
     Ending::None},
    {"Yahoo",
     "4)  Yahoo seems to favor pages that have a high keyword frequency near the very bottom of the page. Use your "
     "Targeted Phrase as much as possible near the very bottom, you might even want to make sure your Targeted Phrase "
     "is the very last text on the page.",
     Ending::None},
    {"Yahoo",
     "5)  Yahoo seems to rate sites higher in relevancy if part of the URL contains keywords about your site. Try "
     "using a URL like ",
     Ending::ExampleAddress},
    {"Yahoo",
     "6)  Yahoo's average time to index new pages is about 4 weeks. But you'll never know unless your fortunate enough "
     "to get listed.",
     Ending::None},
};

// Yahoo's tips are preceded by an introduction between two rules.
constexpr char YahooName[] = "Yahoo";
constexpr char YahooRule[] = "____________________________________________________";
constexpr const char *YahooIntroduction[] = {
    "If you really want lot's of new visitors at your site, you'll want to score a good listing in Yahoo. But "
    "first, there are are a few things about Yahoo you need to understand before you try for a good listing.",
    "Yahoo is the most used search engine, the biggest search engine on the Internet.",
    "Yahoo reported over 40 million visitors last month (July 1999), none of the other search engines got half as "
    "many.",
    "Every page is visited by a Yahoo represenative before it is indexed.",
    "Yahoo does not index every page that is submitted, they probably only index about 15%.",
};

const QLatin1String ParagraphBreak("\r\n\r\n");
const QLatin1String LineBreak("\r\n");

QString yahooIntroduction()
{
    const QLatin1String rule(YahooRule);
    QString text = QLatin1String(YahooIntroduction[0]) + LineBreak + rule + ParagraphBreak;
    constexpr int sentences = int(std::size(YahooIntroduction));
    for (int i = 1; i < sentences; ++i) {
        text += QLatin1String(YahooIntroduction[i]);
        text += i + 1 < sentences ? ParagraphBreak : LineBreak;
    }
    return text + rule + LineBreak;
}

} // namespace

QStringList EngineTipPieces(const QString &engineName)
{
    QStringList pieces;
    if (engineName == QLatin1String(YahooName))
        pieces.append(yahooIntroduction());
    for (const TipRow &row : TipTable) {
        if (engineName != QLatin1String(row.engineName))
            continue;
        QString tip = QLatin1String(row.text);
        if (row.ending == Ending::ExampleAddress)
            tip += Addresses::TipsExampleAddress + QLatin1String(".");
        pieces.append(tip);
    }
    return pieces;
}

QString EngineTipsText(const QString &engineName)
{
    return EngineTipPieces(engineName).join(ParagraphBreak);
}
