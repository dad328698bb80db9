// The local package host's request handling: any bytes as one request on a fresh connection.
// The host answers or closes, never serves a file from outside its root, and keeps serving.
#include "fuzzsupport.h"
#include "packagehost.h"

#include <QFile>

#include <arpa/inet.h>
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

// Sends the request and reads the answer until the host closes the connection, the answer is
// complete, or the host stays silent for `idleMs` (it waits for the rest of a request).
QByteArray exchange(const QByteArray &request, int idleMs)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(host->port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    FuzzSupport::check(::connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) ==
                           0,
                       "the host takes connections");
    for (qint64 sent = 0; sent < request.size();) {
        const ssize_t count =
            ::send(socket, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (count <= 0)
            break;
        sent += count;
    }
    QByteArray answer;
    char buffer[16384];
    pollfd waiting{socket, POLLIN, 0};
    while (!complete(answer) && ::poll(&waiting, 1, idleMs) > 0) {
        const ssize_t count = ::recv(socket, buffer, sizeof(buffer), 0);
        if (count <= 0)
            break;
        answer.append(buffer, int(count));
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
