#include "translations.h"

#include "apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
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
    // The installer's own files: in the folder given, else where AppPaths finds them (the working
    // folder, then beside the program).
    const auto ours = [&folder](const QString &name) {
        return folder.isEmpty()
                   ? AppPaths::languageFile(name)
                   : folder + QStringLiteral("/languages/") + name + QStringLiteral(".qm");
    };
    // Qt names some of its files after the language and its country only ("pt_BR" for "pt").
    const QString qtFolder =
        QLibraryInfo::location(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_");
    QString qtFile = qtFolder + code + QStringLiteral(".qm");
    if (!QFile::exists(qtFile))
        qtFile = qtFolder + QLocale(code).name() + QStringLiteral(".qm");
    QStringList files = {qtFile, ours(QStringLiteral("en"))};
    if (code != QLatin1String("en"))
        files << ours(code);
    // Numbers as the language writes them ("3,8 MB/s" in German), unless the system's own
    // locale is of that language already (and knows its country better).
    QLocale::setDefault(QLocale::system().language() == QLocale(code).language() ? QLocale::system()
                                                                                 : QLocale(code));
    QStringList loaded;
    for (const QString &file : qAsConst(files)) {
        if (!file.isEmpty() && QFile::exists(file) && load(file))
            loaded << file;
    }
    return loaded;
}
