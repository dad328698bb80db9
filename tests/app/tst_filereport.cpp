// Reports about many files: what the log keeps of them, and the one-line summaries over an
// uninstall's and a verify's detail.

#include "filereport.h"

#include <QtTest>

namespace {

QStringList paths(const QString &pattern, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << pattern.arg(i, 4, 10, QChar('0'));
    return list;
}

} // namespace

class TestFileReport : public QObject
{
    Q_OBJECT

private slots:
    void forLog_data();
    void forLog();
    void ofRemoval_data();
    void ofRemoval();
    void ofVerify();
};

void TestFileReport::forLog_data()
{
    QTest::addColumn<int>("changed");
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("loggedFiles");
    QTest::addColumn<QString>("tail");
    QTest::newRow("a few files, logged whole") << 2 << 1 << 3 << "    mine/0000.txt";
    QTest::newRow("exactly the log's share") << 60 << 40 << 100 << "    mine/0039.txt";
    QTest::newRow("one more than its share")
        << 60 << 41 << 100 << "... and 1 more file (101 in all)";
    // Files past the share under a heading of their own: the heading is left out with them.
    QTest::newRow("5,003 files") << 100 << 4903 << 100 << "... and 4,903 more files (5,003 in all)";
}

void TestFileReport::forLog()
{
    QFETCH(int, changed);
    QFETCH(int, added);
    QFETCH(int, loggedFiles);
    QFETCH(QString, tail);
    PackageRemoval::Result result;
    result.changed = paths("skin/%1.png", changed);
    result.added = paths("mine/%1.txt", added);
    const FileReport report = FileReport::ofRemoval("Gold Skin", "Skins/Gold", result);
    QCOMPARE(report.fileLines(), changed + added);
    QCOMPARE(report.isLong(), changed + added > FileReport::shortFileLines);

    const QStringList logged = report.forLog().split('\n');
    QCOMPARE(logged.first(), report.summary);
    QCOMPARE(logged.filter(QRegularExpression("^    ")).size(), loggedFiles);
    QCOMPARE(logged.last(), tail);
    QCOMPARE(logged.contains("Kept, because you added them:"), loggedFiles > changed);
    // The kept lines are the report's own, in its order.
    const QStringList detail = report.lines.mid(0, logged.size() - 1);
    if (changed + added <= loggedFiles)
        QCOMPARE(logged.mid(1), report.lines);
    else
        QCOMPARE(logged.mid(1, logged.size() - 2), detail.mid(0, logged.size() - 2));
}

void TestFileReport::ofRemoval_data()
{
    QTest::addColumn<int>("failed");
    QTest::addColumn<int>("changed");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("firstHeading");
    QTest::newRow("all removed") << 0 << 0 << "Uninstalled Gold Skin from Skins/Gold."
                                 << "";
    QTest::newRow("files the player changed")
        << 0 << 600 << "Uninstalled Gold Skin from Skins/Gold. 600 files kept, listed below."
        << "Kept, because you changed them:";
    QTest::newRow("files that could not be removed")
        << 5003 << 2
        << "Could not remove 5,003 of the files of Gold Skin from Skins/Gold; they stay "
           "recorded. 2 files kept, listed below."
        << "Could not remove (they stay recorded):";
}

void TestFileReport::ofRemoval()
{
    QFETCH(int, failed);
    QFETCH(int, changed);
    QFETCH(QString, summary);
    QFETCH(QString, firstHeading);
    PackageRemoval::Result result;
    result.failed = paths("skin/%1.png (Operation not permitted)", failed);
    result.changed = paths("skin/edited%1.png", changed);
    const FileReport report = FileReport::ofRemoval("Gold Skin", "Skins/Gold", result);
    // One line, whatever the number of files.
    QCOMPARE(report.summary, summary);
    QCOMPARE(report.lines.value(0), firstHeading);
    QCOMPARE(report.fileLines(), failed + changed);
    QVERIFY(report.forLog().size() < 12 * 1024);

    result.refusal = "its folder is not inside the game folder";
    const FileReport refused = FileReport::ofRemoval("Gold Skin", "Skins/Gold", result);
    QCOMPARE(refused.summary, QString("Could not uninstall Gold Skin: its folder is not inside the "
                                      "game folder."));
    QVERIFY(refused.lines.isEmpty());
}

void TestFileReport::ofVerify()
{
    PackageVerify::Result one;
    one.name = "Real World";
    one.folder = "Databases/RealWorld";
    one.recorded = 900;
    one.missing = paths("data/%1.txt", 300);
    PackageVerify::Result two;
    two.name = "Faces";
    two.folder = "Pictures/Faces";
    two.recorded = 2;
    const FileReport single = FileReport::ofVerify({one});
    QCOMPARE(single.summary, QString("Real World: 300 missing"));
    QCOMPARE(single.detail(), one.describe());
    const FileReport both = FileReport::ofVerify({one, two});
    QCOMPARE(both.summary, QString("2 packages verified, 1 with missing or changed files"));
    QCOMPARE(both.detail(), one.describe() + "\n\n" + two.describe());
    QCOMPARE(both.fileLines(), 300);
    QVERIFY(both.forLog().endsWith("... and 200 more files (300 in all)"));
}

QTEST_GUILESS_MAIN(TestFileReport)
#include "tst_filereport.moc"
