// Writes the record of one package of 2,000 files over and over, each time as a new generation
// (its validator "generation <n>", every file's hash "<n>"), one put() after another; prints
// "ready" once the first generation is written. The kill test cuts it off in the middle.
// In its second form it is another program that keeps the database to itself: it takes an
// exclusive lock, prints "locked", holds it for <milliseconds> and ends.
//
//   zerun-test-record <database>
//   zerun-test-record <database> hold <milliseconds>

#include "installedpackages.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(2) == QLatin1String("hold")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(arguments.at(1));
        QSqlQuery query(db);
        // In exclusive locking mode the first read takes the file's lock and keeps it.
        if (!db.open() || !query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")) ||
            !query.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
            !query.exec(QStringLiteral("SELECT count(*) FROM packages")) || !query.next()) {
            std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
            return 5;
        }
        std::printf("locked\n");
        std::fflush(stdout);
        QThread::msleep(arguments.at(3).toULong());
        query.finish();
        query.exec(QStringLiteral("COMMIT"));
        return 0;
    }
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
