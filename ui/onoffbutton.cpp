#include "onoffbutton.h"

#include "defaultpalette.h"

OnOffButton::OnOffButton() : QPushButton(nullptr)
{
    setCheckable(true);
    connectRestyle();
}

OnOffButton::OnOffButton(const QString &text) : QPushButton(nullptr)
{
    setCheckable(true);
    setText(text);
    connectRestyle();
}

OnOffButton::OnOffButton(const QIcon &icon, const QString &text) : QPushButton(nullptr)
{
    setCheckable(true);
    setText(text);
    setIcon(icon);
    connectRestyle();
}

void OnOffButton::connectRestyle()
{
    connect(this, &QPushButton::clicked, this, &OnOffButton::restyle);
}

void OnOffButton::restyle(bool checked)
{
    const QPalette palette = DefaultPalette::current();
    const QString background =
        palette.color(checked ? QPalette::Highlight : QPalette::Button).name();
    const QString foreground =
        palette.color(checked ? QPalette::HighlightedText : QPalette::ButtonText).name();
    setStyleSheet(QStringLiteral("OnOffButton { background-color: ") + background +
                  QStringLiteral("; color: ") + foreground + QStringLiteral(";}"));
}
