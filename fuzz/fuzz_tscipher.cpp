// The text cipher: anything encrypted decrypts back to itself under every setting, and any
// text given to decrypt is either refused with an error or gives some text, never a fault.
#include "fuzzsupport.h"
#include "tscipher.h"

#include <QtEndian>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 10)
        return 0;
    // First 8 bytes: the key; then the compression and integrity settings; the rest: the text.
    const quint64 key = qFromLittleEndian<quint64>(data);
    const int compression = data[8] % 3;
    const int integrity = data[9] % 3;
    const QByteArray plain(reinterpret_cast<const char *>(data + 10), static_cast<int>(size - 10));

    TsCipher cipher(key);
    cipher.compressionPolicy = compression;
    cipher.integrityMode = integrity;
    const QByteArray cypher = cipher.encryptToBytes(plain);
    if (key != 0) {
        const QByteArray back = cipher.decryptToBytes(cypher);
        FuzzSupport::check(cipher.lastError == 0 && back == plain, "round trip",
                           plain.toHex() + " -> " + back.toHex());
        const QString text = cipher.encryptToText(plain);
        FuzzSupport::check(cipher.decryptToBytes(text) == plain, "round trip through text");
    }

    // The same bytes as a cyphertext someone sent, raw and as text.
    TsCipher receiver(key | 1);
    receiver.decryptToBytes(plain);
    receiver.decryptToText(QString::fromLatin1(plain));
    FuzzSupport::check(receiver.lastError >= 0 && receiver.lastError <= 3, "known error");
    return 0;
}
