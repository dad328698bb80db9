#include "installrecovery.h"

#include "apppaths.h"
#include "packageremoval.h"
#include "tslogging.h"
#include "tsunzip.h"

#include <QDir>
#include <QFile>
#include <QUuid>

QString InstallRecovery::journalFolder()
{
    return AppPaths::cacheFolder() + QStringLiteral("/installs");
}

QString InstallRecovery::newJournalPath()
{
    return journalFolder() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
           QStringLiteral(".journal");
}

QString InstallRecovery::newRemovalJournalPath()
{
    return journalFolder() + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
           QStringLiteral(".removal");
}

QStringList InstallRecovery::recoverAll()
{
    QStringList done;
    const QDir folder(journalFolder());
    const QStringList removals =
        folder.entryList({QStringLiteral("*.removal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : removals) {
        const QString what = PackageRemoval::recover(folder.filePath(name));
        if (!what.isEmpty())
            done << what;
        QFile::remove(folder.filePath(name));
    }
    const QStringList journals =
        folder.entryList({QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : journals) {
        const QString what = TsUnZip::recover(folder.filePath(name));
        if (!what.isEmpty())
            done << what;
        // A journal that could not even be read must not be tried at every start.
        QFile::remove(folder.filePath(name));
    }
    return done;
}

int InstallRecovery::removeLeftoverArchives()
{
    const QDir folder(AppPaths::downloadsFolder());
    int removed = 0;
    const QStringList archives = folder.entryList({QStringLiteral("*.zip")}, QDir::Files);
    for (const QString &name : archives)
        removed += QFile::remove(folder.filePath(name)) ? 1 : 0;
    return removed;
}

void InstallRecovery::note(const QString &text)
{
    // The handler keeps debug records of this channel (the filter rules enable them) and drops
    // info records, so diagnostics go out as debug.
    TsLogging::Log::debug(TsLogging::Channel::strName(), text);
}
