#include "packagelistfile.h"

#include "catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool writable(const QString &field)
{
    return !field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('\n')) &&
           !field.contains(QLatin1Char('\r'));
}

} // namespace

QByteArray PackageListFile::text(const QVector<InstalledPackage> &records, int *leftOut)
{
    QByteArray data;
    int skipped = 0;
    for (const InstalledPackage &record : records) {
        if (record.fromDisk || record.url.isEmpty())
            continue;
        if (!writable(record.url) || !writable(record.kind) || !writable(record.name)) {
            ++skipped;
            continue;
        }
        data += (record.url + QLatin1Char(',') + record.kind + QLatin1Char(',') + record.name +
                 QLatin1Char('\n'))
                    .toUtf8();
    }
    if (leftOut)
        *leftOut = skipped;
    return data;
}

QString PackageListFile::withExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".txt");
}

QString PackageListFile::nothingToExport()
{
    return tr("There is nothing to export: no installed package came from the package list.");
}

bool PackageListFile::save(const QString &path, const QVector<InstalledPackage> &records,
                           int *written, QString *why)
{
    const QByteArray data = text(records);
    if (data.isEmpty()) {
        *written = 0;
        *why = nothingToExport();
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *why = file.errorString();
        return false;
    }
    *written = data.count('\n');
    return true;
}

PackageListFile::Import PackageListFile::read(const QByteArray &data,
                                              const CatalogueEntries &catalogue)
{
    Import result;
    const QList<QByteArray> lines = data.split('\n');
    for (int number = 0; number < lines.size(); ++number) {
        QByteArray bytes = lines.at(number);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.trimmed().isEmpty())
            continue;
        const QString line = QString::fromUtf8(bytes);
        const QStringList fields = line.split(QLatin1Char(','));
        const bool known = fields.size() == 3 && !Catalogue::suffix(fields.at(1)).isEmpty() &&
                           !fields.at(2).isEmpty() && !bytes.contains('\0');
        if (!known) {
            const QString shown = line.size() > 80 ? line.left(80) + QStringLiteral("...") : line;
            //: %1 is the line's number in the file, %2 the line
            result.unreadable << tr("line %1: %2").arg(QString::number(number + 1), shown);
            continue;
        }
        const QString &kind = fields.at(1);
        const QString &name = fields.at(2);
        int found = -1;
        for (int entry = 0; entry < catalogue.size() && found < 0; ++entry) {
            if (catalogue.name(entry) == name && catalogue.kind(entry) == kind)
                found = entry;
        }
        if (found < 0)
            result.missing << name + Catalogue::suffix(kind);
        else if (!result.entries.contains(found))
            result.entries << found;
    }
    return result;
}

bool PackageListFile::load(const QString &path, const CatalogueEntries &catalogue, Import *result,
                           QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    if (file.size() > maximumSize) {
        *why = tr("the file is too large to be a package list");
        return false;
    }
    *result = read(file.read(maximumSize), catalogue);
    return true;
}

QString PackageListFile::Import::describe() const
{
    const int shown = 50;
    const auto list = [shown](const QStringList &items) {
        QString text;
        for (const QString &item : items.mid(0, shown))
            text += QStringLiteral("\n    ") + item;
        if (items.size() > shown)
            text += QStringLiteral("\n    ") + tr("... and %n more", nullptr, items.size() - shown);
        return text;
    };
    QString text = tr("Added %n package(s) to the download list.", nullptr, int(entries.size()));
    if (!missing.isEmpty())
        text += QStringLiteral("\n\n") + tr("Not in the package list:") + list(missing);
    if (!unreadable.isEmpty())
        text += QStringLiteral("\n\n") +
                tr("Lines that could not be read (nothing was added for them):") + list(unreadable);
    return text;
}
