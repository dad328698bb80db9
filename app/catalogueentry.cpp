#include "catalogueentry.h"

#include "packagekind.h"

#include <QTextCodec>

#include <cstring>

namespace {

int kindOf(const char *code, int length)
{
    const auto &kinds = PackageKind::all();
    for (std::size_t index = 0; index < kinds.size(); ++index) {
        if (kinds[index].code == QLatin1String(code, length))
            return int(index);
    }
    return -1;
}

} // namespace

CatalogueEntries::CatalogueEntries(const QVector<CatalogueEntry> &entries)
{
    rows.reserve(entries.size());
    for (const CatalogueEntry &entry : entries)
        append(entry);
}

CatalogueEntries::CatalogueEntries(std::initializer_list<CatalogueEntry> entries)
{
    for (const CatalogueEntry &entry : entries)
        append(entry);
}

QString CatalogueEntries::fieldText(const char *bytes, int length)
{
    if (length < 3 || memcmp(bytes, "\xef\xbb\xbf", 3) != 0)
        return QString::fromUtf8(bytes, length);
    // QString::fromUtf8 drops a mark that opens the bytes it is given.
    static QTextCodec *const utf8 = QTextCodec::codecForMib(106);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return utf8->toUnicode(bytes, length, &state);
}

QString CatalogueEntries::field(quint32 start, quint32 length) const
{
    return length == 0 ? QString() : fieldText(text.constData() + start, int(length));
}

QString CatalogueEntries::file(int index) const
{
    const Row &row = rows.at(index);
    return field(row.start, row.fileLength);
}

QString CatalogueEntries::kind(int index) const
{
    const Row &row = rows.at(index);
    // A known kind shares the kinds' own text: a large catalogue repeats it on every line.
    if (row.kind >= 0)
        return PackageKind::all()[std::size_t(row.kind)].code;
    return field(row.start + row.fileLength + 1, row.kindLength);
}

QString CatalogueEntries::name(int index) const
{
    const Row &row = rows.at(index);
    return field(row.start + row.fileLength + row.kindLength + 2, row.nameLength);
}

void CatalogueEntries::append(const CatalogueEntry &entry)
{
    const QByteArray file = entry.file.toUtf8();
    const QByteArray kind = entry.kind.toUtf8();
    const QByteArray name = entry.name.toUtf8();
    const int start = text.size();
    text += file + ',' + kind + ',' + name;
    appendRead(start, file.size(), kind.size(), name.size());
}

int CatalogueEntries::adopt(const QByteArray &from)
{
    // The first text is shared; a later one is added behind it.
    if (text.isEmpty()) {
        text = from;
        return 0;
    }
    const int start = text.size();
    text += from;
    return start;
}

void CatalogueEntries::appendRead(int start, int fileLength, int kindLength, int nameLength)
{
    Row row;
    row.start = quint32(start);
    row.fileLength = quint32(fileLength);
    row.kindLength = quint32(kindLength);
    row.nameLength = quint32(nameLength);
    row.kind =
        qint8(kindLength > 0 ? kindOf(text.constData() + start + fileLength + 1, kindLength) : -1);
    rows.append(row);
}

void CatalogueEntries::clear()
{
    text.clear();
    rows.clear();
}
