#include "updatecheck.h"

#include "dialoghost.h"
#include "framelesswindow.h"
#include "primarybutton.h"
#include "serviceendpoints.h"
#include "tsdownloader.h"
#include "tsmessage.h"
#include "zerunversion.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

BrowserAction &browserAction()
{
    static BrowserAction action;
    return action;
}

void openInBrowser(const QUrl &url)
{
    if (browserAction())
        browserAction()(url);
    else
        QDesktopServices::openUrl(url);
}

void versionFileArrived(TsDownloader *downloader, bool explicitCheck)
{
    const QStringList lines = QString::fromUtf8(downloader->downloadedData()).split('\n');
    // A version file written with CRLF line ends still names its build.
    const int remote = lines.value(0).trimmed().toInt();
    const int local = buildNumber().toInt();
    QString notes = lines.value(2);
    if (notes.endsWith(QLatin1Char('\r')))
        notes.chop(1);
    notes.replace(QLatin1Char('|'), QLatin1Char('\n'));

    if (local < remote)
        showUpdateDialog(notes);
    else if (explicitCheck)
        TsMessage::message(QStringLiteral("Check for Updates"),
                           QStringLiteral("You currently have the latest version."));
}

} // namespace

QString buildNumber()
{
    return QString::fromLatin1(zerunBuildNumber);
}

QString versionLabel()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ') + QLatin1String(zerunVersion) +
           QLatin1Char('a') + QLatin1String(zerunBuildNumber);
}

void setBrowserAction(BrowserAction action)
{
    browserAction() = std::move(action);
}

void checkForUpdates(bool explicitCheck)
{
    // Lives as long as the application: the reply may come at any time, or never.
    TsDownloader::Options options;
    options.maximumSize = ServiceEndpoints::versionFileMaximumSize;
    auto *downloader =
        new TsDownloader(ServiceEndpoints::versionFileUrl(), options, QCoreApplication::instance());
    QObject::connect(
        downloader, &TsDownloader::downloaded, downloader,
        [explicitCheck](TsDownloader *obj) { versionFileArrived(obj, explicitCheck); });
}

FramelessWindow *showUpdateDialog(const QString &notes)
{
    // A child of the main window, drawn inside it; closing only hides it.
    QWidget *host = DialogHost::mainWindow();
    auto *dialog = new FramelessWindow(host);
    DialogHost::applyDarkLook(dialog);
    dialog->setObjectName(QStringLiteral("updateDialog"));
    dialog->setWindowTitle(QStringLiteral("Check for Updates"));
    dialog->setTitleBarColor(QStringLiteral("252,205,63"), true);
    dialog->setFixedSize(640, 360);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    // The notes come from the network: shown as they are, never read as markup or links.
    auto *browser = new QTextBrowser;
    browser->setOpenLinks(false);
    browser->setPlainText(notes);
    layout->addWidget(browser);
    auto *buttons = new QHBoxLayout;
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    auto *download = new PrimaryButton(QStringLiteral("Download in External Browser"));
    buttons->addWidget(cancel);
    buttons->addWidget(download);
    layout->addLayout(buttons);
    dialog->setContent(content, false);

    QObject::connect(cancel, &QPushButton::clicked, dialog, &QWidget::close);
    QObject::connect(download, &QPushButton::clicked, dialog, &QWidget::close);
    QObject::connect(download, &QPushButton::clicked, dialog,
                     [] { openInBrowser(ServiceEndpoints::installerUrl()); });
    DialogHost::centre(dialog, host);
    dialog->show();
    return dialog;
}
