#include "logwindows.h"

#include "apppaths.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "tslogging.h"

#include <QApplication>
#include <QErrorMessage>
#include <QIcon>
#include <QScreen>
#include <QTextBrowser>

namespace LogWindows {

void install()
{
    TsLogging::setSessionLogViewer(&showSessionLog);
    TsLogging::setAlertPresenter(&configureAlertDialog);
}

void showSessionLog(const QString &logText)
{
    auto *window = new FramelessWindow;
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

    // Centred on the main window, a little above its middle; without one, on the screen.
    QRect around;
    if (const QWidget *main = DialogHost::mainWindow())
        around = QRect(main->pos(), main->size());
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        around = screen->availableGeometry();
    window->move(around.x() + around.width() / 2 - window->width() / 2,
                 around.y() + around.height() / 2 - window->height() / 2 - 60);
    window->show();
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
