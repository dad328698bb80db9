#include "openfolder.h"

#include "tslogging.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

bool openFolder(const QString &folder, QString *why)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(folder));
    if (folder.isEmpty() || !info.isDir()) {
        TsLogging::Log::debug(TsLogging::Channel::strName(),
                              QStringLiteral("Open Folder: no folder ") + folder);
        if (why)
            //: %1 is the folder
            *why =
                QCoreApplication::translate("OpenFolder", "The folder %1 is not there.").arg(shown);
        return false;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        return true;
    TsLogging::Log::debug(TsLogging::Channel::strName(),
                          QStringLiteral("Open Folder: nothing could show ") + folder);
    if (why)
        //: %1 is the folder
        *why = QCoreApplication::translate("OpenFolder",
                                           "Nothing on this computer could show the folder %1. "
                                           "Open it with a file manager yourself.")
                   .arg(shown);
    return false;
}
