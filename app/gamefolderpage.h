#pragma once

#include "gamefolder.h"

#include <QString>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

// The first-start page shown in the window while the game folder is unknown: it asks where the
// game is installed, lists the places already looked in, and offers Browse… (the file chooser
// for TEW2016.exe), Quit and the language box. A chosen folder is remembered for the next runs.
class GameFolderPage : public QWidget
{
    Q_OBJECT

public:
    // `home` shortens the listed places to "~/…".
    GameFolderPage(const QVector<GameFolder::Candidate> &searched, const QString &home,
                   QWidget *parent = nullptr);

    static QString questionText();

    // Offers the installs the search found (when the list of them was closed without a choice):
    // a list above the places looked in, where one is chosen with Use This Folder, a double
    // click or Enter.
    void setFinds(const QVector<GameFolder::Candidate> &found, const QString &home);

signals:
    // The folder of the executable the player pointed at, with a trailing "/".
    void folderChosen(const QString &folder);
    void quitRequested();

private:
    void browse();

    QLabel *complaint = nullptr;
    QVector<GameFolder::Candidate> finds;
};
