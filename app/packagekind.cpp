#include "packagekind.h"

#include <QCoreApplication>

const std::array<PackageKind, 3> &PackageKind::all()
{
    static const std::array<PackageKind, 3> kinds = {{
        {QStringLiteral("mods"), QT_TRANSLATE_NOOP("PackageKind", " [Mod]"),
         QT_TRANSLATE_NOOP("PackageKind", "Mod DB"), QStringLiteral("Databases/"), true},
        {QStringLiteral("pics"), QT_TRANSLATE_NOOP("PackageKind", " [Pic Pack]"),
         QT_TRANSLATE_NOOP("PackageKind", "Picture Pack"), QStringLiteral("Pictures/"), false},
        {QStringLiteral("skin"), QT_TRANSLATE_NOOP("PackageKind", " [Skin]"),
         QT_TRANSLATE_NOOP("PackageKind", "Skin"), QStringLiteral("Skins/"), false},
    }};
    return kinds;
}

const PackageKind *PackageKind::find(const QString &code)
{
    for (const PackageKind &kind : all()) {
        if (kind.code == code)
            return &kind;
    }
    return nullptr;
}

QString PackageKind::shownSuffix() const
{
    return QCoreApplication::translate("PackageKind", listSuffix);
}

QString PackageKind::shownLabel() const
{
    return QCoreApplication::translate("PackageKind", label);
}

bool PackageKind::endsName(const QString &name) const
{
    // " [Pic Pack]" gives "Pic Pack".
    const auto inBrackets = [](const QString &suffix) {
        return QString(suffix).remove(QLatin1Char('[')).remove(QLatin1Char(']')).trimmed();
    };
    const QString words[] = {QString::fromLatin1(label), shownLabel(),
                             inBrackets(QString::fromLatin1(listSuffix)),
                             inBrackets(shownSuffix())};
    for (const QString &word : words) {
        const int before = int(name.size() - word.size()) - 1;
        if (!word.isEmpty() && name.endsWith(word, Qt::CaseInsensitive) &&
            (before < 0 || !name.at(before).isLetterOrNumber()))
            return true;
    }
    return false;
}
