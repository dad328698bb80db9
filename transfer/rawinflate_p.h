#pragma once

// Private to transfer/: the inflate under the unpack of deflated zip entries.

#include <QtGlobal>

#include <memory>

// Streaming inflate of a raw deflate stream (no zlib or gzip wrapper), in bounded memory: ISA-L's
// where the build found it (ZERUN_INFLATE_ISAL), zlib's otherwise. The output is the same either
// way; ISA-L's is faster on large entries. One object per stream, on one thread at a time.
class RawInflate
{
public:
    enum class Result {
        Progress, // some input taken or output made; call again
        End,      // the stream is complete
        Error,    // not a valid deflate stream
    };

    RawInflate();
    ~RawInflate();
    RawInflate(const RawInflate &) = delete;
    RawInflate &operator=(const RawInflate &) = delete;

    // False when the state could not be set up.
    bool isReady() const;
    // The next input bytes (at most 4 GiB - 1); they must stay valid until inputLeft() is 0.
    void setInput(const char *data, qint64 size);
    qint64 inputLeft() const;
    // Inflates into `out`, at most `capacity` bytes (at most 4 GiB - 1); the count made goes to
    // `produced`. A stream whose input has run out without its end is left to the caller to
    // notice: the call then makes nothing and takes nothing.
    Result inflate(char *out, qint64 capacity, qint64 *produced);

    // "ISA-L" or "zlib", for benchmarks and logs.
    static const char *engine();

private:
    struct State;
    std::unique_ptr<State> state;
};
