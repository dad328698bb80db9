// Writes the record of one package of 2,000 files over and over, each time as a new generation
// (its validator "generation <n>", every file's hash "<n>"), one put() after another; prints
// "ready" once the first generation is written. The kill test cuts it off in the middle.
//
//   zerun-test-record <database>

#include "installedpackages.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2)
        return 2;
    InstalledPackages records(arguments.at(1));
    if (!records.load())
        return 3;
    for (int generation = 1;; ++generation) {
        InstalledPackage package;
        package.name = QStringLiteral("Big Mod");
        package.kind = QStringLiteral("mods");
        package.folder = QStringLiteral("Databases/BigMod");
        package.validator = QStringLiteral("generation %1").arg(generation);
        package.files.reserve(2000);
        for (int i = 0; i < 2000; ++i)
            package.files.append(InstalledFile{QStringLiteral("data/file%1.txt").arg(i), generation,
                                               QByteArray::number(generation)});
        if (!records.put(package)) {
            std::fprintf(stderr, "%s\n", qPrintable(records.errorString()));
            return 4;
        }
        if (generation == 1) {
            std::printf("ready\n");
            std::fflush(stdout);
        }
    }
}
