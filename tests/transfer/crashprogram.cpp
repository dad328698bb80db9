// A small program that installs the crash handler the way start-up does, shows a window and then
// crashes in the way its first argument names:
//   segv-gui     null write on the GUI thread
//   segv-worker  null write on a worker thread while the GUI thread keeps running
//   abort        abort() on the GUI thread
//   log-first    a log record first, then the GUI-thread null write
//   busy-heap    GUI-thread null write while two workers allocate and free without pause
//   two-workers  null writes on two worker threads at once
#include "apppaths.h"
#include "startup.h"
#include "tsbreakpad.h"
#include "tslogging.h"

#include <QApplication>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdlib>
#include <vector>

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

    setInstallerIdentity();
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

    std::vector<std::unique_ptr<QThread>> workers;
    const auto startWorker = [&workers](auto work) {
        workers.emplace_back(QThread::create(work));
        workers.back()->start();
    };
    std::atomic<bool> go{false};
    if (mode == "busy-heap") {
        for (int i = 0; i < 2; ++i) {
            startWorker([] {
                volatile char sink = 0;
                for (unsigned n = 1;; ++n) {
                    std::vector<char> block(n % 8192 + 1, static_cast<char>(n));
                    sink = block.back();
                }
            });
        }
    }
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&] {
        if (!QGuiApplication::focusWindow())
            return;
        poll.stop();
        if (mode == "segv-worker") {
            startWorker(nullWrite);
        } else if (mode == "two-workers") {
            for (int i = 0; i < 2; ++i) {
                startWorker([&go] {
                    while (!go.load()) {
                    }
                    nullWrite();
                });
            }
            go.store(true);
        } else if (mode == "abort") {
            std::abort();
        } else {
            nullWrite();
        }
    });
    poll.start(50);
    return app.exec();
}
