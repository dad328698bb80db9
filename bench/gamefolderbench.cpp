// The search for the game (GameFolder::candidates) in a home of 100,000 folders: Steam with
// 60 Proton prefixes, ~/Games with 20 deep game trees, ~/.wine with a Windows folder and
// programs, and a source tree elsewhere in the home; links out of the home and a link loop
// inside ~/Games. The game sits in one Proton prefix. Beside it, a walk of the whole home
// (QDirIterator, every level), the cost the bounded search avoids. Figures are medians of
// warm-cache rounds (the tree is walked once before timing).
//
//   zerun-gamefolder-bench [--rounds <n>] [--work <folder>]

#include "gamefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int made = 0;

bool makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        return false;
    ++made;
    return true;
}

// A tree of `fanout`-wide levels, `depth` deep, below `root`: fanout + fanout^2 + ... folders.
void tree(const QString &root, int fanout, int depth)
{
    if (depth == 0)
        return;
    for (int i = 0; i < fanout; ++i) {
        const QString folder = root + QStringLiteral("/f%1").arg(i);
        makeFolder(folder);
        tree(folder, fanout, depth - 1);
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int rounds = 9;
    QString work = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--rounds"))
            rounds = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--work"))
            work = args.at(i + 1);
    }
    QTemporaryDir dir(work + QStringLiteral("/zerun-gamefolder-bench-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot make a folder in %s\n", qPrintable(work));
        return 1;
    }
    const QString home = dir.path() + QStringLiteral("/home");
    const QString outside = dir.path() + QStringLiteral("/outside");

    // Steam: 60 Proton prefixes of 7^3 + 7^2 + 7 = 399 folders each below drive_c.
    const QString steam = home + QStringLiteral("/.local/share/Steam/steamapps");
    makeFolder(steam + QStringLiteral("/common/Other Game"));
    for (int p = 0; p < 60; ++p) {
        const QString driveC = steam + QStringLiteral("/compatdata/%1/pfx/drive_c").arg(1000 + p);
        tree(driveC + QStringLiteral("/windows"), 7, 3);
        tree(driveC + QStringLiteral("/users"), 4, 3);
    }
    const QString game =
        steam + QStringLiteral("/compatdata/1030/pfx/drive_c/Program Files (x86)/GDS/TEW2016");
    makeFolder(game);
    QFile exe(game + QStringLiteral("/TEW2016.exe"));
    if (!exe.open(QIODevice::WriteOnly))
        return 1;
    exe.close();
    // ~/Games: 20 game trees of 6 levels of 3 (1,092 folders each).
    for (int g = 0; g < 20; ++g)
        tree(home + QStringLiteral("/Games/game%1").arg(g), 3, 6);
    // ~/.wine: Windows' own folder and programs.
    tree(home + QStringLiteral("/.wine/drive_c/windows"), 10, 3);
    tree(home + QStringLiteral("/.wine/drive_c/Program Files"), 8, 3);
    // Links: out of the home into a large tree (not counted), and a loop.
    const int inHome = made;
    tree(outside, 10, 4);
    made = inHome;
    QFile::link(outside, home + QStringLiteral("/Games/game0/outside"));
    QFile::link(home + QStringLiteral("/Games"), home + QStringLiteral("/Games/game1/loop"));
    // The rest of the 100,000 in a source tree of the home.
    const int rest = 100000 - made;
    int sourceFolders = 0;
    for (int top = 0; sourceFolders < rest; ++top) {
        for (int i = 0; i < 10 && sourceFolders < rest; ++i) {
            for (int j = 0; j < 10 && sourceFolders < rest; ++j) {
                makeFolder(home + QStringLiteral("/src/p%1/m%2/d%3").arg(top).arg(i).arg(j));
                sourceFolders += 1;
            }
        }
    }

    int homeFolders = 0;
    for (QDirIterator it(home, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext(); it.next())
        ++homeFolders;

    const QProcessEnvironment environment;
    std::vector<double> search;
    std::vector<double> whole;
    int found = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        found = GameFolder::candidates(home, environment).size();
        search.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        int count = 0;
        for (QDirIterator it(home, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext(); it.next())
            ++count;
        whole.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("home: %d folders (%d made, links out of the home and a loop)\n", homeFolders,
                made);
    std::printf("GameFolder::candidates: %8.1f ms (median of %d), %d found\n", median(search),
                rounds, found);
    std::printf("walk of the whole home: %8.1f ms (median of %d)\n", median(whole), rounds);
    return found == 1 ? 0 : 1;
}
