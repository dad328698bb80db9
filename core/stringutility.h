#pragma once

#include <QObject>
#include <QString>

// Reads and writes whole text files.
class StringUtility : public QObject
{
    Q_OBJECT

public:
    StringUtility();

    // Whole content, decoded as local 8-bit unless a byte-order mark says otherwise; empty when
    // the file cannot be opened.
    static QString readTextFile(const QString &path);
    // Replaces the file's content with text; false, writing nothing, when it cannot be opened.
    static bool writeTextFile(const QString &path, const QString &text);
};
