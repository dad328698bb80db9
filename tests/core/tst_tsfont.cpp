#include "tsfont.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString latoFolder = QStringLiteral("/usr/share/fonts/truetype/lato/");

// Application fonts get ids 0, 1, 2, ... in the order they are registered.
int registeredFonts()
{
    int id = 0;
    while (!QFontDatabase::applicationFontFamilies(id).isEmpty()) {
        ++id;
    }
    return id;
}

} // namespace

class TestTsFont : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void folderContents_data();
    void folderContents();
    void shippedFonts();

private:
    QString previousFolder;
};

void TestTsFont::init()
{
    previousFolder = QDir::currentPath();
}

void TestTsFont::cleanup()
{
    QDir::setCurrent(previousFolder);
}

void TestTsFont::folderContents_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("registered");
    // Each row names the files in data/fonts as "name=source" (source empty: a text file).
    QTest::newRow("no data/fonts folder") << QStringList{} << 0;
    QTest::newRow("a font and a text file")
        << QStringList{"Lato-Regular.ttf=Lato-Regular.ttf", "readme.txt="} << 1;
    QTest::newRow("upper-case suffix is not a font file")
        << QStringList{"LATO-BOLD.TTF=Lato-Bold.ttf", "Lato-Italic.Ttf=Lato-Italic.ttf"} << 0;
    QTest::newRow(".ttf anywhere in the name")
        << QStringList{"a.ttf.bak=Lato-Light.ttf", "b.ttfx=Lato-Black.ttf"} << 2;
    QTest::newRow("a broken .ttf is skipped by the toolkit")
        << QStringList{"broken.ttf=", "Lato-Thin.ttf=Lato-Thin.ttf"} << 1;
}

void TestTsFont::folderContents()
{
    QFETCH(QStringList, files);
    QFETCH(int, registered);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    if (!files.isEmpty()) {
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("data/fonts")));
    }
    for (const QString &file : files) {
        const QString name = file.section(QLatin1Char('='), 0, 0);
        const QString source = file.section(QLatin1Char('='), 1);
        const QString target = root.path() + QStringLiteral("/data/fonts/") + name;
        if (source.isEmpty()) {
            QFile text(target);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a font\n");
        } else {
            QVERIFY(QFile::copy(latoFolder + source, target));
        }
    }
    QVERIFY(QDir::setCurrent(root.path()));
    const int before = registeredFonts();
    TsFont::loadFonts();
    QCOMPARE(registeredFonts() - before, registered);
}

void TestTsFont::shippedFonts()
{
    // The build copies the Lato fonts beside the executable; run from there, they all register.
    const QDir fonts(QStringLiteral(ZERUN_BIN_DIR "/data/fonts"));
    const QStringList shipped = fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files);
    QVERIFY(shipped.contains(QStringLiteral("Lato-Regular.ttf")));
    QVERIFY(QDir::setCurrent(QStringLiteral(ZERUN_BIN_DIR)));
    const int before = registeredFonts();
    TsFont::loadFonts();
    const int after = registeredFonts();
    QCOMPARE(after - before, shipped.size());
    QCOMPARE(QFontDatabase::applicationFontFamilies(before), QStringList{QStringLiteral("Lato")});
}

QTEST_MAIN(TestTsFont)
#include "tst_tsfont.moc"
