// Every file in a package folder has an owner: the package (recorded with its bytes), the
// folder itself (the game's or the player's files from before, kept aside while the package is
// installed) or the player (changed since). Installs, updates and uninstalls through the real
// steps, compared as whole trees, byte for byte.

#include "gamefolder.h"
#include "installedpackages.h"
#include "packageinstall.h"
#include "packageremoval.h"
#include "packageverify.h"
#include "testfiles.h"
#include "zipfixtures.h"

#include <QEventLoop>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Files = QMap<QString, QByteArray>;

const QString skinFolder = QStringLiteral("Skins/Default");

} // namespace

class TestPackageOwners : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void installAndUninstall_data();
    void installAndUninstall();
    void playersEditsAreNamedAsTheirs_data();
    void playersEditsAreNamedAsTheirs();
    void archiveCannotNameTheKeptFolder();
    void formerLayoutIsMovedOn();
    void linkedGameStructure_data();
    void linkedGameStructure();
    void namesDifferingInCaseAreOneFile();

private:
    QString game(const QString &relative = QString()) const
    {
        return box->path() + QStringLiteral("/game/") + relative;
    }
    // Writes an archive of the files given; its path.
    QString archive(const QString &name, const Files &files);
    // Installs like the window does once its questions are answered; false when the run failed.
    bool install(const QString &zip, PackageInstall::Edits choice, PackageInstall::Plan *plan,
                 PackageInstall::Outcome *outcome);
    PackageRemoval::Result uninstall();

    std::unique_ptr<QTemporaryDir> box;
    std::unique_ptr<InstalledPackages> records;
    int journals = 0;
};

void TestPackageOwners::init()
{
    box = std::make_unique<QTemporaryDir>();
    QVERIFY(box->isValid());
    records = std::make_unique<InstalledPackages>(box->filePath("records.db"));
    QVERIFY(records->load());
    TestFiles::write(game("TEW2016.exe"), "MZ");
    // The game's own skin, which no package installed.
    TestFiles::write(game(skinFolder + "/skin.ini"), "[skin]\nname=Default\n");
    TestFiles::write(game(skinFolder + "/images/background.png"), "the game's background");
    TestFiles::write(game(skinFolder + "/images/other.png"), "the game's other picture");
}

QString TestPackageOwners::archive(const QString &name, const Files &files)
{
    QList<ZipFixtures::Entry> entries;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        entries << ZipFixtures::Entry{it.key().toUtf8(), it.value()};
    const QString path = box->filePath(name);
    return ZipFixtures::writeArchive(path, entries) ? path : QString();
}

bool TestPackageOwners::install(const QString &zip, PackageInstall::Edits choice,
                                PackageInstall::Plan *plan, PackageInstall::Outcome *outcome)
{
    PackageInstall step(*records, game());
    InstalledPackage package;
    package.name = QStringLiteral("Gold Skin");
    package.kind = QStringLiteral("skin");
    package.url = QStringLiteral("http://127.0.0.1/files/goldskin.zip");
    step.setPackage(package, zip, game(skinFolder),
                    box->filePath(QStringLiteral("journal-%1").arg(++journals)));
    QString why;
    if (!step.prepare(plan, &why)) {
        qWarning("prepare: %s", qPrintable(why));
        return false;
    }
    step.setEditChoice(choice);
    bool finished = false;
    QEventLoop loop;
    connect(&step, &PackageInstall::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    connect(&step, &PackageInstall::failed, &loop, &QEventLoop::quit);
    step.start();
    loop.exec();
    *outcome = step.outcome();
    return finished;
}

PackageRemoval::Result TestPackageOwners::uninstall()
{
    PackageRemoval::Result result;
    const InstalledPackage *record = records->find("Gold Skin", "skin");
    if (!record) {
        result.refusal = "no record";
        return result;
    }
    const InstalledPackage copy = *record;
    PackageRemoval::uninstall(game(), copy, *records, box->filePath("removal"), &result);
    return result;
}

void TestPackageOwners::installAndUninstall_data()
{
    QTest::addColumn<Files>("package");
    // A second version installed over the first, when not empty.
    QTest::addColumn<Files>("update");
    QTest::addColumn<QStringList>("keptAside");
    QTest::addColumn<QStringList>("putBackByUpdate");
    QTest::addColumn<QStringList>("putBack");
    // The folder of kept originals deleted by hand before the uninstall.
    QTest::addColumn<bool>("storeLost");

    const Files gold{{"skin.ini", "[skin]\nname=Gold\n"},
                     {"images/background.png", "gold background"},
                     {"images/gold/bar.png", "gold bar"}};
    QTest::newRow("over the game's files")
        << gold << Files() << QStringList{"images/background.png", "skin.ini"} << QStringList()
        << QStringList{"images/background.png", "skin.ini"} << false;
    QTest::newRow("over the game's files, whose kept copies are deleted")
        << gold << Files() << QStringList{"images/background.png", "skin.ini"} << QStringList()
        << QStringList{"images/background.png", "skin.ini"} << true;
    Files same = gold;
    same.insert("images/other.png", "the game's other picture");
    QTest::newRow("a game file with the package's very bytes")
        << same << Files() << QStringList{"images/background.png", "images/other.png", "skin.ini"}
        << QStringList() << QStringList{"images/background.png", "images/other.png", "skin.ini"}
        << false;
    Files second{{"images/background.png", "gold background 2"},
                 {"images/gold/bar.png", "gold bar"},
                 {"images/other.png", "gold other"}};
    QTest::newRow("an update that no longer places one, and replaces another")
        << gold << second << QStringList{"images/background.png", "skin.ini"}
        << QStringList{"skin.ini"} << QStringList{"images/background.png", "images/other.png"}
        << false;
    QTest::newRow("an update of the same bytes")
        << gold << gold << QStringList{"images/background.png", "skin.ini"} << QStringList()
        << QStringList{"images/background.png", "skin.ini"} << false;
}

void TestPackageOwners::installAndUninstall()
{
    QFETCH(Files, package);
    QFETCH(Files, update);
    QFETCH(QStringList, keptAside);
    QFETCH(QStringList, putBackByUpdate);
    QFETCH(QStringList, putBack);
    QFETCH(bool, storeLost);
    Files before = TestFiles::tree(game());

    PackageInstall::Plan plan;
    PackageInstall::Outcome outcome;
    QVERIFY(
        install(archive("gold.zip", package), PackageInstall::Edits::KeepMine, &plan, &outcome));
    // The game's files are no edits of the player's: no question, and the outcome says so.
    QCOMPARE(plan.edits, QStringList());
    QStringList kept = outcome.keptOriginals;
    kept.sort();
    QStringList firstKept = keptAside;
    if (!update.isEmpty())
        firstKept = QStringList{"images/background.png", "skin.ini"};
    QCOMPARE(kept, firstKept);
    QVERIFY2(outcome.summary().contains("kept " + QString::number(kept.size()) +
                                        (kept.size() == 1 ? " file that was" : " files that were") +
                                        " in the folder before aside"),
             qPrintable(outcome.summary()));
    for (auto it = package.cbegin(); it != package.cend(); ++it)
        QCOMPARE(TestFiles::read(game(skinFolder + "/" + it.key())), it.value());
    QCOMPARE(TestFiles::read(game(skinFolder + "/.zerun-originals/skin.ini")),
             QByteArray("[skin]\nname=Default\n"));

    if (!update.isEmpty()) {
        QVERIFY(install(archive("gold2.zip", update), PackageInstall::Edits::KeepMine, &plan,
                        &outcome));
        QCOMPARE(plan.edits, QStringList());
        QStringList back = outcome.putBack;
        back.sort();
        QCOMPARE(back, putBackByUpdate);
        for (auto it = update.cbegin(); it != update.cend(); ++it)
            QCOMPARE(TestFiles::read(game(skinFolder + "/" + it.key())), it.value());
        for (const QString &path : putBackByUpdate)
            QCOMPARE(TestFiles::read(game(skinFolder + "/" + path)),
                     before.value(skinFolder + "/" + path));
    }
    // Verify sees the package whole, and no file of the folder's own as the player's.
    InstalledPackage installed = *records->find("Gold Skin", "skin");
    installed.files = records->files("Gold Skin", "skin");
    const PackageVerify::Result verified = PackageVerify::check(game(), installed);
    QVERIFY2(verified.whole(), qPrintable(verified.describe()));
    QCOMPARE(verified.added, QStringList());
    QStringList recorded;
    for (const KeptOriginal &original : records->find("Gold Skin", "skin")->originals) {
        if (!original.keptAs.isEmpty())
            recorded << original.path;
    }
    recorded.sort();
    QCOMPARE(recorded, putBack);

    // A fresh read of the records knows them too.
    records = std::make_unique<InstalledPackages>(box->filePath("records.db"));
    QVERIFY(records->load());
    if (storeLost)
        QVERIFY(QDir(game(skinFolder + "/.zerun-originals")).removeRecursively());
    const PackageRemoval::Result result = uninstall();
    QVERIFY2(result.refusal.isEmpty(), qPrintable(result.refusal));
    QStringList restored = result.restored;
    restored.sort();
    QCOMPARE(restored, storeLost ? QStringList() : putBack);
    // What could not be put back is named, in the report and the log.
    QCOMPARE(result.lostOriginals, storeLost ? putBack : QStringList());
    QCOMPARE(PackageRemoval::describe("Gold Skin", skinFolder, result, Wording::Player)
                 .contains("their kept copies are gone: " + putBack.join(", ")),
             storeLost);
    for (const QString &path : putBack) {
        if (storeLost)
            before.remove(skinFolder + "/" + path);
    }
    QCOMPARE(result.added, QStringList());
    QCOMPARE(result.before.contains("images/other.png"), !putBack.contains("images/other.png"));
    QCOMPARE(result.changed, QStringList());
    QVERIFY(!records->find("Gold Skin", "skin"));
    // The folder as it was before the first install, byte for byte.
    QCOMPARE(TestFiles::tree(game()), before);
}

void TestPackageOwners::playersEditsAreNamedAsTheirs_data()
{
    QTest::addColumn<bool>("overOriginal");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("report");
    QTest::addColumn<Files>("left");

    const QByteArray edit = "[skin]\nname=Mine\n";
    QTest::newRow("keep mine") << false << "mine"
                               << "Kept 1 file you changed: skin.ini" << Files{{"skin.ini", edit}};
    QTest::newRow("take the package's")
        << false << "package"
        << "Kept 1 file of yours that an update set aside: skin.ini.zerun-mine"
        << Files{{"skin.ini.zerun-mine", edit}};
    QTest::newRow("keep mine, over the game's file")
        << true << "mine"
        << "Kept 1 file you changed: skin.ini"
        << Files{{"skin.ini", edit}, {"skin.ini.zerun-original", "[skin]\nname=Default\n"}};
    QTest::newRow("take the package's, over the game's file")
        << true << "package"
        << "Kept 1 file of yours that an update set aside: skin.ini.zerun-mine"
        << Files{{"skin.ini", "[skin]\nname=Default\n"}, {"skin.ini.zerun-mine", edit}};
}

void TestPackageOwners::playersEditsAreNamedAsTheirs()
{
    QFETCH(bool, overOriginal);
    QFETCH(QString, choice);
    QFETCH(QString, report);
    QFETCH(Files, left);
    if (!overOriginal)
        QVERIFY(QFile::remove(game(skinFolder + "/skin.ini")));
    const Files before = TestFiles::tree(game());

    PackageInstall::Plan plan;
    PackageInstall::Outcome outcome;
    QVERIFY(install(archive("gold.zip", {{"skin.ini", "[skin]\nname=Gold\n"}}),
                    PackageInstall::Edits::KeepMine, &plan, &outcome));
    QCOMPARE(plan.edits, QStringList());
    // The player changes the package's file; the next version asks about it alone.
    TestFiles::write(game(skinFolder + "/skin.ini"), "[skin]\nname=Mine\n");
    QVERIFY(install(archive("gold2.zip", {{"skin.ini", "[skin]\nname=Gold 2\n"}}),
                    choice == "mine" ? PackageInstall::Edits::KeepMine
                                     : PackageInstall::Edits::TakePackage,
                    &plan, &outcome));
    QCOMPARE(plan.edits, QStringList{"skin.ini"});
    QCOMPARE(plan.originals, QStringList());
    QCOMPARE(outcome.keptOriginals, QStringList());

    if (choice == "mine") {
        // A third version asks again about the player's file beside the package's.
        QVERIFY(install(archive("gold3.zip", {{"skin.ini", "[skin]\nname=Gold 3\n"}}),
                        PackageInstall::Edits::KeepMine, &plan, &outcome));
        QCOMPARE(plan.edits, QStringList{"skin.ini"});
        QCOMPARE(TestFiles::read(game(skinFolder + "/skin.ini.zerun-new")),
                 QByteArray("[skin]\nname=Gold 3\n"));
    }
    const PackageRemoval::Result result = uninstall();
    const QString text = PackageRemoval::describe("Gold Skin", skinFolder, result);
    QVERIFY2(text.contains(report), qPrintable(text));
    QVERIFY2(!text.contains("you added"), qPrintable(text));

    Files expected = before;
    for (auto it = left.cbegin(); it != left.cend(); ++it)
        expected.insert(skinFolder + "/" + it.key(), it.value());
    QCOMPARE(TestFiles::tree(game()), expected);
}

void TestPackageOwners::archiveCannotNameTheKeptFolder()
{
    const Files before = TestFiles::tree(game());
    PackageInstall::Plan plan;
    PackageInstall::Outcome outcome;
    QVERIFY(!install(archive("hostile.zip", {{"skin.ini", "[skin]\nname=Gold\n"},
                                             {".zerun-originals/skin.ini", "not the game's"}}),
                     PackageInstall::Edits::KeepMine, &plan, &outcome));
    QCOMPARE(TestFiles::tree(game()), before);
    QVERIFY(!records->find("Gold Skin", "skin"));
}

void TestPackageOwners::formerLayoutIsMovedOn()
{
    // A database as the installer before wrote it: no table of kept originals.
    const QString path = box->filePath("former.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "former");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const char *statement :
             {"CREATE TABLE packages (id INTEGER PRIMARY KEY, name TEXT NOT NULL, kind TEXT NOT "
              "NULL, folder TEXT NOT NULL, url TEXT NOT NULL DEFAULT '', archiveSize INTEGER NOT "
              "NULL DEFAULT 0, archiveSha256 TEXT NOT NULL DEFAULT '', validator TEXT NOT NULL "
              "DEFAULT '', installed TEXT NOT NULL DEFAULT '', fromDisk INTEGER NOT NULL DEFAULT "
              "0, createdFolders TEXT NOT NULL DEFAULT '[]', createdFoldersKnown INTEGER NOT NULL "
              "DEFAULT 0, UNIQUE (name, kind))",
              "CREATE TABLE files (package INTEGER NOT NULL REFERENCES packages (id), path TEXT "
              "NOT NULL, size INTEGER NOT NULL, sha256 TEXT NOT NULL, gamePath TEXT NOT NULL)",
              "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)",
              "INSERT INTO packages (id, name, kind, folder) VALUES (1, 'Faces', 'pics', "
              "'Pictures/Faces')",
              "INSERT INTO files VALUES (1, 'one.png', 3, 'abc', 'Pictures/Faces/one.png')",
              "PRAGMA user_version = 1"})
            QVERIFY2(query.exec(statement), statement);
        db.close();
    }
    QSqlDatabase::removeDatabase("former");

    InstalledPackages former(path);
    QVERIFY(former.load());
    QVERIFY(former.find("Faces", "pics"));
    QCOMPARE(former.files("Faces", "pics").size(), 1);
    InstalledPackage record = *former.find("Faces", "pics");
    record.files = former.files("Faces", "pics");
    record.originals = {{"two.png", ".zerun-originals/two.png"}, {"three.png", ""}};
    QVERIFY2(former.put(record), qPrintable(former.errorString()));
    InstalledPackages again(path);
    QVERIFY(again.load());
    QCOMPARE(again.find("Faces", "pics")->originals, record.originals);
    QCOMPARE(QFileInfo::exists(path + ".damaged"), false);
}

void TestPackageOwners::linkedGameStructure_data()
{
    QTest::addColumn<bool>("linkedDatabases");
    QTest::addColumn<bool>("linkedGame");
    QTest::newRow("Databases on another disk") << true << false;
    QTest::newRow("a linked game folder") << false << true;
    QTest::newRow("both") << true << true;
}

void TestPackageOwners::linkedGameStructure()
{
    QFETCH(bool, linkedDatabases);
    QFETCH(bool, linkedGame);
    const QString real = box->filePath("real-game");
    const QString other = box->filePath("other-disk");
    QVERIFY(QDir().mkpath(game("Databases/Existing")));
    TestFiles::write(game("Databases/Existing/data.txt"), "another mod");
    if (linkedDatabases) {
        QVERIFY(QDir().mkpath(other));
        QVERIFY(QDir().rename(game("Databases"), other + "/Databases"));
        QVERIFY(QFile::link(other + "/Databases", game("Databases")));
    }
    if (linkedGame) {
        QVERIFY(QDir().rename(game(), real));
        QVERIFY(QFile::link(real, box->filePath("game")));
    }
    const auto trees = [&] {
        return QList<Files>{TestFiles::tree(box->filePath("game")), TestFiles::tree(real),
                            TestFiles::tree(other)};
    };
    const QList<Files> before = trees();

    // As the window does: the game folder resolved once, when it is chosen.
    const QString folder = GameFolder::resolved(game());
    QCOMPARE(folder, linkedGame ? real + "/" : game());
    // The new package folder made the way the window makes it: named by the journal first.
    const QString target = folder + "Databases/BigMod";
    const QString journal = box->filePath("journal");
    QVERIFY(UnpackTransaction::prepareJournal(journal, target,
                                              UnpackTransaction::missingFolders(target)));
    QVERIFY(QDir().mkpath(target));
    PackageInstall step(*records, folder);
    InstalledPackage package;
    package.name = "Big Mod";
    package.kind = "mods";
    step.setPackage(
        package,
        archive("bigmod.zip",
                {{"readme.txt", "read me"}, {"data/a.txt", "a"}, {"data/deep/b.txt", "b"}}),
        target, journal);
    PackageInstall::Plan plan;
    QVERIFY(step.prepare(&plan, nullptr));
    QEventLoop loop;
    bool finished = false;
    connect(&step, &PackageInstall::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    connect(&step, &PackageInstall::failed, &loop, &QEventLoop::quit);
    step.start();
    loop.exec();
    QVERIFY(finished);
    const QString placed = (linkedDatabases ? other + "/" : (linkedGame ? real + "/" : game())) +
                           "Databases/BigMod/data/deep/b.txt";
    QCOMPARE(TestFiles::read(placed), QByteArray("b"));

    const InstalledPackage record = *records->find("Big Mod", "mods");
    PackageRemoval::Result result;
    QVERIFY(PackageRemoval::uninstall(folder, record, *records, box->filePath("removal"), &result));
    QVERIFY2(result.refusal.isEmpty(), qPrintable(result.refusal));
    QCOMPARE(result.removed.size(), 3);
    QVERIFY(!records->find("Big Mod", "mods"));
    // Every folder the install made is gone, and nothing else.
    const QList<Files> after = trees();
    QCOMPARE(after, before);
}

QTEST_MAIN(TestPackageOwners)
#include "tst_packageowners.moc"

void TestPackageOwners::namesDifferingInCaseAreOneFile()
{
    // The game, under Wine, finds either spelling: the folder gets one file and one folder, as
    // Windows unpacks them (the first spelling, the last entry's bytes), and one record.
    const Files before = TestFiles::tree(game());
    const QString zip = box->filePath("cases.zip");
    QVERIFY(ZipFixtures::writeArchive(
        zip,
        {{"Data.txt", "first"}, {"Maps/a.txt", "a"}, {"maps/B.txt", "b"}, {"data.txt", "last"}}));
    PackageInstall::Plan plan;
    PackageInstall::Outcome outcome;
    QVERIFY(install(zip, PackageInstall::Edits::KeepMine, &plan, &outcome));
    Files after = before;
    after.insert(skinFolder + "/Data.txt", "last");
    after.insert(skinFolder + "/Maps/", "");
    after.insert(skinFolder + "/Maps/a.txt", "a");
    after.insert(skinFolder + "/Maps/B.txt", "b");
    QCOMPARE(TestFiles::tree(game()), after);
    QStringList recorded;
    for (const InstalledFile &file : records->files("Gold Skin", "skin"))
        recorded << file.path;
    recorded.sort();
    QCOMPARE(recorded, (QStringList{"Data.txt", "Maps/B.txt", "Maps/a.txt"}));
    QCOMPARE(outcome.summary(), QString("the archive names 1 file more than once in spellings that "
                                        "differ only in case, which the game takes for one file; "
                                        "the last of each was installed: Data.txt"));
    QVERIFY(uninstall().refusal.isEmpty());
    QCOMPARE(TestFiles::tree(game()), before);
}
