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

namespace {

// Values that character data cannot hold exactly are stored with the attribute encoding="escaped":
// a backslash stands for itself as "\\\\", and every code unit that XML 1.0 cannot carry, or that
// a reader would change (a carriage return becomes a line feed), as "\\u" and four hex digits.
const QString encodingAttribute = QStringLiteral("encoding");
const QString escapedEncoding = QStringLiteral("escaped");
const QByteArray hexDigits = QByteArrayLiteral("0123456789abcdef0123456789ABCDEF");

// True for a code unit that plain character data keeps as it is.
bool keptAsIs(const QString &value, int at)
{
    const ushort unit = value.at(at).unicode();
    if (unit == '\t' || unit == '\n')
        return true;
    if (unit < 0x20 || unit == 0xFFFE || unit == 0xFFFF)
        return false;
    if (QChar::isHighSurrogate(unit))
        return at + 1 < value.size() && QChar::isLowSurrogate(value.at(at + 1).unicode());
    if (QChar::isLowSurrogate(unit))
        return at > 0 && QChar::isHighSurrogate(value.at(at - 1).unicode());
    return true;
}

bool needsEscaping(const QString &value)
{
    for (int at = 0; at < value.size(); ++at) {
        if (!keptAsIs(value, at))
            return true;
    }
    return false;
}

QString escaped(const QString &value)
{
    QString text;
    text.reserve(value.size() + 16);
    for (int at = 0; at < value.size(); ++at) {
        const QChar unit = value.at(at);
        if (unit == QLatin1Char('\\'))
            text += QStringLiteral("\\\\");
        else if (keptAsIs(value, at))
            text += unit;
        else
            text += QStringLiteral("\\u") +
                    QStringLiteral("%1").arg(unit.unicode(), 4, 16, QLatin1Char('0'));
    }
    return text;
}

// The value an escaped text stands for; ok is false for a text no save could have written.
QString unescaped(const QString &text, bool *ok)
{
    *ok = false;
    QString value;
    value.reserve(text.size());
    for (int at = 0; at < text.size(); ++at) {
        const QChar unit = text.at(at);
        if (unit != QLatin1Char('\\')) {
            value += unit;
        } else if (text.midRef(at + 1, 1) == QLatin1String("\\")) {
            value += unit;
            at += 1;
        } else if (text.midRef(at + 1, 1) == QLatin1String("u") && at + 6 <= text.size()) {
            ushort code = 0;
            for (int digit = at + 2; digit < at + 6; ++digit) {
                const QChar character = text.at(digit);
                const int nibble =
                    character.unicode() < 0x80 ? hexDigits.indexOf(character.toLatin1()) : -1;
                if (nibble < 0)
                    return QString();
                code = static_cast<ushort>(code * 16 + nibble % 16);
            }
            value += QChar(code);
            at += 5;
        } else {
            return QString();
        }
    }
    *ok = true;
    return value;
}

} // namespace

bool TsXML::save(int location, const QString &key, const QString &value)
{
    const QString path = filePath(location, key);
    if (path.isEmpty()) {
        qDebug().noquote().nospace() << "Error saving XML " << key;
        return false;
    }
    // Written through a temporary file and renamed over the old one when complete, so a failed
    // write keeps the value stored before instead of leaving the key without a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug().noquote().nospace() << "Error saving XML " << path;
        return false;
    }
    QXmlStreamWriter writer(&file);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("data"));
    if (needsEscaping(value)) {
        writer.writeAttribute(encodingAttribute, escapedEncoding);
        writer.writeCharacters(escaped(value));
    } else {
        writer.writeCharacters(value);
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    if (writer.hasError())
        file.cancelWriting();
    if (!file.commit()) {
        qDebug().noquote().nospace() << "Error saving XML " << path;
        return false;
    }
    return true;
}

QString TsXML::load(int location, const QString &key)
{
    const QString path = filePath(location, key);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        // A missing or unreadable file holds no value; only an unreadable one is a fault (a
        // fresh profile has none of its values yet).
        if (path.isEmpty() || file.exists())
            qDebug().noquote().nospace() << "Error loading XML " << (path.isEmpty() ? key : path);
        return QString();
    }
    QXmlStreamReader reader(&file);
    QString value;
    while (!reader.atEnd()) {
        if (reader.name() == QLatin1String("data")) {
            const bool escapedValue =
                reader.attributes().value(encodingAttribute) == escapedEncoding;
            value = reader.readElementText();
            bool ok = true;
            if (escapedValue && !reader.hasError())
                value = unescaped(value, &ok);
            if (!ok)
                reader.raiseError(QStringLiteral("Malformed escaped value"));
        }
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
        if (path.isEmpty() || file.exists())
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
