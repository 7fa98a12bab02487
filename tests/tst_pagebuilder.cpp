#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "sampleproject.h"

#include <QTest>

namespace {

// Flags a configuration turns on; everything else stays empty.
enum Option : unsigned {
    MetaDescription = 1 << 0,
    MetaKeywords = 1 << 1,
    CommentTags = 1 << 2,
    AltTags = 1 << 3,
    HiddenTags = 1 << 4,
    TopBottomSpam = 1 << 5,
    FrequencyExploit = 1 << 6,
    HiddenExternalLink = 1 << 7,
    AutoForward = 1 << 8,
    TitleMetaExploit = 1 << 9,
    HitCounter = 1 << 10,
    AllButExploit = 0x7ff & ~FrequencyExploit,
};

// The sample project with only the options given on, as `flagText`, and one round of the
// phrases in the keyword block.
PageProject projectWith(unsigned options, const QString &frequencyLevel,
                        const QString &flagText = QStringLiteral("Yes"))
{
    PageProject p = sampleProject();
    p.SpamDetectionLevel = QStringLiteral("0");
    BuildKeywordBlock(p);
    p.FrequencyLevel = frequencyLevel;

    QString *const flags[] = {&p.UseMetaDescription,  &p.UseMetaKeywords,       &p.UseCommentTags,
                              &p.UseAltTags,          &p.UseHiddenTags,         &p.UseTopBottomSpam,
                              &p.UseFrequencyExploit, &p.UseHiddenExternalLink, &p.UseAutoForward,
                              &p.UseTitleMetaExploit, &p.UseHitCounter};
    for (unsigned i = 0; i < std::size(flags); ++i)
        *flags[i] = options & (1u << i) ? flagText : QString();
    return p;
}

const QStringList plainHead = {
    "<HTML>",
    "<HEAD>",
    "<TITLE>Free Software - Best Tools</TITLE>",
    "</HEAD>",
};

const QStringList plainBody = {
    "<BODY BGCOLOR=\"000000\" TEXT=\"ffffff\" LINK=\"0000FF\">",
    "<CENTER><H1>free software</H1></CENTER>",
    "<CENTER><TABLE WIDTH=80%><TR><TD>",
    "<CENTER><IMG SRC=\"quillmarsh.gif\" WIDTH=\"450\" HEIGHT=\"25\"></CENTER>",
    "<BR><BR>Are you searching for: ",
    "<CENTER><A HREF=\"http://www.example.com/\">free software - Click Here!</A></CENTER>",
    "<BR>",
    "<BR>",
    "You can also find more information by selecting one of the following links:",
    "<BR>",
    "<BR>",
    "<LI><A HREF=\"http://www.example.com/\">free software</A><BR>",
    "<LI><A HREF=\"http://www.example.com/\">open source</A><BR>",
    "<LI><A HREF=\"http://www.example.com/\">linux tools</A><BR>",
    "<LI><A HREF=\"http://www.example.com/\">gnu apps</A><BR>",
    "<BR>",
    "<BR>",
    "Get free software here.",
    "Every tool is free software.",
    "<BR>",
    "<BR>",
    "<BR>",
    "</TD></TR></TABLE></CENTER>",
    "<BR>",
    "<CENTER><IMG SRC=\"quillmarsh.gif\" WIDTH=\"450\" HEIGHT=\"25\"></CENTER>",
};

const QStringList ending = {"</BODY>", "</HTML> "};

const QString title = QStringLiteral("<TITLE>Free Software - Best Tools</TITLE>");
const QString keywords =
    QStringLiteral("<META name = \"keywords\" content = \"free software, open source, linux tools, gnu apps\">");
const QString description = QStringLiteral("<META name = \"description\" content = \"free software - download it\">");
const QString comment = QStringLiteral("<!-- free software open source linux tools gnu apps -->");
const QString hidden = QStringLiteral(
    "<input type=\"hidden\" name=\"free software\" value=\"free software open source linux tools gnu apps\">");

const QStringList fullHead = {
    "<HTML>",
    comment,
    "<HEAD>",
    title,
    keywords,
    description,
    title,
    keywords,
    description,
    title,
    keywords,
    description,
    "<script language=\"JavaScript\">",
    "bName = navigator.appName;",
    "if (bName == \"Netscape\")",
    "window.location=\"http://www.example.com/\";",
    "else",
    "window.location=\"http://www.example.com/\"",
    "</script>",
    "</HEAD>",
};

// Every option but the frequency exploit, at level "2"; the lines marked level 1 and level 2
// are the ones lower levels leave out.
struct MarkedLine
{
    QString text;
    int minimumLevel = 0;
};

const QList<MarkedLine> fullBody = {
    {"<BODY BGCOLOR=\"000000\" TEXT=\"ffffff\" LINK=\"0000FF\">"},
    {"<CENTER><H1>free software</H1></CENTER>"},
    {"<CENTER><B>free software open source linux tools gnu apps.</B></CENTER>"},
    {hidden},
    {"<CENTER><TABLE WIDTH=80%><TR><TD>"},
    {"<CENTER><IMG SRC=\"quillmarsh.gif\" WIDTH=\"450\" HEIGHT=\"25\" ALT=\"Looking for free software open source "
     "linux tools gnu apps?\"></CENTER>"},
    {"<BR><BR>Are you searching for: "},
    {"<CENTER><A HREF=\"http://www.example.com/\">free software - Click Here!</A></CENTER>"},
    {"<BR>"},
    {"<BR>"},
    {"You can also find more information by selecting one of the following links:"},
    {"<BR>"},
    {"<BR>"},
    {"<LI><A HREF=\"http://www.example.com/\">free software</A><BR>"},
    {"<LI><A HREF=\"http://www.example.com/\">open source</A><BR>"},
    {"<LI><A HREF=\"http://www.example.com/\">linux tools</A><BR>"},
    {"<LI><A HREF=\"http://www.example.com/\">gnu apps</A><BR>"},
    {"<BR>"},
    {"<BR>"},
    {"Get free software here."},
    {"Every tool is free software."},
    {"<BR>"},
    {"<BR>"},
    {comment, 1},
    {hidden, 1},
    {"<BR>"},
    {"</TD></TR></TABLE></CENTER>"},
    {"<CENTER>You are visitor number <IMG SRC=\"count.gif\"> to visit this site.</CENTER><BR>"},
    {"<CENTER><A HREF=\"http://www.hotbot.com\">.</A>"},
    {"<A HREF=\"http://www.altavista.com\">.</A>"},
    {"<A HREF=\"http://www.aol.com\">.</A>"},
    {"<A HREF=\"http://www.excite.com\">.</A>"},
    {"<A HREF=\"http://www.lycos.com\">.</A>"},
    {"<A HREF=\"http://www.webcrawler.com\">.</A>"},
    {"<A HREF=\"http://www.infoseek.com\">.</A>"},
    {"<A HREF=\"http://www.rankwright.com\">.</A>"},
    {"<A HREF=\"http://magellan.excite.com\">.</A></CENTER>"},
    {"<BR>"},
    {"<CENTER><IMG SRC=\"quillmarsh.gif\" WIDTH=\"450\" HEIGHT=\"25\" ALT=\"Looking for free software open source "
     "linux tools gnu apps?\"></CENTER>"},
    {"<CENTER>Index: linux tools open source gnu apps free software.</CENTER>"},
    {comment, 2},
    {hidden, 2},
};

QStringList fullBodyAtLevel(int level)
{
    QStringList lines;
    for (const MarkedLine &line : fullBody) {
        if (line.minimumLevel <= level)
            lines << line.text;
    }
    return lines;
}

QString page(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

class tst_PageBuilder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholePage_data();
    void wholePage();
    void valuesAreInsertedUnchanged();
    void frequencyExploitKeepsSnapshot();
    void emptyValues();
};

void tst_PageBuilder::wholePage_data()
{
    QTest::addColumn<unsigned>("options");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("flagText");
    QTest::addColumn<QStringList>("expected");

    // One row a line: clang-format would break between two texts.
    // clang-format off
    QTest::newRow("all options off") << 0u << "0" << "Yes" << plainHead + plainBody + ending;
    QTest::newRow("all options off, empty level") << 0u << "" << "Yes" << plainHead + plainBody + ending;
    QTest::newRow("flags other than Yes are off") << unsigned(AllButExploit) << "1" << "yes"
                                                  << plainHead + plainBody + ending;
    QTest::newRow("all on, level 0") << unsigned(AllButExploit) << "0" << "Yes" << fullHead + fullBodyAtLevel(0) + ending;
    QTest::newRow("all on, level 1") << unsigned(AllButExploit) << "1" << "Yes" << fullHead + fullBodyAtLevel(1) + ending;
    QTest::newRow("all on, level 2") << unsigned(AllButExploit) << "2" << "Yes" << fullHead + fullBodyAtLevel(2) + ending;
    QTest::newRow("frequency exploit drops the body")
        << unsigned(AllButExploit | FrequencyExploit) << "2" << "Yes"
        << fullHead
               + QStringList{"<BODY BGCOLOR=\"000000\" TEXT=\"ffffff\" LINK=\"0000FF\">",
                             "<A HREF=\"http://www.example.com/\">free software</A>"}
               + ending;
    QTest::newRow("title / meta exploit with META flags off")
        << unsigned(TitleMetaExploit) << "0" << "Yes"
        << QStringList{"<HTML>", "<HEAD>", title, keywords, description, title, keywords, description, title,
                       keywords, description, "</HEAD>"}
               + plainBody + ending;
    QTest::newRow("keywords only") << unsigned(MetaKeywords) << "0" << "Yes"
                                   << QStringList{"<HTML>", "<HEAD>", title, keywords, "</HEAD>"} + plainBody + ending;
    // clang-format on
}

void tst_PageBuilder::wholePage()
{
    QFETCH(unsigned, options);
    QFETCH(QString, level);
    QFETCH(QString, flagText);
    QFETCH(QStringList, expected);

    PageProject project = projectWith(options, level, flagText);
    QCOMPARE(BuildGatewayPage(project), page(expected));
}

void tst_PageBuilder::valuesAreInsertedUnchanged()
{
    PageProject project = projectWith(MetaDescription | HitCounter, QStringLiteral("0"));
    project.MetaDescription = QStringLiteral("say \"hi\"\r\n<b>now</b>");
    project.BodyText = QStringLiteral("line one\r\n<P>line two");
    project.HitCounterHtml.clear();
    project.SiteUrl = QStringLiteral("www.example.com/a b");

    const QString built = BuildGatewayPage(project);
    QVERIFY(
        built.contains(QLatin1String("\r\n<META name = \"description\" content = \"say \"hi\"\r\n<b>now</b>\">\r\n")));
    QVERIFY(built.contains(QLatin1String("\r\n<BR>\r\nline one\r\n<P>line two\r\n<BR>\r\n")));
    QVERIFY(built.contains(QLatin1String("\r\n<CENTER>You are visitor number  to visit this site.</CENTER><BR>\r\n")));
    QVERIFY(built.contains(QLatin1String("<LI><A HREF=\"www.example.com/a b\">open source</A><BR>")));
}

void tst_PageBuilder::frequencyExploitKeepsSnapshot()
{
    PageProject project = projectWith(FrequencyExploit, QStringLiteral("0"));
    project.PageTopSnapshot = QStringLiteral("stale");
    BuildGatewayPage(project);
    QCOMPARE(project.PageTopSnapshot,
             plainHead.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + plainBody.first());

    // Without the exploit the snapshot is neither written nor read.
    project.UseFrequencyExploit.clear();
    project.PageTopSnapshot = QStringLiteral("stale");
    QCOMPARE(BuildGatewayPage(project), page(plainHead + plainBody + ending));
    QCOMPARE(project.PageTopSnapshot, QStringLiteral("stale"));
}

void tst_PageBuilder::emptyValues()
{
    PageProject project = projectWith(CommentTags, QStringLiteral("0"));
    project.PageTitle.clear();
    project.KeywordBlock.clear();
    const QString built = BuildGatewayPage(project);
    QVERIFY(built.startsWith(QLatin1String("<HTML>\r\n<!--  -->\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n")));
}

QTEST_APPLESS_MAIN(tst_PageBuilder)
#include "tst_pagebuilder.moc"
