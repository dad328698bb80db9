#include "installedpackages.h"

#include "apppaths.h"

#include <QCryptographicHash>
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

InstalledPackages::~InstalledPackages() = default;

QString InstalledPackages::defaultPath()
{
    return AppPaths::cacheFolder() + QStringLiteral("/installed_packages.json");
}

namespace {

// A relative path that stays where it is put.
bool staysInside(const QString &relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !relative.isEmpty() && !QDir::isAbsolutePath(clean) && clean != QLatin1String("..") &&
           !clean.startsWith(QLatin1String("../")) && clean != QLatin1String(".");
}

} // namespace

bool InstalledPackages::load(QString *notice)
{
    packages.clear();
    packageFiles.clear();
    QFile file(path);
    if (!file.exists())
        return true;
    const auto damaged = [&](const QString &reason) {
        // Kept aside, so the next save cannot write over what might still be read by hand.
        const QString aside =
            path + QStringLiteral(".damaged-") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        file.close();
        QFile::rename(path, aside);
        if (notice)
            *notice = reason + QStringLiteral("; it was kept as ") + aside;
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return damaged(QStringLiteral("cannot read ") + path);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return damaged(path + QStringLiteral(" is not a valid record document (") +
                       parseError.errorString() + QLatin1Char(')'));
    const QJsonObject root = document.object();
    if (root.value(formatKey).toInt() != formatVersion)
        return damaged(path + QStringLiteral(" has an unknown format"));
    QStringList skipped;
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
        package.fromDisk = item.value(QStringLiteral("fromDisk")).toBool();
        package.createdFoldersKnown = item.contains(QStringLiteral("createdFolders"));
        for (const QJsonValue &folder : item.value(QStringLiteral("createdFolders")).toArray()) {
            if (staysInside(folder.toString()))
                package.createdFolders << QDir::cleanPath(folder.toString());
        }
        // A record must say where its package is; a folder that climbs out is never trusted.
        if (package.name.isEmpty() || !staysInside(package.folder)) {
            skipped << (package.name.isEmpty() ? QStringLiteral("a record without a name")
                                               : package.name);
            continue;
        }
        QVector<InstalledFile> files;
        const QJsonArray fileList = item.value(QStringLiteral("files")).toArray();
        for (const QJsonValue &fileValue : fileList) {
            const QJsonObject entry = fileValue.toObject();
            InstalledFile installed;
            installed.path = entry.value(QStringLiteral("path")).toString();
            installed.size = qint64(entry.value(QStringLiteral("size")).toDouble());
            installed.sha256 = entry.value(QStringLiteral("sha256")).toString().toLatin1();
            // One file that would lie outside its package costs that file only.
            if (!staysInside(installed.path)) {
                skipped << package.name + QStringLiteral(": ") + installed.path;
                continue;
            }
            files.append(installed);
        }
        packages.append(package);
        packageFiles.append(files);
    }
    if (!skipped.isEmpty() && notice)
        *notice = QStringLiteral("Installed packages: left out what could not be trusted: ") +
                  skipped.join(QStringLiteral(", "));
    return true;
}

bool InstalledPackages::save()
{
    QJsonArray list;
    for (int i = 0; i < packages.size(); ++i) {
        const InstalledPackage &package = packages.at(i);
        QJsonArray files;
        for (const InstalledFile &file : packageFiles.at(i))
            files.append(QJsonObject{{QStringLiteral("path"), file.path},
                                     {QStringLiteral("size"), double(file.size)},
                                     {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
        QJsonObject item{
            {QStringLiteral("name"), package.name},
            {QStringLiteral("kind"), package.kind},
            {QStringLiteral("folder"), package.folder},
            {QStringLiteral("url"), package.url},
            {QStringLiteral("archiveSize"), double(package.archiveSize)},
            {QStringLiteral("archiveSha256"), QString::fromLatin1(package.archiveSha256)},
            {QStringLiteral("validator"), package.validator},
            {QStringLiteral("installed"), package.installed.toString(Qt::ISODateWithMs)},
            {QStringLiteral("fromDisk"), package.fromDisk},
            {QStringLiteral("files"), files}};
        if (package.createdFoldersKnown)
            item.insert(QStringLiteral("createdFolders"),
                        QJsonArray::fromStringList(package.createdFolders));
        list.append(item);
    }
    const QJsonObject root{{formatKey, formatVersion}, {QStringLiteral("packages"), list}};
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("could not write ") + path;
        return false;
    }
    return true;
}

const InstalledPackage *InstalledPackages::find(const QString &name, const QString &kind) const
{
    for (const InstalledPackage &package : packages) {
        if (package.name == name && package.kind == kind)
            return &package;
    }
    return nullptr;
}

QVector<InstalledFile> InstalledPackages::files(const QString &name, const QString &kind) const
{
    for (int i = 0; i < packages.size(); ++i) {
        if (packages.at(i).name == name && packages.at(i).kind == kind)
            return packageFiles.at(i);
    }
    return {};
}

bool InstalledPackages::put(const InstalledPackage &package)
{
    const auto oldPackages = packages;
    const auto oldFiles = packageFiles;
    InstalledPackage row = package;
    row.files.clear();
    bool replaced = false;
    for (int i = 0; i < packages.size(); ++i) {
        if (packages.at(i).name == package.name && packages.at(i).kind == package.kind) {
            packages[i] = row;
            packageFiles[i] = package.files;
            replaced = true;
            break;
        }
    }
    if (!replaced) {
        packages.append(row);
        packageFiles.append(package.files);
    }
    if (save())
        return true;
    packages = oldPackages;
    packageFiles = oldFiles;
    return false;
}

bool InstalledPackages::remove(const QString &name, const QString &kind)
{
    for (int i = 0; i < packages.size(); ++i) {
        if (packages.at(i).name == name && packages.at(i).kind == kind) {
            const InstalledPackage package = packages.takeAt(i);
            const QVector<InstalledFile> files = packageFiles.takeAt(i);
            if (save())
                return true;
            packages.insert(i, package);
            packageFiles.insert(i, files);
            return false;
        }
    }
    return true;
}

bool InstalledPackages::ownedByOther(const QString &gamePath, const QByteArray &sha256,
                                     const QString &name, const QString &kind) const
{
    const QString wanted = QDir::cleanPath(gamePath);
    for (int i = 0; i < packages.size(); ++i) {
        const InstalledPackage &package = packages.at(i);
        if (package.name == name && package.kind == kind)
            continue;
        for (const InstalledFile &file : packageFiles.at(i)) {
            if (file.sha256 == sha256 &&
                QDir::cleanPath(package.folder + QLatin1Char('/') + file.path) == wanted)
                return true;
        }
    }
    return false;
}

QByteArray InstalledPackages::sha256Of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return QByteArray();
    return hash.result().toHex();
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
