// zerun-package-host: serves a folder the way the service's web host would, for the local run.
//   zerun-package-host --root DIR [--port N] [--address A] [--uploads DIR] [--max-upload BYTES]
// Prints the base URL it serves on its first line, then runs until interrupted.

#include "packagehost.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <QTimer>

#include <csignal>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void noteSignal(int)
{
    interrupted = 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zerun-package-host"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Serves the files below a folder and takes crash-report uploads."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Folder whose files are served."),
                                        QStringLiteral("dir"));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Port to listen on (0: any free port)."),
                                        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption addressOption(QStringLiteral("address"),
                                           QStringLiteral("Address to listen on."),
                                           QStringLiteral("a"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption uploadsOption(QStringLiteral("uploads"),
                                           QStringLiteral("Folder that receives uploaded files."),
                                           QStringLiteral("dir"));
    const QCommandLineOption maxUploadOption(
        QStringLiteral("max-upload"), QStringLiteral("Largest upload body accepted, in bytes."),
        QStringLiteral("bytes"), QString::number(PackageHost::defaultMaxUploadSize));
    parser.addOptions({rootOption, portOption, addressOption, uploadsOption, maxUploadOption});
    parser.process(app);

    QTextStream err(stderr);
    const QString root = parser.value(rootOption);
    if (root.isEmpty() || !QFileInfo(root).isDir()) {
        err << "zerun-package-host: --root must name an existing folder\n";
        return 2;
    }
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    bool sizeOk = false;
    const qint64 maxUpload = parser.value(maxUploadOption).toLongLong(&sizeOk);
    if (!portOk || port > 65535 || !sizeOk || maxUpload < 0) {
        err << "zerun-package-host: bad --port or --max-upload\n";
        return 2;
    }

    PackageHost host(root);
    host.setMaxUploadSize(maxUpload);
    if (parser.isSet(uploadsOption))
        host.setUploadFolder(QDir(parser.value(uploadsOption)).absolutePath());
    if (!host.start(parser.value(addressOption), static_cast<quint16>(port))) {
        err << "zerun-package-host: cannot listen on " << parser.value(addressOption) << ':' << port
            << '\n';
        return 1;
    }
    QTextStream out(stdout);
    out << host.baseUrl().toString() << Qt::endl;

    // Signal handlers may only set a flag; the event loop looks at it.
    std::signal(SIGINT, noteSignal);
    std::signal(SIGTERM, noteSignal);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [] {
        if (interrupted)
            QCoreApplication::quit();
    });
    watch.start(100);
    const int code = QCoreApplication::exec();
    host.stop();
    return code;
}
