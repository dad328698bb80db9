#include "startup.h"

#include "apppaths.h"
#include "crashreportconsent.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "gamefolderpage.h"
#include "installrecovery.h"
#include "logwindows.h"
#include "openwith.h"
#include "singleinstance.h"
#include "standarddialog.h"
#include "translations.h"
#include "tsbreakpad.h"
#include "tsfont.h"
#include "tslogging.h"
#include "updatecheck.h"
#include "updatedialog.h"
#include "zerun.h"
#include "zerundarkstyle.h"
#include "zerunversion.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace {

const QString organisationName = QStringLiteral("Tandel Orvik");
const QString organisationDomain = QStringLiteral("tandel-orvik.example.com");

// Set before the application object exists (the high-DPI one must be), in this order.
const std::pair<Qt::ApplicationAttribute, bool> applicationAttributes[] = {
    {Qt::AA_DontShowIconsInMenus, true},
    {Qt::AA_DontShowShortcutsInContextMenus, true},
    {Qt::AA_NativeWindows, false},
    {Qt::AA_DontCreateNativeWidgetSiblings, false},
    {Qt::AA_DontUseNativeMenuBar, true},
    {Qt::AA_MacDontSwapCtrlAndMeta, false},
    {Qt::AA_Use96Dpi, true},
    {Qt::AA_DisableHighDpiScaling, true},
    {Qt::AA_UseStyleSheetPropagationInWidgetStyles, true},
    {Qt::AA_DontUseNativeDialogs, true},
    {Qt::AA_DisableWindowContextHelpButton, true},
};

// Shows the first-start page in the frame in place of the main window until the player points
// at the game; then the main window takes its place and `proceed` runs. Quit ends the event
// loop with exit code 0.
std::unique_ptr<GameFolderPage> showGameFolderPage(FramelessWindow &frame, Zerun &mainWindow,
                                                   const std::function<void()> &proceed)
{
    const QString home = QDir::homePath();
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    auto page =
        std::make_unique<GameFolderPage>(GameFolder::searchedPlaces(home, environment), home);
    // Installs found but none chosen from their list: they are offered again here.
    page->setFinds(GameFolder::candidates(home, environment), home);
    mainWindow.hide();
    frame.setContent(page.get(), false);
    GameFolderPage *shown = page.get();
    QObject::connect(shown, &GameFolderPage::quitRequested, &frame,
                     [] { QCoreApplication::exit(0); });
    QObject::connect(shown, &GameFolderPage::folderChosen, &frame,
                     [shown, &mainWindow, proceed](const QString &folder) {
                         mainWindow.setGameFolder(folder);
                         if (!mainWindow.initialise())
                             return;
                         shown->hide();
                         mainWindow.show();
                         proceed();
                     });
    return page;
}

// Says `text` where the player sees it, in a message box, unless no one can see one (a platform
// without a screen), and on standard error.
void tell(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    StandardDialog::question(QStringLiteral("Zerun Installer"), text,
                             {QCoreApplication::translate("Startup", "Close")}, 0, 0,
                             QMessageBox::Critical);
}

// Takes the profile's lock, or hands the program's archives over to the installer that holds
// it. Returns the exit code when this start ends here.
std::optional<int> holdProfile(SingleInstance &instance)
{
    const QStringList files = OpenWith::filesIn(QCoreApplication::arguments());
    switch (instance.acquire(files)) {
    case SingleInstance::Outcome::Acquired:
        if (!instance.failure().isEmpty()) {
            const QString text = QStringLiteral("The hand-over socket: ") + instance.failure();
            InstallRecovery::note(text);
            std::fprintf(stderr, "%s\n", qPrintable(text));
        }
        return std::nullopt;
    case SingleInstance::Outcome::HeldElsewhere:
        InstallRecovery::note(QStringLiteral("Another Zerun Installer is running with this "
                                             "profile; it was asked to come forward, took %1 "
                                             "archive(s) and this start ends")
                                  .arg(files.size()));
        return 0;
    case SingleInstance::Outcome::NotHandedOver:
        InstallRecovery::note(QStringLiteral("Another Zerun Installer is running with this "
                                             "profile, but nothing was handed over to it: ") +
                              instance.failure());
        tell(instance.playerFailure());
        return 1;
    case SingleInstance::Outcome::Failed:
        break;
    }
    InstallRecovery::note(QStringLiteral("The installer cannot run: ") + instance.failure());
    tell(QCoreApplication::translate(
             "Startup", "Zerun Installer cannot start, because it cannot write to its "
                        "folder:\n%1\n\nMake this folder writable, or free some space on "
                        "its disk, and start the installer again.")
             .arg(QDir::toNativeSeparators(AppPaths::cacheFolder())));
    return 1;
}

} // namespace

void setInstallerIdentity(const QString &applicationName)
{
    QCoreApplication::setOrganizationName(organisationName);
    QCoreApplication::setOrganizationDomain(organisationDomain);
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(zerunVersion));
}

void initialiseApplication(const QString &applicationName)
{
    // The folder paths contain the organisation and application names, so the identity comes
    // before the tree.
    setInstallerIdentity(applicationName);
    AppPaths::createFolders();

    // Minidumps go into the logs folder, each followed by a crash report. The handler's context
    // stays valid for as long as the handler is installed: the whole run.
    static TsBreakpad crashContext;
    crashContext.startTime = QDateTime::currentDateTimeUtc();
    installCrashHandler(AppPaths::logsFolder(), writeCrashReport, &crashContext);

    for (const auto &[attribute, on] : applicationAttributes)
        QCoreApplication::setAttribute(attribute, on);
}

void installWindowHooks()
{
    LogWindows::install();
    setUpdateOffer([](const OfferedBuild &offered) {
        // A build for another system than the installer program's offers the service's site.
        showUpdateDialog(
            offered.version, offered.notes, &openInstallerDownload,
            [build = offered.build] { skipBuild(build); },
            updateIsInstallerProgram() ? QString() : updateDownloadUrl().toDisplayString());
    });
}

bool clearLogsFolderIfFull()
{
    const QString logs = AppPaths::logsFolder();
    if (AppPaths::countLogFiles(logs) <= 10)
        return false;
    // A crash report not yet offered stays until the player has answered; the next clean-up
    // takes it.
    const QString report = CrashReportConsent::pendingReport();
    AppPaths::clearLogFiles(logs, report.isEmpty() ? QStringList()
                                                   : QStringList{QFileInfo(report).fileName()});
    return true;
}

int runInstaller(int &argc, char **argv)
{
    initialiseApplication(QString::fromLatin1(installerApplicationName));

    QApplication application(argc, argv);
    TsLogging::installMessageHandler();
    installTranslations(AppPaths::startLanguage());
    // A second installer on the same profile would take the first one's journals for
    // interrupted ones, its archives for leftovers and its logs for old ones: nothing of the
    // profile is cleaned up before the lock is held. The second hands over to the first and ends.
    SingleInstance instance;
    if (const std::optional<int> ended = holdProfile(instance))
        return *ended;
    clearLogsFolderIfFull();
    installWindowHooks();
    // Owned by the application once set.
    QApplication::setStyle(new ZerunDarkStyle);
    QApplication::setFont(QFont(QStringLiteral("Lato"), 10));
    TsFont::loadFonts();

    // Declared before the main window so that it outlives it.
    FramelessWindow frame(nullptr);
    frame.setWindowTitle(QStringLiteral("Zerun Installer"));
    frame.setTitleBarColor(DialogHost::titleBarColor(), true);
    QObject::connect(&instance, &SingleInstance::raiseRequested, &frame, [&frame] {
        frame.showNormal();
        frame.raise();
        frame.activateWindow();
    });

    int exitCode = 0;
    {
        Zerun mainWindow;
        // Archives opened with this start or handed over by a later one.
        OpenWith openWith(instance,
                          [&](const QStringList &files) { mainWindow.installArchives(files); });
        // The window shows before the game folder is known, so that a question about it (which
        // of several installs, or where the game is) has the window behind it.
        frame.setContent(&mainWindow, false);
        frame.setMaximumHeight(480);
        frame.show();
        // The frame takes its look from the first activation; ask for it where the
        // platform does not activate a new window by itself (no window manager).
        frame.activateWindow();
        // A report left by a crash of an earlier run is sent only when the player agrees.
        // The uploader's network objects go before the application object.
        TsBreakpad uploader;
        CrashReportConsent consent(uploader);
        const auto proceed = [&] {
            // Silent: it says nothing unless the service has a newer build.
            checkForUpdates(false);
            consent.askIfPending(&frame);
            openWith.setReady();
        };
        std::unique_ptr<GameFolderPage> page;
        if (mainWindow.initialise()) {
            proceed();
        } else {
            page = showGameFolderPage(frame, mainWindow, proceed);
        }
        exitCode = QApplication::exec();
        // The main window goes first, then the frame, then the application object.
    }
    return exitCode;
}
