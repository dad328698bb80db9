#include "apppaths.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "tsxml.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// A document of several elements: a container, leaves with text, an empty leaf.
const QByteArray listDocument = declaration + "<skins>\n"
                                              "    <skin>dark</skin>\n"
                                              "    <skin>light &amp; bright</skin>\n"
                                              "    <empty/>\n"
                                              "</skins>\n";

} // namespace

class TestTsXML : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void valueFile_data();
    void valueFile();
    void valuesSurvive_data();
    void valuesSurvive();
    void neverSavedKeyIsEmpty();
    void unreadableFilesAreEmpty_data();
    void unreadableFilesAreEmpty();
    void olderFilesLoad_data();
    void olderFilesLoad();
    void saveWithoutFolderWritesNothing();
    void failedWriteKeepsTheOldValue();
    void keysStayInsideTheirFolder_data();
    void keysStayInsideTheirFolder();
    void listReaders();
    void listReadersOnMissingOrBrokenFiles();
    void splitPairs_data();
    void splitPairs();
    void fileBoundWriterAndReader();
    void lockedObjectRefusesToReopen();

private:
    std::unique_ptr<TestProfile> profile;
};

void TestTsXML::initTestCase()
{
    setInstallerIdentity();
}

void TestTsXML::init()
{
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
    QVERIFY(QDir().mkpath(AppPaths::preferencesFolder()));
    QVERIFY(QDir().mkpath(AppPaths::cacheFolder()));
}

void TestTsXML::cleanup()
{
    profile.reset();
}

void TestTsXML::valueFile_data()
{
    QTest::addColumn<int>("location");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("skin") << int(TsXML::Cache) << "current_skin"
                          << "default" << declaration + "<data>default</data>\n";
    QTest::newRow("language") << int(TsXML::Cache) << "current_language"
                              << "en" << declaration + "<data>en</data>\n";
    QTest::newRow("folder") << int(TsXML::Preferences) << "user_data_folder"
                            << "/home/a b/Documents"
                            << declaration + "<data>/home/a b/Documents</data>\n";
    QTest::newRow("markup") << int(TsXML::Preferences) << "odd"
                            << "<b> & </b>"
                            << declaration + "<data>&lt;b&gt; &amp; &lt;/b&gt;</data>\n";
    QTest::newRow("empty") << int(TsXML::Cache) << "empty"
                           << "" << declaration + "<data></data>\n";
    QTest::newRow("non-ASCII") << int(TsXML::Cache) << "name" << QStringLiteral("Zürich ✓")
                               << declaration + QStringLiteral("<data>Zürich ✓</data>\n").toUtf8();
    // Values plain character data cannot hold exactly are marked and escaped; a backslash in a
    // plain value stays as it is.
    QTest::newRow("plain backslash")
        << int(TsXML::Cache) << "path"
        << "C:\\Games\\u0041" << declaration + "<data>C:\\Games\\u0041</data>\n";
    QTest::newRow("carriage return")
        << int(TsXML::Cache) << "lines"
        << "a\r\nb\\c" << declaration + "<data encoding=\"escaped\">a\\u000d\nb\\\\c</data>\n";
    QTest::newRow("control character")
        << int(TsXML::Preferences) << "bell" << QStringLiteral("<\u0001\u0007>")
        << declaration + "<data encoding=\"escaped\">&lt;\\u0001\\u0007&gt;</data>\n";
}

void TestTsXML::valueFile()
{
    QFETCH(int, location);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, bytes);

    TsXML::save(location, key, value);
    const QString folder =
        location == TsXML::Cache ? AppPaths::cacheFolder() : AppPaths::preferencesFolder();
    const QString path = folder + QLatin1Char('/') + key + QStringLiteral(".xml");
    QCOMPARE(TestFiles::read(path), bytes);
    QCOMPARE(TsXML::load(location, key), value);
    // Nothing else lands in the folder (no temporary file left behind).
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{key + ".xml"});
}

void TestTsXML::valuesSurvive_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("angle brackets") << "<data>x</data>";
    QTest::newRow("ampersands") << "a && b &amp; c";
    QTest::newRow("all three") << "<&>";
    QTest::newRow("quotes") << "\"double\" 'single'";
    QTest::newRow("section end") << "]]>";
    QTest::newRow("spaces kept") << "  two  ";
    QTest::newRow("lines") << "one\ntwo\n";
    QTest::newRow("tab") << "a\tb";
    QTest::newRow("equals") << "key=value";
    QTest::newRow("long") << QString(100000, QLatin1Char('x'));
    QTest::newRow("CR LF") << "one\r\ntwo\r\n";
    QTest::newRow("CR alone") << "one\rtwo";
    QTest::newRow("blanks around") << " \t value \n ";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("line feed only") << "\n";
    QTest::newRow("U+0001") << QStringLiteral("a\u0001b");
    QTest::newRow("U+0007 and markup") << QStringLiteral("<\u0007&>");
    QTest::newRow("NUL") << QString(QChar(0)) + "x";
    QTest::newRow("every C0 control") << [] {
        QString all;
        for (ushort c = 0; c < 0x20; ++c)
            all += QChar(c);
        return all;
    }();
    QTest::newRow("backslashes") << "\\ \\\\ \\u0041 \\x";
    QTest::newRow("backslashes with a control character") << QStringLiteral("\\u0041\u0002\\");
    QTest::newRow("non-characters") << QStringLiteral("\uFFFE\uFFFF");
    QTest::newRow("lone surrogates") << QString(QChar(0xD800)) + "x" + QChar(0xDC00);
    QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600");
    QTest::newRow("non-ASCII with a tab") << QStringLiteral("Zürich\t✓");
}

void TestTsXML::valuesSurvive()
{
    QFETCH(QString, value);
    QVERIFY(TsXML::save(TsXML::Preferences, QStringLiteral("value"), QStringLiteral("old")));
    // The new value replaces the old one, whatever it holds.
    QVERIFY(TsXML::save(TsXML::Preferences, QStringLiteral("value"), value));
    QCOMPARE(TsXML::load(TsXML::Preferences, QStringLiteral("value")), value);
    // Saving again replaces the value whole.
    TsXML::save(TsXML::Preferences, QStringLiteral("value"), QStringLiteral("next"));
    QCOMPARE(TsXML::load(TsXML::Preferences, QStringLiteral("value")), QStringLiteral("next"));
}

void TestTsXML::neverSavedKeyIsEmpty()
{
    // No fault either: a fresh profile has none of its values yet.
    static QStringList messages;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { messages << text; });
    const QString path = AppPaths::preferencesFolder() + QStringLiteral("/never.xml");
    const QString value = TsXML::load(TsXML::Preferences, QStringLiteral("never"));
    qInstallMessageHandler(previous);
    QCOMPARE(messages, QStringList());
    QVERIFY(value.isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestTsXML::unreadableFilesAreEmpty_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("value");
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("not XML") << QByteArray("default") << "";
    QTest::newRow("cut short") << declaration + "<data>defa"
                               << "";
    QTest::newRow("no data element") << declaration + "<value>x</value>\n"
                                     << "";
    QTest::newRow("child inside data") << declaration + "<data>a<b/>c</data>\n"
                                       << "";
    QTest::newRow("extra content") << declaration + "<data>x</data><data>y</data>\n"
                                   << "";
    QTest::newRow("unknown escape") << declaration + "<data encoding=\"escaped\">a\\q</data>\n"
                                    << "";
    QTest::newRow("short escape") << declaration + "<data encoding=\"escaped\">a\\u00</data>\n"
                                  << "";
    QTest::newRow("escape not hex") << declaration + "<data encoding=\"escaped\">\\u00g1</data>\n"
                                    << "";
    QTest::newRow("trailing backslash") << declaration + "<data encoding=\"escaped\">a\\</data>\n"
                                        << "";
    QTest::newRow("last data wins")
        << declaration + "<root><data>first</data><data>last</data></root>\n"
        << "last";
}

void TestTsXML::unreadableFilesAreEmpty()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, value);
    TestFiles::write(AppPaths::cacheFolder() + QStringLiteral("/broken.xml"), bytes);
    QCOMPARE(TsXML::load(TsXML::Cache, QStringLiteral("broken")), value);
}

void TestTsXML::olderFilesLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("value");
    // Files as earlier versions wrote them: no attribute, plain character data, text-mode line
    // ends of either platform.
    QTest::newRow("LF") << declaration + "<data>default</data>\n"
                        << "default";
    QTest::newRow("CR LF") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                         "<data>C:/Users/a b/Documents</data>\r\n")
                           << "C:/Users/a b/Documents";
    QTest::newRow("backslashes stay") << declaration + "<data>C:\\u0041\\\\x</data>\n"
                                      << "C:\\u0041\\\\x";
    QTest::newRow("markup") << declaration + "<data>&lt;b&gt; &amp;</data>\n"
                            << "<b> &";
    QTest::newRow("other attribute") << declaration + "<data kind=\"x\">a\\u0041</data>\n"
                                     << "a\\u0041";
    QTest::newRow("escaped upper-case hex")
        << declaration + "<data encoding=\"escaped\">\\u000D\\u000a</data>\n"
        << "\r\n";
}

void TestTsXML::olderFilesLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, value);
    TestFiles::write(AppPaths::cacheFolder() + QStringLiteral("/older.xml"), bytes);
    QCOMPARE(TsXML::load(TsXML::Cache, QStringLiteral("older")), value);
}

void TestTsXML::saveWithoutFolderWritesNothing()
{
    QVERIFY(QDir(AppPaths::preferencesFolder()).removeRecursively());
    const QString path = AppPaths::preferencesFolder() + QStringLiteral("/key.xml");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Error saving XML ") + path));
    QVERIFY(!TsXML::save(TsXML::Preferences, QStringLiteral("key"), QStringLiteral("value")));
    QVERIFY(!QFileInfo::exists(AppPaths::preferencesFolder()));
}

void TestTsXML::failedWriteKeepsTheOldValue()
{
    TsXML::save(TsXML::Preferences, QStringLiteral("user_data_folder"), QStringLiteral("/kept"));
    const QString path = AppPaths::preferencesFolder() + QStringLiteral("/user_data_folder.xml");
    const QByteArray before = TestFiles::read(path);

    // A file-size limit makes the write of a long value fail part-way, for any user.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Error saving XML ") + path));
    QVERIFY(!TsXML::save(TsXML::Preferences, QStringLiteral("user_data_folder"),
                         QString(65536, QLatin1Char('y'))));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(TestFiles::read(path), before);
    QCOMPARE(TsXML::load(TsXML::Preferences, QStringLiteral("user_data_folder")),
             QStringLiteral("/kept"));
    QCOMPARE(QDir(AppPaths::preferencesFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"user_data_folder.xml"});
}

void TestTsXML::keysStayInsideTheirFolder_data()
{
    QTest::addColumn<int>("location");
    QTest::addColumn<QString>("key");
    QTest::newRow("parent folder") << int(TsXML::Preferences) << "../escaped";
    QTest::newRow("absolute") << int(TsXML::Cache) << "/tmp/escaped";
    QTest::newRow("backslash") << int(TsXML::Cache) << "..\\escaped";
    QTest::newRow("no such location") << 3 << "escaped";
    QTest::newRow("no location") << 0 << "escaped";
}

void TestTsXML::keysStayInsideTheirFolder()
{
    QFETCH(int, location);
    QFETCH(QString, key);
    const QStringList before = profile->tree();
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Error saving XML ") + key));
    TsXML::save(location, key, QStringLiteral("value"));
    QCOMPARE(profile->tree(), before);
    QVERIFY(TsXML::filePath(location, key).isEmpty());
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Error loading XML ") + key));
    QCOMPARE(TsXML::load(location, key), QString());
    QVERIFY(TsXML::loadList(location, key, true).isEmpty());
}

void TestTsXML::listReaders()
{
    TestFiles::write(AppPaths::cacheFolder() + QStringLiteral("/skins.xml"), listDocument);
    TestFiles::write(AppPaths::preferencesFolder() + QStringLiteral("/skins.xml"), listDocument);

    // One entry per token: document start, the container (no text of its own), each leaf with
    // its text, the white space between elements, the container's end and the document end.
    const QStringList pairs = {
        "=", "skins=", "skin=dark", "=", "skin=light & bright", "=", "empty=", "=", "skins=", "=",
    };
    const QStringList texts = {"", "", "dark", "", "light & bright", "", "", "", "", ""};
    const QStringList names = {"", "skins", "skin", "", "skin", "", "empty", "", "skins", ""};

    QCOMPARE(TsXML::loadCacheList(QStringLiteral("skins"), true), pairs);
    QCOMPARE(TsXML::loadCacheList(QStringLiteral("skins")), texts);
    QCOMPARE(TsXML::loadPreferencesList(QStringLiteral("skins"), true), pairs);
    QCOMPARE(TsXML::loadPreferencesList(QStringLiteral("skins")), texts);
    QCOMPARE(TsXML::loadList(TsXML::Cache, QStringLiteral("skins"), true), texts);
    QCOMPARE(TsXML::loadList(TsXML::Preferences, QStringLiteral("skins"), false), names);

    QCOMPARE(TsXML::splitPairs(pairs, false), names);
    QCOMPARE(TsXML::splitPairs(pairs, true), texts);

    // A value file read as a list: its one element with its text.
    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("default"));
    QCOMPARE(TsXML::loadCacheList(QStringLiteral("current_skin"), true),
             (QStringList{"=", "data=default", "="}));
}

void TestTsXML::listReadersOnMissingOrBrokenFiles()
{
    QVERIFY(TsXML::loadCacheList(QStringLiteral("missing")).isEmpty());

    // Entries up to the fault stay; the broken element gives none.
    TestFiles::write(AppPaths::cacheFolder() + QStringLiteral("/broken.xml"),
                     declaration + "<list><a>1</a><b>2</c></list>");
    QCOMPARE(TsXML::loadCacheList(QStringLiteral("broken"), true),
             (QStringList{"=", "list=", "a=1"}));
}

void TestTsXML::splitPairs_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("pairs") << QStringList{"a=1", "b=2"} << QStringList{"a", "b"}
                           << QStringList{"1", "2"};
    QTest::newRow("empty parts") << QStringList{"=", "a=", "=1", ""} << QStringList{"", "a", "", ""}
                                 << QStringList{"", "", "1", ""};
    QTest::newRow("value with equals") << QStringList{"url=http://h/?a=1&b=2"} << QStringList{"url"}
                                       << QStringList{"http://h/?a=1&b=2"};
    QTest::newRow("no equals") << QStringList{"plain"} << QStringList{"plain"} << QStringList{""};
    QTest::newRow("none") << QStringList() << QStringList() << QStringList();
}

void TestTsXML::splitPairs()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    QCOMPARE(TsXML::splitPairs(entries, false), names);
    QCOMPARE(TsXML::splitPairs(entries, true), values);
}

void TestTsXML::fileBoundWriterAndReader()
{
    const QString path = profile->home() + QStringLiteral("/bound.xml");
    {
        TsXML bound(path, true);
        QVERIFY(bound.locked);
        QCOMPARE(bound.writer.device(), &bound.file);
        QVERIFY(bound.file.isWritable());
        bound.writer.writeStartDocument();
        bound.writer.writeTextElement(QStringLiteral("data"), QStringLiteral("bound"));
        bound.writer.writeEndDocument();
    }
    QCOMPARE(TestFiles::read(path),
             QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><data>bound</data>\n"));

    TsXML bound(path, false);
    QVERIFY(bound.locked);
    QCOMPARE(bound.reader.device(), &bound.file);
    QVERIFY(bound.reader.readNextStartElement());
    QCOMPARE(bound.reader.name(), QLatin1String("data"));
    QCOMPARE(bound.reader.readElementText(), QStringLiteral("bound"));

    // Writing truncates what was there.
    {
        TsXML again(path, true);
    }
    QCOMPARE(TestFiles::read(path), QByteArray());

    const QString missing = profile->home() + QStringLiteral("/no/such/folder.xml");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Error loading XML ") + missing));
    TsXML absent(missing, false);
    QVERIFY(absent.locked);
    QCOMPARE(absent.reader.device(), &absent.file);
    QVERIFY(!absent.file.isOpen());
}

void TestTsXML::lockedObjectRefusesToReopen()
{
    const QString path = profile->home() + QStringLiteral("/locked.xml");
    TestFiles::write(path, declaration + "<data>x</data>\n");
    TsXML bound(path, false);
    const QString message =
        QStringLiteral("Attempted to access Read Mode when the Device is Locked!");
    QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
    bound.openForReading();
    QTest::ignoreMessage(QtDebugMsg, qPrintable(message));
    bound.openForWriting();
    // Still open for reading only; the file is untouched.
    QVERIFY(bound.file.isReadable());
    QVERIFY(!bound.file.isWritable());
    QCOMPARE(bound.writer.device(), nullptr);
    QCOMPARE(TestFiles::read(path), declaration + "<data>x</data>\n");
}

QTEST_GUILESS_MAIN(TestTsXML)
#include "tst_tsxml.moc"
