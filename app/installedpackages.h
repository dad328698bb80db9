#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// One file a package put into the game folder, relative to the package's folder.
struct InstalledFile
{
    QString path;
    qint64 size = 0;
    QByteArray sha256; // hex
};

// What the installer knows of one package it installed.
struct InstalledPackage
{
    QString name;   // catalogue name
    QString kind;   // "mods", "pics", "skin"
    QString folder; // relative to the game folder, e.g. "Skins/MySkin"
    QString url;
    qint64 archiveSize = 0;
    QByteArray archiveSha256; // hex
    QString validator;        // the host's ETag, else Last-Modified; empty when it sent neither
    QDateTime installed;
    QVector<InstalledFile> files;
};

// The records of installed packages: one JSON document in the profile's Cache folder (never in
// the game folder), read whole and written whole through QSaveFile. A package is known by its
// catalogue name and kind. A missing or damaged document means "nothing known"; packages
// installed before records existed are simply unknown.
class InstalledPackages
{
public:
    explicit InstalledPackages(const QString &path = defaultPath());
    static QString defaultPath();

    // Reads the document; false (and nothing known) when it is damaged, with the reason.
    // A missing document is not damaged.
    bool load(QString *why = nullptr);
    bool save() const;

    const InstalledPackage *find(const QString &name, const QString &kind) const;
    // Adds the record, or replaces the one of the same name and kind.
    void put(const InstalledPackage &package);
    bool remove(const QString &name, const QString &kind);
    const QVector<InstalledPackage> &all() const { return packages; }

    // The SHA-256 of a file's bytes, in hex; empty when it cannot be read.
    static QByteArray sha256Of(const QString &path);
    // The files below `folder` named by `relativePaths`, with their sizes and hashes; names that
    // are not files (folders, missing) are left out.
    static QVector<InstalledFile> describe(const QString &folder, const QStringList &relativePaths);

private:
    QString path;
    QVector<InstalledPackage> packages;
};
