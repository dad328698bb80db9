#include "tsdownloader.h"

#include <QNetworkReply>
#include <QNetworkRequest>

TsDownloader::TsDownloader(QUrl url, QObject *parent)
    : TsDownloader(std::move(url), defaultTransferTimeout, parent)
{}

TsDownloader::TsDownloader(QUrl url, int transferTimeout, QObject *parent)
    : QObject(parent), accessManager(this)
{
    connect(&accessManager, &QNetworkAccessManager::finished, this, &TsDownloader::fileDownloaded);
    QNetworkRequest request(url);
    // Without a bound a server that stops sending would keep the request open for ever.
    request.setTransferTimeout(transferTimeout);
    accessManager.get(request);
}

TsDownloader::~TsDownloader()
{
    // The access manager outlives this body and takes the pending reply down with it; nothing of
    // that may reach the slot of an object that is going away.
    disconnect(&accessManager, nullptr, this, nullptr);
}

QByteArray TsDownloader::downloadedData() const
{
    return data;
}

void TsDownloader::fileDownloaded(QNetworkReply *reply)
{
    // Certificate errors end up here as an error too: they are never ignored.
    if (reply->error() != QNetworkReply::NoError)
        return;
    QByteArray body = reply->readAll();
    // A connection that closed before the announced length is a failure, not a shorter body.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != body.size())
        return;
    data = std::move(body);
    reply->deleteLater();
    emit downloaded(this);
}
