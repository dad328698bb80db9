#include "crc32_p.h"

#include <zlib.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace Crc32 {

namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define ZERUN_FOLDED_CRC 1
__attribute__((target("sse4.1"))) inline __m128i load(const uchar *at)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

// One 128-bit lane carried 128 bits further and added to the next.
__attribute__((target("pclmul,sse4.1"))) inline __m128i foldInto(__m128i lane, __m128i next,
                                                                 __m128i k)
{
    const __m128i low = _mm_clmulepi64_si128(lane, k, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, k, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, next), low);
}

// CRC-32 of whole 16-byte blocks (at least four) by carry-less multiplication: the bytes are
// folded 64 at a time into four 128-bit lanes, the lanes into one, and that one is reduced to 32
// bits (Barrett). Works on the plain register value; the caller inverts before and after.
__attribute__((target("pclmul,sse4.1"))) quint32 foldedCrc32(quint32 crc, const uchar *data,
                                                             size_t size)
{
    // Powers of x modulo the bit-reflected polynomial 0xEDB88320, and the polynomial with its
    // Barrett constant.
    alignas(16) static const quint64 fold4[2] = {0x0154442bd4, 0x01c6e41596};
    alignas(16) static const quint64 fold1[2] = {0x01751997d0, 0x00ccaa009e};
    alignas(16) static const quint64 fold64[2] = {0x0163cd6124, 0x0000000000};
    alignas(16) static const quint64 barrett[2] = {0x01db710641, 0x01f7011641};

    __m128i x1 = load(data);
    __m128i x2 = load(data + 16);
    __m128i x3 = load(data + 32);
    __m128i x4 = load(data + 48);
    x1 = _mm_xor_si128(x1, _mm_cvtsi32_si128(int(crc)));
    __m128i k = _mm_load_si128(reinterpret_cast<const __m128i *>(fold4));
    data += 64;
    size -= 64;
    while (size >= 64) {
        const __m128i x5 = _mm_clmulepi64_si128(x1, k, 0x00);
        const __m128i x6 = _mm_clmulepi64_si128(x2, k, 0x00);
        const __m128i x7 = _mm_clmulepi64_si128(x3, k, 0x00);
        const __m128i x8 = _mm_clmulepi64_si128(x4, k, 0x00);
        x1 = _mm_clmulepi64_si128(x1, k, 0x11);
        x2 = _mm_clmulepi64_si128(x2, k, 0x11);
        x3 = _mm_clmulepi64_si128(x3, k, 0x11);
        x4 = _mm_clmulepi64_si128(x4, k, 0x11);
        x1 = _mm_xor_si128(_mm_xor_si128(x1, x5), load(data));
        x2 = _mm_xor_si128(_mm_xor_si128(x2, x6), load(data + 16));
        x3 = _mm_xor_si128(_mm_xor_si128(x3, x7), load(data + 32));
        x4 = _mm_xor_si128(_mm_xor_si128(x4, x8), load(data + 48));
        data += 64;
        size -= 64;
    }
    k = _mm_load_si128(reinterpret_cast<const __m128i *>(fold1));
    x1 = foldInto(x1, x2, k);
    x1 = foldInto(x1, x3, k);
    x1 = foldInto(x1, x4, k);
    while (size >= 16) {
        x1 = foldInto(x1, load(data), k);
        data += 16;
        size -= 16;
    }
    // 128 bits to 64.
    const __m128i mask32 = _mm_setr_epi32(~0, 0, ~0, 0);
    __m128i x0 = _mm_clmulepi64_si128(x1, k, 0x10);
    x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), x0);
    k = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(fold64));
    x0 = _mm_srli_si128(x1, 4);
    x1 = _mm_and_si128(x1, mask32);
    x1 = _mm_xor_si128(_mm_clmulepi64_si128(x1, k, 0x00), x0);
    // Barrett reduction to 32 bits.
    k = _mm_load_si128(reinterpret_cast<const __m128i *>(barrett));
    x0 = _mm_and_si128(x1, mask32);
    x0 = _mm_clmulepi64_si128(x0, k, 0x10);
    x0 = _mm_and_si128(x0, mask32);
    x0 = _mm_clmulepi64_si128(x0, k, 0x00);
    x1 = _mm_xor_si128(x1, x0);
    return quint32(_mm_extract_epi32(x1, 1));
}

bool hasFoldedCrc32()
{
    static const bool available =
        __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return available;
}
#endif

} // namespace

quint32 update(quint32 crc, const char *data, qint64 size)
{
    const auto *bytes = reinterpret_cast<const uchar *>(data);
#ifdef ZERUN_FOLDED_CRC
    if (size >= 64 && hasFoldedCrc32()) {
        const auto whole = size_t(size) & ~size_t(15);
        crc = ~foldedCrc32(~crc, bytes, whole);
        bytes += whole;
        size -= qint64(whole);
    }
#endif
    // zlib for what is left (and everywhere without the instructions).
    while (size > 0) {
        const auto count = uInt(qMin<qint64>(size, 1 << 30));
        crc = quint32(::crc32(crc, bytes, count));
        bytes += count;
        size -= count;
    }
    return crc;
}

} // namespace Crc32
