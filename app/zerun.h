#pragma once

#include "catalogueentry.h"
#include "cataloguefetch.h"
#include "downloadmanager.h"
#include "installedpackages.h"
#include "packageinstall.h"
#include "packageverify.h"
#include "questionqueue.h"
#include "updateprobe.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>
#include <vector>

class QEventLoop;
class QListWidgetItem;
class TsDownloader;

namespace Ui {
class Zerun;
}

// The installer's main window: the catalogue page (page 0 of the form's stacked widget) and the
// transfer page (page 1). It becomes the content of the frameless window at start-up.
//
// The slots keep this exact order: their meta-object indices are part of the window's interface.
class Zerun : public QMainWindow
{
    Q_OBJECT

public:
    explicit Zerun(QWidget *parent = nullptr);
    ~Zerun() override;

    // Locates the game folder and starts the catalogue fetch; false (no game folder) ends the
    // program without showing a window.
    bool initialise();
    // True once the game folder is known; asks the player when it is not found by itself.
    bool locateGameFolder();
    // Uses `folder` as the game folder (one the player pointed at), before initialise().
    void setGameFolder(const QString &folder) { gameFolder = folder; }

    // The repo_filter choice that shows only installed packages, after the four kinds.
    static constexpr int installedFilter = 4;
    // Item data: the catalogue index of a list item, and its mark (a PackageMark value).
    static constexpr int entryRole = Qt::UserRole;
    static constexpr int markRole = Qt::UserRole + 1;
    enum PackageMark { NotInstalled = 0, Installed = 1, UpdateAvailable = 2 };

    // Reads the catalogue that `downloader` fetched and shows it under the current filter.
    void indexDownloaded(TsDownloader *downloader);
    void fillLists();
    void showLists();

public slots:
    // Transfer page, driven by the download manager's and the extractor's report texts.
    void status(const QString &msg);
    void installing();
    void updateStatusInfo(const QString &msg);
    void updateStatusTitle(const QString &msg);
    void updateProgress(int progress);
    void updateTime();

private slots:
    // Connected by name from the form (on_<objectName>_<signal>).
    void on_repo_filter_currentIndexChanged(int index);
    void on_add_to_list_clicked();
    void on_download_items_clicked();
    void on_clear_list_clicked();
    void install();
    void installed();
    void on_back_clicked();
    void on_quit_clicked();

private:
    enum class Outcome { Pending, Installed, Failed, Skipped };
    // One package of the batch and how it ended.
    struct BatchPackage
    {
        int entry = -1;
        QString folder; // relative to the game folder, once chosen
        Outcome outcome = Outcome::Pending;
        QString reason;
    };

    void readCatalogue(const QByteArray &data);
    // Shows the fetched (or kept) list and says on the catalogue page where it came from.
    void catalogueFetched(const CatalogueFetch::Result &result);
    // Finishes or undoes installs that a kill cut off, and clears archives nothing refers to.
    void recoverInstalls();
    // The catalogue entry a list item stands for, or -1 for an item that does not know it.
    int entryOf(const QListWidgetItem *item) const;
    void markSelectedEntries();
    void removeSelectedDownloads();
    // The kind filter (or the Installed view) alone, before the search narrows it.
    void fillByKind();
    // Keeps only the shown entries whose names hold the search text.
    void narrowLists();
    void addToDownloadList(int entry);
    void removeDuplicateDownloads();
    // Installed packages: their records, their marks in the catalogue, the update checks.
    void loadInstalledPackages();
    // Points the records at those of the game folder in use and shows the folder on the page.
    void useGameFolder();
    // "Change…": another install of the game, with its own records.
    void changeGameFolder();
    const InstalledPackage *recordOf(int entry) const;
    void applyMarks();
    void checkForUpdates();
    void uninstallSelected();
    // Shows the selected installed package's folder in the file manager.
    void openSelectedFolder();
    void updateUninstallButton();
    void updateCatalogueStatus();
    // Moves the saved archive to a name of its own, so that a later download of the same file
    // name cannot truncate it while it is being unpacked.
    static QString claimArchive(const QString &saved);
    // Asks for the folder name until one is accepted; false when the player cancelled or chose
    // to skip the package. An existing folder is used only when the player chooses to update
    // it. A new folder is created here, after its journal, which `journal` then names.
    bool askFolder(const QString &kind, const QString &baseName, const QString &packageName,
                   QString &target, QString &journal, int position);
    enum class ExistingFolder { Update, OtherName, Skip };
    ExistingFolder askExistingFolder(const QString &kindLabel, const QString &folderName,
                                     const QString &packageName);
    // Asks what to do with files the player changed that the package would replace.
    PackageInstall::Edits askEdits(const QString &packageName, const QString &kindLabel,
                                   const QStringList &edits);
    // Starts the install step of one package into `target` and waits until it is over.
    void runInstall(const QString &archive, const QString &target, const QString &journal,
                    int position, bool createdTarget);
    void startBatch(const QVector<int> &entries);
    // "Neat Skin [Skin] (2 of 6)": the package at that queue position, for the page.
    QString packageLabel(int position) const;
    // "Neat Skin [Skin]": the package at that queue position, by name and kind.
    QString packageTitle(int position) const;
    QString transferDetail(int percent, const QString &rate);
    bool allInstalled() const;
    void endBatch();
    void backToCatalogue();
    void retryFailed();
    // Asks whether to skip the current package or stop the batch, and does it; true when the
    // batch stops (or none runs), which lets a closing window close.
    bool cancelBatch(bool closing);
    // Acts on the answer to the Cancel question asked about the package at `asked`.
    void answerCancel(int asked, int choice);
    void copyDetails() const;
    void installFailed(PackageInstall *step, int position, const QString &error,
                       const QString &detail);
    // Books the end of one package of the batch; after the last one the page can be left.
    void packageEnded(int position, Outcome outcome, const QString &reason = QString());
    QString queuedName(int position) const;

    // Installed packages chosen in the list (with their files), for Verify.
    QVector<InstalledPackage> selectedRecords() const;
    // Starts a verify of the selected installed packages, or stops the one running.
    void verifySelected();
    void verifyEnded();
    // A long text the player can scroll, select and copy, under a one-line `summary`, in a
    // modal dialog that fits inside the window; true when the player chose Repair (offered when
    // `offerRepair`).
    bool showReport(const QString &title, const QString &text, bool offerRepair = false,
                    const QString &summary = QString());
    // Places the files of the installed package `record` again from its archive.
    void repairPackage(const InstalledPackage &record);
    // Runs the install step of `package` from `archive` into `target` and waits for its end;
    // false with the reason when it failed.
    bool installNow(const InstalledPackage &package, const QString &archive, const QString &target,
                    const QString &journal, QString *error, PackageInstall::Outcome *outcome);
    // Installs packages from the player's own archives: picked, or dropped on the page.
    void chooseArchives();
    void installArchives(const QStringList &archives);
    void installFromDisk(const QString &archive);
    // One batch of the installed packages with a newer archive, each into its recorded folder.
    void updateAll();
    // The installed catalogue packages to a file, and such a file onto the download list.
    void exportList();
    void importList();
    // From the first batch or install from disk on, the frame asks before it closes.
    void guardClose();
    // The list item entry of a package installed from disk: its index in the records, below -1.
    static int diskEntry(int recordIndex) { return -2 - recordIndex; }

    int kindFilter = 0;
    // The form: created in the constructor, deleted first in the destructor.
    std::unique_ptr<Ui::Zerun> ui;
    QVector<CatalogueEntry> catalogue;
    QStringList visibleNames;
    // The catalogue index of each shown name, and of each queued package.
    QVector<int> visibleEntries;
    QVector<int> queuedEntries;
    QString searchText;
    // The status line under the lists: a fetch under way, a notice, lines left out.
    bool catalogueLoading = false;
    QString catalogueNotice;
    int unreadLines = 0;
    QStringList downloadNames;
    QStringList queuedUrls;
    QStringList queuedKinds;
    QString downloadedFile;
    int currentItem = 0;
    QString gameFolder;
    DownloadManager downloadManager;
    QTimer installTimer;

    // Every question and message of the window, one at a time.
    QuestionQueue questions;
    // Queue positions the player skipped (or stopped) by answering the Cancel question.
    QSet<int> answeredSkips;
    // The content type the host named for each queue position's archive.
    QHash<int, QByteArray> archiveTypes;
    // Why each failed transfer failed, in the player's words.
    QHash<int, QString> failureWords;
    // The file in transfer: its bytes so far and whole length (-1: not told).
    qint64 bytesDone = 0;
    qint64 bytesTotal = -1;

    InstalledPackages packageRecords;
    UpdateProbe updateProbe;
    QSet<int> updatesAvailable;
    // The host's validator (ETag, else Last-Modified) of each downloaded URL, for the records.
    QHash<QString, QString> validators;
    // The SHA-256 of each saved archive, worked out while it was downloaded.
    QHash<QString, QByteArray> archiveHashes;

    // The catalogue fetch; kept for the rest of the run, started again by retry_catalogue.
    std::unique_ptr<CatalogueFetch> catalogueFetch;
    // Queue position of the file being transferred: the manager starts the files in queue order
    // and reports each start (or a save file it could not open), so counting those reports
    // tells which queued package a saved file belongs to, whatever kinds the batch mixes.
    int startedTransfers = 0;
    int transferPosition = 0;
    // Packages of the batch that are over, installed or not, and what went wrong with the others.
    int endedPackages = 0;
    bool batchRunning = false;
    QVector<BatchPackage> packages;
    // Catalogue entries installed by the batches of this run (they leave the download list).
    QSet<int> installedEntries;
    QElapsedTimer transferClock;
    double smoothedSecondsLeft = -1;
    // One per package handed to the install step; they must outlive their worker-thread run.
    std::vector<std::unique_ptr<PackageInstall>> installs;
    PackageInstall *runningInstall = nullptr;
    bool closeGuardInstalled = false;
    // The install whose end is being booked while installed() runs, and its queue position.
    PackageInstall *finishedInstall = nullptr;
    int finishedPosition = -1;
    // What the start-up's recovery has to tell the player, on the catalogue page.
    QString recoveryNotice;
    // Verify of installed packages; made when first used, kept for the window's life.
    std::unique_ptr<PackageVerify> verifier;
    bool diskInstallRunning = false;
    // While a repair fetches its archive: the wait that closing the window ends.
    QEventLoop *repairFetch = nullptr;
    // The batch is Update all's: each package goes into its recorded folder.
    bool updatingInPlace = false;
};
