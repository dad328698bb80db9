#include "sha256.h"

#include <QFile>

#include <openssl/evp.h>

#include <cstdlib>
#include <memory>

namespace {

EVP_MD *fetched = nullptr;

// Handed back before the library's own clean-up at exit (registered after it, so it runs
// first), which would otherwise leave the fetched method's parts unreachable.
void releaseAlgorithm()
{
    EVP_MD_free(fetched);
    fetched = nullptr;
}

// Looked up once: an implicit lookup on every start of a hash costs more than hashing a small
// file.
const EVP_MD *algorithm()
{
    static const EVP_MD *const md = [] {
        fetched = EVP_MD_fetch(nullptr, "SHA256", nullptr);
        if (!fetched)
            return EVP_sha256();
        std::atexit(releaseAlgorithm);
        return static_cast<const EVP_MD *>(fetched);
    }();
    return md;
}

// Files are read in pieces of this size.
constexpr qint64 readChunk = 256 * 1024;

} // namespace

Sha256::Sha256() : context(EVP_MD_CTX_new())
{
    reset();
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(context);
}

void Sha256::reset()
{
    ok = context && EVP_DigestInit_ex(context, algorithm(), nullptr) == 1;
}

void Sha256::addData(const char *data, qint64 size)
{
    if (ok && size > 0)
        ok = EVP_DigestUpdate(context, data, size_t(size)) == 1;
}

bool Sha256::addFile(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const std::unique_ptr<char[]> buffer(new char[size_t(readChunk)]);
    // Negative: up to the end, however long the file is by then.
    qint64 left = limit;
    while (left != 0) {
        const qint64 count = file.read(buffer.get(), left < 0 ? readChunk : qMin(left, readChunk));
        if (count < 0)
            return false;
        if (count == 0)
            return left < 0;
        addData(buffer.get(), count);
        if (left > 0)
            left -= count;
    }
    return true;
}

QByteArray Sha256::hexResult()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    const bool done = ok && EVP_DigestFinal_ex(context, digest, &length) == 1;
    reset();
    if (!done)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex();
}

QByteArray Sha256::hexOf(const QByteArray &data)
{
    Sha256 hash;
    hash.addData(data);
    return hash.hexResult();
}

QByteArray Sha256::hexOfFile(const QString &path)
{
    Sha256 hash;
    if (!hash.addFile(path))
        return QByteArray();
    return hash.hexResult();
}
