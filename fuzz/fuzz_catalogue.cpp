// Catalogue parsing: any bytes as the catalogue file. Every item the list shows under any filter
// must lead back to exactly the entry it came from: the name the download list keeps for it is
// the entry's name, and matching that name finds that entry's archive and kind.
#include "catalogue.h"
#include "fuzzsupport.h"

#include <QHash>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    QVector<CatalogueEntry> catalogue;
    const int skipped = Catalogue::parse(bytes, catalogue);
    FuzzSupport::check(skipped >= 0 && catalogue.size() + skipped == bytes.count('\n') + 1,
                       "every line is an entry or left out");

    QHash<QString, int> uses;
    for (const CatalogueEntry &entry : catalogue)
        ++uses[entry.name];

    for (int filter :
         {Catalogue::All, Catalogue::Mods, Catalogue::PicturePacks, Catalogue::Skins}) {
        QStringList shown;
        Catalogue::fill(catalogue, filter, shown);
        // The entries the filter shows, in order.
        QVector<const CatalogueEntry *> sources;
        const QString wanted = filter == Catalogue::Mods           ? QStringLiteral("mods")
                               : filter == Catalogue::PicturePacks ? QStringLiteral("pics")
                               : filter == Catalogue::Skins        ? QStringLiteral("skin")
                                                                   : QString();
        for (const CatalogueEntry &entry : catalogue) {
            const bool kept = filter == Catalogue::All ? !Catalogue::suffix(entry.kind).isEmpty()
                                                       : entry.kind == wanted;
            if (kept && !entry.name.isEmpty())
                sources << &entry;
        }
        FuzzSupport::check(shown.size() == sources.size(), "one shown item per entry shown");
        for (int i = 0; i < shown.size(); ++i) {
            const CatalogueEntry &source = *sources.at(i);
            const QString listed = Catalogue::plainName(shown.at(i));
            FuzzSupport::check(listed == source.name, "the listed name is the entry's name",
                               (shown.at(i) + QStringLiteral(" -> ") + listed).toUtf8());
            // A name the catalogue holds twice cannot tell its entries apart: the download list
            // is kept by name. Unique names must find their own entry.
            if (uses.value(source.name) != 1)
                continue;
            const Catalogue::Batch batch = Catalogue::match(catalogue, {listed});
            FuzzSupport::check(batch.urls == QStringList{source.file} &&
                                   batch.kinds == QStringList{source.kind},
                               "matching the name finds the entry", listed.toUtf8());
        }
    }
    return 0;
}
