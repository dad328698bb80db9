#include "updateprobe.h"

#include <QNetworkReply>
#include <QNetworkRequest>

UpdateProbe::UpdateProbe(QObject *parent) : QObject(parent)
{}

void UpdateProbe::check(const QVector<Query> &queries)
{
    pending += queries;
    startNext();
    if (running == 0 && pending.isEmpty())
        emit finished();
}

void UpdateProbe::startNext()
{
    while (running < maximumRunning && !pending.isEmpty()) {
        const Query query = pending.takeFirst();
        const QString scheme = query.url.scheme();
        if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
            query.url.host().isEmpty())
            continue;
        QNetworkRequest request(query.url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(5);
        request.setTransferTimeout(30000);
        QNetworkReply *reply = network.head(request);
        ++running;
        connect(reply, &QNetworkReply::finished, this,
                [this, reply, query] { answered(reply, query); });
    }
}

void UpdateProbe::answered(QNetworkReply *reply, const Query &query)
{
    reply->deleteLater();
    --running;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
        QString validator = QString::fromLatin1(reply->rawHeader("ETag"));
        if (validator.isEmpty())
            validator = QString::fromLatin1(reply->rawHeader("Last-Modified"));
        bool lengthKnown = false;
        const qint64 length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&lengthKnown);
        if (!query.validator.isEmpty() && !validator.isEmpty())
            emit checked(query.entry, validator != query.validator ||
                                          (lengthKnown && query.size > 0 && length != query.size));
        else if (lengthKnown && query.size > 0)
            emit checked(query.entry, length != query.size);
    }
    startNext();
    if (running == 0 && pending.isEmpty())
        emit finished();
}
