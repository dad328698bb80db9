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
