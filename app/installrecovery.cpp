#include "installrecovery.h"

#include "apppaths.h"
#include "cataloguefetch.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "packageinstall.h"
#include "packageremoval.h"
#include "tslogging.h"
#include "tsunzip.h"
#include "wording.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUuid>

QString InstallRecovery::journalFolder()
{
    return AppPaths::cacheFolder() + QStringLiteral("/installs");
}

QString InstallRecovery::newJournalPath()
{
    return journalFolder() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
           QStringLiteral(".journal");
}

QString InstallRecovery::newRemovalJournalPath()
{
    return journalFolder() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
           QStringLiteral(".removal");
}

namespace {

// The game folder a journal's change was made in: an uninstall's names it at the top, an
// install's in what it carries for its record.
QString gameOfJournal(const QString &journal)
{
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    const QString game = object.value(QStringLiteral("gameFolder")).toString();
    return !game.isEmpty() ? game
                           : object.value(QStringLiteral("payload"))
                                 .toObject()
                                 .value(QStringLiteral("gameFolder"))
                                 .toString();
}

// Runs `recover` with the records of the journal's game folder: those of the game in use, or,
// for a change made in another copy of the game, that copy's. A journal whose game folder is
// not there gets the records in use; it only waits.
template<typename Recover>
auto withRecordsOf(const QString &journal, InstalledPackages &inUse, Recover recover)
{
    const QString game = gameOfJournal(journal);
    if (game.isEmpty() || !QFileInfo(game).isDir())
        return recover(inUse);
    const QString database = GameRecords::databaseFor(game);
    if (database == inUse.filePath())
        return recover(inUse);
    InstalledPackages records(database);
    records.load();
    return recover(records);
}

} // namespace

const InstalledPackage *InstallRecovery::packageOfDamaged(const QString &damagedJournal,
                                                          const InstalledPackages &records)
{
    // The journal cannot be parsed, but what is left of it may name the folder it changed: an
    // install's its destination, an uninstall's the package folder below the game folder.
    QFile file(damagedJournal);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    static const QRegularExpression named(
        QStringLiteral("\"(?:destination|folder)\":\"((?:[^\"\\\\]|\\\\.)*)\""));
    const QRegularExpressionMatch found = named.match(QString::fromUtf8(file.readAll()));
    if (!found.hasMatch())
        return nullptr;
    const QString folder =
        QLatin1Char('/') +
        QDir::cleanPath(QJsonDocument::fromJson("[\"" + found.captured(1).toUtf8() + "\"]")
                            .array()
                            .at(0)
                            .toString());
    for (const InstalledPackage &package : records.all()) {
        if (!package.folder.isEmpty() &&
            folder.endsWith(QLatin1Char('/') + QDir::cleanPath(package.folder)))
            return &package;
    }
    return nullptr;
}

QStringList InstallRecovery::recoverAll(InstalledPackages &records, QStringList *notices,
                                        QVector<InstalledPackage> *halfChanged)
{
    QStringList done;
    const QDir folder(journalFolder());
    const auto tell = [&](const QString &text) {
        if (notices)
            *notices << text;
    };
    // True when the damaged journal named a recorded package.
    const auto tellDamaged = [&](const QString &damaged) {
        const InstalledPackage *package = packageOfDamaged(damaged, records);
        if (!package)
            return false;
        done << package->name + QStringLiteral(" is half changed: its journal is damaged");
        if (halfChanged)
            *halfChanged << *package;
        //: %1 is the package, %2 its folder in the game
        tell(QCoreApplication::translate(
                 "InstallRecovery",
                 "%1 in %2 is half changed: a change of it was cut off, and the journal that "
                 "would finish or undo it is damaged. Its files are checked now, and Repair puts "
                 "them back.")
                 .arg(package->name, QDir::toNativeSeparators(package->folder)));
        return true;
    };
    const QStringList removals =
        folder.entryList({QStringLiteral("*.removal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : removals) {
        QString what;
        const QString journal = folder.filePath(name);
        const bool finished = withRecordsOf(journal, records, [&](InstalledPackages &theirs) {
            return PackageRemoval::recover(journal, theirs, &what);
        });
        if (!what.isEmpty())
            done << what;
        const bool damaged =
            !QFileInfo::exists(journal) && tellDamaged(journal + QStringLiteral(".damaged"));
        if (!finished && !what.isEmpty() && !damaged)
            //: %1 is what happened, as the log says it
            tell(QCoreApplication::translate("InstallRecovery",
                                             "An uninstall could not be finished: %1")
                     .arg(what));
    }
    const QStringList journals =
        folder.entryList({QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : journals) {
        QString what;
        const QString journal = folder.filePath(name);
        const auto state = withRecordsOf(journal, records, [&](InstalledPackages &theirs) {
            return PackageInstall::recover(journal, theirs, &what);
        });
        if (!what.isEmpty())
            done << what;
        if (state == UnpackTransaction::Recovery::Waiting)
            //: %1 is what happened, as the log says it
            tell(QCoreApplication::translate("InstallRecovery",
                                             "An install is waiting to be finished: %1")
                     .arg(what));
        else if (state == UnpackTransaction::Recovery::Damaged &&
                 !tellDamaged(UnpackTransaction::damagedPath(journal)))
            //: %1 is what happened, as the log says it
            tell(QCoreApplication::translate("InstallRecovery",
                                             "An interrupted install could not be read: %1")
                     .arg(what));
    }
    return done;
}

QVector<InstallRecovery::Waiting> InstallRecovery::waitingJournals()
{
    QVector<Waiting> waiting;
    const QDir folder(journalFolder());
    const QStringList installs =
        folder.entryList({QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : installs) {
        const QJsonObject journal = UnpackTransaction::readJournal(folder.filePath(name));
        QString why;
        if (journal.isEmpty() || !UnpackTransaction::mustWait(journal, &why))
            continue;
        const QJsonObject record = journal.value(QStringLiteral("payload"))
                                       .toObject()
                                       .value(QStringLiteral("record"))
                                       .toObject();
        waiting.append(Waiting{record.value(QStringLiteral("name")).toString(),
                               record.value(QStringLiteral("kind")).toString(),
                               journal.value(QStringLiteral("destination")).toString(), why});
    }
    const QStringList removals =
        folder.entryList({QStringLiteral("*.removal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : removals) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
        const QString game = journal.value(QStringLiteral("gameFolder")).toString();
        const QString packageFolder = QDir::cleanPath(
            game + QLatin1Char('/') + journal.value(QStringLiteral("folder")).toString());
        if (game.isEmpty())
            continue;
        const bool gameThere = QFileInfo(game).isDir();
        if (gameThere && PackageRemoval::identityMatches(journal, packageFolder))
            continue;
        waiting.append(Waiting{journal.value(QStringLiteral("name")).toString(),
                               journal.value(QStringLiteral("kind")).toString(),
                               gameThere ? packageFolder : game,
                               QStringLiteral("waiting for ") + (gameThere ? packageFolder : game) +
                                   QStringLiteral(" to finish an uninstall")});
    }
    return waiting;
}

QString InstallRecovery::waitingFor(const QString &name, const QString &kind)
{
    for (const Waiting &journal : waitingJournals()) {
        if (journal.name == name && journal.kind == kind)
            return journal.why;
    }
    return QString();
}

int InstallRecovery::removeLeftoverArchives()
{
    const QDir folder(AppPaths::downloadsFolder());
    int removed = 0;
    const QStringList archives = folder.entryList({QStringLiteral("*.zip")}, QDir::Files);
    for (const QString &name : archives)
        removed += QFile::remove(folder.filePath(name)) ? 1 : 0;
    return removed;
}

QString InstallRecovery::repairFolderPrefix()
{
    return QStringLiteral("repair-");
}

int InstallRecovery::removeLeftoverWorkFolders()
{
    // A repair's folder only holds the archive it fetched; an interrupted repair is finished or
    // undone from its journal and its own work folder in the game folder, never from here.
    const QDir folder(AppPaths::downloadsFolder());
    int removed = 0;
    const QStringList leftovers =
        folder.entryList({repairFolderPrefix() + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden);
    for (const QString &name : leftovers) {
        const QString path = folder.filePath(name);
        if (!QFileInfo(path).isSymLink())
            removed += QDir(path).removeRecursively() ? 1 : 0;
    }
    return removed;
}

QString InstallRecovery::atStart(InstalledPackages &records, QVector<InstalledPackage> *halfChanged)
{
    for (const QString &path : removeSaveTemporaries())
        note(QStringLiteral("Removed the unfinished save ") + path);
    QString notice;
    records.load(&notice);
    if (!notice.isEmpty())
        note(QStringLiteral("Installed packages: ") + notice);
    QStringList notices;
    for (const QString &what : recoverAll(records, &notices, halfChanged))
        note(QStringLiteral("Install recovery: ") + what);
    // Entries left out are told once, on the catalogue page: the damaged store is renamed, so
    // the next start has nothing to say. A replaced database is told by the caller, with what
    // was found again in the game folder (replacementWords()).
    if (records.inUse())
        notices.prepend(QCoreApplication::translate(
            "Zerun", "The records of installed packages are in use by another program. They "
                     "were left as they are; close that program and start the installer again "
                     "to see your installed packages."));
    else if (!notice.isEmpty() && records.replacementWords().isEmpty())
        notices.prepend(QCoreApplication::translate("Zerun", "Installed packages: %1").arg(notice));
    const int archives = removeLeftoverArchives();
    if (archives > 0)
        note(worded(Wording::Log, "InstallRecovery",
                    "Removed %n leftover archive(s) from the downloads folder", nullptr, archives));
    const int folders = removeLeftoverWorkFolders();
    if (folders > 0)
        note(worded(Wording::Log, "InstallRecovery",
                    "Removed %n leftover repair folder(s) from the downloads folder", nullptr,
                    folders));
    return notices.join(QLatin1Char('\n'));
}

QStringList InstallRecovery::removeSaveTemporaries()
{
    // The name a cut-off save leaves: the saved file's name, a dot and six random letters (or
    // digits): the temporary file of the toolkit's whole-file save and of a journal write.
    const auto temporaryOf = [](const QString &saved) {
        return QRegularExpression(QStringLiteral("\\A(?:%1)\\.[A-Za-z0-9]{6}\\z").arg(saved));
    };
    const QString anyName = QStringLiteral("[^/]+");
    const QFileInfo records(InstalledPackages::defaultPath());
    const QFileInfo catalogue(CatalogueFetch::cacheFile());
    const struct
    {
        QString folder;
        QRegularExpression pattern;
    } owned[] = {
        {journalFolder(), temporaryOf(anyName + QStringLiteral("\\.(?:journal|removal)"))},
        {AppPaths::preferencesFolder(), temporaryOf(anyName + QStringLiteral("\\.xml"))},
        {AppPaths::cacheFolder(),
         temporaryOf(anyName + QStringLiteral("\\.xml|") +
                     QRegularExpression::escape(catalogue.fileName()) + QLatin1Char('|') +
                     QRegularExpression::escape(QFileInfo(GameRecords::indexPath()).fileName()) +
                     QLatin1Char('|') +
                     QRegularExpression::escape(
                         QFileInfo(InstalledPackages::legacyPath(records.filePath())).fileName()))},
        {AppPaths::downloadsFolder(), temporaryOf(anyName + QStringLiteral("\\.part\\.info"))},
    };
    QStringList removed;
    for (const auto &[path, pattern] : owned) {
        const QDir folder(path);
        const QFileInfoList entries =
            folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QFileInfo &entry : entries) {
            if (entry.isSymLink() || !pattern.match(entry.fileName()).hasMatch())
                continue;
            if (QFile::remove(entry.filePath()))
                removed << entry.filePath();
        }
    }
    return removed;
}

void InstallRecovery::note(const QString &text)
{
    // The handler keeps debug records of this channel (the filter rules enable them) and drops
    // info records, so diagnostics go out as debug.
    TsLogging::Log::debug(TsLogging::Channel::strName(), text);
}
