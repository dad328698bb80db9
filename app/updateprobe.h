#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVector>

class QNetworkReply;

// Asks the host whether the archives of installed packages changed since they were installed:
// one HEAD request per package, at most four at a time, asked as the download asks (no
// compression), comparing the host's validator and length with what was recorded at install
// time. A recorded entity tag is compared with the answer's ETag by HTTP's weak comparison
// (W/"x" matches "x"), a recorded date with its Last-Modified; the lengths only when both are
// known (a recorded size above 0, an answer with Content-Length).
//
// checked() is emitted on the object's thread once for every query whose answer could be
// compared; a request that fails, or an answer with nothing to compare, emits nothing for its
// query (a failed check marks nothing). finished() follows once all queries are over.
//
// checked() comes in the order the answers arrive, not the order of the queries; a query whose
// address is not http or https is passed over without a request and without a signal. Queries
// added while others run join them, with one finished() for all. When nothing is left to send
// and none is running (an empty list, or only such addresses), finished() comes from inside
// check() itself. The probe owns its requests, deleted once answered; destroyed midway, it
// drops them and emits nothing.
class UpdateProbe : public QObject
{
    Q_OBJECT

public:
    struct Query
    {
        int entry = -1; // the caller's key, handed back in checked()
        QUrl url;
        QString validator;
        qint64 size = 0;
    };

    enum class Verdict {
        Unknown, // nothing of the answer could be compared
        Same,
        Differs,
    };

    explicit UpdateProbe(QObject *parent = nullptr);
    static constexpr int maximumRunning = 4;

    // Queues the queries behind any still running.
    void check(const QVector<Query> &queries);
    int runningRequests() const { return running; }

    // What an answer with these headers says about `query` (`length` -1: not told).
    static Verdict compare(const Query &query, const QByteArray &entityTag,
                           const QByteArray &lastModified, qint64 length);
    // An entity tag, weak or strong ("x" or W/"x"), rather than a date.
    static bool isEntityTag(const QByteArray &validator);
    // HTTP's weak comparison: two tags with the same opaque part, weak or not.
    static bool weaklyEqual(const QByteArray &a, const QByteArray &b);

signals:
    void checked(int entry, bool differs);
    void finished();

private:
    void startNext();
    void answered(QNetworkReply *reply, const Query &query);

    QNetworkAccessManager network;
    QVector<Query> pending;
    int running = 0;
};
