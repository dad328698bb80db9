#include "tscipher.h"

#include "tslogging.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QtEndian>
#include <QtGlobal>

namespace {

void seed()
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qsrand(uint(QDateTime::currentMSecsSinceEpoch() & 0xFFFF));
    QT_WARNING_POP
}

char randomByte()
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    return char(qrand() & 0xFF);
    QT_WARNING_POP
}

void warn(const char *text)
{
    TsLogging::Log::warning(TsLogging::Channel::tsName(), QString::fromLatin1(text));
}

QByteArray checksumBytes(const QByteArray &payload)
{
    const quint16 sum = qChecksum(payload.constData(), uint(payload.size()));
    QByteArray bytes(2, '\0');
    qToBigEndian(sum, bytes.data());
    return bytes;
}

} // namespace

TsCipher::TsCipher()
{
    seed();
}

TsCipher::TsCipher(quint64 key)
{
    seed();
    setKey(key);
}

void TsCipher::setKey(quint64 key)
{
    this->key = key;
    keyBytes.resize(8);
    for (int i = 0; i < 8; ++i)
        keyBytes[i] = char((key >> (8 * i)) & 0xFF);
}

QByteArray TsCipher::encryptToBytes(QByteArray plain)
{
    if (keyBytes.isEmpty()) {
        warn("No key set.");
        lastError = noKeySet;
        return QByteArray();
    }

    QByteArray payload = plain;
    char flags = 0;
    if (compressionPolicy == compressWhenShorter || compressionPolicy == alwaysCompress) {
        const QByteArray compressed = qCompress(payload, 9);
        if (compressionPolicy == alwaysCompress || compressed.size() < payload.size()) {
            payload = compressed;
            flags |= compressedFlag;
        }
    }

    QByteArray integrity;
    if (integrityMode == checksum16) {
        flags |= checksumFlag;
        integrity = checksumBytes(payload);
    } else if (integrityMode == sha1Hash) {
        flags |= hashFlag;
        integrity = QCryptographicHash::hash(payload, QCryptographicHash::Sha1);
    }

    QByteArray body;
    body.reserve(1 + integrity.size() + payload.size());
    body.append(randomByte()).append(integrity).append(payload);
    char previous = 0;
    for (int i = 0; i < body.size(); ++i) {
        const char c = char(body.at(i) ^ keyBytes.at(i % 8) ^ previous);
        body[i] = c;
        previous = c;
    }

    QByteArray result;
    result.reserve(2 + body.size());
    result.append(version).append(flags).append(body);
    lastError = noError;
    return result;
}

QByteArray TsCipher::encryptToBytes(QString plain)
{
    return encryptToBytes(plain.toUtf8());
}

QString TsCipher::encryptToText(QString plain)
{
    return encryptToText(plain.toUtf8());
}

QString TsCipher::encryptToText(QByteArray plain)
{
    return QString::fromLatin1(encryptToBytes(plain).toBase64());
}

QByteArray TsCipher::decryptToBytes(QByteArray cypher)
{
    if (keyBytes.isEmpty()) {
        warn("No key set.");
        lastError = noKeySet;
        return QByteArray();
    }
    if (cypher.size() <= 2)
        return QByteArray();
    if (cypher.at(0) != version) {
        lastError = notACyphertext;
        warn("Invalid version or not a cyphertext.");
        return QByteArray();
    }

    const char flags = cypher.at(1);
    QByteArray body = cypher.mid(2);
    char previous = 0;
    for (int i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        body[i] = char(c ^ previous ^ keyBytes.at(i % 8));
        previous = c;
    }
    body.remove(0, 1);

    bool intact = true;
    if (flags & checksumFlag) {
        if (body.size() < 2) {
            intact = false;
        } else {
            const quint16 stored = qFromBigEndian<quint16>(body.constData());
            body.remove(0, 2);
            intact = qChecksum(body.constData(), uint(body.size())) == stored;
        }
    } else if (flags & hashFlag) {
        if (body.size() < 20) {
            intact = false;
        } else {
            const QByteArray stored = body.left(20);
            body.remove(0, 20);
            intact = QCryptographicHash::hash(body, QCryptographicHash::Sha1) == stored;
        }
    }
    if (!intact) {
        lastError = integrityCheckFailed;
        return QByteArray();
    }

    if (flags & compressedFlag) {
        const QByteArray expanded = qUncompress(body);
        // Empty output from a payload that announces a length means it did not inflate; without
        // an integrity value that is the only sign of damage, and it must not pass as "".
        const bool announcesData =
            body.size() >= 4 && qFromBigEndian<quint32>(body.constData()) != 0;
        if (expanded.isEmpty() && (body.size() < 4 || announcesData)) {
            lastError = integrityCheckFailed;
            return QByteArray();
        }
        body = expanded;
    }
    lastError = noError;
    return body;
}

QByteArray TsCipher::decryptToBytes(QString cypher)
{
    return decryptToBytes(QByteArray::fromBase64(cypher.toLatin1()));
}

QString TsCipher::decryptToText(QString cypher)
{
    return QString::fromUtf8(decryptToBytes(cypher));
}

QString TsCipher::decryptToText(QByteArray cypher)
{
    return QString::fromUtf8(decryptToBytes(cypher));
}
