#include "questionqueue.h"

#include "standarddialog.h"

#include <QDialog>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>

QuestionQueue::~QuestionQueue()
{
    delete posted.data();
}

void QuestionQueue::waitForTurn()
{
    // Each wait ends when the question on screen is answered, not when the code that asked it
    // goes on: a wait inside that question's own event loop ends too.
    while (current) {
        QEventLoop loop;
        connect(this, &QuestionQueue::free, &loop, &QEventLoop::quit);
        connect(current.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

int QuestionQueue::exec(QDialog &dialog)
{
    waitForTurn();
    current = &dialog;
    const QMetaObject::Connection answered =
        connect(&dialog, &QDialog::finished, this, [this, &dialog] { release(&dialog); });
    const int result = dialog.exec();
    disconnect(answered);
    release(&dialog);
    return result;
}

int QuestionQueue::ask(const QString &title, const QString &text, const QStringList &choices,
                       int defaultChoice, int escapeChoice)
{
    const std::unique_ptr<QMessageBox> box =
        StandardDialog::questionBox(title, text, choices, defaultChoice, escapeChoice);
    exec(*box);
    return StandardDialog::choiceOf(*box);
}

void QuestionQueue::tell(const QString &title, const QString &text, QMessageBox::Icon icon)
{
    const std::unique_ptr<QMessageBox> box =
        StandardDialog::questionBox(title, text, {tr("OK")}, 0, 0, icon);
    exec(*box);
}

QString QuestionQueue::askText(const QString &title, const QString &label, bool *accepted,
                               const QString &text)
{
    const std::unique_ptr<QInputDialog> dialog = StandardDialog::textInput(title, label, text);
    bool ok = false;
    do {
        ok = exec(*dialog) == QDialog::Accepted;
        dialog->setLabelText(label + StandardDialog::mustEnterValue());
    } while (ok && dialog->textValue().isEmpty());
    if (accepted)
        *accepted = ok;
    return dialog->textValue();
}

void QuestionQueue::post(const QString &title, const QString &text, const QStringList &choices,
                         int defaultChoice, int escapeChoice, std::function<void(int)> answered)
{
    Posted question{title, text, choices, defaultChoice, escapeChoice, std::move(answered)};
    if (current)
        waiting.enqueue(std::move(question));
    else
        show(question);
}

void QuestionQueue::show(const Posted &question)
{
    QMessageBox *box = StandardDialog::questionBox(question.title, question.text, question.choices,
                                                   question.defaultChoice, question.escapeChoice)
                           .release();
    posted = box;
    current = box;
    box->setWindowModality(Qt::ApplicationModal);
    const std::function<void(int)> answered = question.answered;
    connect(box, &QDialog::finished, this, [this, box, answered] {
        const int choice = StandardDialog::choiceOf(*box);
        box->deleteLater();
        // The answer is acted on before anything that waited for it goes on.
        if (answered)
            answered(choice);
        release(box);
    });
    box->show();
}

void QuestionQueue::withdraw()
{
    while (!waiting.isEmpty()) {
        const Posted question = waiting.dequeue();
        if (question.answered)
            question.answered(-1);
    }
    if (posted && posted->isVisible())
        posted->reject();
}

void QuestionQueue::release(const QDialog *dialog)
{
    if (current != dialog)
        return;
    current.clear();
    if (!waiting.isEmpty()) {
        show(waiting.dequeue());
        return;
    }
    emit free();
}
