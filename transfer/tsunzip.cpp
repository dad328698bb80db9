#include "tsunzip.h"

#include "tscompression.h"
#include "unpacktransaction.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

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

QString TsUnZip::recover(const QString &journalPath)
{
    return UnpackTransaction::recover(journalPath);
}

QString TsUnZip::errorDetail() const
{
    return detail;
}

void TsUnZip::unpackAll()
{
    unpack(destination, false);
}

void TsUnZip::unpackTo(const QString &folder)
{
    unpack(folder, true);
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
    const auto fail = [&](const QString &why) {
        archive.close();
        run.rollback();
        detail = why;
        emit error(QStringLiteral("Couldn't extract file"));
    };
    if (!run.begin()) {
        fail(run.errorString());
        return;
    }
    bool more = true;
    while (more) {
        QString name;
        if (!TsCompression::stageCurrentEntry(&archive, run, protection, &name)) {
            const QString why = run.errorString();
            fail(why.isEmpty() ? QStringLiteral("could not unpack ") + name +
                                     QStringLiteral(" (damaged, encrypted or disk full)")
                               : why);
            return;
        }
        ++extractedCount;
        if (counted)
            emit status(QString::number(extractedCount) + QLatin1String(" of ") +
                        QString::number(entriesCount) + QLatin1String("unzipped"));
        else
            emit status(QLatin1String("Unzipped ") + name);
        const qint64 share = qint64(extractedCount) * 100 / qMax(1, entriesCount);
        emit percent(int(qMin<qint64>(share, 100)));
        more = archive.goToNextFile();
    }
    // The walk also stops on a broken central directory; that is a failed entry, not the end.
    if (archive.getZipError() != UNZ_OK) {
        fail(QStringLiteral("the archive's directory is damaged"));
        return;
    }

    archive.close();
    if (archive.getZipError() != UNZ_OK) {
        run.rollback();
        detail = QStringLiteral("the archive could not be closed");
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
