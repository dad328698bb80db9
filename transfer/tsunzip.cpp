#include "tsunzip.h"

#include "diskroom.h"

#include "archivefile_p.h"
#include "racecheck_p.h"
#include "tscompression.h"
#include "unpacktransaction.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThreadPool>
#include <QVector>
#include <QtEndian>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// Entries are handed out to the workers in chunks of about this many archive bytes (each entry
// counted with a little extra for its file) and at most this many entries.
constexpr quint64 chunkBytes = 512 * 1024;
constexpr quint64 entryCost = 16 * 1024;
constexpr int chunkEntries = 32;
// At most this many workers beside the run's own thread, and only as many as the global pool
// has idle threads for.
constexpr int maxHelpers = 3;
// Reports reach the receiving thread in bursts at most this often (and at the end), so that a
// run of many small entries does not wake it once per entry.
constexpr qint64 reportInterval = 10;
// Windows of the handles that jump from entry to entry.
constexpr qint64 jumpWindow = 4096;
// The address that stands for "a helper task was handed to the pool" (see RaceCheck).
char helperHandOver = 0;

// One run's entries and their progress, shared by the run's thread and its helpers. Helpers
// hold it by shared pointer: one that starts after the run no longer waits finds it closed.
// The standard library's mutex and condition, not Qt's: the race checker (scripts/tsan.sh)
// sees through these, while Qt's live in a library it does not instrument.
struct SharedRun
{
    QString zipPath;
    QString folder; // the destination, asked about its disk when a write fails
    TsCompression::Protection protection = TsCompression::Protection::Plain;
    // Each helper sets the size and hash of the files it unpacks, each file's slot its own.
    UnpackTransaction *run = nullptr;
    QVector<ArchiveEntry> entries;
    QVector<int> chunkStarts; // chunk c covers [chunkStarts[c], chunkStarts[c + 1])
    std::atomic<int> nextChunk{0};
    // Entries from this index on are not unpacked: the earliest failure so far.
    std::atomic<int> stopAt{INT_MAX};
    std::unique_ptr<std::atomic<bool>[]> done;
    // The archive's bytes of the entries to unpack, and those read so far by every worker: the
    // share unpacked moves within one large entry too.
    qint64 total = 0;
    std::atomic<qint64> read{0};

    std::mutex mutex;
    std::condition_variable progress;
    int helpersWorking = 0;
    bool closed = false;
    int failedAt = INT_MAX;
    QString failure;

    void fail(int index, const QString &why)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (index < failedAt) {
            failedAt = index;
            failure = why;
        }
        int current = stopAt.load();
        while (index < current && !stopAt.compare_exchange_weak(current, index)) {
        }
        progress.notify_all();
    }

    void planChunks()
    {
        done.reset(new std::atomic<bool>[size_t(entries.size())]);
        quint64 bytes = 0;
        int count = 0;
        for (int i = 0; i < entries.size(); ++i) {
            done[size_t(i)].store(entries.at(i).number < 0);
            if (count == 0)
                chunkStarts << i;
            bytes += entries.at(i).info.compressedSize + entryCost;
            if (entries.at(i).number >= 0)
                total += qint64(entries.at(i).info.compressedSize);
            if (++count >= chunkEntries || bytes >= chunkBytes) {
                count = 0;
                bytes = 0;
            }
        }
        chunkStarts << int(entries.size());
        stopAt.store(int(entries.size()));
    }

    // Takes chunks until none is left or a failure stops the run; `between` runs after every
    // entry, `during` (when given) now and then within one. Each worker reads through its own
    // handle on the archive.
    void work(const std::function<void()> &between, const std::function<void()> &during = {})
    {
        ArchiveReader archive(zipPath, jumpWindow);
        const bool opened = archive.open();
        const int chunkCount = int(chunkStarts.size()) - 1;
        for (int chunk = nextChunk.fetch_add(1); chunk < chunkCount;
             chunk = nextChunk.fetch_add(1)) {
            for (int i = chunkStarts.at(chunk); i < chunkStarts.at(chunk + 1); ++i) {
                if (i >= stopAt.load(std::memory_order_relaxed))
                    return;
                ArchiveEntry entry = entries.at(i);
                if (entry.number >= 0) {
                    entry.stagedPath = run->stagedPath(entry.number);
                    const auto cancelled = [this, i, &during] {
                        if (during)
                            during();
                        return stopAt.load(std::memory_order_relaxed) < i;
                    };
                    QByteArray sha256;
                    if (!opened || !TsCompression::unpackPlanned(archive, entry, protection,
                                                                 cancelled, &sha256, &read)) {
                        fail(i, TsUnZip::entryFailure(folder, entry.name,
                                                      qint64(entry.info.uncompressedSize)));
                        return;
                    }
                    run->setStagedHash(entry.number, qint64(entry.info.uncompressedSize), sha256);
                    done[size_t(i)].store(true, std::memory_order_release);
                }
                between();
            }
        }
    }
};

// An archive without entries is its end record alone, which the zip library's backward search
// never finds at offset 0, so it would pass for "not a zip".
bool isEmptyArchive(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 22 || file.size() > 22 + 0xFFFF)
        return false;
    const QByteArray record = file.read(22);
    const auto field = [&record](int at) {
        return qFromLittleEndian<quint16>(record.constData() + at);
    };
    return record.startsWith("PK\x05\x06") && field(8) == 0 && field(10) == 0 &&
           field(20) == file.size() - 22;
}

} // namespace

TsUnZip::TsUnZip(QObject *parent) : QObject(parent)
{}

void TsUnZip::setZipFile(const QString &path)
{
    zipPath = path;
    archive.setZipName(path);
}

void TsUnZip::setDestination(const QString &folder)
{
    QDir().mkpath(folder);
    destination = folder;
}

void TsUnZip::setEncrypted(const bool &value)
{
    encrypted = value;
}

void TsUnZip::setJournal(const QString &path)
{
    journalPath = path;
}

bool TsUnZip::hasNoEntries(const QString &path)
{
    return isEmptyArchive(path);
}

void TsUnZip::setRenames(const QHash<QString, QString> &map)
{
    renames = map;
}

void TsUnZip::setHold(bool on)
{
    hold = on;
}

void TsUnZip::setBeforeCommit(std::function<QString(UnpackTransaction &)> call)
{
    beforeCommit = std::move(call);
}

QString TsUnZip::recover(const QString &journalPath)
{
    return UnpackTransaction::recover(journalPath);
}

void TsUnZip::cancel()
{
    cancelled = true;
}

QString TsUnZip::linkEntryText(const QString &entry)
{
    return QStringLiteral("the archive holds a link, which is not installed: ") + entry;
}

QString TsUnZip::entryFailureText(const QString &entry, const QString &cause)
{
    return QStringLiteral("could not unpack ") + entry +
           (cause.isEmpty() ? QStringLiteral(" (damaged or encrypted)")
                            : QStringLiteral(": ") + cause);
}

QString TsUnZip::entryFailure(const QString &folder, const QString &entry, qint64 needed)
{
    return entryFailureText(entry, DiskRoom::text(DiskRoom::problem(folder, needed), folder));
}

QString TsUnZip::errorDetail() const
{
    return detail;
}

void TsUnZip::unpackAll()
{
    unpack(destination, false);
    givePagesBack();
}

void TsUnZip::unpackTo(const QString &folder)
{
    unpack(folder, true);
    givePagesBack();
}

void TsUnZip::givePagesBack()
{
    // A run of many entries frees its records on this thread and its helpers', whose allocator
    // arenas would keep the pages for threads that may never need them again; what comes next
    // (the records of an install) is built on another thread.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void TsUnZip::unpack(const QString &folder, bool counted)
{
    detail.clear();
    // The archive reads through this device for the run and gets its name back afterwards.
    ArchiveFile device(zipPath);
    struct Detach
    {
        QuaZip &archive;
        const QString &name;
        ~Detach()
        {
            if (archive.getMode() != QuaZip::mdNotOpen)
                archive.close();
            archive.setZipName(name);
        }
    } detach{archive, zipPath};
    archive.setIoDevice(&device);
    TsCompression::prepareNames(archive);

    if (!archive.open(QuaZip::mdUnzip)) {
        if (isEmptyArchive(zipPath)) {
            detail = QStringLiteral("the archive has no entries");
            emit error(QStringLiteral("Couldn't go to first file"));
        } else {
            detail = QStringLiteral("not a readable zip archive");
            emit error(QStringLiteral("Couldn't open zip"));
        }
        return;
    }
    entriesCount = archive.getEntriesCount();
    if (!archive.goToFirstFile()) {
        archive.close();
        detail = QStringLiteral("the archive has no entries");
        emit error(QStringLiteral("Couldn't go to first file"));
        return;
    }

    const auto protection =
        encrypted ? TsCompression::Protection::Encrypted : TsCompression::Protection::Plain;
    UnpackTransaction run(folder, journalPath);
    run.setRenames(renames);
    run.setHold(hold);
    const auto fail = [&](const QString &why) {
        archive.close();
        run.rollback();
        detail = why;
        emit error(QStringLiteral("Couldn't extract file"));
    };
    if (!run.begin()) {
        const QString disk = DiskRoom::text(DiskRoom::problem(folder), folder);
        fail(disk.isEmpty() ? run.errorString() : disk);
        return;
    }

    // The directory first: every entry is checked and registered with the run in archive
    // order, which also gives each file entry its staged path. A refused entry ends the plan;
    // the entries before it are still unpacked and reported, as they would be one by one.
    auto shared = std::make_shared<SharedRun>();
    shared->zipPath = zipPath;
    shared->folder = folder;
    shared->protection = protection;
    shared->run = &run;
    shared->entries.reserve(qMax(0, entriesCount));
    QString planFailure;
    // The walk reads the directory through a handle of its own, which reads records faster.
    ArchiveReader directory(zipPath);
    int walked = directory.open() ? unzGoToFirstFile(directory.handle()) : UNZ_ERRNO;
    for (; walked == UNZ_OK; walked = unzGoToNextFile(directory.handle())) {
        ArchiveEntry entry;
        if (!TsCompression::planCurrentEntry(directory, run, protection, &entry)) {
            const QString why = run.errorString();
            if (entry.info.isSymbolicLink())
                planFailure = linkEntryText(entry.name);
            else if (why.isEmpty())
                planFailure = entryFailure(folder, entry.name, 1);
            else {
                const QString disk = DiskRoom::text(DiskRoom::problem(folder), folder);
                planFailure = disk.isEmpty() ? why : disk;
            }
            break;
        }
        // Only what the unpack needs is kept: with many entries their names and extra fields
        // would add up, and the staged path follows from the number.
        entry.info.name.clear();
        entry.info.extra.clear();
        entry.info.comment.clear();
        entry.stagedPath.clear();
        shared->entries.append(entry);
    }
    // The walk also stops on a broken central directory; that is a failed entry, not the end.
    if (planFailure.isEmpty() && walked != UNZ_END_OF_LIST_OF_FILE)
        planFailure = QStringLiteral("the archive's directory is damaged");
    shared->planChunks();

    // Workers beside this thread take chunks of entries through their own handles; this thread
    // works too and reports every entry in archive order as soon as it and all before it are
    // staged. Without an idle pool thread this thread simply does it all.
    QElapsedTimer clock;
    clock.start();
    qint64 lastReport = -reportInterval;
    int reported = 0;
    qint64 shownRead = 0;
    const auto report = [&](bool force) {
        const qint64 now = clock.elapsed();
        if (!force && now - lastReport < reportInterval)
            return;
        lastReport = now;
        const int limit = shared->stopAt.load();
        while (reported < limit && shared->done[size_t(reported)].load(std::memory_order_acquire)) {
            ++reported;
            ++extractedCount;
            if (counted)
                emit status(QString::number(extractedCount) + QLatin1String(" of ") +
                            QString::number(entriesCount) + QLatin1String("unzipped"));
            else
                emit status(QLatin1String("Unzipped ") + shared->entries.at(reported - 1).name);
            const qint64 share = qint64(extractedCount) * 100 / qMax(1, entriesCount);
            emit percent(int(qMin<qint64>(share, 100)));
        }
        // Within a large entry too: the archive's bytes read.
        const qint64 read = shared->read.load(std::memory_order_relaxed);
        if (read > shownRead) {
            shownRead = read;
            emit bytesRead(read, shared->total);
        }
    };
    if (shared->chunkStarts.size() > 2) {
        QThreadPool *pool = QThreadPool::globalInstance();
        for (int i = 0; i < maxHelpers; ++i) {
            // The pool may hand the task to a thread that takes it from its queue under Qt's
            // mutex, which the race checker cannot see: the hand-over is told to it.
            std::function<void()> helper = [shared] {
                RaceCheck::takeOver(&helperHandOver);
                {
                    const std::lock_guard<std::mutex> lock(shared->mutex);
                    if (shared->closed)
                        return;
                    ++shared->helpersWorking;
                }
                shared->work([&shared] {
                    const std::lock_guard<std::mutex> lock(shared->mutex);
                    shared->progress.notify_all();
                });
                const std::lock_guard<std::mutex> lock(shared->mutex);
                --shared->helpersWorking;
                shared->progress.notify_all();
            };
            RaceCheck::handOver(&helperHandOver);
            const bool started = pool->tryStart(std::move(helper));
            if (!started)
                break;
        }
    }
    // A cancel stops every worker before its next entry.
    const auto reportNow = [&] {
        if (cancelled)
            shared->stopAt.store(0);
        report(false);
    };
    shared->work(reportNow, reportNow);
    while (true) {
        if (cancelled)
            shared->stopAt.store(0);
        report(false);
        std::unique_lock<std::mutex> lock(shared->mutex);
        shared->closed = true;
        if (shared->helpersWorking == 0)
            break;
        shared->progress.wait_for(lock, std::chrono::milliseconds(20));
    }
    report(true);

    if (cancelled) {
        fail(QStringLiteral("cancelled"));
        return;
    }
    if (shared->failedAt < shared->entries.size()) {
        fail(shared->failure);
        return;
    }
    if (!planFailure.isEmpty()) {
        fail(planFailure);
        return;
    }

    archive.close();
    if (archive.getZipError() != UNZ_OK) {
        run.rollback();
        detail = QStringLiteral("the archive could not be closed");
        return;
    }
    // The archive is closed by now: a failure here only undoes the run.
    const auto failStaged = [&](const QString &why) {
        run.rollback();
        detail = why;
        emit error(QStringLiteral("Couldn't extract file"));
    };
    if (beforeCommit) {
        const QString why = beforeCommit(run);
        if (!why.isEmpty()) {
            failStaged(why);
            return;
        }
        // The caller's step may have built and dropped much (an install's record of every file).
        givePagesBack();
    }
    if (cancelled) {
        failStaged(QStringLiteral("cancelled"));
        return;
    }
    if (!run.commit()) {
        detail = run.errorString();
        emit error(QStringLiteral("Couldn't extract file"));
        return;
    }
    emit status(QStringLiteral("Unzipped"));
    emit finished();
}
