#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QSslError>
#include <QUrl>

#include "speedfloor.h"

#include <memory>

class BodyDecoder;

// One-shot HTTP GET into memory. The constructor issues the request; `downloaded` fires once when
// the answer arrived whole without error (a 2xx, or 304 to a conditional request). Only http and
// https addresses are fetched, the first one and every redirect's; redirects are followed, at
// most five and never from https to http. A packed answer (Content-Encoding gzip or deflate) is
// unpacked here as it arrives, never by the network layer: the size limit holds for the unpacked
// bytes, so an answer that would expand past it costs no more than the limit and a chunk before
// it is refused. Every failure is silent towards
// `downloaded`; it fires `failed` instead, with the reason in `errorString()`, and is written to
// the daily log.
//
// Exactly one of the two signals comes, once, on the downloader's thread from its event loop,
// never from inside the constructor: connecting right after constructing is in time. A
// downloader destroyed before its answer emits nothing. The caller owns the downloader and
// deletes it after the signal with deleteLater(), never from inside a slot of its signals: the
// network's own handling carries on after them. The downloader owns its access manager and the
// replies; the body stays readable in downloadedData() until the downloader goes.
class TsDownloader : public QObject
{
    Q_OBJECT

public:
    // A transfer that receives no byte for this long is abandoned.
    static constexpr int defaultTransferTimeout = 30000;
    static constexpr int maximumRedirects = 5;

    struct Options
    {
        int transferTimeout = defaultTransferTimeout;
        // The longest body taken, in bytes, as sent and once unpacked; a longer answer is
        // stopped and fails. -1: no limit.
        qint64 maximumSize = -1;
        // Extra request headers (for example If-None-Match), sent on every hop.
        QList<QPair<QByteArray, QByteArray>> headers;
        // A transfer slower than this ends as failed (see wasTooSlow()).
        SpeedFloor speedFloor;
    };

    explicit TsDownloader(QUrl url, QObject *parent = nullptr);
    TsDownloader(QUrl url, int transferTimeout, QObject *parent = nullptr);
    TsDownloader(QUrl url, const Options &options, QObject *parent = nullptr);
    ~TsDownloader() override;

    QByteArray downloadedData() const;
    qint64 maximumSize() const;

    // About the final answer, once one has come: its status (0 before, or without an answer),
    // one of its headers, and the address it came from after redirects.
    int statusCode() const;
    QByteArray rawHeader(const QByteArray &name) const;
    QUrl finalUrl() const;
    // Why nothing was delivered; empty unless `failed` fired.
    QString errorString() const;
    // The network's own classification of the failure (NoError when the host answered with a
    // status that was not wanted, or the answer was refused here).
    QNetworkReply::NetworkError networkError() const;
    // What was wrong with a secure host's certificate, and the host that sent it (empty when
    // nothing was).
    QList<QSslError> sslErrors() const;
    QString sslHost() const;
    // Whether the failure was a host that sent too slowly for the speed floor.
    bool wasTooSlow() const { return tooSlow; }

signals:
    void downloaded(TsDownloader *obj);
    void failed(TsDownloader *obj);

private slots:
    void fileDownloaded(QNetworkReply *reply);

private:
    void send(const QUrl &url);
    // Unpacks what has arrived of a wanted answer's body.
    void takeBody(QNetworkReply *reply);
    void fail(QNetworkReply *reply, const QString &reason);
    void failWith(QNetworkReply::NetworkError error, const QString &reason);
    // The next hop of a redirect answer, or an empty URL with `reason` set.
    QUrl redirectTarget(QNetworkReply *reply, QString &reason) const;

    QByteArray data;
    // The answer being received: its body unpacked so far, and the bytes as sent.
    std::unique_ptr<BodyDecoder> decoder;
    QByteArray body;
    qint64 received = 0;
    QNetworkAccessManager accessManager;
    Options options;
    QUrl location;
    QSet<QUrl> visited;
    int hops = 0;
    int status = 0;
    QList<QNetworkReply::RawHeaderPair> headers;
    QString failure;
    QNetworkReply::NetworkError networkFailure = QNetworkReply::NoError;
    QList<QSslError> certificateErrors;
    QString certificateHost;
    QString refusal; // set when an answer is stopped here (too long, too slow)
    SpeedWatch watch;
    QNetworkReply *active = nullptr; // the request in flight
    bool tooSlow = false;
};
