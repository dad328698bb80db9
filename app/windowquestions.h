#pragma once

#include "installbatch.h"

#include <QCoreApplication>

class QuestionQueue;
class QWidget;

// The batch's questions as the window's dialogs, one at a time through the window's queue.
class WindowQuestions : public BatchQuestions
{
    Q_DECLARE_TR_FUNCTIONS(WindowQuestions)

public:
    // `host`: the window the reports are placed on.
    WindowQuestions(QuestionQueue &queue, QWidget *host) : queue(queue), host(host) {}

    void waitForTurn() override;
    bool askText(const QString &title, const QString &label, QString *text) override;
    int ask(const QString &title, const QString &text, const QStringList &choices,
            int defaultChoice, int escapeChoice) override;
    void post(const QString &title, const QString &text, const QStringList &choices,
              int defaultChoice, int escapeChoice, std::function<void(int)> answered) override;
    void withdraw() override;
    void tell(const QString &title, const QString &text) override;
    void tellError(const QString &title, const QString &text) override;
    bool report(const QString &title, const QString &summary, const QString &detail,
                bool offerRepair) override;
    QString pickArchive(const QString &title) override;

private:
    QuestionQueue &queue;
    QWidget *host;
};
