#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// A report too long for a message box: a one-line summary ("report_summary") over the whole text
// ("report_text"), which scrolls, can be selected, and is copied whole by Copy ("copy_report").
// Close rejects; a button added with addAction() accepts. placeOn() sizes it to fit inside the
// window it belongs to and centres it there each time it is shown, however long the text.
class ReportDialog : public QDialog
{
    Q_OBJECT

public:
    ReportDialog(const QString &title, const QString &summary, const QString &text,
                 QWidget *parent = nullptr);

    // A button that accepts the dialog (for example Repair), beside Copy and Close.
    QPushButton *addAction(const QString &text);
    // At most 720 by 520 pixels, and never larger than `host`'s window less a margin.
    void placeOn(QWidget *host);

private:
    QLabel *summaryLine;
    QPlainTextEdit *view;
    QDialogButtonBox *buttons;
};
