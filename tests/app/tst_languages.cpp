#include "apppaths.h"
#include "modalscript.h"
#include "roadfixture.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "translations.h"
#include "tslogging.h"
#include "widgetlookup.h"
#include "zerun.h"
#include "zipfixtures.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

// The sample package that the local run serves as "Real World 2016".
const QString sampleFolder = QStringLiteral(ZERUN_TEST_DATA "/../../samples/packages/realworld");

} // namespace

// The language combo of the catalogue page, and each shipped translation through an install in
// the real window: the catalogue page, the transfer page and the folder question. The compiled
// translations are in languages/ beside the test.
class TestLanguages : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void choiceIsKeptAndNoted_data();
    void choiceIsKeptAndNoted();
    void shippedLanguagesTranslate_data();
    void shippedLanguagesTranslate();

private:
    std::unique_ptr<TestProfile> profile;
};

void TestLanguages::initTestCase()
{
    setInstallerIdentity();
    TsLogging::installMessageHandler();
}

void TestLanguages::init()
{
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
    AppPaths::createFolders();
}

void TestLanguages::cleanup()
{
    // Each translator goes with its object, whoever installed it.
    qDeleteAll(qApp->findChildren<QTranslator *>(QString(), Qt::FindDirectChildrenOnly));
    tearDownRoad();
    profile.reset();
}

void TestLanguages::choiceIsKeptAndNoted_data()
{
    QTest::addColumn<QString>("running");
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("note");
    // The note is said in the language chosen; choosing the running one again says nothing.
    QTest::newRow("en") << "de" << 1 << "en"
                        << "Applies at the next start.";
    QTest::newRow("de") << "en" << 0 << "de"
                        << "Gilt ab dem nächsten Start.";
    QTest::newRow("fr") << "en" << 0 << "fr"
                        << "S'applique au prochain démarrage.";
    QTest::newRow("es") << "pt" << 4 << "es"
                        << "Se aplica en el próximo inicio.";
    QTest::newRow("pt") << "it" << 0 << "pt"
                        << "Vale a partir da próxima inicialização.";
    QTest::newRow("same") << "fr" << 2 << "fr"
                          << "";
}

void TestLanguages::choiceIsKeptAndNoted()
{
    QFETCH(QString, running);
    QFETCH(int, shownIndex);
    QFETCH(QString, chosen);
    QFETCH(QString, note);
    AppPaths::setCurrentLanguage(running);
    Zerun window;
    auto *combo = child<QComboBox>(window, "language_choice");
    QCOMPARE(combo->currentIndex(), shownIndex);
    QVERIFY(child<QLabel>(window, "language_note")->text().isEmpty());

    combo->setCurrentIndex(combo->findData(chosen));
    QCOMPARE(AppPaths::currentLanguage(), chosen);
    QCOMPARE(child<QLabel>(window, "language_note")->text(), note);
}

void TestLanguages::shippedLanguagesTranslate_data()
{
    QTest::addColumn<QString>("code");
    // Download, Clear List, the Picture Packs filter.
    QTest::addColumn<QStringList>("page");
    // While the folder name is asked: Cancel, the package count, the question's two buttons;
    // after the batch: Go Back, Quit, Copy Details, Show Log.
    QTest::addColumn<QStringList>("transfer");
    // The folder question when it comes back after an empty answer.
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("folder");
    QTest::newRow("de")
        << "de" << QStringList{"Herunterladen", "Liste leeren", "Bilderpakete"}
        << QStringList{"Abbrechen",
                       "0 von 1 Paketen",
                       "OK",
                       "Abbrechen",
                       "Zurück",
                       "Beenden",
                       "Details kopieren",
                       "Protokoll anzeigen"}
        << "Wählen Sie einen Ordnernamen, um Real World 2016 (Mod DB) darin zu installieren: (Sie "
           "müssen einen Wert eingeben)"
        << "Echte Welt";
    QTest::newRow("fr")
        << "fr" << QStringList{"Télécharger", "Vider la liste", "Packs d'images"}
        << QStringList{"Annuler",
                       "0 sur 1 paquets",
                       "OK",
                       "Annuler",
                       "Retour",
                       "Quitter",
                       "Copier les détails",
                       "Afficher le journal"}
        << "Choisissez un nom de dossier où installer Real World 2016 (Mod DB) : (Vous devez "
           "saisir une valeur)"
        << "Monde réel";
    QTest::newRow("es")
        << "es" << QStringList{"Descargar", "Vaciar lista", "Paquetes de imágenes"}
        << QStringList{"Cancelar", "0 de 1 paquetes", "Aceptar",         "Cancelar",
                       "Volver",   "Salir",           "Copiar detalles", "Mostrar registro"}
        << "Elija un nombre de carpeta donde instalar Real World 2016 (Mod DB): (Debe "
           "introducir un valor)"
        << "Mundo real";
    QTest::newRow("pt")
        << "pt" << QStringList{"Baixar", "Limpar lista", "Pacotes de imagens"}
        << QStringList{"Cancelar",        "0 de 1 pacotes",  "OK", "Cancelar", "Voltar", "Sair",
                       "Copiar detalhes", "Mostrar registro"}
        << "Escolha um nome de pasta para instalar Real World 2016 (Mod DB): (Você precisa "
           "digitar um valor)"
        << "Mundo Real";
}

void TestLanguages::shippedLanguagesTranslate()
{
    QFETCH(QString, code);
    QFETCH(QStringList, page);
    QFETCH(QStringList, transfer);
    QFETCH(QString, asked);
    QFETCH(QString, folder);
    if (!ZipFixtures::hasTool("zip"))
        QSKIP("Info-ZIP zip is needed to make the sample archive");
    // As at start-up: Qt's own texts, the English plural forms, then the language's own.
    QCOMPARE(installTranslations(code).size(), 3);

    // The sample package of the local run, under the local run's catalogue; only the first
    // package is fetched.
    setUpRoad();
    zipFolder("realworld.zip", sampleFolder);
    serveCatalogue(catalogueLine("realworld.zip", "mods,Real World 2016") +
                   catalogueLine("faces.zip", "pics,Worker Faces") +
                   catalogueLine("goldskin.zip", "skin,Gold Skin"));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    AppPaths::setCurrentLanguage(code);
    Zerun window;
    {
        ModalScript none({});
        QVERIFY(window.initialise());
        QCOMPARE(none.unexpected(), 0);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *repo = child<QListWidget>(window, "repo_list");
    QTRY_COMPARE(repo->count(), 3);
    const QStringList shown{child<QPushButton>(window, "download_items")->text(),
                            child<QPushButton>(window, "clear_list")->text(),
                            child<QComboBox>(window, "repo_filter")->itemText(2)};
    QCOMPARE(shown, page);

    // One package through the batch; its folder is asked for twice (the first answer empty).
    repo->setCurrentRow(0);
    QTest::mouseClick(child<QPushButton>(window, "add_to_list"), Qt::LeftButton);
    if (code == "de") {
        // The README's picture of the catalogue page in German.
        const QString screenshots = QStringLiteral(ZERUN_BIN_DIR "/../screenshots");
        QVERIFY(QDir().mkpath(screenshots));
        window.resize(640, 360);
        QVERIFY(window.grab().save(screenshots + "/catalogue-de.png"));
    }

    QStringList during;
    ModalScript script({[&](QWidget *modal) {
                            during << child<QPushButton>(window, "cancel_batch")->text()
                                   << child<QProgressBar>(window, "batchProgress")->text();
                            const auto buttons = modal->findChild<QDialogButtonBox *>()->buttons();
                            for (const QAbstractButton *button : buttons)
                                during << button->text().remove('&');
                            ModalScript::acceptText(QString())(modal);
                        },
                        ModalScript::acceptText(folder)});
    QTest::mouseClick(child<QPushButton>(window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
    during << child<QPushButton>(window, "back")->text()
           << child<QPushButton>(window, "quit")->text()
           << child<QPushButton>(window, "copy_details")->text()
           << child<QPushButton>(window, "show_log")->text();
    QCOMPARE(during, transfer);
    QVERIFY2(script.seen().value(1).label.endsWith(asked),
             qPrintable(script.seen().value(1).label));

    // The game gains the package in the folder named, and nothing else.
    QMap<QString, QByteArray> expected = before;
    const QString target = "Databases/" + folder + "/";
    expected.insert(target, QByteArray());
    expected.insert(target + "SaveGames/", QByteArray());
    const QMap<QString, QByteArray> package = TestFiles::tree(sampleFolder);
    for (auto it = package.cbegin(); it != package.cend(); ++it)
        expected.insert(target + it.key(), it.value());
    QCOMPARE(TestFiles::tree(game()), expected);
    // The log keeps the outcome in English.
    const QString log = QString::fromUtf8(TestFiles::read(AppPaths::dailyLogFile()));
    QVERIFY2(
        log.contains("Batch: Real World 2016 [Mod] \u2192 Databases/" + folder + ": installed"),
        qPrintable(log));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
