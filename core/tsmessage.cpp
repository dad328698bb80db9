#include "tsmessage.h"

#include "dialoghost.h"
#include "framelesswindow.h"
#include "primarybutton.h"
#include "spacer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

void TsMessage::warning(const QString &text)
{
    message(tr("Warning"), text);
}

void TsMessage::information(const QString &text)
{
    message(tr("Information"), text);
}

void TsMessage::message(const QString &title, const QString &text)
{
    QWidget *host = DialogHost::mainWindow();
    // Closing only hides the panel; it goes with the window it was opened on.
    auto *panel = new FramelessWindow(host);
    panel->makePanel();
    DialogHost::applyDarkLook(panel);
    panel->setWindowTitle(title);
    panel->setFixedSize(640, 360);

    auto *panelLayout = new QVBoxLayout;
    auto *buttonRow = new QHBoxLayout;
    auto *closeButton = new PrimaryButton(tr("Close"));
    auto *spacer = new Spacer;
    buttonRow->addWidget(spacer);
    buttonRow->addWidget(closeButton);

    auto *scrollArea = new QScrollArea;
    scrollArea->setFixedHeight(240);
    scrollArea->setStyleSheet(QStringLiteral("border: 0px;"));

    auto *content = new QWidget;

    auto *label = new QLabel;
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    // The scroll area is still an unshown widget of the toolkit's default width here.
    label->setFixedWidth(scrollArea->width() - 150);
    label->setText(text);

    scrollArea->setWidget(label);
    scrollArea->setAlignment(Qt::AlignCenter);

    panelLayout->addWidget(scrollArea);
    panelLayout->addLayout(buttonRow);
    content->setLayout(panelLayout);
    panel->setContent(content, false);

    QObject::connect(closeButton, &QPushButton::clicked, panel, &QWidget::close);

    // A window of its own in the middle of the window it belongs to, over all of it; with none,
    // in the middle of the screen.
    DialogHost::centreOver(panel, host);
    panel->show();
    // The keyboard goes to it (Esc closes it), also where no window manager hands it over.
    panel->raise();
    panel->activateWindow();
}
