#include "installrules.h"

#include <algorithm>

QString InstallRules::destination(const QString &kind)
{
    if (kind == QLatin1String("mods"))
        return QStringLiteral("Databases/");
    if (kind == QLatin1String("pics"))
        return QStringLiteral("Pictures/");
    if (kind == QLatin1String("skin"))
        return QStringLiteral("Skins/");
    return {};
}

QString InstallRules::label(const QString &kind)
{
    if (kind == QLatin1String("mods"))
        return QStringLiteral("Mod DB");
    if (kind == QLatin1String("pics"))
        return QStringLiteral("Picture Pack");
    if (kind == QLatin1String("skin"))
        return QStringLiteral("Skin");
    return {};
}

bool InstallRules::hasSaveGames(const QString &kind)
{
    return kind == QLatin1String("mods");
}

QString InstallRules::tooLongComplaint()
{
    return QStringLiteral("Folder Name can't be longer than 24 characters");
}

QString InstallRules::illegalCharactersComplaint()
{
    return QStringLiteral(
        "Folder Name can't contain illegal characters '<' '>' ':' '' '/' '\\' '|'");
}

QString InstallRules::creationComplaint()
{
    return QStringLiteral("Could not create folder. Try again.");
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
