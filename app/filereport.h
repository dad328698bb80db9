#pragma once

#include "packageremoval.h"
#include "packageverify.h"
#include "wording.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// What an uninstall or a verify did to many files, in a form that scales: a one-line summary over
// the detail, whose lines are headings and, indented by four blanks, one file each. The window
// shows the summary above the whole detail (scrolling, copyable) once the detail is long; the log
// keeps the summary and the first file lines, and counts the rest, so a report of 5,000 files is
// never one enormous record.
class FileReport
{
    Q_DECLARE_TR_FUNCTIONS(FileReport)

public:
    // File lines the log keeps of one report.
    static constexpr int logFileLines = 100;
    // Reports that name more files than this are long: they are shown scrolling, under a summary.
    static constexpr int shortFileLines = 10;

    QString summary;
    QStringList lines;

    // The number of file lines (the indented ones).
    int fileLines() const;
    bool isLong() const { return fileLines() > shortFileLines; }
    // The detail, one line after the other.
    QString detail() const { return lines.join(QLatin1Char('\n')); }
    // The summary, then the detail up to `keep` file lines (headings of the lines kept go with
    // them), then "... and <n> more files" when some were left out.
    QString forLog(int keep = logFileLines) const;

    // What an uninstall did: the summary, then the files that could not be removed and those
    // that were kept, each under its heading.
    static FileReport ofRemoval(const QString &name, const QString &folder,
                                const PackageRemoval::Result &result,
                                Wording wording = Wording::Log);
    // What a verify found: one package's summary, or a count of the packages, over every
    // package's description.
    static FileReport ofVerify(const QVector<PackageVerify::Result> &results,
                               Wording wording = Wording::Log);
};
