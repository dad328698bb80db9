#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <initializer_list>
#include <iterator>

// One line of the service's catalogue: where the archive is, what kind of package it is and
// the name it is shown and listed under.
struct CatalogueEntry
{
    QString file;
    QString kind;
    QString name;
};

// The catalogue's entries, kept compact: the UTF-8 text they were read from (shared with the
// answer, not copied) and, per entry, where its fields sit in it and its kind. A million lines
// cost the text plus 20 bytes each; the texts are made when asked for.
class CatalogueEntries
{
public:
    CatalogueEntries() = default;
    // From entries made elsewhere (their texts are copied in as UTF-8).
    CatalogueEntries(const QVector<CatalogueEntry> &entries); // NOLINT: a list of entries is one
    CatalogueEntries(std::initializer_list<CatalogueEntry> entries);

    int size() const { return rows.size(); }
    int count() const { return rows.size(); }
    bool isEmpty() const { return rows.isEmpty(); }
    CatalogueEntry at(int index) const { return {file(index), kind(index), name(index)}; }
    CatalogueEntry operator[](int index) const { return at(index); }
    QString file(int index) const;
    QString kind(int index) const;
    QString name(int index) const;
    bool hasName(int index) const { return rows.at(index).nameLength > 0; }
    // The entry's place in PackageKind::all(), or -1 for a kind of no known code.
    int kindIndex(int index) const { return rows.at(index).kind; }

    void append(const CatalogueEntry &entry);
    // Takes `text` in for entries read from it (shared when it is the first); returns where
    // it begins among the kept text, for appendRead().
    int adopt(const QByteArray &from);
    // An entry read from the kept text: the line begins at `start`, its fields have these
    // lengths in bytes (0 for one that is missing) and are each followed by one comma.
    void appendRead(int start, int fileLength, int kindLength, int nameLength);
    // One field's text, as it stands in its line: a byte order mark inside a line is a
    // character of its field.
    static QString fieldText(const char *bytes, int length);
    void clear();
    void reserve(int entries) { rows.reserve(entries); }
    // Takes out the entries from `first` on for which `drop(index)` holds; returns how many.
    template<typename Drop>
    int removeIf(int first, Drop drop)
    {
        int kept = first;
        for (int index = first; index < rows.size(); ++index) {
            if (!drop(index))
                rows[kept++] = rows.at(index);
        }
        const int dropped = rows.size() - kept;
        rows.resize(kept);
        return dropped;
    }

    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = CatalogueEntry;
        using difference_type = int;
        using pointer = void;
        using reference = CatalogueEntry;

        const_iterator(const CatalogueEntries *entries, int index) : all(entries), at(index) {}
        CatalogueEntry operator*() const { return all->at(at); }
        const_iterator &operator++()
        {
            ++at;
            return *this;
        }
        int operator-(const const_iterator &other) const { return at - other.at; }
        bool operator==(const const_iterator &other) const { return at == other.at; }
        bool operator!=(const const_iterator &other) const { return at != other.at; }

    private:
        const CatalogueEntries *all;
        int at;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

private:
    struct Row
    {
        quint32 start = 0;
        quint32 fileLength = 0;
        quint32 kindLength = 0;
        quint32 nameLength = 0;
        qint8 kind = -1;
    };
    QString field(quint32 start, quint32 length) const;

    QByteArray text;
    QVector<Row> rows;
};
