#include "gamefolderpage.h"

#include "languagechoice.h"
#include "primarybutton.h"
#include "tslogging.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QString GameFolderPage::questionText()
{
    return tr("Where is TEW2016 installed? Choose the folder that holds TEW2016.exe");
}

GameFolderPage::GameFolderPage(const QVector<GameFolder::Candidate> &searched, const QString &home,
                               QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("gameFolderPage"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);

    auto *question = new QLabel(questionText(), this);
    question->setObjectName(QStringLiteral("gameFolderQuestion"));
    question->setWordWrap(true);
    QFont larger = question->font();
    larger.setPointSize(larger.pointSize() + 2);
    larger.setBold(true);
    question->setFont(larger);
    layout->addWidget(question);

    layout->addWidget(new QLabel(tr("It was not found in these places:"), this));
    auto *places = new QListWidget(this);
    places->setObjectName(QStringLiteral("gameFolderPlaces"));
    places->setSelectionMode(QAbstractItemView::NoSelection);
    places->setFocusPolicy(Qt::NoFocus);
    // The launcher first; a long path loses its middle, keeping the game's own folder in sight.
    places->setTextElideMode(Qt::ElideMiddle);
    const QString homeFolder = QDir::cleanPath(home) + QLatin1Char('/');
    for (const GameFolder::Candidate &place : searched) {
        QString path = place.folder;
        if (!home.isEmpty() && path.startsWith(homeFolder))
            path = QStringLiteral("~/") + path.mid(homeFolder.size());
        const QString line =
            QCoreApplication::translate("GameFolder", "%1: %2", "launcher: path of an install")
                .arg(GameFolder::labelOf(place), QDir::toNativeSeparators(path));
        auto *item = new QListWidgetItem(line, places);
        item->setToolTip(line);
    }
    layout->addWidget(places, 1);

    complaint = new QLabel(this);
    complaint->setObjectName(QStringLiteral("gameFolderComplaint"));
    complaint->setWordWrap(true);
    complaint->hide();
    layout->addWidget(complaint);

    auto *buttons = new QHBoxLayout;
    // The language, for a player whose desktop speaks one the installer does not have.
    auto *language = new QComboBox(this);
    language->setObjectName(QStringLiteral("gameFolderLanguage"));
    language->setAccessibleName(tr("Language"));
    language->setToolTip(tr("The installer's language; a new choice applies at the next start"));
    auto *languageNote = new QLabel(this);
    languageNote->setObjectName(QStringLiteral("gameFolderLanguageNote"));
    LanguageChoice::attach(language, languageNote);
    buttons->addWidget(language);
    buttons->addWidget(languageNote);
    buttons->addStretch(1);
    auto *quit = new QPushButton(tr("&Quit"), this);
    quit->setObjectName(QStringLiteral("gameFolderQuit"));
    auto *browseButton = new PrimaryButton(tr("&Browse\u2026"));
    browseButton->setParent(this);
    browseButton->setObjectName(QStringLiteral("gameFolderBrowse"));
    buttons->addWidget(quit);
    buttons->addWidget(browseButton);
    layout->addLayout(buttons);

    connect(browseButton, &QPushButton::clicked, this, &GameFolderPage::browse);
    connect(quit, &QPushButton::clicked, this, [this] {
        TsLogging::Log::debug(TsLogging::Channel::strName(),
                              QStringLiteral("Game folder: the player quit without choosing "
                                             "where TEW2016 is installed"));
        emit quitRequested();
    });
    browseButton->setFocus();
}

void GameFolderPage::setFinds(const QVector<GameFolder::Candidate> &found, const QString &home)
{
    finds = found;
    if (found.isEmpty())
        return;
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    auto *heading = new QLabel(tr("TEW2016 was found in these places. Choose the one the "
                                  "packages should go into:"),
                               this);
    heading->setWordWrap(true);
    auto *list = new QListWidget(this);
    list->setObjectName(QStringLiteral("gameFolderFinds"));
    list->setTextElideMode(Qt::ElideMiddle);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const GameFolder::Candidate &find : found) {
        auto *item = new QListWidgetItem(GameFolder::choiceText(find, home), list);
        item->setToolTip(QDir::toNativeSeparators(find.folder));
    }
    auto *use = new PrimaryButton(tr("&Use This Folder"));
    use->setParent(this);
    use->setObjectName(QStringLiteral("gameFolderUse"));
    const auto choose = [this, list] {
        const int row = list->currentRow();
        if (row < 0 || row >= finds.size())
            return;
        GameFolder::remember(finds.at(row).folder);
        TsLogging::Log::debug(TsLogging::Channel::strName(),
                              QStringLiteral("Game folder chosen: ") + finds.at(row).folder);
        emit folderChosen(finds.at(row).folder);
    };
    connect(use, &QPushButton::clicked, this, choose);
    connect(list, &QListWidget::itemActivated, this, choose);
    list->setCurrentRow(0);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(use);
    layout->insertWidget(1, heading);
    layout->insertWidget(2, list, 1);
    layout->insertLayout(3, row);
    list->setFocus();
}

void GameFolderPage::browse()
{
    QString chosen;
    const QString folder = GameFolder::browse(&chosen);
    if (chosen.isEmpty())
        return;
    if (folder.isEmpty()) {
        complaint->setText(tr("%1 is not TEW2016.exe. Choose the TEW2016.exe file in the "
                              "game's folder.")
                               .arg(QDir::toNativeSeparators(chosen)));
        complaint->show();
        return;
    }
    complaint->hide();
    TsLogging::Log::debug(TsLogging::Channel::strName(),
                          QStringLiteral("Game folder chosen: ") + folder);
    emit folderChosen(folder);
}
