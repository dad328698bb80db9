#pragma once

// Private to transfer/: the decoding of an HTTP answer's body under the one-shot fetch.

#include <QByteArray>
#include <QString>

#include <memory>

// Decodes an HTTP body piece by piece as it arrives, by its Content-Encoding: identity, gzip
// (several members included) or deflate (zlib-wrapped, or raw as some servers send it). The
// decoded bytes are held to a maximum as they are made: a compressed answer that would expand
// past it is refused after at most that many bytes, whatever it would have grown to. One object
// per body, on one thread.
class BodyDecoder
{
public:
    enum class Coding { Identity, Gzip, Deflate, Unknown };
    // The coding a Content-Encoding header names ("" is identity).
    static Coding codingOf(const QByteArray &contentEncoding);

    // `maximum`: the most decoded bytes taken, or -1 for no limit.
    BodyDecoder(Coding coding, qint64 maximum);
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder &) = delete;
    BodyDecoder &operator=(const BodyDecoder &) = delete;

    // Decodes the next raw bytes onto `out`. False when the body is refused: past the maximum
    // (tooLarge()), or not valid in its coding; error() says why, and `out` then holds nothing
    // more than the maximum.
    bool feed(const char *raw, qint64 size, QByteArray &out);
    // After the last raw byte: false when a compressed stream stopped before its end.
    bool finish();

    bool tooLarge() const { return overflow; }
    QString error() const { return failure; }

private:
    bool inflateInto(QByteArray &out);
    bool refuse(const QString &why);

    struct Stream;
    Coding coding;
    qint64 maximum;
    std::unique_ptr<Stream> stream;
    bool ended = false; // the compressed stream reached its end
    bool overflow = false;
    QString failure;
};
