#include "installrules.h"

#include "gamefolder.h"
#include "packagekind.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

QString InstallRules::destination(const QString &kind)
{
    const PackageKind *known = PackageKind::find(kind);
    return known ? known->destination : QString();
}

QString InstallRules::destinationIn(const QString &gameFolder, const QString &kind)
{
    const QString folder = destination(kind);
    return folder.isEmpty() ? folder : GameFolder::subFolder(gameFolder, folder);
}

QString InstallRules::label(const QString &kind)
{
    const PackageKind *known = PackageKind::find(kind);
    return known ? known->label : QString();
}

bool InstallRules::hasSaveGames(const QString &kind)
{
    const PackageKind *known = PackageKind::find(kind);
    return known && known->hasSaveGames;
}

QString InstallRules::tooLongComplaint()
{
    return QStringLiteral("Folder Name can't be longer than 24 characters");
}

QString InstallRules::illegalCharactersComplaint()
{
    return QStringLiteral(
        "Folder Name can't contain illegal characters '<' '>' ':' '\"' '/' '\\' '|'");
}

QString InstallRules::creationComplaint()
{
    return QStringLiteral("Could not create folder. Try again.");
}

QString InstallRules::creationComplaint(const QString &candidate)
{
    const QFileInfo info(candidate);
    QString reason;
    if (info.exists() || info.isSymLink()) {
        reason = QStringLiteral("a file of that name is in the way");
    } else {
        // The nearest folder that exists is the one that refused.
        QString existing = info.absolutePath();
        while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
            existing = QFileInfo(existing).path();
        const QFileInfo parent(existing);
        if (!parent.isDir())
            reason = QStringLiteral("a file named ") + parent.fileName() +
                     QStringLiteral(" is in the way");
        else if (!parent.isWritable())
            reason =
                QStringLiteral("no permission to write in ") + QDir::toNativeSeparators(existing);
        else if (QStorageInfo(existing).bytesAvailable() == 0)
            reason = QStringLiteral("the disk is full");
        else
            reason = QStringLiteral("the system refused it");
    }
    return QStringLiteral("Could not create folder: ") + reason +
           QStringLiteral(". Choose another name.");
}

QString InstallRules::suggestedFolderName(const QString &packageName)
{
    static const QString illegal = QStringLiteral("<>:\"/\\|");
    QString name;
    for (const QChar c : packageName) {
        if (!illegal.contains(c) && c.isPrint())
            name += c;
    }
    name = name.simplified().left(maximumNameLength);
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

QString InstallRules::nameComplaint(const QString &name)
{
    QString complaint;
    if (name.size() > maximumNameLength)
        complaint = tooLongComplaint();
    static const QString illegal = QStringLiteral("<>:\"/\\|");
    const bool hasIllegal =
        std::any_of(name.cbegin(), name.cend(), [](QChar c) { return illegal.contains(c); }) ||
        name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.'));
    if (hasIllegal) {
        if (!complaint.isEmpty())
            complaint += QStringLiteral(" and ");
        complaint += illegalCharactersComplaint();
    }
    if (!complaint.isEmpty())
        complaint += QLatin1Char('.');
    return complaint;
}
