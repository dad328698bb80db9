// The installed program, as `cmake --install` lays it out, crashes and leaves its report: the
// crash helper must sit beside the executable in the install tree, not only in the build tree.
#include "apppaths.h"
#include "startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

QString installedProgram()
{
    return QStringLiteral(ZERUN_INSTALL_PREFIX "/bin/zerun-installer");
}

QStringList filesIn(const QString &folder, const QString &filter)
{
    return QDir(folder).entryList({filter}, QDir::Files, QDir::Name);
}

QStringList zipEntries(const QString &archive)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    if (!unzip.waitForFinished(60000))
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestInstalledCrash : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void installedTreeHasTheHelper();
    void crashLeavesReport_data();
    void crashLeavesReport();

private:
    QTemporaryDir noGame;
};

void TestInstalledCrash::init()
{
    QDir(AppPaths::logsFolder()).removeRecursively();
}

void TestInstalledCrash::installedTreeHasTheHelper()
{
    const QFileInfo helper(QStringLiteral(ZERUN_INSTALL_PREFIX "/bin/zerun-crash-report"));
    QVERIFY(helper.exists());
    QVERIFY(helper.isExecutable());
    QVERIFY(QFileInfo(installedProgram()).isExecutable());
}

void TestInstalledCrash::crashLeavesReport_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QString>("reason");
    QTest::newRow("segmentation fault") << int(SIGSEGV) << "SIGSEGV";
    QTest::newRow("abort") << int(SIGABRT) << "SIGABRT";
}

void TestInstalledCrash::crashLeavesReport()
{
    QFETCH(int, signalNumber);

    // Without a game folder the program waits on its first-start page: a steady state to crash in.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), noGame.path());
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QFileInfo(installedProgram()).absolutePath());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(installedProgram(), QStringList());
    QVERIFY(program.waitForStarted());

    // The crash handler is installed right after the folder tree; the tree is there once the
    // logs folder is, and by the time the page is up the handler has long been installed.
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(AppPaths::logsFolder()) && clock.elapsed() < 30000 &&
           program.state() == QProcess::Running)
        QTest::qWait(50);
    QVERIFY(QFileInfo::exists(AppPaths::logsFolder()));
    QTest::qWait(1500);
    QCOMPARE(program.state(), QProcess::Running);

    QCOMPARE(::kill(static_cast<pid_t>(program.processId()), signalNumber), 0);
    QVERIFY(program.waitForFinished(120000));
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);

    const QString logs = AppPaths::logsFolder();
    const QStringList dumps = filesIn(logs, QStringLiteral("*.dmp"));
    QCOMPARE(dumps.size(), 1);
    const QString id = QFileInfo(dumps.first()).baseName();
    const QString archive = logs + QLatin1Char('/') + id + QStringLiteral(".zip");
    QCOMPARE(filesIn(logs, QStringLiteral("*.zip")), QStringList(id + QStringLiteral(".zip")));
    QCOMPARE(zipEntries(archive),
             QStringList({QFileInfo(AppPaths::dailyLogFile()).fileName(),
                          QStringLiteral("summary.dat"), id + QStringLiteral(".dmp")}));
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    QCoreApplication app(argc, argv);
    TestInstalledCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_installedcrash.moc"
