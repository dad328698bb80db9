#include "tscipher.h"

#include <QtTest>

#include <zlib.h>

namespace {

const quint64 key = 0x0123456789ABCDEFull;

// CRC-16 of ISO 3309 (reflected 0x1021, start and final XOR 0xFFFF), written out bit by bit.
quint16 iso3309(const QByteArray &data)
{
    quint16 crc = 0xFFFF;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0x8408) : quint16(crc >> 1);
    }
    return quint16(~crc);
}

// The length-prefixed zlib form, made with zlib itself.
QByteArray zlibForm(const QByteArray &plain)
{
    uLongf size = compressBound(uLong(plain.size()));
    QByteArray out(int(size), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &size,
              reinterpret_cast<const Bytef *>(plain.constData()), uLong(plain.size()), 9);
    out.resize(int(size));
    const quint32 length = quint32(plain.size());
    QByteArray prefix;
    prefix.append(char(length >> 24)).append(char(length >> 16)).append(char(length >> 8));
    prefix.append(char(length));
    return prefix + out;
}

// Version, flags, then the body chained with the key's bytes, lowest byte first.
QByteArray cyphertext(char flags, char first, const QByteArray &integrity,
                      const QByteArray &payload, quint64 withKey = key)
{
    QByteArray body = QByteArray(1, first) + integrity + payload;
    char previous = 0;
    for (int i = 0; i < body.size(); ++i) {
        const char keyByte = char((withKey >> (8 * (i % 8))) & 0xFF);
        body[i] = char(body.at(i) ^ keyByte ^ previous);
        previous = body.at(i);
    }
    return QByteArray(1, 3) + QByteArray(1, flags) + body;
}

QByteArray bigEndian16(quint16 value)
{
    return QByteArray(1, char(value >> 8)) + QByteArray(1, char(value & 0xFF));
}

QStringList warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        warnings << message;
}

} // namespace

class TestTsCipher : public QObject
{
    Q_OBJECT

private slots:
    void checksumMatchesTheStandard();
    void decryptsHandMadeVectors_data();
    void decryptsHandMadeVectors();
    void roundTrips_data();
    void roundTrips();
    void sameTextEncryptsDifferently();
    void flagsFollowCompression_data();
    void flagsFollowCompression();
    void changedBodyByteFailsIntegrity();
    void missingIntegrityValueFails_data();
    void missingIntegrityValueFails();
    void noKeyIsAnError();
    void wrongVersionIsAnError();
    void tooShortLeavesLastError();
    void zeroIsAValidKey();
    void compressedGarbageWithoutIntegrityFails();
};

void TestTsCipher::checksumMatchesTheStandard()
{
    QCOMPARE(iso3309("123456789"), quint16(0x906E));
}

void TestTsCipher::decryptsHandMadeVectors_data()
{
    QTest::addColumn<QByteArray>("cypher");
    QTest::addColumn<QByteArray>("plain");

    const QByteArray hello = "Hello, world";
    QTest::newRow("checksum") << cyphertext(0x02, char(0x5A), bigEndian16(iso3309(hello)), hello)
                              << hello;
    QTest::newRow("checksum, other first byte")
        << cyphertext(0x02, char(0xC3), bigEndian16(iso3309(hello)), hello) << hello;
    QTest::newRow("no integrity") << cyphertext(0x00, char(0x01), QByteArray(), hello) << hello;
    const QByteArray sha1 = QCryptographicHash::hash(hello, QCryptographicHash::Sha1);
    QTest::newRow("sha-1") << cyphertext(0x04, char(0x77), sha1, hello) << hello;

    const QByteArray letters(1000, 'q');
    const QByteArray packed = zlibForm(letters);
    QTest::newRow("compressed with checksum")
        << cyphertext(0x03, char(0x10), bigEndian16(iso3309(packed)), packed) << letters;
    QTest::newRow("compressed with sha-1")
        << cyphertext(0x05, char(0xFE), QCryptographicHash::hash(packed, QCryptographicHash::Sha1),
                      packed)
        << letters;
    const QByteArray utf8 = QString::fromUtf8("Grüße, Ωmega — 日本").toUtf8();
    QTest::newRow("non-ascii") << cyphertext(0x02, char(0x00), bigEndian16(iso3309(utf8)), utf8)
                               << utf8;
    QTest::newRow("empty text") << cyphertext(0x02, char(0x42), bigEndian16(iso3309("")), "")
                                << QByteArray();
}

void TestTsCipher::decryptsHandMadeVectors()
{
    QFETCH(QByteArray, cypher);
    QFETCH(QByteArray, plain);
    TsCipher cipher(key);
    cipher.lastError = 3;
    QCOMPARE(cipher.decryptToBytes(cypher), plain);
    QCOMPARE(cipher.lastError, 0);
    QCOMPARE(cipher.decryptToText(QString::fromLatin1(cypher.toBase64())),
             QString::fromUtf8(plain));
    QCOMPARE(cipher.decryptToText(cypher), QString::fromUtf8(plain));
}

void TestTsCipher::roundTrips_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("short") << "secret";
    QString longText;
    for (int i = 0; i < 2000; ++i)
        longText += QString::number(i * 7919 % 1000) + QLatin1Char(' ');
    QTest::newRow("long") << longText;
    QTest::newRow("non-ascii") << QString::fromUtf8("Pässwörd ☃ 密码 🎲");
}

void TestTsCipher::roundTrips()
{
    QFETCH(QString, text);
    TsCipher cipher(482913);
    const QString cypherText = cipher.encryptToText(text);
    QCOMPARE(cipher.lastError, 0);
    // Standard Base64 with "=" fill.
    QCOMPARE(QString::fromLatin1(QByteArray::fromBase64(cypherText.toLatin1()).toBase64()),
             cypherText);
    QCOMPARE(cypherText.size() % 4, 0);
    QCOMPARE(TsCipher(482913).decryptToText(cypherText), text);

    const QByteArray cypherBytes = cipher.encryptToBytes(text.toUtf8());
    QCOMPARE(cypherBytes.at(0), char(3));
    QCOMPARE(cipher.decryptToBytes(cypherBytes), text.toUtf8());
    QCOMPARE(cipher.decryptToBytes(QString::fromLatin1(cypherBytes.toBase64())), text.toUtf8());
    QCOMPARE(cipher.decryptToText(cipher.encryptToBytes(text)), text);
    QCOMPARE(cipher.decryptToText(cipher.encryptToText(text.toUtf8())), text);
    // Another key does not read it.
    TsCipher other(482914);
    QVERIFY(other.decryptToText(cypherText) != text || text.isEmpty());
}

void TestTsCipher::sameTextEncryptsDifferently()
{
    TsCipher cipher(key);
    QSet<QByteArray> seen;
    for (int i = 0; i < 16; ++i) {
        const QByteArray cypher = cipher.encryptToBytes(QByteArray("same text"));
        QCOMPARE(cipher.decryptToBytes(cypher), QByteArray("same text"));
        seen.insert(cypher);
    }
    QVERIFY(seen.size() > 1);
}

void TestTsCipher::flagsFollowCompression_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<int>("flags");
    QTest::newRow("short text") << QByteArray("short text") << 0x02;
    QTest::newRow("1000 letters") << QByteArray(1000, 'z') << 0x03;
}

void TestTsCipher::flagsFollowCompression()
{
    QFETCH(QByteArray, plain);
    QFETCH(int, flags);
    TsCipher cipher(key);
    const QByteArray cypher = cipher.encryptToBytes(plain);
    QCOMPARE(int(cypher.at(1)), flags);
    if (flags & 0x01)
        QVERIFY(cypher.size() < plain.size());
    else
        QCOMPARE(cypher.size(), 2 + 1 + 2 + plain.size());
    QCOMPARE(cipher.decryptToBytes(cypher), plain);
}

void TestTsCipher::changedBodyByteFailsIntegrity()
{
    TsCipher cipher(key);
    const QByteArray cypher = cipher.encryptToBytes(QByteArray("integrity matters"));
    for (int i = 2; i < cypher.size(); ++i) {
        for (const char change : {char(0x01), char(0x80), char(0xFF)}) {
            QByteArray damaged = cypher;
            damaged[i] = char(damaged.at(i) ^ change);
            cipher.lastError = 0;
            QCOMPARE(cipher.decryptToBytes(damaged), QByteArray());
            QCOMPARE(cipher.lastError, 3);
        }
    }
}

void TestTsCipher::missingIntegrityValueFails_data()
{
    QTest::addColumn<QByteArray>("cypher");
    QTest::newRow("checksum cut short") << cyphertext(0x02, char(0x11), QByteArray(1, 'x'), "");
    QTest::newRow("hash cut short") << cyphertext(0x04, char(0x11), QByteArray(19, 'x'), "");
    QTest::newRow("wrong checksum") << cyphertext(0x02, char(0x11), bigEndian16(0x1234), "data");
}

void TestTsCipher::missingIntegrityValueFails()
{
    QFETCH(QByteArray, cypher);
    TsCipher cipher(key);
    QCOMPARE(cipher.decryptToBytes(cypher), QByteArray());
    QCOMPARE(cipher.lastError, 3);
}

void TestTsCipher::noKeyIsAnError()
{
    TsCipher cipher;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No key set\\."));
    QCOMPARE(cipher.encryptToText(QString("text")), QString());
    QCOMPARE(cipher.lastError, 1);

    cipher.lastError = 0;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No key set\\."));
    QCOMPARE(cipher.decryptToBytes(cyphertext(0x00, 0, QByteArray(), "abc", 0)), QByteArray());
    QCOMPARE(cipher.lastError, 1);
}

void TestTsCipher::wrongVersionIsAnError()
{
    TsCipher cipher(key);
    QByteArray cypher = cipher.encryptToBytes(QByteArray("versioned"));
    cypher[0] = 2;
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Invalid version or not a cyphertext\\."));
    QCOMPARE(cipher.decryptToBytes(cypher), QByteArray());
    QCOMPARE(cipher.lastError, 2);
}

void TestTsCipher::tooShortLeavesLastError()
{
    TsCipher cipher(key);
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    for (const int error : {0, 2, 3}) {
        cipher.lastError = error;
        QCOMPARE(cipher.decryptToBytes(QByteArray("\x03\x02")), QByteArray());
        QCOMPARE(cipher.decryptToBytes(QByteArray()), QByteArray());
        // "AwI=" decodes to two bytes.
        QCOMPARE(cipher.decryptToText(QString("AwI=")), QString());
        QCOMPARE(cipher.lastError, error);
    }
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, QStringList());
}

void TestTsCipher::zeroIsAValidKey()
{
    TsCipher cipher;
    cipher.setKey(0);
    const QByteArray cypher = cipher.encryptToBytes(QByteArray("zero key"));
    QCOMPARE(cipher.lastError, 0);
    QVERIFY(!cypher.isEmpty());
    QCOMPARE(cipher.decryptToBytes(cypher), QByteArray("zero key"));
    const QByteArray hello = "hello";
    QCOMPARE(
        cipher.decryptToBytes(cyphertext(0x02, char(0x99), bigEndian16(iso3309(hello)), hello, 0)),
        hello);
}

void TestTsCipher::compressedGarbageWithoutIntegrityFails()
{
    // Without an integrity value, damage shows only when the payload does not inflate; that
    // must not pass for an empty plain text.
    TsCipher cipher(key);
    const QByteArray garbage = QByteArray("\x00\x00\x00\x10", 4) + "not zlib data";
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("qUncompress"));
    QCOMPARE(cipher.decryptToBytes(cyphertext(0x01, char(0x31), QByteArray(), garbage)),
             QByteArray());
    QCOMPARE(cipher.lastError, 3);
}

QTEST_GUILESS_MAIN(TestTsCipher)
#include "tst_tscipher.moc"
