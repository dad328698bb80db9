#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

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

    // Locates the game folder and starts the catalogue fetch; false ends the program without
    // showing a window. Until the game-folder search exists there is nothing to fail, so the
    // window is always shown.
    bool initialise();

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
    // Members in declaration order. Two are still to come, each at the place marked below:
    // `catalogue` (QList<CatalogueEntry>, with the catalogue entry type) and `downloadManager`
    // (DownloadManager by value, no parent, with the download manager).
    int kindFilter = 0;
    // The form: created in the constructor, deleted first in the destructor.
    std::unique_ptr<Ui::Zerun> ui;
    // catalogue goes here.
    QStringList visibleNames;
    QStringList downloadNames;
    QStringList queuedUrls;
    QStringList queuedKinds;
    QString downloadedFile;
    int currentItem = 0;
    QString gameFolder;
    // downloadManager goes here.
    QTimer installTimer;
};
