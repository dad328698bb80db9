#include "installedpackages.h"

#include "apppaths.h"
#include "sha256.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString formatKey = QStringLiteral("format");
constexpr int formatVersion = 1;

} // namespace

InstalledPackages::InstalledPackages(const QString &path) : path(path)
{}

QString InstalledPackages::defaultPath()
{
    return AppPaths::cacheFolder() + QStringLiteral("/installed_packages.json");
}

bool InstalledPackages::load(QString *why)
{
    packages.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    const auto damaged = [&](const QString &reason) {
        packages.clear();
        if (why)
            *why = reason;
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return damaged(QStringLiteral("cannot read ") + path);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return damaged(path + QStringLiteral(" is not a valid record document (") +
                       error.errorString() + QLatin1Char(')'));
    const QJsonObject root = document.object();
    if (root.value(formatKey).toInt() != formatVersion)
        return damaged(path + QStringLiteral(" has an unknown format"));
    const QJsonArray list = root.value(QStringLiteral("packages")).toArray();
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        InstalledPackage package;
        package.name = item.value(QStringLiteral("name")).toString();
        package.kind = item.value(QStringLiteral("kind")).toString();
        package.folder = item.value(QStringLiteral("folder")).toString();
        package.url = item.value(QStringLiteral("url")).toString();
        package.archiveSize = qint64(item.value(QStringLiteral("archiveSize")).toDouble());
        package.archiveSha256 = item.value(QStringLiteral("archiveSha256")).toString().toLatin1();
        package.validator = item.value(QStringLiteral("validator")).toString();
        package.installed = QDateTime::fromString(
            item.value(QStringLiteral("installed")).toString(), Qt::ISODateWithMs);
        // A record must say where its package is; a folder that climbs out is never trusted.
        const QString clean = QDir::cleanPath(package.folder);
        if (package.name.isEmpty() || package.folder.isEmpty() || QDir::isAbsolutePath(clean) ||
            clean.startsWith(QLatin1String("..")))
            return damaged(path + QStringLiteral(" holds a record without a valid folder"));
        const QJsonArray files = item.value(QStringLiteral("files")).toArray();
        for (const QJsonValue &fileValue : files) {
            const QJsonObject entry = fileValue.toObject();
            InstalledFile installed;
            installed.path = entry.value(QStringLiteral("path")).toString();
            installed.size = qint64(entry.value(QStringLiteral("size")).toDouble());
            installed.sha256 = entry.value(QStringLiteral("sha256")).toString().toLatin1();
            const QString cleanFile = QDir::cleanPath(installed.path);
            if (installed.path.isEmpty() || QDir::isAbsolutePath(cleanFile) ||
                cleanFile.startsWith(QLatin1String("..")))
                return damaged(path + QStringLiteral(" holds a file outside its package"));
            package.files.append(installed);
        }
        packages.append(package);
    }
    return true;
}

bool InstalledPackages::save() const
{
    QJsonArray list;
    for (const InstalledPackage &package : packages) {
        QJsonArray files;
        for (const InstalledFile &file : package.files)
            files.append(QJsonObject{{QStringLiteral("path"), file.path},
                                     {QStringLiteral("size"), double(file.size)},
                                     {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
        list.append(QJsonObject{
            {QStringLiteral("name"), package.name},
            {QStringLiteral("kind"), package.kind},
            {QStringLiteral("folder"), package.folder},
            {QStringLiteral("url"), package.url},
            {QStringLiteral("archiveSize"), double(package.archiveSize)},
            {QStringLiteral("archiveSha256"), QString::fromLatin1(package.archiveSha256)},
            {QStringLiteral("validator"), package.validator},
            {QStringLiteral("installed"), package.installed.toString(Qt::ISODateWithMs)},
            {QStringLiteral("files"), files}});
    }
    const QJsonObject root{{formatKey, formatVersion}, {QStringLiteral("packages"), list}};
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return file.write(bytes) == bytes.size() && file.commit();
}

const InstalledPackage *InstalledPackages::find(const QString &name, const QString &kind) const
{
    for (const InstalledPackage &package : packages) {
        if (package.name == name && package.kind == kind)
            return &package;
    }
    return nullptr;
}

void InstalledPackages::put(const InstalledPackage &package)
{
    for (InstalledPackage &known : packages) {
        if (known.name == package.name && known.kind == package.kind) {
            known = package;
            return;
        }
    }
    packages.append(package);
}

bool InstalledPackages::remove(const QString &name, const QString &kind)
{
    for (int i = 0; i < packages.size(); ++i) {
        if (packages.at(i).name == name && packages.at(i).kind == kind) {
            packages.remove(i);
            return true;
        }
    }
    return false;
}

QByteArray InstalledPackages::sha256Of(const QString &path)
{
    return Sha256::hexOfFile(path);
}

QVector<InstalledFile> InstalledPackages::describe(const QString &folder,
                                                   const QStringList &relativePaths)
{
    QVector<InstalledFile> files;
    files.reserve(relativePaths.size());
    const QDir base(folder);
    for (const QString &relative : relativePaths) {
        const QFileInfo info(base.filePath(relative));
        if (!info.isFile() || info.isSymLink())
            continue;
        files.append(InstalledFile{relative, info.size(), sha256Of(info.filePath())});
    }
    return files;
}
