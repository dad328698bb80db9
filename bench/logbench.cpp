// Cost of a log call through the framework's handler, beside two peers: a disabled level (one
// enabled-test), an enabled record (open, append, close of the daily file), the same text appended
// to a file kept open, and the toolkit's default handler writing to /dev/null.
// Also the time from a crash to the end of the crashed process (dump and report written), when
// the crashing program is given as the first argument.
#include "apppaths.h"
#include "tslogging.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace TsLogging;

namespace {

template<typename Work>
double nanosecondsPerCall(int calls, Work work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < calls; ++i)
        work(i);
    return double(timer.nsecsElapsed()) / calls;
}

void report(const char *what, double ns)
{
    std::printf("%-52s %12.0f ns/call\n", what, ns);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toLocal8Bit());
    QCoreApplication::setOrganizationName(QStringLiteral("Tandel Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerun Installer"));
    QCoreApplication app(argc, argv);
    AppPaths::createFolders();
    const QString text = QStringLiteral("Downloaded 1024 of 4096 bytes from \"mirror\"");

    installMessageHandler();
    report("disabled level (debug on ts.log)",
           nanosecondsPerCall(1000000, [&](int) { Log::debug(Channel::tsName(), text); }));
    report("disabled level, category object (tsDebug)",
           nanosecondsPerCall(1000000, [&](int) { Log::tsDebug(text); }));
    report("enabled record, daily file opened per record",
           nanosecondsPerCall(20000, [&](int) { Log::debug(Channel::strName(), text); }));

    QFile kept(AppPaths::logsFolder() + QStringLiteral("/kept.txt"));
    kept.open(QIODevice::WriteOnly | QIODevice::Append);
    report("peer: same record appended to a file kept open", nanosecondsPerCall(20000, [&](int) {
               kept.write(QDateTime::currentDateTime()
                              .toString(QStringLiteral("dd-MM-yy@HH:mm:ss:zzz"))
                              .toLocal8Bit() +
                          " | " + text.toLocal8Bit() + " \n\n");
               kept.flush();
           }));

    qInstallMessageHandler(nullptr);
    std::fflush(stderr);
    const int savedStderr = dup(STDERR_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDERR_FILENO);
    const double toolkit = nanosecondsPerCall(20000, [&](int) { qDebug() << text; });
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    close(devNull);
    close(savedStderr);
    report("peer: toolkit's default handler to /dev/null", toolkit);

    if (argc > 1) {
        for (const char *mode : {"segv-gui", "segv-worker", "abort"}) {
            QDir(AppPaths::logsFolder()).removeRecursively();
            QElapsedTimer timer;
            timer.start();
            QProcess crasher;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            crasher.setProcessEnvironment(environment);
            crasher.start(QString::fromLocal8Bit(argv[1]), {QString::fromLatin1(mode)});
            crasher.waitForFinished(120000);
            const bool archive =
                !QDir(AppPaths::logsFolder()).entryList({QStringLiteral("*.zip")}).isEmpty();
            std::printf("crash %-12s to process end: %6lld ms, report %s\n", mode, timer.elapsed(),
                        archive ? "written" : "MISSING");
        }
    }
    return 0;
}
