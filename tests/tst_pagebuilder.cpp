#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "generator/keywordblock.h"
#include "generator/pagefile.h"
#include "sampleproject.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// What stands at the name a page is saved under.
enum class Target { Missing, Writable, ReadOnly };

} // namespace

Q_DECLARE_METATYPE(Target)

class tst_PageBuilder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholePage_data();
    void wholePage();
    void valuesAreInsertedUnchanged();
    void frequencyExploitKeepsSnapshot();
    void emptyValues();
    void pageFileIsTextPlusLineEnd();
    void failedSaveLeavesExistingFile();
    void saveInReadOnlyFolder_data();
    void saveInReadOnlyFolder();
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

void tst_PageBuilder::pageFileIsTextPlusLineEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page")); // no extension is added
    const QString text = QStringLiteral("<HTML>caf\u00e9 \u20ac</HTML> \r\n");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    QString error;
    QVERIFY(writePageFile(path, text, &error));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("<HTML>caf\xc3\xa9 \xe2\x82\xac</HTML> \r\n\r\n"));
}

void tst_PageBuilder::failedSaveLeavesExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.htm"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the page saved yesterday");
    old.close();

    // A full disk, made with a file size limit (which binds root too): the write fails midway.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = writePageFile(path, QString(4096, QLatin1Char('x')), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QVERIFY2(error != QLatin1String("Unknown error"), qPrintable(error)); // the user is told why
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the page saved yesterday"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.htm"}); // no stray temporary file

    error.clear();
    QVERIFY(!writePageFile(dir.filePath(QStringLiteral("gone/page.htm")), QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
}

void tst_PageBuilder::saveInReadOnlyFolder_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<bool>("written");

    QTest::newRow("writable file is replaced in place") << Target::Writable << false << true;
    QTest::newRow("writable file, disk full: old bytes kept") << Target::Writable << true << false;
    QTest::newRow("read-only file is refused") << Target::ReadOnly << false << false;
    QTest::newRow("new file is refused") << Target::Missing << false << false;
}

// A folder the writer may not add files to: as root, which no permission stops, the writing runs in a
// child that has become the user "nobody"; otherwise the folder's write permission is taken away.
void tst_PageBuilder::saveInReadOnlyFolder()
{
    QFETCH(Target, target);
    QFETCH(bool, diskFull);
    QFETCH(bool, written);

    const bool root = ::geteuid() == 0;
    const uid_t writer = root ? 65534 : ::geteuid();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
    const QString folder = dir.filePath(QStringLiteral("pages"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/page.htm");
    const QByteArray old = "the page saved yesterday";
    if (target != Target::Missing) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
        file.close();
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), target == Target::Writable || root ? 0644 : 0444), 0);
        if (root && target == Target::Writable)
            QCOMPARE(::chown(name.constData(), writer, writer), 0);
    }
    QCOMPARE(::chmod(QFile::encodeName(folder).constData(), root ? 0755 : 0555), 0);

    const QString page(4096, QLatin1Char('x'));
    int channel[2];
    QCOMPARE(::pipe(channel), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        ::close(channel[0]);
        if (root && (::setgid(writer) != 0 || ::setuid(writer) != 0))
            ::_exit(2);
        if (diskFull) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        QString error;
        const bool saved = writePageFile(path, page, &error);
        const QByteArray result = (saved ? "1" : "0") + error.toUtf8();
        const bool sent = ::write(channel[1], result.constData(), size_t(result.size())) == result.size();
        ::_exit(sent ? 0 : 3);
    }
    ::close(channel[1]);
    QByteArray result;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            result.append(buffer, got);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ::chmod(QFile::encodeName(folder).constData(), 0755); // so that the folder can be cleaned up

    const QString error = QString::fromUtf8(result.mid(1));
    QCOMPARE(result.left(1), QByteArray(written ? "1" : "0"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
             target == Target::Missing ? QStringList() : QStringList{QStringLiteral("page.htm")});
    if (target == Target::Missing)
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written ? (page + QStringLiteral("\r\n")).toUtf8() : old);
    if (!written) {
        QVERIFY(!error.isEmpty());
        QVERIFY2(error != QLatin1String("Unknown error"), qPrintable(error)); // the user is told why
    }
}

QTEST_APPLESS_MAIN(tst_PageBuilder)
#include "tst_pagebuilder.moc"
