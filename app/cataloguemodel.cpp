#include "cataloguemodel.h"

#include "cataloguerows.h"
#include "heldback.h"
#include "installedpackages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QStyle>

CatalogueModel::CatalogueModel(const CatalogueEntries &catalogue, const InstalledPackages &records,
                               const HeldBack &heldBack, const QSet<int> &updates, QObject *parent)
    : QAbstractListModel(parent)
    , catalogue(catalogue)
    , records(records)
    , heldBack(heldBack)
    , updates(updates)
{}

void CatalogueModel::show(int kindFilter, const QVector<int> &entries)
{
    beginResetModel();
    filter = kindFilter;
    shown = entries;
    endResetModel();
}

void CatalogueModel::marksChanged()
{
    if (!shown.isEmpty())
        emit dataChanged(index(0), index(shown.size() - 1),
                         {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole, markRole});
}

int CatalogueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shown.size();
}

CatalogueModel::Mark CatalogueModel::markOf(int entry) const
{
    if (!CatalogueRows::recordOf(catalogue, records, entry))
        return NotInstalled;
    return updates.contains(entry) ? UpdateAvailable : Installed;
}

QString CatalogueModel::tooltipOf(int entry) const
{
    const QString held = heldBack.tooltipOf(catalogue, entry);
    const InstalledPackage *record = CatalogueRows::recordOf(catalogue, records, entry);
    if (!record)
        return held;
    //: %1 is the package's folder in the game, %2 the day it was installed
    QString tip =
        (updates.contains(entry)
             ? QCoreApplication::translate("Zerun", "Installed in %1 on %2 \u2014 update available")
             : QCoreApplication::translate("Zerun", "Installed in %1 on %2"))
            .arg(record->folder,
                 record->installed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")));
    if (!held.isEmpty())
        tip += QLatin1Char('\n') + held;
    return tip;
}

QVariant CatalogueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shown.size())
        return QVariant();
    const int entry = shown.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return CatalogueRows::text(catalogue, records, filter, entry);
    case entryRole:
        return entry;
    case markRole:
        return markOf(entry);
    case Qt::ToolTipRole: {
        const QString tip = tooltipOf(entry);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::DecorationRole: {
        const Mark mark = markOf(entry);
        auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
        if (mark == NotInstalled || !application)
            return QVariant();
        return QApplication::style()->standardIcon(
            mark == UpdateAvailable ? QStyle::SP_BrowserReload : QStyle::SP_DialogApplyButton);
    }
    default:
        return QVariant();
    }
}

QMap<int, QVariant> CatalogueModel::itemData(const QModelIndex &index) const
{
    QMap<int, QVariant> roles;
    for (const int role : {int(Qt::DisplayRole), int(Qt::DecorationRole), int(Qt::ToolTipRole),
                           entryRole, markRole}) {
        const QVariant value = data(index, role);
        if (value.isValid())
            roles.insert(role, value);
    }
    return roles;
}

Qt::ItemFlags CatalogueModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled |
           Qt::ItemNeverHasChildren;
}
