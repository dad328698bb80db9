#include "apppaths.h"
#include "packagelistfile.h"
#include "testfiles.h"
#include "testprofile.h"
#include "translations.h"

#include <QTemporaryDir>
#include <QtTest>

// A package list written and read back as real files: the name the player typed gets the
// extension the import's filter shows, and a list with nothing in it is never written.
namespace {

InstalledPackage record(const QString &name, const QString &url, bool fromDisk = false)
{
    InstalledPackage package;
    package.name = name;
    package.kind = QStringLiteral("mods");
    package.url = url;
    package.fromDisk = fromDisk;
    return package;
}

} // namespace

class TestPackageListFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportAndImport_data();
    void exportAndImport();

private:
    TestProfile profile;
};

void TestPackageListFile::initTestCase()
{
    AppPaths::createFolders();
    // The English plural forms, as the installer loads them.
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
}

void TestPackageListFile::exportAndImport_data()
{
    QTest::addColumn<QString>("typed");  // the name given in the chooser
    QTest::addColumn<QString>("saved");  // the file written, "" for none
    QTest::addColumn<int>("packages");   // catalogue packages installed (one from disk besides)
    QTest::addColumn<QString>("report"); // the import's first line, or the refusal

    QTest::newRow("no extension") << "mylist"
                                  << "mylist.txt" << 2 << "Added 2 packages to the download list.";
    QTest::newRow("one package") << "mylist"
                                 << "mylist.txt" << 1 << "Added 1 package to the download list.";
    QTest::newRow("an extension of its own")
        << "my.list"
        << "my.list" << 1 << "Added 1 package to the download list.";
    QTest::newRow("a dotted folder, no extension")
        << "lists.v2/mine"
        << "lists.v2/mine.txt" << 1 << "Added 1 package to the download list.";
    QTest::newRow("nothing to export")
        << "mylist"
        << "" << 0
        << "There is nothing to export: no installed package came from the package list.";
}

void TestPackageListFile::exportAndImport()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(int, packages);
    QFETCH(QString, report);

    QTemporaryDir folder;
    QVERIFY(QDir().mkpath(folder.filePath("lists.v2")));
    QVector<InstalledPackage> records{record("From Disk", QString(), true)};
    QVector<CatalogueEntry> catalogue;
    for (int i = 0; i < packages; ++i) {
        const QString url = QString("http://127.0.0.1/files/p%1.zip").arg(i);
        records << record(QString("Package %1").arg(i), url);
        catalogue.append({url, QStringLiteral("mods"), QString("Package %1").arg(i)});
    }
    const auto before = TestFiles::tree(folder.path());
    const QString path = PackageListFile::withExtension(folder.filePath(typed));
    QCOMPARE(path, folder.filePath(saved.isEmpty() ? typed + ".txt" : saved));
    int written = -1;
    QString why;
    const bool wrote = PackageListFile::save(path, records, &written, &why);
    QCOMPARE(wrote, !saved.isEmpty());
    if (!wrote) {
        QCOMPARE(why, report);
        QCOMPARE(written, 0);
        QCOMPARE(TestFiles::tree(folder.path()), before);
        return;
    }
    QCOMPARE(written, packages);
    QVERIFY(QFileInfo(path).fileName().endsWith(saved.section('/', -1)));
    PackageListFile::Import imported;
    QVERIFY(PackageListFile::load(path, catalogue, &imported, &why));
    QCOMPARE(imported.entries.size(), packages);
    QCOMPARE(imported.describe().section('\n', 0, 0), report);
    QVERIFY(!imported.describe().contains("(s)"));
}

QTEST_MAIN(TestPackageListFile)
#include "tst_packagelistfile.moc"
