#pragma once

#include "diskroom.h"
#include "downloadmanager.h"
#include "wording.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Why a package did not arrive, in the player's words (or for the log, in English), from what the
// download manager knows about the transfer (its HTTP status, network error, content type and the
// bytes it kept). The manager's own report texts stay as they are for the log.
class FailureWords
{
    Q_DECLARE_TR_FUNCTIONS(FailureWords)

public:
    // "not found on the server (HTTP 404)", "connection refused; 88.2 MB of 211 MB kept, Retry
    // resumes", ...; the manager's reason when nothing plainer is known.
    static QString describe(const DownloadOutcome &outcome, Wording wording = Wording::Player);
    // Why the saved `archive` cannot be installed, checked before the player is asked anything:
    // a web page instead of a zip archive (by `contentType` or by its first byte), a file that
    // is no readable archive or one without entries, for the log and for the player. Empty when
    // it can be read.
    static WordedText unreadableArchive(const QString &archive, const QByteArray &contentType);
    static QString webPage(Wording wording = Wording::Player);

    // What was wrong with the certificate of `host`, in the player's words: "the certificate of
    // <host> is not trusted (self-signed)", "... has expired", ...; empty without errors.
    static QString certificateProblem(const QList<QSslError> &errors, const QString &host,
                                      Wording wording = Wording::Player);
    // An install's failure (the unpacker's report text and its detail, both English for the
    // log) in the player's words: "Couldn't extract file: the disk is full", "... the archive
    // holds a link, which is not installed: <entry>", "<entry> could not be unpacked: the disk
    // is full" (an entry's failure alone), ...; a detail it does not know stays as it is.
    static QString unpackFailure(const QString &error, const QString &detail,
                                 Wording wording = Wording::Player);
    // The unpacker's detail alone, in the player's words.
    static QString unpackDetail(const QString &detail, Wording wording = Wording::Player);
    // A full, inode-less or read-only disk, in the player's words; empty for none.
    static QString diskProblem(DiskRoom::Problem problem, const QString &folder,
                               Wording wording = Wording::Player);

    // "Trying again in 5 s (attempt 2 of 5)".
    static QString retryText(qint64 waitMs, int attempt, int attempts);

    // "88.2 MB", "211 MB", "512 bytes": SI units, one decimal below 100.
    static QString sizeText(qint64 bytes, Wording wording = Wording::Player);
    // The download manager's rate ("(3.8 MB/s)", "(512.0 bytes/sec)") in the player's numbers:
    // "3,8 MB/s" in German, "512 B/s".
    static QString rateText(const QString &managerRate);
    // "88.2 of 211 MB" (one unit when both share it), "880 kB of 1.2 MB"; "88.2 MB" when the
    // whole is not known.
    static QString progressText(qint64 done, qint64 total);

private:
    // `source`, a text of this class, for its reader.
    static QString say(Wording wording, const char *source);
};
