#pragma once

#include <QString>

// Why writing below a folder stopped, as far as its file system tells: a full disk (no free
// blocks for what was to be written), a table of files with no free entry left, or a file system
// mounted read-only. Read after a write failed, so that the reason says which of them it was.
// Where the file system cannot be asked (Windows), nothing is known.
class DiskRoom
{
public:
    enum class Problem {
        None,     // room for `needed` bytes and another file, and writable
        Full,     // fewer free bytes than were needed
        NoInodes, // no free entry for another file
        ReadOnly, // mounted read-only
    };

    // The problem of the file system that holds `path` (or its nearest existing parent) for
    // writing `needed` bytes more (at least one).
    static Problem problem(const QString &path, qint64 needed = 1);

    // The English reason for the log: "the disk is full", "no room for more files on the disk",
    // "the folder <folder> cannot be written (read-only)"; empty for Problem::None.
    static QString text(Problem problem, const QString &folder);
};
