#include "gamerecords.h"

#include "apppaths.h"
#include "foldersync.h"
#include "installedpackages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {

const QString gamesKey = QStringLiteral("games");
const QString pathKey = QStringLiteral("path");
const QString identityKey = QStringLiteral("identity");
const QString databaseKey = QStringLiteral("database");

// The former single store's file, relative to the Cache folder.
QString firstDatabase()
{
    return QFileInfo(InstalledPackages::defaultPath()).fileName();
}

bool saveIndex(const QVector<GameRecords::Entry> &entries)
{
    QJsonArray list;
    for (const GameRecords::Entry &entry : entries)
        list.append(QJsonObject{{pathKey, entry.game.path},
                                {identityKey, entry.game.identity},
                                {databaseKey, entry.database}});
    const QByteArray bytes = QJsonDocument(QJsonObject{{gamesKey, list}}).toJson();
    FolderSync::makePath(AppPaths::cacheFolder());
    QSaveFile file(GameRecords::indexPath());
    // Which database holds a game's records is on disk before a record goes into one.
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           file.commit() && FolderSync::syncParent(GameRecords::indexPath());
}

// A database name of its own for a copy, stable for its path and identity.
// With `fresh`, also none that a file has already.
QString newDatabase(const GameRecords::Game &game, const QVector<GameRecords::Entry> &entries,
                    bool fresh = false)
{
    const QByteArray key = (game.path + QLatin1Char('\n') + game.identity).toUtf8();
    QString name = QDir(AppPaths::cacheFolder()).relativeFilePath(GameRecords::databaseFolder()) +
                   QLatin1Char('/') +
                   QString::fromLatin1(
                       QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
    const auto taken = [&](const QString &candidate) {
        return std::any_of(entries.cbegin(), entries.cend(),
                           [&](const GameRecords::Entry &entry) {
                               return entry.database == candidate + QStringLiteral(".db");
                           }) ||
               (fresh && QFileInfo::exists(AppPaths::cacheFolder() + QLatin1Char('/') + candidate +
                                           QStringLiteral(".db")));
    };
    QString candidate = name;
    for (int n = 2; taken(candidate); ++n)
        candidate = name + QLatin1Char('-') + QString::number(n);
    return candidate + QStringLiteral(".db");
}

} // namespace

GameRecords::Game GameRecords::identify(const QString &gameFolder)
{
    Game game;
    const QString canonical = QFileInfo(gameFolder).canonicalFilePath();
    game.path = canonical.isEmpty() ? QDir::cleanPath(QDir(gameFolder).absolutePath()) : canonical;
#ifndef Q_OS_WIN
    struct stat status;
    if (!canonical.isEmpty() && ::stat(QFile::encodeName(canonical).constData(), &status) == 0)
        game.identity =
            QStringLiteral("%1:%2").arg(quint64(status.st_dev)).arg(quint64(status.st_ino));
#endif
    return game;
}

QString GameRecords::indexPath()
{
    return AppPaths::cacheFolder() + QStringLiteral("/game_records.json");
}

QString GameRecords::databaseFolder()
{
    return AppPaths::cacheFolder() + QStringLiteral("/records");
}

QVector<GameRecords::Entry> GameRecords::entries()
{
    QVector<Entry> list;
    QFile file(indexPath());
    if (!file.open(QIODevice::ReadOnly))
        return list;
    const QJsonArray games =
        QJsonDocument::fromJson(file.readAll()).object().value(gamesKey).toArray();
    for (const QJsonValue &value : games) {
        const QJsonObject item = value.toObject();
        Entry entry;
        entry.game.path = item.value(pathKey).toString();
        entry.game.identity = item.value(identityKey).toString();
        entry.database = QDir::cleanPath(item.value(databaseKey).toString());
        // Only names inside the Cache folder: the index is a file like any other.
        const bool inside = !entry.database.isEmpty() && !QDir::isAbsolutePath(entry.database) &&
                            !entry.database.startsWith(QLatin1String("..")) &&
                            entry.database.endsWith(QLatin1String(".db"));
        if (!entry.game.path.isEmpty() && inside)
            list.append(entry);
    }
    return list;
}

QString GameRecords::databaseFor(const QString &gameFolder, QString *notice)
{
    const Game game = identify(gameFolder);
    QVector<Entry> list = entries();
    if (list.isEmpty() && QFileInfo::exists(indexPath())) {
        // An index that cannot be read is kept for a look; the first copy asked for keeps the
        // former single store, as when the index was first made.
        const QString aside = indexPath() + QStringLiteral(".damaged");
        QFile::remove(aside);
        QFile::rename(indexPath(), aside);
        if (notice)
            *notice =
                QStringLiteral("the index of game folders could not be read; kept as ") + aside;
    }
    Entry *found = nullptr;
    // The same copy first, wherever it is now; then the same place, whose copy may have been
    // put back from a copy (a backup restored, the folder copied over itself): the records of a
    // place go to whatever copy is there unless that copy is listed elsewhere.
    for (Entry &entry : list) {
        if (!game.identity.isEmpty() && entry.game.identity == game.identity) {
            found = &entry;
            break;
        }
    }
    if (!found) {
        for (Entry &entry : list) {
            if (entry.game.path == game.path) {
                found = &entry;
                break;
            }
        }
    }
    bool changed = false;
    if (found) {
        if (found->game.path != game.path) {
            if (notice)
                *notice = QStringLiteral("the game folder %1 moved to %2; its records follow it")
                              .arg(found->game.path, game.path);
            found->game.path = game.path;
            changed = true;
        }
        if (found->game.identity != game.identity && !game.identity.isEmpty()) {
            found->game.identity = game.identity;
            changed = true;
        }
    } else {
        const bool firstTaken = std::any_of(list.cbegin(), list.cend(), [](const Entry &entry) {
            return entry.database == firstDatabase();
        });
        list.append({game, firstTaken ? newDatabase(game, list) : firstDatabase()});
        found = &list.last();
        changed = true;
    }
    const QString database = AppPaths::cacheFolder() + QLatin1Char('/') + found->database;
    if (changed && !saveIndex(list) && notice)
        *notice =
            QStringLiteral("the index of game folders could not be written to ") + indexPath();
    return database;
}

QString GameRecords::newDatabaseFor(const QString &gameFolder)
{
    databaseFor(gameFolder);
    const Game game = identify(gameFolder);
    QVector<Entry> list = entries();
    Entry *found = nullptr;
    for (Entry &entry : list) {
        if (entry.game.path == game.path)
            found = &entry;
    }
    if (!found) {
        list.append({game, QString()});
        found = &list.last();
    }
    found->database = newDatabase(game, list, true);
    const QString database = AppPaths::cacheFolder() + QLatin1Char('/') + found->database;
    saveIndex(list);
    return database;
}
