#pragma once

#include "catalogueentry.h"
#include "installedpackages.h"

#include <QString>
#include <QVector>

// The player's package list as a file: the installed catalogue packages written to a file they
// name, and such a file read back for the download list. Both say what they did in the log; the
// export also tells the player.
namespace ListExchange {

void exportList(const QVector<InstalledPackage> &records);
// The catalogue entries of the file the player picks, and `report`, what was read. False when
// none was picked or it could not be read (which the player is told).
bool importList(const CatalogueEntries &catalogue, QVector<int> *entries, QString *report);

} // namespace ListExchange
