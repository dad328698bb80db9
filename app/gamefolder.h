#pragma once

#include <QString>
#include <QStringList>

// Finds the install folder of TEW2016: the game's default install paths first, then the same
// paths inside the Wine prefix that Linux players run it from, and finally the player's own
// answer to at most two file prompts.
class GameFolder
{
public:
    static QString executableName() { return QStringLiteral("TEW2016.exe"); }

    // Every path tried before asking, in order: the two default paths, then the same two in the
    // prefix named by WINEPREFIX (when set), then in ~/.wine.
    static QStringList defaultExecutables();

    // The folder of an executable path: the path with every "TEW2016.exe" taken out, which
    // leaves the trailing "/". Empty when the path does not name the executable.
    static QString folderOf(const QString &executable);

    // The folder of the first default path that exists, or an empty string.
    static QString findInstalled();

    // findInstalled(), else the answer of the prompts; empty when the player gave none.
    static QString locate();

    static QString firstPromptTitle() { return QStringLiteral("Set TEW2016 Install folder"); }
    static QString secondPromptTitle()
    {
        return QStringLiteral("Set TEW2016 Install folder, or press cancel to Quit");
    }
};
