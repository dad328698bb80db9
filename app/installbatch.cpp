#include "installbatch.h"

#include "archivefetch.h"
#include "catalogue.h"
#include "diskpackage.h"
#include "failurewords.h"
#include "filereport.h"
#include "foldersync.h"
#include "installrecovery.h"
#include "installrules.h"
#include "packageinstall.h"
#include "packagekind.h"
#include "packageremoval.h"
#include "packagerepair.h"
#include "packageverify.h"
#include "tsunzip.h"
#include "unpacktransaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

// Why `needed` bytes do not fit on the drive of `folder`; empty when they fit or either size is
// unknown.
WordedText spaceShortage(const QString &folder, qint64 needed)
{
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    if (needed <= 0 || available < 0 || needed <= available)
        return {};
    const auto word = [&](Wording wording) {
        return worded(wording, "InstallBatch",
                      //: %1 is the size the package needs, %2 the free space
                      QT_TRANSLATE_NOOP("InstallBatch", "Not enough disk space: needs %1, %2 free"))
            .arg(FailureWords::sizeText(needed, wording),
                 FailureWords::sizeText(available, wording));
    };
    return {word(Wording::Log), word(Wording::Player)};
}

// The player's words for a cancelled package.
QString cancelledWords()
{
    return InstallBatch::tr("cancelled");
}

QString withDetail(const QString &error, const QString &detail)
{
    return detail.isEmpty() ? error : error + QStringLiteral(": ") + detail;
}

QString withSummary(const QString &text, const QString &summary)
{
    return summary.isEmpty() ? text : text + QStringLiteral("; ") + summary;
}

// "Install Mod DB", "Update Mod DB", "Repair Mod DB": the title of a change's questions.
QString changeTitle(InstallBatch::Change change, const QString &kind)
{
    const QString label = InstallRules::label(kind);
    if (change == InstallBatch::Change::Update)
        //: %1 is the kind of package: Mod DB, Picture Pack or Skin
        return InstallBatch::tr("Update %1").arg(label);
    if (change == InstallBatch::Change::Repair)
        return InstallBatch::tr("Repair %1").arg(label);
    return InstallBatch::tr("Install %1").arg(label);
}

// Why a package stays as it was: the player left the question about their changed files.
WordedText leftWords()
{
    return wordedText("InstallBatch",
                      QT_TRANSLATE_NOOP("InstallBatch", "left as it was, as you chose; nothing "
                                                        "was changed"));
}

// Hands `show` the share of the unpack done, from the entries done and, within a large entry,
// from the archive's bytes read; it only ever grows, and is whole once every entry is.
void followShare(TsUnZip &unzip, QObject *context, const std::function<void(int)> &show)
{
    auto shown = std::make_shared<int>(-1);
    const auto grown = [shown, show](int percent) {
        if (percent > *shown)
            show(*shown = percent);
    };
    QObject::connect(&unzip, &TsUnZip::percent, context, grown);
    QObject::connect(&unzip, &TsUnZip::bytesRead, context, [grown](qint64 read, qint64 total) {
        if (total > 0)
            grown(int(qMin<qint64>(99, read * 100 / total)));
    });
}

// Creates the package folder `candidate` (with its save-game folder for a mod) under a new
// journal, which `journal` names then; false, with nothing left behind, when it cannot be made.
bool makeFolder(const QString &kind, const QString &candidate, QString *journal)
{
    // The journal names the folders before they exist, so a kill right after creating them
    // still has them removed at the next start; each is on disk before anything goes into it.
    QStringList created = UnpackTransaction::missingFolders(candidate);
    const QString saveGames = QDir::cleanPath(candidate) + QStringLiteral("/SaveGames");
    if (InstallRules::hasSaveGames(kind))
        created << saveGames;
    *journal = InstallRecovery::newJournalPath();
    if (UnpackTransaction::prepareJournal(*journal, candidate, created) &&
        FolderSync::makePath(candidate)) {
        if (InstallRules::hasSaveGames(kind))
            FolderSync::makePath(saveGames);
        return true;
    }
    UnpackTransaction::recover(*journal);
    journal->clear();
    return false;
}

// Why an archive whose directory reads cannot be unpacked: an entry whose bytes do not match
// their checksum or end early. Read through once, before the player is asked about it.
WordedText damagedArchive(const QString &archive)
{
    const QString damaged = DiskPackage::damagedEntry(archive);
    if (damaged.isEmpty())
        return {};
    const QString error = QStringLiteral("Couldn't extract file");
    const QString detail = TsUnZip::entryFailureText(damaged, QString());
    return {withDetail(error, detail), FailureWords::unpackFailure(error, detail)};
}

// Why the player's archive cannot be installed, read before anything is asked about it: not a
// readable archive, no entries, or an entry whose bytes do not read back whole. `entries` gets
// the entry names. Empty when it can be installed.
WordedText diskArchiveProblem(const QString &archive, QStringList *entries)
{
    QString why;
    const auto unreadable = [](const QString &error, const QString &detail) {
        return WordedText{withDetail(error, detail), FailureWords::unpackFailure(error, detail)};
    };
    if (!DiskPackage::entryNames(archive, entries, &why) && !TsUnZip::hasNoEntries(archive))
        return unreadable(QStringLiteral("Couldn't open zip"), why);
    if (entries->isEmpty())
        return unreadable(QStringLiteral("Couldn't go to first file"),
                          QStringLiteral("the archive has no entries"));
    return damagedArchive(archive);
}

// Asks the kind of the player's archive, the likeliest one offered first; its code, or empty
// when the player cancelled.
QString askKind(BatchQuestions &questions, const QString &title, const QString &name,
                const QStringList &entries)
{
    QStringList choices;
    for (const PackageKind &kind : PackageKind::all())
        choices << kind.shownLabel();
    choices << InstallBatch::tr("Cancel");
    const PackageKind *likely = PackageKind::find(DiskPackage::likelyKind(entries));
    const int likelyChoice = int(likely - PackageKind::all().data());
    const int chosen = questions.ask(
        title,
        //: %1 is the package, %2 a kind: Mod, Picture Pack or Skin
        InstallBatch::tr("What kind of package is %1?\n\nFrom what the archive holds it looks "
                         "like a %2.")
            .arg(name, choices.at(likelyChoice)),
        choices, likelyChoice, int(PackageKind::all().size()));
    if (chosen < 0 || chosen >= int(PackageKind::all().size()))
        return {};
    return PackageKind::all().at(size_t(chosen)).code;
}

// Tells that a single install or repair changed nothing, as the player chose.
void tellLeft(BatchQuestions &questions, const QString &title, const QString &name)
{
    InstallRecovery::note(name + QStringLiteral(": ") + leftWords().log);
    //: %1 is the package
    questions.tell(title,
                   InstallBatch::tr("%1 was left as it was: nothing was changed.").arg(name));
}

// Asks what to do with files the player changed that the package would replace; nothing when
// the player leaves the question (Change Nothing, Escape or the window's close button).
std::optional<PackageInstall::Edits> askEdits(BatchQuestions &questions,
                                              InstallBatch::Change change,
                                              const QString &packageName, const QString &kind,
                                              const QStringList &edits)
{
    const int shownFiles = 12;
    QString list = QStringList(edits.mid(0, shownFiles)).join(QLatin1Char('\n'));
    if (edits.size() > shownFiles)
        list += InstallBatch::tr("\n... and %1 more").arg(edits.size() - shownFiles);
    const int count = int(edits.size());
    const QString question =
        change == InstallBatch::Change::Repair
            //: %1 is the package, %2 the list of files, %3 and %4 the file name
            //: endings the package's and the player's versions get
            ? InstallBatch::tr("You changed %n file(s) of %1 that the repair puts back as they "
                               "were installed:\n\n%2\n\nKeep yours (the package's versions go "
                               "beside them as <file>%3), take the package's (yours are kept as "
                               "<file>%4), or change nothing?",
                               nullptr, count)
            //: %1 is the package, %2 the list of files, %3 and %4 the file name
            //: endings the package's and the player's versions get
            : InstallBatch::tr("You changed %n file(s) of %1 that this version replaces:\n\n%2"
                               "\n\nKeep yours (the package's new versions go beside them as "
                               "<file>%3), take the package's (yours are kept as <file>%4), or "
                               "change nothing?",
                               nullptr, count);
    const int choice = questions.ask(
        changeTitle(change, kind),
        question.arg(packageName, list, PackageInstall::newSuffix(), PackageInstall::mineSuffix()),
        {InstallBatch::tr("Keep Mine"), InstallBatch::tr("Take the Package's"),
         InstallBatch::tr("Change Nothing")},
        0, 2);
    if (choice == 0)
        return PackageInstall::Edits::KeepMine;
    if (choice == 1)
        return PackageInstall::Edits::TakePackage;
    return std::nullopt;
}

} // namespace

InstallBatch::InstallBatch(InstalledPackages &records, BatchQuestions &questions, QObject *parent)
    : QObject(parent), records(records), questions(questions)
{
    connect(&downloads, &DownloadManager::transferFinished, this, &InstallBatch::transferEnded);
}

InstallBatch::~InstallBatch()
{
    // An install still running on the pool must not outlive its object.
    for (const auto &step : steps)
        step->waitForWorker();
}

bool InstallBatch::start(const CatalogueEntries &catalogue, const QVector<int> &entries,
                         bool updateInPlace)
{
    const Catalogue::Batch batch = Catalogue::batchOf(catalogue, entries);
    QVector<Package> packages;
    for (int position = 0; position < batch.urls.size(); ++position) {
        Package package;
        package.entry = batch.entries.at(position);
        package.name = catalogue.name(package.entry);
        package.kind = batch.kinds.at(position);
        package.url = batch.urls.at(position);
        packages << package;
    }
    return startQueue(packages, updateInPlace);
}

bool InstallBatch::retryFailed()
{
    QVector<Package> again;
    for (const Package &package : qAsConst(queue)) {
        if (package.outcome != Outcome::Installed)
            again << Package{package.entry, package.name, package.kind, package.url};
    }
    return startQueue(again, inPlace);
}

bool InstallBatch::startQueue(const QVector<Package> &packages, bool updateInPlace)
{
    if (isBusy() || packages.isEmpty())
        return false;
    queue = packages;
    for (Package &package : queue)
        package.update = recordOf(package.name, package.kind) != nullptr;
    inPlace = updateInPlace;
    running = true;
    stopped = false;
    partialKept = false;
    transfersEnded = 0;
    working = -1;
    endedCount = 0;
    justEnded.reset();
    answeredSkips.clear();
    arrivals.clear();
    dropWaiting();
    installingAt = -1;
    // Connected at the first batch: a reader of the reports connected before (the window's
    // page) reads each report before the batch acts on it.
    if (!readingReports) {
        connect(&downloads, &DownloadManager::result, this, &InstallBatch::readReport);
        readingReports = true;
    }
    QStringList urls;
    for (const Package &package : qAsConst(queue))
        urls << package.url;
    downloads.setOverwrite(true);
    downloads.setUrlList(urls);
    downloads.startList();
    return true;
}

bool InstallBatch::allInstalled() const
{
    return std::all_of(queue.cbegin(), queue.cend(), [](const Package &package) {
        return package.outcome == Outcome::Installed;
    });
}

InstallBatch::Ending InstallBatch::ending() const
{
    Ending words;
    words.installed = int(std::count_if(queue.cbegin(), queue.cend(), [](const Package &package) {
        return package.outcome == Outcome::Installed;
    }));
    const int all = int(queue.size());
    if (stopped) {
        words.heading = tr("Stopped");
        //: %1 is the number of packages installed before the batch was stopped
        words.info =
            tr("Stopped. Installed %1 of %n package(s).", nullptr, all).arg(words.installed);
        if (partialKept)
            words.info += QLatin1Char(' ') + tr("The partial download is kept: downloading the "
                                                "package again resumes it.");
    } else if (words.installed < all) {
        words.heading = tr("Finished");
        words.info = tr("Installed %1 of %n package(s).", nullptr, all).arg(words.installed);
    } else if (!queue.isEmpty() &&
               std::all_of(queue.cbegin(), queue.cend(),
                           [](const Package &package) { return package.update; })) {
        words.heading = tr("Updated");
        words.info = tr("Update Completed");
    } else {
        words.heading = tr("Installed");
        words.info = tr("Install Completed");
    }
    return words;
}

QString InstallBatch::title(int position, Wording wording) const
{
    if (position < 0 || position >= queue.size())
        return QString();
    const Package &package = queue.at(position);
    return package.name + Catalogue::suffix(package.kind, wording);
}

QString InstallBatch::label(int position) const
{
    if (position < 0 || position >= queue.size())
        return QString();
    //: %1 is the package, %2 its place in the list, %3 the number of packages in the list
    return tr("%1 (%2 of %3)")
        .arg(title(position), QString::number(position + 1), QString::number(queue.size()));
}

QString InstallBatch::outcomeLine(int position, Wording wording) const
{
    const Package &package = queue.at(position);
    static const char *const words[] = {
        QT_TRANSLATE_NOOP("InstallBatch", "failed"), QT_TRANSLATE_NOOP("InstallBatch", "installed"),
        QT_TRANSLATE_NOOP("InstallBatch", "failed"), QT_TRANSLATE_NOOP("InstallBatch", "skipped")};
    const char *word = words[int(package.outcome)];
    if (package.outcome == Outcome::Installed && package.update)
        word = QT_TRANSLATE_NOOP("InstallBatch", "updated");
    QString head = title(position, wording);
    if (!package.folder.isEmpty())
        head += QStringLiteral(" \u2192 ") + package.folder;
    const QString &reason = wording == Wording::Log ? package.logReason : package.reason;
    const QString tail = reason.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + reason;
    return head + QStringLiteral(": ") + worded(wording, "InstallBatch", word) + tail;
}

int InstallBatch::current() const
{
    if (installingAt >= 0)
        return installingAt;
    if (!waitingArchives.isEmpty())
        return waitingArchives.first().position;
    return working >= 0 ? working : transfersEnded;
}

void InstallBatch::transferEnded(const DownloadOutcome &outcome)
{
    // The manager ends every queued file once, in queue order.
    working = transfersEnded++;
    DownloadOutcome arrival = outcome;
    if (arrival.kind == DownloadOutcome::Saved)
        arrival.savedPath = ownName(working, arrival.savedPath);
    arrivals.insert(working, arrival);
    justEnded = EndedTransfer{working, arrival};
}

QString InstallBatch::ownName(int position, const QString &saved) const
{
    // The manager saves every file of the batch under its URL's file name, replacing what is
    // there: a later package of the same file name would replace this archive while it waits.
    QSet<QString> later;
    for (int next = position + 1; next < queue.size(); ++next)
        later.insert(
            QFileInfo(downloads.targetPathFor(QUrl::fromEncoded(queue.at(next).url.toLocal8Bit())))
                .absoluteFilePath());
    const QFileInfo info(saved);
    if (!later.contains(info.absoluteFilePath()))
        return saved;
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = info.absolutePath() + QLatin1Char('/') + info.completeBaseName() +
                                  QLatin1Char('-') + QString::number(n) + suffix;
        if (later.contains(candidate) || QFileInfo::exists(candidate) ||
            QFileInfo(candidate).isSymLink())
            continue;
        return QFile::rename(saved, candidate) ? candidate : saved;
    }
}

void InstallBatch::readReport()
{
    // The report after a file's end is its outcome text; the file is dealt with then, unless a
    // reader before the batch had it installed already.
    if (justEnded && justEnded->outcome.kind == DownloadOutcome::Saved) {
        installSaved();
    } else if (justEnded) {
        const EndedTransfer failed = *justEnded;
        justEnded.reset();
        const QString name = queue.value(failed.position).name;
        InstallRecovery::note(name + QStringLiteral(": Failed: ") + failed.outcome.reason);
        if (failed.outcome.reason == DownloadManager::cancelledReason()) {
            partialKept = partialKept || failed.outcome.keptBytes > 0;
            end(failed.position, Outcome::Skipped, FailureWords::describe(failed.outcome),
                FailureWords::describe(failed.outcome, Wording::Log));
        } else {
            // The page tells it in the player's words; the log keeps the manager's.
            const QString words = FailureWords::describe(failed.outcome);
            if (queue.value(failed.position).outcome == Outcome::Pending)
                emit notice(words);
            end(failed.position, Outcome::Failed, words,
                FailureWords::describe(failed.outcome, Wording::Log));
        }
    }
    working = -1;
}

void InstallBatch::installSaved()
{
    if (!justEnded || justEnded->outcome.kind != DownloadOutcome::Saved)
        return;
    waitingArchives << *justEnded;
    justEnded.reset();
    // Never from inside the manager's report: it goes on with the next file meanwhile.
    scheduleInstalls();
}

void InstallBatch::scheduleInstalls()
{
    if (installsScheduled)
        return;
    installsScheduled = true;
    QTimer::singleShot(0, this, &InstallBatch::installWaiting);
}

void InstallBatch::installWaiting()
{
    installsScheduled = false;
    // The questions and the unpack of a package run in nested event loops, in which later
    // archives arrive and wait here for their turn.
    while (installingAt < 0 && !waitingArchives.isEmpty()) {
        const EndedTransfer next = waitingArchives.takeFirst();
        installingAt = next.position;
        installAt(next.position, next.outcome.savedPath);
        installingAt = -1;
    }
}

void InstallBatch::dropWaiting()
{
    for (const EndedTransfer &arrival : qAsConst(waitingArchives))
        QFile::remove(arrival.outcome.savedPath);
    waitingArchives.clear();
}

void InstallBatch::installAt(int position, const QString &archive)
{
    if (queue.value(position).outcome == Outcome::Pending) {
        const Package &package = queue.at(position);
        const InstalledPackage *record = recordOf(package.name, package.kind);
        emit installTurn(position, !(inPlace && record && !record->folder.isEmpty() &&
                                     QFileInfo(gameFolder + record->folder).isDir()));
    }
    // A question on screen is answered first: it may skip this package or stop the batch.
    questions.waitForTurn();
    if (queue.value(position).outcome != Outcome::Pending) {
        QFile::remove(archive);
        return;
    }
    const Package package = queue.at(position);
    if (stopped || answeredSkips.contains(position)) {
        QFile::remove(archive);
        emit notice(tr("Skipped %1").arg(package.name));
        end(position, Outcome::Skipped, cancelledWords(), QStringLiteral("cancelled"));
        return;
    }
    const DownloadOutcome arrival = arrivals.value(position);
    // An archive that cannot be read fails before the player names a folder for it.
    const WordedText unreadable = FailureWords::unreadableArchive(archive, arrival.contentType);
    if (!unreadable.log.isEmpty()) {
        QFile::remove(archive);
        fail(position, unreadable.log, unreadable.player);
        return;
    }
    // A change that an earlier run began for this package and could not finish yet comes first.
    const QString waiting = InstallRecovery::waitingFor(package.name, package.kind);
    if (!waiting.isEmpty()) {
        QFile::remove(archive);
        const WordedText text =
            wordedText("InstallBatch",
                       //: %1 is the package, %2 the folder the interrupted change waits for
                       QT_TRANSLATE_NOOP("InstallBatch",
                                         "%1 was not installed: an interrupted install or "
                                         "uninstall of it is waiting to be finished (%2)"))
                .arg(package.name, waiting);
        fail(position, text.log, text.player);
        return;
    }
    // Update all puts each package into its recorded folder without a question.
    const InstalledPackage *record = recordOf(package.name, package.kind);
    QString target = inPlace && record && !record->folder.isEmpty()
                         ? QDir::cleanPath(gameFolder + record->folder)
                         : QString();
    QString journal;
    WordedText why;
    if (QFileInfo(target).isDir()) {
        journal = InstallRecovery::newJournalPath();
    } else if (const WordedText damaged = damagedArchive(archive); !damaged.log.isEmpty()) {
        // A damaged entry fails before the player names a folder for the package.
        QFile::remove(archive);
        fail(position, damaged.log, damaged.player);
        return;
    } else if (const FolderAnswer answer = askFolder(
                   package.kind, package.name, record,
                   package.update ? Change::Update : Change::Install, &target, &journal, &why);
               answer != FolderAnswer::Chosen) {
        // Nothing lands in the kind's own folder: the package is left out and the batch goes on.
        QFile::remove(archive);
        if (answer == FolderAnswer::Refused) {
            fail(position, why.log, why.player);
            return;
        }
        emit notice(tr("Skipped %1").arg(package.name));
        end(position, Outcome::Skipped, why.player, why.log);
        return;
    }
    if (stopped || answeredSkips.contains(position)) {
        // Cancelled while the folder was asked for: a folder made for it goes again.
        UnpackTransaction::recover(journal);
        QFile::remove(archive);
        emit notice(tr("Skipped %1").arg(package.name));
        end(position, Outcome::Skipped, cancelledWords(), QStringLiteral("cancelled"));
        return;
    }
    queue[position].folder = QDir(gameFolder).relativeFilePath(target);
    runInstall(position, archive, target, journal);
}

void InstallBatch::runInstall(int position, const QString &archive, const QString &target,
                              const QString &journal)
{
    const Package package = queue.at(position);
    const DownloadOutcome arrival = arrivals.value(position);
    InstalledPackage installing;
    installing.name = package.name;
    installing.kind = package.kind;
    installing.url = package.url;
    installing.validator =
        QString::fromLatin1(arrival.entityTag.isEmpty() ? arrival.lastModified : arrival.entityTag);
    // Hashed while it was written: the install need not read the archive again.
    installing.archiveSha256 = arrival.sha256;
    installing.archiveSize = QFileInfo(archive).size();
    PackageInstall *step = newStep(installing, archive, target, journal);
    int total = 0;
    QString why;
    QString words;
    bool left = false;
    if (!prepare(step, title(position), package.kind,
                 package.update ? Change::Update : Change::Install, &total, &why, &words, &left)) {
        // Folders made for this package go at once.
        UnpackTransaction::recover(journal);
        QFile::remove(archive);
        if (left) {
            emit notice(tr("Skipped %1").arg(package.name));
            end(position, Outcome::Skipped, words, why);
        } else {
            fail(position, why, words);
        }
        return;
    }
    if (stopped || answeredSkips.contains(position)) {
        // Cancelled while the player's edits were asked about.
        UnpackTransaction::recover(journal);
        QFile::remove(archive);
        emit notice(tr("Skipped %1").arg(package.name));
        end(position, Outcome::Skipped, cancelledWords(), QStringLiteral("cancelled"));
        return;
    }
    emit unpackStarted(position);
    connect(&step->unzip(), &TsUnZip::status, this,
            [this, total, done = 0](const QString &state) mutable {
                if (state != QLatin1String("Unzipped"))
                    emit unpackProgress(++done, total, state);
            });
    followShare(step->unzip(), this, [this](int percent) { emit unpackPercent(percent); });
    connect(step, &PackageInstall::finished, this, [this, step, position] {
        QFile::remove(step->archive());
        const QString summary = step->outcome().summary();
        if (!summary.isEmpty())
            InstallRecovery::note(queue.value(position).name + QStringLiteral(": ") + summary);
        emit packageInstalled(position, queue.value(position).entry);
        end(position, Outcome::Installed, step->outcome().summary(Wording::Player), summary);
    });
    connect(step, &PackageInstall::failed, this,
            [this, step, position](const QString &error, const QString &detail) {
                // The archive is not kept: a failed archive is fetched again by Retry.
                QFile::remove(step->archive());
                if (!step->wasCancelled()) {
                    fail(position, withDetail(error, detail),
                         FailureWords::unpackFailure(error, detail));
                    return;
                }
                emit notice(tr("Cancelled %1").arg(queue.value(position).name));
                end(position, Outcome::Skipped, cancelledWords(), QStringLiteral("cancelled"));
            });
    // One package at a time: the next install waits until this one is in place (or undone);
    // the downloads go on meanwhile.
    runStep(step);
}

PackageInstall *InstallBatch::newStep(const InstalledPackage &package, const QString &archive,
                                      const QString &target, const QString &journal)
{
    steps.push_back(std::make_unique<PackageInstall>(records, gameFolder));
    PackageInstall *step = steps.back().get();
    step->setPackage(package, archive, target, journal);
    return step;
}

bool InstallBatch::prepare(PackageInstall *step, const QString &shownName, const QString &kind,
                           Change change, int *entries, QString *why, QString *words, bool *left)
{
    // One read of the archive's directory serves the space check, the player's edits and the
    // page.
    PackageInstall::Plan plan;
    QString reason;
    const auto unreadable = [&](const QString &error, const QString &detail) {
        *why = withDetail(error, detail);
        *words = FailureWords::unpackFailure(error, detail);
        return false;
    };
    if (!step->prepare(&plan, &reason))
        return unreadable(QStringLiteral("Couldn't open zip"), reason);
    if (plan.entryNames.isEmpty())
        return unreadable(QStringLiteral("Couldn't go to first file"),
                          QStringLiteral("the archive has no entries"));
    const WordedText shortage = spaceShortage(step->target(), plan.unpackedSize);
    if (!shortage.log.isEmpty()) {
        *why = shortage.log;
        *words = shortage.player;
        return false;
    }
    if (!plan.edits.isEmpty()) {
        const std::optional<PackageInstall::Edits> edits =
            askEdits(questions, change, shownName, kind, plan.edits);
        if (!edits) {
            *left = true;
            *why = leftWords().log;
            *words = leftWords().player;
            return false;
        }
        step->setEditChoice(*edits);
    }
    *entries = int(plan.entryNames.size());
    return true;
}

void InstallBatch::runStep(PackageInstall *step)
{
    QEventLoop waiting;
    connect(step, &PackageInstall::finished, &waiting, &QEventLoop::quit);
    connect(step, &PackageInstall::failed, &waiting, &QEventLoop::quit);
    runningStep = step;
    step->start();
    waiting.exec();
    runningStep = nullptr;
}

void InstallBatch::fail(int position, const QString &text, const QString &words)
{
    const QString shown = words.isEmpty() ? text : words;
    emit notice(shown);
    InstallRecovery::note(queue.value(position).name + QStringLiteral(": ") + text);
    end(position, Outcome::Failed, shown, text);
}

void InstallBatch::end(int position, Outcome outcome, const QString &reason,
                       const QString &logReason)
{
    if (position < 0 || position >= queue.size() || queue.at(position).outcome != Outcome::Pending)
        return;
    queue[position].outcome = outcome;
    queue[position].reason = reason;
    queue[position].logReason = logReason.isNull() ? reason : logReason;
    if (outcome == Outcome::Installed)
        installed.insert(queue.at(position).entry);
    ++endedCount;
    emit packageEnded(position, endedCount);
    if (endedCount >= queue.size())
        finish();
}

void InstallBatch::finish()
{
    running = false;
    // Archives of packages that ended while they waited (the batch was stopped).
    dropWaiting();
    // A Cancel question still open has nothing left to answer.
    questions.withdraw();
    // The log keeps the outcomes in English; the page says them in the player's language.
    for (int position = 0; position < queue.size(); ++position)
        InstallRecovery::note(QStringLiteral("Batch: ") + outcomeLine(position, Wording::Log));
    emit batchEnded();
}

InstallBatch::FolderAnswer InstallBatch::askFolder(const QString &kind, const QString &packageName,
                                                   const InstalledPackage *record, Change change,
                                                   QString *target, QString *journal,
                                                   WordedText *why)
{
    const QString destination = gameFolder + InstallRules::destinationIn(gameFolder, kind);
    // A package installed before is offered its own folder, which it then updates in place.
    const QString recordedFolder =
        record ? QDir::cleanPath(gameFolder + record->folder) : QString();
    QString text = record ? QFileInfo(recordedFolder).fileName()
                          : InstallRules::suggestedFolderName(packageName);
    const QString kindLabel = InstallRules::label(kind);
    const QString title = changeTitle(change, kind);
    // "the Gold Skin Skin" says the kind twice: a name that ends with it goes alone.
    const PackageKind *known = PackageKind::find(kind);
    const QString question =
        known && known->endsName(packageName)
            //: %1 is the package, whose name ends with its kind ("Gold Skin")
            ? tr("Choose a folder name to install the %1 into:").arg(packageName)
            //: %1 is the package, %2 its kind: Mod, Picture Pack or Skin
            : tr("Choose a folder name to install the %1 %2 into:").arg(packageName, kindLabel);
    QString label = question;
    for (;;) {
        // A complaint keeps the package named and what was typed.
        if (!questions.askText(title, label, &text)) {
            *why =
                wordedText("InstallBatch", QT_TRANSLATE_NOOP("InstallBatch", "no folder chosen"));
            return FolderAnswer::NoFolder;
        }
        const QString complaint = InstallRules::nameComplaint(text);
        if (!complaint.isEmpty()) {
            label = complaint + QStringLiteral("\n\n") + question;
            continue;
        }
        const QString candidate = destination + text;
        const QFileInfo candidateInfo(candidate);
        if (candidateInfo.isDir() && QDir::cleanPath(candidate) != recordedFolder) {
            // The player's folder is touched only when they say so.
            const int choice = questions.ask(
                title,
                //: %1 is the folder, %2 the package
                tr("The folder \"%1\" already exists.\n\nUpdate it with %2? The package's "
                   "files replace those of the same name; your other files stay.")
                    .arg(text, packageName),
                {tr("Update"), tr("Choose Another Name"), tr("Skip")}, 1, 2);
            if (choice == 1) {
                label = question;
                continue;
            }
            if (choice != 0) {
                *why = wordedText("InstallBatch",
                                  //: %1 is the folder
                                  QT_TRANSLATE_NOOP("InstallBatch",
                                                    "you chose to skip it: the folder \"%1\" "
                                                    "already exists"))
                           .arg(text);
                return FolderAnswer::Skipped;
            }
        }
        if (candidateInfo.isDir()) {
            *target = candidate;
            *journal = InstallRecovery::newJournalPath();
            return FolderAnswer::Chosen;
        }
        if (!candidateInfo.exists() && !candidateInfo.isSymLink() &&
            makeFolder(kind, candidate, journal)) {
            *target = candidate;
            return FolderAnswer::Chosen;
        }
        // A disk that cannot be written refuses every name: asking again does not help.
        *why = InstallRules::creationRefusal(candidate);
        if (!why->log.isEmpty())
            return FolderAnswer::Refused;
        // A file of that name cannot become a package folder.
        label = InstallRules::creationComplaint(candidate) + QStringLiteral("\n\n") + question;
    }
}

bool InstallBatch::cancel(bool closing)
{
    if (!running && singleRunning) {
        // An install from disk or a repair: stopped (and undone) only when the player says so.
        const int choice = questions.ask(
            tr("Close"),
            tr("A package is still being installed. Stop it and close?\n\nWhat was unpacked so "
               "far is undone."),
            {tr("Stop and Close"), tr("Go On")}, 1, 1);
        if (choice != 0)
            return false;
        if (runningStep)
            runningStep->cancel();
        if (fetching)
            fetching->quit();
        return true;
    }
    if (!running)
        return true;
    const int asked = current();
    const QString text =
        (closing ? tr("Packages are still being installed. Skip only %1, or stop the whole "
                      "batch and close?")
                 : tr("Packages are still being installed. Skip only %1, or stop the whole "
                      "batch?"))
            .arg(label(asked)) +
        QStringLiteral("\n\n") +
        tr("A package being unpacked is undone; a download is kept to be resumed later.");
    const QStringList choices = {tr("Skip This Package"),
                                 closing ? tr("Stop and Close") : tr("Stop the Batch"),
                                 tr("Go On")};
    const QString title = closing ? tr("Close") : tr("Cancel");
    if (closing) {
        // The window closes only after the answer.
        const int choice = questions.ask(title, text, choices, 2, 2);
        answerCancel(asked, choice);
        return !running || choice == 1;
    }
    // The batch goes on underneath while the question is open; its answer counts whenever it
    // comes, also after the download it was asked about has ended.
    questions.post(title, text, choices, 2, 2,
                   [this, asked](int choice) { answerCancel(asked, choice); });
    return false;
}

void InstallBatch::answerCancel(int asked, int choice)
{
    if (!running || (choice != 0 && choice != 1))
        return;
    const bool stop = choice == 1;
    const int at = current();
    // Skip is about the package that was asked about; once that one is over there is nothing
    // left to skip.
    if (!stop && (asked != at || queue.value(asked).outcome != Outcome::Pending))
        return;
    // A package whose download has just ended is not asked a folder for.
    answeredSkips.insert(at);
    stopped = stopped || stop;
    if (runningStep && at == installingAt)
        runningStep->cancel();
    // The download under way is another package's unless it is the one skipped; a stop ends it
    // and every one still queued, which are never requested.
    if (stop || at == transfersEnded)
        downloads.cancelCurrent(stop);
    if (!stop)
        return;
    // Saved archives waiting for their turn go unasked.
    const QVector<EndedTransfer> dropped = waitingArchives;
    dropWaiting();
    for (const EndedTransfer &arrival : dropped) {
        if (arrival.position == at)
            end(at, Outcome::Skipped, tr("cancelled"));
    }
    for (int position = at + 1; position < queue.size(); ++position)
        end(position, Outcome::Skipped, tr("the batch was stopped"));
}

const InstalledPackage *InstallBatch::recordOf(const QString &name, const QString &kind) const
{
    const InstalledPackage *record = records.find(name, kind);
    // A package installed from disk never stands for a catalogue entry of its name.
    return record && !record->fromDisk ? record : nullptr;
}

InstallBatch::Single InstallBatch::runSingle(const InstalledPackage &package,
                                             const QString &archive, const QString &target,
                                             const QString &journal, Change change)
{
    Single single;
    PackageInstall *step = newStep(package, archive, target, journal);
    int total = 0;
    if (!prepare(step, package.name, package.kind, change, &total, &single.logError, &single.error,
                 &single.left)) {
        UnpackTransaction::recover(journal);
        return single;
    }
    // The page's line goes when the unpack is over, before the player is told how it ended.
    const auto over = qScopeGuard([this] { emit singleProgress(QString()); });
    const QString name = package.name;
    followShare(step->unzip(), this, [this, name, change](int percent) {
        emit singleProgress((change == Change::Repair
                                 //: %1 is the package, %2 the share unpacked
                                 ? tr("Repairing %1: %2%")
                                 //: %1 is the package, %2 the share unpacked
                                 : tr("Installing %1: %2%"))
                                .arg(name, QString::number(percent)));
    });
    // The answers are read only while this call waits for them.
    QObject waiting;
    bool done = false;
    connect(step, &PackageInstall::finished, &waiting, [&done] { done = true; });
    connect(step, &PackageInstall::failed, &waiting,
            [&single](const QString &text, const QString &detail) {
                single.logError = withDetail(text, detail);
                single.error = FailureWords::unpackFailure(text, detail);
            });
    singleRunning = true;
    runStep(step);
    singleRunning = false;
    if (!done) {
        if (step->wasCancelled()) {
            single.error = cancelledWords();
            single.logError = QStringLiteral("cancelled");
        }
        return single;
    }
    single.installed = true;
    single.summary = step->outcome().summary();
    single.playerSummary = step->outcome().summary(Wording::Player);
    single.folder = QDir(gameFolder).relativeFilePath(target);
    return single;
}

bool InstallBatch::installFromDisk(const QString &archive)
{
    const QString title = tr("Install from File");
    const QString name = DiskPackage::packageName(archive);
    // The same errors as for a downloaded archive; the player's archive stays where it is.
    // `text` for the player, `logText` (when not the same) for the log.
    const auto fail = [&](const QString &text, const QString &logText = QString()) {
        InstallRecovery::note(name + QStringLiteral(" (from disk): ") +
                              (logText.isNull() ? text : logText));
        //: %1 is the package, %2 why it could not be installed
        questions.tellError(title, tr("Could not install %1:\n\n%2").arg(name, text));
        return false;
    };
    if (isBusy()) {
        questions.tell(
            title, tr("Packages are being installed. Install %1 when they are done.").arg(name));
        return false;
    }
    QStringList entries;
    // A damaged archive fails before the player is asked anything about it.
    if (const WordedText problem = diskArchiveProblem(archive, &entries); !problem.log.isEmpty())
        return fail(problem.player, problem.log);
    const QString kind = askKind(questions, title, name, entries);
    if (kind.isEmpty())
        return false;
    const InstalledPackage *known = records.find(name, kind);
    if (known && !known->fromDisk) {
        const WordedText text =
            wordedText("InstallBatch",
                       //: %1 is the folder of the package installed from the package list
                       QT_TRANSLATE_NOOP("InstallBatch",
                                         "A package of the same name and kind from the package "
                                         "list is installed in %1. Rename the archive to install "
                                         "it beside that one."))
                .arg(known->folder);
        return fail(text.player, text.log);
    }

    QString target;
    QString journal;
    WordedText refusal;
    if (const FolderAnswer answer =
            askFolder(kind, name, nullptr, Change::Install, &target, &journal, &refusal);
        answer != FolderAnswer::Chosen)
        return answer == FolderAnswer::Refused ? fail(refusal.player, refusal.log) : false;
    InstalledPackage package;
    package.name = name;
    package.kind = kind;
    package.fromDisk = true;
    package.archiveSize = QFileInfo(archive).size();
    const Single single = runSingle(package, archive, target, journal, Change::Install);
    if (single.left) {
        tellLeft(questions, title, name);
        return false;
    }
    if (!single.installed)
        return fail(single.error, single.logError);
    InstallRecovery::note(withSummary(
        name + QStringLiteral(" (from disk): installed into ") + single.folder, single.summary));
    const QString &summary = single.playerSummary;
    const QString label = InstallRules::label(kind);
    const QString done =
        PackageKind::find(kind)->endsName(name)
            //: %1 is the package, whose name ends with its kind ("Gold Skin"); %2 its folder
            ? tr("Installed the %1 into %2.").arg(name, single.folder)
            //: %1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder
            : tr("Installed the %1 %2 into %3.").arg(label, name, single.folder);
    questions.tell(
        title, done + (summary.isEmpty() ? QString() : QStringLiteral("\n\n") + sentence(summary)));
    return true;
}

bool InstallBatch::fetchAgain(const InstalledPackage &record, QString *archive, WordedText *why)
{
    // To a file, with the batch's retries, resume and size limit.
    emit singleProgress(tr("Fetching %1 again...").arg(record.name));
    ArchiveFetch fetch;
    QEventLoop waiting;
    connect(&fetch, &ArchiveFetch::progress, this, [&](qint64 done, qint64 total) {
        if (total > 0)
            //: %1 is the package, %2 how much of it has arrived in percent
            emit singleProgress(
                tr("Fetching %1 again... %2%").arg(record.name).arg(done * 100 / total));
    });
    connect(&fetch, &ArchiveFetch::finished, &waiting, [&](const QString &path) {
        *archive = path;
        waiting.quit();
    });
    connect(&fetch, &ArchiveFetch::failed, &waiting, [&](const QString &reason) {
        *why = wordedText("InstallBatch",
                          //: %1 is the address, %2 why it could not be fetched
                          QT_TRANSLATE_NOOP("InstallBatch",
                                            "the archive could not be fetched from %1: %2"))
                   .arg(record.url, reason);
        waiting.quit();
    });
    singleRunning = true;
    fetching = &waiting;
    fetch.start(QUrl(record.url));
    waiting.exec();
    fetching = nullptr;
    singleRunning = false;
    if (archive->isEmpty() && why->log.isEmpty())
        *why = {QStringLiteral("cancelled"), cancelledWords()};
    return !archive->isEmpty();
}

int InstallBatch::repair(const InstalledPackage &installed, const CatalogueEntries &catalogue)
{
    // A copy: the records are read again while it is repaired.
    const InstalledPackage record = installed;
    const QString title = tr("Repair %1").arg(InstallRules::label(record.kind));
    // `text` for the player, `logText` (when not the same) for the log.
    const auto fail = [&](const QString &text, const QString &logText = QString()) {
        InstallRecovery::note(QStringLiteral("Repair of ") + record.name + QStringLiteral(": ") +
                              (logText.isNull() ? text : logText));
        //: %1 is the package, %2 why it could not be repaired
        questions.tellError(title, tr("Could not repair %1:\n\n%2").arg(record.name, text));
        return -1;
    };
    QString archive;
    // A fetched archive is the repair's own: it goes when the repair is over, whatever the end.
    const auto removeFetched = qScopeGuard([&archive, &record] {
        if (!record.fromDisk && !archive.isEmpty())
            QFile::remove(archive);
    });
    WordedText why;
    if (record.fromDisk) {
        // The player's archive: asked for again, and only read.
        archive = questions.pickArchive(tr("The archive of %1").arg(record.name));
        if (archive.isEmpty())
            return -1;
    } else if (!fetchAgain(record, &archive, &why)) {
        return fail(why.player, why.log);
    }
    // Why the repair stops, in both wordings.
    const auto failWith = [&](const char *source) {
        const WordedText text = wordedText("InstallBatch", source);
        return fail(text.player, text.log);
    };
    if (PackageRepair::check(archive, record) != PackageRepair::Verdict::Same) {
        if (record.fromDisk)
            return failWith(QT_TRANSLATE_NOOP("InstallBatch",
                                              "that archive is not the one that was "
                                              "installed. Install it with Install from File "
                                              "to update the package."));
        InstallRecovery::note(QStringLiteral("Repair of ") + record.name +
                              QStringLiteral(": the host now serves another file"));
        const int choice =
            questions.ask(title,
                          tr("The host now serves another file for %1 than the one installed, "
                             "so it cannot repair it.\n\nUpdate to the file it serves now?")
                              .arg(record.name),
                          {tr("Update"), tr("Cancel")}, 0, 1);
        if (choice != 0)
            return -1;
        const auto found = std::find_if(
            catalogue.cbegin(), catalogue.cend(), [&record](const CatalogueEntry &entry) {
                return entry.name == record.name && entry.kind == record.kind;
            });
        if (found == catalogue.cend())
            return failWith(QT_TRANSLATE_NOOP("InstallBatch",
                                              "the package is not in the package list any more"));
        return int(found - catalogue.cbegin());
    }
    const Single single = runSingle(PackageRepair::packageFor(record), archive,
                                    QDir::cleanPath(gameFolder + record.folder),
                                    InstallRecovery::newJournalPath(), Change::Repair);
    if (single.left) {
        tellLeft(questions, title, record.name);
        return -1;
    }
    if (!single.installed)
        return fail(single.error, single.logError);
    InstallRecovery::note(withSummary(QStringLiteral("Repaired ") + record.name +
                                          QStringLiteral(" in ") + record.folder,
                                      single.summary));
    const QString &summary = single.playerSummary;
    //: %1 is the package, %2 its folder in the game
    questions.tell(
        title, tr("Repaired %1 in %2.").arg(record.name, record.folder) +
                   (summary.isEmpty() ? QString() : QStringLiteral("\n\n") + sentence(summary)));
    return -1;
}

bool InstallBatch::uninstall(const InstalledPackage &installed)
{
    // A copy: the record goes from the records while its words are still needed.
    const InstalledPackage record = installed;
    //: %1 is the kind of package: Mod, Picture Pack or Skin
    const QString title = tr("Uninstall %1").arg(InstallRules::label(record.kind));
    const int answer = questions.ask(
        title,
        //: %1 is the package, %2 its folder in the game
        tr("Uninstall %1 from %2?\n\nIts files are removed; files you changed or added there "
           "are kept.")
            .arg(record.name, record.folder),
        {tr("Uninstall"), tr("Cancel")}, 1, 1);
    if (answer != 0)
        return false;
    PackageRemoval::Result result;
    PackageRemoval::uninstall(gameFolder, record, records, InstallRecovery::newRemovalJournalPath(),
                              &result);
    // Hundreds of files are listed under a summary, in text that scrolls, and logged in part.
    const FileReport logged = FileReport::ofRemoval(record.name, record.folder, result);
    InstallRecovery::note(logged.isLong()
                              ? logged.forLog()
                              : PackageRemoval::describe(record.name, record.folder, result));
    emit recordsChanged();
    const FileReport shown =
        FileReport::ofRemoval(record.name, record.folder, result, Wording::Player);
    if (shown.isLong())
        questions.report(title, shown.summary, shown.detail(), false);
    else
        questions.tell(
            title, PackageRemoval::describe(record.name, record.folder, result, Wording::Player));
    return true;
}

bool InstallBatch::isVerifying() const
{
    return verifier && verifier->isRunning();
}

void InstallBatch::verify(const QVector<InstalledPackage> &installed,
                          const CatalogueEntries &catalogue)
{
    if (isVerifying()) {
        verifier->cancel();
        return;
    }
    if (installed.isEmpty())
        return;
    QVector<InstalledPackage> checked = installed;
    // Rows that cannot be read whole would report the package's files as not installed.
    for (InstalledPackage &record : checked) {
        QString why;
        if (records.checkPackage(record.name, record.kind, &record.files, &why) !=
            InstalledPackages::Check::Sound) {
            InstallRecovery::note(QStringLiteral("Verify of ") + record.name +
                                  QStringLiteral(": ") + why);
            //: %1 is the package, %2 what is wrong with its records
            questions.tell(tr("Verify"), tr("The records of %1 cannot be read whole, so its "
                                            "files cannot be checked against them:\n\n%2")
                                             .arg(record.name, InstalledPackages::checkWords(why)));
            return;
        }
    }
    verifiedCatalogue = catalogue;
    // Each run checks the game folder in use when it starts.
    verifier = std::make_unique<PackageVerify>(gameFolder);
    connect(verifier.get(), &PackageVerify::progress, this, &InstallBatch::verifyProgress);
    connect(verifier.get(), &PackageVerify::finished, this, &InstallBatch::verified,
            Qt::QueuedConnection);
    verifier->start(checked);
}

void InstallBatch::verified()
{
    if (!verifier || verifier->isRunning())
        return;
    emit verifyEnded();
    if (verifier->wasCancelled()) {
        InstallRecovery::note(QStringLiteral("Verify: stopped by the player"));
        return;
    }
    const QVector<PackageVerify::Result> results = verifier->results();
    InstallRecovery::note(QStringLiteral("Verify: ") + FileReport::ofVerify(results).forLog());
    QVector<InstalledPackage> broken;
    for (const PackageVerify::Result &result : results) {
        const InstalledPackage *record = records.find(result.name, result.kind);
        if (!result.whole() && record)
            broken << *record;
    }
    const FileReport report = FileReport::ofVerify(results, Wording::Player);
    if (!questions.report(tr("Verify"), report.summary, report.detail(), !broken.isEmpty()))
        return;
    for (const InstalledPackage &record : qAsConst(broken)) {
        const int update = repair(record, verifiedCatalogue);
        emit recordsChanged();
        if (update >= 0)
            emit updateWanted(update);
    }
}
