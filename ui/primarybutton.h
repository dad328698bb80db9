#pragma once

#include <QPushButton>

// The default button of a dialog.
class PrimaryButton : public QPushButton
{
    Q_OBJECT

public:
    PrimaryButton();
    explicit PrimaryButton(const QString &text);
    PrimaryButton(const QIcon &icon, const QString &text);
};
