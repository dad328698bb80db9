#include "apppaths.h"
#include "modalscript.h"
#include "standarddialog.h"
#include "startup.h"
#include "testprofile.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

// The language combo of the catalogue page, and the shipped translations in the window and a
// standard dialog. The compiled translations are in languages/ beside the test.
class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setInstallerIdentity(); }
    void init();
    void cleanup() { profile.reset(); }

    void choiceIsKeptAndNoted_data();
    void choiceIsKeptAndNoted();
    void shippedLanguagesTranslate_data();
    void shippedLanguagesTranslate();

private:
    std::unique_ptr<TestProfile> profile;
};

void TestLanguages::init()
{
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
    AppPaths::createFolders();
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
    // Download, Clear List, the Picture Packs filter; the text input's second showing.
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QString>("asked");
    QTest::newRow("de") << "de" << QStringList{"Herunterladen", "Liste leeren", "Bilderpakete"}
                        << "Name: (Sie müssen einen Wert eingeben)";
    QTest::newRow("fr") << "fr" << QStringList{"Télécharger", "Vider la liste", "Packs d'images"}
                        << "Name: (Vous devez saisir une valeur)";
    QTest::newRow("es") << "es" << QStringList{"Descargar", "Vaciar lista", "Paquetes de imágenes"}
                        << "Name: (Debe introducir un valor)";
    QTest::newRow("pt") << "pt" << QStringList{"Baixar", "Limpar lista", "Pacotes de imagens"}
                        << "Name: (Você precisa digitar um valor)";
}

void TestLanguages::shippedLanguagesTranslate()
{
    QFETCH(QString, code);
    QFETCH(QStringList, page);
    QFETCH(QString, asked);
    QTranslator translator;
    QVERIFY2(translator.load(AppPaths::languageFile(code)), qPrintable(code));
    QVERIFY(QCoreApplication::installTranslator(&translator));

    Zerun window;
    const QStringList shown{child<QPushButton>(window, "download_items")->text(),
                            child<QPushButton>(window, "clear_list")->text(),
                            child<QComboBox>(window, "repo_filter")->itemText(2)};
    QCOMPARE(shown, page);

    ModalScript script({ModalScript::acceptText(QString()), ModalScript::reject()});
    StandardDialog::getText(QStringLiteral("Folder"), QStringLiteral("Name:"));
    QVERIFY(script.finished());
    QCOMPARE(script.seen().value(1).label, asked);
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
