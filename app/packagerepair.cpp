#include "packagerepair.h"

#include "sha256.h"

PackageRepair::Verdict PackageRepair::check(const QString &archive, const InstalledPackage &record)
{
    if (record.archiveSha256.isEmpty())
        return Verdict::Unknown;
    const QByteArray hash = Sha256::hexOfFile(archive);
    if (hash.isEmpty())
        return Verdict::Unknown;
    return hash == record.archiveSha256.toLower() ? Verdict::Same : Verdict::Other;
}

InstalledPackage PackageRepair::packageFor(const InstalledPackage &record)
{
    InstalledPackage package = record;
    package.files.clear();
    return package;
}
