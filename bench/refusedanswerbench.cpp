// The memory a refused catalogue answer costs: a gzip answer of about 1 MiB that expands to 1 GiB
// (a few catalogue lines, then blank lines) is fetched the way the catalogue fetch does it, and the
// process's resident size is printed before, at its peak, and once the refusal has been handled
// and the downloader is gone. The peak may rise by the catalogue's cap and 16 MiB at most.
//   zerun-refused-answer-bench [expanded MiB] [rounds]

#include "serviceendpoints.h"
#include "tsdownloader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

#include <zlib.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <memory>

namespace {

// Resident and peak resident size of this process, in MiB.
double statusField(const QByteArray &name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// `expanded` bytes of a catalogue, gzip-compressed: a few lines, then blank lines, which pack
// about a thousand to one (1 GiB into about 1 MiB).
QByteArray gzipCatalogue(qint64 expanded)
{
    const QByteArray line = "http://h/files/package.zip,mods,A package with a name\n";
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, 31, 9, Z_DEFAULT_STRATEGY);
    QByteArray input = line + line + line;
    input += QByteArray(1024 * 1024 - input.size(), '\n');
    QByteArray output;
    QByteArray chunk(256 * 1024, '\0');
    qint64 fed = 0;
    int flush = Z_NO_FLUSH;
    do {
        if (stream.avail_in == 0 && flush == Z_NO_FLUSH) {
            // The lines once, at the start; blank lines after them.
            const int from = fed == 0 ? 0 : 3 * line.size();
            stream.next_in = reinterpret_cast<Bytef *>(input.data() + from);
            stream.avail_in =
                static_cast<uInt>(std::min<qint64>(input.size() - from, expanded - fed));
            fed += stream.avail_in;
            if (fed >= expanded)
                flush = Z_FINISH;
        }
        stream.next_out = reinterpret_cast<Bytef *>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        const int state = deflate(&stream, flush);
        output.append(chunk.constData(), chunk.size() - static_cast<int>(stream.avail_out));
        if (state == Z_STREAM_END)
            break;
    } while (true);
    deflateEnd(&stream);
    return output;
}

// Answers every request with `answer` and closes.
class Server : public QObject
{
public:
    explicit Server(QByteArray bytes) : answer(std::move(bytes))
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write(answer);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/files/index.dat").arg(server.serverPort()));
    }

private:
    QTcpServer server;
    QByteArray answer;
};

QByteArray gzipAnswer(const QByteArray &body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Encoding: gzip\r\n"
           "Content-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// One fetch as the catalogue fetch makes it; true when it was refused for its size.
bool fetchOnce(const QUrl &url)
{
    TsDownloader::Options options;
    options.maximumSize = ServiceEndpoints::catalogueMaximumSize;
    auto downloader = std::make_unique<TsDownloader>(url, options);
    QSignalSpy failed(downloader.get(), &TsDownloader::failed);
    QEventLoop loop;
    QObject::connect(downloader.get(), &TsDownloader::failed, &loop, &QEventLoop::quit);
    QObject::connect(downloader.get(), &TsDownloader::downloaded, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    const bool refused =
        !failed.isEmpty() && downloader->errorString().startsWith(QLatin1String("the answer is "));
    downloader.release()->deleteLater();
    // Let the deferred deletions and the network thread's own clean-up run.
    for (int turn = 0; turn < 20; ++turn) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return refused;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 expandedMiB = args.size() > 1 ? args.at(1).toLongLong() : 1024;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 3;
    QTextStream out(stdout);

    const QByteArray small = gzipCatalogue(4096);
    const QByteArray big = gzipCatalogue(expandedMiB * 1024 * 1024);
    Server warm(gzipAnswer(small));
    Server bomb(gzipAnswer(big));

    // A first small fetch loads the network stack, so that the baseline holds it too.
    fetchOnce(warm.url());
    const double before = statusField("VmRSS");
    out << "gzip answer: " << big.size() / 1024 << " KiB expanding to " << expandedMiB
        << " MiB (cap " << ServiceEndpoints::catalogueMaximumSize / (1024 * 1024) << " MiB)\n";
    out << "RSS before: " << QString::number(before, 'f', 1) << " MiB\n";
    const double allowed = ServiceEndpoints::catalogueMaximumSize / 1048576.0 + 16;
    for (int round = 1; round <= rounds; ++round) {
        const bool refused = fetchOnce(bomb.url());
        const double peak = statusField("VmHWM");
        out << "round " << round << ": " << (refused ? "refused" : "NOT refused")
            << ", RSS after: " << QString::number(statusField("VmRSS"), 'f', 1) << " MiB (+"
            << QString::number(statusField("VmRSS") - before, 'f', 1) << "), peak "
            << QString::number(peak, 'f', 1) << " MiB (+" << QString::number(peak - before, 'f', 1)
            << ", allowed +" << QString::number(allowed, 'f', 0) << ": "
            << (peak - before <= allowed ? "within" : "OVER") << ")\n";
        out.flush();
    }
#ifdef __GLIBC__
    // What the allocator counts: freed buffers stay "free" here even once their pages went back
    // to the system.
    const struct mallinfo2 info = mallinfo2();
    out << "malloc: in use " << QString::number(info.uordblks / 1048576.0, 'f', 1)
        << " MiB, free in the main arena " << QString::number(info.fordblks / 1048576.0, 'f', 1)
        << " MiB, mmapped " << QString::number(info.hblkhd / 1048576.0, 'f', 1) << " MiB\n";
#endif
    return 0;
}
