#include "tsxml.h"

#include "apppaths.h"

#include <QDebug>
#include <QSaveFile>

QString TsXML::filePath(int location, const QString &key)
{
    // A key is a file name inside its folder: one with a separator would reach outside it, and a
    // location other than the two has no folder. Neither has a file.
    if (key.contains(QLatin1Char('/')) || key.contains(QLatin1Char('\\')))
        return QString();
    QString folder;
    if (location == Preferences)
        folder = AppPaths::preferencesFolder();
    else if (location == Cache)
        folder = AppPaths::cacheFolder();
    else
        return QString();
    return folder + QLatin1Char('/') + key + QStringLiteral(".xml");
}

void TsXML::save(int location, const QString &key, const QString &value)
{
    const QString path = filePath(location, key);
    if (path.isEmpty()) {
        qDebug().noquote().nospace() << "Error saving XML " << key;
        return;
    }
    // Written through a temporary file and renamed over the old one when complete, so a failed
    // write keeps the value stored before instead of leaving the key without a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug().noquote().nospace() << "Error saving XML " << path;
        return;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeTextElement(QStringLiteral("data"), value);
    writer.writeEndDocument();
    if (writer.hasError())
        file.cancelWriting();
    if (!file.commit())
        qDebug().noquote().nospace() << "Error saving XML " << path;
}

QString TsXML::load(int location, const QString &key)
{
    const QString path = filePath(location, key);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // A missing or unreadable file holds no value.
        qDebug().noquote().nospace() << "Error loading XML " << (path.isEmpty() ? key : path);
        return QString();
    }
    QXmlStreamReader reader(&file);
    QString value;
    while (!reader.atEnd()) {
        if (reader.name() == QLatin1String("data"))
            value = reader.readElementText();
        reader.readNext();
    }
    if (reader.hasError()) {
        // A malformed file holds no value, not the part read before the fault.
        qDebug().noquote().nospace()
            << "Error loading XML " << path << ": " << reader.errorString();
        value.clear();
    }
    file.close();
    return value;
}

QStringList TsXML::walk(const QString &path, bool names, bool texts)
{
    QStringList entries;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote().nospace() << "Error loading XML " << path;
        return entries;
    }
    QXmlStreamReader reader(&file);
    // Set when reading an element's text stopped at a child element: that start element is the
    // next token and has not been taken yet.
    bool tokenPending = false;
    while (tokenPending || !reader.atEnd()) {
        if (!tokenPending)
            reader.readNext();
        tokenPending = false;
        if (reader.hasError())
            break;
        const QString name = reader.name().toString();
        QString text;
        if (reader.isStartElement()) {
            // A leaf's text is its character data up to its end element; an element with
            // children has no text of its own, and the walk goes on into its children.
            bool leaf = false;
            while (!leaf && !tokenPending && !reader.hasError()) {
                switch (reader.readNext()) {
                case QXmlStreamReader::Characters:
                case QXmlStreamReader::EntityReference:
                    text += reader.text();
                    break;
                case QXmlStreamReader::EndElement:
                    leaf = true;
                    break;
                case QXmlStreamReader::StartElement:
                    tokenPending = true;
                    text.clear();
                    break;
                default:
                    break;
                }
            }
            if (reader.hasError())
                break;
        }
        if (names && texts)
            entries << name + QLatin1Char('=') + text;
        else if (names)
            entries << name;
        else
            entries << text;
    }
    if (reader.hasError())
        qDebug().noquote().nospace()
            << "Error loading XML " << path << ": " << reader.errorString();
    return entries;
}

QStringList TsXML::loadCacheList(const QString &key, bool withNames)
{
    return walk(filePath(Cache, key), withNames, true);
}

QStringList TsXML::loadPreferencesList(const QString &key, bool withNames)
{
    return walk(filePath(Preferences, key), withNames, true);
}

QStringList TsXML::loadList(int location, const QString &key, bool textsOnly)
{
    return walk(filePath(location, key), !textsOnly, textsOnly);
}

QStringList TsXML::splitPairs(const QStringList &entries, bool takeValue)
{
    QStringList parts;
    parts.reserve(entries.size());
    for (const QString &entry : entries) {
        const int at = entry.indexOf(QLatin1Char('='));
        if (takeValue)
            parts << (at < 0 ? QString() : entry.mid(at + 1));
        else
            parts << (at < 0 ? entry : entry.left(at));
    }
    return parts;
}

TsXML::TsXML(const QString &fileName, bool writeMode, QObject *parent) : QObject(parent)
{
    file.setFileName(fileName);
    if (writeMode)
        openForWriting();
    else
        openForReading();
    locked = true;
}

TsXML::~TsXML()
{
    file.close();
}

void TsXML::openForReading()
{
    if (locked) {
        qDebug().noquote() << "Attempted to access Read Mode when the Device is Locked!";
        return;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qDebug().noquote().nospace() << "Error loading XML " << file.fileName();
    reader.setDevice(&file);
}

void TsXML::openForWriting()
{
    if (locked) {
        qDebug().noquote() << "Attempted to access Read Mode when the Device is Locked!";
        return;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        qDebug().noquote().nospace() << "Error saving XML " << file.fileName();
    writer.setDevice(&file);
}
