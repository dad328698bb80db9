#include "primarybutton.h"

PrimaryButton::PrimaryButton() : QPushButton(nullptr)
{
    setDefault(true);
}

PrimaryButton::PrimaryButton(const QString &text) : QPushButton(nullptr)
{
    setText(text);
    setDefault(true);
}

PrimaryButton::PrimaryButton(const QIcon &icon, const QString &text) : QPushButton(nullptr)
{
    setDefault(true);
    setText(text);
    setIcon(icon);
}
