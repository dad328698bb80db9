#include "zerun.h"

#include "ui_zerun.h"

Zerun::Zerun(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::Zerun>())
{
    // The form ends on the transfer page and has connected the by-name slots.
    ui->setupUi(this);
    ui->back->hide();
    ui->quit->hide();
    connect(&installTimer, &QTimer::timeout, this, &Zerun::updateTime);
    ui->progressBar->setValue(0);
    ui->stackedWidget->setCurrentIndex(0);
    ui->back->hide();
    gameFolder = QString();
}

Zerun::~Zerun()
{
    // The form goes before the other members.
    ui.reset();
}

bool Zerun::initialise()
{
    // Game-folder search and catalogue fetch are not wired yet.
    return true;
}

void Zerun::status(const QString &msg)
{
    // Reads the download manager's report texts; not wired yet.
    Q_UNUSED(msg)
}

void Zerun::installing()
{
    // Shows the extraction of the current package; not wired yet.
}

void Zerun::updateStatusInfo(const QString &msg)
{
    // Information line of the transfer page; not wired yet.
    Q_UNUSED(msg)
}

void Zerun::updateStatusTitle(const QString &msg)
{
    // Title line of the transfer page; not wired yet.
    Q_UNUSED(msg)
}

void Zerun::updateProgress(int progress)
{
    // Progress bar of the transfer page; not wired yet.
    Q_UNUSED(progress)
}

void Zerun::updateTime()
{
    // Closing texts after the last installation; not wired yet.
}

void Zerun::on_repo_filter_currentIndexChanged(int index)
{
    // Catalogue filter by kind; not wired yet.
    Q_UNUSED(index)
}

void Zerun::on_add_to_list_clicked()
{
    // Copies the chosen catalogue entry into the download list; not wired yet.
}

void Zerun::on_download_items_clicked()
{
    // Starts the batch of the download list; not wired yet.
}

void Zerun::on_clear_list_clicked()
{
    // Empties the download list; not wired yet.
}

void Zerun::install()
{
    // Unpacks a downloaded package into the game folder; not wired yet.
}

void Zerun::installed()
{
    // Ends one package's installation; not wired yet.
}

void Zerun::on_back_clicked()
{
    // Returns to the catalogue page; not wired yet.
}

void Zerun::on_quit_clicked()
{
    // Ends the program; not wired yet.
}
