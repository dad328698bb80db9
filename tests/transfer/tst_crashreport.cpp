// Real crashes of a small program that installs the crash handler: the minidump must be readable
// by the dump reader, and the report archive must hold its entries in order, encrypted with the
// fixed password. Also the report builder on its own, on real files.
#include "apppaths.h"
#include "startup.h"
#include "tsbreakpad.h"
#include "tslogging.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    QProcess::ExitStatus status = QProcess::NormalExit;
    bool finished = false;
};

QString crasher()
{
    return QStringLiteral(ZERUN_BIN_DIR "/zerun-test-crasher");
}

QString stackwalk()
{
    return QStringLiteral(BREAKPAD_TOOLS_DIR "/minidump_stackwalk");
}

// Runs a tool to its end and returns its standard output (empty on failure).
QByteArray output(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return QByteArray();
    if (exitCode)
        *exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString &folder, const QString &filter)
{
    return QDir(folder).entryList({filter}, QDir::Files, QDir::Name);
}

} // namespace

class TestCrashReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void crash_data();
    void crash();
    void twoRunsTwoArchives();
    void missingHelperStillEnds();
    void stuckHelperStillEnds();
    void reportWithoutLogOrWindow();
    void missingDumpGivesNoArchive();
    void reinstallReplacesHandler();

private:
    Run runCrasher(const QString &mode, bool display);
};

void TestCrashReport::initTestCase()
{
    if (!QFile::exists(stackwalk()))
        QSKIP("dump reader missing: run scripts/fetch-breakpad.sh");
    QVERIFY(QFile::exists(crashReportHelperPath()));
}

void TestCrashReport::init()
{
    QDir(AppPaths::logsFolder()).removeRecursively();
    QDir().mkpath(AppPaths::logsFolder());
}

Run TestCrashReport::runCrasher(const QString &mode, bool display)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (display) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        process.setProgram(QStringLiteral("xvfb-run"));
        process.setArguments({QStringLiteral("-a"), crasher(), mode});
    } else {
        process.setProgram(crasher());
        process.setArguments({mode});
    }
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
    Run run;
    // Never hangs: the dump, the report helper and the end of the process in well under this.
    run.finished = process.waitForFinished(120000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.status = process.exitStatus();
    if (display && run.finished && process.exitCode() != 0)
        run.status = QProcess::CrashExit; // the wrapper passes the crash on as its exit code
    return run;
}

void TestCrashReport::crash_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("display");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("workerThread");

    QTest::newRow("segv on GUI thread") << "segv-gui" << false << "SIGSEGV" << false;
    QTest::newRow("segv on worker thread") << "segv-worker" << false << "SIGSEGV" << true;
    QTest::newRow("abort") << "abort" << false << "SIGABRT" << false;
    QTest::newRow("log written before") << "log-first" << false << "SIGSEGV" << false;
    QTest::newRow("allocator busy on other threads") << "busy-heap" << false << "SIGSEGV" << false;
    QTest::newRow("two workers at once") << "two-workers" << false << "SIGSEGV" << true;
    if (!QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()) {
        QTest::newRow("segv on GUI thread, real display")
            << "segv-gui" << true << "SIGSEGV" << false;
        QTest::newRow("segv on worker thread, real display")
            << "segv-worker" << true << "SIGSEGV" << true;
    }
}

void TestCrashReport::crash()
{
    QFETCH(QString, mode);
    QFETCH(bool, display);
    QFETCH(QString, reason);
    QFETCH(bool, workerThread);

    const Run run = runCrasher(mode, display);
    QVERIFY2(run.finished, "the crashed program did not end");
    QCOMPARE(run.status, QProcess::CrashExit);

    const QString logs = AppPaths::logsFolder();
    const QStringList dumps = filesIn(logs, QStringLiteral("*.dmp"));
    QCOMPARE(dumps.size(), 1);
    const QString id = QFileInfo(dumps.first()).baseName();
    QCOMPARE(filesIn(logs, QStringLiteral("*.zip")), QStringList(id + QStringLiteral(".zip")));

    // The dump reader understands the dump and names the crash and the crashed thread.
    const QString walk = QString::fromUtf8(output(stackwalk(), {logs + '/' + dumps.first()}));
    QVERIFY2(walk.contains(QStringLiteral("Crash reason:  ") + reason), qPrintable(walk));
    const QRegularExpressionMatch crashed =
        QRegularExpression(QStringLiteral("Thread (\\d+) \\(crashed\\)")).match(walk);
    QVERIFY(crashed.hasMatch());
    QCOMPARE(crashed.captured(1) != QLatin1String("0"), workerThread);

    // Entries in order; the screenshot only when a real display could be captured.
    const QString archive = logs + '/' + id + QStringLiteral(".zip");
    const QStringList entries =
        QString::fromUtf8(output(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}))
            .split('\n', Qt::SkipEmptyParts);
    const QString log = QFileInfo(AppPaths::dailyLogFile()).fileName();
    QStringList expected{log};
    if (display) {
        QCOMPARE(entries.size(), 4);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d{6}\\.png$"))
                     .match(entries.value(1))
                     .hasMatch(),
                 qPrintable(entries.join(' ')));
        expected << entries.value(1);
    }
    expected << QStringLiteral("summary.dat") << id + QStringLiteral(".dmp");
    QCOMPARE(entries, expected);

    // Only the fixed password opens it.
    QTemporaryDir out;
    int code = -1;
    output(QStringLiteral("unzip"),
           {QStringLiteral("-P"), QStringLiteral("wrong"), QStringLiteral("-o"), archive,
            QStringLiteral("-d"), out.path()},
           &code);
    QVERIFY(code != 0);
    output(QStringLiteral("unzip"),
           {QStringLiteral("-P"), QStringLiteral("kestrino"), QStringLiteral("-o"), archive,
            QStringLiteral("-d"), out.path()},
           &code);
    QCOMPARE(code, 0);

    const QByteArray summary = readAll(out.filePath(QStringLiteral("summary.dat")));
    QVERIFY2(summary.startsWith("Crash Dump attached. Crash occured at "), summary.constData());
    QVERIFY(summary.endsWith('.'));
    QVERIFY(!summary.contains('\n'));
    QCOMPARE(readAll(out.filePath(id + QStringLiteral(".dmp"))),
             readAll(logs + '/' + id + QStringLiteral(".dmp")));
    const QByteArray logText = readAll(out.filePath(log));
    QVERIFY(logText.endsWith(" | " + summary + " \n\n"));
    QCOMPARE(logText.contains(" | before the crash \n\n"), mode == QLatin1String("log-first"));
    if (display)
        QVERIFY(!QImage(out.filePath(entries.value(1))).isNull());
}

void TestCrashReport::twoRunsTwoArchives()
{
    QVERIFY(runCrasher(QStringLiteral("segv-gui"), false).finished);
    QVERIFY(runCrasher(QStringLiteral("abort"), false).finished);
    const QStringList dumps = filesIn(AppPaths::logsFolder(), QStringLiteral("*.dmp"));
    QCOMPARE(dumps.size(), 2);
    QStringList archives;
    for (const QString &dump : dumps)
        archives << QFileInfo(dump).baseName() + QStringLiteral(".zip");
    QCOMPARE(filesIn(AppPaths::logsFolder(), QStringLiteral("*.zip")), archives);
}

void TestCrashReport::missingHelperStillEnds()
{
    // A copy of the program in a folder without the report helper: the dump is still written
    // and the process still ends, only the report is missing.
    QTemporaryDir lonely;
    const QString copy = lonely.filePath(QStringLiteral("crasher"));
    QVERIFY(QFile::copy(crasher(), copy));
    QProcess process;
    process.start(copy, {QStringLiteral("segv-gui")});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QCOMPARE(filesIn(AppPaths::logsFolder(), QStringLiteral("*.dmp")).size(), 1);
    QVERIFY(filesIn(AppPaths::logsFolder(), QStringLiteral("*.zip")).isEmpty());
    // Why the report is missing is in the day's log.
    QVERIFY(readAll(AppPaths::dailyLogFile())
                .contains(" | Crash report not written: the report helper could not be started "
                          "\n\n"));
}

void TestCrashReport::stuckHelperStillEnds()
{
    // A helper that never returns: the crashed process stops waiting for it and ends.
    QTemporaryDir stuck;
    const QString copy = stuck.filePath(QStringLiteral("crasher"));
    QVERIFY(QFile::copy(crasher(), copy));
    QFile helper(stuck.filePath(QStringLiteral("zerun-crash-report")));
    QVERIFY(helper.open(QIODevice::WriteOnly));
    helper.write("#!/bin/sh\nexec sleep 600\n");
    helper.close();
    QVERIFY(helper.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZERUN_CRASH_REPORT_TIMEOUT_MS"), QStringLiteral("2000"));
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(copy, {QStringLiteral("segv-worker")});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QVERIFY(timer.elapsed() >= 2000);
    QCOMPARE(filesIn(AppPaths::logsFolder(), QStringLiteral("*.dmp")).size(), 1);
    QVERIFY(filesIn(AppPaths::logsFolder(), QStringLiteral("*.zip")).isEmpty());
    const QByteArray log = readAll(AppPaths::dailyLogFile());
    QVERIFY2(
        QRegularExpression(
            QStringLiteral("^\\d\\d-\\d\\d-\\d\\d@\\d\\d:\\d\\d:\\d\\d:\\d{3} \\| Crash report "
                           "not written: the report helper did not finish within 2000 ms \n\n$"))
            .match(QString::fromUtf8(log))
            .hasMatch(),
        log.constData());
}

void TestCrashReport::reportWithoutLogOrWindow()
{
    const QString logs = AppPaths::logsFolder();
    const QString dump = logs + QStringLiteral("/0a1b2c3d-0000-0000-0000-000000000001.dmp");
    {
        QFile file(dump);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("MDMP not really");
    }
    QVERIFY(!QFile::exists(AppPaths::dailyLogFile()));
    QFile dumpFile(dump);
    QVERIFY(writeCrashReport(&dumpFile, nullptr));
    const QString archive = logs + QStringLiteral("/0a1b2c3d-0000-0000-0000-000000000001.zip");
    const QStringList entries =
        QString::fromUtf8(output(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}))
            .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(entries, QStringList({QFileInfo(AppPaths::dailyLogFile()).fileName(),
                                   QStringLiteral("summary.dat"),
                                   QStringLiteral("0a1b2c3d-0000-0000-0000-000000000001.dmp")}));
}

void TestCrashReport::missingDumpGivesNoArchive()
{
    QFile dumpFile(AppPaths::logsFolder() + QStringLiteral("/gone.dmp"));
    QVERIFY(!writeCrashReport(&dumpFile, nullptr));
    QVERIFY(!QFile::exists(AppPaths::logsFolder() + QStringLiteral("/gone.zip")));
    // What could be written stays.
    QVERIFY(QFile::exists(AppPaths::logsFolder() + QStringLiteral("/summary.dat")));
}

void TestCrashReport::reinstallReplacesHandler()
{
    // Two installations in a row leave one working handler behind; removing it restores the
    // toolkit's behaviour. Nothing crashes here: this only exercises the replacement.
    QTemporaryDir first;
    QTemporaryDir second;
    installCrashHandler(first.path(), writeCrashReport, this);
    installCrashHandler(second.path(), writeCrashReport, this);
    removeCrashHandler();
    QVERIFY(QDir(first.path()).isEmpty());
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    QCoreApplication app(argc, argv);
    AppPaths::createFolders();
    TestCrashReport test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashreport.moc"
