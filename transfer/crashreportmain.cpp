// The crash report helper. A crashed process starts it once its minidump is written, so that the
// report is built by a sound process instead of the broken one:
//   zerun-crash-report --organisation <name> --application <name> --window <id> --dump <path>
// The identity names the logs folder; the window, when not 0, is captured for the screenshot.
// Exit code 0 when the report archive was written.
#include "tsbreakpad.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstring>
#include <memory>

#if defined(Q_OS_WIN)
constexpr char defaultPlatform[] = "windows";
#else
constexpr char defaultPlatform[] = "xcb";
#endif

int main(int argc, char **argv)
{
    QString organisation, application, dump;
    quint64 window = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char *key = argv[i];
        const QString value = QString::fromLocal8Bit(argv[i + 1]);
        if (std::strcmp(key, "--organisation") == 0)
            organisation = value;
        else if (std::strcmp(key, "--application") == 0)
            application = value;
        else if (std::strcmp(key, "--window") == 0)
            window = value.toULongLong();
        else if (std::strcmp(key, "--dump") == 0)
            dump = value;
    }
    if (dump.isEmpty() || application.isEmpty())
        return 2;

    QCoreApplication::setOrganizationName(organisation);
    QCoreApplication::setApplicationName(application);

    // A window to capture means the crashed process had a display; the helper shares it.
    std::unique_ptr<QCoreApplication> app;
    if (window) {
        // Should the display be gone, the report is still built, only without a screenshot.
        QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (platform.isEmpty())
            platform = defaultPlatform;
        qputenv("QT_QPA_PLATFORM", platform + ";offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        setCrashReportWindow(static_cast<WId>(window));
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    QFile dumpFile(dump);
    return writeCrashReport(&dumpFile, nullptr) ? 0 : 1;
}
