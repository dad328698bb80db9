#pragma once

#include "apppaths.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "packagehost.h"
#include "testfiles.h"
#include "zipfixtures.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The ground the whole window's road runs on: the local package host serving a temporary site
// with the three sample packages (Info-ZIP zip makes them), a Wine-style prefix holding the game
// folder with WINEPREFIX pointing at it, an empty downloads folder and no record of installed
// packages. A test class derives from it, calls setUpRoad() in init() and tearDownRoad() in
// cleanup() (after closing its window), and links zerun-packagehost.
class RoadFixture
{
protected:
    void setUpRoad()
    {
        site = std::make_unique<QTemporaryDir>();
        prefix = std::make_unique<QTemporaryDir>();
        QVERIFY(site->isValid() && prefix->isValid());
        QVERIFY(QDir().mkpath(site->filePath("files")));
        host = std::make_unique<PackageHost>(site->path());
        QVERIFY(host->start());
        qputenv("ZERUN_CATALOGUE_HOST", host->baseUrl().toString().toUtf8());
        qputenv("ZERUN_SERVICE_HOST", host->baseUrl().toString().toUtf8());

        gameFolder = prefix->path() + "/drive_c/Program Files (x86)/GDS/TEW2016/";
        TestFiles::write(game("TEW2016.exe"), "MZ");
        for (const char *folder : {"Databases", "Pictures", "Skins"})
            QVERIFY(QDir().mkpath(game(folder)));
        qputenv("WINEPREFIX", prefix->path().toUtf8());

        makePackage("realworld.zip", {{"readme.txt", "Real World 2016\n"},
                                      {"data/promotions.txt", "Federation A\nFederation B\n"}});
        makePackage("faces.zip", {{"faces/one.txt", "face one"}, {"faces/two.txt", "face two"}});
        makePackage("neatskin.zip", {{"skin.ini", "[skin]\nname=Neat\n"}, {"bg/back.txt", "bg"}});
        QDir(AppPaths::downloadsFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));
        // Every case starts with nothing installed.
        for (const QString &suffix : {"", "-wal", "-shm"})
            QFile::remove(InstalledPackages::defaultPath() + suffix);
        QFile::remove(InstalledPackages::legacyPath());
        // and no game folder known: the case's game keeps the records above.
        QFile::remove(GameRecords::indexPath());
        QDir(GameRecords::databaseFolder()).removeRecursively();
    }

    void tearDownRoad()
    {
        host.reset();
        qunsetenv("WINEPREFIX");
    }

    // Zips `files` (path inside the archive -> bytes) into the site's files/ folder.
    void makePackage(const QString &archive, const QMap<QString, QByteArray> &files)
    {
        QTemporaryDir source;
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            TestFiles::write(source.filePath(it.key()), it.value());
        zipFolder(archive, source.path());
    }

    // Zips what `folder` holds into the site's files/ folder, in place of an archive of that name.
    void zipFolder(const QString &archive, const QString &folder)
    {
        QFile::remove(site->filePath("files/" + archive));
        QCOMPARE(
            ZipFixtures::run("zip", {"-q", "-r", site->filePath("files/" + archive), "."}, folder),
            0);
    }

    void serveCatalogue(const QByteArray &text)
    {
        TestFiles::write(site->filePath("files/index.dat"), text);
    }

    // One catalogue line for an archive of the site.
    QByteArray catalogueLine(const QByteArray &archive, const QByteArray &kindAndName) const
    {
        return host->baseUrl().toString().toUtf8() + "/files/" + archive + "," + kindAndName + "\n";
    }

    // The three sample packages: a mod, a picture pack and a skin, in that order.
    QByteArray standardCatalogue() const
    {
        return catalogueLine("realworld.zip", "mods,Real World") +
               catalogueLine("faces.zip", "pics,Faces") +
               catalogueLine("neatskin.zip", "skin,Neat Skin");
    }

    QString game(const QString &path = QString()) const { return gameFolder + path; }

    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<QTemporaryDir> prefix;
    std::unique_ptr<PackageHost> host;
    QString gameFolder;
};
