#include "diskroom.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/statvfs.h>
#endif

DiskRoom::Problem DiskRoom::problem(const QString &path, qint64 needed)
{
#ifdef Q_OS_UNIX
    // The nearest folder that exists is the one the file system is asked about.
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    struct statvfs status = {};
    if (::statvfs(QFile::encodeName(existing).constData(), &status) != 0)
        return Problem::None;
    if (status.f_flag & ST_RDONLY)
        return Problem::ReadOnly;
    // A file system that keeps no count of its entries reports none in total.
    if (status.f_files > 0 && status.f_favail == 0)
        return Problem::NoInodes;
    const double freeBytes = double(status.f_bavail) * double(status.f_frsize);
    if (freeBytes < double(qMax<qint64>(1, needed)))
        return Problem::Full;
#else
    Q_UNUSED(path)
    Q_UNUSED(needed)
#endif
    return Problem::None;
}

QString DiskRoom::text(Problem problem, const QString &folder)
{
    switch (problem) {
    case Problem::Full:
        return QStringLiteral("the disk is full");
    case Problem::NoInodes:
        return QStringLiteral("no room for more files on the disk");
    case Problem::ReadOnly:
        return QStringLiteral("the folder %1 cannot be written (read-only)")
            .arg(QDir::toNativeSeparators(folder));
    case Problem::None:
        break;
    }
    return {};
}
