#include "gamefolder.h"
#include "modalscript.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString x86Path = "drive_c/Program Files (x86)/GDS/TEW2016/TEW2016.exe";
const QString x64Path = "drive_c/Program Files/GDS/TEW2016/TEW2016.exe";

bool makeFile(const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

ModalScript::Step choose(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    };
}

} // namespace

class TestGameFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultsInOrder();
    void foundWithoutAsking_data();
    void foundWithoutAsking();
    void bothPromptsCancelled();
    void secondPromptAccepted();
    void otherFileChosen();

private:
    QScopedPointer<QTemporaryDir> home;
    QScopedPointer<QTemporaryDir> prefix;
    QByteArray savedHome;
};

void TestGameFolder::init()
{
    savedHome = qgetenv("HOME");
    home.reset(new QTemporaryDir);
    prefix.reset(new QTemporaryDir);
    QVERIFY(home->isValid() && prefix->isValid());
    qputenv("HOME", home->path().toUtf8());
    qputenv("WINEPREFIX", prefix->path().toUtf8());
}

void TestGameFolder::cleanup()
{
    qputenv("HOME", savedHome);
    qunsetenv("WINEPREFIX");
}

void TestGameFolder::defaultsInOrder()
{
    qputenv("WINEPREFIX", (prefix->path() + "/").toUtf8());
    const QString wine = home->path() + "/.wine/";
    QCOMPARE(
        GameFolder::defaultExecutables(),
        (QStringList{"C:/Program Files (x86)/GDS/TEW2016/TEW2016.exe",
                     "C:/Program Files/GDS/TEW2016/TEW2016.exe", prefix->path() + "/" + x86Path,
                     prefix->path() + "/" + x64Path, wine + x86Path, wine + x64Path}));
    qunsetenv("WINEPREFIX");
    QCOMPARE(GameFolder::defaultExecutables().size(), 4);
}

void TestGameFolder::foundWithoutAsking_data()
{
    QTest::addColumn<QStringList>("present"); // "prefix:" or "home:" + path
    QTest::addColumn<QString>("expected");

    QTest::newRow("32-bit path in the prefix")
        << QStringList{"prefix:" + x86Path} << "prefix:" + x86Path;
    QTest::newRow("64-bit path in the prefix")
        << QStringList{"prefix:" + x64Path} << "prefix:" + x64Path;
    QTest::newRow("32-bit wins over 64-bit")
        << QStringList{"prefix:" + x64Path, "prefix:" + x86Path} << "prefix:" + x86Path;
    QTest::newRow("only in ~/.wine")
        << QStringList{"home:.wine/" + x64Path} << "home:.wine/" + x64Path;
    QTest::newRow("the prefix wins over ~/.wine")
        << QStringList{"home:.wine/" + x86Path, "prefix:" + x64Path} << "prefix:" + x64Path;
}

void TestGameFolder::foundWithoutAsking()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);

    const auto resolve = [this](const QString &path) -> QString {
        if (path.startsWith("prefix:"))
            return prefix->path() + "/" + path.mid(7);
        return home->path() + "/" + path.mid(5);
    };
    for (const QString &path : present)
        QVERIFY(makeFile(resolve(path)));
    ModalScript script({});
    QCOMPARE(GameFolder::locate(), resolve(expected).remove("TEW2016.exe"));
    QVERIFY(GameFolder::locate().endsWith("/GDS/TEW2016/"));
    QCOMPARE(script.unexpected(), 0);
}

void TestGameFolder::bothPromptsCancelled()
{
    ModalScript script({ModalScript::reject(), ModalScript::reject()});
    QVERIFY(GameFolder::locate().isEmpty());
    QVERIFY(script.finished());
    QCOMPARE(script.seen().at(0).title, QString("Set TEW2016 Install folder"));
    QCOMPARE(script.seen().at(1).title,
             QString("Set TEW2016 Install folder, or press cancel to Quit"));
    QCOMPARE(script.unexpected(), 0);
}

void TestGameFolder::secondPromptAccepted()
{
    QTemporaryDir games;
    const QString exe = games.path() + "/Games/TEW2016/TEW2016.exe";
    QVERIFY(makeFile(exe));
    QString filter;
    ModalScript script({ModalScript::reject(), [&](QWidget *modal) {
                            filter = qobject_cast<QFileDialog *>(modal)->nameFilters().join(";");
                            choose(exe)(modal);
                        }});
    QCOMPARE(GameFolder::locate(), games.path() + "/Games/TEW2016/");
    QCOMPARE(filter, QString("TEW2016.exe (TEW2016.exe)"));
    QCOMPARE(script.unexpected(), 0);
}

void TestGameFolder::otherFileChosen()
{
    QTemporaryDir games;
    const QString other = games.path() + "/Game.exe";
    QVERIFY(makeFile(other));
    ModalScript script({choose(other)});
    QVERIFY(GameFolder::locate().isEmpty());
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
}

QTEST_MAIN(TestGameFolder)
#include "tst_gamefolder.moc"
