#include "apppaths.h"
#include "gamefolder.h"
#include "installrules.h"
#include "modalscript.h"
#include "startup.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QListView>
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
    void initTestCase();
    void init();
    void cleanup();
    void defaultsInOrder();
    void foundWithoutAsking_data();
    void foundWithoutAsking();
    void browseCancelled();
    void browseAccepted();
    void otherFileChosen();
    void launchers_data();
    void launchers();
    void rememberedWhileItHoldsTheGame();
    void subFolderInAnyCase_data();
    void subFolderInAnyCase();

private:
    QScopedPointer<QTemporaryDir> home;
    QScopedPointer<QTemporaryDir> prefix;
    QByteArray savedHome;
};

void TestGameFolder::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
}

void TestGameFolder::init()
{
    AppPaths::setGameFolder(QString());
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

void TestGameFolder::browseCancelled()
{
    ModalScript script({ModalScript::reject()});
    QString chosen = "unchanged";
    QVERIFY(GameFolder::browse(&chosen).isEmpty());
    QVERIFY(chosen.isEmpty());
    QVERIFY(script.finished());
    QCOMPARE(script.seen().at(0).title, QString("Set TEW2016 Install folder"));
    QVERIFY(AppPaths::gameFolder().isEmpty());
}

void TestGameFolder::browseAccepted()
{
    QTemporaryDir games;
    const QString exe = games.path() + "/Games/TEW2016/TEW2016.exe";
    QVERIFY(makeFile(exe));
    QString filter;
    ModalScript script({[&](QWidget *modal) {
        filter = qobject_cast<QFileDialog *>(modal)->nameFilters().join(";");
        choose(exe)(modal);
    }});
    QCOMPARE(GameFolder::browse(), games.path() + "/Games/TEW2016/");
    QCOMPARE(filter, QString("TEW2016.exe (TEW2016.exe)"));
    QCOMPARE(script.unexpected(), 0);
    // Kept for the next runs, and found again without asking.
    QCOMPARE(AppPaths::gameFolder(), games.path() + "/Games/TEW2016/");
    ModalScript none({});
    QCOMPARE(GameFolder::locate(), games.path() + "/Games/TEW2016/");
    QCOMPARE(none.unexpected(), 0);
}

void TestGameFolder::otherFileChosen()
{
    QTemporaryDir games;
    const QString other = games.path() + "/Game.exe";
    QVERIFY(makeFile(other));
    ModalScript script({choose(other)});
    QString chosen;
    QVERIFY(GameFolder::browse(&chosen).isEmpty());
    QCOMPARE(chosen, other);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
    QVERIFY(AppPaths::gameFolder().isEmpty());
}

void TestGameFolder::launchers_data()
{
    // Paths below the fake home: a file ("path" or "path=content", where $HOME stands for the
    // home folder), a folder ("path/") or a link ("path@target").
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("winePrefix"); // below the home, or "" for none
    // "Launcher|folder below the home", in search order.
    QTest::addColumn<QStringList>("found");
    // When several are found: the row the player picks, or -1 to close the list.
    QTest::addColumn<int>("answer");

    const QString game = "drive_c/Program Files/GDS/TEW2016";
    const QString game86 = "drive_c/Program Files (x86)/GDS/TEW2016";
    const QString vdf = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t"
                        "\"$HOME/.local/share/Steam\"\n\t\t\"label\"\t\t\"\"\n\t}\n\t\"1\"\n"
                        "\t{\n\t\t\"path\"\t\t\"$HOME/Library Two\"\n\t\t\"apps\"\n\t\t{\n"
                        "\t\t\t\"1234\"\t\t\"1\"\n\t\t}\n\t}\n}\n";

    QTest::newRow("Steam, in its second library")
        << QStringList{".local/share/Steam/steamapps/libraryfolders.vdf=" + vdf,
                       ".steam/steam@.local/share/Steam",
                       ".local/share/Steam/steamapps/common/Other/other.exe",
                       "Library Two/steamapps/common/Other Game/Game.exe",
                       "Library Two/steamapps/common/TEW 2016/TEW2016.exe"}
        << "" << QStringList{"Steam|Library Two/steamapps/common/TEW 2016"} << 0;
    QTest::newRow("Steam, old library list")
        << QStringList{".local/share/Steam/steamapps/libraryfolders.vdf=\"LibraryFolders\"\n{\n"
                       "\t\"TimeNextStatsReport\"\t\t\"1\"\n\t\"1\"\t\t\"$HOME/Old Library\"\n}\n",
                       "Old Library/steamapps/common/TEW2016/TEW2016.exe"}
        << "" << QStringList{"Steam|Old Library/steamapps/common/TEW2016"} << 0;
    QTest::newRow("Flatpak Steam")
        << QStringList{".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/"
                       "TEW2016/TEW2016.exe"}
        << ""
        << QStringList{"Steam (Flatpak)|.var/app/com.valvesoftware.Steam/.local/share/Steam/"
                       "steamapps/common/TEW2016"}
        << 0;
    QTest::newRow("Lutris, the prefix of a configured game")
        << QStringList{".config/lutris/games/tew2016-1700000000.yml=game:\n  exe: $HOME/Wine "
                       "Games/tew/" +
                           game + "/TEW2016.exe\n  prefix: ~/Wine Games/tew\nsystem: {}\n",
                       "Wine Games/tew/" + game + "/TEW2016.exe"}
        << "" << QStringList{"Lutris|Wine Games/tew/" + game} << 0;
    // A prefix in ~/Games that no Lutris game names is no Lutris one; its name tells it apart.
    QTest::newRow("a prefix in ~/Games")
        << QStringList{"Games/empty/drive_c/", "Games/tew-2016/" + game86 + "/TEW2016.exe"} << ""
        << QStringList{"Games folder|Games/tew-2016/" + game86 + "|tew-2016"} << 0;
    QTest::newRow("Bottles")
        << QStringList{".local/share/bottles/bottles/TEW/" + game + "/TEW2016.exe"} << ""
        << QStringList{"Bottles|.local/share/bottles/bottles/TEW/" + game + "|TEW"} << 0;
    QTest::newRow("PlayOnLinux")
        << QStringList{".PlayOnLinux/wineprefix/TEW2016/" + game86 + "/TEW2016.exe"} << ""
        << QStringList{"PlayOnLinux|.PlayOnLinux/wineprefix/TEW2016/" + game86 + "|TEW2016"} << 0;
    QTest::newRow("two found, the second chosen")
        << QStringList{".local/share/Steam/steamapps/common/TEW2016/TEW2016.exe",
                       ".local/share/bottles/bottles/TEW/" + game + "/TEW2016.exe"}
        << ""
        << QStringList{"Steam|.local/share/Steam/steamapps/common/TEW2016",
                       "Bottles|.local/share/bottles/bottles/TEW/" + game + "|TEW"}
        << 1;
    QTest::newRow("the Wine prefix and ~/.wine, the list closed")
        << QStringList{".wine/" + game86 + "/TEW2016.exe", "prefix/" + game + "/TEW2016.exe"}
        << "prefix" << QStringList{"Wine|prefix/" + game, "Wine|.wine/" + game86} << -1;
    QTest::newRow("none found")
        << QStringList{".local/share/Steam/steamapps/common/Other/other.exe",
                       ".PlayOnLinux/wineprefix/Other/drive_c/Program Files/",
                       ".config/lutris/games/other.yml=game:\n  prefix: /nowhere\n"}
        << "" << QStringList{} << 0;
    QTest::newRow("Proton prefix of a game added to Steam")
        << QStringList{".local/share/Steam/steamapps/compatdata/2890193012/pfx/" + game86 +
                           "/TEW2016.exe",
                       ".local/share/Steam/steamapps/compatdata/440/pfx/drive_c/windows/"}
        << ""
        << QStringList{"Steam (Proton)|.local/share/Steam/steamapps/compatdata/2890193012/pfx/" +
                       game86 + "|2890193012"}
        << 0;
    // Newer clients keep the list in config/ only, and a file may come without line breaks.
    QTest::newRow("Proton prefix in a library of config/libraryfolders.vdf, on one line")
        << QStringList{".local/share/Steam/config/libraryfolders.vdf=\"libraryfolders\" { \"0\" "
                       "{ \"path\" \"$HOME/Lib\" \"apps\" { \"228980\" \"1\" } } "
                       "// comment \"path\" \"/nowhere\"",
                       "Lib/steamapps/compatdata/3000000000/pfx/drive_c/Games/TEW2016/Tew2016.exe"}
        << ""
        << QStringList{"Steam (Proton)|Lib/steamapps/compatdata/3000000000/pfx/drive_c/Games/"
                       "TEW2016|3000000000"}
        << 0;
    QTest::newRow("a plain copy in ~/Games")
        << QStringList{"Games/TEW2016/TEW2016.exe", "Games/Other/drive_c/"} << ""
        << QStringList{"Games folder|Games/TEW2016"} << 0;
    QTest::newRow("~/Games, four levels down, any case")
        << QStringList{"Games/Wrestling/a/b/c/TEW/tew2016.EXE"} << ""
        << QStringList{"Games folder|Games/Wrestling/a/b/c/TEW"} << 0;
    QTest::newRow("~/Games, five levels down is too deep")
        << QStringList{"Games/Wrestling/a/b/c/d/TEW/TEW2016.exe"} << "" << QStringList{} << 0;
    QTest::newRow("~/Games, a hidden folder is passed over")
        << QStringList{"Games/Wrestling/.cache/TEW/TEW2016.exe"} << "" << QStringList{} << 0;
    QTest::newRow("~/.wine/drive_c/Games")
        << QStringList{".wine/drive_c/Games/TEW2016/TEW2016.exe",
                       ".wine/drive_c/windows/TEW2016/TEW2016.exe"}
        << "" << QStringList{"Wine|.wine/drive_c/Games/TEW2016"} << 0;
    QTest::newRow("~/Games, a link inside the home is followed")
        << QStringList{"Storage/TEW/TEW2016.exe", "Games/Linked@Storage"} << ""
        << QStringList{"Games folder|Games/Linked/TEW"} << 0;
    QTest::newRow("~/Games, a link out of the home is not followed")
        << QStringList{"../outside/TEW/TEW2016.exe", "Games/Linked@../outside"} << ""
        << QStringList{} << 0;
    QTest::newRow("~/Games, a link loop ends")
        << QStringList{"Games/Loop/a/", "Games/Loop/a/back@Games/Loop"} << "" << QStringList{} << 0;
    QTest::newRow("mixed-case Steam names")
        << QStringList{".local/share/steam/SteamApps/COMMON/tew2016/tew2016.EXE"} << ""
        << QStringList{"Steam|.local/share/steam/SteamApps/COMMON/tew2016"} << 0;
    QTest::newRow("mixed-case prefix names")
        << QStringList{".local/share/Bottles/BOTTLES/tew/Drive_C/program files (X86)/gds/Tew2016/"
                       "tew2016.exe"}
        << ""
        << QStringList{"Bottles|.local/share/Bottles/BOTTLES/tew/Drive_C/program files (X86)/gds/"
                       "Tew2016|tew"}
        << 0;
}

void TestGameFolder::launchers()
{
    QFETCH(QStringList, present);
    QFETCH(QString, winePrefix);
    QFETCH(QStringList, found);
    QFETCH(int, answer);

    // The home is a folder of its own, so that "../" names a place outside it.
    QTemporaryDir fakeHome;
    const QString home = fakeHome.path() + "/home";
    QVERIFY(QDir().mkpath(home));
    for (const QString &entry : present) {
        const QString path = home + "/" + entry.section(QRegularExpression("[=@]"), 0, 0);
        if (entry.contains('@')) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QVERIFY(QFile::link(home + "/" + entry.section('@', 1), path));
        } else if (entry.endsWith('/')) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(makeFile(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(entry.section('=', 1).replace("$HOME", home).toUtf8());
        }
    }
    QProcessEnvironment environment;
    if (!winePrefix.isEmpty())
        environment.insert("WINEPREFIX", home + "/" + winePrefix);

    QVector<GameFolder::Candidate> expected;
    for (const QString &line : found)
        expected.append({home + "/" + line.section('|', 1, 1) + "/", line.section('|', 0, 0),
                         line.section('|', 2)});
    const QVector<GameFolder::Candidate> candidates = GameFolder::candidates(home, environment);
    QCOMPARE(candidates, expected);
    // Each labelled by what it is, with what tells it apart from others of its launcher.
    for (int find = 0; find < candidates.size(); ++find)
        QCOMPARE(GameFolder::labelOf(candidates.at(find)), GameFolder::labelOf(expected.at(find)));
    // The places listed as "not found" hold none of the finds.
    for (const GameFolder::Candidate &place : GameFolder::searchedPlaces(home, environment)) {
        for (const GameFolder::Candidate &find : expected)
            QVERIFY2(!find.folder.startsWith(place.folder), qPrintable(place.folder));
    }

    // One find is taken as it is; several are put to the player as a list.
    QStringList listed;
    ModalScript script(expected.size() < 2 ? QList<ModalScript::Step>{}
                                           : QList<ModalScript::Step>{[&](QWidget *modal) {
                                                 auto *dialog = qobject_cast<QInputDialog *>(modal);
                                                 QVERIFY(dialog);
                                                 listed = dialog->comboBoxItems();
                                                 if (answer < 0) {
                                                     dialog->reject();
                                                     return;
                                                 }
                                                 dialog->setTextValue(listed.value(answer));
                                                 dialog->accept();
                                             }});
    const QString located = GameFolder::locate(home, environment);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
    if (expected.size() > 1) {
        QCOMPARE(script.seen().at(0).title, QString("Choose the TEW2016 install"));
        QStringList lines;
        for (const GameFolder::Candidate &candidate : expected)
            lines << GameFolder::choiceText(candidate);
        QCOMPARE(listed, lines);
        // The launcher first, the path shortened in its middle: the game's folder stays.
        for (int row = 0; row < listed.size(); ++row) {
            const QString label = GameFolder::labelOf(expected.at(row));
            QVERIFY(listed.at(row).startsWith(label + ": "));
            QVERIFY(listed.at(row).endsWith("/TEW2016/"));
            QVERIFY(listed.at(row).size() <= label.size() + 2 + GameFolder::choicePathLength);
        }
    }
    const QString chosen = expected.size() == 1                 ? expected.first().folder
                           : expected.size() > 1 && answer >= 0 ? expected.at(answer).folder
                                                                : QString();
    QCOMPARE(located, chosen);
    // Only the player's choice from the list is kept.
    QCOMPARE(AppPaths::gameFolder(), expected.size() > 1 ? chosen : QString());
}

void TestGameFolder::rememberedWhileItHoldsTheGame()
{
    QTemporaryDir fakeHome;
    const QString home = fakeHome.path();
    const QString steam = home + "/.local/share/Steam/steamapps/common/TEW2016/";
    const QString chosen = home + "/Elsewhere/TEW2016/";
    QVERIFY(makeFile(steam + "TEW2016.exe"));
    QVERIFY(makeFile(chosen + "tew2016.exe"));
    GameFolder::remember(chosen);
    QVERIFY(QFile::exists(AppPaths::preferencesFolder() + "/game_folder.xml"));

    ModalScript none({});
    QCOMPARE(GameFolder::locate(home, QProcessEnvironment()), chosen);
    // Once the game has gone from there, the search takes over again.
    QVERIFY(QFile::remove(chosen + "tew2016.exe"));
    QCOMPARE(GameFolder::locate(home, QProcessEnvironment()), steam);
    QCOMPARE(none.unexpected(), 0);
}

void TestGameFolder::subFolderInAnyCase_data()
{
    QTest::addColumn<QStringList>("present"); // below the game folder; "name" for a file
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("as the game spells it") << QStringList{"Databases/"} << "Databases"
                                           << "Databases/";
    QTest::newRow("lower case") << QStringList{"databases/", "pictures/"} << "Databases"
                                << "databases/";
    QTest::newRow("with a trailing slash") << QStringList{"SKINS/"} << "Skins/"
                                           << "SKINS/";
    QTest::newRow("the exact spelling first")
        << QStringList{"SKINS/", "Skins/", "skins/"} << "Skins"
        << "Skins/";
    QTest::newRow("missing") << QStringList{"Databases/"} << "Pictures"
                             << "Pictures/";
    QTest::newRow("a file of that name") << QStringList{"pictures"} << "Pictures"
                                         << "Pictures/";
}

void TestGameFolder::subFolderInAnyCase()
{
    QFETCH(QStringList, present);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QTemporaryDir game;
    for (const QString &entry : present)
        QVERIFY(entry.endsWith('/') ? QDir().mkpath(game.filePath(entry))
                                    : makeFile(game.filePath(entry)));
    QCOMPARE(GameFolder::subFolder(game.path() + "/", name), expected);
    QCOMPARE(GameFolder::subFolder(game.path(), name), expected);
    if (name.startsWith("Databases"))
        QCOMPARE(InstallRules::destinationIn(game.path() + "/", "mods"), expected);
}

QTEST_MAIN(TestGameFolder)
#include "tst_gamefolder.moc"
