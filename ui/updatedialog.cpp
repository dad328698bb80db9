#include "updatedialog.h"

#include "dialoghost.h"
#include "framelesswindow.h"
#include "primarybutton.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>

FramelessWindow *showUpdateDialog(const QString &version, const QString &notes,
                                  std::function<void()> download, std::function<void()> skip,
                                  const QString &site)
{
    QWidget *host = DialogHost::mainWindow();
    auto *dialog = new FramelessWindow(host);
    dialog->makePanel();
    DialogHost::applyDarkLook(dialog);
    dialog->setObjectName(QStringLiteral("updateDialog"));
    dialog->setWindowTitle(QCoreApplication::translate("UpdateDialog", "Check for Updates"));
    dialog->setTitleBarColor(DialogHost::titleBarColor(), true);
    dialog->setFixedSize(640, 360);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    // The version text comes from the network too: never read as markup.
    QString offer;
    if (site.isEmpty()) {
        offer = version.isEmpty()
                    ? QCoreApplication::translate("UpdateDialog", "A new version is available.")
                    : QCoreApplication::translate("UpdateDialog", "Version %1 is available.")
                          .arg(version);
    } else {
        offer = version.isEmpty()
                    ? QCoreApplication::translate(
                          "UpdateDialog", "A new version is available on the service's site, %1.")
                          .arg(site)
                    : QCoreApplication::translate(
                          "UpdateDialog", "Version %1 is available on the service's site, %2.")
                          .arg(version, site);
    }
    auto *versionText = new QLabel(offer);
    versionText->setObjectName(QStringLiteral("versionText"));
    versionText->setTextFormat(Qt::PlainText);
    versionText->setWordWrap(true);
    layout->addWidget(versionText);
    // The notes come from the network: shown as they are, never read as markup or links.
    auto *browser = new QTextBrowser;
    browser->setOpenLinks(false);
    browser->setPlainText(notes);
    layout->addWidget(browser);
    auto *buttons = new QHBoxLayout;
    auto *skipButton =
        new QPushButton(QCoreApplication::translate("UpdateDialog", "Skip This Version"));
    buttons->addWidget(skipButton);
    auto *cancel = new QPushButton(QCoreApplication::translate("UpdateDialog", "Cancel"));
    auto *downloadButton = new PrimaryButton(
        site.isEmpty()
            ? QCoreApplication::translate("UpdateDialog", "Download in External Browser")
            : QCoreApplication::translate("UpdateDialog", "Open the Site in the Browser"));
    buttons->addWidget(cancel);
    buttons->addWidget(downloadButton);
    layout->addLayout(buttons);
    dialog->setContent(content, false);

    QObject::connect(cancel, &QPushButton::clicked, dialog, &QWidget::close);
    QObject::connect(skipButton, &QPushButton::clicked, dialog, &QWidget::close);
    if (skip)
        QObject::connect(skipButton, &QPushButton::clicked, dialog, std::move(skip));
    QObject::connect(downloadButton, &QPushButton::clicked, dialog, &QWidget::close);
    if (download)
        QObject::connect(downloadButton, &QPushButton::clicked, dialog, std::move(download));
    DialogHost::centreOver(dialog, host);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}
