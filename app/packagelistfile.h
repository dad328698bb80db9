#pragma once

#include "catalogueentry.h"
#include "installedpackages.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// A player's set-up as a file to share: the installed packages that came from the catalogue,
// one catalogue line each ("url,kind,name"), so that the file reads like the catalogue itself.
// Reading one back finds its packages in the current catalogue by name and kind; lines it does
// not find, and lines that are not catalogue lines, are told, never guessed at.
class PackageListFile
{
    Q_DECLARE_TR_FUNCTIONS(PackageListFile)

public:
    // Larger files are not package lists (a wrong file picked): refused before reading.
    static constexpr qint64 maximumSize = 1 << 20;

    // The lines for the records from the catalogue; packages installed from disk have no
    // address and are left out. `leftOut` counts catalogue records that cannot be written as a
    // line (a comma or line break in a field).
    static QByteArray text(const QVector<InstalledPackage> &records, int *leftOut = nullptr);
    // `path` with ".txt" added when its name has no extension, so that the file shows under the
    // package-list filter of the file chooser; empty for an empty path.
    static QString withExtension(const QString &path);
    // What the player reads when no installed package can be written as a line.
    static QString nothingToExport();
    // Writes text() to `path` whole or not at all; `written`: the number of lines. With no line
    // to write, nothing is written and `why` is nothingToExport().
    static bool save(const QString &path, const QVector<InstalledPackage> &records, int *written,
                     QString *why);

    struct Import
    {
        QVector<int> entries;   // catalogue indices, in file order, each once
        QStringList missing;    // "Name [Skin]": read, but not in the catalogue
        QStringList unreadable; // "line 3: ...": not a catalogue line
        // What was added and what was not, for the player to read and copy.
        QString describe() const;
    };
    static Import read(const QByteArray &data, const CatalogueEntries &catalogue);
    // False, with the reason, when the file cannot be read or is too large to be a list.
    static bool load(const QString &path, const CatalogueEntries &catalogue, Import *result,
                     QString *why);
};
