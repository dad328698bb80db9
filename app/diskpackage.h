#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QMimeData;

// A package archive the player has on disk (not from the catalogue): which dropped or picked
// files are such archives, the package name it is recorded under, and the likeliest kind from
// what it holds. The archive is the player's: nothing here writes, moves or deletes it.
class DiskPackage
{
public:
    // The local ".zip" files among dropped URLs; empty when there is anything else among them.
    static QStringList archivesOf(const QList<QUrl> &urls);
    static QStringList archivesOf(const QMimeData *data);

    // The file name without ".zip": "Neat Skin.zip" -> "Neat Skin".
    static QString packageName(const QString &archive);

    // The entry names of the archive; false, with the reason, when it cannot be read.
    static bool entryNames(const QString &archive, QStringList *names, QString *why);

    // The first entry whose bytes do not read back whole (a checksum that does not match, data
    // cut short), read without writing anything; empty when every entry reads whole or the
    // archive cannot be opened (entryNames() says why).
    static QString damagedEntry(const QString &archive);

    // "skin" when a skin's files are there (a skin.ini, style sheets), "pics" when most files
    // are images, else "mods".
    static QString likelyKind(const QStringList &entryNames);
};
