#include "listexchange.h"

#include "installrecovery.h"
#include "packagelistfile.h"
#include "standarddialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString listFilter()
{
    return QCoreApplication::translate("ListExchange", "Package lists (*.txt);;All files (*)");
}

// The folder of the list last exported or imported in this run.
QString &lastFolder()
{
    static QString folder;
    return folder;
}

// Where the choosers open: the last folder used while it is there, else the home folder (never
// the working folder, which is the program's own when started from a menu).
QString startFolder()
{
    return !lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir() ? lastFolder()
                                                                      : QDir::homePath();
}

void rememberFolder(const QString &path)
{
    if (!path.isEmpty())
        lastFolder() = QFileInfo(path).absolutePath();
}

} // namespace

void ListExchange::exportList(const QVector<InstalledPackage> &records)
{
    if (PackageListFile::text(records).isEmpty()) {
        StandardDialog::question(QCoreApplication::translate("ListExchange", "Export"),
                                 PackageListFile::nothingToExport(),
                                 {QCoreApplication::translate("ListExchange", "OK")}, 0, 0,
                                 QMessageBox::Information);
        return;
    }
    const QString path = PackageListFile::withExtension(StandardDialog::selectFile(
        true, {}, QCoreApplication::translate("ListExchange", "Export the Installed Packages"),
        startFolder() + QStringLiteral("/packages.txt"), listFilter()));
    if (path.isEmpty())
        return;
    rememberFolder(path);
    int written = 0;
    QString why;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
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
        icon = QMessageBox::Critical;
    }
    StandardDialog::question(QCoreApplication::translate("ListExchange", "Export"), text,
                             {QCoreApplication::translate("ListExchange", "OK")}, 0, 0, icon);
}

bool ListExchange::importList(const CatalogueEntries &catalogue, QVector<int> *entries,
                              QString *report)
{
    const QString path = StandardDialog::selectFile(
        false, {}, QCoreApplication::translate("ListExchange", "Import Package List"),
        startFolder(), listFilter());
    if (path.isEmpty())
        return false;
    rememberFolder(path);
    PackageListFile::Import result;
    QString why;
    if (!PackageListFile::load(path, catalogue, &result, &why)) {
        InstallRecovery::note(QStringLiteral("Import: could not read ") + path +
                              QStringLiteral(": ") + why);
        //: %1 is the file, %2 why
        StandardDialog::question(
            QCoreApplication::translate("ListExchange", "Import"),
            QCoreApplication::translate("ListExchange", "Could not read %1: %2").arg(path, why),
            {QCoreApplication::translate("ListExchange", "OK")}, 0, 0, QMessageBox::Critical);
        return false;
    }
    *entries = result.entries;
    *report = result.describe();
    InstallRecovery::note(QStringLiteral("Import of ") + path + QStringLiteral(": ") + *report);
    return true;
}
