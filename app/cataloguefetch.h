#pragma once

#include "speedfloor.h"
#include "wording.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class TsDownloader;

// Fetches the catalogue file and keeps the last good copy in the Cache folder, with the host's
// validators, so that the next fetch can be answered with 304 and an unreachable host still
// leaves a list to show. An answer that is no catalogue (no line reads as an entry: a login
// page, an empty body) counts as a failed fetch and never replaces the kept copy. Every start ends
// in exactly one `finished`, unless a later start() or the fetch's destruction drops it first: then
// it ends without one.
//
// `finished` comes on the fetch's thread from the event loop, never from inside start(), and
// isRunning() is already false when it comes, so a slot may start again. The fetch owns its
// downloader; the kept copy and its note stay in the Cache folder for the next run.
class CatalogueFetch : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        enum Source {
            Network, // a fresh copy from the host
            Cache,   // the kept copy: confirmed by the host (304), or in place of a failed fetch
            Nothing, // no list: the fetch failed and there is no usable kept copy
        };

        Source source = Nothing;
        QByteArray data;
        // Why the host's list could not be had; empty when the host answered with it or with 304.
        QString failure;
        QString failureWords; // the same in the player's words
        // When the host last gave or confirmed the kept copy (for a Cache result).
        QDateTime cachedAt;
        QString host; // the host asked, with its port when it has one

        bool fromCache() const { return source == Cache; }
        // What the catalogue page says about the list: "Showing the package list from 3 days
        // ago: could not reach <host>", "The package list could not be loaded: <reason>", or
        // nothing for a list that is up to date; for the log, or in the player's words.
        QString notice(const QDateTime &now, Wording wording = Wording::Log) const;
    };

    explicit CatalogueFetch(QObject *parent = nullptr);
    ~CatalogueFetch() override;

    // Starts a fetch of `url`; one still running is dropped without a result.
    void start(const QUrl &url);
    bool isRunning() const;
    // The least pace of the host's answer (see SpeedFloor); less ends the fetch as failed.
    void setSpeedFloor(const SpeedFloor &speedFloor) { floor = speedFloor; }

    // The kept copy and its note (address, validators, when confirmed, length, checksum).
    static QString cacheFile();
    static QString cacheNoteFile();
    // "less than a minute ago", "5 minutes ago", "1 hour ago", "3 days ago".
    static QString ageText(qint64 seconds, Wording wording = Wording::Log);

signals:
    void finished(const CatalogueFetch::Result &result);

private:
    struct Kept
    {
        bool valid = false;
        QByteArray data;
        QByteArray entityTag;
        QByteArray lastModified;
        QDateTime confirmed;
    };

    static Kept readCache(const QUrl &url);
    static void writeNote(const QUrl &url, const QByteArray &data, const QByteArray &entityTag,
                          const QByteArray &lastModified, const QDateTime &confirmed);
    void arrived(TsDownloader *downloader);
    void failed(TsDownloader *downloader);
    // Ends with the kept copy, when there is one, in place of the host's list.
    void fail(const WordedText &reason);
    void finish(Result result);

    std::unique_ptr<TsDownloader> downloader;
    QUrl url;
    Kept kept;
    SpeedFloor floor;
};
Q_DECLARE_METATYPE(CatalogueFetch::Result)
