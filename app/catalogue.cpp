#include "catalogue.h"

#include "packagekind.h"
#include "serviceendpoints.h"

#include <QUrl>

#include <QStringRef>
#include <QTextCodec>

#include <algorithm>
#include <cstring>
#include <type_traits>

// One repo_filter choice per kind, after "All", in the order of the kinds' table.
static_assert(Catalogue::Skins - Catalogue::Mods + 1 ==
                  std::tuple_size<std::decay_t<decltype(PackageKind::all())>>::value,
              "a filter choice for every kind");

namespace {

// Reads one line (without its line feed) into `entry`; false when it cannot be read.
bool readLine(QTextCodec *utf8, const char *bytes, int length, CatalogueEntry *entry)
{
    const int body = length > 0 && bytes[length - 1] == '\r' ? length - 1 : length;
    if (memchr(bytes, '\0', size_t(length)) || memchr(bytes, '\r', size_t(body)))
        return false;
    QTextCodec::ConverterState state;
    const QString line = utf8->toUnicode(bytes, length, &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return false;
    const QVector<QStringRef> parts = line.splitRef(QLatin1Char(','));
    if (parts.size() > 3)
        return false;
    entry->file = parts.at(0).toString();
    if (parts.size() > 1) {
        // A known kind shares the kinds' own text: a large catalogue repeats it on every line.
        const auto &kinds = PackageKind::all();
        const auto known = std::find_if(kinds.cbegin(), kinds.cend(), [&](const PackageKind &kind) {
            return parts.at(1) == kind.code;
        });
        entry->kind = known != kinds.cend() ? known->code : parts.at(1).toString();
    }
    if (parts.size() > 2) {
        entry->name = parts.at(2).toString();
        entry->name.remove(QLatin1Char('\r'));
    }
    return true;
}

// Calls `take` with each line's entry, in file order, until it returns false; returns the number
// of lines that could not be read.
template<typename Take>
int readLines(const QByteArray &data, Take take)
{
    // Line by line, so that one bad line (a NUL, bytes that are not UTF-8, a carriage return
    // inside the line) costs that line alone.
    QTextCodec *utf8 = QTextCodec::codecForMib(106);
    int skipped = 0;
    int start = 0;
    while (start <= data.size()) {
        int end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        CatalogueEntry entry;
        const bool read = readLine(utf8, data.constData() + start, end - start, &entry);
        start = end + 1;
        if (!read)
            ++skipped;
        else if (!take(std::move(entry)))
            break;
    }
    return skipped;
}

} // namespace

int Catalogue::parse(const QByteArray &data, QVector<CatalogueEntry> &catalogue)
{
    catalogue.reserve(catalogue.size() + data.count('\n') + 1);
    return readLines(data, [&catalogue](CatalogueEntry &&entry) {
        catalogue.append(std::move(entry));
        return true;
    });
}

int Catalogue::dropNonWeb(QVector<CatalogueEntry> &catalogue, int first)
{
    const auto notWeb = [](const CatalogueEntry &entry) {
        const bool blank = entry.file.isEmpty() && entry.kind.isEmpty() && entry.name.isEmpty();
        return !blank && !ServiceEndpoints::isWebUrl(QUrl(entry.file));
    };
    const auto kept = std::remove_if(catalogue.begin() + first, catalogue.end(), notWeb);
    const int dropped = int(catalogue.end() - kept);
    catalogue.erase(kept, catalogue.end());
    return dropped;
}

bool Catalogue::isCatalogue(const QByteArray &data)
{
    // Read up to the first entry the lists can show, not the whole answer.
    bool found = false;
    readLines(data, [&found](CatalogueEntry &&entry) {
        found = !entry.name.isEmpty() && !suffix(entry.kind).isEmpty();
        return !found;
    });
    return found;
}

void Catalogue::fill(const QVector<CatalogueEntry> &catalogue, int filter,
                     QStringList &visibleNames, QVector<int> *entries)
{
    visibleNames.clear();
    if (entries)
        entries->clear();
    if (filter == All) {
        visibleNames.reserve(catalogue.size());
        for (int index = 0; index < catalogue.size(); ++index) {
            const CatalogueEntry &entry = catalogue.at(index);
            const QString tail = suffix(entry.kind);
            if (!tail.isEmpty() && !entry.name.isEmpty()) {
                visibleNames.append(entry.name + tail);
                if (entries)
                    entries->append(index);
            }
        }
        return;
    }
    if (filter < Mods || filter > Skins)
        return;
    const QString &wanted = PackageKind::all()[std::size_t(filter - Mods)].code;
    for (int index = 0; index < catalogue.size(); ++index) {
        const CatalogueEntry &entry = catalogue.at(index);
        if (entry.kind == wanted && !entry.name.isEmpty()) {
            visibleNames.append(entry.name);
            if (entries)
                entries->append(index);
        }
    }
}

QString Catalogue::suffix(const QString &kind, Wording wording)
{
    const PackageKind *known = PackageKind::find(kind);
    if (!known)
        return QString();
    return wording == Wording::Player ? known->shownSuffix() : QString::fromUtf8(known->listSuffix);
}

QString Catalogue::plainName(QString text)
{
    for (const PackageKind &kind : PackageKind::all()) {
        text.remove(kind.shownSuffix());
        text.remove(QString::fromUtf8(kind.listSuffix));
    }
    text.remove(QLatin1Char('\r'));
    return text;
}

Catalogue::Batch Catalogue::batchOf(const QVector<CatalogueEntry> &catalogue, QVector<int> entries)
{
    // Catalogue order, each entry once.
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    Batch batch;
    for (const int index : qAsConst(entries)) {
        if (index < 0 || index >= catalogue.size())
            continue;
        batch.urls.append(catalogue.at(index).file);
        batch.kinds.append(catalogue.at(index).kind);
        batch.entries.append(index);
    }
    return batch;
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
                batch.entries.append(int(&entry - catalogue.constData()));
            }
        }
    }
    return batch;
}
