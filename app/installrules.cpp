#include "installrules.h"

#include "diskroom.h"
#include "failurewords.h"
#include "gamefolder.h"
#include "packagekind.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    return known ? known->shownLabel() : QString();
}

bool InstallRules::hasSaveGames(const QString &kind)
{
    const PackageKind *known = PackageKind::find(kind);
    return known && known->hasSaveGames;
}

QString InstallRules::tooLongComplaint()
{
    return QCoreApplication::translate("InstallRules",
                                       "Folder Name can't be longer than 24 characters");
}

QString InstallRules::illegalCharactersComplaint()
{
    return QCoreApplication::translate(
        "InstallRules",
        "Folder Name can't contain illegal characters '<' '>' ':' '\"' '/' '\\' '|' '?' '*'");
}

QString InstallRules::controlCharactersComplaint()
{
    return QCoreApplication::translate("InstallRules",
                                       "Folder Name can't contain control characters");
}

QString InstallRules::trailingComplaint()
{
    return QCoreApplication::translate("InstallRules",
                                       "Folder Name can't end with a blank or a dot");
}

QString InstallRules::onlyDotsComplaint()
{
    return QCoreApplication::translate("InstallRules",
                                       "Folder Name needs more than dots and blanks");
}

QString InstallRules::reservedComplaint(const QString &device)
{
    return QCoreApplication::translate("InstallRules", "'%1' is a name Windows keeps for itself")
        .arg(device);
}

QString InstallRules::reservedDevice(const QString &name)
{
    // Windows reads a device in the part before the first dot, blanks at its end ignored.
    QString device = name.section(QLatin1Char('.'), 0, 0);
    while (device.endsWith(QLatin1Char(' ')))
        device.chop(1);
    static const QRegularExpression reserved(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
        QRegularExpression::CaseInsensitiveOption);
    return reserved.match(device).hasMatch() ? device : QString();
}

namespace {

// The nearest folder above `candidate` that exists: the one that refused it.
QString nearestExisting(const QString &candidate)
{
    QString existing = QFileInfo(candidate).absolutePath();
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    return existing;
}

} // namespace

WordedText InstallRules::creationRefusal(const QString &candidate)
{
    const QFileInfo info(candidate);
    const QString existing = nearestExisting(candidate);
    const QFileInfo parent(existing);
    if (info.exists() || info.isSymLink() || !parent.isDir())
        return {};
    const DiskRoom::Problem problem = DiskRoom::problem(existing);
    if (problem != DiskRoom::Problem::None)
        return {FailureWords::diskProblem(problem, existing, Wording::Log),
                FailureWords::diskProblem(problem, existing)};
    if (parent.isWritable())
        return {};
    //: %1 is the folder
    return wordedText("InstallRules",
                      QT_TRANSLATE_NOOP("InstallRules", "no folder can be made: there is no "
                                                        "permission to write in %1"))
        .arg(QDir::toNativeSeparators(existing));
}

QString InstallRules::creationComplaint(const QString &candidate)
{
    const QFileInfo info(candidate);
    if (info.exists() || info.isSymLink())
        return QCoreApplication::translate(
            "InstallRules", "Could not create folder: a file of that name is in the way. Choose "
                            "another name.");
    const QString existing = nearestExisting(candidate);
    const QFileInfo parent(existing);
    if (!parent.isDir())
        return QCoreApplication::translate(
                   "InstallRules",
                   "Could not create folder: a file named %1 is in the way. Choose another name.")
            .arg(parent.fileName());
    // No other name helps on a disk that is read-only or has no room.
    const DiskRoom::Problem problem = DiskRoom::problem(existing);
    if (problem != DiskRoom::Problem::None)
        return QCoreApplication::translate("InstallRules", "Could not create folder: %1.")
            .arg(FailureWords::diskProblem(problem, existing));
    if (!parent.isWritable())
        return QCoreApplication::translate(
                   "InstallRules",
                   "Could not create folder: no permission to write in %1. Choose another name.")
            .arg(QDir::toNativeSeparators(existing));
    return QCoreApplication::translate(
        "InstallRules", "Could not create folder: the system refused it. Choose another name.");
}

QString InstallRules::suggestedFolderName(const QString &packageName)
{
    QString name;
    for (const QChar c : packageName) {
        if (!illegalCharacters().contains(c) && c.isPrint())
            name += c;
    }
    name = name.simplified().left(maximumNameLength);
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        name.chop(1);
    // "Con" is no folder name on Windows; "Con 1" is.
    if (!reservedDevice(name).isEmpty())
        name = name.left(maximumNameLength - 2) + QStringLiteral(" 1");
    return name;
}

QString InstallRules::illegalCharacters()
{
    return QStringLiteral("<>:\"/\\|?*");
}

QString InstallRules::nameComplaint(const QString &name)
{
    QStringList complaints;
    if (name.size() > maximumNameLength)
        complaints << tooLongComplaint();
    const QString illegal = illegalCharacters();
    if (std::any_of(name.cbegin(), name.cend(),
                    [&illegal](QChar c) { return illegal.contains(c); }))
        complaints << illegalCharactersComplaint();
    if (std::any_of(name.cbegin(), name.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        complaints << controlCharactersComplaint();
    const bool onlyDots = !name.isEmpty() && std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == QLatin1Char('.') || c == QLatin1Char(' ');
    });
    if (onlyDots)
        complaints << onlyDotsComplaint();
    else if (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        complaints << trailingComplaint();
    const QString device = reservedDevice(name);
    if (!device.isEmpty())
        complaints << reservedComplaint(device);
    if (complaints.isEmpty())
        return QString();
    return complaints.join(QCoreApplication::translate("InstallRules", " and ")) + QLatin1Char('.');
}
