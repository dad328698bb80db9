#pragma once

#include <QDialog>

// A long text the player can scroll, select and copy, with Close, and Repair when offered
// (which accepts the dialog).
class ReportDialog : public QDialog
{
    Q_OBJECT

public:
    ReportDialog(const QString &title, const QString &text, bool offerRepair, QWidget *parent);
};
