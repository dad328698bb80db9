#include "apppaths.h"
#include "cataloguefetch.h"
#include "crashreportconsent.h"
#include "elidedlabel.h"
#include "failurewords.h"
#include "filereport.h"
#include "framelesswindow.h"
#include "gamefolder.h"
#include "gamefolderpage.h"
#include "installrules.h"
#include "listexchange.h"
#include "modalscript.h"
#include "packagelistfile.h"
#include "packageremoval.h"
#include "packageupdates.h"
#include "questionqueue.h"
#include "repolist.h"
#include "roadfixture.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "translations.h"
#include "tsbreakpad.h"
#include "tscompression.h"
#include "tslogging.h"
#include "tsunzip.h"
#include "widgetlookup.h"
#include "windowquestions.h"
#include "zerun.h"
#include "zerundarkstyle.h"
#include "zipfixtures.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSslError>
#include <QStyleOptionButton>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// The sample package that the local run serves as "Real World 2016".
const QString sampleFolder = QStringLiteral(ZERUN_TEST_DATA "/../../samples/packages/realworld");

// Every stretch of two words or more of an English source text that German words otherwise:
// a German page holding one still speaks English.
QStringList englishPhrases()
{
    QFile file(QStringLiteral(ZERUN_TEST_DATA "/../../languages/de.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QString source;
    QString translation;
    QStringList phrases;
    static const QRegularExpression cuts(QStringLiteral("%L?[0-9n]|[\n:;.,?!()\"\\[\\]]"));
    static const QRegularExpression twoWords(QStringLiteral("[A-Za-z']{2,} +[A-Za-z']{2,}"));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            source.clear();
            translation.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && (xml.name() == QLatin1String("translation") ||
                                            xml.name() == QLatin1String("numerusform"))) {
            translation += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            for (const QString &piece : source.split(cuts, Qt::SkipEmptyParts)) {
                const QString phrase = piece.trimmed();
                if (twoWords.match(phrase).hasMatch() && !translation.contains(phrase))
                    phrases << phrase;
            }
        }
    }
    phrases.removeDuplicates();
    return phrases;
}

// The English in `texts`: phrases of the English sources, and words no German sentence has.
QStringList englishIn(const QStringList &texts)
{
    static const QStringList phrases = englishPhrases();
    static const QRegularExpression words(
        QStringLiteral("\\b(the|could|not|is|are|and|of|with|your|you|file|files|folder|"
                       "package|packages|installed|failed|skipped|\\(s\\))(?=\\W|$)"));
    QStringList found;
    for (const QString &text : texts) {
        for (const QString &phrase : phrases) {
            if (QRegularExpression(QStringLiteral("\\b") + QRegularExpression::escape(phrase) +
                                   QStringLiteral("\\b"))
                    .match(text)
                    .hasMatch())
                found << phrase + QStringLiteral("  in  ") + text;
        }
        const QRegularExpressionMatch word = words.match(text);
        if (word.hasMatch())
            found << word.captured(1) + QStringLiteral("  in  ") + text;
    }
    return found;
}

// What a page or dialog shows: its title, texts, buttons, list lines and tooltips.
QStringList shownTexts(const QWidget *top)
{
    QStringList texts{top->windowTitle(), top->toolTip()};
    const QList<QWidget *> widgets = top->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        if (!widget->isVisibleTo(top))
            continue;
        texts << widget->toolTip();
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text().remove(QLatin1Char('&'));
        else if (const auto *edit = qobject_cast<const QPlainTextEdit *>(widget))
            texts << edit->toPlainText();
        else if (const auto *bar = qobject_cast<const QProgressBar *>(widget))
            texts << bar->text();
        else if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int index = 0; index < combo->count(); ++index)
                texts << combo->itemText(index);
        } else if (const auto *list = qobject_cast<const QAbstractItemView *>(widget)) {
            const QAbstractItemModel *rows = list->model();
            for (int row = 0; row < rows->rowCount(); ++row)
                texts << rows->index(row, 0).data().toString()
                      << rows->index(row, 0).data(Qt::ToolTipRole).toString();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// What keeps `page` of the window in `frame` from fitting the smallest frame, 640 x 480: a larger
// minimum, a button whose text is cut, an Alt key that two of its buttons share.
QStringList unfitting(QWidget &frame, const QWidget *page)
{
    QStringList found;
    QTest::qWait(10); // the layouts take the texts changed
    const QSize least = frame.minimumSizeHint();
    if (least.width() > 640 || least.height() > 480)
        found << QStringLiteral("minimum %1 x %2").arg(least.width()).arg(least.height());
    if (!QTest::qWaitFor([&frame] {
            frame.resize(640, 480);
            return frame.size() == QSize(640, 480);
        }))
        found << QStringLiteral("not resized");
    QString keys;
    for (const QPushButton *button : page->findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(&frame))
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        const int room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        const QString text = QString(button->text()).remove('&');
        if (button->fontMetrics().horizontalAdvance(text) > room)
            found << QStringLiteral("cut: ") + text;
        const QString key = button->text().section('&', 1).left(1).toLower();
        if (!key.isEmpty() && keys.contains(key))
            found << QStringLiteral("key shared: ") + button->text();
        keys += key;
    }
    // A notice is elided only when the page gives it less room than it asks for.
    for (const NoticeLabel *notice : page->findChildren<NoticeLabel *>()) {
        if (notice->isVisibleTo(&frame) && notice->shownText().endsWith(QChar(0x2026)) &&
            notice->width() >= notice->sizeHint().width())
            found << QStringLiteral("cut: ") + notice->text();
    }
    return found;
}

// A script step that keeps what the dialog shows, then answers it with `answer`.
ModalScript::Step reading(QStringList *texts, ModalScript::Step answer)
{
    return [texts, answer](QWidget *modal) {
        *texts << shownTexts(modal);
        answer(modal);
    };
}

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
    void germanPagesSayNoEnglish_data();
    void germanPagesSayNoEnglish();

private:
    QStringList cataloguePage();
    QStringList batchAndOutcome();
    QStringList unpackProgress();
    QStringList updateRepairAndStop();
    QStringList installFromDisk();
    QStringList listExchange();
    QStringList reasonsAndReports();
    QStringList firstStartPage();
    QStringList chooser();
    QStringList crashQuestion();
    QStringList catalogueHostDown();
    QStringList catalogueHostSelfSigned();
    QStringList recordsUnusable();

    std::unique_ptr<TestProfile> profile;
};

void TestLanguages::initTestCase()
{
    // As at start-up: the widths of the pages are those of the installer's style and font.
    QApplication::setStyle(new ZerunDarkStyle);
    QApplication::setFont(QFont(QStringLiteral("Lato"), 10));
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
    QTest::newRow("en") << "en" << QStringList{"Download", "Clear List", "Picture Packs"}
                        << QStringList{"Cancel", "0 of 1 packages", "OK",      "Cancel", "Go Back",
                                       "Quit",   "Copy Details",    "Show Log"}
                        << "Choose a folder name to install the Real World 2016 Mod DB into: (You "
                           "must enter a value)"
                        << "Real World";
    QTest::newRow("de") << "de" << QStringList{"Herunterladen", "Liste leeren", "Bilderpakete"}
                        << QStringList{"Abbrechen",
                                       "0 von 1 Paketen",
                                       "OK",
                                       "Abbrechen",
                                       "Zurück",
                                       "Beenden",
                                       "Details kopieren",
                                       "Protokoll anzeigen"}
                        << "Wählen Sie einen Ordnernamen, um Real World 2016 (Mod-Datenbank) darin "
                           "zu installieren: (Sie "
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
        << "Choisissez un nom de dossier où installer Real World 2016 (Base de mods) : (Vous devez "
           "saisir une valeur)"
        << "Monde réel";
    QTest::newRow("es")
        << "es" << QStringList{"Descargar", "Vaciar lista", "Paquetes de imágenes"}
        << QStringList{"Cancelar", "0 de 1 paquetes", "Aceptar",         "Cancelar",
                       "Volver",   "Salir",           "Copiar detalles", "Mostrar registro"}
        << "Elija un nombre de carpeta donde instalar Real World 2016 (BD de mod): (Debe "
           "introducir un valor)"
        << "Mundo real";
    QTest::newRow("pt")
        << "pt" << QStringList{"Baixar", "Limpar lista", "Pacotes de imagens"}
        << QStringList{"Cancelar",        "0 de 1 pacotes",  "OK", "Cancelar", "Voltar", "Sair",
                       "Copiar detalhes", "Mostrar registro"}
        << "Escolha um nome de pasta para instalar Real World 2016 (BD de mod): (Você precisa "
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
    QCOMPARE(installTranslations(code).size(), code == "en" ? 2 : 3);

    // The sample package of the local run, under the local run's catalogue; only the first
    // package is fetched.
    setUpRoad();
    zipFolder("realworld.zip", sampleFolder);
    serveCatalogue(catalogueLine("realworld.zip", "mods,Real World 2016") +
                   catalogueLine("faces.zip", "pics,Worker Faces") +
                   catalogueLine("goldskin.zip", "skin,Gold Skin"));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    AppPaths::setCurrentLanguage(code);
    // As at start-up: the window in its frame.
    FramelessWindow frame(nullptr);
    auto *window = new Zerun;
    frame.setContent(window, false);
    frame.setMaximumHeight(480);
    {
        ModalScript none({});
        QVERIFY(window->initialise());
        QCOMPARE(none.unexpected(), 0);
    }
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    const RepoList repo = repoList(*window);
    QTRY_COMPARE(repo->count(), 3);
    const QStringList shown{child<QPushButton>(*window, "download_items")->text().remove('&'),
                            child<QPushButton>(*window, "clear_list")->text().remove('&'),
                            child<QComboBox>(*window, "repo_filter")->itemText(2)};
    QCOMPARE(shown, page);

    // One package through the batch; its folder is asked for twice (the first answer empty).
    repo->setCurrentRow(0);
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
    if (code == "de") {
        // The README's picture of the catalogue page in German.
        const QString screenshots = QStringLiteral(ZERUN_BIN_DIR "/../screenshots");
        QVERIFY(QDir().mkpath(screenshots));
        // The frame takes its size once its first layouts are done.
        QVERIFY(QTest::qWaitFor([&frame] {
            frame.resize(640, 400);
            return frame.size() == QSize(640, 400);
        }));
        QVERIFY(window->grab().save(screenshots + "/catalogue-de.png"));
    }
    // The catalogue page at its fullest fits the smallest frame, also in the Installed view: Try
    // Again and Update all as after a failed refresh with updates found, Verify while it runs, the
    // note of a language chosen.
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(Zerun::installedFilter);
    child<QPushButton>(*window, "retry_catalogue")->show();
    child<QPushButton>(*window, "update_all")->setText(PackageUpdates::buttonText(12));
    child<QPushButton>(*window, "update_all")->show();
    child<QPushButton>(*window, "verify_package")
        ->setText(QCoreApplication::translate("Zerun", "&Stop Verifying"));
    auto *language = child<QComboBox>(*window, "language_choice");
    language->setCurrentIndex(language->findData(code == "pt" ? "fr" : "pt"));
    QStringList unfit = unfitting(frame, child<QWidget>(*window, "page"));
    QVERIFY2(unfit.isEmpty(), qPrintable(unfit.join(", ")));

    QStringList during;
    ModalScript script({[&](QWidget *modal) {
                            during << child<QPushButton>(*window, "cancel_batch")->text()
                                   << child<QProgressBar>(*window, "batchProgress")->text();
                            const auto buttons = modal->findChild<QDialogButtonBox *>()->buttons();
                            for (const QAbstractButton *button : buttons)
                                during << button->text().remove('&');
                            ModalScript::acceptText(QString())(modal);
                        },
                        ModalScript::acceptText(folder)});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
    for (const char *button : {"back", "quit", "copy_details", "show_log"})
        during << child<QPushButton>(*window, button)->text().remove('&');
    QCOMPARE(during, transfer);
    // The outcome page fits too, with Retry Failed as after a failure.
    child<QPushButton>(*window, "retry_failed")->show();
    unfit = unfitting(frame, child<QWidget>(*window, "page_2"));
    QVERIFY2(unfit.isEmpty(), qPrintable(unfit.join(", ")));
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

void TestLanguages::germanPagesSayNoEnglish_data()
{
    QTest::addColumn<QString>("page");
    for (const char *page : {"catalogue page", "batch and outcome", "install from disk",
                             "export and import", "reasons and reports", "first start", "chooser",
                             "crash question", "catalogue host down", "catalogue host self-signed",
                             "records unusable", "update, repair and stop", "unpack progress"})
        QTest::newRow(page) << page;
}

void TestLanguages::germanPagesSayNoEnglish()
{
    QFETCH(QString, page);
    QVERIFY(!englishPhrases().isEmpty());
    QCOMPARE(installTranslations("de").size(), 3);
    AppPaths::setCurrentLanguage("de");
    const QMap<QString, std::function<QStringList()>> pages{
        {"catalogue page", [this] { return cataloguePage(); }},
        {"batch and outcome", [this] { return batchAndOutcome(); }},
        {"install from disk", [this] { return installFromDisk(); }},
        {"export and import", [this] { return listExchange(); }},
        {"reasons and reports", [this] { return reasonsAndReports(); }},
        {"first start", [this] { return firstStartPage(); }},
        {"chooser", [this] { return chooser(); }},
        {"crash question", [this] { return crashQuestion(); }},
        {"catalogue host down", [this] { return catalogueHostDown(); }},
        {"catalogue host self-signed", [this] { return catalogueHostSelfSigned(); }},
        {"records unusable", [this] { return recordsUnusable(); }},
        {"update, repair and stop", [this] { return updateRepairAndStop(); }},
        {"unpack progress", [this] { return unpackProgress(); }},
    };
    const QStringList texts = pages.value(page)();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!texts.isEmpty());
    const QStringList english = englishIn(texts);
    QVERIFY2(english.isEmpty(), qPrintable(english.join('\n')));
}

// The catalogue page with a package of each kind.
QStringList TestLanguages::cataloguePage()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
    Zerun window;
    ModalScript none({});
    if (!window.initialise())
        return {};
    window.show();
    const RepoList repo = repoList(window);
    [&] { QTRY_COMPARE(repo->count(), 3); }();
    repo->setCurrentRow(1);
    QTest::mouseClick(child<QPushButton>(window, "add_to_list"), Qt::LeftButton);
    return shownTexts(&window);
}

// A batch of a good package, one the host does not have and one that is no zip archive: the
// folder question, then the outcome page.
QStringList TestLanguages::batchAndOutcome()
{
    setUpRoad();
    TestFiles::write(site->filePath("files/broken.zip"), "PK\x03\x04 not really a zip archive");
    serveCatalogue(catalogueLine("realworld.zip", "mods,Real World") +
                   catalogueLine("missing.zip", "pics,Faces") +
                   catalogueLine("broken.zip", "skin,Gold Skin"));
    Zerun window;
    {
        ModalScript none({});
        if (!window.initialise())
            return {};
    }
    window.show();
    const RepoList repo = repoList(window);
    [&] { QTRY_COMPARE(repo->count(), 3); }();
    repo->selectAll();
    QTest::mouseClick(child<QPushButton>(window, "add_to_list"), Qt::LeftButton);
    // The first package's host is busy once: the page tells of the retry.
    host->setBusy("/files/realworld.zip", 503, 1, "1");
    QStringList texts;
    ModalScript script({reading(&texts, ModalScript::acceptText("Echte Welt"))});
    QTest::mouseClick(child<QPushButton>(window, "download_items"), Qt::LeftButton);
    const auto *info = child<QLabel>(window, "progressInfo");
    [&] { QTRY_VERIFY2(info->text().startsWith("Neuer Versuch in"), qPrintable(info->text())); }();
    texts << info->text();
    [&] {
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "quit")->isVisible(), 20000);
        QVERIFY(script.finished());
    }();
    texts << shownTexts(&window);
    // The three lines are there, with their reasons.
    const auto *outcomes = child<QListWidget>(window, "outcome_list");
    [&] {
        QCOMPARE(outcomes->count(), 3);
        QVERIFY(outcomes->item(1)->text().endsWith(QStringLiteral("(HTTP 404)")));
    }();
    return texts;
}

// The transfer page's progress line through the install of a picture pack of ten files in a
// folder, read as it changes: while it unpacks, it counts the entries and names the last one.
QStringList TestLanguages::unpackProgress()
{
    setUpRoad();
    QMap<QString, QByteArray> parts;
    for (int part = 0; part < 10; ++part) {
        QByteArray noise(1 << 20, Qt::Uninitialized);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                              noise.size() / 4);
        parts.insert(QString("Pictures/part%1.bin").arg(part), noise);
    }
    makePackage("parts.zip", parts);
    serveCatalogue(catalogueLine("parts.zip", "pics,Teile"));
    Zerun window;
    {
        ModalScript none({});
        if (!window.initialise())
            return {};
    }
    window.show();
    const RepoList repo = repoList(window);
    [&] { QTRY_COMPARE(repo->count(), 1); }();
    repo->setCurrentRow(0);
    QTest::mouseClick(child<QPushButton>(window, "add_to_list"), Qt::LeftButton);
    const auto *info = child<QLabel>(window, "progressInfo");
    QStringList heard;
    QTimer listen;
    connect(&listen, &QTimer::timeout, [&] {
        if (heard.isEmpty() || heard.last() != info->text())
            heard << info->text();
    });
    listen.start(1);
    ModalScript script({ModalScript::acceptText("Teile")});
    QTest::mouseClick(child<QPushButton>(window, "download_items"), Qt::LeftButton);
    static const QRegularExpression counted(
        QStringLiteral("^[0-9]+ von 11 Dateien \u00b7 Pictures/part[0-9]\\.bin$"));
    [&] {
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(window, "quit")->isVisible(), 20000);
        QVERIFY(script.finished());
        QVERIFY2(!heard.filter(counted).isEmpty(), qPrintable(heard.join('|')));
    }();
    return heard;
}

// An installed skin whose file the player changed: Update all and a repair, each question about
// the change closed with the window's close button; then a batch stopped during its download.
QStringList TestLanguages::updateRepairAndStop()
{
    setUpRoad();
    makePackage("big.zip", {{"data/big.bin", QByteArray(60000, 'b')}});
    host->setThrottle("/files/big.zip", 20000);
    const QString base = host->baseUrl().toString() + "/files/";
    const QVector<CatalogueEntry> catalogue = {{base + "neatskin.zip", "skin", "Neat Skin"},
                                               {base + "big.zip", "mods", "Big"}};
    QWidget window;
    QuestionQueue queue;
    WindowQuestions questions(queue, &window);
    InstalledPackages records;
    InstallBatch batch(records, questions);
    batch.setGameFolder(gameFolder);
    QStringList texts;
    const auto closed = [](QWidget *modal) { modal->close(); };
    ModalScript script({ModalScript::acceptText("Neat"), reading(&texts, closed),
                        reading(&texts, closed), reading(&texts, ModalScript::reject()),
                        reading(&texts, ModalScript::clickButton("Durchlauf stoppen"))});
    const auto run = [&](const QVector<int> &entries, bool inPlace) {
        QVERIFY(batch.start(catalogue, entries, inPlace));
        QTRY_VERIFY_WITH_TIMEOUT(!batch.isRunning(), 20000);
        texts << batch.outcomeLine(0, Wording::Player);
    };
    [&] {
        QVERIFY(records.load());
        run({0}, false);
        TestFiles::write(game("Skins/Neat/skin.ini"), "[skin]\nname=Mine\n");
        const QMap<QString, QByteArray> before = TestFiles::tree(game());
        run({0}, true);
        batch.repair(*records.find("Neat Skin", "skin"), catalogue);
        QCOMPARE(TestFiles::tree(game()), before);
        connect(&batch.manager(), &DownloadManager::bytesProgress, &window,
                [&batch] { batch.cancel(false); });
        run({1}, false);
        QVERIFY(script.finished());
        QCOMPARE(script.seen().at(1).title, QString("Skin aktualisieren"));
        QCOMPARE(script.seen().at(2).title, QString("Skin reparieren"));
        QCOMPARE(batch.ending().heading, QString("Gestoppt"));
    }();
    return texts << batch.ending().heading << batch.ending().info;
}

// An archive from disk whose name ends with its kind: the kind and folder questions and the
// report.
QStringList TestLanguages::installFromDisk()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
    Zerun window;
    {
        ModalScript none({});
        if (!window.initialise())
            return {};
    }
    QTemporaryDir folder;
    const QString archive = folder.filePath("Gold Skin.zip");
    QFile::copy(site->filePath("files/neatskin.zip"), archive);
    QStringList texts;
    ModalScript script({reading(&texts, ModalScript::clickButton("Skin")),
                        reading(&texts, ModalScript::acceptText("Gold")),
                        reading(&texts, ModalScript::acceptText(QString()))});
    window.installArchives({archive});
    [&] {
        QTRY_VERIFY(script.finished());
        QVERIFY(QFileInfo(game("Skins/Gold/skin.ini")).isFile());
    }();
    return texts;
}

// Export with nothing installed, and an import through the window of a list naming a package
// the catalogue does not have and a line that is none: its chooser opens in the home folder.
QStringList TestLanguages::listExchange()
{
    QStringList texts;
    {
        ModalScript script({reading(&texts, ModalScript::acceptText(QString()))});
        ListExchange::exportList({});
        [&] { QTRY_VERIFY(script.finished()); }();
    }
    setUpRoad();
    serveCatalogue(standardCatalogue());
    Zerun window;
    {
        ModalScript none({});
        if (!window.initialise())
            return {};
    }
    QTemporaryDir folder;
    const QString list = folder.filePath("liste.txt");
    TestFiles::write(list, "http://x.example/a.zip,skin,Silberskin\n???\n");
    QString opened;
    ModalScript script({[&](QWidget *modal) {
                            auto *chooser = qobject_cast<QFileDialog *>(modal);
                            opened = chooser->directory().absolutePath();
                            texts << chooser->windowTitle();
                            chooser->selectFile(list);
                            static_cast<QDialog *>(chooser)->accept();
                        },
                        reading(&texts, ModalScript::reject())});
    QTest::mouseClick(child<QPushButton>(window, "import_list"), Qt::LeftButton);
    [&] {
        QTRY_VERIFY(script.finished());
        QCOMPARE(opened, QDir::homePath());
        QVERIFY2(texts.filter("Zeile 2: ???").size() == 1, qPrintable(texts.join('|')));
    }();
    return texts;
}

// The reasons a package fails for, and the uninstall's reports, as the page words them.
QStringList TestLanguages::reasonsAndReports()
{
    QStringList texts;
    // The rate in German numbers, beside "40,0 von 210 MB".
    [] { QCOMPARE(FailureWords::rateText("(3.8 MB/s)"), QString("3,8 MB/s")); }();
    // Both counts of the unpack's progress in German numbers.
    [] {
        QCOMPARE(QCoreApplication::translate("Zerun", "%1 of %n file(s) \u00b7 %2", nullptr, 30000)
                     .arg(QLocale().toString(2580), "a.png"),
                 QString("2.580 von 30.000 Dateien \u00b7 a.png"));
    }();
    texts << FailureWords::unpackFailure("Couldn't extract file",
                                         "refused the entry name ../../evil.txt")
          << FailureWords::unpackFailure("Couldn't extract file",
                                         TsUnZip::linkEntryText("skins/link.ini"))
          << FailureWords::unpackFailure(
                 "Couldn't extract file",
                 TsUnZip::entryFailureText("a.png", DiskRoom::text(DiskRoom::Problem::Full, {})))
          << FailureWords::unpackFailure(
                 "Couldn't extract file",
                 TsUnZip::entryFailureText("a.png",
                                           DiskRoom::text(DiskRoom::Problem::NoInodes, {})))
          << FailureWords::unpackFailure(
                 "Couldn't extract file",
                 DiskRoom::text(DiskRoom::Problem::ReadOnly, QStringLiteral("/spiel/Skins")))
          << FailureWords::unpackFailure("Couldn't open zip", "not a readable zip archive")
          << FailureWords::unpackFailure("Couldn't open zip", "the archive's directory is damaged")
          << FailureWords::unpackFailure("Couldn't extract file",
                                         TsUnZip::entryFailureText("a.png", QString()))
          << FailureWords::certificateProblem({QSslError(QSslError::SelfSignedCertificate)},
                                              QStringLiteral("pakete.example"))
          << InstallRules::nameComplaint(QStringLiteral("CON"))
          << InstallRules::nameComplaint(QStringLiteral("Gold?Skin"));
    // A folder that cannot be made: a file in the way, and a file where a folder above should be.
    QTemporaryDir skins;
    TestFiles::write(skins.filePath("Gold"), "a file");
    texts << InstallRules::creationComplaint(skins.filePath("Gold"))
          << InstallRules::creationComplaint(skins.filePath("Gold/Neu"));
    // The names in them stay as they are.
    [&] {
        QVERIFY(texts.at(1).endsWith(QStringLiteral(": skins/link.ini")));
        QVERIFY(texts.filter(QStringLiteral("pakete.example")).size() == 1);
    }();
    texts << FailureWords::retryText(2500, 2, 5);
    DownloadOutcome missing;
    missing.httpStatus = 404;
    missing.reason = QStringLiteral("Not Found");
    texts << FailureWords::describe(missing);

    // Records another program holds, or damaged ones (the database's own detail stays).
    for (const QString &why :
         {QStringLiteral("the records of installed packages are in use by another program"),
          QStringLiteral("the records of installed packages are damaged (SQLITE_CORRUPT)")}) {
        PackageRemoval::Result unchecked;
        unchecked.refuse(QT_TRANSLATE_NOOP("PackageRemoval", "%1; nothing was removed"), why,
                         InstalledPackages::checkWords(why));
        texts << PackageRemoval::describe("Gold Skin", "Skins/Gold", unchecked, Wording::Player)
              << FailureWords::unpackFailure(
                     QCoreApplication::translate("PackageInstall", "Nothing was changed"), why);
    }
    PackageRemoval::Result refused;
    refused.refuse(QT_TRANSLATE_NOOP("PackageRemoval", "the folder %1 is reached through a link"),
                   QStringLiteral("Skins/Gold"));
    texts << PackageRemoval::describe("Gold Skin", "Skins/Gold", refused, Wording::Player);
    PackageRemoval::Result partly;
    partly.failed << QStringLiteral("skin.ini (Zugriff verweigert)");
    partly.changed << QStringLiteral("bg/back.png") << QStringLiteral("bg/front.png");
    partly.added << QStringLiteral("notizen.txt");
    const FileReport report =
        FileReport::ofRemoval("Gold Skin", "Skins/Gold", partly, Wording::Player);
    texts << report.summary << report.lines;
    texts << PackageRemoval::describe("Gold Skin", "Skins/Gold", partly, Wording::Player);
    // Every file removed, the record held by another program: said so, without the database's
    // own words.
    PackageRemoval::Result held;
    held.removed << QStringLiteral("skin.ini");
    held.unfinished << QStringLiteral("the record could not be written: database is locked "
                                      "Unable to fetch row");
    texts << PackageRemoval::describe("Gold Skin", "Skins/Gold", held, Wording::Player)
          << FileReport::ofRemoval("Gold Skin", "Skins/Gold", held, Wording::Player).summary;
    [&] { QVERIFY(texts.filter("database").isEmpty() && texts.last().contains("Gold Skin")); }();
    return texts;
}

// The page shown when the game was not found.
QStringList TestLanguages::firstStartPage()
{
    GameFolderPage page({{"/home/spieler/.wine/", "Wine"}, {"/mnt/Steam/", "Steam"}},
                        "/home/spieler");
    return shownTexts(&page);
}

// The list of two installs found, closed without a choice.
QStringList TestLanguages::chooser()
{
    QStringList texts;
    ModalScript script({reading(&texts, ModalScript::reject())});
    const QString chosen =
        GameFolder::choose({{"/home/spieler/.wine/drive_c/GOG Games/TEW2016/", "Wine"},
                            {"/home/spieler/Games/TEW2016/", "Lutris"}});
    [&] {
        QVERIFY(chosen.isEmpty());
        QVERIFY(script.finished());
    }();
    return texts;
}

// The question about a crash report waiting to be sent, with its contents shown.
QStringList TestLanguages::crashQuestion()
{
    const QString logs = AppPaths::logsFolder();
    QDir(logs).removeRecursively();
    AppPaths::createFolders();
    TestFiles::write(logs + "/summary.dat", "1.0 | 2026-12-08");
    TestFiles::write(logs + "/crash.dmp", "MDMP");
    TestFiles::write(logs + "/081226.txt", "/home/spieler/Spiele");
    TestFiles::write(logs + "/bild.png", "PNG");
    [&] {
        QVERIFY(TsCompression::zipFiles(logs + "/crash.zip",
                                        {logs + "/081226.txt", logs + "/bild.png",
                                         logs + "/summary.dat", logs + "/crash.dmp"}));
    }();
    QWidget window;
    window.resize(800, 480);
    window.show();
    TsBreakpad uploader;
    CrashReportConsent consent(uploader);
    if (!consent.askIfPending(&window))
        return {};
    FramelessWindow *panel = consent.panel();
    QTest::mouseClick(child<QPushButton>(*panel, "crashReportShow"), Qt::LeftButton);
    // Each file says what it is: the screenshot, the log with the home folder's paths.
    const QString contents = child<QPlainTextEdit>(*panel, "crashReportContents")->toPlainText();
    [&] {
        QVERIFY2(contents.contains("bild.png: ein Bildschirmfoto") &&
                     contents.contains("081226.txt: das Protokoll"),
                 qPrintable(contents));
    }();
    return shownTexts(panel);
}

// The catalogue page when the host cannot be reached and no copy was kept.
QStringList TestLanguages::catalogueHostDown()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
    QFile::remove(CatalogueFetch::cacheFile());
    host.reset();
    Zerun window;
    ModalScript none({});
    if (!window.initialise())
        return {};
    window.show();
    auto *retry = child<QPushButton>(window, "retry_catalogue");
    [&] { QTRY_VERIFY(retry->isVisible()); }();
    return shownTexts(&window);
}

// The catalogue page when the host's certificate signs itself and no copy was kept: the reason
// names the certificate, as a download's does.
QStringList TestLanguages::catalogueHostSelfSigned()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
    QFile::remove(CatalogueFetch::cacheFile());
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(site->path(), tls + "localhost.crt", tls + "localhost.key");
    if (!secure.start())
        return {};
    qputenv("ZERUN_CATALOGUE_HOST", secure.baseUrl().toString().toUtf8());
    Zerun window;
    ModalScript none({});
    if (!window.initialise())
        return {};
    window.show();
    const auto *status = child<QLabel>(window, "catalogue_status");
    [&] {
        QTRY_VERIFY(child<QPushButton>(window, "retry_catalogue")->isVisible());
        QVERIFY2(status->text().contains("Zertifikat"), qPrintable(status->text()));
    }();
    return shownTexts(&window);
}

// The catalogue page after a start that found the records of installed packages unusable.
QStringList TestLanguages::recordsUnusable()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
    TestFiles::write(InstalledPackages::defaultPath(), QByteArray(8192, 'Z'));
    Zerun window;
    ModalScript none({});
    if (!window.initialise())
        return {};
    window.show();
    const auto *status = child<QLabel>(window, "catalogue_status");
    [&] {
        QTRY_COMPARE(repoList(window)->count(), 3);
        QVERIFY2(status->text().contains("Aufzeichnungen"), qPrintable(status->text()));
    }();
    return shownTexts(&window);
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
