#include "installrules.h"

#include <QtTest>

class TestInstallRules : public QObject
{
    Q_OBJECT

private slots:
    void folderNames_data();
    void folderNames();
};

void TestInstallRules::folderNames_data()
{
    const QString tooLong = "Folder Name can't be longer than 24 characters";
    const QString illegal =
        "Folder Name can't contain illegal characters '<' '>' ':' '' '/' '\\' '|'";

    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("plain") << "My Mod"
                           << "";
    QTest::newRow("exactly 24") << QString(24, 'x') << "";
    QTest::newRow("25 characters") << QString(25, 'x') << tooLong + ".";
    QTest::newRow("25 with a colon") << QString(24, 'x') + ":" << tooLong + " and " + illegal + ".";
    QTest::newRow("trailing dot") << "Neat." << illegal + ".";
    QTest::newRow("trailing blank") << "Neat " << illegal + ".";
    QTest::newRow("leading blank is fine") << " Neat"
                                           << "";
    QTest::newRow("dot dot") << ".." << illegal + ".";
    QTest::newRow("slash") << "a/b" << illegal + ".";
    QTest::newRow("backslash") << "a\\b" << illegal + ".";
    QTest::newRow("quote") << "a\"b" << illegal + ".";
    QTest::newRow("angle") << "<a>" << illegal + ".";
    QTest::newRow("bar") << "a|b" << illegal + ".";
    QTest::newRow("empty passes the rules") << ""
                                            << "";
}

void TestInstallRules::folderNames()
{
    QFETCH(QString, name);
    QFETCH(QString, complaint);
    QCOMPARE(InstallRules::nameComplaint(name), complaint);
}

QTEST_GUILESS_MAIN(TestInstallRules)
#include "tst_installrules.moc"
