// The sanitized build catches what it is there for: a process with a memory error, a leak or undefined
// behaviour stops at the first report and fails, under the options CTest gives every test (and so every
// process a test starts), while a process without any ends cleanly. Built with RANKWRIGHT_SANITIZE only.

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <climits>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// Run by the test itself, in a child: commits the named fault, then carries on and ends normally.
constexpr char FaultSwitch[] = "--fault";
constexpr char CarriedOn[] = "carried on after the fault";

// The faults go through this pointer, so that the compiler cannot see through them and leave them out.
void *volatile sink = nullptr;

__attribute__((noinline)) void keepLocalAddress()
{
    volatile int local = 1;
    sink = const_cast<int *>(&local);
}

__attribute__((noinline)) void dropBlock()
{
    sink = std::malloc(1337);
    sink = nullptr;
}

void commit(const QByteArray &fault)
{
    if (fault == "heap-buffer-overflow") {
        auto *block = new char[8]{};
        sink = block;
        [[maybe_unused]] volatile char past = static_cast<volatile char *>(sink)[8];
        delete[] block;
    } else if (fault == "heap-use-after-free") {
        sink = new char[8]{};
        delete[] static_cast<char *>(sink);
        [[maybe_unused]] volatile char freed = static_cast<volatile char *>(sink)[0];
    } else if (fault == "stack-use-after-return") {
        keepLocalAddress();
        [[maybe_unused]] volatile int gone = *static_cast<volatile int *>(sink);
    } else if (fault == "leak") {
        dropBlock();
    } else if (fault == "signed-integer-overflow") {
        volatile int largest = INT_MAX;
        [[maybe_unused]] volatile int beyond = largest + 1;
    } else if (fault == "wrong-downcast") {
        QObject object;
        sink = &object;
        [[maybe_unused]] volatile bool active =
            static_cast<QTimer *>(static_cast<QObject *>(sink))->isActive(); // not a QTimer
    }
    std::puts(CarriedOn);
    // Written now: a report at the end leaves without flushing.
    std::fflush(stdout);
}

} // namespace

class tst_Sanitizers : public QObject
{
    Q_OBJECT

private slots:
    void faultStopsTheProcess_data();
    void faultStopsTheProcess();
};

void tst_Sanitizers::faultStopsTheProcess_data()
{
    QTest::addColumn<QString>("fault");
    // What the report says; empty where there must be none.
    QTest::addColumn<QString>("report");
    // Whether the process stops at the fault itself, not only when it ends.
    QTest::addColumn<bool>("stopsAtOnce");

    QTest::newRow("reading past a heap block")
        << u"heap-buffer-overflow"_s << u"ERROR: AddressSanitizer: heap-buffer-overflow"_s << true;
    QTest::newRow("reading a freed block")
        << u"heap-use-after-free"_s << u"ERROR: AddressSanitizer: heap-use-after-free"_s << true;
    QTest::newRow("reading a local after its function returned")
        << u"stack-use-after-return"_s << u"ERROR: AddressSanitizer: stack-use-after-return"_s << true;
    QTest::newRow("a block nothing points to at the end")
        << u"leak"_s << u"ERROR: LeakSanitizer: detected memory leaks"_s << false;
    QTest::newRow("signed overflow") << u"signed-integer-overflow"_s << u"runtime error: signed integer overflow"_s
                                     << true;
    QTest::newRow("a QObject cast to a QTimer")
        << u"wrong-downcast"_s << u"runtime error: downcast of address"_s << true;
    QTest::newRow("no fault") << u"none"_s << QString() << false;
}

void tst_Sanitizers::faultStopsTheProcess()
{
    QFETCH(QString, fault);
    QFETCH(QString, report);
    QFETCH(bool, stopsAtOnce);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(FaultSwitch), fault});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        QFAIL("The child did not finish");
    }
    const QByteArray errors = child.readAllStandardError();
    const bool carriedOn = child.readAllStandardOutput().contains(CarriedOn);
    if (report.isEmpty()) {
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, errors.constData());
        QVERIFY2(!errors.contains("Sanitizer") && !errors.contains("runtime error"), errors.constData());
        QVERIFY(carriedOn);
        return;
    }
    QVERIFY2(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0, errors.constData());
    QVERIFY2(errors.contains(report.toUtf8()), errors.constData());
    QCOMPARE(carriedOn, !stopsAtOnce);
}

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], FaultSwitch) == 0) {
        commit(argv[2]);
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_Sanitizers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sanitizers.moc"
