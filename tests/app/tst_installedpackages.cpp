// The records of installed packages in their database: the one-time import of the former record
// document, databases that cannot be used, a writer killed in the middle of a record, and two
// objects writing one database.

#include "installedpackages.h"
#include "testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// Every record with its files, one line each, in the order load() gives them.
QStringList dump(InstalledPackages &records)
{
    QStringList lines;
    for (const InstalledPackage &package : records.all()) {
        QStringList files;
        for (const InstalledFile &file : records.files(package.name, package.kind))
            files << file.path + ':' + QString::number(file.size) + ':' + file.sha256;
        lines << QStringList{package.name,
                             package.kind,
                             package.folder,
                             package.url,
                             QString::number(package.archiveSize),
                             package.archiveSha256,
                             package.validator,
                             package.installed.toUTC().toString(Qt::ISODate),
                             package.fromDisk ? "disk" : "host",
                             package.createdFoldersKnown ? package.createdFolders.join(',')
                                                         : "(unknown)",
                             files.join(' ')}
                     .join('|');
    }
    return lines;
}

// The names in a folder, with the date of a kept-aside file written as <date>.
QStringList listing(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    names.replaceInStrings(QRegularExpression("\\d{8}-\\d{6}"), "<date>");
    return names;
}

QJsonObject entry(const QString &name, const QString &folder, const QJsonArray &files)
{
    return QJsonObject{{"name", name},          {"kind", "skin"},
                       {"folder", folder},      {"url", QString("http://host/" + name + ".zip")},
                       {"archiveSize", 1234},   {"archiveSha256", "aa11"},
                       {"validator", "\"e1\""}, {"installed", "2024-03-01T10:00:00.000Z"},
                       {"files", files}};
}

QJsonArray oneFile(const QString &path)
{
    return QJsonArray{QJsonObject{{"path", path}, {"size", 5}, {"sha256", "bb22"}}};
}

// A database of `count` packages of `files` files each, written through the records.
void fill(const QString &path, int count, int files)
{
    InstalledPackages records(path);
    QVERIFY(records.load());
    for (int p = 0; p < count; ++p) {
        InstalledPackage package;
        package.name = QString("Package %1").arg(p);
        package.kind = "pics";
        package.folder = QString("Pictures/P%1").arg(p);
        for (int f = 0; f < files; ++f)
            package.files.append({QString("faces/%1.jpg").arg(f), f, "cc33"});
        QVERIFY(records.put(package));
    }
}

// Runs SQL on its own connection to the database.
bool runSql(const QString &path, const QStringList &statements)
{
    bool done = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "test-sql");
        db.setDatabaseName(path);
        done = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            done = done && query.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase("test-sql");
    return done;
}

} // namespace

class TestInstalledPackages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void importFormerDocument_data();
    void importFormerDocument();
    void unusableDatabase_data();
    void unusableDatabase();
    void killedWriter_data();
    void killedWriter();
    void twoWriters_data();
    void twoWriters();
    void ownedByOther_data();
    void ownedByOther();
    void lockedAtStart_data();
    void lockedAtStart();
    void damagedPage_data();
    void damagedPage();

private:
    std::unique_ptr<QTemporaryDir> box;
    QString database;
};

void TestInstalledPackages::init()
{
    box = std::make_unique<QTemporaryDir>();
    database = box->filePath("installed_packages.db");
}

void TestInstalledPackages::importFormerDocument_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QStringList>("files");

    const QString neat = "Neat|skin|Skins/Neat|http://host/Neat.zip|1234|aa11|\"e1\"|"
                         "2024-03-01T10:00:00Z|host|(unknown)|skin.ini:5:bb22";
    QJsonObject withFolders = entry("Faces", "Pictures/Faces", oneFile("a/one.jpg"));
    withFolders.insert("kind", "pics");
    withFolders.insert("fromDisk", true);
    withFolders.insert("createdFolders", QJsonArray{"Pictures/Faces", "Pictures/Faces/a"});
    const QString faces = "Faces|pics|Pictures/Faces|http://host/Faces.zip|1234|aa11|\"e1\"|"
                          "2024-03-01T10:00:00Z|disk|Pictures/Faces,Pictures/Faces/a|"
                          "a/one.jpg:5:bb22";
    const auto document = [](const QJsonArray &packages) {
        return QJsonDocument(QJsonObject{{"format", 1}, {"packages", packages}}).toJson();
    };
    const QStringList imported{"installed_packages.db", "installed_packages.json.imported"};

    QTest::newRow("whole") << document(
                                  {entry("Neat", "Skins/Neat", oneFile("skin.ini")), withFolders})
                           << true << QStringList{neat, faces} << "" << imported;
    QJsonArray someBad = oneFile("skin.ini");
    someBad.append(QJsonObject{{"path", "../../TEW2016.exe"}, {"size", 1}, {"sha256", "dd"}});
    someBad.append(QJsonObject{{"path", "/etc/passwd"}, {"size", 1}, {"sha256", "dd"}});
    QTest::newRow("bad entries cost only themselves")
        << document({entry("Neat", "Skins/Neat", someBad), entry("Out", "../Out", {}),
                     entry("Rooted", "/tmp/x", {}), entry("", "Skins/NoName", {}), withFolders})
        << true << QStringList{neat, faces}
        << "left out what could not be trusted: Neat: ../../TEW2016.exe, Neat: /etc/passwd, "
           "Out, Rooted, a record without a name"
        << imported;
    QTest::newRow("cut off") << QByteArray("{\"format\": 1, \"packages\": [{\"name\": \"Ne")
                             << false << QStringList() << "is not a valid record document"
                             << QStringList{"installed_packages.db",
                                            "installed_packages.json.damaged-<date>"};
    QTest::newRow("unknown format")
        << QByteArray("{\"format\": 7, \"packages\": []}") << false << QStringList()
        << "has an unknown format"
        << QStringList{"installed_packages.db", "installed_packages.json.damaged-<date>"};
}

void TestInstalledPackages::importFormerDocument()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, loaded);
    QFETCH(QStringList, records);
    QFETCH(QString, notice);
    QFETCH(QStringList, files);

    const QString legacy = InstalledPackages::legacyPath(database);
    QCOMPARE(legacy, box->filePath("installed_packages.json"));
    TestFiles::write(legacy, document);
    {
        InstalledPackages first(database);
        QString told;
        QCOMPARE(first.load(&told), loaded);
        QVERIFY2(notice.isEmpty() ? told.isEmpty() : told.contains(notice), qPrintable(told));
        QCOMPARE(dump(first), records);
    }
    QCOMPARE(listing(box->path()), files);
    // What was kept aside is the document as it was.
    const QString kept = box->filePath(
        QDir(box->path()).entryList({"installed_packages.json.*"}, QDir::Files).value(0));
    QCOMPARE(TestFiles::read(kept), document);
    // Imported once: the next start reads the database alone, quietly.
    InstalledPackages second(database);
    QString told;
    QVERIFY(second.load(&told));
    QCOMPARE(told, QString());
    QCOMPARE(dump(second), records);
}

void TestInstalledPackages::unusableDatabase_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("why");
    QTest::newRow("random bytes") << "random"
                                  << "is not a database";
    QTest::newRow("cut off in its first page") << "header"
                                               << "is not a database";
    QTest::newRow("cut off halfway") << "half"
                                     << "cut off";
    QTest::newRow("tables of something else") << "foreign"
                                              << "holds tables of something else";
    QTest::newRow("a newer layout") << "newer"
                                    << "written by a newer installer";
}

void TestInstalledPackages::unusableDatabase()
{
    QFETCH(QString, damage);
    QFETCH(QString, why);

    if (damage == "random") {
        QByteArray bytes;
        for (int i = 0; i < 64 * 1024; ++i)
            bytes.append(char(QRandomGenerator::global()->bounded(256)));
        TestFiles::write(database, bytes);
    } else if (damage == "foreign") {
        QVERIFY(runSql(database,
                       {"CREATE TABLE notes (text TEXT)", "INSERT INTO notes VALUES ('mine')"}));
    } else {
        fill(database, 20, 200);
        if (damage == "newer")
            QVERIFY(runSql(database, {"PRAGMA user_version = 9"}));
        QFile file(database);
        QVERIFY(file.size() > 64 * 1024);
        if (damage == "header")
            QVERIFY(file.resize(50));
        else if (damage == "half")
            QVERIFY(file.resize(file.size() / 2));
    }
    QCOMPARE(listing(box->path()), QStringList{"installed_packages.db"});
    const QByteArray before = TestFiles::read(database);

    {
        InstalledPackages records(database);
        QString told;
        QVERIFY(!records.load(&told));
        QVERIFY2(told.contains(why) && told.contains("it was kept as") &&
                     told.contains("a new record was started"),
                 qPrintable(told));
        QCOMPARE(records.all().size(), 0);
        // The new database takes records at once.
        InstalledPackage package;
        package.name = "Neat";
        package.kind = "skin";
        package.folder = "Skins/Neat";
        package.files = {{"skin.ini", 5, "bb22"}};
        QVERIFY2(records.put(package), qPrintable(records.errorString()));
    }
    QCOMPARE(listing(box->path()),
             (QStringList{"installed_packages.db", "installed_packages.db.damaged-<date>"}));
    const QString kept = box->filePath(
        QDir(box->path()).entryList({"installed_packages.db.damaged-*"}, QDir::Files).value(0));
    QCOMPARE(TestFiles::read(kept), before);
    InstalledPackages again(database);
    QString told;
    QVERIFY(again.load(&told));
    QCOMPARE(told, QString());
    QCOMPARE(dump(again), QStringList{"Neat|skin|Skins/Neat||0||||host|(unknown)|skin.ini:5:bb22"});
}

void TestInstalledPackages::killedWriter_data()
{
    QTest::addColumn<int>("delay");
    for (const int delay : {0, 3, 10, 25, 60, 150})
        QTest::addRow("%d ms after the first record", delay) << delay;
}

void TestInstalledPackages::killedWriter()
{
    QFETCH(int, delay);
    {
        // A record the writer never touches.
        InstalledPackages records(database);
        QVERIFY(records.load());
        QVERIFY(records.put({"Neat",
                             "skin",
                             "Skins/Neat",
                             {},
                             0,
                             {},
                             {},
                             {},
                             false,
                             {},
                             false,
                             {{"skin.ini", 5, "bb22"}}}));
    }
    QProcess writer;
    writer.start(QString(ZERUN_BIN_DIR) + "/zerun-test-record", {database});
    QVERIFY(writer.waitForStarted());
    QVERIFY(writer.waitForReadyRead(30000));
    QCOMPARE(writer.readLine(), QByteArray("ready\n"));
    QTest::qWait(delay);
    QCOMPARE(writer.state(), QProcess::Running);
    writer.kill();
    QVERIFY(writer.waitForFinished());

    InstalledPackages records(database);
    QString told;
    QVERIFY2(records.load(&told), qPrintable(told));
    QCOMPARE(told, QString());
    QCOMPARE(records.all().size(), 2);
    QCOMPARE(records.files("Neat", "skin"), (QVector<InstalledFile>{{"skin.ini", 5, "bb22"}}));
    // One whole generation: the record and all its 2,000 files of the same one.
    const InstalledPackage *big = records.find("Big Mod", "mods");
    QVERIFY(big);
    QVERIFY(big->validator.startsWith("generation "));
    const int generation = big->validator.mid(11).toInt();
    QVERIFY(generation >= 1);
    QVector<InstalledFile> expected;
    for (int i = 0; i < 2000; ++i)
        expected.append(
            {QString("data/file%1.txt").arg(i), generation, QByteArray::number(generation)});
    QCOMPARE(records.files("Big Mod", "mods"), expected);
    qInfo("killed during generation %d", generation + 1);
}

void TestInstalledPackages::twoWriters_data()
{
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<bool>("written");
    QTest::newRow("nobody else writing") << 0 << 5000 << true;
    QTest::newRow("another writer for a moment") << 400 << 5000 << true;
    QTest::newRow("another writer past the timeout") << 1500 << 200 << false;
}

void TestInstalledPackages::twoWriters()
{
    QFETCH(int, held);
    QFETCH(int, timeout);
    QFETCH(bool, written);

    InstalledPackages first(database);
    InstalledPackages second(database);
    QVERIFY(first.load());
    QVERIFY(second.load());
    second.setBusyTimeout(timeout);
    QVERIFY(first.put({"Neat",
                       "skin",
                       "Skins/Neat",
                       {},
                       0,
                       {},
                       {},
                       {},
                       false,
                       {},
                       false,
                       {{"skin.ini", 5, "bb22"}}}));

    // Another writer, the way another process would be: its own connection holding the lock.
    std::atomic<bool> locked{false};
    std::thread holder([&] {
        if (held == 0) {
            locked = true;
            return;
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "holder");
            db.setDatabaseName(database);
            db.open();
            QSqlQuery query(db);
            query.exec("BEGIN IMMEDIATE");
            locked = true;
            QThread::msleep(held);
            query.exec("COMMIT");
            db.close();
        }
        QSqlDatabase::removeDatabase("holder");
    });
    while (!locked)
        QThread::msleep(1);
    const bool put = second.put({"Faces",
                                 "pics",
                                 "Pictures/Faces",
                                 {},
                                 0,
                                 {},
                                 {},
                                 {},
                                 false,
                                 {},
                                 false,
                                 {{"one.jpg", 7, "ee44"}}});
    holder.join();
    QCOMPARE(put, written);
    if (!written)
        QVERIFY2(second.errorString().contains("locked"), qPrintable(second.errorString()));

    // Each sees the other's records once it reads them again.
    QVERIFY(first.load());
    QCOMPARE(first.all().size(), written ? 2 : 1);
    QVERIFY(first.remove("Neat", "skin"));
    QVERIFY(second.load());
    QCOMPARE(dump(second), written ? QStringList{"Faces|pics|Pictures/Faces||0||||host|(unknown)|"
                                                 "one.jpg:7:ee44"}
                                   : QStringList());
}

void TestInstalledPackages::ownedByOther_data()
{
    QTest::addColumn<QString>("gamePath");
    QTest::addColumn<QByteArray>("sha256");
    QTest::addColumn<QString>("asking");
    QTest::addColumn<bool>("owned");
    QTest::newRow("another package's file")
        << "Skins/Shared/a.txt" << QByteArray("11") << "B" << true;
    QTest::newRow("the path written another way")
        << "Skins/Shared/./sub/../a.txt" << QByteArray("11") << "B" << true;
    QTest::newRow("a file recorded with a dotted path")
        << "Skins/Shared/x.txt" << QByteArray("33") << "A" << true;
    QTest::newRow("the asker's own file")
        << "Skins/Shared/a.txt" << QByteArray("11") << "A" << false;
    QTest::newRow("other bytes") << "Skins/Shared/a.txt" << QByteArray("99") << "B" << false;
    QTest::newRow("nobody's") << "Skins/Shared/c.txt" << QByteArray("11") << "B" << false;
}

void TestInstalledPackages::ownedByOther()
{
    QFETCH(QString, gamePath);
    QFETCH(QByteArray, sha256);
    QFETCH(QString, asking);
    QFETCH(bool, owned);
    InstalledPackages records(database);
    QVERIFY(records.load());
    QVERIFY(records.put({"A",
                         "skin",
                         "Skins/Shared",
                         {},
                         0,
                         {},
                         {},
                         {},
                         false,
                         {},
                         false,
                         {{"a.txt", 1, "11"}, {"b.txt", 1, "22"}}}));
    QVERIFY(records.put({"B",
                         "skin",
                         "Skins/Shared",
                         {},
                         0,
                         {},
                         {},
                         {},
                         false,
                         {},
                         false,
                         {{"b.txt", 1, "22"}, {"sub/../x.txt", 1, "33"}}}));
    QCOMPARE(records.ownedByOther(gamePath, sha256, asking, "skin"), owned);
}

void TestInstalledPackages::lockedAtStart_data()
{
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("let go within the wait") << 600 << 5000 << true;
    QTest::newRow("held past the wait") << 4000 << 500 << false;
}

void TestInstalledPackages::lockedAtStart()
{
    QFETCH(int, held);
    QFETCH(int, timeout);
    QFETCH(bool, loaded);
    fill(database, 3, 50);
    const QStringList before = [this] {
        InstalledPackages records(database);
        records.load();
        return dump(records);
    }();
    QCOMPARE(before.size(), 3);
    const QByteArray bytes = TestFiles::read(database);

    // Another program takes the database to itself before the installer starts.
    QProcess holder;
    holder.start(QString(ZERUN_BIN_DIR) + "/zerun-test-record",
                 {database, "hold", QString::number(held)});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    {
        InstalledPackages records(database);
        records.setBusyTimeout(timeout);
        QString told;
        QCOMPARE(records.load(&told), loaded);
        QCOMPARE(records.inUse(), !loaded);
        if (loaded) {
            QCOMPARE(told, QString());
            QCOMPARE(dump(records), before);
        } else {
            QVERIFY2(told.contains("in use by another program") && told.contains("left as it is") &&
                         !told.contains("kept as"),
                     qPrintable(told));
            QCOMPARE(records.all().size(), 0);
            // Nothing is written while the other program holds it.
            QVERIFY(!records.put({"Late", "skin", "Skins/Late"}));
            QVERIFY2(records.errorString().contains("in use by another program"),
                     qPrintable(records.errorString()));
        }
        QVERIFY(holder.waitForFinished(30000));
        QCOMPARE(holder.exitCode(), 0);
        // Once the other program is gone, the same object reads the records it had kept.
        QVERIFY(records.load());
        QVERIFY(!records.inUse());
        QCOMPARE(dump(records), before);
    }
    // The database was used, never set aside or replaced.
    QCOMPARE(listing(box->path()), QStringList{"installed_packages.db"});
    QCOMPARE(TestFiles::read(database), bytes);
}

void TestInstalledPackages::damagedPage_data()
{
    QTest::addColumn<QByteArray>("marker");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QString>("notice");
    // Each package's rows carry their own bytes, so the page overwritten is the one that holds
    // the marker.
    QTest::newRow("a page of one package's file rows")
        << QByteArray("hash-1-0150") << QStringList{"Package 0", "Package 2"}
        << "left out, with their files left in the game folder: Package 1";
    QTest::newRow("the page of the package rows")
        << QByteArray("validator-1") << QStringList()
        << "some package records could not be read at all";
}

void TestInstalledPackages::damagedPage()
{
    QFETCH(QByteArray, marker);
    QFETCH(QStringList, kept);
    QFETCH(QString, notice);
    QMap<QString, QVector<InstalledFile>> written;
    {
        InstalledPackages records(database);
        QVERIFY(records.load());
        for (int p = 0; p < 3; ++p) {
            InstalledPackage package;
            package.name = QString("Package %1").arg(p);
            package.kind = "pics";
            package.folder = QString("Pictures/P%1").arg(p);
            package.validator = QString("validator-%1").arg(p);
            for (int f = 0; f < 300; ++f)
                package.files.append(
                    {QString("faces/%1.jpg").arg(f, 4, 10, QChar('0')), f,
                     QString("hash-%1-%2").arg(p).arg(f, 4, 10, QChar('0')).toLatin1()});
            // The folder's own files: one kept aside, one left in place.
            package.originals = {{"faces/0000.jpg", ".zerun-originals/faces/0000.jpg"},
                                 {"readme.txt", ""}};
            QVERIFY(records.put(package));
            written.insert(package.name, package.files);
        }
        // The copy of the game the records describe goes with them.
        QVERIFY(records.setMetaValue("gameFolder", "copy A"));
    }
    // A running installer read the records before 4 KiB of the file were overwritten.
    auto running = std::make_unique<InstalledPackages>(database);
    QVERIFY(running->load());
    {
        QFile file(database);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray bytes = file.readAll();
        const int at = bytes.indexOf(marker);
        QVERIFY(at > 0 && bytes.indexOf(marker, at + 1) < 0);
        QVERIFY(file.seek(at / 4096 * 4096));
        QCOMPARE(file.write(QByteArray(4096, char(0x5a))), qint64(4096));
    }
    if (!kept.isEmpty()) {
        // Nothing is acted on: the check finds the damage before the rows are trusted.
        QVector<InstalledFile> files{{"stale", 1, "11"}};
        QString why;
        QCOMPARE(running->checkPackage("Package 1", "pics", &files, &why),
                 InstalledPackages::Check::Damaged);
        QVERIFY2(why.contains("records of installed packages are damaged"), qPrintable(why));
        QVERIFY(files.isEmpty());
        QVERIFY(running->files("Package 1", "pics").isEmpty());
    }
    running.reset();
    const QByteArray damaged = TestFiles::read(database);

    // The next start copies what still reads into a new database and keeps the damaged one.
    InstalledPackages again(database);
    QString told;
    QVERIFY(!again.load(&told));
    QVERIFY2(told.contains("is damaged") && told.contains("it was kept as") &&
                 told.contains(notice),
             qPrintable(told));
    QStringList names;
    for (const InstalledPackage &package : again.all()) {
        names << package.name;
        QCOMPARE(again.files(package.name, package.kind), written.value(package.name));
        QCOMPARE(package.originals,
                 (QVector<KeptOriginal>{{"faces/0000.jpg", ".zerun-originals/faces/0000.jpg"},
                                        {"readme.txt", ""}}));
        QVector<InstalledFile> files;
        QString why;
        QCOMPARE(again.checkPackage(package.name, package.kind, &files, &why),
                 InstalledPackages::Check::Sound);
        QCOMPARE(files, written.value(package.name));
    }
    QCOMPARE(names, kept);
    QCOMPARE(again.metaValue("gameFolder"), QString("copy A"));
    QCOMPARE(listing(box->path()),
             (QStringList{"installed_packages.db", "installed_packages.db-shm",
                          "installed_packages.db-wal", "installed_packages.db.damaged-<date>"}));
    const QString aside = box->filePath(
        QDir(box->path()).entryList({"installed_packages.db.damaged-*"}, QDir::Files).value(0));
    QCOMPARE(TestFiles::read(aside), damaged);
}

QTEST_GUILESS_MAIN(TestInstalledPackages)
#include "tst_installedpackages.moc"
