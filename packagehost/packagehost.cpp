#include "packagehost.h"

#include <httplib.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

namespace {

constexpr qint64 chunkSize = 256 * 1024;
// The most of a refused upload's body that is read (and dropped) to keep its connection usable.
constexpr qint64 discardLimit = 64 * 1024 * 1024;
// Files up to this size get an entity tag from their content; larger ones from size and time.
constexpr qint64 hashedTagLimit = 8 * 1024 * 1024;

// How one path is answered when a test asked for something special.
struct Rule
{
    int status = 0; // 0: serve the file
    QByteArray location;
    QByteArray body;
    qint64 bytesPerSecond = 0;
    qint64 stallAfter = -1;
    int stallMs = 0;
    bool chunked = false;
    // Answers left with `status` before the file is served again; -1: every answer.
    int statusTimes = -1;
    QByteArray retryAfter;
    qint64 breakAfter = -1;
    qint64 breakUntil = 0;
    bool ranges = true;
    bool ifRangeChecked = true;
    bool tagFixed = false;
    QByteArray tag; // sent instead of the file's own when tagFixed; empty: no ETag at all
};

// The part of a file one answer carries.
struct Span
{
    qint64 start = 0;
    qint64 length = 0;
};

// Reading side of one file answer; lives as long as the answer's content provider.
struct FileFeed
{
    QFile file;
    QByteArray buffer;
    Span span;
    qint64 breakAfter = -1;
    QString path;
    bool stalled = false;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

std::string toStd(const QString &text)
{
    return text.toStdString();
}

std::string toStd(const QByteArray &bytes)
{
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string contentTypeFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("zip"))
        return "application/zip";
    if (suffix == QLatin1String("dat") || suffix == QLatin1String("txt"))
        return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

// An HTTP date (RFC 7231), always in English and GMT.
QByteArray httpDate(const QDateTime &moment)
{
    return QLocale::c()
        .toString(moment.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"))
        .toLatin1();
}

QDateTime parseHttpDate(const QByteArray &text)
{
    QDateTime moment = QLocale::c().toDateTime(QString::fromLatin1(text).trimmed(),
                                               QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    moment.setTimeSpec(Qt::UTC);
    return moment;
}

// "bytes=START-" or "bytes=START-END" of a file of `size` bytes: false for any other form
// (several ranges, suffix ranges), which is then ignored.
bool parseRange(const QByteArray &header, qint64 size, Span &span, bool &satisfiable)
{
    if (!header.startsWith("bytes="))
        return false;
    const QList<QByteArray> bounds = header.mid(6).trimmed().split('-');
    if (bounds.size() != 2 || bounds.at(0).isEmpty() || header.contains(','))
        return false;
    bool ok = false;
    const qint64 start = bounds.at(0).toLongLong(&ok);
    if (!ok || start < 0)
        return false;
    qint64 end = size - 1;
    if (!bounds.at(1).isEmpty()) {
        end = std::min(end, bounds.at(1).toLongLong(&ok));
        if (!ok)
            return false;
    }
    satisfiable = start < size && start <= end;
    span = {start, satisfiable ? end - start + 1 : 0};
    return true;
}

// The last component of a client-supplied file name, whichever separator it used.
QString safeFileName(const QString &filename)
{
    QString name = filename;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1);
    name.remove(QChar(0));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("upload");
    return name;
}

} // namespace

struct PackageHost::Private
{
    QString root;
    QString canonicalRoot;
    std::unique_ptr<httplib::Server> server;
    bool tls = false;
    std::thread thread;
    QString address;
    std::atomic<int> port{0};
    std::atomic<bool> running{false};
    std::atomic<qint64> maxUploadSize{defaultMaxUploadSize};

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    QHash<QString, Rule> rules;
    QVector<Upload> uploads;
    QStringList requests;
    QVector<Exchange> exchanges;
    QHash<QString, qint64> sent;
    QString uploadFolder;
    int storedCount = 0;

    void setRule(const QString &path, const std::function<void(Rule &)> &change)
    {
        std::lock_guard<std::mutex> lock(mutex);
        change(rules[path]);
    }

    // Sleeps up to `duration`; false when the host is stopping.
    bool pause(std::chrono::steady_clock::duration duration)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return !wake.wait_for(lock, duration, [this] { return stopping; });
    }

    // The file below the root that `path` names, or an empty string with `status` set to the
    // answer to give instead.
    QString resolve(const QString &path, int &status) const
    {
        status = 400;
        if (!path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')) ||
            path.contains(QChar(0)))
            return QString();
        const QString relative = path.mid(1);
        if (QDir::isAbsolutePath(relative) ||
            relative.split(QLatin1Char('/')).contains(QStringLiteral("..")))
            return QString();
        status = 404;
        const QFileInfo info(canonicalRoot + QLatin1Char('/') + relative);
        if (!info.isFile())
            return QString();
        // A symbolic link may not lead out of the root either.
        const QString canonical = info.canonicalFilePath();
        if (!canonical.startsWith(canonicalRoot + QLatin1Char('/')))
            return QString();
        status = 200;
        return canonical;
    }

    // The rule for `path` as it applies to this answer; counted-down rules are used up here.
    Rule takeRule(const QString &path)
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = rules.find(path);
        if (it == rules.end())
            return Rule();
        Rule rule = *it;
        if (it->status != 0 && it->statusTimes > 0 && --it->statusTimes == 0)
            it->status = 0;
        return rule;
    }

    void record(const httplib::Request &request, int status)
    {
        const auto header = [&request](const char *name) {
            return QByteArray::fromStdString(request.get_header_value(name));
        };
        std::lock_guard<std::mutex> lock(mutex);
        exchanges.append({QString::fromStdString(request.method),
                          QString::fromStdString(request.path), status, header("Range"),
                          header("If-Range"), header("If-None-Match"),
                          header("If-Modified-Since")});
    }

    void handleGet(const httplib::Request &request, httplib::Response &response)
    {
        // Ranges are answered here, with their validators; the library would otherwise cut
        // every body (error pages included) to the requested range on its own.
        const QByteArray rangeHeader = QByteArray::fromStdString(request.get_header_value("Range"));
        const_cast<httplib::Request &>(request).ranges.clear();

        const QString path = QString::fromStdString(request.path);
        const Rule rule = takeRule(path);
        if (rule.status != 0) {
            response.status = rule.status;
            if (!rule.location.isEmpty())
                response.set_header("Location", toStd(rule.location));
            if (!rule.retryAfter.isEmpty())
                response.set_header("Retry-After", toStd(rule.retryAfter));
            response.set_content(toStd(rule.body), "text/plain; charset=utf-8");
            record(request, response.status);
            return;
        }

        int status = 0;
        const QString file = resolve(path, status);
        if (file.isEmpty()) {
            response.status = status;
            response.set_content(status == 404 ? "Not found\n" : "Bad request\n", "text/plain");
            record(request, response.status);
            return;
        }
        auto feed = std::make_shared<FileFeed>();
        feed->file.setFileName(file);
        feed->path = path;
        // The start the client asked for decides, whether or not ranges are served.
        bool asked = false;
        Span requested;
        parseRange(rangeHeader, std::numeric_limits<qint64>::max(), requested, asked);
        if (rule.breakAfter >= 0 && requested.start < rule.breakUntil)
            feed->breakAfter = rule.breakAfter;
        if (!feed->file.open(QIODevice::ReadOnly)) {
            response.status = 403;
            response.set_content("Forbidden\n", "text/plain");
            record(request, response.status);
            return;
        }
        const qint64 size = feed->file.size();
        const std::string type = contentTypeFor(file);
        const QByteArray tag = rule.tagFixed ? rule.tag : entityTag(file);
        const QByteArray modified = lastModified(file);
        if (!tag.isEmpty())
            response.set_header("ETag", toStd(tag));
        response.set_header("Last-Modified", toStd(modified));
        if (rule.ranges)
            response.set_header("Accept-Ranges", "bytes");

        if (notModified(request, tag, modified)) {
            response.status = 304;
            record(request, response.status);
            return;
        }

        feed->span = {0, size};
        response.status = 200;
        Span span;
        bool satisfiable = false;
        if (rule.ranges && !rule.chunked && !rangeHeader.isEmpty() &&
            (!rule.ifRangeChecked || rangeStillValid(request, tag, modified)) &&
            parseRange(rangeHeader, size, span, satisfiable)) {
            if (!satisfiable) {
                response.status = 416;
                response.set_header("Content-Range", "bytes */" + std::to_string(size));
                response.set_content("Range not satisfiable\n", "text/plain");
                record(request, response.status);
                return;
            }
            response.status = 206;
            response.set_header("Content-Range", "bytes " + std::to_string(span.start) + '-' +
                                                     std::to_string(span.start + span.length - 1) +
                                                     '/' + std::to_string(size));
            feed->span = span;
        }
        record(request, response.status);

        if (rule.chunked) {
            // Chunked answers are never compressed here, so the bytes stay those of the file.
            response.set_chunked_content_provider(
                "application/octet-stream",
                [this, feed, rule](size_t offset, httplib::DataSink &sink) {
                    if (static_cast<qint64>(offset) >= feed->file.size()) {
                        sink.done();
                        return true;
                    }
                    return feedChunk(*feed, rule, static_cast<qint64>(offset),
                                     feed->file.size() - static_cast<qint64>(offset), sink);
                });
        } else {
            response.set_content_provider(
                static_cast<size_t>(feed->span.length), type,
                [this, feed, rule](size_t offset, size_t length, httplib::DataSink &sink) {
                    return feedChunk(*feed, rule, static_cast<qint64>(offset),
                                     static_cast<qint64>(length), sink);
                });
        }
    }

    // A conditional GET whose copy is still current: If-None-Match decides when present.
    static bool notModified(const httplib::Request &request, const QByteArray &tag,
                            const QByteArray &modified)
    {
        if (request.has_header("If-None-Match")) {
            const QByteArray wanted =
                QByteArray::fromStdString(request.get_header_value("If-None-Match"));
            for (const QByteArray &candidate : wanted.split(',')) {
                const QByteArray trimmed = candidate.trimmed();
                if (trimmed == "*" || trimmed == tag || trimmed == "W/" + tag)
                    return true;
            }
            return false;
        }
        if (request.has_header("If-Modified-Since")) {
            const QDateTime since = parseHttpDate(
                QByteArray::fromStdString(request.get_header_value("If-Modified-Since")));
            return since.isValid() && parseHttpDate(modified) <= since;
        }
        return false;
    }

    // If-Range names the copy the client holds; another copy is sent whole.
    static bool rangeStillValid(const httplib::Request &request, const QByteArray &tag,
                                const QByteArray &modified)
    {
        if (!request.has_header("If-Range"))
            return true;
        const QByteArray value =
            QByteArray::fromStdString(request.get_header_value("If-Range")).trimmed();
        return (!tag.isEmpty() && value == tag) || value == modified;
    }

    // Sends the next piece of a file answer, honouring throttle and stall rules.
    bool feedChunk(FileFeed &feed, const Rule &rule, qint64 offset, qint64 remaining,
                   httplib::DataSink &sink)
    {
        qint64 wanted = std::min(chunkSize, remaining);
        if (feed.breakAfter >= 0) {
            // The head promised the whole body; the connection goes away part-way. The pause
            // lets the client take in what was sent before it sees the close, as it would over
            // a real network.
            if (offset >= feed.breakAfter) {
                pause(std::chrono::milliseconds(100));
                return false;
            }
            wanted = std::min(wanted, feed.breakAfter - offset);
        }
        if (rule.stallAfter >= 0 && !feed.stalled) {
            if (offset >= rule.stallAfter) {
                feed.stalled = true;
                if (!pause(std::chrono::milliseconds(rule.stallMs)))
                    return false;
            } else {
                wanted = std::min(wanted, rule.stallAfter - offset);
            }
        }
        if (rule.bytesPerSecond > 0) {
            wanted = std::min(wanted, std::max<qint64>(1, rule.bytesPerSecond / 20));
            // Hold the answer back until the bytes already sent fit the allowed rate.
            const auto due =
                feed.started + std::chrono::microseconds(offset * 1000000 / rule.bytesPerSecond);
            const auto now = std::chrono::steady_clock::now();
            if (due > now && !pause(due - now))
                return false;
        }
        if (feed.buffer.size() < wanted)
            feed.buffer.resize(static_cast<int>(wanted));
        if (!feed.file.seek(feed.span.start + offset))
            return false;
        const qint64 read = feed.file.read(feed.buffer.data(), wanted);
        if (read <= 0)
            return false;
        {
            std::lock_guard<std::mutex> lock(mutex);
            sent[feed.path] += read;
        }
        return sink.write(feed.buffer.constData(), static_cast<size_t>(read));
    }

    static void refuseUpload(httplib::Response &response, int status)
    {
        response.status = status;
        response.set_content(status == 413 ? "Upload too large\n" : "Upload refused\n",
                             "text/plain");
    }

    // For a body that is left partly unread: the client is told not to send more on this
    // connection.
    static void closeAfterAnswer(httplib::Response &response)
    {
        response.set_header("Connection", "close");
    }

    // The rest of a refused body left unread on a kept-alive connection would be parsed as the
    // next request and answered, out of step with the client; so it is read and dropped. One
    // too large for that ends the connection after the answer instead.
    static void discardBody(const httplib::Request &request, httplib::Response &response,
                            const httplib::ContentReader &reader)
    {
        if (request.has_header("Content-Length") &&
            request.get_header_value<uint64_t>("Content-Length") > uint64_t(discardLimit)) {
            closeAfterAnswer(response);
            return;
        }
        qint64 discarded = 0;
        const auto drop = [&discarded](const char *, size_t length) {
            discarded += static_cast<qint64>(length);
            return discarded <= discardLimit;
        };
        // A form's body can only be read part by part.
        const bool whole =
            request.is_multipart_form_data()
                ? reader([](const httplib::MultipartFormData &) { return true; }, drop)
                : reader(drop);
        if (!whole)
            closeAfterAnswer(response);
    }

    void handleUpload(const httplib::Request &request, httplib::Response &response,
                      const httplib::ContentReader &reader)
    {
        if (!request.is_multipart_form_data()) {
            discardBody(request, response, reader);
            response.status = 400;
            response.set_content("Expected a multipart/form-data body\n", "text/plain");
            return;
        }
        const qint64 limit = maxUploadSize;
        if (request.has_header("Content-Length") &&
            request.get_header_value<uint64_t>("Content-Length") > static_cast<uint64_t>(limit)) {
            discardBody(request, response, reader);
            refuseUpload(response, 413);
            return;
        }
        Upload upload;
        qint64 received = 0;
        const bool complete = reader(
            [&upload](const httplib::MultipartFormData &part) {
                upload.parts.append({QString::fromStdString(part.name),
                                     QString::fromStdString(part.filename),
                                     QString::fromStdString(part.content_type), QByteArray()});
                return true;
            },
            [&upload, &received, limit](const char *data, size_t length) {
                // Counted here as well, for bodies sent without a length. Past the limit the
                // rest is read on without being kept, up to the discard bound.
                received += static_cast<qint64>(length);
                if (received > limit)
                    return received <= limit + discardLimit;
                if (upload.parts.isEmpty())
                    return false;
                upload.parts.last().content.append(data, static_cast<int>(length));
                return true;
            });
        if (!complete)
            closeAfterAnswer(response);
        if (received > limit) {
            refuseUpload(response, 413);
            return;
        }
        if (!complete) {
            refuseUpload(response, 400);
            return;
        }

        std::lock_guard<std::mutex> lock(mutex);
        if (!uploadFolder.isEmpty()) {
            QDir().mkpath(uploadFolder);
            for (const UploadedPart &part : qAsConst(upload.parts)) {
                if (part.filename.isEmpty())
                    continue;
                const QString target =
                    QDir(uploadFolder)
                        .filePath(QString::number(++storedCount) + QLatin1Char('-') +
                                  safeFileName(part.filename));
                QSaveFile out(target);
                if (out.open(QIODevice::WriteOnly) &&
                    out.write(part.content) == part.content.size() && out.commit())
                    upload.storedFiles.append(target);
            }
        }
        uploads.append(upload);
        response.status = 200;
        response.set_content("OK\n", "text/plain");
    }
};

PackageHost::PackageHost(const QString &root) : d(std::make_unique<Private>())
{
    d->server = std::make_unique<httplib::Server>();
    setUp(root);
}

PackageHost::PackageHost(const QString &root, const QString &certificateFile,
                         const QString &keyFile)
    : d(std::make_unique<Private>())
{
    const QByteArray certificate = QFile::encodeName(certificateFile);
    const QByteArray key = QFile::encodeName(keyFile);
    d->server = std::make_unique<httplib::SSLServer>(certificate.constData(), key.constData());
    d->tls = true;
    setUp(root);
}

void PackageHost::setUp(const QString &root)
{
    d->root = root;
    d->canonicalRoot = QFileInfo(root).canonicalFilePath();
    d->server->set_keep_alive_timeout(2);
    // The upload limit proper is checked per request; this only caps what any request may send.
    d->server->set_payload_max_length(size_t(1) << 31);
    d->server->set_pre_routing_handler(
        [this](const httplib::Request &request, httplib::Response &) {
            std::lock_guard<std::mutex> lock(d->mutex);
            d->requests.append(QString::fromStdString(request.method) + QLatin1Char(' ') +
                               QString::fromStdString(request.path));
            return httplib::Server::HandlerResponse::Unhandled;
        });
    d->server->Get(".*", [this](const httplib::Request &request, httplib::Response &response) {
        d->handleGet(request, response);
    });
    d->server->Post(toStd(QStringLiteral("/matrix/upload\\.php")),
                    [this](const httplib::Request &request, httplib::Response &response,
                           const httplib::ContentReader &reader) {
                        d->handleUpload(request, response, reader);
                    });
}

PackageHost::~PackageHost()
{
    stop();
}

bool PackageHost::start(const QString &address, quint16 port)
{
    if (d->running || !d->server->is_valid() || d->canonicalRoot.isEmpty() ||
        !QFileInfo(d->canonicalRoot).isDir())
        return false;
    int bound = -1;
    if (port == 0)
        bound = d->server->bind_to_any_port(toStd(address));
    else if (d->server->bind_to_port(toStd(address), port))
        bound = port;
    if (bound <= 0)
        return false;
    d->address = address;
    d->port = bound;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stopping = false;
    }
    d->running = true;
    d->thread = std::thread([this] { d->server->listen_after_bind(); });
    // A stop before the server loop runs would not reach it, and the loop would never end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!d->server->is_running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void PackageHost::stop()
{
    if (!d->running)
        return;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->stopping = true;
    }
    d->wake.notify_all();
    d->server->stop();
    if (d->thread.joinable())
        d->thread.join();
    d->running = false;
}

bool PackageHost::isRunning() const
{
    return d->running;
}

QString PackageHost::root() const
{
    return d->root;
}

quint16 PackageHost::port() const
{
    return static_cast<quint16>(d->port.load());
}

QUrl PackageHost::baseUrl() const
{
    QUrl url;
    url.setScheme(d->tls ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(d->address);
    url.setPort(port());
    return url;
}

QUrl PackageHost::url(const QString &path) const
{
    QUrl result = baseUrl();
    result.setPath(path);
    return result;
}

void PackageHost::setMaxUploadSize(qint64 bytes)
{
    d->maxUploadSize = std::max<qint64>(0, bytes);
}

void PackageHost::setUploadFolder(const QString &folder)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->uploadFolder = folder;
}

QVector<PackageHost::Upload> PackageHost::uploads() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->uploads;
}

void PackageHost::clearUploads()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->uploads.clear();
}

void PackageHost::setRedirect(const QString &path, int status, const QString &location,
                              const QByteArray &body)
{
    d->setRule(path, [&](Rule &rule) {
        rule = Rule();
        rule.status = status;
        rule.location = location.toUtf8();
        rule.body = body;
    });
}

void PackageHost::setError(const QString &path, int status, const QByteArray &body)
{
    d->setRule(path, [&](Rule &rule) {
        rule = Rule();
        rule.status = status;
        rule.body = body;
    });
}

void PackageHost::setBusy(const QString &path, int status, int times, const QByteArray &retryAfter)
{
    d->setRule(path, [&](Rule &rule) {
        rule.status = times > 0 ? status : 0;
        rule.statusTimes = times;
        rule.location.clear();
        rule.body = QByteArray("Busy, try again later\n");
        rule.retryAfter = retryAfter;
    });
}

void PackageHost::setBreakOff(const QString &path, qint64 afterBytes, qint64 untilOffset)
{
    d->setRule(path, [&](Rule &rule) {
        rule.breakAfter = afterBytes;
        rule.breakUntil = untilOffset;
    });
}

void PackageHost::setRangeSupport(const QString &path, bool supported)
{
    d->setRule(path, [&](Rule &rule) { rule.ranges = supported; });
}

void PackageHost::setIfRangeIgnored(const QString &path, bool ignored)
{
    d->setRule(path, [&](Rule &rule) { rule.ifRangeChecked = !ignored; });
}

void PackageHost::setEntityTag(const QString &path, const QByteArray &tag)
{
    d->setRule(path, [&](Rule &rule) {
        rule.tagFixed = true;
        rule.tag = tag;
    });
}

void PackageHost::setThrottle(const QString &path, qint64 bytesPerSecond)
{
    d->setRule(path, [&](Rule &rule) {
        rule.status = 0;
        rule.bytesPerSecond = bytesPerSecond;
    });
}

void PackageHost::setStall(const QString &path, qint64 afterBytes, int stallMs)
{
    d->setRule(path, [&](Rule &rule) {
        rule.status = 0;
        rule.stallAfter = afterBytes;
        rule.stallMs = stallMs;
    });
}

void PackageHost::setChunked(const QString &path, bool chunked)
{
    d->setRule(path, [&](Rule &rule) {
        rule.status = 0;
        rule.chunked = chunked;
    });
}

void PackageHost::clearRules()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->rules.clear();
}

QStringList PackageHost::requests() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->requests;
}

QVector<PackageHost::Exchange> PackageHost::exchanges() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->exchanges;
}

qint64 PackageHost::bytesSent(const QString &path) const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->sent.value(path);
}

void PackageHost::clearRequests()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->requests.clear();
    d->exchanges.clear();
    d->sent.clear();
}

QByteArray PackageHost::entityTag(const QString &file)
{
    const QFileInfo info(file);
    if (info.size() <= hashedTagLimit) {
        QFile content(file);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (content.open(QIODevice::ReadOnly) && hash.addData(&content))
            return '"' + hash.result().toHex().left(20) + '"';
    }
    return '"' + QByteArray::number(info.size(), 16) + '-' +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch(), 16) + '"';
}

QByteArray PackageHost::lastModified(const QString &file)
{
    return httpDate(QFileInfo(file).lastModified());
}
