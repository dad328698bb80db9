#include "tsdownloader.h"

#include "bodydecoder_p.h"
#include "downloadmanager.h"
#include "serviceendpoints.h"
#include "tslogging.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// Returns the free pages the allocator holds (in every arena) to the system, where it can.
void givePagesBack()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

QString limitText(qint64 bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return QString::number(bytes / (1024 * 1024)) + QStringLiteral(" MiB");
    if (bytes >= 1024 && bytes % 1024 == 0)
        return QString::number(bytes / 1024) + QStringLiteral(" KiB");
    return QString::number(bytes) + QStringLiteral(" bytes");
}

} // namespace

TsDownloader::TsDownloader(QUrl url, QObject *parent)
    : TsDownloader(std::move(url), Options(), parent)
{}

TsDownloader::TsDownloader(QUrl url, int transferTimeout, QObject *parent)
    : TsDownloader(std::move(url), Options{transferTimeout, -1, {}}, parent)
{}

TsDownloader::TsDownloader(QUrl url, const Options &options, QObject *parent)
    : QObject(parent), accessManager(this), options(options)
{
    connect(&accessManager, &QNetworkAccessManager::finished, this, &TsDownloader::fileDownloaded);
    watch.setFloor(options.speedFloor);
    connect(&watch, &SpeedWatch::tooSlow, this, [this] {
        if (!active || !refusal.isEmpty())
            return;
        tooSlow = true;
        refusal = QStringLiteral("the server sent ") + watch.floor().text();
        active->abort();
    });
    if (!ServiceEndpoints::isWebUrl(url)) {
        // Only web addresses are fetched: a file:// or other URL would read a local file. The
        // failure comes from the event loop, like every other.
        location = url;
        QTimer::singleShot(0, this, [this] {
            failWith(QNetworkReply::ProtocolUnknownError,
                     QStringLiteral("not an http or https address"));
        });
        return;
    }
    send(url);
}

TsDownloader::~TsDownloader()
{
    // The access manager outlives this body and takes the pending reply down with it; nothing of
    // that may reach the slot of an object that is going away.
    disconnect(&accessManager, nullptr, this, nullptr);
    if (refusal.isEmpty())
        return;
    // A refused answer filled buffers up to the limit. They are freed with the body and the
    // replies, but the allocator keeps their pages for itself; they are given back to the system
    // here, once.
    const QList<QNetworkReply *> replies = accessManager.findChildren<QNetworkReply *>();
    qDeleteAll(replies);
    data = QByteArray();
    body = QByteArray();
    decoder.reset();
    headers.clear();
    givePagesBack();
}

void TsDownloader::send(const QUrl &url)
{
    location = url;
    visited.insert(url);
    refusal.clear();
    decoder.reset();
    body = QByteArray();
    received = 0;
    QNetworkRequest request(url);
    // Without a bound a server that stops sending would keep the request open for ever.
    request.setTransferTimeout(options.transferTimeout);
    // Asked for here, so that the network layer hands the packed bytes over as they are (it
    // would unpack a whole answer before the limit could show).
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    for (const auto &header : qAsConst(options.headers))
        request.setRawHeader(header.first, header.second);
    QNetworkReply *reply = accessManager.get(request);
    active = reply;
    watch.start();
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { takeBody(reply); });
    connect(reply, &QNetworkReply::sslErrors, this, [this, reply](const QList<QSslError> &errors) {
        certificateErrors = errors;
        certificateHost = reply->url().host();
    });
    if (options.maximumSize < 0)
        return;
    // An answer longer than the limit is stopped as soon as that shows: from its announced
    // length, or from what has arrived.
    const auto check = [this, reply](qint64 size) {
        if (size > options.maximumSize && refusal.isEmpty()) {
            refusal = QStringLiteral("the answer is larger than ") + limitText(options.maximumSize);
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, check] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() &&
            !DownloadManager::isFollowedRedirect(
                reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()))
            check(length.toLongLong());
    });
    connect(reply, &QNetworkReply::downloadProgress, this,
            [check](qint64 received, qint64) { check(received); });
}

QByteArray TsDownloader::downloadedData() const
{
    return data;
}

qint64 TsDownloader::maximumSize() const
{
    return options.maximumSize;
}

int TsDownloader::statusCode() const
{
    return status;
}

QByteArray TsDownloader::rawHeader(const QByteArray &name) const
{
    for (const auto &header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return QByteArray();
}

QUrl TsDownloader::finalUrl() const
{
    return location;
}

QString TsDownloader::errorString() const
{
    return failure;
}

QList<QSslError> TsDownloader::sslErrors() const
{
    return certificateErrors;
}

QString TsDownloader::sslHost() const
{
    return certificateHost;
}

QNetworkReply::NetworkError TsDownloader::networkError() const
{
    return networkFailure;
}

QUrl TsDownloader::redirectTarget(QNetworkReply *reply, QString &reason) const
{
    const QVariant target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (!target.isValid() || target.toUrl().isEmpty()) {
        reason = QStringLiteral("the server redirected without saying where");
        return QUrl();
    }
    const QUrl next = location.resolved(target.toUrl());
    if (!ServiceEndpoints::isWebUrl(next))
        reason = QStringLiteral("redirected to an address that is not http or https: ");
    else if (location.scheme() == QLatin1String("https") && next.scheme() == QLatin1String("http"))
        reason = QStringLiteral("redirected from https to http, which is not followed: ");
    else if (visited.contains(next))
        reason = QStringLiteral("redirect loop at ");
    else if (hops >= maximumRedirects)
        reason = QStringLiteral("too many redirects (more than %1) at ").arg(maximumRedirects);
    else
        return next;
    reason += next.toDisplayString();
    return QUrl();
}

void TsDownloader::takeBody(QNetworkReply *reply)
{
    if (!refusal.isEmpty())
        return;
    if (!decoder) {
        // Only a wanted answer's body is read; a redirect's or an error page's is not used.
        const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (code != 0 && (code < 200 || code > 299))
            return;
        decoder = std::make_unique<BodyDecoder>(
            BodyDecoder::codingOf(reply->rawHeader("Content-Encoding")), options.maximumSize);
    }
    const QByteArray raw = reply->readAll();
    received += raw.size();
    watch.add(raw.size());
    if (decoder->feed(raw.constData(), raw.size(), body))
        return;
    const bool packed = BodyDecoder::codingOf(reply->rawHeader("Content-Encoding")) !=
                        BodyDecoder::Coding::Identity;
    refusal = !decoder->tooLarge()
                  ? decoder->error()
                  : QStringLiteral("the answer is larger than ") + limitText(options.maximumSize) +
                        (packed ? QStringLiteral(" once unpacked") : QString());
    body = QByteArray();
    reply->abort();
}

void TsDownloader::fail(QNetworkReply *reply, const QString &reason)
{
    // The reply stays a child of the access manager and goes with the downloader.
    failWith(refusal.isEmpty() ? reply->error() : QNetworkReply::NoError, reason);
}

void TsDownloader::failWith(QNetworkReply::NetworkError error, const QString &reason)
{
    failure = reason;
    networkFailure = error;
    TsLogging::Log::channelDebug(TsLogging::Channel::strName(),
                                 QStringLiteral("Fetch of ") + location.toDisplayString() +
                                     QStringLiteral(" failed: ") + reason);
    emit failed(this);
}

void TsDownloader::fileDownloaded(QNetworkReply *reply)
{
    watch.stop();
    active = nullptr;
    status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    headers = reply->rawHeaderPairs();
    // Certificate errors end up here as an error too: they are never ignored.
    if (!refusal.isEmpty()) {
        fail(reply, refusal);
        return;
    }
    if (reply->error() == QNetworkReply::OperationCanceledError) {
        fail(reply, QStringLiteral("no data from the server for %1 s")
                        .arg(QString::number(options.transferTimeout / 1000.0, 'g', 3)));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply, reply->errorString());
        return;
    }
    if (DownloadManager::isFollowedRedirect(status)) {
        QString reason;
        const QUrl next = redirectTarget(reply, reason);
        if (next.isEmpty()) {
            fail(reply, reason);
            return;
        }
        ++hops;
        reply->deleteLater();
        send(next);
        return;
    }
    if (status != 0 && status != 304 && (status < 200 || status > 299)) {
        fail(reply,
             QStringLiteral("the server answered %1 %2")
                 .arg(status)
                 .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
        return;
    }
    if (status != 304)
        takeBody(reply);
    if (!refusal.isEmpty()) {
        fail(reply, refusal);
        return;
    }
    // A connection that closed before the announced length is a failure, not a shorter body.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (status != 304 && length.isValid() && length.toLongLong() != received) {
        fail(reply,
             QStringLiteral("Received %1 of %2 bytes").arg(received).arg(length.toLongLong()));
        return;
    }
    if (decoder && !decoder->finish()) {
        fail(reply, decoder->error());
        return;
    }
    data = std::move(body);
    body = QByteArray();
    reply->deleteLater();
    emit downloaded(this);
}
