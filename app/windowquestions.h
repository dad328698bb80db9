#pragma once

#include "installbatch.h"

#include <QCoreApplication>

class QuestionQueue;

// The batch's questions as the window's dialogs, one at a time through the window's queue.
class WindowQuestions : public BatchQuestions
{
    Q_DECLARE_TR_FUNCTIONS(WindowQuestions)

public:
    explicit WindowQuestions(QuestionQueue &queue) : queue(queue) {}

    void waitForTurn() override;
    bool askText(const QString &title, const QString &label, QString *text) override;
    int ask(const QString &title, const QString &text, const QStringList &choices,
            int defaultChoice, int escapeChoice) override;
    void post(const QString &title, const QString &text, const QStringList &choices,
              int defaultChoice, int escapeChoice, std::function<void(int)> answered) override;
    void withdraw() override;
    void tell(const QString &title, const QString &text) override;
    QString pickArchive(const QString &title) override;

private:
    QuestionQueue &queue;
};
