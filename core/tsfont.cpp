#include "tsfont.h"

#include <QDir>
#include <QFontDatabase>
#include <QStringList>

void TsFont::loadFonts()
{
    const QString folder = QDir::currentPath() + QStringLiteral("/data/fonts");
    const QStringList entries = QDir(folder).entryList();
    for (const QString &entry : entries) {
        if (entry.contains(QStringLiteral(".ttf"))) {
            QFontDatabase::addApplicationFont(folder + QLatin1Char('/') + entry);
        }
    }
}
