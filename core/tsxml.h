#pragma once

#include <QFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

// Small persistent values as one XML file per key, in the Preferences or the Cache folder.
// Nothing is cached: every read parses the file again, every write replaces it whole.
class TsXML : public QObject
{
    Q_OBJECT

public:
    enum Location { Preferences = 1, Cache = 2 };

    static QString load(int location, const QString &key);
    static void save(int location, const QString &key, const QString &value);

    static QStringList loadCacheList(const QString &key, bool withNames = false);
    static QStringList loadPreferencesList(const QString &key, bool withNames = false);
    static QStringList loadList(int location, const QString &key, bool textsOnly);
    static QStringList splitPairs(const QStringList &entries, bool takeValue);

    // Binds the object to one file, opened for reading or (writeMode) for writing; the reader
    // or writer is attached to it for the caller's use.
    TsXML(const QString &fileName, bool writeMode, QObject *parent = nullptr);
    ~TsXML() override;

    QXmlStreamWriter writer;
    QXmlStreamReader reader;
    QFile file;
    bool locked = false;

    void openForReading();
    void openForWriting();

    static QString filePath(int location, const QString &key);

private:
    static QStringList walk(const QString &path, bool names, bool texts);
};
