#pragma once

#include <QString>

#include <array>

// The kinds of package the catalogue names, with everything that follows from a kind: the suffix
// the list shows after a name, the label the prompts use, the folder of the game it goes into and
// whether it gets a save-game folder of its own. The one table of these facts; the catalogue and
// the install rules read it.
struct PackageKind
{
    QString code;           // as the catalogue writes it: "mods", "pics", "skin"
    const char *listSuffix; // " [Mod]", " [Pic Pack]", " [Skin]", as the log writes them
    const char *label;      // "Mod DB", "Picture Pack", "Skin", as the log writes them
    QString destination;    // "Databases/", "Pictures/", "Skins/" inside the game folder
    bool hasSaveGames;      // mods get a "SaveGames" folder

    // The suffix and the label in the player's language.
    QString shownSuffix() const;
    QString shownLabel() const;

    // Whether `name` ends with this kind as a word of its own ("Gold Skin", "Super Mod",
    // "Small Mod DB", not "Reskin"), in English or the player's language: it is then not named
    // again after the name.
    bool endsName(const QString &name) const;

    // Every kind, in the order of the repo_filter choices after "All".
    static const std::array<PackageKind, 3> &all();

    // The kinds by name, for code that means one of them.
    static const PackageKind &mods() { return all()[0]; }
    static const PackageKind &pictures() { return all()[1]; }
    static const PackageKind &skin() { return all()[2]; }

    // The kind with this catalogue code, or nullptr.
    static const PackageKind *find(const QString &code);
};
