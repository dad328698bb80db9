#include "cataloguerows.h"

#include "catalogue.h"

#include <algorithm>

namespace {

QString day(const InstalledPackage &record)
{
    return record.installed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
}

bool listed(const QVector<CatalogueEntry> &catalogue, const InstalledPackage &record)
{
    return std::any_of(catalogue.cbegin(), catalogue.cend(),
                       [&record](const CatalogueEntry &entry) {
                           return entry.name == record.name && entry.kind == record.kind;
                       });
}

} // namespace

const InstalledPackage *CatalogueRows::recordOf(const QVector<CatalogueEntry> &catalogue,
                                                const InstalledPackages &records, int entry)
{
    if (entry <= diskEntry(0)) {
        const QVector<InstalledPackage> &all = records.all();
        const int index = diskEntry(0) - entry;
        return index < all.size() && (all.at(index).fromDisk || !listed(catalogue, all.at(index)))
                   ? &all.at(index)
                   : nullptr;
    }
    if (entry < 0 || entry >= catalogue.size())
        return nullptr;
    const InstalledPackage *record =
        records.find(catalogue.at(entry).name, catalogue.at(entry).kind);
    return record && !record->fromDisk ? record : nullptr;
}

QVector<InstalledPackage> CatalogueRows::recordsOf(const QVector<CatalogueEntry> &catalogue,
                                                   const InstalledPackages &records,
                                                   const QVector<int> &entries)
{
    QVector<InstalledPackage> found;
    for (const int entry : entries) {
        const InstalledPackage *record = recordOf(catalogue, records, entry);
        const bool listed =
            record &&
            std::any_of(found.cbegin(), found.cend(), [record](const InstalledPackage &known) {
                return known.name == record->name && known.kind == record->kind;
            });
        if (record && !listed)
            found << *record;
    }
    return found;
}

void CatalogueRows::fill(const QVector<CatalogueEntry> &catalogue, const InstalledPackages &records,
                         int filter, QStringList *names, QVector<int> *entries)
{
    if (filter != installedFilter) {
        Catalogue::fill(catalogue, filter, *names, entries);
        return;
    }
    QStringList shown;
    QVector<int> shownEntries;
    Catalogue::fill(catalogue, Catalogue::All, shown, &shownEntries);
    names->clear();
    entries->clear();
    for (int row = 0; row < shownEntries.size(); ++row) {
        const InstalledPackage *record = recordOf(catalogue, records, shownEntries.at(row));
        if (!record)
            continue;
        //: %1 is the package, %2 its folder in the game, %3 the day it was installed
        *names
            << tr("%1  \u2014 %2, installed %3").arg(shown.at(row), record->folder, day(*record));
        *entries << shownEntries.at(row);
    }
    const QVector<InstalledPackage> &all = records.all();
    for (int index = 0; index < all.size(); ++index) {
        const InstalledPackage &record = all.at(index);
        const QString name = record.name + Catalogue::suffix(record.kind);
        if (record.fromDisk)
            //: %1 is the package, %2 its folder in the game, %3 the day it was installed
            *names << tr("%1 (from disk)  \u2014 %2, installed %3")
                          .arg(name, record.folder, day(record));
        else if (!listed(catalogue, record))
            //: %1 is the package, %2 its folder in the game, %3 the day it was installed
            *names << tr("%1 (not in the package list)  \u2014 %2, installed %3")
                          .arg(name, record.folder, day(record));
        else
            continue;
        *entries << diskEntry(index);
    }
}

void CatalogueRows::narrow(const QVector<CatalogueEntry> &catalogue,
                           const InstalledPackages &records, const QString &search,
                           QStringList *names, QVector<int> *entries)
{
    QStringList keptNames;
    QVector<int> keptEntries;
    for (int row = 0; row < entries->size(); ++row) {
        const int entry = entries->at(row);
        const InstalledPackage *fromDisk =
            entry < 0 ? recordOf(catalogue, records, entry) : nullptr;
        const QString &name = fromDisk ? fromDisk->name : catalogue.at(entry).name;
        if ((entry >= 0 || fromDisk) && name.contains(search, Qt::CaseInsensitive)) {
            keptNames << names->at(row);
            keptEntries << entry;
        }
    }
    *names = keptNames;
    *entries = keptEntries;
}
