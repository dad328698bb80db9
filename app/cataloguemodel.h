#pragma once

#include "catalogueentry.h"

#include <QAbstractListModel>
#include <QSet>
#include <QVector>

class HeldBack;
class InstalledPackages;

// The catalogue list's rows over the compact catalogue: one catalogue entry (or installed
// package from disk, see CatalogueRows) per row, its text, mark and tooltip made when the view
// asks. A drag carries the rows' data, the entry included, in the format item lists take.
class CatalogueModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // Row data: the catalogue index of a row, and its mark (a Mark value).
    static constexpr int entryRole = Qt::UserRole;
    static constexpr int markRole = Qt::UserRole + 1;
    enum Mark { NotInstalled = 0, Installed = 1, UpdateAvailable = 2 };

    // The model reads what it is given while it lives; `updates` are the entries with a newer
    // archive.
    CatalogueModel(const CatalogueEntries &catalogue, const InstalledPackages &records,
                   const HeldBack &heldBack, const QSet<int> &updates, QObject *parent = nullptr);

    // Shows `entries` as the rows of `filter` (see CatalogueRows::text).
    void show(int filter, const QVector<int> &entries);
    const QVector<int> &entries() const { return shown; }
    int entryAt(int row) const { return shown.value(row, -1); }
    // The records, updates or held-back packages changed: marks and tooltips are made again.
    void marksChanged();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    Mark markOf(int entry) const;
    QString tooltipOf(int entry) const;

    const CatalogueEntries &catalogue;
    const InstalledPackages &records;
    const HeldBack &heldBack;
    const QSet<int> &updates;
    int filter = 0;
    QVector<int> shown;
};
