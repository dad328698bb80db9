#include "listexchange.h"

#include "installrecovery.h"
#include "packagelistfile.h"
#include "standarddialog.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString listFilter()
{
    return QCoreApplication::translate("ListExchange", "Package lists (*.txt);;All files (*)");
}

} // namespace

void ListExchange::exportList(const QVector<InstalledPackage> &records)
{
    if (PackageListFile::text(records).isEmpty()) {
        StandardDialog::question(QCoreApplication::translate("ListExchange", "Export"),
                                 PackageListFile::nothingToExport(),
                                 {QCoreApplication::translate("ListExchange", "OK")}, 0, 0);
        return;
    }
    const QString path = PackageListFile::withExtension(StandardDialog::selectFile(
        true, {}, QCoreApplication::translate("ListExchange", "Export Package List"),
        QDir::homePath() + QStringLiteral("/packages.txt"), listFilter()));
    if (path.isEmpty())
        return;
    int written = 0;
    QString why;
    QString text;
    if (PackageListFile::save(path, records, &written, &why)) {
        InstallRecovery::note(QStringLiteral("Export: wrote %1 to ").arg(written) + path);
        //: %1 is the file
        text = QCoreApplication::translate("ListExchange", "Wrote %n package(s) to %1.", nullptr,
                                           written)
                   .arg(path);
    } else {
        InstallRecovery::note(QStringLiteral("Export: could not write ") + path +
                              QStringLiteral(": ") + why);
        //: %1 is the file, %2 why
        text = QCoreApplication::translate("ListExchange", "Could not write %1: %2").arg(path, why);
    }
    StandardDialog::question(QCoreApplication::translate("ListExchange", "Export"), text,
                             {QCoreApplication::translate("ListExchange", "OK")}, 0, 0);
}

bool ListExchange::importList(const QVector<CatalogueEntry> &catalogue, QVector<int> *entries,
                              QString *report)
{
    const QString path = StandardDialog::selectFile(
        false, {}, QCoreApplication::translate("ListExchange", "Import Package List"),
        QDir::homePath(), listFilter());
    if (path.isEmpty())
        return false;
    PackageListFile::Import result;
    QString why;
    if (!PackageListFile::load(path, catalogue, &result, &why)) {
        InstallRecovery::note(QStringLiteral("Import: could not read ") + path +
                              QStringLiteral(": ") + why);
        //: %1 is the file, %2 why
        StandardDialog::question(
            QCoreApplication::translate("ListExchange", "Import"),
            QCoreApplication::translate("ListExchange", "Could not read %1: %2").arg(path, why),
            {QCoreApplication::translate("ListExchange", "OK")}, 0, 0);
        return false;
    }
    *entries = result.entries;
    *report = result.describe();
    InstallRecovery::note(QStringLiteral("Import of ") + path + QStringLiteral(": ") + *report);
    return true;
}
