// The local package host's request handling: any bytes as one request on a fresh connection.
// The host answers or closes, never serves a file from outside its root, and keeps serving.
#include "fuzzsupport.h"
#include "packagehost.h"

#include <QElapsedTimer>
#include <QFile>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

PackageHost *host = nullptr;
const QByteArray secret = "outside-the-root-7d1c0f";

// True once the answer holds its head and as many body bytes as the head announces.
bool complete(const QByteArray &answer)
{
    const int headEnd = answer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return false;
    const QByteArray head = answer.left(headEnd).toLower();
    const int at = head.indexOf("\r\ncontent-length:");
    if (at < 0)
        return false;
    const int lineEnd = head.indexOf("\r\n", at + 2);
    const qint64 length =
        head.mid(at + 17, lineEnd < 0 ? -1 : lineEnd - at - 17).trimmed().toLongLong();
    return answer.size() - headEnd - 4 >= length;
}

// libFuzzer's timer signal interrupts blocking calls (its handler does not ask for them to be
// restarted), so every call below goes on after EINTR: an interrupted wait must not pass for a
// host that stopped answering.

// A connection to the host, or -1.
int connectToHost()
{
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(host->port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0)
        return socket;
    if (errno == EINTR) {
        // The connection goes on being made: wait until it is, then ask how it went.
        pollfd writable{socket, POLLOUT, 0};
        int ready;
        do
            ready = ::poll(&writable, 1, 10000);
        while (ready < 0 && errno == EINTR);
        int error = 0;
        socklen_t length = sizeof(error);
        if (ready > 0 && ::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
            error == 0)
            return socket;
    }
    ::close(socket);
    return -1;
}

// Sends the request and reads the answer until the host closes the connection, the answer is
// complete, or the host stays silent for `idleMs` (it waits for the rest of a request).
QByteArray exchange(const QByteArray &request, int idleMs)
{
    const int socket = connectToHost();
    FuzzSupport::check(socket >= 0, "the host takes connections");
    for (qint64 sent = 0; sent < request.size();) {
        const ssize_t count =
            ::send(socket, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        sent += count;
    }
    QByteArray answer;
    char buffer[16384];
    pollfd waiting{socket, POLLIN, 0};
    QElapsedTimer quiet;
    quiet.start();
    while (!complete(answer)) {
        const int ready = ::poll(&waiting, 1, int(qMax<qint64>(0, idleMs - quiet.elapsed())));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        const ssize_t count = ::recv(socket, buffer, sizeof(buffer), 0);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        answer.append(buffer, int(count));
        quiet.restart();
    }
    ::close(socket);
    return answer;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/zerun-fuzz-host-XXXXXX"));
    QDir().mkpath(folder.filePath(QStringLiteral("root/files")));
    QFile index(folder.filePath(QStringLiteral("root/files/index.dat")));
    index.open(QIODevice::WriteOnly);
    index.write("http://h/files/a.zip,mods,A\n");
    index.close();
    QFile outside(folder.filePath(QStringLiteral("secret.txt")));
    outside.open(QIODevice::WriteOnly);
    outside.write(secret);
    outside.close();
    static PackageHost packageHost(folder.filePath(QStringLiteral("root")));
    host = &packageHost;
    host->setMaxUploadSize(64 * 1024);
    FuzzSupport::check(host->start(), "host started");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray request(reinterpret_cast<const char *>(data), static_cast<int>(size));
    const QByteArray answer = exchange(request, 100);
    FuzzSupport::check(!answer.contains(secret), "nothing from outside the root", request);
    FuzzSupport::check(answer.isEmpty() || answer.startsWith("HTTP/1."), "an HTTP answer",
                       answer.left(200));
    // Still serving, and serving the right thing.
    const QByteArray probe = exchange("GET /files/index.dat HTTP/1.1\r\nHost: x\r\n"
                                      "Connection: close\r\n\r\n",
                                      5000);
    FuzzSupport::check(probe.startsWith("HTTP/1.1 200") &&
                           probe.endsWith("http://h/files/a.zip,mods,A\n"),
                       "the host still serves", probe.left(200));
    host->clearUploads();
    host->clearRequests();
    return 0;
}
