#include "reportdialog.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReportDialog::ReportDialog(const QString &title, const QString &text, bool offerRepair,
                           QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *view = new QPlainTextEdit(text, this);
    view->setObjectName(QStringLiteral("report_text"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(view);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, view,
            [view] { QGuiApplication::clipboard()->setText(view->toPlainText()); });
    if (offerRepair) {
        QPushButton *repair = buttons->addButton(tr("Repair"), QDialogButtonBox::AcceptRole);
        repair->setObjectName(QStringLiteral("repair_package"));
        repair->setToolTip(tr("Put back the missing and changed files from the "
                              "package's archive"));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(600, 420);
}
