#include "tsstringlist.h"

#include <QDir>

TsStringList::TsStringList(QObject *parent) : QObject(parent)
{}

QStringList TsStringList::filesWithSuffix(const QString &folder, const QString &suffix)
{
    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.contains(suffix))
            names << entry.left(entry.size() - suffix.size());
    }
    return names;
}

QStringList TsStringList::filesWithSuffixIn(const QStringList &folders, const QString &suffix)
{
    QStringList names;
    for (const QString &folder : folders)
        names << filesWithSuffix(folder, suffix);
    return names;
}
