// An install killed at any moment (SIGKILL: nothing of the program runs afterwards) leaves the
// game folder, once the installer has started again, either as it was or with the whole
// package, and nothing of the run anywhere.

#include "apppaths.h"
#include "installrecovery.h"
#include "startup.h"
#include "testfiles.h"
#include "unpacktransaction.h"
#include "zerun.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString gamePath = "drive_c/Program Files (x86)/GDS/TEW2016/";

int copyTree(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    return QProcess::execute("cp", {"-a", from, to});
}

} // namespace

class TestInstallKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedInstallIsFinishedOrUndone_data();
    void killedInstallIsFinishedOrUndone();

private:
    // Starts the installer again the way a player does: the window's initialise().
    void startAgain();
    qint64 runToTheEnd(const QString &target, QMap<QString, QByteArray> *after);

    QTemporaryDir box;
    QString game;
    QString archive;
    QString program;
};

void TestInstallKill::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    program = QString(ZERUN_BIN_DIR) + "/zerun-test-install";
    QVERIFY(QFileInfo(program).isExecutable());
    game = box.filePath("prefix/" + gamePath);
    TestFiles::write(game + "TEW2016.exe", "MZ");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
    qputenv("WINEPREFIX", box.filePath("prefix").toUtf8());
    // Nothing answers here: the catalogue fetch fails quietly.
    qputenv("ZERUN_CATALOGUE_HOST", "http://127.0.0.1:9");

    // 3,000 files, 300 of which replace files of an existing mod folder.
    archive = box.filePath("bigmod.zip");
    const char *script = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(3000):
        z.writestr("data/part%02d/file%04d.txt" % (i % 30, i), ("new %d " % i).encode() * (40 + i % 50))
)PY";
    QCOMPARE(QProcess::execute("python3", {"-c", script, archive}), 0);
}

void TestInstallKill::startAgain()
{
    Zerun window;
    QVERIFY(window.initialise());
}

qint64 TestInstallKill::runToTheEnd(const QString &target, QMap<QString, QByteArray> *after)
{
    QElapsedTimer clock;
    clock.start();
    QProcess install;
    install.start(program, {archive, target});
    install.waitForFinished(120000);
    const qint64 took = clock.elapsed();
    if (install.exitCode() == 0 && after)
        *after = TestFiles::tree(game);
    return install.exitCode() == 0 ? took : -1;
}

void TestInstallKill::killedInstallIsFinishedOrUndone_data()
{
    QTest::addColumn<bool>("existing");
    QTest::newRow("update of an existing folder") << true;
    QTest::newRow("new folder") << false;
}

void TestInstallKill::killedInstallIsFinishedOrUndone()
{
    QFETCH(bool, existing);
    const QString target = game + "Databases/BigMod";
    QDir(target).removeRecursively();
    if (existing) {
        for (int i = 0; i < 3000; i += 10)
            TestFiles::write(target + QString("/data/part%1/file%2.txt")
                                          .arg(i % 30, 2, 10, QChar('0'))
                                          .arg(i, 4, 10, QChar('0')),
                             "the player's edit " + QByteArray::number(i));
        TestFiles::write(target + "/notes.txt", "the player's own");
        TestFiles::write(target + "/SaveGames/save1.sav", "a save");
    }
    const QString pristine = box.filePath("pristine");
    QVERIFY(QDir().mkpath(game + "Databases"));
    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    if (existing)
        QCOMPARE(copyTree(target, pristine), 0);
    const auto reset = [&] {
        QDir(target).removeRecursively();
        if (existing)
            QCOMPARE(copyTree(pristine, target), 0);
    };

    QMap<QString, QByteArray> after;
    const qint64 whole = runToTheEnd(target, &after);
    QVERIFY(whole > 0);
    QVERIFY(after != before);

    // Kill points spread over the run, and one the moment the journal says files are moving.
    QList<qint64> delays;
    for (const int percent : {5, 20, 40, 60, 75, 90, 98})
        delays << whole * percent / 100;
    delays << -1;
    int sawOld = 0;
    int sawNew = 0;
    for (const qint64 delay : qAsConst(delays)) {
        reset();
        QCOMPARE(TestFiles::tree(game), before);
        QProcess install;
        install.start(program, {archive, target});
        QVERIFY(install.waitForStarted());
        if (delay >= 0) {
            QTest::qWait(int(delay));
        } else {
            QElapsedTimer waited;
            waited.start();
            bool moving = false;
            while (!moving && waited.elapsed() < 60000 && install.state() == QProcess::Running) {
                const QStringList journals =
                    QDir(InstallRecovery::journalFolder()).entryList(QDir::Files);
                for (const QString &name : journals)
                    moving |= TestFiles::read(InstallRecovery::journalFolder() + "/" + name)
                                  .contains("\"committing\"");
                if (!moving)
                    QThread::usleep(200);
            }
        }
        install.kill();
        install.waitForFinished();

        startAgain();
        const QMap<QString, QByteArray> now = TestFiles::tree(game);
        QVERIFY2(now == before || now == after,
                 qPrintable(QString("after a kill at %1 ms the tree is neither").arg(delay)));
        sawOld += now == before ? 1 : 0;
        sawNew += now == after ? 1 : 0;
        QCOMPARE(QDir(InstallRecovery::journalFolder()).entryList(QDir::Files), QStringList());
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            QVERIFY2(!it.key().contains(UnpackTransaction::workPrefix()), qPrintable(it.key()));
    }
    qInfo("kills that left the old tree: %d, the whole new one: %d", sawOld, sawNew);
}

QTEST_MAIN(TestInstallKill)
#include "tst_installkill.moc"
