#include "packageinstall.h"

#include "foldersync.h"
#include "packagemanifest.h"
#include "packageremoval.h"
#include "tscompression.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QTimer>
#include <QtConcurrent>

#include <algorithm>

#include <quazip.h>
#include <quazipfileinfo.h>

namespace {

// An entry name as it lands below the package folder.
QString placedName(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString clean = QDir::cleanPath(name);
    while (clean.startsWith(QLatin1String("./")))
        clean = clean.mid(2);
    return clean;
}

// The zip format's CRC-32 of a file's bytes; false when it cannot be read.
bool crcOfFile(const QString &path, quint32 *crc)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    quint32 value = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        value = TsCompression::crc32(value, buffer.constData(), got);
    }
    *crc = value;
    return true;
}

// A name beside `path` that nothing has yet: "<path><suffix>", then "-2", "-3", ...
QString freeName(const QString &path, const QString &suffix)
{
    QString candidate = path + suffix;
    for (int n = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++n)
        candidate = path + suffix + QLatin1Char('-') + QString::number(n);
    return candidate;
}

QString relativeToGame(const QString &game, const QString &path)
{
    return QDir::cleanPath(QDir(game).relativeFilePath(path));
}

// A path that names something, also a link whose target is gone.
bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString PackageInstall::newSuffix()
{
    return QStringLiteral(".zerun-new");
}

QString PackageInstall::mineSuffix()
{
    return QStringLiteral(".zerun-mine");
}

QString PackageInstall::originalsFolder()
{
    return QStringLiteral(".zerun-originals");
}

QString PackageInstall::Outcome::summary(Wording wording) const
{
    const QString separator = QStringLiteral(", ");
    QStringList parts;
    // A counted text about `files`, listed after it.
    const auto part = [&](const QStringList &files, const char *text,
                          const QString &suffix = QString()) {
        if (files.isEmpty())
            return;
        const QString words = worded(wording, "PackageInstall", text, nullptr, int(files.size()));
        parts << (suffix.isNull() ? words.arg(files.join(separator))
                                  : words.arg(suffix, files.join(separator)));
    };
    part(besideMine,
         //: %1 is the file name ending the package's versions get, %2 the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "kept your %n changed file(s); the package's versions are beside "
                             "them as %1: %2"),
         newSuffix());
    part(keptAsMine,
         //: %1 is the file name ending the player's versions get, %2 the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "took the package's versions of %n file(s); yours are kept as %1: %2"),
         mineSuffix());
    part(keptChanged,
         //: %1 is the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "kept %n file(s) of the old version that you changed: %1"));
    part(keptOriginals,
         //: %1 is the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "kept %n file(s) that were in the folder before aside; uninstalling "
                             "the package puts them back: %1"));
    part(putBack,
         //: %1 is the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "put back %n file(s) that were in the folder before and that this "
                             "version no longer replaces: %1"));
    part(notRemoved,
         //: %1 is the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "could not remove %n file(s) of the old version: %1"));
    part(caseFolded,
         //: %1 is the list of files
         QT_TRANSLATE_N_NOOP("PackageInstall",
                             "the archive names %n file(s) more than once in spellings that differ "
                             "only in case, which the game takes for one file; the last of each "
                             "was installed: %1"));
    // The database's own words are for the log; the player reads what it means for them.
    if (!recordError.isEmpty() && wording == Wording::Log)
        parts << QStringLiteral("the record could not be written (%1); it is tried again at the "
                                "next start")
                     .arg(recordError);
    else if (!recordError.isEmpty())
        parts << PackageInstall::tr("the record could not be written; it is tried again at the "
                                    "next start (the log tells why)");
    return parts.join(QStringLiteral("; "));
}

PackageInstall::PackageInstall(InstalledPackages &records, const QString &gameFolder,
                               QObject *parent)
    : QObject(parent), records(records), game(QDir::cleanPath(gameFolder))
{
    // Runs on the worker, before the queued finished() arrives.
    connect(
        &extractor, &TsUnZip::finished, this, [this] { unpackedWhole = true; },
        Qt::DirectConnection);
    connect(&extractor, &TsUnZip::finished, this, &PackageInstall::unpacked);
    connect(&extractor, &TsUnZip::error, this, &PackageInstall::runFailed);
    // The run's own signals are queued before the watcher's; this only catches a run that ended
    // without any (the archive failed to close).
    connect(&watcher, &QFutureWatcher<void>::finished, this, [this] {
        if (!ended && !unpackedWhole)
            runFailed(QStringLiteral("Couldn't close zip"));
    });
}

PackageInstall::~PackageInstall()
{
    waitForWorker();
}

void PackageInstall::waitForWorker()
{
    watcher.waitForFinished();
}

void PackageInstall::setPackage(const InstalledPackage &value, const QString &archive,
                                const QString &target, const QString &journal)
{
    package = value;
    package.files.clear();
    archivePath = archive;
    targetFolder = QDir::cleanPath(target);
    journalPath = journal;
    package.folder = relativeToGame(game, targetFolder);
    recordsRefusal.clear();
    if (records.inUse()) {
        // Asked again; without the records an update would look like a new install.
        QString unused;
        records.load(&unused);
        if (records.inUse()) {
            recordsRefusal = QString::fromUtf8(QT_TRANSLATE_NOOP(
                "FailureWords", "the records of installed packages are in use by another program"));
            return;
        }
    }
    const InstalledPackage *known = records.find(package.name, package.kind);
    hasPrevious = known && QDir::cleanPath(known->folder) == package.folder;
    previousPaths.clear();
    if (hasPrevious) {
        previous = *known;
        // The previous version's files decide what is removed and what is the player's.
        if (records.checkPackage(package.name, package.kind, &previousFiles, &recordsRefusal) !=
            InstalledPackages::Check::Sound)
            previousFiles.clear();
        for (const InstalledFile &file : qAsConst(previousFiles))
            previousPaths.insert(QDir::cleanPath(file.path));
    }
}

bool PackageInstall::prepare(Plan *out, QString *why)
{
    plan = Plan();
    const std::unique_ptr<QIODevice> device = TsCompression::archiveDevice(archivePath);
    QuaZip zip(device.get());
    TsCompression::prepareNames(zip);
    if (!zip.open(QuaZip::mdUnzip)) {
        // Nothing to unpack is not an error of reading: the plan simply has no entries.
        if (TsUnZip::hasNoEntries(archivePath)) {
            if (out)
                *out = plan;
            return true;
        }
        if (why)
            *why =
                QString::fromUtf8(QT_TRANSLATE_NOOP("FailureWords", "not a readable zip archive"));
        return false;
    }
    struct Entry
    {
        QString name;
        quint64 size;
        quint32 crc;
    };
    QVector<Entry> files;
    qint64 total = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!TsCompression::currentInfo(&zip, &info)) {
            zip.close();
            if (why)
                *why = QString::fromUtf8(
                    QT_TRANSLATE_NOOP("FailureWords", "the archive's directory is damaged"));
            return false;
        }
        const QString name = TsCompression::entryName(info);
        plan.entryNames << name;
        total += qint64(qMin<quint64>(info.uncompressedSize, quint64(1) << 50));
        if (!name.endsWith(QLatin1Char('/')) && !name.endsWith(QLatin1Char('\\')))
            files.append(Entry{placedName(name), info.uncompressedSize, info.crc});
    }
    const bool walked = zip.getZipError() == UNZ_OK;
    zip.close();
    if (!walked) {
        if (why)
            *why = QString::fromUtf8(
                QT_TRANSLATE_NOOP("FailureWords", "the archive's directory is damaged"));
        return false;
    }
    plan.unpackedSize = total;
    if (!recordsRefusal.isEmpty()) {
        // No question about the player's files on records that cannot be trusted: start() ends
        // the run before anything is touched.
        if (out)
            *out = plan;
        return true;
    }

    QHash<QString, const InstalledFile *> recorded;
    for (const InstalledFile &file : qAsConst(previousFiles))
        recorded.insert(QDir::cleanPath(file.path), &file);
    QSet<QString> seen;
    const QDir base(targetFolder);
    for (const Entry &entry : qAsConst(files)) {
        if (seen.contains(entry.name))
            continue;
        seen.insert(entry.name);
        const QString path = base.filePath(entry.name);
        const QFileInfo info(path);
        const InstalledFile *was = recorded.value(entry.name);
        // The player's version of a file whose package version an earlier install set beside it.
        const bool keptBeside = !was && recorded.contains(entry.name + newSuffix());
        if (!was && !keptBeside) {
            // Not this package's: the folder's own, kept aside whatever its bytes (a folder in the
            // way fails the run).
            if (present(path) && !(info.isDir() && !info.isSymLink()))
                plan.originals << entry.name;
            continue;
        }
        // Only a file of the player's can be lost; anything else fails the run or is moved
        // aside and given back.
        if (!info.isFile() || info.isSymLink())
            continue;
        quint32 crc = 0;
        if (quint64(info.size()) == entry.size && crcOfFile(path, &crc) && crc == entry.crc)
            continue; // the new bytes already
        if (was && was->size == info.size() && InstalledPackages::sha256Of(path) == was->sha256)
            continue; // the package's old bytes, untouched
        plan.edits << entry.name;
    }
    if (out)
        *out = plan;
    return true;
}

void PackageInstall::setEditChoice(Edits value)
{
    choice = value;
}

bool PackageInstall::isRunning() const
{
    return watcher.isRunning();
}

void PackageInstall::cancel()
{
    extractor.cancel();
}

void PackageInstall::start()
{
    if (!recordsRefusal.isEmpty()) {
        // Nothing was touched; the run ends as a failed one does, after start() returned.
        QTimer::singleShot(0, this, [this] {
            if (ended)
                return;
            ended = true;
            UnpackTransaction::recover(journalPath);
            emit failed(tr("Nothing was changed"), recordsRefusal);
        });
        return;
    }
    QHash<QString, QString> renames;
    if (choice == Edits::KeepMine) {
        for (const QString &edit : qAsConst(plan.edits))
            renames.insert(edit, edit + newSuffix());
    }
    extractor.setZipFile(archivePath);
    extractor.setDestination(targetFolder);
    extractor.setEncrypted(false);
    extractor.setJournal(journalPath);
    extractor.setRenames(renames);
    extractor.setHold(true);
    extractor.setBeforeCommit([this](UnpackTransaction &run) { return stageDone(run); });
    if (package.archiveSha256.isEmpty() || package.archiveSize <= 0) {
        package.archiveSize = QFileInfo(archivePath).size();
        package.archiveSha256.clear();
    }
    watcher.setFuture(QtConcurrent::run([this] {
        // An archive from the disk is hashed for its record beside the unpack, on a thread of
        // its own (not the pool's, whose threads the unpack takes): the unpack waits on its
        // writes often enough for the hash to fit in between, and stageDone() takes the result.
        if (package.archiveSha256.isEmpty()) {
            const QString path = archivePath;
            archiveHash = std::async(std::launch::async,
                                     [path] { return InstalledPackages::sha256Of(path); });
        }
        extractor.unpackAll();
        if (archiveHash.valid())
            archiveHash.wait();
    }));
}

QString PackageInstall::stageDone(UnpackTransaction &run)
{
    // On the worker: every entry is staged, nothing is in place yet. The journal that says the
    // files may move must also say how the change ends.
    if (archiveHash.valid())
        package.archiveSha256 = archiveHash.get();
    InstalledPackage record = package;
    record.installed = QDateTime::currentDateTimeUtc();
    record.createdFoldersKnown = true;
    caseFolded = run.caseFoldedFiles();
    QHash<QString, int> numbers;
    QHash<QString, int> recordedAt; // index in record.files
    const auto staged = run.stagedFiles();
    record.files.reserve(staged.size());
    for (const auto &file : staged) {
        numbers.insert(file.first, file.second);
        // Hashed on the way in by the unpack; read again only where it could not be.
        InstalledFile installed{file.first, run.stagedSize(file.second),
                                run.stagedHash(file.second)};
        if (installed.sha256.isEmpty()) {
            const QString path = run.stagedPath(file.second);
            installed.size = QFileInfo(path).size();
            installed.sha256 = InstalledPackages::sha256Of(path);
        }
        if (installed.sha256.isEmpty())
            return QStringLiteral("could not read the unpacked ") + file.first;
        // An archive may name a file twice; the last one stays.
        const auto known = recordedAt.constFind(installed.path);
        if (known != recordedAt.constEnd()) {
            record.files[known.value()] = installed;
        } else {
            recordedAt.insert(installed.path, int(record.files.size()));
            record.files.append(installed);
        }
    }
    QJsonArray mine;
    QSet<QString> mineNames;
    if (choice == Edits::TakePackage) {
        for (const QString &edit : qAsConst(plan.edits)) {
            if (numbers.contains(edit)) {
                mine.append(QJsonObject{{QStringLiteral("path"), edit},
                                        {QStringLiteral("number"), numbers.value(edit)}});
                mineNames.insert(edit);
            }
        }
    }
    // The folder's own files: whatever the commit is about to replace that no record of this
    // package names, looked at again now that the last question is answered. The first entry of
    // a name is the one that sets the file aside.
    QVector<KeptOriginal> originals = hasPrevious ? previous.originals : QVector<KeptOriginal>();
    QSet<QString> storeNames;
    for (const KeptOriginal &original : qAsConst(originals))
        storeNames.insert(original.keptAs);
    QJsonArray keepAside;
    QSet<QString> looked;
    for (const auto &file : staged) {
        if (looked.contains(file.first))
            continue;
        looked.insert(file.first);
        const QString path = targetFolder + QLatin1Char('/') + file.first;
        const QFileInfo info(path);
        if (previousPaths.contains(file.first) || mineNames.contains(file.first) ||
            !present(path) || (info.isDir() && !info.isSymLink()))
            continue;
        QString keptAs = originalsFolder() + QLatin1Char('/') + file.first;
        for (int n = 2;
             storeNames.contains(keptAs) || present(targetFolder + QLatin1Char('/') + keptAs); ++n)
            keptAs = originalsFolder() + QLatin1Char('/') + file.first + QLatin1Char('-') +
                     QString::number(n);
        storeNames.insert(keptAs);
        // A file left in place by the version before is kept aside now.
        originals.erase(
            std::remove(originals.begin(), originals.end(), KeptOriginal{file.first, QString()}),
            originals.end());
        originals.append(KeptOriginal{file.first, keptAs});
        keepAside.append(QJsonObject{{QStringLiteral("path"), file.first},
                                     {QStringLiteral("number"), file.second},
                                     {QStringLiteral("keptAs"), keptAs}});
    }
    // At the first install into a folder that has files already, the ones left in place are
    // named too: the folder's own, not files the player added later.
    if (!hasPrevious) {
        QDirIterator it(targetFolder, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        const QDir base(targetFolder);
        while (it.hasNext()) {
            const QString relative = base.relativeFilePath(it.next());
            if (!looked.contains(relative) && !relative.section(QLatin1Char('/'), 0, 0)
                                                   .startsWith(UnpackTransaction::reservedPrefix()))
                originals.append(KeptOriginal{relative, QString()});
        }
    }
    QSet<QString> kept;
    for (const InstalledFile &file : qAsConst(record.files))
        kept.insert(file.path);
    QVector<InstalledFile> obsolete;
    // A file the player changed and keeps is theirs now, not an old file to remove.
    const QSet<QString> edits(plan.edits.cbegin(), plan.edits.cend());
    for (const InstalledFile &file : qAsConst(previousFiles)) {
        const QString path = QDir::cleanPath(file.path);
        if (!kept.contains(path) && !edits.contains(path))
            obsolete << file;
    }
    record.originals = originals;
    const QJsonObject recordObject = InstalledPackages::recordToJson(record);
    QStringList previousCreated;
    if (hasPrevious && previous.createdFoldersKnown)
        previousCreated = previous.createdFolders;
    run.setPayload(QJsonObject{
        {QStringLiteral("package"), true},
        {QStringLiteral("gameFolder"), game},
        {QStringLiteral("record"), recordObject},
        {QStringLiteral("mine"), mine},
        {QStringLiteral("keepAside"), keepAside},
        {QStringLiteral("obsolete"), InstalledPackages::filesToJson(obsolete)},
        {QStringLiteral("previousCreated"), QJsonArray::fromStringList(previousCreated)}});
    return QString();
}

void PackageInstall::unpacked()
{
    if (ended)
        return;
    bool done = false;
    result = finishHeld(journalPath, records, &done);
    for (const QString &name : qAsConst(plan.edits)) {
        if (choice == Edits::KeepMine)
            result.besideMine << name;
    }
    result.caseFolded = caseFolded;
    ended = true;
    emit finished();
}

void PackageInstall::runFailed(const QString &error)
{
    if (ended)
        return;
    ended = true;
    cancelled = extractor.errorDetail() == QLatin1String("cancelled");
    // Folders made for this package go at once, also when the run never began.
    UnpackTransaction::recover(journalPath);
    emit failed(error, extractor.errorDetail());
}

PackageInstall::Outcome PackageInstall::finishHeld(const QString &journal,
                                                   InstalledPackages &records, bool *done)
{
    Outcome outcome;
    *done = false;
    // Held while the change is finished and let go before the record is written: the journal
    // of a large package is large.
    QJsonObject object = UnpackTransaction::readJournal(journal);
    QJsonObject payload = object.value(QStringLiteral("payload")).toObject();
    const QString game = payload.value(QStringLiteral("gameFolder")).toString();
    InstalledPackage record =
        InstalledPackages::recordFromJson(payload.value(QStringLiteral("record")).toObject());
    const QString folder = QDir::cleanPath(game + QLatin1Char('/') + record.folder);
    const auto inside = [&](const QString &path) {
        const QString clean = QDir::cleanPath(path);
        return !game.isEmpty() && QDir::isAbsolutePath(game) &&
               clean.startsWith(QDir::cleanPath(game) + QLatin1Char('/'));
    };
    if (record.name.isEmpty() || !inside(folder)) {
        outcome.recordError = QStringLiteral("the journal ") + journal +
                              QStringLiteral(" does not name a package inside the game folder");
        return outcome;
    }

    // Each change of a name below the package folder is on disk before the record says so.
    FolderBarrier changed;
    // The player's files the package's replaced: from the work folder to "<file>.zerun-mine".
    for (const QJsonValue &value : payload.value(QStringLiteral("mine")).toArray()) {
        const QJsonObject item = value.toObject();
        const QString path = item.value(QStringLiteral("path")).toString();
        const QString backup =
            UnpackTransaction::backupPathIn(object, item.value(QStringLiteral("number")).toInt());
        const QString target = folder + QLatin1Char('/') + path;
        if (!inside(target))
            continue;
        if (QFileInfo::exists(backup)) {
            const QString aside = freeName(target, mineSuffix());
            if (!QFile::rename(backup, aside)) {
                outcome.recordError = QStringLiteral("could not keep your ") + path +
                                      QStringLiteral(" as ") + QFileInfo(aside).fileName();
                return outcome;
            }
            changed.renamed(backup, aside);
        }
        outcome.keptAsMine << path;
    }

    // The folder's own files the package's replaced: from the work folder into the folder that
    // keeps them until the uninstall. A kill after a move finds the work folder without it.
    for (const QJsonValue &value : payload.value(QStringLiteral("keepAside")).toArray()) {
        const QJsonObject item = value.toObject();
        const QString path = item.value(QStringLiteral("path")).toString();
        const QString keptAs = item.value(QStringLiteral("keptAs")).toString();
        const QString backup =
            UnpackTransaction::backupPathIn(object, item.value(QStringLiteral("number")).toInt());
        const QString store = folder + QLatin1Char('/') + keptAs;
        if (!inside(folder + QLatin1Char('/') + path) || !inside(store) ||
            !keptAs.startsWith(originalsFolder() + QLatin1Char('/')))
            continue;
        if (present(backup) && !present(store)) {
            if (!FolderSync::makePath(QFileInfo(store).path()) ||
                !PackageRemoval::moveEntry(backup, store)) {
                outcome.recordError = QStringLiteral("could not keep ") + path +
                                      QStringLiteral(" aside as ") + keptAs;
                return outcome;
            }
            changed.renamed(backup, store);
        }
        outcome.keptOriginals << path;
    }

    // The previous version's files that this one lacks.
    const QVector<InstalledFile> obsolete =
        InstalledPackages::filesFromJson(payload.value(QStringLiteral("obsolete")).toArray());
    if (!obsolete.isEmpty()) {
        const PackageRemoval::Result removed = PackageRemoval::removeFiles(
            game, record.folder, obsolete, &records, record.name, record.kind, &changed);
        outcome.keptChanged = removed.changed;
        outcome.notRemoved = removed.failed;
    }
    // Kept originals whose place this version leaves empty go back; the record names those
    // still kept.
    const PackageRemoval::Restored back =
        PackageRemoval::restoreOriginals(folder, record.originals, false, &changed);
    outcome.putBack = back.putBack;
    record.originals = back.stillKept + back.inPlace;

    // Folders the change made, and those the version before made, stay the package's.
    QStringList created;
    for (const QJsonValue &value : object.value(QStringLiteral("createdFolders")).toArray()) {
        if (inside(value.toString()))
            created << relativeToGame(game, value.toString());
    }
    for (const QJsonValue &value : payload.value(QStringLiteral("previousCreated")).toArray())
        created << value.toString();
    created.removeDuplicates();
    std::sort(created.begin(), created.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) < b.count(QLatin1Char('/'));
    });
    record.createdFolders = created;
    record.createdFoldersKnown = true;
    payload = object = QJsonObject();
    if (!changed.sync()) {
        outcome.recordError =
            QStringLiteral("the changed folders could not be written to the disk");
        return outcome;
    }
    // The game folder's own copy of the record first: a kill before the database has it leaves
    // the journal, which writes both again.
    if (!PackageManifest::write(folder, record, &outcome.recordError))
        return outcome;
    if (!records.put(record)) {
        outcome.recordError = records.errorString();
        return outcome;
    }
    UnpackTransaction::release(journal);
    *done = true;
    return outcome;
}

UnpackTransaction::Recovery PackageInstall::recover(const QString &journal,
                                                    InstalledPackages &records, QString *what)
{
    QString text;
    const UnpackTransaction::Recovery state = UnpackTransaction::recoverRun(journal, &text);
    if (state != UnpackTransaction::Recovery::Held) {
        if (what)
            *what = text;
        return state;
    }
    const QJsonObject object = UnpackTransaction::readJournal(journal);
    if (!object.value(QStringLiteral("payload"))
             .toObject()
             .value(QStringLiteral("package"))
             .toBool()) {
        // A held run of someone else's: nothing more to finish than the moves.
        UnpackTransaction::release(journal);
        if (what)
            *what = text;
        return UnpackTransaction::Recovery::Finished;
    }
    bool done = false;
    const Outcome outcome = finishHeld(journal, records, &done);
    if (what) {
        *what = text + (done ? QStringLiteral("; finished the install and its record")
                             : QStringLiteral("; could not finish: ") + outcome.recordError);
        const QString summary = outcome.summary();
        if (done && !summary.isEmpty())
            *what += QStringLiteral(" (") + summary + QLatin1Char(')');
    }
    return done ? UnpackTransaction::Recovery::Finished : UnpackTransaction::Recovery::Waiting;
}
