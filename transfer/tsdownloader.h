#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

class QNetworkReply;

// One-shot HTTP GET into memory. The constructor issues the request; `downloaded` fires once when
// a reply arrives without error. Errors, redirects to follow and time-outs are silent: the signal
// simply never comes. Redirect answers are delivered as they are, with their own body.
class TsDownloader : public QObject
{
    Q_OBJECT

public:
    // A transfer that receives no byte for this long is abandoned.
    static constexpr int defaultTransferTimeout = 30000;

    explicit TsDownloader(QUrl url, QObject *parent = nullptr);
    TsDownloader(QUrl url, int transferTimeout, QObject *parent = nullptr);
    ~TsDownloader() override;

    QByteArray downloadedData() const;

signals:
    void downloaded(TsDownloader *obj);

private slots:
    void fileDownloaded(QNetworkReply *reply);

private:
    QByteArray data;
    QNetworkAccessManager accessManager;
};
