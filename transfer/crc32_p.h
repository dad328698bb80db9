#pragma once

// Private to transfer/: the checksum under TsCompression::crc32.

#include <QtGlobal>

namespace Crc32 {

// The zip format's CRC-32 of the bytes, continuing from crc (0 to begin). Whole 16-byte blocks
// go through carry-less multiplication where the processor has it (checked once, at run time);
// the rest, and everything elsewhere, through zlib.
quint32 update(quint32 crc, const char *data, qint64 size);

} // namespace Crc32
