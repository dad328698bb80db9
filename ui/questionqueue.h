#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// One question on screen at a time. A question that comes up while another is shown waits until
// that one is answered, and is then shown; nothing is drawn over an open question, so its
// buttons always answer it.
//
// ask(), tell(), askText() and exec() wait for their turn and then for their answer. post()
// shows a question without waiting for its answer: the caller goes on (the program keeps
// working underneath) and the answer comes to `answered` whenever it is given. Every question
// of a window goes through one queue.
class QuestionQueue : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~QuestionQueue() override;

    // Runs `dialog` once no other question is on screen; its exec() result.
    int exec(QDialog &dialog);
    // A question with one button per choice; the index chosen, or -1.
    int ask(const QString &title, const QString &text, const QStringList &choices,
            int defaultChoice = -1, int escapeChoice = -1);
    // A message with the information icon (or `icon`) and an OK button.
    void tell(const QString &title, const QString &text,
              QMessageBox::Icon icon = QMessageBox::Information);
    // A line of text; asked again while OK is pressed on an empty field. `accepted` tells OK
    // from Cancel.
    QString askText(const QString &title, const QString &label, bool *accepted,
                    const QString &text = QString());
    // Shows the question now, or once the questions before it are answered, and returns at once.
    void post(const QString &title, const QString &text, const QStringList &choices,
              int defaultChoice, int escapeChoice, std::function<void(int)> answered);
    // Closes the posted question without an answer (-1), when one is on screen or waiting.
    void withdraw();

    // Returns once no question is on screen (at once when none is).
    void waitForTurn();
    // The question on screen, or null.
    QDialog *onScreen() const { return current.data(); }

signals:
    // The question on screen was answered, and no posted one followed it.
    void free();

private:
    struct Posted
    {
        QString title;
        QString text;
        QStringList choices;
        int defaultChoice = -1;
        int escapeChoice = -1;
        std::function<void(int)> answered;
    };
    void show(const Posted &question);
    void release(const QDialog *dialog);

    QPointer<QDialog> current;
    QQueue<Posted> waiting;
    // The posted question on screen; owned by its parent window, else by the queue.
    QPointer<QMessageBox> posted;
};
