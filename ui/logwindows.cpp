#include "logwindows.h"

#include "apppaths.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "tslogging.h"

#include <QApplication>
#include <QDir>
#include <QErrorMessage>
#include <QFile>
#include <QIcon>
#include <QTextBrowser>
#include <QTextStream>

namespace {

// Today's log as the viewer shows it: the file's text, or a few words on why there is none.
QString todaysLogText()
{
    const QString path = TsLogging::dailyLogFileFor(TsLogging::now());
    const char *why = QT_TRANSLATE_NOOP("LogWindows", "Nothing has been written to today's log "
                                                      "yet. It will be kept in this file:\n%1");
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            why = QT_TRANSLATE_NOOP("LogWindows", "Today's log could not be read. Check that "
                                                  "this file can be opened:\n%1");
        else if (const QString text = QTextStream(&file).readAll(); !text.isEmpty())
            return text;
    }
    return QCoreApplication::translate("LogWindows", why).arg(QDir::toNativeSeparators(path));
}

} // namespace

namespace LogWindows {

void install()
{
    TsLogging::setSessionLogViewer(&showSessionLog);
    TsLogging::setAlertPresenter(&configureAlertDialog);
}

void showSessionLog(const QString &logText)
{
    auto *window = new FramelessWindow;
    window->makePanel();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QCoreApplication::translate("LogWindows", "Session Log"));
    window->setFixedSize(640, 360);

    DialogHost::applyDarkLook(window);

    // The log holds texts from elsewhere (package names, the host's answers): shown as they
    // are, never read as markup.
    auto *browser = new QTextBrowser(window);
    browser->setOpenLinks(false);
    browser->setPlainText(logText);
    window->setContent(browser, false);

    // Centred on the main window; without one, on the screen. It takes the keyboard (for Esc)
    // also where no window manager hands it over.
    DialogHost::centreOver(window, DialogHost::mainWindow());
    window->show();
    window->raise();
    window->activateWindow();
}

void showTodaysLog()
{
    showSessionLog(todaysLogText());
}

void configureAlertDialog(const QString &title)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    // Obtaining the shared dialog makes it install its own message handler; the log's goes
    // straight back in, or every later record would end up in the dialog instead of the daily
    // file.
    QErrorMessage *dialog = QErrorMessage::qtHandler();
    qInstallMessageHandler(TsLogging::messageHandler);
    dialog->setWindowIcon(QIcon(AppPaths::windowIconFile()));
    dialog->setStyleSheet(AppPaths::skinStyleSheet(QStringLiteral("errors")));
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint &
                           ~Qt::WindowCloseButtonHint);
    dialog->setWindowTitle(title);
}

} // namespace LogWindows
