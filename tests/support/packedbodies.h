#pragma once

#include <QByteArray>

#include <zlib.h>

#include <algorithm>

// HTTP bodies packed the ways servers send them, for tests of the unpacking fetch. Include only
// from targets that link zlib (every target that links the framework does).
namespace PackedBodies {

enum class Wrapper { Gzip, Zlib, Raw };

// `body` once, then `blank` line feeds, packed in one stream: a blank tail of a gigabyte packs
// into about a megabyte, and is never held whole here.
inline QByteArray pack(const QByteArray &body, Wrapper wrapper = Wrapper::Gzip, qint64 blank = 0)
{
    const int bits = wrapper == Wrapper::Gzip   ? 16 + MAX_WBITS
                     : wrapper == Wrapper::Zlib ? MAX_WBITS
                                                : -MAX_WBITS;
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, bits, 9, Z_DEFAULT_STRATEGY);
    const QByteArray feeds(1024 * 1024, '\n');
    QByteArray output;
    QByteArray chunk(256 * 1024, '\0');
    qint64 blankLeft = blank;
    bool bodyFed = false;
    int state = Z_OK;
    while (state != Z_STREAM_END) {
        int flush = Z_NO_FLUSH;
        if (stream.avail_in == 0) {
            if (!bodyFed) {
                bodyFed = true;
                stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.constData()));
                stream.avail_in = uInt(body.size());
            } else if (blankLeft > 0) {
                const qint64 take = std::min<qint64>(feeds.size(), blankLeft);
                stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(feeds.constData()));
                stream.avail_in = uInt(take);
                blankLeft -= take;
            }
        }
        if (stream.avail_in == 0 && bodyFed && blankLeft == 0)
            flush = Z_FINISH;
        stream.next_out = reinterpret_cast<Bytef *>(chunk.data());
        stream.avail_out = uInt(chunk.size());
        state = deflate(&stream, flush);
        output.append(chunk.constData(), chunk.size() - int(stream.avail_out));
    }
    deflateEnd(&stream);
    return output;
}

} // namespace PackedBodies
