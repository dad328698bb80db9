// The records of installed packages through the window, when they cannot be trusted: a database
// another program keeps locked at start, a database with a damaged page before an uninstall, and
// records lost in many ways, rebuilt from the game folder. The game folder is compared whole,
// byte for byte.

#include "apppaths.h"
#include "cataloguerows.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "modalscript.h"
#include "packagemanifest.h"
#include "repolist.h"
#include "roadfixture.h"
#include "testfiles.h"
#include "translations.h"
#include "tslogging.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QtTest>

class TestRecords : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lockedAtStart();
    void damagedPageBeforeUninstall();
    void rebuiltFromTheGameFolder_data();
    void rebuiltFromTheGameFolder();

private:
    void openWindow(const QString &folder = QString());
    // Opens the window on `folder` with the package list read, shows the Installed view and
    // returns its rows, each with its mark.
    QStringList installedView(const QString &folder);
    // Installs the packages `shown` into `folder`, naming their folders `names` in turn.
    void installInto(const QString &folder, const QStringList &shown, const QStringList &names);
    // Installs Neat Skin into Skins/NeatSkin through the window, which is then closed.
    void installNeatSkin();
    int markOfNeatSkin() const;
    QString status() const { return child<QLabel>(*window, "catalogue_status")->text(); }
    // Presses Uninstall for Neat Skin and confirms; what the window then tells.
    QString uninstallNeatSkin();

    std::unique_ptr<Zerun> window;
};

void TestRecords::initTestCase()
{
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
    QCoreApplication::setOrganizationName("Tandel Orvik");
    QCoreApplication::setApplicationName("Zerun Installer");
    AppPaths::createFolders();
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
    TsLogging::installMessageHandler();
}

void TestRecords::init()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
}

void TestRecords::cleanup()
{
    window.reset();
    tearDownRoad();
}

void TestRecords::openWindow(const QString &folder)
{
    window = std::make_unique<Zerun>();
    if (!folder.isEmpty())
        window->setGameFolder(folder);
    ModalScript none({});
    QVERIFY(window->initialise());
    QCOMPARE(none.unexpected(), 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(repoList(*window)->count(), 3);
}

void TestRecords::installNeatSkin()
{
    openWindow();
    const RepoList repo = repoList(*window);
    repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first());
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
    ModalScript script({ModalScript::acceptText("NeatSkin")});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(TestFiles::read(game("Skins/NeatSkin/skin.ini")), QByteArray("[skin]\nname=Neat\n"));
    window.reset();
}

int TestRecords::markOfNeatSkin() const
{
    const QList<RepoList::Row> found =
        repoList(*window)->findItems("Neat Skin [Skin]", Qt::MatchExactly);
    return found.isEmpty() ? -1 : found.first()->data(Zerun::markRole).toInt();
}

QString TestRecords::uninstallNeatSkin()
{
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    const RepoList repo = repoList(*window);
    repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchStartsWith).first());
    QString told;
    ModalScript script({ModalScript::clickButton("Uninstall"), [&told](QWidget *modal) {
                            if (auto *box = qobject_cast<QMessageBox *>(modal))
                                told = box->text();
                            qobject_cast<QDialog *>(modal)->accept();
                        }});
    QTest::mouseClick(child<QPushButton>(*window, "uninstall_package"), Qt::LeftButton);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000); }();
    return told;
}

void TestRecords::lockedAtStart()
{
    const QMap<QString, QByteArray> bare = TestFiles::tree(game());
    installNeatSkin();
    const QMap<QString, QByteArray> installed = TestFiles::tree(game());
    const QString database = InstalledPackages::defaultPath();
    const QByteArray bytes = TestFiles::read(database);

    // Another program holds the records to itself for longer than the start waits.
    QProcess holder;
    holder.start(QString(ZERUN_BIN_DIR) + "/zerun-test-record", {database, "hold", "9000"});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    openWindow();
    QVERIFY2(status().contains("in use by another program"), qPrintable(status()));
    QCOMPARE(markOfNeatSkin(), int(Zerun::NotInstalled));
    QVERIFY(holder.waitForFinished(30000));
    QCOMPARE(holder.exitCode(), 0);
    window.reset();
    // Kept as it was, never set aside as damaged; the game folder untouched.
    QCOMPARE(QDir(AppPaths::cacheFolder()).entryList({"installed_packages.db*"}, QDir::Files),
             QStringList{"installed_packages.db"});
    QCOMPARE(TestFiles::read(database), bytes);
    QCOMPARE(TestFiles::tree(game()), installed);

    // The next start reads them: the package is installed and its uninstall takes it all.
    openWindow();
    QVERIFY2(!status().contains("in use"), qPrintable(status()));
    QCOMPARE(markOfNeatSkin(), int(Zerun::Installed));
    const QString told = uninstallNeatSkin();
    QVERIFY2(told.startsWith("Uninstalled Neat Skin"), qPrintable(told));
    QCOMPARE(TestFiles::tree(game()), bare);
}

void TestRecords::damagedPageBeforeUninstall()
{
    // A skin of 400 files, so that its file rows fill pages of their own.
    QMap<QString, QByteArray> files{{"skin.ini", "[skin]\nname=Neat\n"}};
    for (int i = 0; i < 400; ++i)
        files.insert(QString("bg/part%1.txt").arg(i, 3, 10, QChar('0')),
                     "background part " + QByteArray::number(i));
    makePackage("neatskin.zip", files);
    installNeatSkin();
    openWindow();
    QCOMPARE(markOfNeatSkin(), int(Zerun::Installed));
    const QMap<QString, QByteArray> installed = TestFiles::tree(game());

    // While the window is open, 4 KiB of the records are overwritten: the page holding the row
    // of bg/part200.txt (its hash is stored there alone).
    const QString database = InstalledPackages::defaultPath();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "checkpoint");
        db.setDatabaseName(database);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("PRAGMA wal_checkpoint(TRUNCATE)"));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("checkpoint");
    {
        const QByteArray hash =
            QCryptographicHash::hash(files.value("bg/part200.txt"), QCryptographicHash::Sha256)
                .toHex();
        QFile file(database);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const int at = file.readAll().indexOf(hash);
        QVERIFY(at > 0);
        QVERIFY(file.seek(at / 4096 * 4096));
        QCOMPARE(file.write(QByteArray(4096, char(0x5a))), qint64(4096));
    }

    // Nothing is removed, nothing is journalled, and the player is told why.
    const QString told = uninstallNeatSkin();
    QVERIFY2(told.contains("Could not uninstall Neat Skin") &&
                 told.contains("records of installed packages are damaged") &&
                 told.contains("nothing was removed"),
             qPrintable(told));
    QCOMPARE(TestFiles::tree(game()), installed);
    QCOMPARE(QDir(InstallRecovery::journalFolder()).entryList(QDir::Files), QStringList());
    // Verify says so too, instead of calling the package's own files missing.
    {
        const RepoList repo = repoList(*window);
        repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first());
        QString verified;
        ModalScript verify({[&verified](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                verified = box->text();
            qobject_cast<QDialog *>(modal)->accept();
        }});
        QTest::mouseClick(child<QPushButton>(*window, "verify_package"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(verify.finished(), 20000);
        QVERIFY2(verified.contains("The records of Neat Skin cannot be read whole"),
                 qPrintable(verified));
    }
    QCOMPARE(TestFiles::tree(game()), installed);
    window.reset();

    // The next start keeps the damaged file aside and finds the package again from the record
    // in its folder; no journal claims anything, and the game folder is as the install left it.
    openWindow();
    QVERIFY2(status().contains("Found 1 installed package again"), qPrintable(status()));
    QCOMPARE(markOfNeatSkin(), int(Zerun::Installed));
    window.reset();
    QCOMPARE(TestFiles::tree(game()), installed);
    QCOMPARE(QDir(AppPaths::cacheFolder())
                 .entryList({"installed_packages.db.damaged-*"}, QDir::Files)
                 .size(),
             1);
    const QByteArray log = TestFiles::read(AppPaths::dailyLogFile());
    QVERIFY(!log.contains("finished uninstalling"));
}

void TestRecords::installInto(const QString &folder, const QStringList &shown,
                              const QStringList &names)
{
    openWindow(folder);
    const RepoList repo = repoList(*window);
    for (const QString &name : shown) {
        repo->setCurrentItem(repo->findItems(name, Qt::MatchExactly).first());
        QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
    }
    QList<ModalScript::Step> steps;
    for (const QString &name : names)
        steps << ModalScript::acceptText(name);
    ModalScript script(steps);
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    window.reset();
}

QStringList TestRecords::installedView(const QString &folder)
{
    window = std::make_unique<Zerun>();
    window->setGameFolder(folder);
    ModalScript none({});
    if (!window->initialise())
        return {};
    window->show();
    const RepoList repo = repoList(*window);
    [&] { QTRY_VERIFY(repo->count() == 1 || status().contains("could not be loaded")); }();
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(CatalogueRows::installedFilter);
    QStringList rows;
    for (int row = 0; row < repo->count(); ++row)
        rows << repo->item(row)->text() + " | " +
                    QString::number(repo->item(row)->data(Zerun::markRole).toInt());
    return rows;
}

void TestRecords::rebuiltFromTheGameFolder_data()
{
    // Copy A (the first, with the database of the single store) has Faces and Neat Skin, copy
    // B Real World; the package list names none of them now. The window is opened on B first,
    // then on A.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("foundInA");
    QTest::addColumn<int>("foundInB");
    QTest::newRow("database overwritten") << "overwrite" << 2 << 0;
    QTest::newRow("database deleted") << "delete" << 2 << 0;
    // A damaged record is told and never trusted: Faces is not found again.
    QTest::newRow("database deleted, Faces' record damaged") << "delete damaged" << 1 << 0;
    QTest::newRow("database emptied") << "empty" << 2 << 0;
    QTest::newRow("database of the other copy") << "other" << 2 << 0;
    QTest::newRow("index garbled") << "index" << 0 << 1;
    QTest::newRow("index garbled, database overwritten") << "both" << 2 << 1;
    QTest::newRow("both, host away, no kept list") << "both away" << 2 << 1;
}

void TestRecords::rebuiltFromTheGameFolder()
{
    QFETCH(QString, damage);
    QFETCH(int, foundInA);
    QFETCH(int, foundInB);
    const QString a = game();
    const QString b = prefix->filePath("drive_d/TEW2016/");
    TestFiles::write(b + "TEW2016.exe", "MZ");
    installInto(a, {"Faces [Pic Pack]", "Neat Skin [Skin]"}, {"Faces", "NeatSkin"});
    installInto(b, {"Real World [Mod]"}, {"RealWorld"});
    serveCatalogue(catalogueLine("other.zip", "mods,Other"));
    const QString databaseOfB = GameRecords::databaseFor(b);
    QTemporaryDir saved;
    const auto copy = [](const QString &from, const QString &to) {
        QDir(to).removeRecursively();
        QCOMPARE(QProcess::execute("cp", {"-a", from, to}), 0);
    };
    copy(prefix->path(), saved.filePath("prefix"));
    copy(AppPaths::cacheFolder(), saved.filePath("cache"));

    // The undamaged run: each copy's Installed view, then Neat Skin uninstalled from A.
    const QStringList viewOfB = installedView(b);
    QCOMPARE(viewOfB.size(), 1);
    const QStringList viewOfA = installedView(a);
    QCOMPARE(viewOfA.size(), 2);
    QVERIFY2(viewOfA.first().contains("(not in the package list)"), qPrintable(viewOfA.first()));
    QVERIFY(uninstallNeatSkin().startsWith("Uninstalled Neat Skin"));
    window.reset();
    const QMap<QString, QByteArray> uninstalled = TestFiles::tree(prefix->path(), true);
    // Faces' and Real World's records stay in their folders; Neat Skin's went with it.
    QCOMPARE(QStringList(uninstalled.keys()).filter("/.zerun-record-").size(), 2);
    copy(saved.filePath("prefix"), prefix->path());
    copy(saved.filePath("cache"), AppPaths::cacheFolder());

    const QString database = InstalledPackages::defaultPath();
    if (damage == "overwrite" || damage.startsWith("both")) {
        QFile file(database);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.write(QByteArray(4096, char(0x5a))), qint64(4096));
    }
    if (damage.startsWith("delete"))
        QVERIFY(QFile::remove(database));
    QMap<QString, QByteArray> expected = uninstalled;
    QStringList expectedView = viewOfA;
    if (damage.endsWith("damaged")) {
        const QString record = PackageManifest::pathFor(a + "Pictures/Faces", "Faces", "pics");
        TestFiles::write(record, TestFiles::read(record).replace("faces", "fakes"));
        expected.insert(QDir(prefix->path()).relativeFilePath(record), TestFiles::read(record));
        expectedView = expectedView.filter("Neat Skin");
    }
    if (damage == "empty")
        QVERIFY(QFile::resize(database, 0));
    if (damage == "other")
        QVERIFY(QFile::remove(database) && QFile::copy(databaseOfB, database));
    if (damage == "index" || damage.startsWith("both"))
        TestFiles::write(GameRecords::indexPath(), QByteArray(20, char(0xa7)));

    if (damage.endsWith("away")) {
        qputenv("ZERUN_CATALOGUE_HOST", "http://127.0.0.1:9");
        for (const QString &kept : QDir(AppPaths::cacheFolder()).entryList({"catalogue.*"}))
            QVERIFY(QFile::remove(AppPaths::cacheFolder() + "/" + kept));
    }

    // Each copy shows its own packages again, says once what it found, and the uninstall
    // leaves what the undamaged one left.
    const auto told = [this](int found) {
        QCOMPARE(
            status()
                .section('\n', 0, 0)
                .contains(QCoreApplication::translate("RecordRebuild",
                                                      "Found %n installed package(s) again in the "
                                                      "game folder; the details are in the log.",
                                                      nullptr, found)),
            found > 0);
    };
    QCOMPARE(installedView(b), viewOfB);
    told(foundInB);
    QCOMPARE(installedView(a), expectedView);
    told(foundInA);
    QCOMPARE(status().contains(QCoreApplication::translate(
                 "RecordRebuild",
                 "%n record(s) in the game folder are damaged and were not used; the details are "
                 "in the log.",
                 nullptr, 1)),
             damage.endsWith("damaged"));
    QVERIFY(uninstallNeatSkin().startsWith("Uninstalled Neat Skin"));
    window.reset();
    QCOMPARE(TestFiles::tree(prefix->path(), true), expected);
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
