#include "heldback.h"

#include "installrecovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace {

QString keyOf(const QString &name, const QString &kind)
{
    return name + QLatin1Char('\n') + kind;
}

} // namespace

void HeldBack::refresh()
{
    folders.clear();
    for (const InstallRecovery::Waiting &waiting : InstallRecovery::waitingJournals()) {
        if (!waiting.name.isEmpty())
            folders.insert(keyOf(waiting.name, waiting.kind), waiting.folder);
    }
}

QString HeldBack::folderOf(const CatalogueEntry &entry) const
{
    return folders.value(keyOf(entry.name, entry.kind));
}

QString HeldBack::tooltipOf(const CatalogueEntries &catalogue, int entry) const
{
    const QString folder = folderAt(catalogue, entry);
    if (folder.isEmpty())
        return QString();
    //: %1 is the folder that an interrupted install or uninstall waits for
    return QCoreApplication::translate(
               "Zerun", "Held back: an interrupted install or uninstall of it waits for %1")
        .arg(QDir::toNativeSeparators(folder));
}

QString HeldBack::folderAt(const CatalogueEntries &catalogue, int entry) const
{
    return entry >= 0 && entry < catalogue.size() ? folderOf(catalogue.at(entry)) : QString();
}

QVector<int> HeldBack::offered(const CatalogueEntries &catalogue, const QVector<int> &entries,
                               QString *told) const
{
    QVector<int> kept;
    QStringList held;
    for (const int entry : entries) {
        const QString folder = folderAt(catalogue, entry);
        if (folder.isEmpty())
            kept << entry;
        else
            held << catalogue.name(entry) + QStringLiteral(" (") +
                        QDir::toNativeSeparators(folder) + QLatin1Char(')');
    }
    if (!held.isEmpty()) {
        InstallRecovery::note(QStringLiteral("Held back, an interrupted change waits: ") +
                              held.join(QStringLiteral(", ")));
        //: %1 lists the packages with the folder each waits for
        *told = QCoreApplication::translate(
                    "Zerun",
                    "Not downloaded, because an interrupted install or uninstall of it waits for "
                    "its folder: %1. It is finished at a start of the installer that finds that "
                    "folder again.",
                    nullptr, held.size())
                    .arg(held.join(QStringLiteral(", ")));
    }
    return kept;
}

QSet<int> HeldBack::offered(const CatalogueEntries &catalogue, const QSet<int> &entries) const
{
    QSet<int> kept;
    for (const int entry : entries) {
        if (folderAt(catalogue, entry).isEmpty())
            kept.insert(entry);
    }
    return kept;
}
