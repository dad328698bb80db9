#include "packageupdates.h"

#include "installedpackages.h"

#include <QCoreApplication>
#include <QUrl>

#include <algorithm>

QVector<PackageUpdates::Update> PackageUpdates::pending(const CatalogueEntries &catalogue,
                                                        const InstalledPackages &records,
                                                        const QSet<int> &differing)
{
    QVector<int> entries(differing.cbegin(), differing.cend());
    std::sort(entries.begin(), entries.end());
    QVector<Update> updates;
    for (const int entry : qAsConst(entries)) {
        if (entry < 0 || entry >= catalogue.size())
            continue;
        const CatalogueEntry &package = catalogue.at(entry);
        const InstalledPackage *record = records.find(package.name, package.kind);
        if (record && !record->fromDisk && !record->folder.isEmpty())
            updates.append({entry, record->folder});
    }
    return updates;
}

QVector<UpdateProbe::Query> PackageUpdates::queries(const CatalogueEntries &catalogue,
                                                    const InstalledPackages &records,
                                                    QSet<int> *differing)
{
    QVector<UpdateProbe::Query> queries;
    for (int entry = 0; entry < catalogue.size(); ++entry) {
        const InstalledPackage *record = records.find(catalogue.name(entry), catalogue.kind(entry));
        if (!record || record->fromDisk)
            continue;
        // Another address is another archive; the same address is asked about.
        if (catalogue.file(entry) != record->url)
            differing->insert(entry);
        else
            queries.append({entry, QUrl(record->url), record->validator, record->archiveSize});
    }
    return queries;
}

QString PackageUpdates::buttonText(int count)
{
    return QCoreApplication::translate("PackageUpdates", "&Update all (%1)").arg(count);
}
