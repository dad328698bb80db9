#pragma once

#include "installedpackages.h"

#include <QString>
#include <QStringList>

// The record of one installed package, kept in the game folder beside its files: a hidden file
// at the top of the package's folder, ".zerun-record-<kind>-<16 hex digits>.json" (the digits
// from the SHA-256 of the package's name, so two packages in one folder keep a file each). It
// is written and removed inside the journalled step that changes the package's files, so it
// moves and is copied with the game folder, and the records database can be rebuilt from it.
//
// The file is plain JSON: {"format": "zerun-package-record", "version": 1, "record": {...},
// "sha256": "<hex>"}, where "record" holds name, kind, folder, url, validator, archiveSize,
// archiveSha256, installed, fromDisk, createdFolders, files [{path, size, sha256}] and
// originals [{path, keptAs}], and "sha256" is that of the record written compactly: a file that
// does not parse, has another format or version, or whose record does not match its hash is
// damaged and never trusted.
class PackageManifest
{
public:
    // ".zerun-record-": every name the manifests and their temporary files start with.
    static QString prefix();
    // The manifest of that package in its folder (absolute).
    static QString pathFor(const QString &packageFolder, const QString &name, const QString &kind);
    // Whether `relative` (to a package folder) is a manifest or a cut-off write of one.
    static bool isManifest(const QString &relative);

    // Writes the record whole and synced (files and originals as the record carries them).
    static bool write(const QString &packageFolder, const InstalledPackage &record, QString *why);
    // Removes the package's manifest and cut-off writes of it; true when none is left.
    static bool remove(const QString &packageFolder, const QString &name, const QString &kind);
    // Reads a manifest; false (and `why`) when it is damaged.
    static bool read(const QString &file, InstalledPackage *record, QString *why);

    // The manifests in the package folders of the game's Databases/, Pictures/ and Skins/
    // (absolute paths), never through a link below those folders.
    static QStringList find(const QString &gameFolder);
};
