#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

// The two packs the unpack and install benchmarks time, made from fixed seeds so that every
// benchmark and every run unpacks the same bytes, and the figures they print.

// Writes `data` to `path`, or ends the program.
void writeFile(const QString &path, const QByteArray &data);
// `size` incompressible bytes.
QByteArray noise(int size, QRandomGenerator &generator);
// 5,000 files of 20-60 KB of incompressible bytes in 50 folders, under `root`/pics.
void makePictureTree(const QString &root);
// Four 64 MB text files that read like game database exports, under `root`/db.
void makeDatabaseTree(const QString &root);

// The median of `values` (0 for none).
double median(QList<double> values);
// The first three fields of /proc/loadavg, or "?".
QString loadAverage();
