#include "updatedialog.h"

#include "dialoghost.h"
#include "framelesswindow.h"
#include "primarybutton.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>

FramelessWindow *showUpdateDialog(const QString &notes, std::function<void()> download)
{
    QWidget *host = DialogHost::mainWindow();
    auto *dialog = new FramelessWindow(host);
    DialogHost::applyDarkLook(dialog);
    dialog->setObjectName(QStringLiteral("updateDialog"));
    dialog->setWindowTitle(QCoreApplication::translate("UpdateDialog", "Check for Updates"));
    dialog->setTitleBarColor(DialogHost::titleBarColor(), true);
    dialog->setFixedSize(640, 360);

    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    // The notes come from the network: shown as they are, never read as markup or links.
    auto *browser = new QTextBrowser;
    browser->setOpenLinks(false);
    browser->setPlainText(notes);
    layout->addWidget(browser);
    auto *buttons = new QHBoxLayout;
    auto *cancel = new QPushButton(QCoreApplication::translate("UpdateDialog", "Cancel"));
    auto *downloadButton = new PrimaryButton(
        QCoreApplication::translate("UpdateDialog", "Download in External Browser"));
    buttons->addWidget(cancel);
    buttons->addWidget(downloadButton);
    layout->addLayout(buttons);
    dialog->setContent(content, false);

    QObject::connect(cancel, &QPushButton::clicked, dialog, &QWidget::close);
    QObject::connect(downloadButton, &QPushButton::clicked, dialog, &QWidget::close);
    if (download)
        QObject::connect(downloadButton, &QPushButton::clicked, dialog, std::move(download));
    DialogHost::centre(dialog, host);
    dialog->show();
    return dialog;
}
