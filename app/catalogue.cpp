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

// Where one line's fields sit: byte lengths, 0 for one that is missing.
struct Fields
{
    int start = 0;
    int file = 0;
    int kind = 0;
    int name = 0;
};

bool isUtf8(QTextCodec *utf8, const char *bytes, int length)
{
    if (std::all_of(bytes, bytes + length, [](char byte) { return uchar(byte) < 0x80; }))
        return true;
    QTextCodec::ConverterState state;
    utf8->toUnicode(bytes, length, &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// Reads where the fields of one line (without its line feed) sit; false when it cannot be read.
bool readLine(QTextCodec *utf8, const char *bytes, int length, Fields *fields)
{
    const int body = length > 0 && bytes[length - 1] == '\r' ? length - 1 : length;
    if (memchr(bytes, '\0', size_t(length)) || memchr(bytes, '\r', size_t(body)) ||
        !isUtf8(utf8, bytes, length))
        return false;
    // A byte order mark opens no field.
    const int mark = length >= 3 && memcmp(bytes, "\xef\xbb\xbf", 3) == 0 ? 3 : 0;
    const char *end = bytes + length;
    const char *at = bytes + mark;
    const char *comma1 = static_cast<const char *>(memchr(at, ',', size_t(end - at)));
    const char *comma2 =
        comma1 ? static_cast<const char *>(memchr(comma1 + 1, ',', size_t(end - comma1 - 1)))
               : nullptr;
    if (comma2 && memchr(comma2 + 1, ',', size_t(end - comma2 - 1)))
        return false;
    fields->start += mark;
    fields->file = int((comma1 ? comma1 : end) - at);
    if (comma1)
        fields->kind = int((comma2 ? comma2 : end) - comma1 - 1);
    // The name ends before the carriage return of the line's end.
    if (comma2)
        fields->name = int(bytes + body - comma2 - 1);
    return true;
}

// Calls `take` with each line's fields, in file order, until it returns false; returns the
// number of lines that could not be read.
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
        Fields fields;
        fields.start = start;
        const bool read = readLine(utf8, data.constData() + start, end - start, &fields);
        start = end + 1;
        if (!read)
            ++skipped;
        else if (!take(fields))
            break;
    }
    return skipped;
}

} // namespace

int Catalogue::parse(const QByteArray &data, CatalogueEntries &catalogue)
{
    catalogue.reserve(catalogue.size() + data.count('\n') + 1);
    const int base = catalogue.adopt(data);
    return readLines(data, [&catalogue, base](const Fields &fields) {
        catalogue.appendRead(base + fields.start, fields.file, fields.kind, fields.name);
        return true;
    });
}

int Catalogue::dropNonWeb(CatalogueEntries &catalogue, int first)
{
    return catalogue.removeIf(first, [&catalogue](int index) {
        const bool blank = catalogue.file(index).isEmpty() && catalogue.kind(index).isEmpty() &&
                           !catalogue.hasName(index);
        return !blank && !ServiceEndpoints::isWebUrl(QUrl(catalogue.file(index)));
    });
}

bool Catalogue::isCatalogue(const QByteArray &data)
{
    // Read up to the first entry the lists can show, not the whole answer.
    bool found = false;
    readLines(data, [&found, &data](const Fields &fields) {
        const QString kind = CatalogueEntries::fieldText(
            data.constData() + fields.start + fields.file + 1, fields.kind);
        found = fields.name > 0 && fields.kind > 0 && !suffix(kind).isEmpty();
        return !found;
    });
    return found;
}

QVector<int> Catalogue::rows(const CatalogueEntries &catalogue, int filter)
{
    QVector<int> shown;
    if (filter < All || filter > Skins)
        return shown;
    // Under All every known kind, under the others the one kind; never a line without a name.
    const int wanted = filter == All ? -1 : filter - Mods;
    for (int index = 0; index < catalogue.size(); ++index) {
        const int kind = catalogue.kindIndex(index);
        if (kind >= 0 && (wanted < 0 || kind == wanted) && catalogue.hasName(index))
            shown.append(index);
    }
    shown.squeeze();
    return shown;
}

QString Catalogue::shownText(const CatalogueEntries &catalogue, int filter, int index)
{
    return filter == All ? catalogue.name(index) + suffix(catalogue.kind(index))
                         : catalogue.name(index);
}

void Catalogue::fill(const CatalogueEntries &catalogue, int filter, QStringList &visibleNames,
                     QVector<int> *entries)
{
    const QVector<int> shown = rows(catalogue, filter);
    visibleNames.clear();
    visibleNames.reserve(shown.size());
    for (const int index : shown)
        visibleNames.append(shownText(catalogue, filter, index));
    if (entries)
        *entries = shown;
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

Catalogue::Batch Catalogue::batchOf(const CatalogueEntries &catalogue, QVector<int> entries)
{
    // Catalogue order, each entry once.
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    Batch batch;
    for (const int index : qAsConst(entries)) {
        if (index < 0 || index >= catalogue.size())
            continue;
        batch.urls.append(catalogue.file(index));
        batch.kinds.append(catalogue.kind(index));
        batch.entries.append(index);
    }
    return batch;
}

Catalogue::Batch Catalogue::match(const CatalogueEntries &catalogue, const QStringList &names)
{
    Batch batch;
    for (int index = 0; index < catalogue.size(); ++index) {
        const QString entryName = catalogue.name(index);
        for (const QString &name : names) {
            if (batch.urls.size() == names.size())
                return batch;
            if (entryName == name) {
                batch.urls.append(catalogue.file(index));
                batch.kinds.append(catalogue.kind(index));
                batch.entries.append(index);
            }
        }
    }
    return batch;
}
