#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>
#include <QtTest>

// Real files that tests set up and check.
namespace TestFiles {

// The bytes of `path`; "(unreadable)" when it cannot be read, so that a missing file never
// compares equal to an empty one.
inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Writes `bytes` to `path` in place of what was there, making its folder first; the running
// test fails when that cannot be done.
inline void write(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Every file (with its bytes) and folder (ending in "/", no bytes) below `root`, hidden ones
// included: a whole tree to compare before and after. A link is listed as "-> " and its target,
// and never followed. The record an install keeps in a package's folder (".zerun-record-…",
// which holds the time of the install) is left out unless `withRecords`; the records' own tests
// compare it.
inline QMap<QString, QByteArray> tree(const QString &root, bool withRecords = false)
{
    QMap<QString, QByteArray> entries;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = base.relativeFilePath(path);
        if (!withRecords && info.fileName().startsWith(".zerun-record-") &&
            info.fileName().endsWith(".json"))
            continue;
        if (info.isSymLink())
            entries.insert(relative, "-> " + info.symLinkTarget().toUtf8());
        else if (info.isDir())
            entries.insert(relative + "/", QByteArray());
        else
            entries.insert(relative, read(path));
    }
    return entries;
}

} // namespace TestFiles
