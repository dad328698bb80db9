#include "installerhome.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QtTest>

#include <csignal>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

// A socket listening at `path` whose owner, as the kernel tells it to those that connect, is
// `user`: made while this process acts as that user, but reaches the path as itself.
int listenAs(uid_t user, const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    const bool listening = ::seteuid(user) == 0 && ::listen(fd, 8) == 0;
    return ::seteuid(0) == 0 && bound && listening ? fd : -1;
}

// Whether nothing that connected to the listening socket `fd` wrote anything to it.
bool nothingWrittenTo(int fd)
{
    char byte = 0;
    for (int peer; (peer = ::accept(fd, nullptr, nullptr)) >= 0; ::close(peer)) {
        if (::recv(peer, &byte, 1, MSG_DONTWAIT) > 0)
            return false;
    }
    return true;
}

} // namespace

// The real program started twice on one profile, the second with an archive, while the
// hand-over is disturbed: the second ends with 0 only when the first has the archive.
class TestHandOver : public QObject
{
    Q_OBJECT

private slots:
    void handOver_data();
    void handOver();
    void simultaneousStarts();
};

void TestHandOver::handOver_data()
{
    QTest::addColumn<QString>("disturbance");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("none") << "" << true;
    QTest::newRow("garbage") << "garbage" << true;
    QTest::newRow("an over-long line") << "long line" << true;
    QTest::newRow("sixty silent connections") << "connections" << true;
    QTest::newRow("a first start busy starting") << "busy" << true;
    QTest::newRow("another user's socket") << "other user" << false;
    QTest::newRow("another user's socket before the first start") << "squatted" << true;
    QTest::newRow("hand-over folders open to others") << "open folder" << false;
}

void TestHandOver::handOver()
{
    QFETCH(QString, disturbance);
    QFETCH(bool, delivered);
    if ((disturbance == "other user" || disturbance == "squatted") && ::geteuid() != 0)
        QSKIP("a socket of another user needs root");
    InstallerHome home;
    const QString archive = home.dir.filePath("secret-name.zip");
    TestFiles::write(archive, "zip");
    if (disturbance == "open folder") {
        // The runtime folder and the one in the temporary folder can be entered by others.
        const QString own =
            home.dir.filePath("tmp/zerun-installer-") + QString::number(::geteuid());
        for (const QString &folder : {home.runtime(), own}) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ExeOther));
        }
    }
    int squatter = -1;
    if (disturbance == "squatted") {
        const QByteArray profile = QDir::cleanPath(home.cache()).toUtf8();
        squatter = listenAs(
            nobody,
            home.runtime() + "/zerun-installer-" +
                QCryptographicHash::hash(profile, QCryptographicHash::Md5).toHex().left(16));
    }
    QVERIFY(squatter >= 0 || disturbance != "squatted");
    auto first = home.start({});
    // It says what is wrong with the socket, or listens.
    const bool told = disturbance == "open folder" || disturbance == "squatted";
    QTRY_VERIFY_WITH_TIMEOUT(
        told ? home.logText().contains("The hand-over socket: ") : !home.socket().isEmpty(), 20000);
    std::vector<std::unique_ptr<QLocalSocket>> held;
    if (disturbance == "garbage" || disturbance == "long line" || disturbance == "connections") {
        const QByteArray bytes = disturbance == "garbage"     ? QByteArray("\0\xff\r\nopen x\n", 12)
                                 : disturbance == "long line" ? QByteArray(70000, 'x')
                                                              : QByteArray();
        for (int i = 0; i < (bytes.isEmpty() ? 60 : 1); ++i) {
            held.push_back(std::make_unique<QLocalSocket>());
            held.back()->connectToServer(home.socket());
            QVERIFY(held.back()->waitForConnected(5000));
            held.back()->write(bytes);
        }
        // Whatever is no request is cut off.
        if (!bytes.isEmpty())
            QVERIFY(held.back()->waitForDisconnected(5000));
    } else if (disturbance == "other user") {
        const QString path = home.socket();
        QVERIFY(QFile::remove(path));
        squatter = listenAs(nobody, path);
        QVERIFY(squatter >= 0);
    } else if (disturbance == "busy") {
        // Connections wait for it while it does not read.
        ::kill(pid_t(first->processId()), SIGSTOP);
    }
    auto second = home.start({"secret-name.zip", "skin=light"});
    if (disturbance == "busy") {
        QVERIFY(!second->waitForFinished(1000));
        ::kill(pid_t(first->processId()), SIGCONT);
    }
    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitCode() == 0, delivered);
    const QByteArray said = second->readAllStandardError();
    QCOMPARE(said.contains("nothing was handed over"), !delivered);
    QCOMPARE(home.logText().contains("Handed over by another start: " + archive.toUtf8()),
             delivered);
    QVERIFY(!home.logText().contains("skin=light"));
    if (squatter >= 0) {
        QVERIFY(nothingWrittenTo(squatter));
        ::close(squatter);
    }
    // The first runs on whatever it was sent.
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}

void TestHandOver::simultaneousStarts()
{
    // Pairs started at the same moment, each on a profile of its own: in each, one ends at once
    // and the other holds both archives.
    std::vector<std::unique_ptr<InstallerHome>> homes(6);
    std::vector<std::unique_ptr<QProcess>> starts;
    for (auto &home : homes) {
        home = std::make_unique<InstallerHome>();
        TestFiles::write(home->dir.filePath("a.zip"), "a");
        TestFiles::write(home->dir.filePath("b.zip"), "b");
    }
    for (auto &home : homes) {
        starts.push_back(home->start({"a.zip"}));
        starts.push_back(home->start({"b.zip"}));
    }
    for (size_t pair = 0; pair < homes.size(); ++pair) {
        QProcess &a = *starts[2 * pair];
        QProcess &b = *starts[2 * pair + 1];
        QTRY_VERIFY_WITH_TIMEOUT(
            (a.state() == QProcess::NotRunning) != (b.state() == QProcess::NotRunning), 30000);
        QProcess &ended = a.state() == QProcess::NotRunning ? a : b;
        QCOMPARE(ended.exitCode(), 0);
        const QString file = homes[pair]->dir.filePath(&ended == &a ? "a.zip" : "b.zip");
        QVERIFY(homes[pair]->logText().contains("Handed over by another start: " + file.toUtf8()));
    }
    for (auto &start : starts) {
        start->kill();
        start->waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestHandOver)
#include "tst_handover.moc"
