#include "gamefolder.h"

#include "apppaths.h"
#include "standarddialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

const QStringList installPaths{QStringLiteral("Program Files (x86)/GDS/TEW2016/TEW2016.exe"),
                               QStringLiteral("Program Files/GDS/TEW2016/TEW2016.exe")};

void addPrefix(QStringList &paths, QString prefix)
{
    prefix = QDir::cleanPath(QDir::fromNativeSeparators(prefix));
    for (const QString &path : installPaths)
        paths.append(prefix + QStringLiteral("/drive_c/") + path);
}

// The entry of `folder` called `name` in any case: `name` itself when it is there, else the
// first entry in name order that differs from it only in case; empty when there is none.
QString entryIn(const QString &folder, const QString &name, bool file)
{
    const QFileInfo exact(folder + QLatin1Char('/') + name);
    if (file ? exact.isFile() : exact.isDir())
        return name;
    const QStringList entries = QDir(folder).entryList(
        (file ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

// `relative` below `base`, each of its components found in any case; the last one is a file when
// `file` is set, else a folder. Empty when any component is missing.
QString resolve(const QString &base, const QString &relative, bool file)
{
    if (base.isEmpty())
        return {};
    QString path = QDir::cleanPath(base);
    if (!QFileInfo(path).isDir())
        return {};
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString name = entryIn(path, parts.at(i), file && i == parts.size() - 1);
        if (name.isEmpty())
            return {};
        path += (path.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + name;
    }
    return path;
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString identity(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

// The sub-folders of `folder` (any case) in name order, as full paths.
QStringList subFolders(const QString &folder)
{
    QStringList paths;
    if (folder.isEmpty())
        return paths;
    const QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names)
        paths.append(folder + QLatin1Char('/') + name);
    return paths;
}

// The library folders named in a Steam libraryfolders.vdf: the "path" values of the current
// layout, and the numbered values of the older one.
QStringList steamLibraries(const QString &vdfFile)
{
    QFile file(vdfFile);
    if (vdfFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.read(4 * 1024 * 1024));
    static const QRegularExpression value(
        QStringLiteral("^[ \\t]*\"(?:path|\\d+)\"[ \\t]+\"((?:[^\"\\\\]|\\\\.)*)\""),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    QStringList libraries;
    auto it = value.globalMatch(text);
    while (it.hasNext()) {
        QString path = it.next().captured(1);
        path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        if (QDir::isAbsolutePath(path))
            libraries.append(path);
    }
    return libraries;
}

// The prefix: values of the Lutris game configurations in `folder`.
QStringList lutrisPrefixes(const QString &folder, const QString &home)
{
    QStringList prefixes;
    const QStringList files = QDir(folder).entryList(
        {QStringLiteral("*.yml"), QStringLiteral("*.yaml")}, QDir::Files, QDir::Name);
    static const QRegularExpression line(QStringLiteral("^\\s*prefix:\\s*(.*?)\\s*$"),
                                         QRegularExpression::MultilineOption);
    for (const QString &name : files) {
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.read(1024 * 1024));
        auto it = line.globalMatch(text);
        while (it.hasNext()) {
            QString prefix = it.next().captured(1);
            if (prefix.size() >= 2 &&
                (prefix.startsWith(QLatin1Char('"')) || prefix.startsWith(QLatin1Char('\''))) &&
                prefix.endsWith(prefix.front()))
                prefix = prefix.mid(1, prefix.size() - 2);
            if (prefix == QLatin1String("~") || prefix.startsWith(QStringLiteral("~/")))
                prefix = home + prefix.mid(1);
            if (QDir::isAbsolutePath(prefix))
                prefixes.append(prefix);
        }
    }
    return prefixes;
}

// One walk over every place the game may be; collects the finds (each folder once) and the
// places looked in.
class Search
{
public:
    Search(const QString &home, const QProcessEnvironment &environment)
    {
        const QString homeFolder = QDir::cleanPath(home);
        const auto fromEnvironment = [&](const char *name, const QString &fallback) {
            const QString value = environment.value(QString::fromLatin1(name));
            return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
        };
        const QString dataHome =
            fromEnvironment("XDG_DATA_HOME", homeFolder + QStringLiteral("/.local/share"));
        const QString configHome =
            fromEnvironment("XDG_CONFIG_HOME", homeFolder + QStringLiteral("/.config"));

        // The game's own default paths, then the Wine prefixes.
        const QString wine = QStringLiteral("Wine");
        const QString defaults = QStringLiteral("Default install");
        for (const QString &path : installPaths) {
            const QString executable = QStringLiteral("C:/") + path;
            place(QFileInfo(executable).path(), defaults);
            if (QFileInfo(executable).isFile())
                add(GameFolder::folderOf(executable), defaults);
        }
        const QString winePrefix = environment.value(QStringLiteral("WINEPREFIX"));
        if (!winePrefix.isEmpty())
            prefix(QDir::fromNativeSeparators(winePrefix), wine);
        prefix(homeFolder + QStringLiteral("/.wine"), wine);

        // Steam: its own library in each installation, and every library it lists.
        const QString steam = QStringLiteral("Steam");
        steamRoot(homeFolder, QStringLiteral(".steam/steam"), steam);
        steamRoot(dataHome, QStringLiteral("Steam"), steam);
        steamRoot(homeFolder, QStringLiteral(".var/app/com.valvesoftware.Steam/.local/share/Steam"),
                  QStringLiteral("Steam (Flatpak)"));

        // Lutris: the prefix of each configured game, and every folder of ~/Games.
        const QString lutris = QStringLiteral("Lutris");
        for (const QString &base : {configHome, dataHome}) {
            const QString games = resolve(base, QStringLiteral("lutris/games"), false);
            place(games.isEmpty() ? base + QStringLiteral("/lutris/games") : games, lutris);
            for (const QString &configured : lutrisPrefixes(games, homeFolder))
                prefix(configured, lutris);
        }
        prefixesIn(homeFolder, QStringLiteral("Games"), lutris);

        prefixesIn(dataHome, QStringLiteral("bottles/bottles"), QStringLiteral("Bottles"));
        prefixesIn(homeFolder,
                   QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles"),
                   QStringLiteral("Bottles (Flatpak)"));
        prefixesIn(homeFolder, QStringLiteral(".PlayOnLinux/wineprefix"),
                   QStringLiteral("PlayOnLinux"));
    }

    QVector<GameFolder::Candidate> found;
    QVector<GameFolder::Candidate> places;

private:
    void add(const QString &folder, const QString &launcher)
    {
        if (folder.isEmpty() || seenFolders.contains(identity(folder)))
            return;
        seenFolders.insert(identity(folder));
        found.append({withSlash(folder), launcher});
    }

    void place(const QString &folder, const QString &launcher)
    {
        for (const GameFolder::Candidate &known : places) {
            if (known.folder == withSlash(folder))
                return;
        }
        places.append({withSlash(folder), launcher});
    }

    // The first default path inside a Wine prefix.
    void prefix(const QString &root, const QString &launcher)
    {
        place(root, launcher);
        if (!seenPrefixes.contains(identity(root))) {
            seenPrefixes.insert(identity(root));
            for (const QString &path : installPaths) {
                const QString executable = resolve(root, QStringLiteral("drive_c/") + path, true);
                if (!executable.isEmpty()) {
                    add(GameFolder::folderOf(executable), launcher);
                    return;
                }
            }
        }
    }

    // Every folder of `base`/`relative` as a Wine prefix.
    void prefixesIn(const QString &base, const QString &relative, const QString &launcher)
    {
        const QString folder = resolve(base, relative, false);
        place(folder.isEmpty() ? base + QLatin1Char('/') + relative : folder, launcher);
        for (const QString &root : subFolders(folder))
            prefix(root, launcher);
    }

    void steamRoot(const QString &base, const QString &relative, const QString &launcher)
    {
        const QString root = resolve(base, relative, false);
        place(root.isEmpty() ? base + QLatin1Char('/') + relative : root, launcher);
        if (root.isEmpty())
            return;
        QStringList libraries{root};
        libraries +=
            steamLibraries(resolve(root, QStringLiteral("steamapps/libraryfolders.vdf"), true));
        for (const QString &library : libraries) {
            if (seenLibraries.contains(identity(library)))
                continue;
            seenLibraries.insert(identity(library));
            place(library, launcher);
            // Each game of the library has a folder of its own under steamapps/common.
            const QString common = resolve(library, QStringLiteral("steamapps/common"), false);
            for (const QString &game : subFolders(common)) {
                const QString executable = GameFolder::executableIn(game);
                if (!executable.isEmpty())
                    add(GameFolder::folderOf(executable), launcher);
            }
        }
    }

    QSet<QString> seenFolders;
    QSet<QString> seenPrefixes;
    QSet<QString> seenLibraries;
};

} // namespace

QStringList GameFolder::defaultExecutables()
{
    QStringList paths;
    for (const QString &path : installPaths)
        paths.append(QStringLiteral("C:/") + path);
    const QString winePrefix = qEnvironmentVariable("WINEPREFIX");
    if (!winePrefix.isEmpty())
        addPrefix(paths, winePrefix);
    addPrefix(paths, QDir::homePath() + QStringLiteral("/.wine"));
    return paths;
}

QString GameFolder::folderOf(const QString &executable)
{
    const QString path = QDir::fromNativeSeparators(executable);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.mid(slash + 1).compare(executableName(), Qt::CaseInsensitive) != 0)
        return {};
    return path.left(slash + 1);
}

QString GameFolder::executableIn(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const QString base = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    const QString name = entryIn(base, executableName(), true);
    return name.isEmpty() ? QString() : withSlash(base) + name;
}

QVector<GameFolder::Candidate> GameFolder::candidates(const QString &home,
                                                      const QProcessEnvironment &environment)
{
    return Search(home, environment).found;
}

QVector<GameFolder::Candidate> GameFolder::searchedPlaces(const QString &home,
                                                          const QProcessEnvironment &environment)
{
    return Search(home, environment).places;
}

QString GameFolder::remembered()
{
    const QString folder = AppPaths::gameFolder();
    return executableIn(folder).isEmpty() ? QString() : withSlash(folder);
}

void GameFolder::remember(const QString &folder)
{
    AppPaths::setGameFolder(folder);
}

QString GameFolder::locate(const QString &home, const QProcessEnvironment &environment)
{
    const QString kept = remembered();
    if (!kept.isEmpty())
        return kept;
    const QVector<Candidate> found = candidates(home, environment);
    if (found.isEmpty())
        return {};
    if (found.size() == 1)
        return found.first().folder;
    return choose(found);
}

QString GameFolder::locate()
{
    return locate(QDir::homePath(), QProcessEnvironment::systemEnvironment());
}

QString GameFolder::choiceText(const Candidate &candidate)
{
    return QDir::toNativeSeparators(candidate.folder) + QStringLiteral("   (") +
           candidate.launcher + QLatin1Char(')');
}

QString GameFolder::choose(const QVector<Candidate> &found)
{
    QStringList items;
    for (const Candidate &candidate : found)
        items.append(choiceText(candidate));
    const QString answer = StandardDialog::getItemFromList(
        chooseTitle(),
        QStringLiteral("TEW2016 is installed in more than one place. Which one should the "
                       "packages go into?"),
        items);
    const int index = items.indexOf(answer);
    if (index < 0)
        return {};
    remember(found.at(index).folder);
    return found.at(index).folder;
}

QString GameFolder::change(const QString &current)
{
    const QVector<Candidate> found =
        candidates(QDir::homePath(), QProcessEnvironment::systemEnvironment());
    const QString inUse = QDir::cleanPath(current);
    QStringList items;
    for (const Candidate &candidate : found) {
        const bool same = QDir::cleanPath(candidate.folder) == inUse;
        items.append(same ? QCoreApplication::translate("GameFolder", "%1 (in use)")
                                .arg(choiceText(candidate))
                          : choiceText(candidate));
    }
    const QString another = QCoreApplication::translate("GameFolder", "Another Folder…");
    items.append(another);
    const QString answer = StandardDialog::getItemFromList(
        QCoreApplication::translate("GameFolder", "Change Game Folder"),
        QCoreApplication::translate("GameFolder",
                                    "Which TEW2016 install should the packages go into? Each "
                                    "keeps its own list of installed packages."),
        items);
    QString folder;
    if (answer == another) {
        folder = browse();
    } else {
        const int index = items.indexOf(answer);
        if (index < 0)
            return {};
        folder = found.at(index).folder;
        remember(folder);
    }
    return QDir::cleanPath(folder) == inUse ? QString() : folder;
}

QString GameFolder::browse(QString *chosenFile)
{
    // The game's drive where there is one; the home folder elsewhere.
    const QString start =
        QFileInfo(QStringLiteral("C:/")).isDir() ? QStringLiteral("C://") : QDir::homePath();
    const QString chosen =
        StandardDialog::selectFile(false, {}, firstPromptTitle(), start, promptFilter());
    if (chosenFile)
        *chosenFile = chosen;
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile())
        return {};
    const QString folder = folderOf(chosen);
    if (!folder.isEmpty())
        remember(folder);
    return folder;
}

QString GameFolder::subFolder(const QString &gameFolder, const QString &name)
{
    QString wanted = name;
    while (wanted.endsWith(QLatin1Char('/')))
        wanted.chop(1);
    const QString found = entryIn(QDir::cleanPath(gameFolder), wanted, false);
    return (found.isEmpty() ? wanted : found) + QLatin1Char('/');
}

QString GameFolder::resolved(const QString &folder)
{
    if (folder.isEmpty())
        return folder;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty())
        return folder;
    return canonical.endsWith(QLatin1Char('/')) ? canonical : canonical + QLatin1Char('/');
}
