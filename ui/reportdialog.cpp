#include "reportdialog.h"

#include "dialoghost.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize preferred(720, 520);
// Room left around the dialog inside the window it belongs to.
constexpr int margin = 48;

} // namespace

ReportDialog::ReportDialog(const QString &title, const QString &summary, const QString &text,
                           QWidget *parent)
    : QDialog(parent)
    , summaryLine(new QLabel(summary, this))
    , view(new QPlainTextEdit(text, this))
    , buttons(new QDialogButtonBox(QDialogButtonBox::Close, this))
{
    setWindowTitle(title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    summaryLine->setObjectName(QStringLiteral("report_summary"));
    summaryLine->setWordWrap(true);
    summaryLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summaryLine->setVisible(!summary.isEmpty());
    layout->addWidget(summaryLine);
    view->setObjectName(QStringLiteral("report_text"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(view, 1);
    QPushButton *copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy_report"));
    copy->setToolTip(tr("Copy the whole report"));
    connect(copy, &QPushButton::clicked, this, [this] {
        const QString summaryText = summaryLine->text();
        const QString body = view->toPlainText();
        QGuiApplication::clipboard()->setText(
            summaryText.isEmpty() ? body : summaryText + QStringLiteral("\n\n") + body);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // However long the text, the dialog itself stays small: the text scrolls.
    setMinimumSize(320, 200);
    resize(preferred);
}

QPushButton *ReportDialog::addAction(const QString &text)
{
    return buttons->addButton(text, QDialogButtonBox::AcceptRole);
}

void ReportDialog::placeOn(QWidget *host)
{
    if (host) {
        const QSize room = DialogHost::insideOf(host).size() - QSize(margin, margin);
        resize(preferred.boundedTo(room).expandedTo(minimumSize()));
    }
    DialogHost::centreWhenShown(this, host);
}
