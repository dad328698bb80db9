// Cost of a log call through the framework's handler, beside its peers: a disabled level (one
// enabled-test), an enabled record written to the daily file, which stays open, and one write(2)
// of the same formatted record to a file held open, the least any logger that loses nothing at a
// crash can do; also the former way (open, append, close per record) and the toolkit's default
// handler writing to /dev/null. Enabled records are timed in alternating rounds with the write(2)
// peer and the medians are compared, as the machine may be busy with other work.
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

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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

    // The same record as the handler writes, formatted once.
    const QByteArray record = QDateTime::currentDateTime()
                                  .toString(QStringLiteral("dd-MM-yy@HH:mm:ss:zzz"))
                                  .toLocal8Bit() +
                              " | " + QString(text).remove(QLatin1Char('"')).toLocal8Bit() +
                              " \n\n";
    const QByteArray peerPath = QFile::encodeName(AppPaths::logsFolder() + "/peer.txt");
    const int peer = open(peerPath.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int calls = 20000;
    std::vector<double> byName;
    std::vector<double> byCategory;
    std::vector<double> byWrite;
    for (int round = 0; round < 7; ++round) {
        byName.push_back(
            nanosecondsPerCall(calls, [&](int) { Log::debug(Channel::strName(), text); }));
        byWrite.push_back(nanosecondsPerCall(calls, [&](int) {
            if (write(peer, record.constData(), size_t(record.size())) != record.size())
                std::abort();
        }));
        byCategory.push_back(nanosecondsPerCall(
            calls, [&](int) { QMessageLogger().debug(Channel::str()).noquote() << text; }));
    }
    close(peer);
    const double ours = median(byName);
    const double once = median(byWrite);
    report("enabled record, Log::debug (median of 7 rounds)", ours);
    report("enabled record, category object (median)", median(byCategory));
    report("peer: one write(2) of the record, file open (median)", once);
    std::printf("%-52s %12.2f x (at most 4)\n", "ratio: enabled record / one write(2)",
                ours / once);

    QFile former(AppPaths::logsFolder() + QStringLiteral("/former.txt"));
    report("peer: open, append, close per record", nanosecondsPerCall(calls, [&](int) {
               former.open(QIODevice::WriteOnly | QIODevice::Append);
               former.write(record);
               former.close();
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
