#include "bodydecoder_p.h"

#include <zlib.h>

#include <climits>

namespace {

// What one inflate call may make before the cap is checked again.
constexpr int chunkSize = 64 * 1024;

} // namespace

struct BodyDecoder::Stream
{
    z_stream z{};
    bool ready = false;
    // A deflate body's first two bytes decide between the zlib wrapper and a raw stream.
    QByteArray head;
    QByteArray chunk = QByteArray(chunkSize, Qt::Uninitialized);

    ~Stream()
    {
        if (ready)
            inflateEnd(&z);
    }
};

BodyDecoder::Coding BodyDecoder::codingOf(const QByteArray &contentEncoding)
{
    const QByteArray name = contentEncoding.trimmed().toLower();
    if (name.isEmpty() || name == "identity")
        return Coding::Identity;
    if (name == "gzip" || name == "x-gzip")
        return Coding::Gzip;
    if (name == "deflate")
        return Coding::Deflate;
    return Coding::Unknown;
}

BodyDecoder::BodyDecoder(Coding coding, qint64 maximum) : coding(coding), maximum(maximum)
{
    if (coding != Coding::Gzip && coding != Coding::Deflate)
        return;
    stream = std::make_unique<Stream>();
    // 16 + 15: a gzip member with the largest window. A deflate body waits for its first bytes.
    if (coding == Coding::Gzip)
        stream->ready = inflateInit2(&stream->z, 16 + MAX_WBITS) == Z_OK;
}

BodyDecoder::~BodyDecoder() = default;

bool BodyDecoder::refuse(const QString &why)
{
    failure = why;
    return false;
}

bool BodyDecoder::feed(const char *raw, qint64 size, QByteArray &out)
{
    if (!failure.isEmpty())
        return false;
    if (size <= 0)
        return true;
    switch (coding) {
    case Coding::Unknown:
        return refuse(QStringLiteral("the answer is packed in a way this program does not read"));
    case Coding::Identity:
        if (maximum >= 0 && out.size() + size > maximum) {
            overflow = true;
            return refuse(QStringLiteral("the answer is too large"));
        }
        out.append(raw, int(size));
        return true;
    case Coding::Gzip:
    case Coding::Deflate:
        break;
    }
    QByteArray held;
    if (coding == Coding::Deflate && !stream->ready) {
        // RFC 9110 means the zlib format; some servers send the bare deflate stream instead.
        stream->head.append(raw, int(size));
        if (stream->head.size() < 2)
            return true;
        const auto first = quint8(stream->head.at(0));
        const auto second = quint8(stream->head.at(1));
        const bool wrapped = (first & 0x0f) == Z_DEFLATED && (first * 256 + second) % 31 == 0;
        stream->ready = inflateInit2(&stream->z, wrapped ? MAX_WBITS : -MAX_WBITS) == Z_OK;
        held.swap(stream->head);
        raw = held.constData();
        size = held.size();
    }
    if (!stream->ready)
        return refuse(QStringLiteral("the answer could not be unpacked (no memory)"));
    while (size > 0) {
        const uInt piece = uInt(qMin<qint64>(size, UINT_MAX));
        if (ended) {
            // Another gzip member may follow the first; anything else after the end is not ours.
            if (coding != Coding::Gzip || inflateReset(&stream->z) != Z_OK)
                return refuse(QStringLiteral("the packed answer has bytes after its end"));
            ended = false;
        }
        stream->z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw));
        stream->z.avail_in = piece;
        if (!inflateInto(out))
            return false;
        const qint64 taken = piece - stream->z.avail_in;
        raw += taken;
        size -= taken;
        if (taken == 0 && !ended)
            break;
    }
    return true;
}

bool BodyDecoder::inflateInto(QByteArray &out)
{
    z_stream &z = stream->z;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef *>(stream->chunk.data());
        z.avail_out = uInt(chunkSize);
        const int state = inflate(&z, Z_NO_FLUSH);
        const int made = chunkSize - int(z.avail_out);
        if (made > 0) {
            // Checked before the bytes are kept: a bomb costs the maximum and one chunk.
            if (maximum >= 0 && out.size() + made > maximum) {
                overflow = true;
                return refuse(QStringLiteral("the answer is too large once unpacked"));
            }
            out.append(stream->chunk.constData(), made);
        }
        if (state == Z_STREAM_END) {
            ended = true;
            return true;
        }
        if (state == Z_BUF_ERROR || (state == Z_OK && z.avail_in == 0 && z.avail_out != 0))
            return true; // all input taken: waits for more
        if (state != Z_OK)
            return refuse(QStringLiteral("the packed answer is damaged (") +
                          QString::fromLatin1(z.msg ? z.msg : "inflate failed") + QLatin1Char(')'));
    }
}

bool BodyDecoder::finish()
{
    if (!failure.isEmpty())
        return false;
    if (!stream)
        return true;
    // An empty body is an empty answer, packed or not.
    const bool nothingCame = stream->z.total_in == 0 && stream->head.isEmpty() && !ended;
    if (!ended && !nothingCame)
        return refuse(QStringLiteral("the packed answer stops before its end"));
    return true;
}
