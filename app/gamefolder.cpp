#include "gamefolder.h"

#include "apppaths.h"
#include "standarddialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

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

// The tokens of a Steam key-value file: quoted strings (with their \\ \" \n \t escapes), bare
// words, and the braces "{" and "}" (returned as themselves, `quoted` false). Comments ("//" to
// the end of the line) and white space of any kind separate tokens; line breaks mean nothing.
class VdfTokens
{
public:
    explicit VdfTokens(const QString &text) : text(text) {}

    bool next(QString *token, bool *quoted)
    {
        while (at < text.size()) {
            const QChar c = text.at(at);
            if (c.isSpace()) {
                ++at;
            } else if (c == QLatin1Char('/') && text.midRef(at, 2) == QLatin1String("//")) {
                const int end = text.indexOf(QLatin1Char('\n'), at);
                at = end < 0 ? text.size() : end + 1;
            } else {
                break;
            }
        }
        if (at >= text.size())
            return false;
        const QChar c = text.at(at);
        token->clear();
        *quoted = c == QLatin1Char('"');
        if (c == QLatin1Char('{') || c == QLatin1Char('}')) {
            *token = c;
            ++at;
            return true;
        }
        if (*quoted) {
            for (++at; at < text.size() && text.at(at) != QLatin1Char('"'); ++at) {
                QChar ch = text.at(at);
                if (ch == QLatin1Char('\\') && at + 1 < text.size()) {
                    ch = text.at(++at);
                    if (ch == QLatin1Char('n'))
                        ch = QLatin1Char('\n');
                    else if (ch == QLatin1Char('t'))
                        ch = QLatin1Char('\t');
                }
                token->append(ch);
            }
            ++at; // the closing quote
            return true;
        }
        for (; at < text.size(); ++at) {
            const QChar ch = text.at(at);
            if (ch.isSpace() || ch == QLatin1Char('"') || ch == QLatin1Char('{') ||
                ch == QLatin1Char('}'))
                break;
            token->append(ch);
        }
        return true;
    }

private:
    const QString &text;
    int at = 0;
};

bool isNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

// The library folders named in a Steam libraryfolders.vdf, read as key-value tokens: every
// "path" value of the current layout, and the numbered values at the top level of the older one.
QStringList steamLibraries(const QString &vdfFile)
{
    QFile file(vdfFile);
    if (vdfFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.read(4 * 1024 * 1024));
    VdfTokens tokens(text);
    QStringList libraries;
    QString token;
    QString key;
    bool quoted = false;
    bool haveKey = false;
    int depth = 0;
    while (tokens.next(&token, &quoted)) {
        if (!quoted && token == QLatin1String("{")) {
            ++depth;
            haveKey = false;
        } else if (!quoted && token == QLatin1String("}")) {
            depth = qMax(0, depth - 1);
            haveKey = false;
        } else if (!haveKey) {
            key = token;
            haveKey = true;
        } else {
            haveKey = false;
            const bool wanted = key.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0 ||
                                (depth == 1 && isNumber(key));
            if (wanted && QDir::isAbsolutePath(token))
                libraries.append(QDir::fromNativeSeparators(token));
        }
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

// How many folder levels below a searched folder (a folder of ~/Games, or of a prefix's drive
// C:) may hold the game: "drive_c/Program Files (x86)/GDS/TEW2016" is four.
constexpr int searchDepth = 4;

// One walk over every place the game may be; collects the finds (each folder once) and the
// places looked in.
class Search
{
public:
    Search(const QString &home, const QProcessEnvironment &environment)
        : homeFolder(QDir::cleanPath(home)), homeIdentity(identity(homeFolder))
    {
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
        const QString defaults =
            QCoreApplication::translate("GameFolder", "Default install", "a launcher's name");
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

        // Steam: its own library in each installation, every library it lists, and the Proton
        // prefix of each game in them.
        const QString steam = QStringLiteral("Steam");
        steamRoot(homeFolder, QStringLiteral(".steam/steam"), steam);
        steamRoot(dataHome, QStringLiteral("Steam"), steam);
        steamRoot(homeFolder, QStringLiteral(".var/app/com.valvesoftware.Steam/.local/share/Steam"),
                  QStringLiteral("Steam (Flatpak)"));

        // Lutris: the prefix of each configured game. Then every folder of ~/Games (a prefix, or
        // a plain copy of the game at any depth up to four), which Lutris set up only where one
        // of its games names it.
        const QString lutris = QStringLiteral("Lutris");
        for (const QString &base : {configHome, dataHome}) {
            const QString games = resolve(base, QStringLiteral("lutris/games"), false);
            place(games.isEmpty() ? base + QStringLiteral("/lutris/games") : games, lutris);
            for (const QString &configured : lutrisPrefixes(games, homeFolder))
                prefix(configured, lutris);
        }
        prefixesIn(homeFolder, QStringLiteral("Games"),
                   QCoreApplication::translate("GameFolder", "Games folder",
                                               "a launcher's name: the folder ~/Games"));

        prefixesIn(dataHome, QStringLiteral("bottles/bottles"), QStringLiteral("Bottles"));
        prefixesIn(homeFolder,
                   QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles"),
                   QStringLiteral("Bottles (Flatpak)"));
        prefixesIn(homeFolder, QStringLiteral(".PlayOnLinux/wineprefix"),
                   QStringLiteral("PlayOnLinux"));
    }

    QVector<GameFolder::Candidate> found;
    QVector<GameFolder::Candidate> places;

    // The places looked in that hold none of the finds.
    QVector<GameFolder::Candidate> emptyPlaces() const
    {
        QVector<GameFolder::Candidate> empty;
        for (const GameFolder::Candidate &place : places) {
            const bool holdsOne =
                std::any_of(found.cbegin(), found.cend(), [&](const GameFolder::Candidate &find) {
                    return find.folder.startsWith(place.folder) ||
                           identity(find.folder).startsWith(withSlash(identity(place.folder)));
                });
            if (!holdsOne)
                empty.append(place);
        }
        return empty;
    }

private:
    void add(const QString &folder, const QString &launcher)
    {
        if (folder.isEmpty() || seenFolders.contains(identity(folder)))
            return;
        seenFolders.insert(identity(folder));
        found.append({withSlash(folder), launcher, detail});
    }

    void place(const QString &folder, const QString &launcher)
    {
        for (const GameFolder::Candidate &known : places) {
            if (known.folder == withSlash(folder))
                return;
        }
        places.append({withSlash(folder), launcher});
    }

    // A Wine prefix: the first default path inside it, else a copy of the game in any folder of
    // its drive C: (but Windows' own) at any depth up to four.
    void prefix(const QString &root, const QString &launcher, bool listed = true)
    {
        if (listed)
            place(root, launcher);
        if (seenPrefixes.contains(identity(root)))
            return;
        seenPrefixes.insert(identity(root));
        for (const QString &path : installPaths) {
            const QString executable = resolve(root, QStringLiteral("drive_c/") + path, true);
            if (!executable.isEmpty()) {
                add(GameFolder::folderOf(executable), launcher);
                return;
            }
        }
        const QString driveC = resolve(root, QStringLiteral("drive_c"), false);
        for (const QString &folder : subFolders(driveC)) {
            const QFileInfo info(folder);
            if (info.fileName().compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0 &&
                (!info.isSymLink() || follow(info, driveC)))
                walk(folder, launcher, searchDepth, driveC);
        }
    }

    // Every folder of `base`/`relative` as a Wine prefix.
    void prefixesIn(const QString &base, const QString &relative, const QString &launcher)
    {
        const QString folder = resolve(base, relative, false);
        place(folder.isEmpty() ? base + QLatin1Char('/') + relative : folder, launcher);
        for (const QString &root : subFolders(folder)) {
            const QFileInfo info(root);
            if (info.isSymLink() && !follow(info, folder))
                continue;
            // A bottle's or prefix's name tells its copy apart; a plain copy's path does.
            const bool isPrefix = !resolve(root, QStringLiteral("drive_c"), false).isEmpty();
            detail = isPrefix ? info.fileName() : QString();
            if (isPrefix)
                prefix(root, launcher, false);
            else
                walk(root, launcher, searchDepth, folder);
            detail.clear();
        }
    }

    // Looks for the executable in `folder` and, while `levels` is above zero, in its sub-folders
    // (not hidden ones, nor below a find). A link is followed only while it stays inside the
    // home folder or `within`, and each folder is walked once.
    void walk(const QString &folder, const QString &launcher, int levels, const QString &within)
    {
        QStringList below;
        QString executable;
        QDirIterator it(folder, QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            const QFileInfo info = it.fileInfo();
            if (info.isDir()) {
                if (levels > 0 && (!info.isSymLink() || follow(info, within)))
                    below.append(info.filePath());
            } else if (executable.isEmpty() && info.fileName().compare(GameFolder::executableName(),
                                                                       Qt::CaseInsensitive) == 0) {
                executable = info.filePath();
            }
        }
        if (!executable.isEmpty()) {
            add(GameFolder::folderOf(executable), launcher);
            return;
        }
        std::sort(below.begin(), below.end());
        for (const QString &sub : below)
            walk(sub, launcher, levels - 1, within);
    }

    // Whether to walk a linked folder: once, and only while its target is inside the home
    // folder or `within`.
    bool follow(const QFileInfo &link, const QString &within)
    {
        const QString target = link.canonicalFilePath();
        const auto inside = [&target](const QString &root) {
            return !root.isEmpty() && (target == root || target.startsWith(withSlash(root)));
        };
        if (target.isEmpty() || !(inside(homeIdentity) || inside(identity(within))) ||
            linkTargets.contains(target))
            return false;
        linkTargets.insert(target);
        return true;
    }

    void steamRoot(const QString &base, const QString &relative, const QString &launcher)
    {
        const QString root = resolve(base, relative, false);
        place(root.isEmpty() ? base + QLatin1Char('/') + relative : root, launcher);
        if (root.isEmpty())
            return;
        QStringList libraries{root};
        // The library list is kept in steamapps/, and in config/ by newer clients.
        libraries +=
            steamLibraries(resolve(root, QStringLiteral("steamapps/libraryfolders.vdf"), true));
        libraries +=
            steamLibraries(resolve(root, QStringLiteral("config/libraryfolders.vdf"), true));
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
            // A game added to Steam from elsewhere runs in a Proton prefix of its own.
            const QString proton = launcher + QStringLiteral(" (Proton)");
            const QString compatdata =
                resolve(library, QStringLiteral("steamapps/compatdata"), false);
            if (!compatdata.isEmpty())
                place(compatdata, proton);
            for (const QString &game : subFolders(compatdata)) {
                const QString pfx = resolve(game, QStringLiteral("pfx"), false);
                detail = QFileInfo(game).fileName();
                if (!pfx.isEmpty())
                    prefix(pfx, proton, false);
                detail.clear();
            }
        }
    }

    const QString homeFolder;
    const QString homeIdentity;
    QSet<QString> seenFolders;
    QSet<QString> seenPrefixes;
    QSet<QString> seenLibraries;
    QSet<QString> linkTargets;
    // The detail of the finds made now (see GameFolder::Candidate).
    QString detail;
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
    return Search(home, environment).emptyPlaces();
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

QString GameFolder::labelOf(const Candidate &candidate)
{
    if (candidate.detail.isEmpty())
        return candidate.launcher;
    // "Steam (Proton)" with its app id: "Steam (Proton 2890193012)".
    if (candidate.launcher.endsWith(QLatin1Char(')')))
        return candidate.launcher.left(candidate.launcher.size() - 1) + QLatin1Char(' ') +
               candidate.detail + QLatin1Char(')');
    return QCoreApplication::translate("GameFolder", "%1 (%2)",
                                       "a launcher's name and the bottle or prefix")
        .arg(candidate.launcher, candidate.detail);
}

QString GameFolder::choiceText(const Candidate &candidate, const QString &home)
{
    QString path = candidate.folder;
    const QString homeFolder = QDir::cleanPath(home) + QLatin1Char('/');
    if (!home.isEmpty() && path.startsWith(homeFolder))
        path = QStringLiteral("~/") + path.mid(homeFolder.size());
    path = QDir::toNativeSeparators(path);
    if (path.size() > choicePathLength) {
        // The start says where the install is, the end that it is the game's folder.
        const int head = (choicePathLength - 1) / 3;
        path = path.left(head) + QChar(0x2026) + path.right(choicePathLength - 1 - head);
    }
    return QCoreApplication::translate("GameFolder", "%1: %2", "launcher: path of an install")
        .arg(labelOf(candidate), path);
}

namespace {

// The lines of a list of installs, each told apart from the others: a line that its shortened
// path would make the same as another shows the whole path.
QStringList choiceLines(const QVector<GameFolder::Candidate> &found)
{
    QStringList lines;
    for (const GameFolder::Candidate &candidate : found)
        lines.append(GameFolder::choiceText(candidate));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines.count(lines.at(i)) > 1)
            lines[i] = GameFolder::labelOf(found.at(i)) + QStringLiteral(": ") +
                       QDir::toNativeSeparators(found.at(i).folder);
    }
    return lines;
}

// The whole path of each find, for the tooltips of the list's lines.
QStringList choicePaths(const QVector<GameFolder::Candidate> &found)
{
    QStringList paths;
    for (const GameFolder::Candidate &candidate : found)
        paths.append(QDir::toNativeSeparators(candidate.folder));
    return paths;
}

} // namespace

QString GameFolder::chooseTitle()
{
    return QCoreApplication::translate("GameFolder", "Choose the TEW2016 install");
}

QString GameFolder::firstPromptTitle()
{
    return QCoreApplication::translate("GameFolder", "Set TEW2016 Install folder");
}

QString GameFolder::choose(const QVector<Candidate> &found)
{
    const QStringList items = choiceLines(found);
    const QString answer = StandardDialog::getItemFromList(
        chooseTitle(),
        QCoreApplication::translate("GameFolder", "TEW2016 is installed in more than one "
                                                  "place. Which one should the packages go into?"),
        items, choicePaths(found));
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
    QStringList items = choiceLines(found);
    for (int i = 0; i < found.size(); ++i) {
        if (QDir::cleanPath(found.at(i).folder) == inUse)
            items[i] = QCoreApplication::translate("GameFolder", "%1 (in use)").arg(items.at(i));
    }
    const QString another = QCoreApplication::translate("GameFolder", "Another Folder…");
    items.append(another);
    const QString answer = StandardDialog::getItemFromList(
        QCoreApplication::translate("GameFolder", "Change Game Folder"),
        QCoreApplication::translate("GameFolder",
                                    "Which TEW2016 install should the packages go into? Each "
                                    "keeps its own list of installed packages."),
        items, choicePaths(found));
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
