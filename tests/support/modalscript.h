#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QInputDialog>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal dialogs that the code under test opens, one step per showing, in order.
// A step must close the dialog it is given (accept or reject), so the next showing, of the same
// dialog or another one, gets the next step.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget *modal)>;

    // What a dialog looked like when it was answered.
    struct Seen
    {
        QString title;
        QString label;
        Qt::WindowFlags flags;
        bool hasIcon = false;
    };

    explicit ModalScript(QList<Step> steps, QObject *parent = nullptr)
        : QObject(parent), steps(std::move(steps))
    {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, &ModalScript::poll);
        timer.start();
    }

    bool finished() const { return steps.isEmpty(); }
    // Dialogs that showed up after the last step; they are cancelled so a test cannot hang.
    int unexpected() const { return extra; }
    const QList<Seen> &seen() const { return shown; }

    // Ready-made steps for input dialogs.
    static Step acceptText(const QString &text)
    {
        return [text](QWidget *modal) {
            auto *dialog = qobject_cast<QInputDialog *>(modal);
            if (dialog)
                dialog->setTextValue(text);
            if (auto *d = qobject_cast<QDialog *>(modal))
                d->accept();
        };
    }
    static Step reject()
    {
        return [](QWidget *modal) {
            if (auto *d = qobject_cast<QDialog *>(modal))
                d->reject();
        };
    }
    static Step rejectWithText(const QString &text)
    {
        return [text](QWidget *modal) {
            if (auto *dialog = qobject_cast<QInputDialog *>(modal))
                dialog->setTextValue(text);
            if (auto *d = qobject_cast<QDialog *>(modal))
                d->reject();
        };
    }

    // Presses the button of that text (a message box's choices).
    static Step clickButton(const QString &text)
    {
        return [text](QWidget *modal) {
            const QList<QAbstractButton *> buttons = modal->findChildren<QAbstractButton *>();
            for (QAbstractButton *button : buttons) {
                if (button->text() == text) {
                    button->click();
                    return;
                }
            }
            if (auto *d = qobject_cast<QDialog *>(modal))
                d->reject();
        };
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (steps.isEmpty()) {
            ++extra;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
        Seen record{modal->windowTitle(), QString(), modal->windowFlags(),
                    !modal->windowIcon().isNull()};
        if (auto *input = qobject_cast<QInputDialog *>(modal))
            record.label = input->labelText();
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            record.label = box->text();
        shown << record;
        const Step step = steps.takeFirst();
        step(modal);
    }

    QList<Step> steps;
    QList<Seen> shown;
    int extra = 0;
    QTimer timer;
};
