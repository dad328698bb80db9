#include "filereport.h"

#include <QLocale>

#include <algorithm>

namespace {

const QString indent = QStringLiteral("    ");

QString number(qint64 value)
{
    // Grouped the player's way: "5,003".
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(value);
}

// Paths in the order a reader counts: "part_3" before "part_30", a run of digits by its value.
bool naturalLess(const QString &a, const QString &b)
{
    int i = 0;
    int j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            const auto digits = [](const QString &text, int &at) {
                while (at < text.size() - 1 && text.at(at) == QLatin1Char('0') &&
                       text.at(at + 1).isDigit())
                    ++at;
                const int start = at;
                while (at < text.size() && text.at(at).isDigit())
                    ++at;
                return text.midRef(start, at - start);
            };
            const QStringRef left = digits(a, i);
            const QStringRef right = digits(b, j);
            if (left.size() != right.size())
                return left.size() < right.size();
            if (left != right)
                return left < right;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j);
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

int FileReport::fileLines() const
{
    int count = 0;
    for (const QString &line : lines)
        count += line.startsWith(indent) ? 1 : 0;
    return count;
}

QString FileReport::forLog(int keep) const
{
    QStringList kept{summary};
    int files = 0;
    QString heading;
    for (const QString &line : lines) {
        if (!line.startsWith(indent)) {
            heading = line;
            continue;
        }
        if (++files > keep)
            continue;
        // A heading goes with the first of its files that is kept.
        if (!heading.isNull()) {
            kept << heading;
            heading = QString();
        }
        kept << line;
    }
    if (files > keep)
        kept << worded(Wording::Log, "FileReport", "... and %n more file(s) (%1 in all)", nullptr,
                       files - keep)
                    .arg(number(files));
    return kept.join(QLatin1Char('\n'));
}

FileReport FileReport::ofRemoval(const QString &name, const QString &folder,
                                 const PackageRemoval::Result &result, Wording wording)
{
    const bool player = wording == Wording::Player;
    FileReport report;
    if (!result.refusal.isEmpty()) {
        report.summary = PackageRemoval::describe(name, folder, result, wording);
        return report;
    }
    const int kept = int(result.changed.size() + result.added.size() + result.shared.size());
    const int failed = int(result.failed.size());
    if (failed > 0)
        report.summary =
            worded(wording, "FileReport",
                   //: %1 is the package, %2 its folder in the game
                   QT_TRANSLATE_N_NOOP("FileReport", "Could not remove %n of the files of %1 from "
                                                     "%2; they stay recorded."),
                   nullptr, failed)
                .arg(name, folder);
    else
        //: %1 is the package, %2 its folder in the game
        report.summary = player ? tr("Uninstalled %1 from %2.").arg(name, folder)
                                : QStringLiteral("Uninstalled %1 from %2.").arg(name, folder);
    if (!result.unfinished.isEmpty())
        report.summary += QLatin1Char(' ') + PackageRemoval::unfinishedLine(result, wording);
    if (kept > 0)
        report.summary +=
            QLatin1Char(' ') +
            worded(wording, "FileReport",
                   QT_TRANSLATE_N_NOOP("FileReport", "%n file(s) kept, listed below."), nullptr,
                   kept);
    const auto section = [&report](const QString &heading, QStringList paths) {
        if (paths.isEmpty())
            return;
        std::sort(paths.begin(), paths.end(), naturalLess);
        report.lines << heading;
        for (const QString &path : qAsConst(paths))
            report.lines << indent + path;
    };
    section(player ? tr("Could not remove (they stay recorded):")
                   : QStringLiteral("Could not remove (they stay recorded):"),
            result.failed);
    section(player ? tr("Kept, because you changed them:")
                   : QStringLiteral("Kept, because you changed them:"),
            result.changed);
    section(player ? tr("Kept, because you added them:")
                   : QStringLiteral("Kept, because you added them:"),
            result.added);
    section(player ? tr("Kept, because another package also installed them:")
                   : QStringLiteral("Kept, because another package also installed them:"),
            result.shared);
    section(player ? tr("Could not put back, because their kept copies are gone:")
                   : QStringLiteral("Could not put back, because their kept copies are gone:"),
            result.lostOriginals);
    return report;
}

FileReport FileReport::ofVerify(const QVector<PackageVerify::Result> &results, Wording wording)
{
    const bool player = wording == Wording::Player;
    FileReport report;
    int broken = 0;
    for (const PackageVerify::Result &result : results) {
        broken += result.whole() ? 0 : 1;
        if (!report.lines.isEmpty())
            report.lines << QString();
        report.lines << result.describe(wording).split(QLatin1Char('\n'));
    }
    if (results.size() == 1) {
        report.summary =
            QStringLiteral("%1: %2").arg(results.first().name, results.first().summary(wording));
    } else {
        const int count = int(results.size());
        //: %2 is how many of them have missing or changed files
        report.summary =
            worded(wording, "FileReport",
                   QT_TRANSLATE_N_NOOP("FileReport",
                                       "%n package(s) verified, %2 with missing or changed files"),
                   nullptr, count)
                .arg(number(broken));
    }
    return report;
}
