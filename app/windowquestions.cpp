#include "windowquestions.h"

#include "questionqueue.h"
#include "reportdialog.h"
#include "standarddialog.h"

#include <QDir>
#include <QPushButton>

void WindowQuestions::waitForTurn()
{
    queue.waitForTurn();
}

bool WindowQuestions::askText(const QString &title, const QString &label, QString *text)
{
    bool accepted = false;
    const QString answer = queue.askText(title, label, &accepted, *text);
    if (accepted)
        *text = answer;
    return accepted;
}

int WindowQuestions::ask(const QString &title, const QString &text, const QStringList &choices,
                         int defaultChoice, int escapeChoice)
{
    return queue.ask(title, text, choices, defaultChoice, escapeChoice);
}

void WindowQuestions::post(const QString &title, const QString &text, const QStringList &choices,
                           int defaultChoice, int escapeChoice, std::function<void(int)> answered)
{
    if (!queue.onScreen())
        queue.post(title, text, choices, defaultChoice, escapeChoice, std::move(answered));
}

void WindowQuestions::withdraw()
{
    queue.withdraw();
}

void WindowQuestions::tell(const QString &title, const QString &text)
{
    queue.tell(title, text);
}

void WindowQuestions::tellError(const QString &title, const QString &text)
{
    queue.tell(title, text, QMessageBox::Critical);
}

bool WindowQuestions::report(const QString &title, const QString &summary, const QString &detail,
                             bool offerRepair)
{
    ReportDialog dialog(title, summary, detail, host);
    if (offerRepair) {
        QPushButton *repair = dialog.addAction(tr("Repair"));
        repair->setObjectName(QStringLiteral("repair_package"));
        repair->setToolTip(tr("Put back the missing and changed files from the "
                              "package's archive"));
    }
    dialog.placeOn(host->window());
    return queue.exec(dialog) == QDialog::Accepted;
}

QString WindowQuestions::pickArchive(const QString &title)
{
    return StandardDialog::selectFile(false, {}, title, QDir::homePath(),
                                      tr("Package archives (*.zip);;All files (*)"));
}
