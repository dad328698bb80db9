// Unpacking mutated archives through the public unpacking API, as the installer unpacks a
// package (TsUnZip, plain entries) and as the framework unpacks its own archives (TsCompression,
// encrypted entries). Whatever the archive holds: nothing is written outside the destination,
// a failed run leaves no file behind, and a run ends (the fuzzer's -timeout catches a hang).
#include "fuzzsupport.h"
#include "tscompression.h"
#include "tsunzip.h"

#include <QFile>

namespace {

QTemporaryDir *workspace = nullptr;

// The workspace: the archive, the destination and a neighbour the unpacking must not touch.
QString path(const char *name)
{
    return workspace->filePath(QString::fromLatin1(name));
}

void checkOutside(const QStringList &before, const char *how)
{
    QStringList outside;
    for (const QString &entry : FuzzSupport::tree(workspace->path())) {
        if (!entry.startsWith(QStringLiteral("destination/")))
            outside << entry;
    }
    FuzzSupport::check(outside == before, how, outside.join(QLatin1Char(' ')).toUtf8());
}

bool holdsFiles(const QString &folder)
{
    for (const QString &entry : FuzzSupport::tree(folder)) {
        if (!entry.endsWith(QLatin1Char('/')))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zerun-fuzz-unzip-XXXXXX"));
    workspace = &folder;
    QDir().mkpath(path("neighbour"));
    QFile canary(path("neighbour/kept.txt"));
    canary.open(QIODevice::WriteOnly);
    canary.write("kept");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile archive(path("package.zip"));
        FuzzSupport::check(archive.open(QIODevice::WriteOnly | QIODevice::Truncate), "write");
        archive.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const QStringList before = [] {
        QStringList entries;
        for (const QString &entry : FuzzSupport::tree(workspace->path())) {
            if (!entry.startsWith(QStringLiteral("destination/")))
                entries << entry;
        }
        return entries;
    }();

    // As the installer unpacks a package.
    QDir(path("destination")).removeRecursively();
    {
        TsUnZip unzip;
        bool failed = false;
        bool finished = false;
        QObject::connect(&unzip, &TsUnZip::error, [&failed](const QString &) { failed = true; });
        QObject::connect(&unzip, &TsUnZip::finished, [&finished] { finished = true; });
        unzip.setZipFile(path("package.zip"));
        unzip.setDestination(path("destination"));
        unzip.setEncrypted(false);
        unzip.unpackAll();
        FuzzSupport::check(!(failed && finished), "one ending only");
        if (failed)
            FuzzSupport::check(!holdsFiles(path("destination")), "no file after a failure",
                               FuzzSupport::tree(path("destination")).join(' ').toUtf8());
        checkOutside(before, "nothing outside the destination (package)");
    }

    // As the framework unpacks its own encrypted archives.
    QDir(path("destination")).removeRecursively();
    QDir().mkpath(path("destination"));
    const QStringList written =
        TsCompression::unpackArchive(path("package.zip"), path("destination"));
    if (written.isEmpty())
        FuzzSupport::check(!holdsFiles(path("destination")), "no file after a failure (framework)",
                           FuzzSupport::tree(path("destination")).join(' ').toUtf8());
    checkOutside(before, "nothing outside the destination (framework)");
    return 0;
}
