#include "platform/filenames.h"
#include "platform/pagefile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// What stands at the name a page is saved under.
enum class Target { Missing, Writable, ReadOnly };

// The same, for the table over every kind of thing at the name.
enum class Kind { Absent, File, Link, Fifo, Socket, Device, Directory, LinkToFifo, DanglingLink, OthersFile };
enum class Folder { Writable, ReadOnly };
enum class Old { None, Shorter, Longer };

constexpr uid_t Nobody = 65534;
// A save that takes longer than this has hung: the watchdog ends it and the row fails.
constexpr int SaveTimeLimitMs = 10000;

const QByteArray ShorterOld = "the page saved yesterday";
const QByteArray LongerOld = QByteArray(10000, 'o') + "old tail";

struct SaveRun
{
    bool hung = false;
    bool exited = false; // the child ended of itself, with status 0
    bool saved = false;
    QString error;
};

// Saves `page` at `path` in a child process, as the user `writer` (when that is not who runs the
// test) and, with `sizeLimit`, with files limited to that size (a full disk that binds root too).
// A child that does not finish in time is killed: a hang fails the test instead of stalling it.
SaveRun saveInChild(const QString &path, const QString &page, uid_t writer, rlim_t sizeLimit = RLIM_INFINITY)
{
    SaveRun run;
    int channel[2];
    if (::pipe(channel) != 0)
        return run;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (writer != ::geteuid() && (::setgid(writer) != 0 || ::setuid(writer) != 0))
            ::_exit(2);
        if (sizeLimit != RLIM_INFINITY) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{sizeLimit, sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        QString error;
        const bool saved = writePageFile(path, page, &error);
        const QByteArray result = (saved ? "1" : "0") + error.toUtf8();
        const bool sent = ::write(channel[1], result.constData(), size_t(result.size())) == result.size();
        ::_exit(sent ? 0 : 3);
    }
    ::close(channel[1]);
    int status = 0;
    QElapsedTimer clock;
    clock.start();
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (clock.elapsed() > SaveTimeLimitMs) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ::close(channel[0]);
            run.hung = true;
            return run;
        }
        QTest::qSleep(10);
    }
    QByteArray result;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            result.append(buffer, got);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    run.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.saved = run.exited && result.startsWith('1');
    run.error = QString::fromUtf8(result.mid(1));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        run.error = u"the saving child ended with status %1"_s.arg(status);
    return run;
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Status
{
    mode_t mode = 0;
    uid_t owner = 0;
    bool operator==(const Status &) const = default;
};

Status statusOf(const QString &path)
{
    struct stat s = {};
    if (::lstat(QFile::encodeName(path).constData(), &s) != 0)
        return {};
    return {s.st_mode, s.st_uid};
}

// `bytes` with every byte beyond ASCII as the character that stands for it alone.
QString escaped(const char *bytes)
{
    QString text;
    for (const char *c = bytes; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        text.append(byte < 0x80 ? QChar(byte) : QChar(char16_t(0xDC00 + byte)));
    }
    return text;
}

char *toString(const Status &status)
{
    return qstrdup(qPrintable(u"mode %1 owner %2"_s.arg(status.mode, 0, 8).arg(status.owner)));
}

// A small ext2 file system, mounted for the test: ext2 has no fallocate.
class Ext2Mount
{
public:
    Ext2Mount() = default;
    ~Ext2Mount()
    {
        if (m_mounted) {
            QProcess::execute(m_fuse ? u"fusermount"_s : u"umount"_s,
                              m_fuse ? QStringList{u"-u"_s, mountPoint()} : QStringList{mountPoint()});
        }
    }
    Ext2Mount(const Ext2Mount &) = delete;
    Ext2Mount &operator=(const Ext2Mount &) = delete;

    // Makes and mounts the file system; returns why not on failure.
    QString mount()
    {
        if (!m_dir.isValid())
            return u"no temporary folder"_s;
        const QString image = m_dir.filePath(u"ext2.img"_s);
        QDir().mkdir(mountPoint());
        // Another user saves on it in the test.
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0711);
        QFile imageFile(image);
        if (!imageFile.open(QIODevice::WriteOnly) || !imageFile.resize(2 * 1024 * 1024))
            return u"cannot make the image file"_s;
        imageFile.close();
        QString mke2fs = QStandardPaths::findExecutable(u"mke2fs"_s);
        if (mke2fs.isEmpty())
            mke2fs = QStandardPaths::findExecutable(u"mke2fs"_s, {u"/usr/sbin"_s, u"/sbin"_s});
        if (mke2fs.isEmpty())
            return u"mke2fs is not installed (package e2fsprogs)"_s;
        QString output;
        if (!run(mke2fs, {u"-q"_s, u"-t"_s, u"ext2"_s, u"-m"_s, u"0"_s, u"-F"_s, image}, &output))
            return u"mke2fs failed: "_s + output;
        QString loopOutput;
        if (run(u"mount"_s, {u"-t"_s, u"ext2"_s, u"-o"_s, u"loop"_s, image, mountPoint()}, &loopOutput)) {
            m_mounted = true;
            return {};
        }
        QString fuseOutput;
        const QString fuse2fs = QStandardPaths::findExecutable(u"fuse2fs"_s);
        if (!fuse2fs.isEmpty() && run(fuse2fs, {image, mountPoint(), u"-o"_s, u"fakeroot"_s}, &fuseOutput)) {
            m_mounted = m_fuse = true;
            return {};
        }
        return u"a loop mount is not allowed here (%1) and fuse2fs %2"_s.arg(
            loopOutput.trimmed(), fuse2fs.isEmpty() ? u"is not installed"_s : u"failed: "_s + fuseOutput.trimmed());
    }

    QString mountPoint() const { return m_dir.filePath(u"mnt"_s); }

private:
    static bool run(const QString &program, const QStringList &arguments, QString *output)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ended = process.waitForFinished(30000);
        *output = QString::fromLocal8Bit(process.readAll());
        return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_fuse = false;
};

} // namespace

Q_DECLARE_METATYPE(Target)
Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Folder)
Q_DECLARE_METATYPE(Old)

class tst_PageFile : public QObject
{
    Q_OBJECT

private slots:
    void pageFileIsTextPlusLineEnd();
    void failedSaveLeavesExistingFile();
    void saveInReadOnlyFolder_data();
    void saveInReadOnlyFolder();
    void saveOverWhatIsThere_data();
    void saveOverWhatIsThere();
    void saveWithoutFallocate_data();
    void saveWithoutFallocate();
    void fileNamesKeepTheirBytes_data();
    void fileNamesKeepTheirBytes();
};

void tst_PageFile::pageFileIsTextPlusLineEnd()
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

void tst_PageFile::failedSaveLeavesExistingFile()
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

void tst_PageFile::saveInReadOnlyFolder_data()
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
void tst_PageFile::saveInReadOnlyFolder()
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
    const SaveRun run = saveInChild(path, page, writer, diskFull ? 1024 : RLIM_INFINITY);
    ::chmod(QFile::encodeName(folder).constData(), 0755); // so that the folder can be cleaned up, also after a failure
    QVERIFY(!run.hung);
    QVERIFY(run.exited);

    const QString error = run.error;
    QCOMPARE(run.saved, written);
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

void tst_PageFile::saveOverWhatIsThere_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Folder>("folder");
    QTest::addColumn<Old>("old");
    QTest::addColumn<bool>("written");

    const struct
    {
        Kind kind;
        const char *name;
        bool written;
        bool hasOld;
    } kinds[] = {
        {Kind::Absent, "nothing", true, false},
        {Kind::File, "a file of the user's", true, true},
        {Kind::Link, "a link to a file of the user's", true, true},
        {Kind::Fifo, "a named pipe", false, false},
        {Kind::Socket, "a socket", false, false},
        {Kind::Device, "a device", false, false},
        {Kind::Directory, "a folder", false, false},
        {Kind::LinkToFifo, "a link to a named pipe", false, false},
        {Kind::DanglingLink, "a link to nothing", false, false},
        {Kind::OthersFile, "another user's file", false, true},
    };
    for (const auto &kind : kinds) {
        for (const Folder folder : {Folder::Writable, Folder::ReadOnly}) {
            const char *folderName = folder == Folder::Writable ? "writable folder" : "read-only folder";
            // Nothing new can be made in a folder the user may not add files to.
            const bool written = kind.written && !(kind.kind == Kind::Absent && folder == Folder::ReadOnly);
            if (!kind.hasOld) {
                QTest::addRow("%s, %s", kind.name, folderName) << kind.kind << folder << Old::None << written;
                continue;
            }
            for (const Old old : {Old::Shorter, Old::Longer}) {
                QTest::addRow("%s, %s, old file %s than the page", kind.name, folderName,
                              old == Old::Shorter ? "shorter" : "longer")
                    << kind.kind << folder << old << written;
            }
        }
    }
}

// Every kind of thing at the save name, in a folder the user may or may not add files to, over an old
// file shorter or longer than the page: the exact bytes afterwards, and whether the save says it saved.
// As root, which no permission stops, the read-only folder is saved into by the user "nobody".
void tst_PageFile::saveOverWhatIsThere()
{
    QFETCH(Kind, kind);
    QFETCH(Folder, folder);
    QFETCH(Old, old);
    QFETCH(bool, written);

    const bool root = ::geteuid() == 0;
    if (kind == Kind::OthersFile && !root)
        QFAIL("Giving a file to another user needs root: run the tests as root, as CI does");
    if (kind == Kind::Device && !root)
        QFAIL("Making a device needs root: run the tests as root, as CI does");
    const uid_t writer = root && folder == Folder::ReadOnly ? Nobody : ::geteuid();
    const uid_t otherUser = writer == 0 ? Nobody : 0;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
    const QString pages = dir.filePath(u"pages"_s);
    QVERIFY(QDir().mkdir(pages));
    const QString path = pages + u"/page.htm"_s;
    const QByteArray name = QFile::encodeName(path);
    const QString linked = pages + u"/linked.htm"_s;
    const QByteArray oldBytes = old == Old::Longer ? LongerOld : ShorterOld;

    auto giveTo = [](const QString &file, uid_t owner, mode_t mode) {
        const QByteArray fileName = QFile::encodeName(file);
        return ::chown(fileName.constData(), owner, owner) == 0 && ::chmod(fileName.constData(), mode) == 0;
    };
    int socketFd = -1;
    switch (kind) {
    case Kind::Absent:
        break;
    case Kind::File:
        QVERIFY(writeBytes(path, oldBytes));
        QVERIFY(giveTo(path, writer, 0640));
        break;
    case Kind::Link:
        QVERIFY(writeBytes(linked, oldBytes));
        QVERIFY(giveTo(linked, writer, 0640));
        QVERIFY(QFile::link(u"linked.htm"_s, path));
        break;
    case Kind::Fifo:
        // Open to everyone, whatever the umask: only its kind keeps it from being written.
        QCOMPARE(::mkfifo(name.constData(), 0666), 0);
        QCOMPARE(::chmod(name.constData(), 0666), 0);
        break;
    case Kind::Socket: {
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(name.size()) < sizeof address.sun_path);
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::chmod(name.constData(), 0666);
        break;
    }
    case Kind::Device:
        // The null device, open to everyone: writing it would lose the page without a word.
        QCOMPARE(::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        QCOMPARE(::chmod(name.constData(), 0666), 0);
        break;
    case Kind::Directory:
        QVERIFY(QDir().mkpath(path));
        QVERIFY(writeBytes(path + u"/kept.txt"_s, "kept"));
        break;
    case Kind::LinkToFifo:
        QCOMPARE(::mkfifo(QFile::encodeName(linked).constData(), 0666), 0);
        QCOMPARE(::chmod(QFile::encodeName(linked).constData(), 0666), 0);
        QVERIFY(QFile::link(u"linked.htm"_s, path));
        break;
    case Kind::DanglingLink:
        QVERIFY(QFile::link(u"nothing here.htm"_s, path));
        break;
    case Kind::OthersFile:
        QVERIFY(writeBytes(path, oldBytes));
        // Open to everyone: only its owner keeps it from being written.
        QVERIFY(giveTo(path, otherUser, 0666));
        break;
    }
    const mode_t folderMode = folder == Folder::Writable ? 0777 : 0555;
    QVERIFY(giveTo(pages, writer == 0 ? 0 : (folder == Folder::Writable ? writer : 0), folderMode));

    const QString target = kind == Kind::Link ? linked : path;
    const Status before = statusOf(target);
    const QStringList entriesBefore =
        QDir(pages).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    const QString page(4096, u'x');

    const SaveRun run = saveInChild(path, page, writer);
    if (socketFd >= 0)
        ::close(socketFd);
    ::chmod(QFile::encodeName(pages).constData(), 0755); // so that the folder can be cleaned up
    QVERIFY2(!run.hung, "The save hung; the watchdog ended it");
    QVERIFY2(run.saved == written, qPrintable(run.error));
    if (!written)
        QVERIFY2(!run.error.isEmpty() && run.error != u"Unknown error"_s,
                 qPrintable(run.error)); // the user is told why

    // Nothing but the page's own file comes or goes: no temporary file is left behind.
    QStringList expectedEntries = entriesBefore;
    if (kind == Kind::Absent && written)
        expectedEntries = QStringList{u"page.htm"_s};
    QCOMPARE(QDir(pages).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             expectedEntries);

    if (written) {
        QCOMPARE(readBytes(target), (page + u"\r\n"_s).toUtf8());
        if (kind != Kind::Absent) {
            // Replaced, not changed in kind: the link stays a link, the file keeps its mode.
            QCOMPARE(statusOf(target).mode, before.mode);
            QCOMPARE(statusOf(path).mode & S_IFMT, kind == Kind::Link ? mode_t(S_IFLNK) : mode_t(S_IFREG));
        }
        return;
    }
    // Refused: what was there is there as it was, owner, mode and content.
    QCOMPARE(statusOf(target), before);
    if (kind == Kind::File || kind == Kind::OthersFile)
        QCOMPARE(readBytes(target), oldBytes);
    if (kind == Kind::Directory)
        QCOMPARE(readBytes(path + u"/kept.txt"_s), QByteArray("kept"));
}

void tst_PageFile::saveWithoutFallocate_data()
{
    QTest::addColumn<qsizetype>("oldSize");
    QTest::addColumn<qsizetype>("pageSize");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<bool>("written");

    QTest::newRow("old file shorter, room enough: rewritten") << qsizetype(24) << qsizetype(100000) << false << true;
    QTest::newRow("old file longer: rewritten and cut to the page")
        << qsizetype(300000) << qsizetype(4096) << false << true;
    QTest::newRow("old file shorter, disk full: old bytes kept") << qsizetype(24) << qsizetype(100000) << true << false;
}

// The in-place rewrite on a file system that cannot reserve room (ext2): it still saves, ends the file
// at the page's end, and keeps the old bytes when the disk has no room for the new ones.
void tst_PageFile::saveWithoutFallocate()
{
    QFETCH(qsizetype, oldSize);
    QFETCH(qsizetype, pageSize);
    QFETCH(bool, diskFull);
    QFETCH(bool, written);

    Ext2Mount ext2;
    const QString notMounted = ext2.mount();
    QVERIFY2(notMounted.isEmpty(), qPrintable(u"No ext2 file system could be mounted: "_s + notMounted));
    const QString mnt = ext2.mountPoint();
    {
        // The row is about a file system without fallocate: make sure this is one.
        QFile check(mnt + u"/fallocate-check"_s);
        QVERIFY(check.open(QIODevice::WriteOnly));
        const int result = ::fallocate(check.handle(), FALLOC_FL_KEEP_SIZE, 0, 4096);
        const int error = errno;
        check.close();
        check.remove();
        QVERIFY2(result != 0 && error == EOPNOTSUPP,
                 "The mounted file system supports fallocate (fuse2fs does), so it cannot show a save without it");
    }

    const bool root = ::geteuid() == 0;
    const uid_t writer = root ? Nobody : ::geteuid();
    const QString pages = mnt + u"/pages"_s;
    QVERIFY(QDir().mkdir(pages));
    const QString path = pages + u"/page.htm"_s;
    const QByteArray oldBytes = QByteArray(oldSize - 8, 'o') + "old tail";
    QVERIFY(writeBytes(path, oldBytes));
    QCOMPARE(::chown(QFile::encodeName(path).constData(), writer, writer), 0);
    if (diskFull) {
        // Every free block taken by a file of root's.
        QFile filler(mnt + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    // A folder the writer may not add files to: the page is written in place.
    QCOMPARE(::chmod(QFile::encodeName(pages).constData(), root ? 0755 : 0555), 0);

    const QString page(pageSize - 2, u'p');
    const SaveRun run = saveInChild(path, page, writer);
    ::chmod(QFile::encodeName(pages).constData(), 0755);
    QVERIFY2(!run.hung, "The save hung; the watchdog ended it");
    QVERIFY2(run.saved == written, qPrintable(run.error));
    QCOMPARE(readBytes(path), written ? (page + u"\r\n"_s).toUtf8() : oldBytes);
    QCOMPARE(QDir(pages).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{u"page.htm"_s});
}

void tst_PageFile::fileNamesKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ASCII") << QByteArray("/home/user/.local/share") << u"/home/user/.local/share"_s;
    QTest::newRow("UTF-8 read as Qt reads it")
        << QByteArray("/tmp/caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80") << u"/tmp/caf\u00e9 \u20ac \U0001F600"_s;
    QTest::newRow("Latin-1 byte kept as itself") << QByteArray("/tmp/caf\xe9") << escaped("/tmp/caf\xe9");
    QTest::newRow("cut-off and overlong sequences kept byte for byte")
        << QByteArray("/a\xe2\x82/b\xc0\xaf") << escaped("/a\xe2\x82/b\xc0\xaf");
    QTest::newRow("encoded surrogate kept byte for byte") << QByteArray("\xed\xa0\x80") << escaped("\xed\xa0\x80");
}

void tst_PageFile::fileNamesKeepTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(fileNameFromBytes(bytes), text);
    QCOMPARE(fileNameToBytes(text), bytes);
    // Where Qt can read a name, it reads it the same.
    if (QString::fromUtf8(bytes).toUtf8() == bytes)
        QCOMPARE(fileNameFromBytes(bytes), QFile::decodeName(bytes));
}

QTEST_APPLESS_MAIN(tst_PageFile)
#include "tst_pagefile.moc"
