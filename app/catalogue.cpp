#include "catalogue.h"

#include <QStringRef>

namespace {

const QString modKind = QStringLiteral("mods");
const QString picsKind = QStringLiteral("pics");
const QString skinKind = QStringLiteral("skin");
const QString modSuffix = QStringLiteral(" [Mod]");
const QString picsSuffix = QStringLiteral(" [Pic Pack]");
const QString skinSuffix = QStringLiteral(" [Skin]");

} // namespace

int Catalogue::parse(const QByteArray &data, QVector<CatalogueEntry> &catalogue)
{
    const QString text = QString::fromUtf8(data.constData(), data.size()); // NUL bytes included
    int skipped = 0;
    const QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'));
    catalogue.reserve(catalogue.size() + lines.size());
    for (const QStringRef &line : lines) {
        const QVector<QStringRef> parts = line.split(QLatin1Char(','));
        if (parts.size() > 3) {
            ++skipped;
            continue;
        }
        CatalogueEntry entry;
        entry.file = parts.at(0).toString();
        if (parts.size() > 1)
            entry.kind = parts.at(1).toString();
        if (parts.size() > 2) {
            entry.name = parts.at(2).toString();
            entry.name.remove(QLatin1Char('\r'));
        }
        catalogue.append(std::move(entry));
    }
    return skipped;
}

void Catalogue::fill(const QVector<CatalogueEntry> &catalogue, int filter,
                     QStringList &visibleNames)
{
    visibleNames.clear();
    const QString *wanted = nullptr;
    switch (filter) {
    case All:
        visibleNames.reserve(catalogue.size());
        for (const CatalogueEntry &entry : catalogue) {
            const QString tail = suffix(entry.kind);
            if (!tail.isEmpty() && !entry.name.isEmpty())
                visibleNames.append(entry.name + tail);
        }
        return;
    case Mods:
        wanted = &modKind;
        break;
    case PicturePacks:
        wanted = &picsKind;
        break;
    case Skins:
        wanted = &skinKind;
        break;
    default:
        return;
    }
    for (const CatalogueEntry &entry : catalogue) {
        if (entry.kind == *wanted && !entry.name.isEmpty())
            visibleNames.append(entry.name);
    }
}

QString Catalogue::suffix(const QString &kind)
{
    if (kind == modKind)
        return modSuffix;
    if (kind == picsKind)
        return picsSuffix;
    if (kind == skinKind)
        return skinSuffix;
    return {};
}

QString Catalogue::plainName(QString text)
{
    text.remove(modSuffix);
    text.remove(picsSuffix);
    text.remove(skinSuffix);
    text.remove(QLatin1Char('\r'));
    return text;
}

Catalogue::Batch Catalogue::match(const QVector<CatalogueEntry> &catalogue,
                                  const QStringList &names)
{
    Batch batch;
    for (const CatalogueEntry &entry : catalogue) {
        for (const QString &name : names) {
            if (batch.urls.size() == names.size())
                return batch;
            if (entry.name == name) {
                batch.urls.append(entry.file);
                batch.kinds.append(entry.kind);
            }
        }
    }
    return batch;
}
