// Uninstalling a package takes its own files and folders and nothing else: not what lies behind a
// link, not a file another package in the same folder also installed, not a folder the player
// made, and a file that cannot be deleted stays recorded.

#include "installedpackages.h"
#include "installrecovery.h"
#include "packageremoval.h"
#include "testfiles.h"
#include "testprofile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

using Tree = QMap<QString, QByteArray>;

// A package's record; its files' sizes and hashes are taken from the laid-out game folder.
struct Package
{
    QString name;
    QString folder; // relative to the game folder
    QStringList files;
    QStringList created;
    bool createdKnown = true;
};

// Undoes a chmod when the row ends, however it ends, so the temporary folder can be deleted.
struct Permissions
{
    QString path;
    ~Permissions()
    {
        if (!path.isEmpty())
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// Lays out `layout` below `root`: "x/" is a folder, a value "-> y" a link to `root`/y, else a file.
void lay(const QString &root, const Tree &layout)
{
    for (auto it = layout.cbegin(); it != layout.cend(); ++it) {
        const QString path = root + '/' + it.key();
        if (it.key().endsWith('/')) {
            QVERIFY(QDir().mkpath(path));
        } else if (it.value().startsWith("-> ")) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QVERIFY(QFile::link(root + '/' + QString::fromUtf8(it.value().mid(3)), path));
        } else {
            TestFiles::write(path, it.value());
        }
    }
}

InstalledPackage record(const QString &game, const Package &package)
{
    InstalledPackage made;
    made.name = package.name;
    made.kind = "skin";
    made.folder = package.folder;
    made.createdFolders = package.created;
    made.createdFoldersKnown = package.createdKnown;
    for (const QString &file : package.files) {
        const QString path = game + '/' + package.folder + '/' + file;
        made.files.append({file, QFileInfo(path).size(), InstalledPackages::sha256Of(path)});
    }
    return made;
}

// The records written as the former document, one entry per package, then imported.
QByteArray legacyDocument(const QVector<InstalledPackage> &packages)
{
    QJsonArray list;
    for (const InstalledPackage &package : packages) {
        QJsonArray files;
        for (const InstalledFile &file : package.files)
            files.append(QJsonObject{{"path", file.path},
                                     {"size", double(file.size)},
                                     {"sha256", QString::fromLatin1(file.sha256)}});
        QJsonObject entry{{"name", package.name},
                          {"kind", package.kind},
                          {"folder", package.folder},
                          {"installed", "2024-03-01T10:00:00Z"},
                          {"files", files}};
        if (package.createdFoldersKnown)
            entry.insert("createdFolders", QJsonArray::fromStringList(package.createdFolders));
        list.append(entry);
    }
    return QJsonDocument(QJsonObject{{"format", 1}, {"packages", list}}).toJson();
}

QStringList summary(const PackageRemoval::Result &result)
{
    QStringList lines;
    const auto add = [&](const char *what, const QStringList &paths) {
        for (const QString &path : paths)
            lines << QString(what) + ' ' + path;
    };
    add("removed", result.removed);
    add("changed", result.changed);
    add("added", result.added);
    add("shared", result.shared);
    add("failed", result.failed);
    if (!result.refusal.isEmpty())
        lines << "refused";
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Package)

class TestPackageRemoval : public QObject
{
    Q_OBJECT

private slots:
    void uninstallStaysInside_data();
    void uninstallStaysInside();
};

void TestPackageRemoval::uninstallStaysInside_data()
{
    QTest::addColumn<Tree>("layout");
    QTest::addColumn<QVector<Package>>("packages"); // the first is uninstalled
    QTest::addColumn<bool>("legacy");               // records imported from the former document
    QTest::addColumn<QString>("readOnly");          // a folder made read-only first
    QTest::addColumn<QStringList>("gone");          // what leaves the whole tree
    QTest::addColumn<QStringList>("outcome");
    QTest::addColumn<QStringList>("records"); // each package afterwards: its files, or "gone"

    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    const Tree around{{"game/TEW2016.exe", "game"}, {"backup/keep.txt", "mine"}};
    const auto with = [&](const Tree &more) {
        Tree all = around;
        all.insert(more);
        return all;
    };
    const Tree pack =
        with({{"game/Skins/Pack/skin.ini", "ini"}, {"game/Skins/Pack/sub/b.txt", "b"}});
    const Package a{"A", "Skins/Pack", {"skin.ini", "sub/b.txt"}, {"Skins/Pack", "Skins/Pack/sub"}};

    QTest::newRow("plain") << pack << QVector<Package>{a} << false << ""
                           << QStringList{"game/Skins/Pack/", "game/Skins/Pack/skin.ini",
                                          "game/Skins/Pack/sub/", "game/Skins/Pack/sub/b.txt"}
                           << QStringList{"removed skin.ini", "removed sub/b.txt"}
                           << QStringList{"A: gone"};

    QTest::newRow("link inside the package")
        << with({{"game/Skins/Pack/skin.ini", "ini"},
                 {"game/Skins/Pack/data", "-> backup/data"},
                 {"backup/data/a.bin", "recorded bytes"}})
        << QVector<Package>{{"A",
                             "Skins/Pack",
                             {"skin.ini", "data/a.bin"},
                             {"Skins/Pack", "Skins/Pack/data"}}}
        << false << "" << QStringList{"game/Skins/Pack/skin.ini"}
        << QStringList{"removed skin.ini", "changed data/a.bin"} << QStringList{"A: gone"};

    QTest::newRow("package folder is a link")
        << with({{"game/Skins/Pack", "-> backup/Pack"}, {"backup/Pack/skin.ini", "ini"}})
        << QVector<Package>{{"A", "Skins/Pack", {"skin.ini"}, {"Skins/Pack"}}} << false << ""
        << QStringList{} << QStringList{"refused"} << QStringList{"A: skin.ini"};

    QTest::newRow("two packages in one folder")
        << with({{"game/Skins/Pack/readme.txt", "same"},
                 {"game/Skins/Pack/a.ini", "a"},
                 {"game/Skins/Pack/b.ini", "b"},
                 {"game/Skins/Pack/notes.txt", "player's"},
                 {"game/Skins/Pack/mine/", ""}})
        << QVector<Package>{{"A", "Skins/Pack", {"readme.txt", "a.ini"}, {"Skins/Pack"}},
                            {"B", "Skins/Pack", {"readme.txt", "b.ini"}, {}}}
        << false << "" << QStringList{"game/Skins/Pack/a.ini"}
        << QStringList{"removed a.ini", "added notes.txt", "shared readme.txt"}
        << QStringList{"A: gone", "B: b.ini readme.txt"};

    QTest::newRow("read-only folder")
        << pack << QVector<Package>{a} << false << "game/Skins/Pack"
        << QStringList{"game/Skins/Pack/sub/b.txt"}
        << QStringList{"removed sub/b.txt", "failed skin.ini (" + denied + ")"}
        << QStringList{"A: skin.ini"};

    QTest::newRow("damaged record entry")
        << with({{"game/Skins/Good/skin.ini", "good"},
                 {"game/Skins/Other/other.ini", "other"},
                 {"game/Skins/readme.txt", "readme"}})
        << QVector<Package>{{"Good", "Skins/Good", {"skin.ini"}, {"Skins/Good"}},
                            {"Other", "Skins/Other", {"other.ini", "../readme.txt"}, {}}}
        << true << "" << QStringList{"game/Skins/Good/", "game/Skins/Good/skin.ini"}
        << QStringList{"removed skin.ini"} << QStringList{"Good: gone", "Other: other.ini"};

    Tree withMine = pack;
    withMine.insert("game/Skins/Pack/mine/", "");
    QTest::newRow("old record without created folders")
        << withMine << QVector<Package>{{"A", "Skins/Pack", {"skin.ini", "sub/b.txt"}, {}, false}}
        << false << ""
        << QStringList{"game/Skins/Pack/skin.ini", "game/Skins/Pack/sub/",
                       "game/Skins/Pack/sub/b.txt"}
        << QStringList{"removed skin.ini", "removed sub/b.txt"} << QStringList{"A: gone"};
}

void TestPackageRemoval::uninstallStaysInside()
{
    QFETCH(Tree, layout);
    QFETCH(QVector<Package>, packages);
    QFETCH(bool, legacy);
    QFETCH(QString, readOnly);
    QFETCH(QStringList, gone);
    QFETCH(QStringList, outcome);
    QFETCH(QStringList, records);

    if (!readOnly.isEmpty() && ::geteuid() == 0)
        QSKIP("root deletes from read-only folders");
    const TestProfile profile;
    const QTemporaryDir box;
    QVERIFY(profile.isValid() && box.isValid());
    const QString game = box.filePath("game");
    lay(box.path(), layout);

    {
        QVector<InstalledPackage> made;
        for (const Package &package : qAsConst(packages))
            made << record(game, package);
        InstalledPackages store;
        if (legacy) {
            TestFiles::write(InstalledPackages::legacyPath(), legacyDocument(made));
            QString notice;
            QVERIFY(store.load(&notice));
            QVERIFY2(notice.contains("Other: ../readme.txt"), qPrintable(notice));
        } else {
            QVERIFY(store.load());
            for (const InstalledPackage &package : qAsConst(made))
                QVERIFY2(store.put(package), qPrintable(store.errorString()));
        }
    }

    Permissions restore;
    if (!readOnly.isEmpty()) {
        restore.path = box.filePath(readOnly);
        QVERIFY(QFile::setPermissions(restore.path, QFile::ReadOwner | QFile::ExeOwner));
    }
    Tree expected = TestFiles::tree(box.path());
    for (const QString &entry : qAsConst(gone))
        QVERIFY2(expected.remove(entry) == 1, qPrintable(entry));

    InstalledPackages store;
    QVERIFY(store.load());
    const InstalledPackage *target = store.find(packages.first().name, "skin");
    QVERIFY(target);
    const QString journal = InstallRecovery::newRemovalJournalPath();
    PackageRemoval::Result result;
    const bool ran = PackageRemoval::uninstall(game, *target, store, journal, &result);

    QCOMPARE(TestFiles::tree(box.path()), expected);
    QCOMPARE(summary(result), outcome);
    QCOMPARE(ran, result.refusal.isEmpty());
    QVERIFY(!QFileInfo::exists(journal));
    const QString told = PackageRemoval::describe("A", "Skins/Pack", result);
    QCOMPARE(told.startsWith("Uninstalled "), result.failed.isEmpty() && ran);

    // What a later start reads.
    InstalledPackages later;
    QVERIFY(later.load());
    QStringList left;
    for (const Package &package : qAsConst(packages)) {
        QStringList files;
        for (const InstalledFile &file : later.files(package.name, "skin"))
            files << file.path;
        files.sort();
        left << package.name + ": " +
                    (later.find(package.name, "skin") ? files.join(' ') : QString("gone"));
    }
    QCOMPARE(left, records);
}

QTEST_GUILESS_MAIN(TestPackageRemoval)
#include "tst_packageremoval.moc"
