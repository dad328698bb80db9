#include "openfolder.h"

#include "tslogging.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

bool openFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir()) {
        TsLogging::Log::debug(TsLogging::Channel::strName(),
                              QStringLiteral("Open Folder: no folder ") + folder);
        return false;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        return true;
    TsLogging::Log::debug(TsLogging::Channel::strName(),
                          QStringLiteral("Open Folder: nothing could show ") + folder);
    return false;
}
