#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

// Symmetric cipher for short texts with a 64-bit key. The cyphertext is a version byte (3), a
// flags byte and a body chained by XOR with the key bytes; the body starts with a random byte, so
// the same text never encrypts twice to the same bytes, then carries a checksum or SHA-1 of the
// payload and the payload itself (zlib-compressed when that is shorter). Text form is Base64.
class TsCipher : public QObject
{
    Q_OBJECT

public:
    TsCipher();
    explicit TsCipher(quint64 key);

    void setKey(quint64 key);

    QByteArray encryptToBytes(QByteArray plain);
    QByteArray encryptToBytes(QString plain);
    QString encryptToText(QString plain);
    QString encryptToText(QByteArray plain);

    QByteArray decryptToBytes(QByteArray cypher);
    QByteArray decryptToBytes(QString cypher);
    QString decryptToText(QString cypher);
    QString decryptToText(QByteArray cypher);

    enum Flag : char { compressedFlag = 0x01, checksumFlag = 0x02, hashFlag = 0x04 };
    static constexpr char version = 3;

    // The values of the three settings below, which are plain ints (any other compression
    // policy means never).
    enum CompressionPolicy : int { compressWhenShorter = 0, alwaysCompress = 1, neverCompress = 2 };
    enum IntegrityMode : int { noIntegrityCheck = 0, checksum16 = 1, sha1Hash = 2 };
    enum Error : int { noError = 0, noKeySet = 1, notACyphertext = 2, integrityCheckFailed = 3 };

    int compressionPolicy = compressWhenShorter;
    int integrityMode = checksum16;
    // Why the last operation failed; noError after one that succeeded. Decrypting two bytes or
    // fewer fails without touching it.
    int lastError = noError;

private:
    quint64 key = 0;
    QVector<char> keyBytes;
};
