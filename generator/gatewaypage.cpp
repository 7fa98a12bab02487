#include "generator/gatewaypage.h"

#include "core/addresses.h"
#include "core/pageproject.h"

namespace {

const QLatin1Char Q('"');

QString titleLine(const PageProject &p)
{
    return QLatin1String("<TITLE>") + p.PageTitle + QLatin1String("</TITLE>");
}

QString keywordsLine(const PageProject &p)
{
    return QLatin1String("<META name = ") + Q + QLatin1String("keywords") + Q + QLatin1String(" content = ") + Q +
           p.KeywordList + Q + QLatin1Char('>');
}

QString descriptionLine(const PageProject &p)
{
    return QLatin1String("<META name = ") + Q + QLatin1String("description") + Q + QLatin1String(" content = ") + Q +
           p.MetaDescription + Q + QLatin1Char('>');
}

QString commentLine(const PageProject &p)
{
    return QLatin1String("<!-- ") + p.KeywordBlock + QLatin1String(" -->");
}

QString hiddenLine(const PageProject &p)
{
    return QLatin1String("<input type=") + Q + QLatin1String("hidden") + Q + QLatin1String(" name=") + Q +
           p.MatchPhrase + Q + QLatin1String(" value=") + Q + p.KeywordBlock + Q + QLatin1Char('>');
}

QString bannerLine(const PageProject &p)
{
    QString line = QLatin1String("<CENTER><IMG SRC=") + Q + QLatin1String("quillmarsh.gif") + Q +
                   QLatin1String(" WIDTH=") + Q + QLatin1String("450") + Q + QLatin1String(" HEIGHT=") + Q +
                   QLatin1String("25") + Q;
    if (isOn(p.UseAltTags))
        line += QLatin1String(" ALT=") + Q + QLatin1String("Looking for ") + p.KeywordBlock + QLatin1Char('?') + Q;
    return line + QLatin1String("></CENTER>");
}

QString listLine(const PageProject &p, const QString &text)
{
    return QLatin1String("<LI><A HREF=") + Q + p.SiteUrl + Q + QLatin1Char('>') + text + QLatin1String("</A><BR>");
}

QString linkTo(QLatin1StringView address)
{
    return QLatin1String("<A HREF=") + Q + address + Q + QLatin1String(">.</A>");
}

void appendHead(QString &page, const PageProject &p)
{
    page += QLatin1String("<HTML>");
    if (isOn(p.UseCommentTags))
        AppendPageLine(page, commentLine(p));
    AppendPageLine(page, QLatin1String("<HEAD>"));
    AppendPageLine(page, titleLine(p));
    const bool exploit = isOn(p.UseTitleMetaExploit);
    if (isOn(p.UseMetaKeywords))
        AppendPageLine(page, keywordsLine(p));
    if (exploit && p.UseMetaKeywords.isEmpty())
        AppendPageLine(page, keywordsLine(p));
    if (isOn(p.UseMetaDescription))
        AppendPageLine(page, descriptionLine(p));
    if (exploit && p.UseMetaDescription.isEmpty())
        AppendPageLine(page, descriptionLine(p));
    if (exploit) {
        for (int i = 0; i < 2; ++i) {
            AppendPageLine(page, titleLine(p));
            AppendPageLine(page, keywordsLine(p));
            AppendPageLine(page, descriptionLine(p));
        }
    }
    if (isOn(p.UseAutoForward)) {
        AppendPageLine(page,
                       QLatin1String("<script language=") + Q + QLatin1String("JavaScript") + Q + QLatin1Char('>'));
        AppendPageLine(page, QLatin1String("bName = navigator.appName;\r\nif (bName == ") + Q +
                                 QLatin1String("Netscape") + Q + QLatin1Char(')'));
        AppendPageLine(page, QLatin1String("window.location=") + Q + p.SiteUrl + Q + QLatin1String(";\r\nelse"));
        AppendPageLine(page, QLatin1String("window.location=") + Q + p.SiteUrl + Q + QLatin1String("\r\n</script>"));
    }
    AppendPageLine(page, QLatin1String("</HEAD>"));
}

void appendTwoBreaks(QString &page)
{
    AppendPageLine(page, QLatin1String("<BR>"));
    AppendPageLine(page, QLatin1String("<BR>"));
}

void appendBody(QString &page, PageProject &p)
{
    const bool frequencyExploit = isOn(p.UseFrequencyExploit);
    // "At least 1" compares the level as text, so "1" and "2" qualify and "0" and "" do not.
    const bool levelAtLeastOne = p.FrequencyLevel.compare(QLatin1String("1"), Qt::CaseSensitive) >= 0;
    const bool levelTwo = p.FrequencyLevel == QLatin1String("2");
    const bool comments = isOn(p.UseCommentTags);
    const bool hidden = isOn(p.UseHiddenTags);
    const bool spam = isOn(p.UseTopBottomSpam);
    const QLatin1Char blank(' ');

    AppendPageLine(page, QLatin1String("<BODY BGCOLOR=") + Q + QLatin1String("000000") + Q + QLatin1String(" TEXT=") +
                             Q + QLatin1String("ffffff") + Q + QLatin1String(" LINK=") + Q + QLatin1String("0000FF") +
                             Q + QLatin1Char('>'));
    if (frequencyExploit) {
        // The exploit keeps only the page up to the BODY line and one link: the rest of the body
        // would be thrown away, so it is never built.
        p.PageTopSnapshot = page;
        AppendPageLine(page, QLatin1String("<A HREF=") + Q + p.SiteUrl + Q + QLatin1Char('>') + p.TargetedPhrase +
                                 QLatin1String("</A>"));
        return;
    }

    AppendPageLine(page, QLatin1String("<CENTER><H1>") + p.MatchPhrase + QLatin1String("</H1></CENTER>"));
    if (spam)
        AppendPageLine(page, QLatin1String("<CENTER><B>") + p.TargetedPhrase + blank + p.SupportPhrase1 + blank +
                                 p.SupportPhrase2 + blank + p.SupportPhrase3 + QLatin1String(".</B></CENTER>"));
    if (hidden)
        AppendPageLine(page, hiddenLine(p));
    AppendPageLine(page, QLatin1String("<CENTER><TABLE WIDTH=80%><TR><TD>"));
    AppendPageLine(page, bannerLine(p));
    AppendPageLine(page, QLatin1String("<BR><BR>Are you searching for: "));
    AppendPageLine(page, QLatin1String("<CENTER><A HREF=") + Q + p.SiteUrl + Q + QLatin1Char('>') + p.LinkText +
                             QLatin1String("</A></CENTER>"));
    appendTwoBreaks(page);
    AppendPageLine(page, QLatin1String("You can also find more information by selecting one of the following links:"));
    appendTwoBreaks(page);
    for (const QString *phrase : {&p.TargetedPhrase, &p.SupportPhrase1, &p.SupportPhrase2, &p.SupportPhrase3})
        AppendPageLine(page, listLine(p, *phrase));
    appendTwoBreaks(page);
    AppendPageLine(page, p.BodyText);
    appendTwoBreaks(page);
    if (levelAtLeastOne && comments)
        AppendPageLine(page, commentLine(p));
    if (levelAtLeastOne && hidden)
        AppendPageLine(page, hiddenLine(p));
    AppendPageLine(page, QLatin1String("<BR>"));
    AppendPageLine(page, QLatin1String("</TD></TR></TABLE></CENTER>"));
    if (isOn(p.UseHitCounter))
        AppendPageLine(page, QLatin1String("<CENTER>You are visitor number ") + p.HitCounterHtml +
                                 QLatin1String(" to visit this site.</CENTER><BR>"));
    if (isOn(p.UseHiddenExternalLink)) {
        using namespace Addresses;
        AppendPageLine(page, QLatin1String("<CENTER>") + linkTo(HotBotHome));
        for (QLatin1StringView address :
             {AltaVistaHome, AolHome, ExciteHome, LycosHome, WebCrawlerHome, InfoSeekHome, PublisherHome})
            AppendPageLine(page, linkTo(address));
        AppendPageLine(page, linkTo(MagellanHome) + QLatin1String("</CENTER>"));
    }
    AppendPageLine(page, QLatin1String("<BR>"));
    AppendPageLine(page, bannerLine(p));
    if (spam)
        AppendPageLine(page, QLatin1String("<CENTER>Index: ") + p.SupportPhrase2 + blank + p.SupportPhrase1 + blank +
                                 p.SupportPhrase3 + blank + p.TargetedPhrase + QLatin1String(".</CENTER>"));
    if (levelTwo && comments)
        AppendPageLine(page, commentLine(p));
    if (levelTwo && hidden)
        AppendPageLine(page, hiddenLine(p));
}

// An upper bound of the finished size, so the page is allocated once.
qsizetype estimatedSize(const PageProject &p)
{
    const qsizetype phrases =
        p.TargetedPhrase.size() + p.SupportPhrase1.size() + p.SupportPhrase2.size() + p.SupportPhrase3.size();
    return 4096 + p.BodyText.size() + p.HitCounterHtml.size() + p.LinkText.size() + 6 * p.KeywordBlock.size() +
           9 * (p.PageTitle.size() + p.KeywordList.size() + p.MetaDescription.size()) + 14 * p.SiteUrl.size() +
           4 * phrases + 5 * p.MatchPhrase.size();
}

} // namespace

QString BuildGatewayPage(PageProject &project)
{
    QString page;
    page.reserve(estimatedSize(project));
    appendHead(page, project);
    appendBody(page, project);
    AppendPageLine(page, QLatin1String("</BODY>\r\n</HTML> "));
    page += QLatin1String("\r\n");
    return page;
}
