#include "listexchange.h"

#include "installrecovery.h"
#include "packagelistfile.h"
#include "standarddialog.h"

#include <QCoreApplication>
#include <QDir>

void ListExchange::exportList(const QVector<InstalledPackage> &records)
{
    if (PackageListFile::text(records).isEmpty()) {
        StandardDialog::question(QCoreApplication::translate("ListExchange", "Export"),
                                 PackageListFile::nothingToExport(),
                                 {QCoreApplication::translate("ListExchange", "OK")}, 0, 0);
        return;
    }
    const QString path = PackageListFile::withExtension(
        StandardDialog::selectFile(true, {}, QStringLiteral("Export Package List"),
                                   QDir::homePath() + QStringLiteral("/packages.txt"),
                                   QStringLiteral("Package lists (*.txt);;All files (*)")));
    if (path.isEmpty())
        return;
    int written = 0;
    QString why;
    QString text;
    if (PackageListFile::save(path, records, &written, &why))
        text = QStringLiteral("Wrote %1 package(s) to ").arg(written) + path;
    else
        text = QStringLiteral("Could not write ") + path + QStringLiteral(": ") + why;
    InstallRecovery::note(QStringLiteral("Export: ") + text);
    StandardDialog::question(QStringLiteral("Export"), text, {QStringLiteral("OK")}, 0, 0);
}

bool ListExchange::importList(const QVector<CatalogueEntry> &catalogue, QVector<int> *entries,
                              QString *report)
{
    const QString path = StandardDialog::selectFile(
        false, {}, QStringLiteral("Import Package List"), QDir::homePath(),
        QStringLiteral("Package lists (*.txt);;All files (*)"));
    if (path.isEmpty())
        return false;
    PackageListFile::Import result;
    QString why;
    if (!PackageListFile::load(path, catalogue, &result, &why)) {
        StandardDialog::question(QStringLiteral("Import"),
                                 QStringLiteral("Could not read ") + path + QStringLiteral(": ") +
                                     why,
                                 {QStringLiteral("OK")}, 0, 0);
        return false;
    }
    *entries = result.entries;
    *report = result.describe();
    InstallRecovery::note(QStringLiteral("Import of ") + path + QStringLiteral(": ") + *report);
    return true;
}
