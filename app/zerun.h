#pragma once

#include "catalogueentry.h"
#include "cataloguefetch.h"
#include "cataloguemodel.h"
#include "cataloguerows.h"
#include "heldback.h"
#include "installbatch.h"
#include "installedpackages.h"
#include "questionqueue.h"
#include "updateprobe.h"
#include "windowquestions.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>

class QListWidgetItem;
class TsDownloader;

namespace Ui {
class Zerun;
}

// The installer's main window: the catalogue page (page 0 of the form's stacked widget) and the
// transfer page (page 1). It becomes the content of the frameless window at start-up. It asks and
// shows: batches, installs from disk, repairs and uninstalls run in its InstallBatch, whose
// questions it answers with its question queue and whose signals it shows on the pages.
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
    void setGameFolder(const QString &folder)
    {
        gameFolder = folder;
        batch.setGameFolder(folder);
    }

    // The repo_filter choice that shows only installed packages, after the four kinds.
    static constexpr int installedFilter = CatalogueRows::installedFilter;
    // Item data: the catalogue index of a list item, and its mark (a PackageMark value).
    static constexpr int entryRole = CatalogueModel::entryRole;
    static constexpr int markRole = CatalogueModel::markRole;
    enum PackageMark { NotInstalled = 0, Installed = 1, UpdateAvailable = 2 };

    // Reads the catalogue that `downloader` fetched and shows it under the current filter.
    void indexDownloaded(TsDownloader *downloader);
    void fillLists();
    void showLists();

    // Offers each archive as Install from File: its kind and folder asked, then installed.
    void installArchives(const QStringList &archives);

public slots:
    // Transfer page, driven by the download manager's report texts and the batch's signals.
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
    // The context menus of the lists and the catalogue page's buttons.
    void addListActions();
    void readCatalogue(const QByteArray &data);
    // Shows the fetched (or kept) list and says on the catalogue page where it came from.
    void catalogueFetched(const CatalogueFetch::Result &result);
    // Finishes or undoes installs that a kill cut off, and clears archives nothing refers to.
    void recoverInstalls();
    // The catalogue entry a list item stands for, or -1 for an item that does not know it.
    int entryOf(const QListWidgetItem *item) const;
    // The entries of the rows chosen in the catalogue list, in the order of the choice.
    QVector<int> selectedEntries() const;
    void removeSelectedDownloads();
    // Keeps only the shown entries whose names hold the search text.
    void narrowLists();
    void addToDownloadList(int entry);
    void removeDuplicateDownloads();
    // Installed packages: their records, their marks in the catalogue, the update checks.
    void loadInstalledPackages();
    // Points the records at those of the game folder in use and shows the folder on the page.
    void useGameFolder();
    // Rebuilds the records from the game folder where they were lost, and says so once.
    void settleRecords();
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
    // The window's part of the batch: its connections, and the page at its start and end.
    void connectBatch();
    void startBatch(const QVector<int> &entries, bool inPlace = false);
    void showBatchStart();
    void showBatchEnd();
    void showUnpacking(int done, int total, const QString &state);
    QString transferDetail(int percent, const QString &rate);
    void backToCatalogue();

    // Installed packages chosen in the list (with their files), for Verify.
    QVector<InstalledPackage> selectedRecords() const;
    // Starts a verify of the selected installed packages, or stops the one running.
    void verifySelected();
    void verifyEnded();
    // Installs packages from the player's own archives: picked, or dropped on the page.
    void chooseArchives();
    // After an install from disk, a repair or an uninstall: the lists and marks follow the
    // records.
    void singleEnded();
    // One batch of the installed packages with a newer archive, each into its recorded folder.
    void updateAll();
    // The installed catalogue packages to a file, and such a file onto the download list.
    void exportList();
    void importList();
    // From the first batch or install from disk on, the frame asks before it closes.
    void guardClose();

    int kindFilter = 0;
    // The form: created in the constructor, deleted first in the destructor.
    std::unique_ptr<Ui::Zerun> ui;
    CatalogueEntries catalogue;
    // The catalogue index of each shown row.
    QVector<int> visibleEntries;
    QString searchText;
    // The status line under the lists: a fetch under way, a notice, lines left out.
    bool catalogueLoading = false;
    QString catalogueNotice;
    int unreadLines = 0;
    QString gameFolder;
    QTimer installTimer;

    // Every question and message of the window, one at a time.
    QuestionQueue questions;
    WindowQuestions batchQuestions{questions, this};
    InstalledPackages packageRecords;
    // The batch, installs from disk and repairs; it holds the download manager.
    InstallBatch batch{packageRecords, batchQuestions};
    // The file in transfer: its bytes so far and whole length (-1: not told).
    qint64 bytesDone = 0;
    qint64 bytesTotal = -1;
    QElapsedTimer transferClock;
    double smoothedSecondsLeft = -1;
    // The download manager's time left for the file (-1: not known).
    qint64 transferSecondsLeft = -1;
    // The package whose end installed() books, while it runs.
    int finishedPosition = -1;
    // The page follows an unpack at a pace a person can read.
    QElapsedTimer unpackShown;

    UpdateProbe updateProbe;
    QSet<int> updatesAvailable;
    // Packages whose interrupted change waits: neither downloaded nor updated.
    HeldBack heldBack;
    // The rows of repo_list, made from the above as they are shown.
    CatalogueModel catalogueRows{catalogue, packageRecords, heldBack, updatesAvailable};

    // The catalogue fetch; kept for the rest of the run, started again by retry_catalogue.
    std::unique_ptr<CatalogueFetch> catalogueFetch;
    bool closeGuardInstalled = false;
    // What the start-up's recovery has to tell the player, on the catalogue page.
    QString recoveryNotice;
    // What became of the records of the game folder in use (damaged, rebuilt), for the page.
    QString recordsNotice;
    // Packages that a cut-off change left half changed, checked (and offered a repair) once.
    QVector<InstalledPackage> halfChanged;
};
