#include "zipfixtures.h"

#include "testfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

namespace ZipFixtures {

namespace {

// Writes entries in order with any name, mode and method, then patches CRC or sizes in the local
// header and the central directory alike, so that both agree on the lie.
const char *writerScript = R"PY(
import json, struct, sys, zipfile
out, entries = sys.argv[1], json.loads(sys.argv[2])
with zipfile.ZipFile(out, "w") as z:
    for e in entries:
        info = zipfile.ZipInfo(e["name"].encode("latin-1").decode("utf-8"), (2024, 5, 17, 12, 0, 0))
        info.compress_type = zipfile.ZIP_STORED if e["stored"] else zipfile.ZIP_DEFLATED
        if e["mode"] >= 0:
            info.external_attr = (e["mode"] & 0xFFFF) << 16
            info.create_system = 3
        z.writestr(info, bytes.fromhex(e["data"]))
raw = bytearray(open(out, "rb").read())
eocd = raw.rfind(b"PK\x05\x06")
count, = struct.unpack_from("<H", raw, eocd + 10)
cd, = struct.unpack_from("<I", raw, eocd + 16)
pos = cd
for e in entries:
    n, m, k = struct.unpack_from("<HHH", raw, pos + 28)
    local, = struct.unpack_from("<I", raw, pos + 42)
    patch = e["patch"]
    if patch:
        central, lh = (pos + 16, local + 14) if patch == "crc" else (pos + 24, local + 22)
        value, = struct.unpack_from("<I", raw, central)
        if patch == "huge":
            value = 0xFFFFFFFE
        else:
            value = value ^ 0x5A5A if patch == "crc" else value + 100 if patch == "short" else max(0, value - 100)
        struct.pack_into("<I", raw, central, value)
        struct.pack_into("<I", raw, lh, value)
    pos += 46 + n + m + k
open(out, "wb").write(raw)
)PY";

} // namespace

// The system's own interpreter starts much faster than a version-manager shim on the PATH.
QString python()
{
    const QString system = QStandardPaths::findExecutable("python3", {"/usr/bin", "/bin"});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

bool hasTool(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

int run(const QString &program, const QStringList &arguments, const QString &workingFolder,
        QByteArray *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return -1;
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(generator.bounded(256));
    return data;
}

void writeSampleTree(const QString &root)
{
    QByteArray text;
    for (int i = 0; i < 400; ++i)
        text += "Line " + QByteArray::number(i) + " of a readme that compresses well.\n";
    TestFiles::write(root + "/readme.txt", text);
    TestFiles::write(root + "/maps/level1.dat", noise(70000, 7));
    TestFiles::write(root + "/maps/empty.txt", QByteArray());
    TestFiles::write(root + "/maps/deep/inner/notes.txt", "deep notes\n");
    TestFiles::write(root + QString::fromUtf8("/Ünïcødé/фото.txt"), "utf-8 name\n");
    QDir().mkpath(root + "/emptyfolder");
}

QStringList topLevel(const QString &root)
{
    return QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList producers()
{
    return {"zip", "zip-stored", "7z", "bsdtar", "python-deflated", "python-stored"};
}

void producerRows()
{
    QTest::addColumn<QString>("producer");
    for (const QString &producer : producers())
        QTest::newRow(qPrintable(producer)) << producer;
}

bool produce(const QString &producer, const QString &root, const QString &archivePath,
             const QString &password)
{
    const QStringList members = topLevel(root);
    QStringList arguments;
    if (producer == "zip" || producer == "zip-stored") {
        if (!hasTool("zip"))
            return false;
        arguments << "-q"
                  << "-r";
        if (producer == "zip-stored")
            arguments << "-0";
        if (!password.isEmpty())
            arguments << "-P" << password;
        return run("zip", arguments << archivePath << members, root) == 0;
    }
    if (producer == "7z") {
        if (!hasTool("7z"))
            return false;
        arguments << "a"
                  << "-tzip"
                  << "-bd";
        if (!password.isEmpty())
            arguments << ("-p" + password) << "-mem=ZipCrypto";
        return run("7z", arguments << archivePath << members, root) == 0;
    }
    if (producer == "bsdtar") {
        if (!hasTool("bsdtar") || !password.isEmpty())
            return false;
        return run("bsdtar", QStringList{"--format", "zip", "-cf", archivePath} << members, root) ==
               0;
    }
    if (producer == "python-deflated" || producer == "python-stored") {
        if (!password.isEmpty())
            return false;
        const QString script = QString(R"PY(
import os, sys, zipfile
root, out, method = sys.argv[1], sys.argv[2], getattr(zipfile, sys.argv[3])
with zipfile.ZipFile(out, "w", method) as z:
    for folder, dirs, files in sorted(os.walk(root)):
        dirs.sort()
        rel = os.path.relpath(folder, root)
        if rel != ".":
            z.write(folder, rel + "/")
        for name in sorted(files):
            z.write(os.path.join(folder, name), os.path.normpath(os.path.join(rel, name)))
)PY");
        const QString method = producer == "python-stored" ? "ZIP_STORED" : "ZIP_DEFLATED";
        return run(python(), {"-c", script, root, archivePath, method}) == 0;
    }
    return false;
}

bool writeArchive(const QString &archivePath, const QList<Entry> &entries)
{
    QJsonArray entryList;
    for (const Entry &entry : entries) {
        entryList.append(QJsonObject{{"name", QString::fromLatin1(entry.name)},
                                     {"data", QString::fromLatin1(entry.data.toHex())},
                                     {"mode", entry.mode},
                                     {"stored", entry.stored},
                                     {"patch", entry.patch}});
    }
    const QString json = QString::fromUtf8(QJsonDocument(entryList).toJson(QJsonDocument::Compact));
    QByteArray output;
    const int code =
        run(python(), {"-c", QString::fromLatin1(writerScript), archivePath, json}, {}, &output);
    if (code != 0)
        qWarning("%s", output.constData());
    return code == 0;
}

} // namespace ZipFixtures
