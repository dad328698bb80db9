#include "wording.h"

#include "apppaths.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

#include <memory>

namespace {

// The English file's forms of texts with a count ("%n file(s)" as "1 file", "2 files"), for the
// log whatever language the player reads. Loaded once; empty when the file is not found.
const QTranslator &english()
{
    static const auto translator = [] {
        auto loaded = std::make_unique<QTranslator>();
        const QString file = AppPaths::languageFile(QStringLiteral("en"));
        if (!file.isEmpty())
            loaded->load(file);
        return loaded;
    }();
    return *translator;
}

} // namespace

QString worded(Wording wording, const char *context, const char *source, const char *comment, int n)
{
    if (wording == Wording::Player)
        return QCoreApplication::translate(context, source, comment, n);
    QString text = QString::fromUtf8(source);
    if (n == -1)
        return text;
    const QString counted = english().translate(context, source, comment, n);
    if (!counted.isEmpty()) {
        text = counted;
    } else {
        // Without the English file: "(s)" is the plural's ending.
        static const QRegularExpression ending(QStringLiteral("\\(s\\)"));
        text.replace(ending, n == 1 ? QString() : QStringLiteral("s"));
    }
    // Grouped as the log writes numbers elsewhere: "5,003".
    text.replace(QLatin1String("%n"), QLocale(QLocale::English).toString(n));
    return text;
}

QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}
