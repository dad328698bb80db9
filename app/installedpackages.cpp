#include "installedpackages.h"

#include "apppaths.h"
#include "foldersync.h"
#include "sha256.h"
#include "tslogging.h"
#include "wording.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace {

// The record document of the former format.
const QString formatKey = QStringLiteral("format");
constexpr int formatVersion = 1;

// The database's layout, kept in its user_version. Layout 1 lacked the kept originals.
constexpr int schemaVersion = 2;
const QString legacyImportedKey = QStringLiteral("legacyImported");

const char *const originalsTable = "CREATE TABLE originals ("
                                   " package INTEGER NOT NULL REFERENCES packages (id),"
                                   " path TEXT NOT NULL,"
                                   " keptAs TEXT NOT NULL)";
const char *const originalsIndex = "CREATE INDEX originals_package ON originals (package)";

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
    originalsTable,
    originalsIndex,
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

// SQLITE_BUSY or SQLITE_LOCKED (extended codes keep the primary one in their low byte): another
// connection holds a lock the statement needs. The file is in use, not damaged.
bool isBusy(const QSqlError &error)
{
    bool number = false;
    const int code = error.nativeErrorCode().toInt(&number) & 0xff;
    return number && (code == 5 || code == 6);
}

// The database's own values, as far as they read.
QVector<QPair<QString, QString>> metaRows(const QString &connection)
{
    QVector<QPair<QString, QString>> rows;
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.exec(QStringLiteral("SELECT key, value FROM meta"));
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString()});
    return rows;
}

bool writeMetaRows(const QString &connection, const QVector<QPair<QString, QString>> &rows)
{
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)"));
    for (const auto &[key, value] : rows) {
        query.addBindValue(key);
        query.addBindValue(text(value));
        if (!query.exec())
            return false;
    }
    return true;
}

// A row of `SELECT <packageColumns>`.
InstalledPackage packageFrom(const QSqlQuery &query)
{
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
    return package;
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
    lockedOut = false;
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

QString InstalledPackages::sqlWhy(const QSqlError &error)
{
    busy = busy || isBusy(error);
    return describeError(error);
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
    busy = false;
    FolderSync::makePath(QFileInfo(path).path());
    if (!looksWhole(path, why))
        return false;
    const bool existed = QFileInfo::exists(path);
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid()) {
        *why = QStringLiteral("the SQLite driver of Qt SQL is missing");
        return false;
    }
    db.setDatabaseName(path);
    if (!db.open()) {
        *why = sqlWhy(db.lastError());
        return false;
    }
    // SQLite puts the names of its logs on disk itself, not the database's own: a record
    // committed into a database whose name a power cut then lost would be lost with it.
    if (!existed && QFileInfo::exists(path) && !FolderSync::syncParent(path)) {
        *why = QStringLiteral("the new database could not be written to the disk");
        return false;
    }
    QSqlQuery query(db);
    // The timeout first: everything after may have to wait for another writer.
    if (!query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeout))) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    // Nothing is changed in a file before it is known to hold these records, or nothing.
    bool fresh = false;
    if (!checkSchema(why, &fresh))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next() ||
        query.value(0).toString() != QLatin1String("wal")) {
        *why = query.lastError().isValid() ? sqlWhy(query.lastError())
                                           : QStringLiteral("no write-ahead log could be started");
        return false;
    }
    query.finish();
    if (!query.exec(QStringLiteral("PRAGMA synchronous = FULL"))) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    if (fresh)
        return createLayout(why);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    const int version = query.value(0).toInt();
    query.finish();
    return version == schemaVersion || migrateLayout(version, why);
}

bool InstalledPackages::migrateLayout(int from, QString *why)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    // Another object may have moved it on while this one waited.
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next() &&
        query.value(0).toInt() == schemaVersion) {
        query.finish();
        query.exec(QStringLiteral("COMMIT"));
        return true;
    }
    query.finish();
    bool written = true;
    if (from < 2) {
        written = query.exec(QString::fromLatin1(originalsTable)) &&
                  query.exec(QString::fromLatin1(originalsIndex));
    }
    written = written && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    if (!written || !query.exec(QStringLiteral("COMMIT"))) {
        *why = sqlWhy(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

bool InstalledPackages::checkSchema(QString *why, bool *fresh)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    const int version = query.value(0).toInt();
    if (version > schemaVersion) {
        *why = QStringLiteral("was written by a newer installer (layout %1)").arg(version);
        return false;
    }
    if (version >= 1) {
        // The statements compile only against tables with every column this code reads. An
        // older layout is moved on once the database is known to be one of these records.
        if (!query.prepare(QStringLiteral("SELECT ") + packageColumns +
                           QStringLiteral(" FROM packages LIMIT 0")) ||
            !query.prepare(QStringLiteral(
                "SELECT package, path, size, sha256, gamePath FROM files LIMIT 0")) ||
            !query.prepare(QStringLiteral("SELECT key, value FROM meta LIMIT 0")) ||
            (version >= 2 && !query.prepare(QStringLiteral(
                                 "SELECT package, path, keptAs FROM originals LIMIT 0")))) {
            *why = QStringLiteral("lacks the tables of installed packages (") +
                   sqlWhy(query.lastError()) + QLatin1Char(')');
            return false;
        }
        return true;
    }
    // A new database: nothing may be in it yet.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        *why = sqlWhy(query.lastError());
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
        *why = sqlWhy(query.lastError());
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
        *why = sqlWhy(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        *why = sqlWhy(query.lastError());
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

QString InstalledPackages::quickCheck()
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    busy = false;
    if (!query.exec(QStringLiteral("PRAGMA quick_check(3)")))
        return sqlWhy(query.lastError());
    QStringList problems;
    while (query.next())
        problems << query.value(0).toString().simplified();
    if (query.lastError().isValid())
        problems << sqlWhy(query.lastError());
    if (problems == QStringList{QStringLiteral("ok")})
        return QString();
    return problems.isEmpty() ? QStringLiteral("its check gave no answer")
                              : problems.join(QStringLiteral("; "));
}

void InstalledPackages::readWhatStillReads(QVector<InstalledPackage> *whole, QStringList *lost,
                                           bool *allRead)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    // Each table from its first row up to a damaged page, then from its last row down to it:
    // the rows on either side still read.
    QMap<qint64, InstalledPackage> rows;
    bool packagesWhole = false;
    for (const char *order : {"ASC", "DESC"}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT ") + packageColumns +
                        QStringLiteral(" FROM packages ORDER BY id ") + QLatin1String(order)))
            continue;
        while (query.next())
            rows.insert(query.value(0).toLongLong(), packageFrom(query));
        if (!query.lastError().isValid()) {
            packagesWhole = true;
            break;
        }
    }
    QMap<qint64, QPair<qint64, InstalledFile>> fileRows; // by rowid: package id, file
    bool filesWhole = false;
    for (const char *order : {"ASC", "DESC"}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT rowid, package, path, size, sha256 FROM files "
                                       "NOT INDEXED ORDER BY rowid ") +
                        QLatin1String(order)))
            continue;
        while (query.next())
            fileRows.insert(query.value(0).toLongLong(),
                            {query.value(1).toLongLong(),
                             InstalledFile{query.value(2).toString(), query.value(3).toLongLong(),
                                           query.value(4).toString().toLatin1()}});
        if (!query.lastError().isValid()) {
            filesWhole = true;
            break;
        }
    }
    QHash<qint64, QVector<InstalledFile>> filesOf;
    for (const auto &row : qAsConst(fileRows))
        filesOf[row.first].append(row.second);
    // The folder's own files a package kept aside, as far as they still read: without them its
    // uninstall would leave them in the package folder's keeping instead of putting them back.
    QMap<qint64, QPair<qint64, KeptOriginal>> originalRows; // by rowid: package id, original
    for (const char *order : {"ASC", "DESC"}) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT rowid, package, path, keptAs FROM originals "
                                       "ORDER BY rowid ") +
                        QLatin1String(order)))
            continue;
        while (query.next())
            originalRows.insert(
                query.value(0).toLongLong(),
                {query.value(1).toLongLong(),
                 KeptOriginal{query.value(2).toString(), query.value(3).toString()}});
        if (!query.lastError().isValid())
            break;
    }
    QHash<qint64, QVector<KeptOriginal>> originalsOf;
    for (const auto &row : qAsConst(originalRows)) {
        if (staysInside(row.second.path) &&
            (row.second.keptAs.isEmpty() || staysInside(row.second.keptAs)))
            originalsOf[row.first].append(row.second);
    }
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        InstalledPackage package = it.value();
        if (package.name.isEmpty() || !staysInside(package.folder))
            continue;
        package.files = filesOf.value(it.key());
        package.originals = originalsOf.value(it.key());
        // With a damaged page among the file rows, a package is whole only when its index
        // counts as many rows as were read.
        bool complete = filesWhole;
        if (!complete) {
            QSqlQuery count(db);
            count.prepare(
                QStringLiteral("SELECT count(*) FROM files INDEXED BY files_package WHERE "
                               "package = ?"));
            count.addBindValue(it.key());
            complete = count.exec() && count.next() && !count.lastError().isValid() &&
                       count.value(0).toLongLong() == package.files.size();
        }
        const bool inside =
            std::all_of(package.files.cbegin(), package.files.cend(),
                        [](const InstalledFile &file) { return staysInside(file.path); });
        if (complete && inside)
            whole->append(package);
        else
            lost->append(package.name);
    }
    *allRead = packagesWhole;
}

bool InstalledPackages::replaceDamaged(const QString &why, QString *told)
{
    QVector<InstalledPackage> kept;
    QStringList lost;
    bool allRead = false;
    readWhatStillReads(&kept, &lost, &allRead);
    // The database's own values (the copy of the game it describes) go with what still reads.
    const QVector<QPair<QString, QString>> meta = metaRows(connectionName);
    close();
    const QString aside = keepAside(path);
    const auto say = [](const char *source, int n = -1) {
        return worded(Wording::Player, "InstalledPackages", source, nullptr, n);
    };
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString shownAside = QDir::toNativeSeparators(aside);
    QString again;
    if (aside.isEmpty()) {
        // Never written into: a damaged file that cannot be moved stays as it is.
        *told = path + QStringLiteral(" is damaged (") + why +
                QStringLiteral(") and could not be kept aside; it was left as it is");
        //: %1 is the file of the records
        replaced = say(QT_TRANSLATE_NOOP("InstalledPackages",
                                         "The records of installed packages in %1 are damaged "
                                         "and could not be kept aside; they were left as they "
                                         "are."))
                       .arg(shownPath);
        return false;
    }
    if (!openDatabase(&again)) {
        close();
        *told = path + QStringLiteral(" is damaged (") + why +
                QStringLiteral("); it was kept as ") + aside +
                QStringLiteral(", but no new record could be started (") + again + QLatin1Char(')');
        //: %1 is the copy the damaged records were kept as
        replaced = say(QT_TRANSLATE_NOOP("InstalledPackages",
                                         "The records of installed packages are damaged and were "
                                         "kept as %1, but no new record could be started."))
                       .arg(shownAside);
        return false;
    }
    opened = true;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    bool written = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (const InstalledPackage &package : qAsConst(kept))
        written = written && writePackage(package);
    written = written && writeMetaRows(connectionName, meta) &&
              query.exec(QStringLiteral("COMMIT"));
    if (!written) {
        query.exec(QStringLiteral("ROLLBACK"));
        lost.clear();
        for (const InstalledPackage &package : qAsConst(kept))
            lost << package.name;
        kept.clear();
    }
    *told = path + QStringLiteral(" is damaged (") + why + QStringLiteral("); it was kept as ") +
            aside + QStringLiteral(" and a new record was started");
    if (!kept.isEmpty())
        *told += worded(Wording::Log, "InstalledPackages",
                        " with the %n package record(s) that still read whole", nullptr,
                        int(kept.size()));
    if (!lost.isEmpty())
        *told += QStringLiteral("; left out, with their files left in the game folder: ") +
                 lost.join(QStringLiteral(", "));
    if (!allRead)
        *told += QStringLiteral("; some package records could not be read at all");
    //: %1 is the copy the damaged records were kept as
    replaced = say(QT_TRANSLATE_N_NOOP("InstalledPackages",
                                       "The records of installed packages were damaged and are "
                                       "kept as %1. New records were started with the %n "
                                       "package(s) that still read whole."),
                   int(kept.size()))
                   .arg(shownAside);
    if (!lost.isEmpty())
        //: %1 is the list of packages
        replaced += QLatin1Char(' ') +
                    say(QT_TRANSLATE_NOOP("InstalledPackages", "Left out, with their files left in "
                                                               "the game folder: %1."))
                        .arg(lost.join(QStringLiteral(", ")));
    if (!allRead)
        replaced += QLatin1Char(' ') +
                    say(QT_TRANSLATE_NOOP("InstalledPackages",
                                          "Some package records could not be read at all."));
    return true;
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
    lockedOut = false;
    QString why;
    QElapsedTimer waited;
    waited.start();
    bool usable = openDatabase(&why);
    // A lock is another program at work (or another installer), not damage: asked again for a
    // while, then the file is left as it is.
    while (!usable && busy && waited.elapsed() < busyTimeout) {
        close();
        QThread::msleep(100);
        usable = openDatabase(&why);
    }
    QString damage;
    if (usable) {
        // Once per opening: a damaged page is found before anything relies on the rows.
        damage = quickCheck();
        usable = !busy;
    }
    if (!usable && busy) {
        close();
        lockedOut = true;
        tell(path + QStringLiteral(" is in use by another program (") + why + damage +
             QStringLiteral("); it was left as it is"));
        return fail(QStringLiteral("the records are in use by another program"), why + damage);
    }
    if (!damage.isEmpty()) {
        whole = false;
        QString told;
        const bool replaced = replaceDamaged(damage, &told);
        tell(told);
        if (!replaced)
            return fail(QStringLiteral("cannot open the records"), told);
    } else if (!usable) {
        close();
        whole = false;
        const QString aside = QFileInfo::exists(path) ? keepAside(path) : QString();
        QString again;
        if (!openDatabase(&again)) {
            close();
            tell(path + QStringLiteral(" cannot be used (") + why + QLatin1Char(')'));
            //: %1 is the file of the records
            replaced =
                QCoreApplication::translate(
                    "InstalledPackages", "The records of installed packages in %1 cannot be used.")
                    .arg(QDir::toNativeSeparators(path));
            return fail(QStringLiteral("cannot open the records"), again);
        }
        tell(
            path + QStringLiteral(" could not be used (") + why +
            (aside.isEmpty() ? QStringLiteral(")") : QStringLiteral("); it was kept as ") + aside) +
            QStringLiteral(" and a new record was started"));
        replaced =
            aside.isEmpty()
                ? QCoreApplication::translate("InstalledPackages",
                                              "The records of installed packages could not be "
                                              "used; new records were started.")
                //: %1 is the copy the unusable records were kept as
                : QCoreApplication::translate("InstalledPackages",
                                              "The records of installed packages could not be "
                                              "used and are kept as %1; new records were started.")
                      .arg(QDir::toNativeSeparators(aside));
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
        InstalledPackage package = recordFieldsFromJson(item);
        package.createdFoldersKnown = item.contains(QStringLiteral("createdFolders"));
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
        *why = sqlWhy(query.lastError());
        return false;
    }
    QHash<qint64, int> rows; // id -> index in packages
    while (query.next()) {
        const InstalledPackage package = packageFrom(query);
        // Rows are written only through put(), which refuses these; one that got here another
        // way is left out.
        if (package.name.isEmpty() || !staysInside(package.folder))
            continue;
        rows.insert(query.value(0).toLongLong(), int(packages.size()));
        packages.append(package);
    }
    if (query.lastError().isValid() || !readOriginals(rows, why)) {
        if (query.lastError().isValid())
            *why = sqlWhy(query.lastError());
        packages.clear();
        return false;
    }
    return true;
}

bool InstalledPackages::readOriginals(const QHash<qint64, int> &rows, QString *why)
{
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT package, path, keptAs FROM originals ORDER BY rowid"))) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    while (query.next()) {
        const int row = rows.value(query.value(0).toLongLong(), -1);
        const KeptOriginal original{query.value(1).toString(), query.value(2).toString()};
        if (row >= 0 && staysInside(original.path) &&
            (original.keptAs.isEmpty() || staysInside(original.keptAs)))
            packages[row].originals.append(original);
    }
    if (query.lastError().isValid()) {
        *why = sqlWhy(query.lastError());
        return false;
    }
    return true;
}

bool InstalledPackages::load(QString *notice)
{
    packages.clear();
    error.clear();
    replaced.clear();
    bool whole = open(notice);
    if (!opened)
        return false;
    QString why;
    busy = false;
    if (!readPackages(&why) && busy) {
        close();
        lockedOut = true;
        const QString told = path + QStringLiteral(" is in use by another program (") + why +
                             QStringLiteral("); it was left as it is");
        if (notice)
            *notice += (notice->isEmpty() ? QString() : QStringLiteral("; ")) + told;
        return fail(QStringLiteral("the records are in use by another program"), why);
    }
    if (!why.isEmpty()) {
        // Unreadable rows: what still reads goes into a new database, the file is kept aside.
        QString told;
        const bool replaced = replaceDamaged(why, &told);
        if (notice)
            *notice += (notice->isEmpty() ? QString() : QStringLiteral("; ")) + told;
        if (!replaced || !readPackages(&why))
            fail(QStringLiteral("cannot open the records"), replaced ? why : told);
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

QVector<InstalledFile> InstalledPackages::files(const QString &name, const QString &kind,
                                                QString *failure) const
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
    if (query.exec()) {
        while (query.next()) {
            InstalledFile file{query.value(0).toString(), query.value(1).toLongLong(),
                               query.value(2).toString().toLatin1()};
            if (staysInside(file.path))
                list.append(file);
        }
    }
    // Half a list would make the other half look like files nobody installed.
    if (query.lastError().isValid()) {
        list.clear();
        if (failure)
            *failure = describeError(query.lastError());
    }
    return list;
}

namespace {

// What checkPackage() finds, in the words of the log.
const char *const inUseSource = QT_TRANSLATE_NOOP(
    "InstalledPackages", "the records of installed packages are in use by another program");
//: %1 is what SQLite or the check found, in English
const char *const damagedSource =
    QT_TRANSLATE_NOOP("InstalledPackages", "the records of installed packages are damaged (%1)");

} // namespace

QString InstalledPackages::checkWords(const QString &why)
{
    if (why == QLatin1String(inUseSource))
        return worded(Wording::Player, "InstalledPackages", inUseSource);
    const QString damaged = QString::fromLatin1(damagedSource);
    const QString head = damaged.section(QStringLiteral("%1"), 0, 0);
    if (why.startsWith(head) && why.endsWith(QLatin1Char(')')))
        return worded(Wording::Player, "InstalledPackages", damagedSource)
            .arg(why.mid(head.size()).chopped(1));
    return why;
}

InstalledPackages::Check InstalledPackages::checkPackage(const QString &name, const QString &kind,
                                                         QVector<InstalledFile> *list, QString *why)
{
    list->clear();
    const QString inUseText = QString::fromLatin1(inUseSource);
    const auto damaged = [why](const QString &detail) {
        *why = QString::fromLatin1(damagedSource).arg(detail);
        return Check::Damaged;
    };
    if (!opened) {
        // In use at the last attempt: asked again.
        QString notice;
        load(&notice);
        if (lockedOut) {
            *why = inUseText;
            return Check::InUse;
        }
        if (!opened)
            return damaged(notice.isEmpty() ? error : notice);
    }
    // A fresh connection: pages cached since the last read are no proof of what the file holds
    // now. A damaged file is only reported here; the next opening replaces it.
    close();
    QString reopened;
    opened = openDatabase(&reopened);
    if (!opened) {
        close();
        if (!busy)
            return damaged(reopened);
        lockedOut = true;
        *why = inUseText;
        return Check::InUse;
    }
    const QString damage = quickCheck();
    if (busy) {
        *why = inUseText;
        return Check::InUse;
    }
    if (!damage.isEmpty())
        return damaged(damage);
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const auto failed = [&] {
        busy = false;
        const QString detail = sqlWhy(query.lastError());
        if (!busy)
            return damaged(detail);
        *why = inUseText;
        return Check::InUse;
    };
    query.prepare(QStringLiteral("SELECT id FROM packages WHERE name = ? AND kind = ?"));
    query.addBindValue(text(name));
    query.addBindValue(text(kind));
    if (!query.exec())
        return failed();
    if (!query.next())
        return query.lastError().isValid() ? failed()
                                           : damaged(QStringLiteral("no record of ") + name);
    const qint64 id = query.value(0).toLongLong();
    query.finish();
    // The file rows through their index, then counted in the table itself: both must agree.
    query.prepare(
        QStringLiteral("SELECT path, size, sha256 FROM files WHERE package = ? ORDER BY rowid"));
    query.addBindValue(id);
    if (!query.exec())
        return failed();
    QVector<InstalledFile> read;
    while (query.next())
        read.append(InstalledFile{query.value(0).toString(), query.value(1).toLongLong(),
                                  query.value(2).toString().toLatin1()});
    if (query.lastError().isValid())
        return failed();
    query.prepare(QStringLiteral("SELECT count(*) FROM files NOT INDEXED WHERE package = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return failed();
    if (query.value(0).toLongLong() != read.size())
        return damaged(QStringLiteral("the file rows of ") + name +
                       QStringLiteral(" disagree with their index"));
    for (const InstalledFile &file : qAsConst(read)) {
        if (!staysInside(file.path))
            return damaged(QStringLiteral("a file row of ") + name +
                           QStringLiteral(" lies outside its folder"));
    }
    *list = read;
    why->clear();
    return Check::Sound;
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
    query.prepare(QStringLiteral("DELETE FROM originals WHERE package = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return failed("cannot replace the kept originals");
    query.prepare(QStringLiteral("INSERT INTO originals (package, path, keptAs) VALUES (?, ?, ?)"));
    for (const KeptOriginal &original : package.originals) {
        query.bindValue(0, id);
        query.bindValue(1, text(original.path));
        query.bindValue(2, text(original.keptAs));
        if (!query.exec())
            return failed("cannot write the kept originals");
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
    for (const KeptOriginal &original : package.originals) {
        if (!staysInside(original.path) ||
            (!original.keptAs.isEmpty() && !staysInside(original.keptAs)))
            return fail(QStringLiteral("refused the record of ") + package.name,
                        QStringLiteral("a kept file outside its folder: ") + original.keptAs);
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
        query.prepare(QStringLiteral("DELETE FROM originals WHERE package = ?"));
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

QJsonArray InstalledPackages::originalsToJson(const QVector<KeptOriginal> &originals)
{
    QJsonArray list;
    for (const KeptOriginal &original : originals)
        list.append(QJsonObject{{QStringLiteral("path"), original.path},
                                {QStringLiteral("keptAs"), original.keptAs}});
    return list;
}

QVector<KeptOriginal> InstalledPackages::originalsFromJson(const QJsonArray &list)
{
    QVector<KeptOriginal> originals;
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        const KeptOriginal original{item.value(QStringLiteral("path")).toString(),
                                    item.value(QStringLiteral("keptAs")).toString()};
        if (staysInside(original.path) &&
            (original.keptAs.isEmpty() || staysInside(original.keptAs)))
            originals.append(original);
    }
    return originals;
}

QJsonObject InstalledPackages::recordToJson(const InstalledPackage &package)
{
    return QJsonObject{
        {QStringLiteral("name"), package.name},
        {QStringLiteral("kind"), package.kind},
        {QStringLiteral("folder"), package.folder},
        {QStringLiteral("url"), package.url},
        {QStringLiteral("archiveSize"), double(package.archiveSize)},
        {QStringLiteral("archiveSha256"), QString::fromLatin1(package.archiveSha256)},
        {QStringLiteral("validator"), package.validator},
        {QStringLiteral("installed"), package.installed.toString(Qt::ISODateWithMs)},
        {QStringLiteral("fromDisk"), package.fromDisk},
        {QStringLiteral("createdFolders"), QJsonArray::fromStringList(package.createdFolders)},
        {QStringLiteral("files"), filesToJson(package.files)},
        {QStringLiteral("originals"), originalsToJson(package.originals)}};
}

InstalledPackage InstalledPackages::recordFromJson(const QJsonObject &object)
{
    InstalledPackage package = recordFieldsFromJson(object);
    package.createdFoldersKnown = true;
    package.files = filesFromJson(object.value(QStringLiteral("files")).toArray());
    package.originals = originalsFromJson(object.value(QStringLiteral("originals")).toArray());
    return package;
}

InstalledPackage InstalledPackages::recordFieldsFromJson(const QJsonObject &object)
{
    InstalledPackage package;
    package.name = object.value(QStringLiteral("name")).toString();
    package.kind = object.value(QStringLiteral("kind")).toString();
    package.folder = object.value(QStringLiteral("folder")).toString();
    package.url = object.value(QStringLiteral("url")).toString();
    package.archiveSize = qint64(object.value(QStringLiteral("archiveSize")).toDouble());
    package.archiveSha256 = object.value(QStringLiteral("archiveSha256")).toString().toLatin1();
    package.validator = object.value(QStringLiteral("validator")).toString();
    package.installed = QDateTime::fromString(object.value(QStringLiteral("installed")).toString(),
                                              Qt::ISODateWithMs);
    package.fromDisk = object.value(QStringLiteral("fromDisk")).toBool();
    for (const QJsonValue &folder : object.value(QStringLiteral("createdFolders")).toArray()) {
        if (staysInside(folder.toString()))
            package.createdFolders << QDir::cleanPath(folder.toString());
    }
    return package;
}

QString InstalledPackages::metaValue(const QString &key)
{
    if (!open(nullptr) && !opened)
        return QString();
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.prepare(QStringLiteral("SELECT value FROM meta WHERE key = ?"));
    query.addBindValue(key);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool InstalledPackages::setMetaValue(const QString &key, const QString &value)
{
    if (!open(nullptr) && !opened)
        return false;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES (?, ?)"));
    query.addBindValue(key);
    query.addBindValue(text(value));
    return query.exec() ||
           fail(QStringLiteral("cannot write ") + key, describeError(query.lastError()));
}
