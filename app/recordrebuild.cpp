#include "recordrebuild.h"

#include "gamerecords.h"
#include "installedpackages.h"
#include "packagemanifest.h"
#include "packageremoval.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

const QString pathKey = QStringLiteral("path");
const QString identityKey = QStringLiteral("identity");

// A record found in `folder` (relative to the game folder), though written for another: the
// package folder was renamed, and the folders its install made with it.
void relocate(InstalledPackage *record, const QString &folder)
{
    if (record->folder == folder)
        return;
    for (QString &created : record->createdFolders) {
        if (created == record->folder)
            created = folder;
        else if (created.startsWith(record->folder + QLatin1Char('/')))
            created = folder + created.mid(record->folder.size());
    }
    record->folder = folder;
}

// Puts the records of the manifests that the database lacks back into it.
void rebuild(const QString &game, InstalledPackages &records, RecordRebuild::Result *result)
{
    QSet<QString> known;
    for (const InstalledPackage &package : records.all())
        known.insert(PackageManifest::pathFor(game + QLatin1Char('/') + package.folder,
                                              package.name, package.kind));
    const QStringList manifests = PackageManifest::find(game);
    for (const QString &file : manifests) {
        if (known.contains(file))
            continue;
        InstalledPackage record;
        QString why;
        const QString folder = QDir(game).relativeFilePath(QFileInfo(file).path());
        if (!PackageManifest::read(file, &record, &why)) {
            result->damaged << file + QStringLiteral(" (") + why + QLatin1Char(')');
            continue;
        }
        if (PackageManifest::pathFor(QFileInfo(file).path(), record.name, record.kind) != file) {
            result->damaged << file + QStringLiteral(" (is not named for its package)");
            continue;
        }
        relocate(&record, folder);
        if (const InstalledPackage *other = records.find(record.name, record.kind)) {
            result->log << QStringLiteral(
                               "%1 in %2 is recorded in %3 already; %4 was left as it is")
                               .arg(record.name, folder, other->folder, file);
            continue;
        }
        if (!records.put(record)) {
            result->log << QStringLiteral("could not record %1 again: %2")
                               .arg(record.name, records.errorString());
            continue;
        }
        ++result->found;
        result->log
            << QStringLiteral("found %1 (%2) again in %3").arg(record.name, record.kind, folder);
    }
}

// Writes the manifests the packages of the database lack in their folders.
void backfill(const QString &game, InstalledPackages &records, RecordRebuild::Result *result)
{
    const QVector<InstalledPackage> all = records.all();
    for (const InstalledPackage &package : all) {
        const QString folder = game + QLatin1Char('/') + package.folder;
        if (!QFileInfo(folder).isDir() ||
            QFileInfo::exists(PackageManifest::pathFor(folder, package.name, package.kind)) ||
            !PackageRemoval::reachableFromGame(game, package.folder))
            continue;
        InstalledPackage whole = package;
        QString why;
        if (records.checkPackage(package.name, package.kind, &whole.files, &why) !=
                InstalledPackages::Check::Sound ||
            !PackageManifest::write(folder, whole, &why)) {
            result->log << QStringLiteral("no record of %1 was written into %2: %3")
                               .arg(package.name, package.folder, why);
            continue;
        }
        result->log
            << QStringLiteral("wrote the record of %1 into %2").arg(package.name, package.folder);
    }
}

} // namespace

QString RecordRebuild::ownerKey()
{
    return QStringLiteral("gameFolder");
}

RecordRebuild::Result RecordRebuild::settle(const QString &gameFolder, InstalledPackages &records)
{
    Result result;
    const QString game = QDir::cleanPath(gameFolder);
    if (records.inUse() || !QFileInfo(game).isDir())
        return result;
    const GameRecords::Game copy = GameRecords::identify(game);
    const QJsonObject owner =
        QJsonDocument::fromJson(records.metaValue(ownerKey()).toUtf8()).object();
    const QString ownerPath = owner.value(pathKey).toString();
    const QString ownerIdentity = owner.value(identityKey).toString();
    // The same copy by its place or by what it is on its disk (moved, or put back from a backup).
    if (!ownerPath.isEmpty() && ownerPath != copy.path &&
        (ownerIdentity.isEmpty() || ownerIdentity != copy.identity)) {
        result.otherCopy = true;
        result.log << QStringLiteral("%1 holds the records of the game folder %2, not of %3; it "
                                     "was left to that copy")
                          .arg(records.filePath(), ownerPath, copy.path);
        records.setPath(GameRecords::newDatabaseFor(game));
        QString notice;
        records.load(&notice);
        if (records.inUse())
            return result;
    }
    rebuild(game, records, &result);
    backfill(game, records, &result);
    const QString stamp = QString::fromUtf8(
        QJsonDocument(QJsonObject{{pathKey, copy.path}, {identityKey, copy.identity}})
            .toJson(QJsonDocument::Compact));
    if (records.metaValue(ownerKey()) != stamp && !records.setMetaValue(ownerKey(), stamp))
        result.log << records.errorString();
    if (result.found > 0 || result.otherCopy)
        //: One line on the catalogue page
        result.notice = tr("Found %n installed package(s) again in the game folder; the "
                           "details are in the log.",
                           nullptr, result.found);
    if (!result.damaged.isEmpty())
        //: One line on the catalogue page
        result.notice += (result.notice.isEmpty() ? QString() : QStringLiteral(" ")) +
                         tr("%n record(s) in the game folder are damaged and were not used; the "
                            "details are in the log.",
                            nullptr, int(result.damaged.size()));
    return result;
}
