// An install killed (SIGKILL) while it commits, finished by the recovery at the next start, and
// then uninstalled leaves the game folder byte for byte as it was before the install: every
// folder the install made goes, and every file of the folder's own comes back.

#include "apppaths.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "startup.h"
#include "testfiles.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int copyTree(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    return QProcess::execute("cp", {"-a", from, to});
}

void clearRecords()
{
    const QFileInfo store(InstalledPackages::defaultPath());
    for (const QString &name : QDir(store.path()).entryList({store.fileName() + "*"}, QDir::Files))
        QFile::remove(store.path() + "/" + name);
    QDir(InstallRecovery::journalFolder()).removeRecursively();
    // The game folder is made afresh by each run: whichever copy is there first keeps the
    // records the test program writes.
    QFile::remove(GameRecords::indexPath());
    QDir(GameRecords::databaseFolder()).removeRecursively();
}

QStringList journals()
{
    return QDir(InstallRecovery::journalFolder())
        .entryList({"*.journal", "*.removal"}, QDir::Files);
}

} // namespace

class TestOwnersKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedAtCommitThenUninstalled_data();
    void killedAtCommitThenUninstalled();
    void staleJournalWaitsBesideANewFolder_data();
    void staleJournalWaitsBesideANewFolder();
    void killedUninstallPutsTheFolderBack();

private:
    // Starts the program and kills it once a journal names `phase`; whether the kill landed
    // before the run ended. Tried again when the run was quicker.
    bool killAt(const QStringList &arguments, const QByteArray &phase, const QString &pristine);
    void freshGame();

    QTemporaryDir box;
    QString game;
    QString program;
    QString archive;
    QString update;
};

void TestOwnersKill::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    program = QString(ZERUN_BIN_DIR) + "/zerun-test-install";
    QVERIFY(QFileInfo(program).isExecutable());
    game = box.filePath("game/");
    // 2,400 files in 44 folders: 4 at the top, 10 below each.
    archive = box.filePath("bigmod.zip");
    const char *script = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_STORED) as z:
    z.writestr("readme.txt", b"the package's readme")
    for i in range(2400):
        z.writestr("part%d/sub%02d/file%04d.txt" % (i % 4, (i // 4) % 10, i), b"package bytes %d" % i)
)PY";
    QCOMPARE(QProcess::execute("python3", {"-c", script, archive}), 0);
    update = box.filePath("bigmod2.zip");
    const char *second = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_STORED) as z:
    for i in range(100, 2500):
        z.writestr("part%d/sub%02d/file%04d.txt" % (i % 4, (i // 4) % 10, i), b"version 2 %d" % i)
)PY";
    QCOMPARE(QProcess::execute("python3", {"-c", second, update}), 0);
}

void TestOwnersKill::freshGame()
{
    QDir(game).removeRecursively();
    TestFiles::write(game + "TEW2016.exe", "MZ");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
}

bool TestOwnersKill::killAt(const QStringList &arguments, const QByteArray &phase,
                            const QString &pristine)
{
    const QString records = box.filePath("pristine-records");
    const QFileInfo store(InstalledPackages::defaultPath());
    QDir(records).removeRecursively();
    QDir().mkpath(records);
    for (const QString &name : QDir(store.path()).entryList({store.fileName() + "*"}, QDir::Files))
        QFile::copy(store.path() + "/" + name, records + "/" + name);
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (copyTree(pristine, game) != 0)
            return false;
        clearRecords();
        QDir().mkpath(store.path());
        for (const QString &name : QDir(records).entryList(QDir::Files))
            QFile::copy(records + "/" + name, store.path() + "/" + name);
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForStarted())
            return false;
        QElapsedTimer waited;
        waited.start();
        bool reached = false;
        while (!reached && waited.elapsed() < 60000 && process.state() == QProcess::Running) {
            for (const QString &name : journals())
                reached |=
                    TestFiles::read(InstallRecovery::journalFolder() + "/" + name).contains(phase);
        }
        process.kill();
        process.waitForFinished();
        if (reached && !journals().isEmpty())
            return true;
    }
    return false;
}

void TestOwnersKill::killedAtCommitThenUninstalled_data()
{
    QTest::addColumn<QByteArray>("phase");
    QTest::addColumn<bool>("existing");
    QTest::newRow("new folder, moving into place") << QByteArray("\"committing\"") << false;
    QTest::newRow("new folder, in place") << QByteArray("\"committed\"") << false;
    QTest::newRow("folder with the game's files, moving into place")
        << QByteArray("\"committing\"") << true;
    QTest::newRow("folder with the game's files, in place") << QByteArray("\"committed\"") << true;
}

void TestOwnersKill::killedAtCommitThenUninstalled()
{
    QFETCH(QByteArray, phase);
    QFETCH(bool, existing);
    const QString target = game + "Databases/BigMod";
    freshGame();
    clearRecords();
    if (existing) {
        // Files no package installed; the archive replaces two of them.
        TestFiles::write(target + "/readme.txt", "the game's readme");
        TestFiles::write(target + "/part1/sub00/file0001.txt", "the game's file");
        TestFiles::write(target + "/part2/notes.txt", "left alone");
    }
    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    const QString pristine = box.filePath("pristine");
    QCOMPARE(copyTree(game, pristine), 0);

    QVERIFY2(killAt({"install", archive, game, target, "Big Mod", "package"}, phase, pristine),
             "no kill landed while the journal named the phase");

    // The next start finishes the install, with its record.
    {
        InstalledPackages records;
        QVERIFY(records.load());
        InstallRecovery::recoverAll(records);
        QCOMPARE(journals(), QStringList());
        const InstalledPackage *record = records.find("Big Mod", "mods");
        QVERIFY(record);
        // Every folder the install made is the package's.
        QStringList made;
        const QMap<QString, QByteArray> now = TestFiles::tree(game);
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (it.key().endsWith('/') && !before.contains(it.key()) &&
                !it.key().contains(".zerun-originals"))
                made << it.key().chopped(1);
        }
        QStringList recorded = record->createdFolders;
        made.sort();
        recorded.sort();
        QCOMPARE(recorded, made);
        QCOMPARE(made.size(), existing ? 41 : 45);
    }

    QProcess uninstall;
    uninstall.start(program, {"uninstall", game, "Big Mod"});
    QVERIFY(uninstall.waitForFinished(60000));
    QCOMPARE(uninstall.exitCode(), 0);
    QCOMPARE(TestFiles::tree(game), before);
}

// A change killed half-way (an update while it commits, an uninstall while it removes), its
// folder renamed away and the package installed again into a new folder of the same name: the
// journal names the folders it began with and waits for them, and the new install keeps its
// files.
void TestOwnersKill::staleJournalWaitsBesideANewFolder_data()
{
    QTest::addColumn<bool>("removal");
    QTest::newRow("update, in place") << false;
    QTest::newRow("uninstall, removing") << true;
}

void TestOwnersKill::staleJournalWaitsBesideANewFolder()
{
    QFETCH(bool, removal);
    const QString target = game + "Databases/BigMod";
    freshGame();
    clearRecords();
    QCOMPARE(QProcess::execute(program, {"install", archive, game, target, "Big Mod", "package"}),
             0);
    const QString pristine = box.filePath("pristine");
    QCOMPARE(copyTree(game, pristine), 0);
    const QStringList killed =
        removal ? QStringList{"uninstall", game, "Big Mod"}
                : QStringList{"install", update, game, target, "Big Mod", "package"};
    QVERIFY2(killAt(killed, removal ? "\"removal\"" : "\"committed\"", pristine),
             "no kill landed while the change ran");
    QVERIFY(QFile::rename(target, target + "-renamed"));
    QCOMPARE(QProcess::execute(program, {"install", archive, game, target, "Big Mod", "package"}),
             0);
    QCOMPARE(journals().size(), 1);

    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    const auto recordNow = [] {
        InstalledPackages records;
        records.load();
        QStringList lines;
        for (const InstalledFile &file : records.files("Big Mod", "mods"))
            lines << file.path + " " + file.sha256;
        return lines;
    };
    const QStringList recordBefore = recordNow();
    {
        InstalledPackages records;
        QVERIFY(records.load());
        QStringList notices;
        InstallRecovery::recoverAll(records, &notices);
        QVERIFY(records.find("Big Mod", "mods"));
        if (!removal)
            QVERIFY2(notices.join('\n').contains(target), qPrintable(notices.join('\n')));
    }
    // Nothing touched; the journal waits, and says for which package and folder.
    QCOMPARE(TestFiles::tree(game), before);
    QCOMPARE(journals().size(), 1);
    QVERIFY2(InstallRecovery::waitingFor("Big Mod", "mods").contains(QDir::cleanPath(target)),
             qPrintable(InstallRecovery::waitingFor("Big Mod", "mods")));
    if (removal)
        return;
    QCOMPARE(recordNow(), recordBefore);
    const QVector<InstallRecovery::Waiting> waiting = InstallRecovery::waitingJournals();
    QCOMPARE(waiting.size(), 1);
    QCOMPARE(waiting.first().name, QString("Big Mod"));
    QCOMPARE(waiting.first().kind, QString("mods"));
    QCOMPARE(waiting.first().folder, QDir::cleanPath(target));
    QVERIFY(InstallRecovery::waitingFor("Big Mod", "pics").isEmpty());

    // The folder it began with back in its place: the update is finished there.
    QVERIFY(QFile::rename(target, target + "-new"));
    QVERIFY(QFile::rename(target + "-renamed", target));
    {
        InstalledPackages records;
        QVERIFY(records.load());
        InstallRecovery::recoverAll(records);
    }
    QCOMPARE(journals(), QStringList());
    QVERIFY(InstallRecovery::waitingJournals().isEmpty());
    QCOMPARE(TestFiles::read(target + "/part0/sub00/file2480.txt"), QByteArray("version 2 2480"));
    QVERIFY(!QFileInfo::exists(target + "/part0/sub00/file0000.txt"));
    for (const QString &name : QDir(target).entryList(QDir::AllEntries | QDir::Hidden))
        QVERIFY2(!name.startsWith(".zerun-unpack-"), qPrintable(name));
    // The new folder of the same name kept every file.
    QCOMPARE(TestFiles::read(target + "-new/part0/sub00/file0000.txt"),
             QByteArray("package bytes 0"));
}

// An uninstall killed while it removes the package's files and puts the folder's own back is
// finished at the next start: the folder as it was before the install.
void TestOwnersKill::killedUninstallPutsTheFolderBack()
{
    const QString target = game + "Databases/BigMod";
    freshGame();
    clearRecords();
    TestFiles::write(target + "/readme.txt", "the game's readme");
    TestFiles::write(target + "/part1/sub00/file0001.txt", "the game's file");
    TestFiles::write(target + "/part2/notes.txt", "left alone");
    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    QCOMPARE(QProcess::execute(program, {"install", archive, game, target, "Big Mod", "package"}),
             0);
    const QString pristine = box.filePath("pristine");
    QCOMPARE(copyTree(game, pristine), 0);
    QVERIFY2(killAt({"uninstall", game, "Big Mod"}, "\"removal\"", pristine),
             "no kill landed while the uninstall ran");
    InstalledPackages records;
    QVERIFY(records.load());
    InstallRecovery::recoverAll(records);
    QCOMPARE(journals(), QStringList());
    QVERIFY(!records.find("Big Mod", "mods"));
    QCOMPARE(TestFiles::tree(game), before);
}

QTEST_MAIN(TestOwnersKill)
#include "tst_ownerskill.moc"
