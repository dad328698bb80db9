#include "apppaths.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "packageinstall.h"
#include "packageverify.h"
#include "sha256.h"
#include "testfiles.h"
#include "testprofile.h"
#include "unpacktransaction.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Verify over a real install: the package unpacked by the install step into a game folder,
// its record written, then the folder changed the way a player (or a disk) changes it.
class TestPackageVerify : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findsWhatChanged_data();
    void findsWhatChanged();
    void cancelEndsTheRun();

private:
    // Installs a package of `files` as "Verified" into Databases/Verified; its record.
    InstalledPackage install(const QString &game, InstalledPackages &records,
                             const QMap<QString, QByteArray> &files);
};

void TestPackageVerify::initTestCase()
{
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the archives");
}

InstalledPackage TestPackageVerify::install(const QString &game, InstalledPackages &records,
                                            const QMap<QString, QByteArray> &files)
{
    QTemporaryDir source;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        TestFiles::write(source.filePath(it.key()), it.value());
    const QString archive =
        source.filePath("../verified-" + QFileInfo(source.path()).fileName() + ".zip");
    QProcess zip;
    zip.setWorkingDirectory(source.path());
    zip.start("zip", {"-q", "-r", archive, "."});
    if (!zip.waitForFinished(60000) || zip.exitCode() != 0)
        return {};
    const QString target = game + "/Databases/Verified";
    const QString journal = InstallRecovery::newJournalPath();
    if (!UnpackTransaction::prepareJournal(journal, target,
                                           UnpackTransaction::missingFolders(target)) ||
        !QDir().mkpath(target))
        return {};
    PackageInstall step(records, game);
    InstalledPackage package;
    package.name = "Verified";
    package.kind = "mods";
    package.url = "http://127.0.0.1/files/verified.zip";
    step.setPackage(package, archive, target, journal);
    PackageInstall::Plan plan;
    if (!step.prepare(&plan, nullptr))
        return {};
    QSignalSpy finished(&step, &PackageInstall::finished);
    step.start();
    if (!finished.wait(60000))
        return {};
    QFile::remove(archive);
    InstalledPackage record = *records.find("Verified", "mods");
    record.files = records.files("Verified", "mods");
    return record;
}

void TestPackageVerify::findsWhatChanged_data()
{
    // Changes to the installed folder: "rm:<path>", "write:<path>" (new bytes), "dir:<path>"
    // (a folder in the file's place).
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("changed");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("summary");

    QTest::newRow("as installed") << QStringList() << QStringList() << QStringList()
                                  << QStringList() << "All 4 files as installed";
    QTest::newRow("a deleted file") << QStringList{"rm:readme.txt"} << QStringList{"readme.txt"}
                                    << QStringList() << QStringList() << "1 missing";
    QTest::newRow("a changed file, same size")
        << QStringList{"write:data/b.txt:BBBB"} << QStringList() << QStringList{"data/b.txt"}
        << QStringList() << "1 changed";
    QTest::newRow("a changed file, other size")
        << QStringList{"write:data/deep/c.txt:longer than before"} << QStringList()
        << QStringList{"data/deep/c.txt"} << QStringList() << "1 changed";
    QTest::newRow("an added file is the player's")
        << QStringList{"write:data/mine.txt:my own", "write:extra.ini:x"} << QStringList()
        << QStringList() << QStringList{"data/mine.txt", "extra.ini"} << "All 4 files as installed";
    QTest::newRow("a folder where a file was")
        << QStringList{"rm:data/a.txt", "dir:data/a.txt"} << QStringList()
        << QStringList{"data/a.txt"} << QStringList() << "1 changed";
    QTest::newRow("all at once") << QStringList{"rm:readme.txt", "rm:data/deep/c.txt",
                                                "write:data/b.txt:zz", "write:new/one.txt:1"}
                                 << QStringList{"data/deep/c.txt", "readme.txt"}
                                 << QStringList{"data/b.txt"} << QStringList{"new/one.txt"}
                                 << "2 missing, 1 changed";
    QTest::newRow("the whole folder gone")
        << QStringList{"rm:"}
        << QStringList{"data/a.txt", "data/b.txt", "data/deep/c.txt", "readme.txt"} << QStringList()
        << QStringList() << "4 missing";
}

void TestPackageVerify::findsWhatChanged()
{
    QFETCH(QStringList, changes);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, changed);
    QFETCH(QStringList, added);
    QFETCH(QString, summary);

    TestProfile profile;
    AppPaths::createFolders();
    QTemporaryDir game;
    InstalledPackages records;
    records.load();
    const InstalledPackage record = install(game.path(), records,
                                            {{"readme.txt", "Read me\n"},
                                             {"data/a.txt", "aaaa"},
                                             {"data/b.txt", "bbbb"},
                                             {"data/deep/c.txt", "cccc"}});
    QCOMPARE(record.files.size(), 4);

    const QString folder = game.filePath("Databases/Verified/");
    for (const QString &change : changes) {
        const QString what = change.section(':', 0, 0);
        const QString path = folder + change.section(':', 1, 1);
        if (what == "rm" && path == folder)
            QVERIFY(QDir(folder).removeRecursively());
        else if (what == "rm")
            QVERIFY(QFile::remove(path));
        else if (what == "dir")
            QVERIFY(QDir().mkpath(path));
        else
            TestFiles::write(path, change.section(':', 2).toUtf8());
    }

    // Verify reads only: the game folder is the same before and after.
    const QMap<QString, QByteArray> before = TestFiles::tree(game.path());
    PackageVerify verify(game.path());
    QSignalSpy progress(&verify, &PackageVerify::progress);
    QSignalSpy finished(&verify, &PackageVerify::finished);
    verify.start({record});
    QVERIFY(finished.wait(30000));
    QCOMPARE(TestFiles::tree(game.path()), before);

    QCOMPARE(verify.results().size(), 1);
    const PackageVerify::Result &result = verify.results().at(0);
    QCOMPARE(result.missing, missing);
    QCOMPARE(result.changed, changed);
    QCOMPARE(result.added, added);
    QCOMPARE(result.summary(), summary);
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(1).toInt(), 4);
    // The same check on the caller's thread agrees.
    const PackageVerify::Result direct = PackageVerify::check(game.path(), record);
    QCOMPARE(direct.missing, missing);
    QCOMPARE(direct.changed, changed);
    QCOMPARE(direct.added, added);
}

void TestPackageVerify::cancelEndsTheRun()
{
    QTemporaryDir game;
    InstalledPackage record;
    record.name = "Large";
    record.kind = "pics";
    record.folder = "Pictures/Large";
    const QByteArray block(1 << 20, 'x');
    for (int n = 0; n < 200; ++n) {
        const QString path = QString("f%1.bin").arg(n);
        TestFiles::write(game.filePath(record.folder + "/" + path), block);
        record.files.append({path, block.size(), Sha256::hexOf(block)});
    }
    PackageVerify verify(game.path());
    QSignalSpy finished(&verify, &PackageVerify::finished);
    verify.start({record});
    verify.cancel();
    QVERIFY(finished.wait(30000) || finished.count() == 1);
    QCOMPARE(finished.count(), 1);
    QVERIFY(verify.wasCancelled());
    QVERIFY(!verify.isRunning());

    // Run again to the end: all there, and the count grouped the player's way.
    verify.start({record});
    QVERIFY(finished.wait(30000));
    QCOMPARE(verify.results().value(0).summary(), QString("All 200 files as installed"));
}

QTEST_GUILESS_MAIN(TestPackageVerify)
#include "tst_packageverify.moc"
