#pragma once

#include <QByteArray>
#include <QString>

struct evp_md_ctx_st;

// SHA-256 through OpenSSL's libcrypto, which uses the processor's SHA instructions where it has
// them. Results are lower-case hexadecimal text, the form the installed-package records keep.
//
// One object hashes one stream of bytes at a time and belongs to one thread at a time; separate
// objects may run on separate threads at once. The static functions keep no state.
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;

    void addData(const char *data, qint64 size);
    void addData(const QByteArray &data) { addData(data.constData(), data.size()); }
    // Adds the first `limit` bytes of a file (the whole file when negative). False when it
    // cannot be read or ends before `limit`; what was read before the failure stays added.
    bool addFile(const QString &path, qint64 limit = -1);
    // The hash of everything added since construction or the last result; starts afresh.
    QByteArray hexResult();
    // Forgets what was added.
    void reset();

    static QByteArray hexOf(const QByteArray &data);
    // Empty when the file cannot be read.
    static QByteArray hexOfFile(const QString &path);

private:
    evp_md_ctx_st *context = nullptr;
    bool ok = false;
};
