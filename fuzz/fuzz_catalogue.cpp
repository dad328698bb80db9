// Catalogue parsing: any bytes as the catalogue file. Every item the list shows under any filter
// must lead back to exactly the entry it came from: it shows that entry's name, and queuing it
// queues that entry's archive and kind, whatever the other lines hold.
#include "catalogue.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    CatalogueEntries catalogue;
    const int skipped = Catalogue::parse(bytes, catalogue);
    FuzzSupport::check(skipped >= 0 && catalogue.size() + skipped == bytes.count('\n') + 1,
                       "every line is an entry or left out");

    for (int filter :
         {Catalogue::All, Catalogue::Mods, Catalogue::PicturePacks, Catalogue::Skins}) {
        QStringList shown;
        QVector<int> indices;
        Catalogue::fill(catalogue, filter, shown, &indices);
        // The entries the filter shows, in order.
        const QString wanted = filter == Catalogue::Mods           ? QStringLiteral("mods")
                               : filter == Catalogue::PicturePacks ? QStringLiteral("pics")
                               : filter == Catalogue::Skins        ? QStringLiteral("skin")
                                                                   : QString();
        QVector<int> sources;
        for (int i = 0; i < catalogue.size(); ++i) {
            const CatalogueEntry &entry = catalogue.at(i);
            const bool kept = filter == Catalogue::All ? !Catalogue::suffix(entry.kind).isEmpty()
                                                       : entry.kind == wanted;
            if (kept && !entry.name.isEmpty())
                sources << i;
        }
        FuzzSupport::check(indices == sources && shown.size() == sources.size(),
                           "one shown item per entry shown, in catalogue order");
        for (int i = 0; i < shown.size(); ++i) {
            const CatalogueEntry &source = catalogue.at(sources.at(i));
            const QString text =
                source.name +
                (filter == Catalogue::All ? Catalogue::suffix(source.kind) : QString());
            FuzzSupport::check(shown.at(i) == text, "the item shows its entry",
                               shown.at(i).toUtf8());
            // Queuing the item queues exactly its own archive and kind.
            const Catalogue::Batch batch = Catalogue::batchOf(catalogue, {sources.at(i)});
            FuzzSupport::check(batch.urls == QStringList{source.file} &&
                                   batch.kinds == QStringList{source.kind} &&
                                   batch.entries == QVector<int>{sources.at(i)},
                               "the item queues its own entry", text.toUtf8());
        }
    }
    return 0;
}
