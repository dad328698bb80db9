#pragma once

#include "catalogueentry.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

// The packages whose interrupted install or uninstall waits for its folder: until that change is
// finished they are neither downloaded nor updated. Read once from the journals by refresh(), so
// that the lists and buttons ask without reading the journal folder again.
class HeldBack
{
public:
    void refresh();

    // The folder the change of that package waits for; empty when none waits.
    QString folderOf(const CatalogueEntry &entry) const;
    // The line the list row of a catalogue entry adds to its tooltip; empty when nothing waits.
    QString tooltipOf(const CatalogueEntries &catalogue, int entry) const;

    // The entries that are not held back. `told` gets, when some are, what the player is told
    // (the log gets the same in English).
    QVector<int> offered(const CatalogueEntries &catalogue, const QVector<int> &entries,
                         QString *told) const;
    QSet<int> offered(const CatalogueEntries &catalogue, const QSet<int> &entries) const;

private:
    QString folderAt(const CatalogueEntries &catalogue, int entry) const;

    QHash<QString, QString> folders; // "<name>\n<kind>" -> the folder
};
