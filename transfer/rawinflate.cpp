#include "rawinflate_p.h"

#ifdef ZERUN_INFLATE_ISAL
#include <isa-l/igzip_lib.h>
#else
#include <zlib.h>
#endif

#ifdef ZERUN_INFLATE_ISAL

struct RawInflate::State
{
    inflate_state stream;
};

RawInflate::RawInflate() : state(new State)
{
    isal_inflate_init(&state->stream);
    state->stream.crc_flag = ISAL_DEFLATE;
    state->stream.hist_bits = 0; // the whole 32 KiB window
}

RawInflate::~RawInflate() = default;

bool RawInflate::isReady() const
{
    return state != nullptr;
}

void RawInflate::setInput(const char *data, qint64 size)
{
    state->stream.next_in = reinterpret_cast<uint8_t *>(const_cast<char *>(data));
    state->stream.avail_in = uint32_t(size);
}

qint64 RawInflate::inputLeft() const
{
    return qint64(state->stream.avail_in);
}

RawInflate::Result RawInflate::inflate(char *out, qint64 capacity, qint64 *produced)
{
    inflate_state &stream = state->stream;
    *produced = 0;
    if (stream.block_state == ISAL_BLOCK_FINISH)
        return Result::End;
    stream.next_out = reinterpret_cast<uint8_t *>(out);
    stream.avail_out = uint32_t(capacity);
    const int status = isal_inflate(&stream);
    *produced = capacity - qint64(stream.avail_out);
    if (status < 0)
        return Result::Error;
    return stream.block_state == ISAL_BLOCK_FINISH ? Result::End : Result::Progress;
}

const char *RawInflate::engine()
{
    return "ISA-L";
}

#else

struct RawInflate::State
{
    z_stream stream = {};
    bool ready = false;
    bool ended = false;
};

RawInflate::RawInflate() : state(new State)
{
    state->ready = inflateInit2(&state->stream, -MAX_WBITS) == Z_OK;
}

RawInflate::~RawInflate()
{
    if (state->ready)
        inflateEnd(&state->stream);
}

bool RawInflate::isReady() const
{
    return state->ready;
}

void RawInflate::setInput(const char *data, qint64 size)
{
    state->stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    state->stream.avail_in = uInt(size);
}

qint64 RawInflate::inputLeft() const
{
    return qint64(state->stream.avail_in);
}

RawInflate::Result RawInflate::inflate(char *out, qint64 capacity, qint64 *produced)
{
    z_stream &stream = state->stream;
    *produced = 0;
    if (state->ended)
        return Result::End;
    stream.next_out = reinterpret_cast<Bytef *>(out);
    stream.avail_out = uInt(capacity);
    const int status = ::inflate(&stream, Z_NO_FLUSH);
    *produced = capacity - qint64(stream.avail_out);
    // Z_BUF_ERROR only says that nothing could be done now.
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
        return Result::Error;
    state->ended = status == Z_STREAM_END;
    return state->ended ? Result::End : Result::Progress;
}

const char *RawInflate::engine()
{
    return "zlib";
}

#endif
