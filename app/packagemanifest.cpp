#include "packagemanifest.h"

#include "packagekind.h"
#include "unpacktransaction.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString formatName = QStringLiteral("zerun-package-record");
constexpr int formatVersion = 1;

QByteArray hashOf(const QJsonObject &record)
{
    return QCryptographicHash::hash(QJsonDocument(record).toJson(QJsonDocument::Compact),
                                    QCryptographicHash::Sha256)
        .toHex();
}

// Removes what a write cut off by a kill left beside the manifest ("<file>.<6 letters>"), and
// with `withManifest` the manifest too; true when none of it is left.
bool removeLeftovers(const QString &manifest, bool withManifest)
{
    const QFileInfo info(manifest);
    const QDir folder(info.path());
    QStringList names{info.fileName() + QStringLiteral(".??????")};
    if (withManifest)
        names << info.fileName();
    bool gone = true;
    for (const QString &leftover :
         folder.entryList(names, QDir::Files | QDir::Hidden | QDir::System))
        gone = QFile::remove(folder.filePath(leftover)) && gone;
    return gone;
}

} // namespace

QString PackageManifest::prefix()
{
    return QStringLiteral(".zerun-record-");
}

QString PackageManifest::pathFor(const QString &packageFolder, const QString &name,
                                 const QString &kind)
{
    const QByteArray key =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    // The kind as a file name may hold it: letters and digits only.
    QString safeKind = kind;
    safeKind.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
    return QDir::cleanPath(packageFolder) + QLatin1Char('/') + prefix() + safeKind +
           QLatin1Char('-') + QString::fromLatin1(key) + QStringLiteral(".json");
}

bool PackageManifest::isManifest(const QString &relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !clean.contains(QLatin1Char('/')) && clean.startsWith(prefix());
}

bool PackageManifest::write(const QString &packageFolder, const InstalledPackage &record,
                            QString *why)
{
    const QJsonObject content = InstalledPackages::recordToJson(record);
    const QJsonObject document{{QStringLiteral("format"), formatName},
                               {QStringLiteral("version"), formatVersion},
                               {QStringLiteral("record"), content},
                               {QStringLiteral("sha256"), QString::fromLatin1(hashOf(content))}};
    const QString file = pathFor(packageFolder, record.name, record.kind);
    removeLeftovers(file, false);
    if (UnpackTransaction::saveJournal(file, QJsonDocument(document).toJson()))
        return true;
    if (why)
        *why = QStringLiteral("could not write ") + file;
    return false;
}

bool PackageManifest::remove(const QString &packageFolder, const QString &name, const QString &kind)
{
    return removeLeftovers(pathFor(packageFolder, name, kind), true);
}

bool PackageManifest::read(const QString &file, InstalledPackage *record, QString *why)
{
    QFile source(file);
    const auto damaged = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    // A manifest lists files, not their bytes: 64 MiB is far beyond any real one.
    if (!source.open(QIODevice::ReadOnly) || source.size() > (64 << 20))
        return damaged(QStringLiteral("cannot be read"));
    QJsonParseError parsed;
    const QJsonObject document = QJsonDocument::fromJson(source.readAll(), &parsed).object();
    if (parsed.error != QJsonParseError::NoError)
        return damaged(QStringLiteral("is not valid JSON (") + parsed.errorString() +
                       QLatin1Char(')'));
    if (document.value(QStringLiteral("format")).toString() != formatName ||
        document.value(QStringLiteral("version")).toInt() != formatVersion)
        return damaged(QStringLiteral("has an unknown format"));
    const QJsonObject content = document.value(QStringLiteral("record")).toObject();
    if (document.value(QStringLiteral("sha256")).toString().toLatin1() != hashOf(content))
        return damaged(QStringLiteral("does not match its checksum"));
    *record = InstalledPackages::recordFromJson(content);
    if (record->name.isEmpty() || !PackageKind::find(record->kind))
        return damaged(QStringLiteral("names no package"));
    return true;
}

QStringList PackageManifest::find(const QString &gameFolder)
{
    QStringList found;
    for (const PackageKind &kind : PackageKind::all()) {
        const QDir structure(QDir::cleanPath(gameFolder) + QLatin1Char('/') + kind.destination);
        const QFileInfoList folders =
            structure.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
        for (const QFileInfo &folder : folders) {
            if (folder.isSymLink())
                continue;
            const QDir package(folder.filePath());
            const QFileInfoList manifests = package.entryInfoList(
                {prefix() + QStringLiteral("*.json")}, QDir::Files | QDir::Hidden, QDir::Name);
            for (const QFileInfo &manifest : manifests) {
                if (!manifest.isSymLink())
                    found << QDir::cleanPath(manifest.filePath());
            }
        }
    }
    return found;
}
