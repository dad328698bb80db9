#pragma once

#include "catalogueentry.h"
#include "wording.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

// Reading the catalogue file and turning entries into the texts of the lists. Plain functions
// over the entries, so the main window keeps the state and these keep the rules.
class Catalogue
{
public:
    // The repo_filter choices.
    enum Filter { All = 0, Mods = 1, PicturePacks = 2, Skins = 3 };

    // Appends one entry per line of the UTF-8 text to `catalogue`, in file order. A line that
    // cannot be read is left out and parsing goes on with the next line: more than three fields
    // (which cannot be told apart from a name with a comma in it), a NUL byte, bytes that are not
    // UTF-8, a carriage return anywhere but right before the line feed. Returns the number of
    // lines left out.
    static int parse(const QByteArray &data, CatalogueEntries &catalogue);
    // Takes the entries from `first` on that have no web address out of `catalogue` (a file://
    // line would copy a local file; blank lines are not entries anyone wrote, they stay); returns
    // how many were taken out.
    static int dropNonWeb(CatalogueEntries &catalogue, int first);
    // Whether `data` is a catalogue at all: at least one of its lines reads as an entry the
    // lists can show (a known kind and a name). A login page put in the host's place, an error
    // page or an empty body is not.
    static bool isCatalogue(const QByteArray &data);

    // Replaces `visibleNames` with the texts the list shows under `filter`: the kind's suffix
    // after each name under All, plain names under the others, nothing for unknown kinds. A line
    // cut short before its name has nothing to show or download: entries without a name are
    // left out.
    // With `entries`, also the catalogue index of each shown text, in the same order.
    // rows() and shownText() give the same one at a time, for lists that make texts when shown.
    static void fill(const CatalogueEntries &catalogue, int filter, QStringList &visibleNames,
                     QVector<int> *entries = nullptr);
    static QVector<int> rows(const CatalogueEntries &catalogue, int filter);
    static QString shownText(const CatalogueEntries &catalogue, int filter, int index);

    // " [Mod]", " [Pic Pack]", " [Skin]" (in the player's language, or as the log writes them),
    // or nothing for any other kind.
    static QString suffix(const QString &kind, Wording wording = Wording::Player);
    // The list text with every kind suffix, in the player's language or English, (and carriage
    // return) taken out: the package name.
    static QString plainName(QString text);

    // The batch for a download list: every entry whose name equals a listed name, in
    // catalogue order, once per listing; never more pairs than there are names.
    struct Batch
    {
        QStringList urls;
        QStringList kinds;
        QVector<int> entries; // the catalogue index of each queued package
    };
    static Batch match(const CatalogueEntries &catalogue, const QStringList &names);
    // The batch for the given catalogue entries: catalogue order, each entry once; indices
    // outside the catalogue are left out.
    static Batch batchOf(const CatalogueEntries &catalogue, QVector<int> entries);
};
