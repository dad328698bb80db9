#include "diskpackage.h"

#include "packagekind.h"
#include "tscompression.h"

#include <QFileInfo>
#include <QMimeData>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

QStringList DiskPackage::archivesOf(const QList<QUrl> &urls)
{
    QStringList archives;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            return {};
        const QString path = url.toLocalFile();
        if (!path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive) || QFileInfo(path).isDir())
            return {};
        archives << path;
    }
    return archives;
}

QStringList DiskPackage::archivesOf(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    return archivesOf(data->urls());
}

QString DiskPackage::packageName(const QString &archive)
{
    const QString file = QFileInfo(archive).fileName();
    return file.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive) ? file.chopped(4) : file;
}

bool DiskPackage::entryNames(const QString &archive, QStringList *names, QString *why)
{
    names->clear();
    if (!QFileInfo(archive).isFile()) {
        *why =
            QString::fromUtf8(QT_TRANSLATE_NOOP("FailureWords", "the file is not there any more"));
        return false;
    }
    const std::unique_ptr<QIODevice> device = TsCompression::archiveDevice(archive);
    QuaZip zip(device.get());
    TsCompression::prepareNames(zip);
    if (!zip.open(QuaZip::mdUnzip)) {
        *why = QString::fromUtf8(QT_TRANSLATE_NOOP("FailureWords", "not a readable zip archive"));
        return false;
    }
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!TsCompression::currentInfo(&zip, &info)) {
            zip.close();
            *why = QString::fromUtf8(
                QT_TRANSLATE_NOOP("FailureWords", "the archive's directory is damaged"));
            return false;
        }
        *names << TsCompression::entryName(info);
    }
    const bool walked = zip.getZipError() == UNZ_OK;
    zip.close();
    if (!walked) {
        *why = QString::fromUtf8(
            QT_TRANSLATE_NOOP("FailureWords", "the archive's directory is damaged"));
        return false;
    }
    return true;
}

QString DiskPackage::damagedEntry(const QString &archive)
{
    const std::unique_ptr<QIODevice> device = TsCompression::archiveDevice(archive);
    QuaZip zip(device.get());
    TsCompression::prepareNames(zip);
    if (!zip.open(QuaZip::mdUnzip))
        return {};
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!TsCompression::currentInfo(&zip, &info))
            break;
        // The checksum is compared when the entry is closed after its last byte.
        QuaZipFile entry(&zip);
        bool whole = entry.open(QIODevice::ReadOnly);
        qint64 read = 0;
        while (whole && (read = entry.read(buffer.data(), buffer.size())) > 0) {
        }
        whole = whole && read == 0;
        entry.close();
        if (!whole || entry.getZipError() != UNZ_OK)
            return TsCompression::entryName(info);
    }
    return {};
}

QString DiskPackage::likelyKind(const QStringList &entryNames)
{
    static const QStringList images = {
        QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("gif"),
        QStringLiteral("bmp"), QStringLiteral("webp"), QStringLiteral("tga")};
    static const QStringList skinFiles = {QStringLiteral("ini"), QStringLiteral("css"),
                                          QStringLiteral("qss")};
    int files = 0;
    int pictures = 0;
    bool skin = false;
    for (const QString &name : entryNames) {
        if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')))
            continue;
        ++files;
        const QString base = name.section(QLatin1Char('/'), -1).toLower();
        const QString suffix = base.section(QLatin1Char('.'), -1);
        if (base == QLatin1String("skin.ini") ||
            (suffix != QLatin1String("ini") && skinFiles.contains(suffix)))
            skin = true;
        if (images.contains(suffix))
            ++pictures;
    }
    if (skin)
        return PackageKind::skin().code;
    if (files > 0 && pictures * 2 > files)
        return PackageKind::pictures().code;
    return PackageKind::mods().code;
}
