#include "catalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(CatalogueEntry)

namespace {

QString describe(const CatalogueEntry &entry)
{
    return entry.file + QLatin1Char('|') + entry.kind + QLatin1Char('|') + entry.name;
}

QStringList describe(const CatalogueEntries &entries)
{
    QStringList texts;
    for (const CatalogueEntry &entry : entries)
        texts << describe(entry);
    return texts;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void match_data();
    void match();
};

void TestCatalogue::parse_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("skipped");

    QTest::newRow("two lines") << QByteArray("http://h/a.zip,mods,Alpha\nhttp://h/b.zip,skin,Beta")
                               << QStringList{"http://h/a.zip|mods|Alpha",
                                              "http://h/b.zip|skin|Beta"}
                               << 0;
    QTest::newRow("crlf lines") << QByteArray("u1,pics,One\r\nu2,mods,Two\r\n")
                                << QStringList{"u1|pics|One", "u2|mods|Two", "||"} << 0;
    QTest::newRow("trailing line feed adds an empty entry")
        << QByteArray("u,mods,A\n") << QStringList{"u|mods|A", "||"} << 0;
    QTest::newRow("short lines keep their carriage return")
        << QByteArray("u,mods\r\nv\n") << QStringList{"u|mods\r|", "v||", "||"} << 0;
    QTest::newRow("empty fields count") << QByteArray(",,") << QStringList{"||"} << 0;
    QTest::newRow("a comma in a name skips only that line")
        << QByteArray("u1,mods,One\nu2,skin,Two\nu3,pics,Three, the best\nu4,skin,Four")
        << QStringList{"u1|mods|One", "u2|skin|Two", "u4|skin|Four"} << 1;
    QTest::newRow("utf-8 names") << QByteArray("u,skin,Caf\xc3\xa9 \xe2\x98\x85")
                                 << QStringList{QString::fromUtf8(
                                        "u|skin|Caf\xc3\xa9 \xe2\x98\x85")}
                                 << 0;
    QTest::newRow("equal lines are kept")
        << QByteArray("u,mods,A\nu,mods,A") << QStringList{"u|mods|A", "u|mods|A"} << 0;
}

void TestCatalogue::parse()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, entries);
    QFETCH(int, skipped);

    CatalogueEntries catalogue{{"kept", "mods", "Earlier"}};
    QCOMPARE(Catalogue::parse(data, catalogue), skipped);
    QCOMPARE(describe(catalogue), QStringList{"kept|mods|Earlier"} + entries);
}

void TestCatalogue::match_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QStringList>("kinds");

    QTest::newRow("catalogue order wins")
        << QStringList{"B", "A"} << QStringList{"a", "b"} << QStringList{"mods", "skin"};
    QTest::newRow("listed twice, queued twice")
        << QStringList{"A", "A"} << QStringList{"a", "a"} << QStringList{"mods", "mods"};
    QTest::newRow("unknown name queues nothing")
        << QStringList{"Z"} << QStringList{} << QStringList{};
    QTest::newRow("two entries of one name, capped by the list")
        << QStringList{"Twin"} << QStringList{"t1"} << QStringList{"pics"};
    QTest::newRow("exact match only") << QStringList{"a"} << QStringList{} << QStringList{};
}

void TestCatalogue::match()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, urls);
    QFETCH(QStringList, kinds);

    const QVector<CatalogueEntry> catalogue{
        {"a", "mods", "A"}, {"t1", "pics", "Twin"}, {"b", "skin", "B"}, {"t2", "skin", "Twin"}};
    const Catalogue::Batch batch = Catalogue::match(catalogue, names);
    QCOMPARE(batch.urls, urls);
    QCOMPARE(batch.kinds, kinds);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
