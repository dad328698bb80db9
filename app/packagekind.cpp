#include "packagekind.h"

const std::array<PackageKind, 3> &PackageKind::all()
{
    static const std::array<PackageKind, 3> kinds = {{
        {QStringLiteral("mods"), QStringLiteral(" [Mod]"), QStringLiteral("Mod DB"),
         QStringLiteral("Databases/"), true},
        {QStringLiteral("pics"), QStringLiteral(" [Pic Pack]"), QStringLiteral("Picture Pack"),
         QStringLiteral("Pictures/"), false},
        {QStringLiteral("skin"), QStringLiteral(" [Skin]"), QStringLiteral("Skin"),
         QStringLiteral("Skins/"), false},
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
