#include "installedpackages.h"

#include "apppaths.h"
#include "sha256.h"
#include "tslogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

// The record document of the former format.
const QString formatKey = QStringLiteral("format");
constexpr int formatVersion = 1;

// The database's layout, kept in its user_version.
constexpr int schemaVersion = 1;
const QString legacyImportedKey = QStringLiteral("legacyImported");

const char *const schema[] = {
    "CREATE TABLE packages ("
    " id INTEGER PRIMARY KEY,"
    " name TEXT NOT NULL,"
    " kind TEXT NOT NULL,"
    " folder TEXT NOT NULL,"
    " url TEXT NOT NULL DEFAULT '',"
    " archiveSize INTEGER NOT NULL DEFAULT 0,"
    " archiveSha256 TEXT NOT NULL DEFAULT '',"
    " validator TEXT NOT NULL DEFAULT '',"
    " installed TEXT NOT NULL DEFAULT '',"
    " fromDisk INTEGER NOT NULL DEFAULT 0,"
    " createdFolders TEXT NOT NULL DEFAULT '[]',"
    " createdFoldersKnown INTEGER NOT NULL DEFAULT 0,"
    " UNIQUE (name, kind))",
    "CREATE INDEX packages_folder ON packages (folder)",
    "CREATE TABLE files ("
    " package INTEGER NOT NULL REFERENCES packages (id),"
    " path TEXT NOT NULL,"
    " size INTEGER NOT NULL,"
    " sha256 TEXT NOT NULL,"
    " gamePath TEXT NOT NULL)",
    "CREATE INDEX files_package ON files (package)",
    "CREATE INDEX files_gamePath ON files (gamePath)",
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)",
};

const QString packageColumns = QStringLiteral(
    "id, name, kind, folder, url, archiveSize, archiveSha256, validator, installed, fromDisk, "
    "createdFolders, createdFoldersKnown");

std::atomic<quint64> connectionCount{0};

// A relative path that stays where it is put.
bool staysInside(const QString &relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !relative.isEmpty() && !QDir::isAbsolutePath(clean) && clean != QLatin1String("..") &&
           !clean.startsWith(QLatin1String("../")) && clean != QLatin1String(".");
}

QString gamePathOf(const QString &folder, const QString &path)
{
    return QDir::cleanPath(folder + QLatin1Char('/') + path);
}

QString stamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

// `base`, or `base` with a number when something already has that name.
QString freeName(const QString &base)
{
    QString name = base;
    for (int i = 2; QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal"));
         ++i)
        name = base + QLatin1Char('-') + QString::number(i);
    return name;
}

quint32 bigEndian(const QByteArray &bytes, int at, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// What the file's first page says: an SQLite database, all of whose pages are there. A write-
// ahead log beside it may still hold pages the file lacks, so the length is only checked without
// one. An empty file is a database yet to be written.
bool looksWhole(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.exists() || file.size() == 0)
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("cannot be read");
        return false;
    }
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        *why = QStringLiteral("is not a database");
        return false;
    }
    const QFileInfo wal(path + QStringLiteral("-wal"));
    if (wal.exists() && wal.size() > 0)
        return true;
    const quint32 pageSizeField = bigEndian(header, 16, 2);
    const qint64 pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    const quint32 pageCount = bigEndian(header, 28, 4);
    // The count is trusted only while the change counter matches the one it was written with.
    const bool countValid = pageCount > 0 && bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
    if (countValid && file.size() < pageCount * pageSize) {
        *why = QStringLiteral("is shorter than its pages (cut off)");
        return false;
    }
    return true;
}

QString foldersText(const QStringList &folders)
{
    return QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(folders)).toJson(QJsonDocument::Compact));
}

QStringList foldersFrom(const QString &text)
{
    QStringList folders;
    const QJsonArray list = QJsonDocument::fromJson(text.toUtf8()).array();
    for (const QJsonValue &value : list) {
        if (staysInside(value.toString()))
            folders << QDir::cleanPath(value.toString());
    }
    return folders;
}

// A text for a NOT NULL column: a null QString would be bound as NULL.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

QString text(const QByteArray &value)
{
    return value.isNull() ? QStringLiteral("") : QString::fromLatin1(value);
}

QString describeError(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

} // namespace

InstalledPackages::InstalledPackages(const QString &path)
    : path(path), connectionName(QStringLiteral("installedpackages-%1").arg(connectionCount++))
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
}

InstalledPackages::~InstalledPackages()
{
    close();
    QSqlDatabase::removeDatabase(connectionName);
}

void InstalledPackages::setPath(const QString &databasePath)
{
    if (databasePath == path)
        return;
    close();
    packages.clear();
    path = databasePath;
}

QString InstalledPackages::defaultPath()
{
    return AppPaths::cacheFolder() + QStringLiteral("/installed_packages.db");
}

QString InstalledPackages::legacyPath(const QString &databasePath)
{
    const QFileInfo info(databasePath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".json");
}

void InstalledPackages::setBusyTimeout(int milliseconds)
{
    busyTimeout = milliseconds;
    if (opened)
        QSqlQuery(QSqlDatabase::database(connectionName, false))
            .exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeout));
}

bool InstalledPackages::fail(const QString &what, const QString &detail)
{
    error = what + QStringLiteral(" in ") + path + QStringLiteral(": ") + detail;
    return false;
}

void InstalledPackages::close()
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    db.close();
    opened = false;
}

bool InstalledPackages::openDatabase(QString *why)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!looksWhole(path, why))
        return false;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid()) {
        *why = QStringLiteral("the SQLite driver of Qt SQL is missing");
        return false;
    }
    db.setDatabaseName(path);
    if (!db.open()) {
        *why = describeError(db.lastError());
        return false;
    }
    QSqlQuery query(db);
    // The timeout first: everything after may have to wait for another writer.
    if (!query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeout))) {
        *why = describeError(query.lastError());
        return false;
    }
    // Nothing is changed in a file before it is known to hold these records, or nothing.
    bool fresh = false;
    if (!checkSchema(why, &fresh))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next() ||
        query.value(0).toString() != QLatin1String("wal")) {
        *why = query.lastError().isValid() ? describeError(query.lastError())
                                           : QStringLiteral("no write-ahead log could be started");
        return false;
    }
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA synchronous = FULL"))) {
        *why = describeError(query.lastError());
        return false;
    }
    return !fresh || createLayout(why);
}

bool InstalledPackages::checkSchema(QString *why, bool *fresh)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *why = describeError(query.lastError());
        return false;
    }
    const int version = query.value(0).toInt();
    if (version > schemaVersion) {
        *why = QStringLiteral("was written by a newer installer (layout %1)").arg(version);
        return false;
    }
    if (version == schemaVersion) {
        // The statements compile only against tables with every column this code reads.
        if (!query.prepare(QStringLiteral("SELECT ") + packageColumns +
                           QStringLiteral(" FROM packages LIMIT 0")) ||
            !query.prepare(QStringLiteral(
                "SELECT package, path, size, sha256, gamePath FROM files LIMIT 0")) ||
            !query.prepare(QStringLiteral("SELECT key, value FROM meta LIMIT 0"))) {
            *why = QStringLiteral("lacks the tables of installed packages (") +
                   describeError(query.lastError()) + QLatin1Char(')');
            return false;
        }
        return true;
    }
    // A new database: nothing may be in it yet.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        *why = describeError(query.lastError());
        return false;
    }
    if (query.value(0).toInt() != 0) {
        *why = QStringLiteral("holds tables of something else");
        return false;
    }
    *fresh = true;
    return true;
}

bool InstalledPackages::createLayout(QString *why)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *why = describeError(query.lastError());
        return false;
    }
    // Another object may have laid it out while this one waited.
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next() &&
        query.value(0).toInt() == schemaVersion) {
        query.finish();
        query.exec(QStringLiteral("COMMIT"));
        return true;
    }
    query.finish();
    bool written = true;
    for (const char *statement : schema)
        written = written && query.exec(QString::fromLatin1(statement));
    written = written && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    if (!written) {
        *why = describeError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        *why = describeError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

QString InstalledPackages::keepAside(const QString &file)
{
    const QString aside = freeName(file + QStringLiteral(".damaged-") + stamp());
    if (!QFile::rename(file, aside))
        return QString();
    // The log goes with it, where SQLite looks for it when the kept file is opened by hand.
    if (QFileInfo::exists(file + QStringLiteral("-wal")))
        QFile::rename(file + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
    return aside;
}

bool InstalledPackages::open(QString *notice)
{
    if (opened)
        return true;
    const auto tell = [notice](const QString &text) {
        if (notice)
            *notice += (notice->isEmpty() ? QString() : QStringLiteral("; ")) + text;
        else
            TsLogging::Log::debug(TsLogging::Channel::strName(),
                                  QStringLiteral("Installed packages: ") + text);
    };
    bool whole = true;
    QString why;
    if (!openDatabase(&why)) {
        close();
        whole = false;
        const QString aside = QFileInfo::exists(path) ? keepAside(path) : QString();
        QString again;
        if (!openDatabase(&again)) {
            close();
            tell(path + QStringLiteral(" cannot be used (") + why + QLatin1Char(')'));
            return fail(QStringLiteral("cannot open the records"), again);
        }
        tell(
            path + QStringLiteral(" could not be used (") + why +
            (aside.isEmpty() ? QStringLiteral(")") : QStringLiteral("); it was kept as ") + aside) +
            QStringLiteral(" and a new record was started"));
    }
    opened = true;
    QString imported;
    if (!importLegacy(&imported))
        whole = false;
    if (!imported.isEmpty())
        tell(imported);
    return whole;
}

bool InstalledPackages::importLegacy(QString *notice)
{
    const QString document = legacyPath(path);
    if (!QFileInfo::exists(document))
        return true;
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(db);
    const QString done = freeName(document + QStringLiteral(".imported"));
    // Imported before, and only the renaming failed: the database has the newer rows.
    query.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?"));
    query.addBindValue(legacyImportedKey);
    if (query.exec() && query.next()) {
        QFile::rename(document, done);
        return true;
    }
    query.finish();

    QFile file(document);
    const auto damaged = [&](const QString &reason) {
        // Kept aside, never written over: it may still be read by hand.
        file.close();
        const QString aside = freeName(document + QStringLiteral(".damaged-") + stamp());
        QFile::rename(document, aside);
        *notice = reason + QStringLiteral("; it was kept as ") + aside;
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return damaged(QStringLiteral("cannot read ") + document);
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(file.readAll(), &parseError);
    file.close();
    if (parseError.error != QJsonParseError::NoError || !parsed.isObject())
        return damaged(document + QStringLiteral(" is not a valid record document (") +
                       parseError.errorString() + QLatin1Char(')'));
    const QJsonObject root = parsed.object();
    if (root.value(formatKey).toInt() != formatVersion)
        return damaged(document + QStringLiteral(" has an unknown format"));

    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(QStringLiteral("cannot import ") + document, describeError(query.lastError()));
        *notice = error;
        return false;
    }
    QStringList skipped;
    bool written = true;
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
        const QJsonArray fileList = item.value(QStringLiteral("files")).toArray();
        package.files.reserve(fileList.size());
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
            package.files.append(installed);
        }
        if (!writePackage(package)) {
            written = false;
            break;
        }
    }
    if (written) {
        query.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)"));
        query.addBindValue(legacyImportedKey);
        query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
        written = query.exec() || fail(QStringLiteral("cannot import ") + document,
                                       describeError(query.lastError()));
        query.finish();
    }
    if (!written || !query.exec(QStringLiteral("COMMIT"))) {
        if (written)
            fail(QStringLiteral("cannot import ") + document, describeError(query.lastError()));
        query.exec(QStringLiteral("ROLLBACK"));
        // The document stays where it is, for the next start.
        *notice = error;
        return false;
    }
    QFile::rename(document, done);
    if (!skipped.isEmpty())
        *notice = QStringLiteral("while importing ") + document +
                  QStringLiteral(", left out what could not be trusted: ") +
                  skipped.join(QStringLiteral(", "));
    return true;
}

bool InstalledPackages::readPackages(QString *why)
{
    packages.clear();
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ") + packageColumns +
                    QStringLiteral(" FROM packages ORDER BY id"))) {
        *why = describeError(query.lastError());
        return false;
    }
    while (query.next()) {
        InstalledPackage package;
        package.name = query.value(1).toString();
        package.kind = query.value(2).toString();
        package.folder = query.value(3).toString();
        package.url = query.value(4).toString();
        package.archiveSize = query.value(5).toLongLong();
        package.archiveSha256 = query.value(6).toString().toLatin1();
        package.validator = query.value(7).toString();
        package.installed = QDateTime::fromString(query.value(8).toString(), Qt::ISODateWithMs);
        package.fromDisk = query.value(9).toBool();
        package.createdFolders = foldersFrom(query.value(10).toString());
        package.createdFoldersKnown = query.value(11).toBool();
        // Rows are written only through put(), which refuses these; one that got here another
        // way is left out.
        if (package.name.isEmpty() || !staysInside(package.folder))
            continue;
        packages.append(package);
    }
    if (query.lastError().isValid()) {
        *why = describeError(query.lastError());
        packages.clear();
        return false;
    }
    return true;
}

bool InstalledPackages::load(QString *notice)
{
    packages.clear();
    error.clear();
    bool whole = open(notice);
    if (!opened)
        return false;
    QString why;
    if (!readPackages(&why)) {
        // Unreadable rows: the file is kept aside like one that cannot be opened.
        close();
        const QString aside = keepAside(path);
        QString again;
        const bool fresh = openDatabase(&again);
        opened = fresh;
        const QString told =
            path + QStringLiteral(" could not be read (") + why +
            (aside.isEmpty() ? QStringLiteral(")") : QStringLiteral("); it was kept as ") + aside) +
            (fresh ? QStringLiteral(" and a new record was started") : QString());
        if (notice)
            *notice += (notice->isEmpty() ? QString() : QStringLiteral("; ")) + told;
        if (!fresh)
            fail(QStringLiteral("cannot open the records"), again);
        return false;
    }
    return whole;
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
    QVector<InstalledFile> list;
    if (!opened)
        return list;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT f.path, f.size, f.sha256 FROM files f JOIN packages p "
                                 "ON p.id = f.package WHERE p.name = ? AND p.kind = ? "
                                 "ORDER BY f.rowid"));
    query.addBindValue(text(name));
    query.addBindValue(text(kind));
    if (!query.exec())
        return list;
    while (query.next()) {
        InstalledFile file{query.value(0).toString(), query.value(1).toLongLong(),
                           query.value(2).toString().toLatin1()};
        if (staysInside(file.path))
            list.append(file);
    }
    return list;
}

bool InstalledPackages::writePackage(const InstalledPackage &package)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    const auto failed = [&](const char *what) {
        return fail(QString::fromLatin1(what) + QStringLiteral(" of ") + package.name,
                    describeError(query.lastError()));
    };
    query.prepare(QStringLiteral(
        "INSERT INTO packages (name, kind, folder, url, archiveSize, archiveSha256, validator, "
        "installed, fromDisk, createdFolders, createdFoldersKnown) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
        "ON CONFLICT (name, kind) DO UPDATE SET folder = excluded.folder, url = excluded.url, "
        "archiveSize = excluded.archiveSize, archiveSha256 = excluded.archiveSha256, "
        "validator = excluded.validator, installed = excluded.installed, "
        "fromDisk = excluded.fromDisk, createdFolders = excluded.createdFolders, "
        "createdFoldersKnown = excluded.createdFoldersKnown"));
    query.addBindValue(text(package.name));
    query.addBindValue(text(package.kind));
    query.addBindValue(text(package.folder));
    query.addBindValue(text(package.url));
    query.addBindValue(package.archiveSize);
    query.addBindValue(text(package.archiveSha256));
    query.addBindValue(text(package.validator));
    query.addBindValue(package.installed.isValid()
                           ? package.installed.toUTC().toString(Qt::ISODateWithMs)
                           : QStringLiteral(""));
    query.addBindValue(package.fromDisk);
    query.addBindValue(foldersText(package.createdFolders));
    query.addBindValue(package.createdFoldersKnown);
    if (!query.exec())
        return failed("cannot write the record");
    query.prepare(QStringLiteral("SELECT id FROM packages WHERE name = ? AND kind = ?"));
    query.addBindValue(text(package.name));
    query.addBindValue(text(package.kind));
    if (!query.exec() || !query.next())
        return failed("cannot find the record");
    const qint64 id = query.value(0).toLongLong();
    query.finish();
    query.prepare(QStringLiteral("DELETE FROM files WHERE package = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return failed("cannot replace the files");
    query.prepare(QStringLiteral(
        "INSERT INTO files (package, path, size, sha256, gamePath) VALUES (?, ?, ?, ?, ?)"));
    for (const InstalledFile &file : package.files) {
        query.bindValue(0, id);
        query.bindValue(1, text(file.path));
        query.bindValue(2, file.size);
        query.bindValue(3, text(file.sha256));
        query.bindValue(4, gamePathOf(package.folder, file.path));
        if (!query.exec())
            return failed("cannot write the files");
    }
    return true;
}

bool InstalledPackages::put(const InstalledPackage &package)
{
    error.clear();
    if (package.name.isEmpty() || !staysInside(package.folder))
        return fail(QStringLiteral("refused a record"),
                    QStringLiteral("no name, or a folder outside the game folder: ") +
                        package.folder);
    for (const InstalledFile &file : package.files) {
        if (!staysInside(file.path))
            return fail(QStringLiteral("refused the record of ") + package.name,
                        QStringLiteral("a file outside its folder: ") + file.path);
    }
    if (!open(nullptr) && !opened)
        return false;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(QStringLiteral("cannot write the record of ") + package.name,
                    describeError(query.lastError()));
    if (!writePackage(package) || !query.exec(QStringLiteral("COMMIT"))) {
        if (error.isEmpty())
            fail(QStringLiteral("cannot write the record of ") + package.name,
                 describeError(query.lastError()));
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    InstalledPackage row = package;
    row.files.clear();
    for (InstalledPackage &known : packages) {
        if (known.name == package.name && known.kind == package.kind) {
            known = row;
            return true;
        }
    }
    packages.append(row);
    return true;
}

bool InstalledPackages::remove(const QString &name, const QString &kind)
{
    error.clear();
    if (!open(nullptr) && !opened)
        return false;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    const auto failed = [&] {
        fail(QStringLiteral("cannot remove the record of ") + name,
             describeError(query.lastError()));
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(QStringLiteral("cannot remove the record of ") + name,
                    describeError(query.lastError()));
    query.prepare(QStringLiteral("SELECT id FROM packages WHERE name = ? AND kind = ?"));
    query.addBindValue(text(name));
    query.addBindValue(text(kind));
    if (!query.exec())
        return failed();
    if (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        query.finish();
        query.prepare(QStringLiteral("DELETE FROM files WHERE package = ?"));
        query.addBindValue(id);
        if (!query.exec())
            return failed();
        query.prepare(QStringLiteral("DELETE FROM packages WHERE id = ?"));
        query.addBindValue(id);
        if (!query.exec())
            return failed();
    }
    query.finish();
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
    for (int i = 0; i < packages.size(); ++i) {
        if (packages.at(i).name == name && packages.at(i).kind == kind) {
            packages.removeAt(i);
            break;
        }
    }
    return true;
}

bool InstalledPackages::ownedByOther(const QString &gamePath, const QByteArray &sha256,
                                     const QString &name, const QString &kind) const
{
    if (!opened)
        return false;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM files f JOIN packages p ON p.id = f.package WHERE f.gamePath = ? AND "
        "f.sha256 = ? AND NOT (p.name = ? AND p.kind = ?) LIMIT 1"));
    query.addBindValue(QDir::cleanPath(gamePath));
    query.addBindValue(text(sha256));
    query.addBindValue(text(name));
    query.addBindValue(text(kind));
    return query.exec() && query.next();
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

QJsonArray InstalledPackages::filesToJson(const QVector<InstalledFile> &files)
{
    QJsonArray list;
    for (const InstalledFile &file : files)
        list.append(QJsonObject{{QStringLiteral("path"), file.path},
                                {QStringLiteral("size"), double(file.size)},
                                {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
    return list;
}

QVector<InstalledFile> InstalledPackages::filesFromJson(const QJsonArray &list)
{
    QVector<InstalledFile> files;
    files.reserve(list.size());
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        files.append(InstalledFile{item.value(QStringLiteral("path")).toString(),
                                   qint64(item.value(QStringLiteral("size")).toDouble()),
                                   item.value(QStringLiteral("sha256")).toString().toLatin1()});
    }
    return files;
}
