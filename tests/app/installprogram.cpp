// Carries out one change of the game folder the way the main window does once the player has
// answered its questions, through the same steps; the kill test cuts it off at chosen moments.
//
//   zerun-test-install install <archive> <game folder> <package folder> <name> <mine|package>
//   zerun-test-install uninstall <game folder> <name>
//   zerun-test-install recover
//
// An install writes the journal first (naming the folders about to be created), then the
// folders, then runs the install step with its record. The last argument answers the question
// about the player's changed files.
//
// With ZERUN_TEST_HOLD_JOURNAL_WRITE=<n>, the n-th journal write (counting from 1) holds its
// temporary file open for a few seconds before the rename, so that a kill can land inside it.
// The program prints how many journal writes it made. "recover" does what the start-up does with
// interrupted changes.

#include "foldersync.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "packageinstall.h"
#include "packageremoval.h"
#include "startup.h"
#include "unpacktransaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>

#include <atomic>
#include <cstdio>

namespace {

int install(const QStringList &arguments)
{
    const QString archive = arguments.at(2);
    const QString game = arguments.at(3);
    const QString target = arguments.at(4);
    InstalledPackages records;
    records.load();
    const QStringList created = UnpackTransaction::missingFolders(target);
    const QString journal = InstallRecovery::newJournalPath();
    if (!UnpackTransaction::prepareJournal(journal, target, created) ||
        !FolderSync::makePath(target))
        return 3;
    PackageInstall step(records, game);
    InstalledPackage package;
    package.name = arguments.at(5);
    package.kind = QStringLiteral("mods");
    package.url = QStringLiteral("http://127.0.0.1/files/") + QFileInfo(archive).fileName();
    step.setPackage(package, archive, target, journal);
    PackageInstall::Plan plan;
    if (!step.prepare(&plan, nullptr))
        return 4;
    step.setEditChoice(arguments.at(6) == QLatin1String("mine")
                           ? PackageInstall::Edits::KeepMine
                           : PackageInstall::Edits::TakePackage);
    bool finished = false;
    QEventLoop loop;
    QObject::connect(&step, &PackageInstall::finished, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(&step, &PackageInstall::failed, &loop, &QEventLoop::quit);
    step.start();
    loop.exec();
    std::printf("%s\n", finished ? "installed" : "failed");
    return finished ? 0 : 1;
}

int uninstall(const QStringList &arguments)
{
    InstalledPackages records;
    records.load();
    const InstalledPackage *record = records.find(arguments.at(3), QStringLiteral("mods"));
    if (!record)
        return 4;
    const InstalledPackage copy = *record;
    PackageRemoval::Result result;
    const bool done = PackageRemoval::uninstall(arguments.at(2), copy, records,
                                                InstallRecovery::newRemovalJournalPath(), &result);
    std::printf("%s\n", done && result.failed.isEmpty() ? "uninstalled" : "failed");
    return done && result.failed.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    setInstallerIdentity();
    const int held = qEnvironmentVariableIntValue("ZERUN_TEST_HOLD_JOURNAL_WRITE");
    std::atomic<int> writes{0};
    UnpackTransaction::setJournalWriteHook([&writes, held](const QString &) {
        if (++writes == held) {
            // Said first, so that whoever waits for the moment kills inside this write.
            std::printf("holding journal write %d\n", held);
            std::fflush(stdout);
            QThread::sleep(5);
        }
    });
    const QStringList arguments = QCoreApplication::arguments();
    int code = 2;
    if (arguments.size() == 7 && arguments.at(1) == QLatin1String("install"))
        code = install(arguments);
    else if (arguments.size() == 4 && arguments.at(1) == QLatin1String("uninstall"))
        code = uninstall(arguments);
    else if (arguments.size() == 2 && arguments.at(1) == QLatin1String("recover")) {
        InstalledPackages records;
        InstallRecovery::atStart(records);
        code = 0;
    }
    std::printf("journal writes: %d\n", writes.load());
    return code;
}
