#include "openfolder.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

// What the desktop would be asked to show, caught by a handler for file addresses.
class TestOpenFolder : public QObject
{
    Q_OBJECT

public slots:
    void show(const QUrl &url) { shown << url; }

private slots:
    void handsOnlyFoldersToTheDesktop();

private:
    QList<QUrl> shown;
};

void TestOpenFolder::handsOnlyFoldersToTheDesktop()
{
    QDesktopServices::setUrlHandler("file", this, "show");
    QTemporaryDir game;
    QVERIFY(QDir().mkpath(game.filePath("Skins/Neat Skin")));
    QFile file(game.filePath("Skins/readme.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));

    QString why;
    QVERIFY(openFolder(game.filePath("Skins/Neat Skin"), &why));
    QCOMPARE(why, QString());
    QVERIFY(!openFolder(game.filePath("Skins/readme.txt")));
    // The player is told which folder is missing.
    QVERIFY(!openFolder(game.filePath("Skins/Gone"), &why));
    QCOMPARE(why, "The folder " + QDir::toNativeSeparators(game.filePath("Skins/Gone")) +
                      " is not there.");
    QVERIFY(!openFolder(QString()));
    QCOMPARE(shown, QList<QUrl>{QUrl::fromLocalFile(game.filePath("Skins/Neat Skin"))});
    QDesktopServices::unsetUrlHandler("file");
}

QTEST_MAIN(TestOpenFolder)
#include "tst_openfolder.moc"
