#include "windowquestions.h"

#include "questionqueue.h"
#include "standarddialog.h"

#include <QDir>

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

QString WindowQuestions::pickArchive(const QString &title)
{
    return StandardDialog::selectFile(false, {}, title, QDir::homePath(),
                                      tr("Package archives (*.zip);;All files (*)"));
}
