#include "benchpacks.h"

#include <QDir>
#include <QFile>

#include <algorithm>

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray noise(int size, QRandomGenerator &generator)
{
    QByteArray data(size, Qt::Uninitialized);
    auto *words = reinterpret_cast<quint32 *>(data.data());
    generator.fillRange(words, size / 4);
    for (int i = size / 4 * 4; i < size; ++i)
        data[i] = char(generator.bounded(256));
    return data;
}

void makePictureTree(const QString &root)
{
    QRandomGenerator generator(2016);
    for (int folder = 0; folder < 50; ++folder) {
        const QString dir = QString("%1/pics/set%2").arg(root).arg(folder, 2, 10, QChar('0'));
        QDir().mkpath(dir);
        for (int file = 0; file < 100; ++file) {
            const int size = 20 * 1024 + int(generator.bounded(40 * 1024 + 1));
            writeFile(QString("%1/img%2.jpg").arg(dir).arg(file, 3, 10, QChar('0')),
                      noise(size, generator));
        }
    }
}

void makeDatabaseTree(const QString &root)
{
    static const char *const words[] = {"Wrestler",  "Promotion", "Champion", "Title",  "Event",
                                        "Arena",     "Contract",  "Roster",   "Heel",   "Face",
                                        "Tag",       "Team",      "Brand",    "Show",   "Match",
                                        "Storyline", "Manager",   "Referee",  "Venue",  "Ratings",
                                        "Injury",    "Debut",     "Retired",  "Active", "Momentum"};
    const int wordCount = int(sizeof words / sizeof *words);
    QRandomGenerator generator(2016);
    QDir().mkpath(root + "/db");
    for (int table = 0; table < 4; ++table) {
        QByteArray text;
        text.reserve(64 * 1024 * 1024 + 256);
        qint64 row = 0;
        while (text.size() < 64 * 1024 * 1024) {
            text += QByteArray::number(++row) + ',';
            for (int field = 0; field < 6; ++field) {
                text += words[generator.bounded(wordCount)];
                text += ' ';
                text += QByteArray::number(generator.bounded(100000));
                text += ',';
            }
            text += QByteArray::number(generator.bounded(1000) / 10.0, 'f', 1) + '\n';
        }
        text.truncate(64 * 1024 * 1024);
        writeFile(QString("%1/db/table%2.dat").arg(root).arg(table), text);
    }
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

QString loadAverage()
{
    QFile file("/proc/loadavg");
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(' ', 0, 2);
}
