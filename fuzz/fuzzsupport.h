#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// Shared by the fuzz targets: a throw-away profile for the whole run, the application object
// some framework parts need, and a plain check that ends the run with a message.
namespace FuzzSupport {

// Points HOME and the XDG folders at a temporary folder and creates the application object
// with the installer's identity. Call once, from LLVMFuzzerInitialize.
inline void setUp(int *argc, char ***argv)
{
    static QTemporaryDir profile(QDir::tempPath() + QStringLiteral("/zerun-fuzz-XXXXXX"));
    const QByteArray home = QFile::encodeName(profile.path());
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_CACHE_HOME", home + "/.cache");
    QCoreApplication::setOrganizationName(QStringLiteral("Tandel Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerun Installer"));
    // Debug output of the framework would drown the fuzzer's own.
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    static int count = argc ? *argc : 0;
    static QCoreApplication application(count, argv ? *argv : nullptr);
}

[[noreturn]] inline void fail(const char *what, const QByteArray &detail = QByteArray())
{
    std::fprintf(stderr, "fuzz check failed: %s\n%s\n", what, detail.constData());
    std::abort();
}

inline void check(bool condition, const char *what, const QByteArray &detail = QByteArray())
{
    if (!condition)
        fail(what, detail);
}

// Every path below folder, relative to it, sorted; folders end with "/".
inline QStringList tree(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(folder).relativeFilePath(it.filePath());
        paths << (it.fileInfo().isDir() && !it.fileInfo().isSymLink() ? relative + QLatin1Char('/')
                                                                      : relative);
    }
    paths.sort();
    return paths;
}

} // namespace FuzzSupport
