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
        // Asked as the download asks: a host that compresses on request would otherwise
        // answer about another representation (a weak tag, no length).
        request.setRawHeader("Accept-Encoding", "identity");
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
        bool lengthKnown = false;
        const qint64 length =
            reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&lengthKnown);
        const Verdict verdict =
            compare(query, reply->rawHeader("ETag"), reply->rawHeader("Last-Modified"),
                    lengthKnown ? length : -1);
        if (verdict != Verdict::Unknown)
            emit checked(query.entry, verdict == Verdict::Differs);
    }
    startNext();
    if (running == 0 && pending.isEmpty())
        emit finished();
}

bool UpdateProbe::isEntityTag(const QByteArray &validator)
{
    const QByteArray text = validator.trimmed();
    return text.startsWith('"') || text.startsWith("W/\"");
}

bool UpdateProbe::weaklyEqual(const QByteArray &a, const QByteArray &b)
{
    const auto opaque = [](const QByteArray &tag) {
        const QByteArray text = tag.trimmed();
        return text.startsWith("W/") ? text.mid(2) : text;
    };
    return isEntityTag(a) && isEntityTag(b) && opaque(a) == opaque(b);
}

UpdateProbe::Verdict UpdateProbe::compare(const Query &query, const QByteArray &entityTag,
                                          const QByteArray &lastModified, qint64 length)
{
    // The recorded validator is the tag when the download had one, else its date: each is
    // compared with its own kind only.
    const QByteArray recorded = query.validator.toLatin1().trimmed();
    bool validatorCompared = false;
    bool validatorDiffers = false;
    if (!recorded.isEmpty()) {
        if (isEntityTag(recorded) && !entityTag.trimmed().isEmpty()) {
            validatorCompared = true;
            validatorDiffers = !weaklyEqual(recorded, entityTag);
        } else if (!isEntityTag(recorded) && !lastModified.trimmed().isEmpty()) {
            validatorCompared = true;
            validatorDiffers = recorded != lastModified.trimmed();
        }
    }
    const bool lengthCompared = query.size > 0 && length >= 0;
    const bool lengthDiffers = lengthCompared && length != query.size;
    if (!validatorCompared && !lengthCompared)
        return Verdict::Unknown;
    return validatorDiffers || lengthDiffers ? Verdict::Differs : Verdict::Same;
}
