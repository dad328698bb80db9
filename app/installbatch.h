#pragma once

#include "catalogueentry.h"
#include "downloadmanager.h"
#include "installedpackages.h"
#include "wording.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class PackageInstall;
class PackageVerify;
class QEventLoop;

// What a batch asks the player, one question at a time. The window answers with its dialogs;
// a test answers from a script. Every call but post() returns once the question is answered.
class BatchQuestions
{
public:
    virtual ~BatchQuestions() = default;

    // Returns once no question is on screen (at once when none is).
    virtual void waitForTurn() = 0;
    // A line of text, starting with `text`; false after Cancel. The answer goes into `text`.
    virtual bool askText(const QString &title, const QString &label, QString *text) = 0;
    // One button per choice; the index chosen, or -1 when the question was closed.
    virtual int ask(const QString &title, const QString &text, const QStringList &choices,
                    int defaultChoice, int escapeChoice) = 0;
    // Shows the question and returns at once; `answered` gets the choice whenever it is given.
    // Nothing is asked while a question is already on screen.
    virtual void post(const QString &title, const QString &text, const QStringList &choices,
                      int defaultChoice, int escapeChoice, std::function<void(int)> answered) = 0;
    // Closes a posted question without an answer.
    virtual void withdraw() = 0;
    // A message with an OK button.
    virtual void tell(const QString &title, const QString &text) = 0;
    // A message about something that failed; a plain message where errors look no different.
    virtual void tellError(const QString &title, const QString &text) { tell(title, text); }
    // A report too long for a message: a one-line summary over a text that scrolls. With
    // `offerRepair`, Repair beside Close; true when the player chose it.
    virtual bool report(const QString &title, const QString &summary, const QString &detail,
                        bool offerRepair) = 0;
    // A package archive the player picks on disk; empty when they picked none.
    virtual QString pickArchive(const QString &title) = 0;
};

// One batch of catalogue packages, from the download to the record: the queue, the download
// manager's run, the folder and edits questions, the install step of each package, the outcome
// of each, Retry Failed, Cancel (skip the current package or stop the batch) and Update all.
// Installs from the player's own archives and repairs run their install step through it too, one
// at a time and never beside a batch.
//
// Downloads run ahead of installs: the manager goes on with the next file as soon as one is
// saved, while the player answers the questions of a saved archive and while it unpacks. Still
// one download at a time, and the questions and installs come one package at a time in queue
// order. A saved archive waits under a name of its own until its turn; nothing is installed from
// inside a report of the manager (the install runs on a later turn of the event loop), so a
// question never holds up the next download. The manager's reports are read when its first batch
// starts, so a reader connected to manager() before that (the window's transfer page) reads each
// report before the batch acts on it; such a reader may call installSaved() from its
// "Succeeded", the batch then does not queue it twice.
//
// Everything runs on the thread that owns the object; unpacks run on the global pool and are
// waited for before the object goes.
class InstallBatch : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Pending, Installed, Failed, Skipped };
    // What an install step does to a package; its titles, questions and outcome say so.
    enum class Change { Install, Update, Repair };

    // One package of the batch and how it ended.
    struct Package
    {
        int entry = -1; // catalogue index
        QString name;
        QString kind;
        QString url;
        QString folder; // relative to the game folder, once chosen
        Outcome outcome = Outcome::Pending;
        QString reason;    // in the player's words
        QString logReason; // the same for the log
        // Installed before the batch: the batch updates it.
        bool update = false;
    };

    InstallBatch(InstalledPackages &records, BatchQuestions &questions, QObject *parent = nullptr);
    ~InstallBatch() override;

    void setGameFolder(const QString &folder) { gameFolder = folder; }
    DownloadManager &manager() { return downloads; }

    // Starts a batch of the given catalogue entries, in catalogue order, each once. With
    // `inPlace` (Update all) every package goes into its recorded folder without a question.
    // False when a batch or a single install runs, or nothing is left to queue.
    bool start(const CatalogueEntries &catalogue, const QVector<int> &entries,
               bool inPlace = false);
    // The packages of the last batch that did not install, queued again.
    bool retryFailed();
    // Queues the archive the manager has just saved for its install, which starts on a later
    // turn of the event loop once the packages before it are over; nothing when there is none.
    void installSaved();
    // Asks whether to skip the current package or stop the batch (or, for a single install,
    // whether to stop it), and does it. True when nothing runs any more, or the player chose to
    // stop while `closing`.
    bool cancel(bool closing);

    bool isRunning() const { return running; }
    bool isBusy() const { return running || singleRunning; }
    bool allInstalled() const;
    // How the page words the end of the last batch: its heading and line, one ending that
    // stays, and how many packages installed. A stopped batch says so, what installed and
    // whether a partial download waits to be resumed.
    struct Ending
    {
        QString heading;
        QString info;
        int installed = 0;
    };
    Ending ending() const;
    const QVector<Package> &packages() const { return queue; }
    // Catalogue entries installed by the batches of this run.
    const QSet<int> &installedEntries() const { return installed; }
    // The package the player deals with: the one being asked about or installed, else the next
    // saved one waiting for that, else the one being transferred; packages().size() once all
    // are over.
    int current() const;
    // The package being transferred; packages().size() once every transfer is over.
    int downloading() const { return transfersEnded; }
    // Whether a package is being asked about or installed.
    bool isInstalling() const { return installingAt >= 0; }
    // "Neat Skin [Skin]" and "Neat Skin [Skin] (2 of 6)"; empty outside the queue.
    QString title(int position, Wording wording = Wording::Player) const;
    QString label(int position) const;
    // "Neat Skin [Skin] → Skins/Neat: installed — reason" (or "updated"), for the log or the
    // player.
    QString outcomeLine(int position, Wording wording) const;

    // Installs the player's archive, asking for its kind and folder, and tells how it went.
    // False when nothing was installed.
    bool installFromDisk(const QString &archive);
    // Puts the files of an installed package back from its archive (fetched again, or picked by
    // the player for one installed from disk), and tells how it went. When the host serves
    // another file now and the player chooses to update to it: the catalogue entry to update
    // from; else -1.
    int repair(const InstalledPackage &installed, const CatalogueEntries &catalogue);
    // Compares the files of installed packages with their records on the pool, reports, and
    // repairs the broken ones when the player chooses so; stops the verify under way instead
    // when one runs. `catalogue`: where a repair looks for a package the host serves anew.
    void verify(const QVector<InstalledPackage> &installed, const CatalogueEntries &catalogue);
    bool isVerifying() const;

    // Asks, then removes the files of an installed package, and tells how it went; false when the
    // player said no.
    bool uninstall(const InstalledPackage &installed);

signals:
    // A line for the page's information line.
    void notice(const QString &text);
    // The package at `position` has its turn: its questions come now, then its unpack. With
    // `namesFolder` the player is asked for its folder; without, it updates its own folder.
    // packages() tells whether it is an update.
    void installTurn(int position, bool namesFolder);
    // The package at `position` is being unpacked; then the files done of all and the unpack's
    // last text, and the share unpacked.
    void unpackStarted(int position);
    void unpackProgress(int done, int total, const QString &state);
    void unpackPercent(int percent);
    // A single install's progress, for the catalogue page; empty once it is over.
    void singleProgress(const QString &text);
    void packageInstalled(int position, int entry);
    // Records changed outside a batch: after an uninstall (before the player is told) and after
    // each repair of a verify.
    void recordsChanged();
    void verifyProgress(int done, int total);
    // The verify is over; its report and the repairs chosen follow.
    void verifyEnded();
    // A repair found another file on the host, and the player chose to update to it.
    void updateWanted(int entry);
    // The package at `position` is over; `ended` packages of the batch are.
    void packageEnded(int position, int ended);
    // Every package of the batch is over: packages() tells how each ended.
    void batchEnded();

private:
    struct EndedTransfer
    {
        int position = -1;
        DownloadOutcome outcome;
    };
    // How an install of a single package (from disk, or a repair) ended.
    struct Single
    {
        bool installed = false;
        QString error;    // why not, for the player
        QString logError; // the same for the log
        QString folder;   // relative to the game folder
        // What became of the player's files, for the log and for the player; empty when
        // nothing is worth telling.
        QString summary;
        QString playerSummary;
        // The player left the question about their changed files: nothing was changed.
        bool left = false;
    };
    // How the folder question ended: a folder to install into, none (the question was left),
    // the player's Skip of a folder that exists, or a folder that cannot be made whatever its
    // name (a read-only or full disk).
    enum class FolderAnswer { Chosen, NoFolder, Skipped, Refused };
    bool startQueue(const QVector<Package> &packages, bool updateInPlace);
    void verified();
    void readReport();
    void transferEnded(const DownloadOutcome &outcome);
    // Installs the saved archives waiting for their turn, one after the other, in queue order.
    void installWaiting();
    void scheduleInstalls();
    // Moves a saved archive off the name a later download of the batch would be saved under.
    QString ownName(int position, const QString &saved) const;
    void dropWaiting();
    void installAt(int position, const QString &archive);
    // Runs the install step of the package at `position` into `target` and waits for its end.
    void runInstall(int position, const QString &archive, const QString &target,
                    const QString &journal);
    // Asks for the folder name until one is accepted; otherwise `why` tells what became of the
    // package. A new folder is created here, after its journal, which `journal` then names.
    FolderAnswer askFolder(const QString &kind, const QString &packageName,
                           const InstalledPackage *record, Change change, QString *target,
                           QString *journal, WordedText *why);
    // Reads the step's archive, checks the space and asks about the player's edits; false with
    // the reason, for the log (`why`) and in the player's words (`words`), and `left` set when
    // the player left the question about their edits. `entries` gets the number of entries.
    bool prepare(PackageInstall *step, const QString &shownName, const QString &kind, Change change,
                 int *entries, QString *why, QString *words, bool *left);
    PackageInstall *newStep(const InstalledPackage &package, const QString &archive,
                            const QString &target, const QString &journal);
    // Starts the step and waits until it is over.
    void runStep(PackageInstall *step);
    // `text` goes to the log; the page shows `words` (the player's), or `text` without them.
    void fail(int position, const QString &text, const QString &words = QString());
    // `reason` in the player's words; `logReason`, when it is not the same, for the log.
    void end(int position, Outcome outcome, const QString &reason = QString(),
             const QString &logReason = QString());
    void finish();
    void answerCancel(int asked, int choice);
    Single runSingle(const InstalledPackage &package, const QString &archive, const QString &target,
                     const QString &journal, Change change);
    const InstalledPackage *recordOf(const QString &name, const QString &kind) const;
    // Fetches the archive of `record` again into the downloads folder; false with the reason.
    bool fetchAgain(const InstalledPackage &record, QString *archive, WordedText *why);

    InstalledPackages &records;
    BatchQuestions &questions;
    QString gameFolder;
    DownloadManager downloads;
    bool readingReports = false;

    QVector<Package> queue;
    bool inPlace = false;
    bool running = false;
    bool stopped = false;
    // A transfer cut off by the player kept its bytes for the next download of the package.
    bool partialKept = false;
    int transfersEnded = 0;
    int working = -1;
    int endedCount = 0;
    // The transfer that has just ended, until its outcome text has been read.
    std::optional<EndedTransfer> justEnded;
    QSet<int> answeredSkips;
    QSet<int> installed;
    // What the download told of each saved archive, for its record.
    QHash<int, DownloadOutcome> arrivals;
    // Saved archives waiting for their questions and install, in queue order.
    QVector<EndedTransfer> waitingArchives;
    // The package being asked about or installed, or -1.
    int installingAt = -1;
    bool installsScheduled = false;

    bool singleRunning = false;
    // The verify under way or last run, and the catalogue its repairs look in.
    std::unique_ptr<PackageVerify> verifier;
    CatalogueEntries verifiedCatalogue;
    QEventLoop *fetching = nullptr;
    // One per install step; they must outlive their worker-thread run.
    std::vector<std::unique_ptr<PackageInstall>> steps;
    PackageInstall *runningStep = nullptr;
};
