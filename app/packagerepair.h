#pragma once

#include "installedpackages.h"

#include <QString>

// Repair of an installed package: its files come back from the very archive that was
// installed, placed again by the install step into the recorded folder (which asks about the
// player's edits and rewrites the record in one journalled change). Before that, an archive
// fetched again (or, for a package from disk, picked again) must be that archive.
class PackageRepair
{
public:
    enum class Verdict { Same, Other, Unknown };

    // Same: the archive's SHA-256 is the record's. Unknown: the record keeps no hash, or the
    // archive cannot be read.
    static Verdict check(const QString &archive, const InstalledPackage &record);

    // The record as the install step takes it for the repair: the same package, url and
    // validator, without its file list (the step writes it anew).
    static InstalledPackage packageFor(const InstalledPackage &record);
};
