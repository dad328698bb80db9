// Installs one archive into a package folder the way the main window does once the player has
// named the folder: the journal first (naming the folders about to be created), then the folders,
// then the journaled unpack. The kill test cuts it off at chosen moments.
//
//   zerun-test-install <archive> <package folder>

#include "installrecovery.h"
#include "startup.h"
#include "tsunzip.h"
#include "unpacktransaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    setInstallerIdentity();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    const QString target = arguments.at(2);
    const QStringList created = UnpackTransaction::missingFolders(target);
    const QString journal = InstallRecovery::newJournalPath();
    if (!UnpackTransaction::prepareJournal(journal, target, created) || !QDir().mkpath(target))
        return 3;
    TsUnZip unzip;
    unzip.setZipFile(arguments.at(1));
    unzip.setDestination(target);
    unzip.setEncrypted(false);
    unzip.setJournal(journal);
    bool finished = false;
    QObject::connect(&unzip, &TsUnZip::finished, [&finished] { finished = true; });
    unzip.unpackAll();
    std::printf("%s\n", finished ? "installed" : "failed");
    return finished ? 0 : 1;
}
