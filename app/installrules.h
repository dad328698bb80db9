#pragma once

#include "wording.h"

#include <QString>

// Where each kind of package goes inside the game folder, and which folder names the player
// may give it.
class InstallRules
{
public:
    // "Databases/", "Pictures/", "Skins/", or "" for an unknown kind.
    static QString destination(const QString &kind);
    // destination() as the game folder spells it ("databases/" where the game has that), or ""
    // for an unknown kind.
    static QString destinationIn(const QString &gameFolder, const QString &kind);
    // "Mod DB", "Picture Pack", "Skin", or "".
    static QString label(const QString &kind);
    // Mods get a "SaveGames" folder of their own.
    static bool hasSaveGames(const QString &kind);

    static constexpr int maximumNameLength = 24;
    static QString tooLongComplaint();
    // Characters no folder name may hold: < > : " / \ | ? *
    static QString illegalCharacters();
    static QString illegalCharactersComplaint();
    static QString controlCharactersComplaint();
    // A name ending in a blank or a dot, and one of only dots and blanks.
    static QString trailingComplaint();
    static QString onlyDotsComplaint();
    // "'CON' is a name Windows keeps for itself", with the device part as the player typed it.
    static QString reservedComplaint(const QString &device);
    // The device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, any case) that `name` stands for,
    // with or without an extension, as typed; empty for any other name.
    static QString reservedDevice(const QString &name);
    // Why `candidate` could not be created, for the player: a file in the way, no permission,
    // a full disk.
    static QString creationComplaint(const QString &candidate);
    // Why no folder can be created where `candidate` would go, whatever its name: the nearest
    // folder that exists is on a read-only or full disk, or cannot be written; empty in both
    // wordings when another name may help.
    static WordedText creationRefusal(const QString &candidate);
    // A folder name made from a package's name that passes nameComplaint(): illegal characters
    // dropped, cut to the length rule, no trailing blank or dot.
    static QString suggestedFolderName(const QString &packageName);

    // Empty for an acceptable name, else each thing wrong with it, joined by " and " and ended
    // with ".".
    // The name is judged exactly as typed, without trimming.
    static QString nameComplaint(const QString &name);
};
