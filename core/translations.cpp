#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Installs the translation in `file`; the application owns it from then on.
bool load(const QString &file)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace

QStringList installTranslations(const QString &language, const QString &folder)
{
    const QString code = language.isEmpty() ? QStringLiteral("en") : language;
    const QString ours =
        (folder.isEmpty() ? QDir::currentPath() : folder) + QStringLiteral("/languages/");
    QStringList files = {QLibraryInfo::location(QLibraryInfo::TranslationsPath) +
                             QStringLiteral("/qtbase_") + code + QStringLiteral(".qm"),
                         ours + QStringLiteral("en.qm")};
    if (code != QLatin1String("en"))
        files << ours + code + QStringLiteral(".qm");
    QStringList loaded;
    for (const QString &file : qAsConst(files)) {
        if (QFile::exists(file) && load(file))
            loaded << file;
    }
    return loaded;
}
