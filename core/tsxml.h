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

    // The stored value; empty when the file is missing, unreadable, malformed or has no "data".
    static QString load(int location, const QString &key);
    // Replaces the file whole; load gives back exactly the value saved, whatever characters it
    // holds. The new file is complete before it takes the old one's place, so a failed write
    // leaves the value stored before, and returns false.
    static bool save(int location, const QString &key, const QString &value);

    // Readers for documents of several elements. They walk the file token by token and give one
    // entry per token, in document order: "name=text" with withNames, else the text alone.
    // Tokens other than start elements give an empty text (and the end element's name, if any).
    // A leaf element's text is its character data, read past its end element; an element with
    // child elements has no text of its own and the walk goes on into its children. A missing
    // file gives no entries; a malformed one the entries before the fault.
    static QStringList loadCacheList(const QString &key, bool withNames = false);
    static QStringList loadPreferencesList(const QString &key, bool withNames = false);
    // The same walk over location/key.xml: the texts when textsOnly, else the names.
    static QStringList loadList(int location, const QString &key, bool textsOnly);
    // Each entry split at its first "=": the part after it (takeValue) or the part before it.
    // An entry without "=" is all name and no value.
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

    // location's folder + "/" + key + ".xml"; empty for any other location and for a key that
    // holds a path separator (such keys have no file: loads are empty, saves write nothing).
    static QString filePath(int location, const QString &key);

private:
    static QStringList walk(const QString &path, bool names, bool texts);
};
