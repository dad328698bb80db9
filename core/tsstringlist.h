#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// Lists the files of folders by a name suffix.
class TsStringList : public QObject
{
    Q_OBJECT

public:
    explicit TsStringList(QObject *parent = nullptr);

    // Names of the plain files (sorted by name) that contain suffix anywhere, each with its last
    // suffix-length characters cut off.
    static QStringList filesWithSuffix(const QString &folder, const QString &suffix);
    static QStringList filesWithSuffixIn(const QStringList &folders, const QString &suffix);
};
