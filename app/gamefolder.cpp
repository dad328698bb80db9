#include "gamefolder.h"

#include "standarddialog.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QStringList installPaths{QStringLiteral("Program Files (x86)/GDS/TEW2016/TEW2016.exe"),
                               QStringLiteral("Program Files/GDS/TEW2016/TEW2016.exe")};

void addPrefix(QStringList &paths, QString prefix)
{
    prefix = QDir::cleanPath(QDir::fromNativeSeparators(prefix));
    for (const QString &path : installPaths)
        paths.append(prefix + QStringLiteral("/drive_c/") + path);
}

QString ask(const QString &title)
{
    return StandardDialog::selectFile(false, {}, title, QStringLiteral("C://"),
                                      QStringLiteral("TEW2016.exe (TEW2016.exe)"));
}

} // namespace

QStringList GameFolder::defaultExecutables()
{
    QStringList paths;
    for (const QString &path : installPaths)
        paths.append(QStringLiteral("C:/") + path);
    const QString winePrefix = qEnvironmentVariable("WINEPREFIX");
    if (!winePrefix.isEmpty())
        addPrefix(paths, winePrefix);
    addPrefix(paths, QDir::homePath() + QStringLiteral("/.wine"));
    return paths;
}

QString GameFolder::folderOf(const QString &executable)
{
    if (!executable.contains(executableName()))
        return {};
    return QString(executable).remove(executableName());
}

QString GameFolder::findInstalled()
{
    for (const QString &path : defaultExecutables()) {
        if (QFileInfo(path).isFile())
            return folderOf(path);
    }
    return {};
}

QString GameFolder::locate()
{
    const QString installed = findInstalled();
    if (!installed.isEmpty())
        return installed;
    QString chosen = ask(firstPromptTitle());
    if (chosen.isEmpty())
        chosen = ask(secondPromptTitle());
    return folderOf(chosen);
}
