#include "cataloguerows.h"

#include "catalogue.h"

#include <algorithm>

namespace {

QString day(const InstalledPackage &record)
{
    return record.installed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
}

bool listed(const CatalogueEntries &catalogue, const InstalledPackage &record)
{
    for (int index = 0; index < catalogue.size(); ++index) {
        if (catalogue.kind(index) == record.kind && catalogue.name(index) == record.name)
            return true;
    }
    return false;
}

} // namespace

const InstalledPackage *CatalogueRows::recordOf(const CatalogueEntries &catalogue,
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
    const InstalledPackage *record = records.find(catalogue.name(entry), catalogue.kind(entry));
    return record && !record->fromDisk ? record : nullptr;
}

QVector<InstalledPackage> CatalogueRows::recordsOf(const CatalogueEntries &catalogue,
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

QVector<int> CatalogueRows::rows(const CatalogueEntries &catalogue,
                                 const InstalledPackages &records, int filter)
{
    if (filter != installedFilter)
        return Catalogue::rows(catalogue, filter);
    QVector<int> entries;
    for (const int entry : Catalogue::rows(catalogue, Catalogue::All)) {
        if (recordOf(catalogue, records, entry))
            entries << entry;
    }
    const QVector<InstalledPackage> &all = records.all();
    for (int index = 0; index < all.size(); ++index) {
        if (all.at(index).fromDisk || !listed(catalogue, all.at(index)))
            entries << diskEntry(index);
    }
    return entries;
}

QString CatalogueRows::text(const CatalogueEntries &catalogue, const InstalledPackages &records,
                            int filter, int entry)
{
    if (filter != installedFilter)
        return entry >= 0 && entry < catalogue.size()
                   ? Catalogue::shownText(catalogue, filter, entry)
                   : QString();
    const InstalledPackage *record = recordOf(catalogue, records, entry);
    if (!record)
        return QString();
    if (entry >= 0)
        //: %1 is the package, %2 its folder in the game, %3 the day it was installed
        return tr("%1  \u2014 %2, installed %3")
            .arg(Catalogue::shownText(catalogue, Catalogue::All, entry), record->folder,
                 day(*record));
    const QString name = record->name + Catalogue::suffix(record->kind);
    if (record->fromDisk)
        //: %1 is the package, %2 its folder in the game, %3 the day it was installed
        return tr("%1 (from disk)  \u2014 %2, installed %3").arg(name, record->folder, day(*record));
    //: %1 is the package, %2 its folder in the game, %3 the day it was installed
    return tr("%1 (not in the package list)  \u2014 %2, installed %3")
        .arg(name, record->folder, day(*record));
}

void CatalogueRows::fill(const CatalogueEntries &catalogue, const InstalledPackages &records,
                         int filter, QStringList *names, QVector<int> *entries)
{
    *entries = rows(catalogue, records, filter);
    names->clear();
    for (const int entry : qAsConst(*entries))
        *names << text(catalogue, records, filter, entry);
}

QVector<int> CatalogueRows::narrowed(const CatalogueEntries &catalogue,
                                     const InstalledPackages &records, const QString &search,
                                     const QVector<int> &entries)
{
    QVector<int> kept;
    for (const int entry : entries) {
        const InstalledPackage *fromDisk =
            entry < 0 ? recordOf(catalogue, records, entry) : nullptr;
        if (entry < 0 && !fromDisk)
            continue;
        const QString name = fromDisk ? fromDisk->name : catalogue.name(entry);
        if (name.contains(search, Qt::CaseInsensitive))
            kept << entry;
    }
    return kept;
}

void CatalogueRows::narrow(const CatalogueEntries &catalogue, const InstalledPackages &records,
                           const QString &search, QStringList *names, QVector<int> *entries)
{
    const QVector<int> kept = narrowed(catalogue, records, search, *entries);
    QStringList keptNames;
    for (int row = 0, at = 0; row < entries->size() && at < kept.size(); ++row) {
        if (entries->at(row) == kept.at(at)) {
            keptNames << names->at(row);
            ++at;
        }
    }
    *names = keptNames;
    *entries = kept;
}
