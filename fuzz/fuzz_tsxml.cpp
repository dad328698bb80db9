// The preference store: any bytes as a value file must load without fault, and any text saved
// must load back exactly, whatever characters it holds.
#include "apppaths.h"
#include "fuzzsupport.h"
#include "tsxml.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::setUp(argc, argv);
    AppPaths::createFolders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));

    // Load: the input as a file written by anyone.
    {
        QFile file(AppPaths::cacheFolder() + QStringLiteral("/fuzzed.xml"));
        FuzzSupport::check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "write input");
        file.write(bytes);
    }
    TsXML::load(TsXML::Cache, QStringLiteral("fuzzed"));
    TsXML::loadCacheList(QStringLiteral("fuzzed"), true);

    // Save and load: the input as UTF-16 code units, so every possible text can come up,
    // lone surrogates and NUL included.
    const QString value =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(data), static_cast<int>(size / 2));
    FuzzSupport::check(TsXML::save(TsXML::Preferences, QStringLiteral("value"), value), "saved");
    const QString back = TsXML::load(TsXML::Preferences, QStringLiteral("value"));
    FuzzSupport::check(back == value, "the saved value loads back exactly",
                       value.toUtf8().toHex() + " != " + back.toUtf8().toHex());
    return 0;
}
