// A small program that installs the crash handler the way start-up does, shows a window and then
// crashes in the way its first argument names:
//   segv-gui     null write on the GUI thread
//   segv-worker  null write on a worker thread while the GUI thread keeps running
//   abort        abort() on the GUI thread
//   log-first    a log record first, then the GUI-thread null write
#include "apppaths.h"
#include "tsbreakpad.h"
#include "tslogging.h"

#include <QApplication>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <cstdlib>

namespace {

void nullWrite()
{
    volatile int *nowhere = nullptr;
    *nowhere = 42;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QByteArray mode = argv[1];

    QCoreApplication::setOrganizationName(QStringLiteral("Tandel Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerun Installer"));
    AppPaths::createFolders();
    TsBreakpad breakpad;
    breakpad.startTime = QDateTime::currentDateTimeUtc();
    installCrashHandler(AppPaths::logsFolder(), writeCrashReport, &breakpad);

    QApplication app(argc, argv);
    TsLogging::installMessageHandler();
    if (mode == "log-first")
        TsLogging::Log::debug(TsLogging::Channel::strName(), QStringLiteral("before the crash"));

    QLabel window(QStringLiteral("About to crash"));
    window.resize(320, 120);
    window.show();
    window.activateWindow();

    std::unique_ptr<QThread> worker;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (!QGuiApplication::focusWindow())
            return;
        poll.stop();
        if (mode == "segv-worker") {
            worker.reset(QThread::create(nullWrite));
            worker->start();
        } else if (mode == "abort") {
            std::abort();
        } else {
            nullWrite();
        }
    });
    poll.start(50);
    return app.exec();
}
