#include "apppaths.h"
#include "defaultpalette.h"
#include "startup.h"
#include "tsxml.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>

Q_DECLARE_METATYPE(QPalette)

namespace {

const char probeOption[] = "--palette-probe";

// The roles every scheme sets, in the order of its colour list.
const QPalette::ColorRole schemeRoles[] = {
    QPalette::Window,         QPalette::WindowText,  QPalette::Base, QPalette::AlternateBase,
    QPalette::ToolTipBase,    QPalette::ToolTipText, QPalette::Text, QPalette::Button,
    QPalette::ButtonText,     QPalette::BrightText,  QPalette::Link, QPalette::Highlight,
    QPalette::HighlightedText};

} // namespace

class TestDefaultPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void schemes_data();
    void schemes();
    void darkStyleHasLightText();
    void textQueries_data();
    void textQueries();
    void skinChoice_data();
    void skinChoice();
    void applySkinPaletteReadsPreference();
    void argumentBeatsPreference_data();
    void argumentBeatsPreference();

private:
    QString runProbe(const QStringList &arguments);
};

void TestDefaultPalette::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
}

void TestDefaultPalette::schemes_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<QVector<QColor>>("colours");
    QTest::addColumn<QColor>("disabledText");

    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const QColor red(255, 0, 0);
    const QColor darkGray(128, 128, 128);
    const QColor gray(160, 160, 164);
    QTest::newRow("dark") << DefaultPalette::dark()
                          << QVector<QColor>{QColor(53, 53, 53),
                                             white,
                                             QColor(25, 25, 25),
                                             QColor(53, 53, 53),
                                             white,
                                             white,
                                             white,
                                             QColor(53, 53, 53),
                                             white,
                                             red,
                                             QColor(42, 130, 218),
                                             QColor(42, 130, 218),
                                             black}
                          << darkGray;
    QTest::newRow("light") << DefaultPalette::light()
                           << QVector<QColor>{QColor(200, 200, 200),
                                              black,
                                              QColor(225, 225, 225),
                                              QColor(200, 200, 200),
                                              black,
                                              black,
                                              black,
                                              QColor(200, 200, 200),
                                              black,
                                              red,
                                              QColor(42, 42, 218),
                                              QColor(42, 130, 218),
                                              black}
                           << gray;
    QTest::newRow("retro blue") << DefaultPalette::retroBlue()
                                << QVector<QColor>{QColor(53, 53, 200),
                                                   white,
                                                   QColor(25, 25, 25),
                                                   QColor(53, 53, 200),
                                                   white,
                                                   white,
                                                   white,
                                                   QColor(53, 53, 200),
                                                   white,
                                                   red,
                                                   QColor(218, 170, 42),
                                                   QColor(218, 170, 42),
                                                   black}
                                << darkGray;
    QTest::newRow("retro red") << DefaultPalette::retroRed()
                               << QVector<QColor>{QColor(220, 20, 60),
                                                  white,
                                                  QColor(139, 0, 0),
                                                  QColor(220, 20, 60),
                                                  white,
                                                  white,
                                                  white,
                                                  QColor(178, 34, 34),
                                                  white,
                                                  QColor(255, 255, 0),
                                                  QColor(240, 230, 140),
                                                  QColor(218, 165, 32),
                                                  black}
                               << darkGray;
}

void TestDefaultPalette::schemes()
{
    QFETCH(QPalette, palette);
    QFETCH(QVector<QColor>, colours);
    QFETCH(QColor, disabledText);
    for (int index = 0; index < colours.size(); ++index) {
        const QPalette::ColorRole role = schemeRoles[index];
        QCOMPARE(palette.color(QPalette::Active, role).rgba(), colours.at(index).rgba());
        QCOMPARE(palette.color(QPalette::Inactive, role).rgba(), colours.at(index).rgba());
    }
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Text).rgba(), disabledText.rgba());
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::ButtonText).rgba(), disabledText.rgba());
    // Roles no scheme names keep the default palette's colours.
    QCOMPARE(palette.color(QPalette::Mid), QPalette().color(QPalette::Mid));
    QCOMPARE(palette.color(QPalette::LinkVisited), QPalette().color(QPalette::LinkVisited));
}

void TestDefaultPalette::darkStyleHasLightText()
{
    QVERIFY(!DefaultPalette::hasDarkText());
    QVERIFY(DefaultPalette::hasLightText());
    QCOMPARE(DefaultPalette::current(), QApplication::palette());
}

void TestDefaultPalette::textQueries_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("light");
    QTest::newRow("white text") << QColor(Qt::white) << false << true;
    QTest::newRow("black text") << QColor(Qt::black) << true << false;
    QTest::newRow("grey text") << QColor(128, 128, 128) << true << true;
    // Whole colour values are compared: white in another colour model is another colour.
    QTest::newRow("white as HSV") << QColor::fromHsv(0, 0, 255) << true << true;
}

void TestDefaultPalette::textQueries()
{
    QFETCH(QColor, text);
    const QPalette before = QApplication::palette();
    QPalette palette = before;
    palette.setColor(QPalette::Active, QPalette::Text, text);
    QApplication::setPalette(palette);
    QTEST(DefaultPalette::hasDarkText(), "dark");
    QTEST(DefaultPalette::hasLightText(), "light");
    QCOMPARE(DefaultPalette::current().color(QPalette::Text), text);
    QApplication::setPalette(before);
}

void TestDefaultPalette::skinChoice_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("preference");
    QTest::addColumn<QColor>("window");

    const QColor dark(53, 53, 53);
    const QColor light(200, 200, 200);
    const QColor blue(53, 53, 200);
    const QColor red(220, 20, 60);
    QTest::newRow("nothing") << ""
                             << "" << dark;
    QTest::newRow("default preference") << ""
                                        << "default" << dark;
    QTest::newRow("unknown preference") << ""
                                        << "sepia" << dark;
    QTest::newRow("light preference") << ""
                                      << "light" << light;
    QTest::newRow("argument wins") << "retroblue"
                                   << "light" << blue;
    QTest::newRow("substring") << ""
                               << "retroredish" << red;
    QTest::newRow("capitals") << "RetroBlue"
                              << "" << blue;
    QTest::newRow("upper case") << "LIGHT"
                                << "retrored" << light;
    QTest::newRow("light is tested first") << "retrored-light"
                                           << "" << light;
    QTest::newRow("red before blue") << "retroblue retrored"
                                     << "" << red;
}

void TestDefaultPalette::skinChoice()
{
    QFETCH(QString, argument);
    QFETCH(QString, preference);
    QFETCH(QColor, window);
    QCOMPARE(DefaultPalette::skinPalette(argument, preference).color(QPalette::Window), window);
}

void TestDefaultPalette::applySkinPaletteReadsPreference()
{
    const QPalette before = QApplication::palette();
    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("RetroRed"));
    DefaultPalette::applySkinPalette();
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(220, 20, 60));
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), QColor(218, 165, 32));
    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("default"));
    DefaultPalette::applySkinPalette();
    QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(53, 53, 53));
    QCOMPARE(QApplication::palette().color(QPalette::Base), QColor(25, 25, 25));
    QApplication::setPalette(before);
}

QString TestDefaultPalette::runProbe(const QStringList &arguments)
{
    QProcess probe;
    probe.start(QCoreApplication::applicationFilePath(),
                QStringList{QString::fromLatin1(probeOption)} + arguments);
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
        return QStringLiteral("probe failed: ") +
               QString::fromLocal8Bit(probe.readAllStandardError());
    }
    return QString::fromLatin1(probe.readAllStandardOutput()).trimmed();
}

void TestDefaultPalette::argumentBeatsPreference_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("window");
    QTest::newRow("no argument: the preference") << QStringList{} << "#c8c8c8";
    QTest::newRow("argument") << QStringList{"skin=RetroBlue"} << "#3535c8";
    QTest::newRow("first argument naming skin")
        << QStringList{"reskin=retrored", "skin=light"} << "#dc143c";
    QTest::newRow("argument without value: the preference") << QStringList{"skin"} << "#c8c8c8";
}

void TestDefaultPalette::argumentBeatsPreference()
{
    QFETCH(QStringList, arguments);
    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("light"));
    QTEST(runProbe(arguments), "window");
}

int main(int argc, char *argv[])
{
    // A child run: install the skin the arguments and preference choose, print its window colour.
    if (argc > 1 && std::strcmp(argv[1], probeOption) == 0) {
        QApplication application(argc, argv);
        setInstallerIdentity();
        DefaultPalette::applySkinPalette();
        std::printf("%s\n", qPrintable(QApplication::palette().color(QPalette::Window).name()));
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setStyle(new ZerunDarkStyle);
    TestDefaultPalette test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_defaultpalette.moc"
