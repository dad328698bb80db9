#pragma once

#include <QPushButton>

// A checkable push button whose colours flip between the palette's button colours and its
// highlight colours.
class OnOffButton : public QPushButton
{
    Q_OBJECT

public:
    OnOffButton();
    explicit OnOffButton(const QString &text);
    OnOffButton(const QIcon &icon, const QString &text);

private:
    void connectRestyle();
    void restyle(bool checked);
};
