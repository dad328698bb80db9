#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>

#include <memory>

// A small local web host that stands in for the service: it serves the files below one root
// folder, takes crash-report uploads at "/matrix/upload.php", and can be told to misbehave on
// chosen paths (redirects, error statuses, slow or stalled bodies, bodies without a length,
// bodies that break off, a host that is busy for a while).
//
// Like ordinary web hosting it sends validators with every file (ETag and Last-Modified),
// answers conditional requests (If-None-Match, If-Modified-Since) with 304, and serves byte
// ranges (Range, If-Range) with 206, or 416 for a range beyond the end.
//
// It accepts connections on a thread of its own and answers them on the HTTP library's pool of
// worker threads, several at once. Requests, exchanges, uploads and rules sit behind one lock, so
// the setters and readers may be called from any thread while it serves; a rule is read when an
// answer begins. start() and stop() belong to the thread that owns the host. The host owns its
// threads: stop() (and so the destructor) cuts held-back answers short and returns only once
// every thread has ended. It only reads below the root and only writes into the upload folder;
// the files stored there are the caller's.
class PackageHost
{
public:
    // One part of a multipart/form-data upload, exactly as it arrived.
    struct UploadedPart
    {
        QString name;
        QString filename;
        QString contentType;
        QByteArray content;
    };

    // One accepted upload request; its parts in the order they were sent.
    struct Upload
    {
        QVector<UploadedPart> parts;
        QStringList storedFiles; // files written into the upload folder, if one is set
    };

    // One answered request, as the host saw it when it chose the answer.
    struct Exchange
    {
        QString method;
        QString path;
        int status = 0;
        QByteArray range;
        QByteArray ifRange;
        QByteArray ifNoneMatch;
        QByteArray ifModifiedSince;
    };

    static constexpr qint64 defaultMaxUploadSize = 32 * 1024 * 1024;

    explicit PackageHost(const QString &root);
    // The same over TLS, with the certificate and private key in the given PEM files.
    PackageHost(const QString &root, const QString &certificateFile, const QString &keyFile);
    ~PackageHost();

    PackageHost(const PackageHost &) = delete;
    PackageHost &operator=(const PackageHost &) = delete;

    // Binds to `address` (port 0: any free port) and starts serving in a background thread.
    bool start(const QString &address = QStringLiteral("127.0.0.1"), quint16 port = 0);
    // Stops serving, ends any held-back answer and joins the thread. Safe to call twice.
    void stop();
    bool isRunning() const;

    QString root() const;
    quint16 port() const;
    // "http://" (or "https://") + address + ":" + port, without a trailing slash.
    QUrl baseUrl() const;
    // baseUrl() with `path` (which starts with "/") as its path.
    QUrl url(const QString &path) const;

    // Upload settings: bodies above `bytes` are refused with 413. Uploaded file parts are also
    // written into `folder` when one is set (never outside it).
    void setMaxUploadSize(qint64 bytes);
    void setUploadFolder(const QString &folder);
    QVector<Upload> uploads() const;
    void clearUploads();

    // Test hooks, each for one exact URL path; a later call for the same path replaces the
    // earlier one.
    // Answer with `status` (301, 302, 303, 307, 308) and a Location header taken as it is, so it
    // may be absolute or relative; `body` is sent as the answer's body.
    void setRedirect(const QString &path, int status, const QString &location,
                     const QByteArray &body = QByteArray());
    // Answer with an error `status` (404, 500, ...) and `body`.
    void setError(const QString &path, int status, const QByteArray &body = QByteArray());
    // Answer the next `times` requests with `status` (503, 429, ...), with a Retry-After header
    // when `retryAfter` is not empty, then serve the file again.
    void setBusy(const QString &path, int status, int times, const QByteArray &retryAfter = {});
    // Answers to requests that start before byte `untilOffset` of the file (by their Range, or
    // from the first byte) send only `afterBytes` bytes of the body after a head that announced
    // all of it, then drop the connection. A client that asks for the rest by range therefore
    // meets a fixed number of breaks, however often the request is repeated.
    void setBreakOff(const QString &path, qint64 afterBytes, qint64 untilOffset);
    // Without range support, Range is ignored and the whole file is sent with 200.
    void setRangeSupport(const QString &path, bool supported);
    // A careless host: ranges are served of whatever file is there now, whatever copy If-Range
    // names.
    void setIfRangeIgnored(const QString &path, bool ignored = true);
    // Send `tag` as the file's ETag whatever its content (no ETag at all when empty), as a host
    // whose tags do not follow the bytes does.
    void setEntityTag(const QString &path, const QByteArray &tag);
    // Serve the file with at most `bytesPerSecond` bytes per second.
    void setThrottle(const QString &path, qint64 bytesPerSecond);
    // Serve the first `afterBytes` bytes of the file, then send nothing for `stallMs`
    // milliseconds (or until the host stops) before the rest.
    void setStall(const QString &path, qint64 afterBytes, int stallMs);
    // Serve the file in chunked transfer coding, so the answer carries no Content-Length.
    void setChunked(const QString &path, bool chunked = true);
    void clearRules();

    // "METHOD path" of every request received, in order of arrival.
    QStringList requests() const;
    // Every GET answered, in order, with the headers that decided the answer.
    QVector<Exchange> exchanges() const;
    // Body bytes handed to the network for `path` (file bodies only), across all its answers.
    qint64 bytesSent(const QString &path) const;
    // Forgets requests, exchanges and byte counts.
    void clearRequests();

    // The validators the host sends for `file` (a path below the root, or absolute).
    static QByteArray entityTag(const QString &file);
    static QByteArray lastModified(const QString &file);

private:
    void setUp(const QString &root);

    struct Private;
    std::unique_ptr<Private> d;
};
