#include "apppaths.h"
#include "downloadmanager.h"
#include "failurewords.h"
#include "installrules.h"
#include "packagehost.h"
#include "testfiles.h"
#include "testprofile.h"
#include "tsunzip.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

// The reasons a player reads for what went wrong, from real archives, disks and hosts: each row
// sets the cause up for real and reads the words the page shows (and the English detail kept for
// the log). Whatever fails leaves the destination as it was, byte for byte.
namespace {

// A tmpfs of its own at `point`, unmounted (lazily) when it goes. Mounting needs the right to
// mount; without it the test that needs one is skipped.
class Mount
{
public:
    Mount(const QString &point, const QByteArray &options) : point(point)
    {
        QDir().mkpath(point);
        const QByteArray where = QFile::encodeName(point);
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) == 0)
            mounted = true;
        else
            failure = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~Mount()
    {
        if (mounted)
            ::umount2(QFile::encodeName(point).constData(), MNT_DETACH);
    }
    Mount(const Mount &) = delete;
    Mount &operator=(const Mount &) = delete;

    bool readOnly()
    {
        const QByteArray where = QFile::encodeName(point);
        return ::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    const QString point;
    bool mounted = false;
    QString failure;
};

// Bytes that do not compress, so that an entry takes its whole size on disk.
QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    quint32 state = 2463534242u;
    for (int i = 0; i < size; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        bytes[i] = char(state);
    }
    return bytes;
}

// Runs Info-ZIP's zip in `folder` with `arguments`; the archive is `folder`/pack.zip.
bool zip(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("zip"), QStringList{QStringLiteral("-q")} + arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class TestReasons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unpack_data();
    void unpack();
    void readOnlyFolderForANewPackage();
    void selfSignedHost();

private:
    TestProfile profile;
};

void TestReasons::initTestCase()
{
    AppPaths::createFolders();
}

void TestReasons::unpack_data()
{
    // "link": an entry that is a symbolic link; "full": a 256 kB disk and a 1 MB entry;
    // "inodes": a disk of 24 files and 40 small entries; "read-only": a disk mounted read-only.
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("english");    // the detail kept for the log (a regular expression)
    QTest::addColumn<QString>("words");      // what the page shows (a regular expression)
    QTest::addColumn<QString>("notInWords"); // never said for this cause

    QTest::newRow("a link entry")
        << "link"
        << "^the archive holds a link, which is not installed: data/link$"
        << "^Couldn't extract file: the archive holds a link, which is not installed: data/link$"
        << "damaged";
    QTest::newRow("the disk is full") << "full"
                                      << "^could not unpack data/big.bin: the disk is full$"
                                      << "^data/big.bin could not be unpacked: the disk is full$"
                                      << "files";
    QTest::newRow("no room for more files")
        << "inodes"
        << "no room for more files on the disk$"
        << "^(Couldn't extract file|.* could not be unpacked): there is no room for more files "
           "on the disk$"
        << "disk is full";
    QTest::newRow("a read-only folder")
        << "read-only"
        << "^the folder .* cannot be written \\(read-only\\)$"
        << "^Couldn't extract file: the folder .* cannot be written \\(read-only\\)$"
        << "Choose another name";
}

void TestReasons::unpack()
{
    QFETCH(QString, cause);
    QFETCH(QString, english);
    QFETCH(QString, words);
    QFETCH(QString, notInWords);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString source = work.filePath("source");
    const QString archive = source + "/pack.zip";
    if (cause == "link") {
        TestFiles::write(source + "/data/a.txt", "a");
        QVERIFY(QFile::link("a.txt", source + "/data/link"));
        QVERIFY(zip(source, {"--symlinks", "-r", "pack.zip", "data"}));
    } else if (cause == "full") {
        TestFiles::write(source + "/data/small.txt", "small");
        TestFiles::write(source + "/data/big.bin", noise(1024 * 1024));
        QVERIFY(zip(source, {"-r", "pack.zip", "data"}));
    } else if (cause == "inodes") {
        for (int i = 0; i < 40; ++i)
            TestFiles::write(source + QString("/data/f%1.txt").arg(i), "x");
        QVERIFY(zip(source, {"-r", "pack.zip", "data"}));
    } else {
        TestFiles::write(source + "/data/a.txt", "a");
        QVERIFY(zip(source, {"-r", "pack.zip", "data"}));
    }

    // The destination: a plain folder for the link, else a disk of its own.
    std::unique_ptr<Mount> disk;
    QString destination = work.filePath("game");
    if (cause != "link") {
        const QByteArray options = cause == "full"     ? "size=256k"
                                   : cause == "inodes" ? "size=4m,nr_inodes=24"
                                                       : "size=1m";
        disk = std::make_unique<Mount>(destination, options);
        if (!disk->mounted)
            QSKIP(qPrintable("a tmpfs cannot be mounted here: " + disk->failure));
    }
    TestFiles::write(destination + "/Databases/kept.txt", "the player's file");
    if (cause == "read-only" && !disk->readOnly())
        QSKIP("the tmpfs cannot be made read-only here");
    const auto before = TestFiles::tree(destination);

    TsUnZip unzip;
    unzip.setZipFile(archive);
    unzip.setDestination(destination);
    QSignalSpy failed(&unzip, &TsUnZip::error);
    QSignalSpy finished(&unzip, &TsUnZip::finished);
    unzip.unpackAll();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(finished.count(), 0);
    const QString error = failed.first().first().toString();
    const QString detail = unzip.errorDetail();
    QVERIFY2(QRegularExpression(english).match(detail).hasMatch(), qPrintable(detail));
    const QString shown = FailureWords::unpackFailure(error, detail);
    QVERIFY2(QRegularExpression(words).match(shown).hasMatch(), qPrintable(shown));
    QVERIFY2(!shown.contains(notInWords), qPrintable(shown));
    QCOMPARE(TestFiles::tree(destination), before);
}

// A new package's folder below a folder that cannot be written: no other name would help, so
// the player is not asked for one.
void TestReasons::readOnlyFolderForANewPackage()
{
    QTemporaryDir work;
    Mount disk(work.filePath("game"), "size=1m");
    if (!disk.mounted)
        QSKIP(qPrintable("a tmpfs cannot be mounted here: " + disk.failure));
    QVERIFY(QDir().mkpath(disk.point + "/Databases"));
    if (!disk.readOnly())
        QSKIP("the tmpfs cannot be made read-only here");
    const auto before = TestFiles::tree(disk.point);
    const QString candidate = disk.point + "/Databases/New Mod";
    QVERIFY(!QDir().mkpath(candidate));
    QCOMPARE(InstallRules::creationComplaint(candidate),
             QString("Could not create folder: the folder %1 cannot be written (read-only).")
                 .arg(QDir::toNativeSeparators(disk.point + "/Databases")));
    // No other name would do: the batch takes it as a reason, not as a question to ask again.
    QCOMPARE(InstallRules::creationRefusal(candidate).log,
             QString("the folder %1 cannot be written (read-only)")
                 .arg(QDir::toNativeSeparators(disk.point + "/Databases")));
    QCOMPARE(TestFiles::tree(disk.point), before);
}

// A secure host whose certificate signs itself: the reason names the host and the problem, not
// the handshake.
void TestReasons::selfSignedHost()
{
    QTemporaryDir root;
    TestFiles::write(root.filePath("files/pack.zip"), "PK");
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(root.path(), tls + "localhost.crt", tls + "localhost.key");
    QVERIFY(secure.start());
    QVERIFY(secure.baseUrl().scheme() == "https");

    DownloadManager manager;
    manager.setRetryDelays({});
    QVector<DownloadOutcome> outcomes;
    connect(&manager, &DownloadManager::transferFinished, this,
            [&outcomes](const DownloadOutcome &outcome) { outcomes.append(outcome); });
    QSignalSpy finished(&manager, &DownloadManager::finished);
    QStringList reports;
    connect(&manager, &DownloadManager::result, this,
            [&reports](const QString &text) { reports << text; });
    manager.setUrlList({secure.url("/files/pack.zip").toString()});
    manager.startList();
    QVERIFY(finished.wait(30000));
    QCOMPARE(outcomes.size(), 1);
    QCOMPARE(outcomes.first().kind, DownloadOutcome::Failed);
    // The manager's own report keeps its form; the player reads what it was.
    QVERIFY(reports.filter(QRegularExpression("^Failed: ")).size() == 1);
    QCOMPARE(
        FailureWords::describe(outcomes.first()),
        QString("the certificate of %1 is not trusted (self-signed)").arg(secure.baseUrl().host()));
    QVERIFY(!QFile::exists(AppPaths::downloadsFolder() + "/pack.zip"));
}

QTEST_MAIN(TestReasons)
#include "tst_reasons.moc"
