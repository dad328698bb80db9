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

    // 0: compress when that makes the payload shorter; 1: always; anything else: never.
    int compressionPolicy = 0;
    // 0: none; 1: 16-bit checksum; 2: SHA-1.
    int integrityMode = 1;
    // 0: none; 1: no key set; 2: unknown version or not a cyphertext; 3: integrity check failed.
    int lastError = 0;

private:
    quint64 key = 0;
    QVector<char> keyBytes;
};
