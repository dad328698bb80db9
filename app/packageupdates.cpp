#include "packageupdates.h"

#include "installedpackages.h"

#include <QCoreApplication>

#include <algorithm>

QVector<PackageUpdates::Update> PackageUpdates::pending(const QVector<CatalogueEntry> &catalogue,
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

QString PackageUpdates::buttonText(int count)
{
    return QCoreApplication::translate("PackageUpdates", "Update all (%1)").arg(count);
}
