#pragma once

#include "catalogueentry.h"
#include "updateprobe.h"

#include <QSet>
#include <QString>
#include <QVector>

class InstalledPackages;

// The installed catalogue packages that have a newer archive on the host, each with the folder
// it is installed in, for one batch that updates them all in place.
class PackageUpdates
{
public:
    struct Update
    {
        int entry = -1; // catalogue index
        QString folder; // the recorded folder, relative to the game folder
    };

    // `differing`: the catalogue entries whose archive differs from the installed one (another
    // address, or another validator or length on the host). Only entries installed from the
    // catalogue count; a package installed from disk never stands for one. Catalogue order.
    static QVector<Update> pending(const CatalogueEntries &catalogue,
                                   const InstalledPackages &records, const QSet<int> &differing);

    // What to ask the host about the installed catalogue packages (their validator and length);
    // entries whose catalogue address is not the recorded one go into `differing` at once.
    static QVector<UpdateProbe::Query> queries(const CatalogueEntries &catalogue,
                                               const InstalledPackages &records,
                                               QSet<int> *differing);

    // "Update all (3)".
    static QString buttonText(int count);
};
