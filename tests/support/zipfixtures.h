#pragma once

// Archives for the zip tests, made at test time by real producers (Info-ZIP zip, 7z, bsdtar,
// Python's zipfile), plus hostile archives that only a hand-driven writer produces.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace ZipFixtures {

// Whether a program is on the PATH.
bool hasTool(const QString &program);
// The Python 3 interpreter to run.
QString python();
// Runs a program to its end; its exit code, or -1 when it could not run.
int run(const QString &program, const QStringList &arguments,
        const QString &workingFolder = QString(), QByteArray *output = nullptr);

// Writes the sample tree: nested folders, an empty folder, an empty file, incompressible and
// compressible data, UTF-8 names.
void writeSampleTree(const QString &root);
// Top-level names below root, for producers that take a list of members.
QStringList topLevel(const QString &root);

// Names of the producers that build the sample archive.
QStringList producers();
// For a _data function: the column "producer" with one row per producer, named after it.
void producerRows();
// Builds archivePath from the tree at root with the named producer; empty password: plain.
// False when the producer is missing or failed.
bool produce(const QString &producer, const QString &root, const QString &archivePath,
             const QString &password = QString());

// One entry of a hand-built archive.
struct Entry
{
    QByteArray name; // UTF-8
    QByteArray data;
    int mode = -1;       // Unix mode for the upper external attributes; -1: none
    bool stored = false; // stored instead of deflated
    QString patch;       // "crc", "short" (declares more bytes), "long" (declares fewer) or
                         // "huge" (declares 4 GiB - 2 bytes)
};
// Writes the entries with Python's zipfile, then applies the patches to both headers.
bool writeArchive(const QString &archivePath, const QList<Entry> &entries);

// A deterministic block of incompressible bytes.
QByteArray noise(int size, quint32 seed);

} // namespace ZipFixtures
