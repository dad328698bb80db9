#include "defaultpalette.h"

#include "commandline.h"
#include "tsxml.h"

#include <QApplication>

QPalette DefaultPalette::build(const Scheme &scheme)
{
    QPalette palette;
    palette.setColor(QPalette::Window, scheme.window);
    palette.setColor(QPalette::WindowText, scheme.windowText);
    palette.setColor(QPalette::Base, scheme.base);
    palette.setColor(QPalette::AlternateBase, scheme.alternateBase);
    palette.setColor(QPalette::ToolTipBase, scheme.toolTipBase);
    palette.setColor(QPalette::ToolTipText, scheme.toolTipText);
    palette.setColor(QPalette::Text, scheme.text);
    palette.setColor(QPalette::Button, scheme.button);
    palette.setColor(QPalette::ButtonText, scheme.buttonText);
    palette.setColor(QPalette::BrightText, scheme.brightText);
    palette.setColor(QPalette::Link, scheme.link);
    palette.setColor(QPalette::Highlight, scheme.highlight);
    palette.setColor(QPalette::HighlightedText, scheme.highlightedText);
    palette.setColor(QPalette::Disabled, QPalette::Text, scheme.disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, scheme.disabledButtonText);
    return palette;
}

QPalette DefaultPalette::current()
{
    return QApplication::palette();
}

QPalette DefaultPalette::dark()
{
    return build({QColor(53, 53, 53), Qt::white, QColor(25, 25, 25), QColor(53, 53, 53), Qt::white,
                  Qt::white, Qt::white, QColor(53, 53, 53), Qt::white, Qt::red,
                  QColor(42, 130, 218), QColor(42, 130, 218), Qt::black, Qt::darkGray,
                  Qt::darkGray});
}

QPalette DefaultPalette::light()
{
    return build({QColor(200, 200, 200), Qt::black, QColor(225, 225, 225), QColor(200, 200, 200),
                  Qt::black, Qt::black, Qt::black, QColor(200, 200, 200), Qt::black, Qt::red,
                  QColor(42, 42, 218), QColor(42, 130, 218), Qt::black, Qt::gray, Qt::gray});
}

QPalette DefaultPalette::retroBlue()
{
    return build({QColor(53, 53, 200), Qt::white, QColor(25, 25, 25), QColor(53, 53, 200),
                  Qt::white, Qt::white, Qt::white, QColor(53, 53, 200), Qt::white, Qt::red,
                  QColor(218, 170, 42), QColor(218, 170, 42), Qt::black, Qt::darkGray,
                  Qt::darkGray});
}

QPalette DefaultPalette::retroRed()
{
    return build({QColor(220, 20, 60), Qt::white, QColor(139, 0, 0), QColor(220, 20, 60), Qt::white,
                  Qt::white, Qt::white, QColor(178, 34, 34), Qt::white, Qt::yellow,
                  QColor(240, 230, 140), QColor(QStringLiteral("goldenrod")), Qt::black,
                  Qt::darkGray, Qt::darkGray});
}

bool DefaultPalette::hasDarkText()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Text) != QColor(Qt::white);
}

bool DefaultPalette::hasLightText()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Text) != QColor(Qt::black);
}

QPalette DefaultPalette::skinPalette(const QString &argumentValue, const QString &preferenceValue)
{
    const QString skin = argumentValue.isEmpty() ? preferenceValue : argumentValue;
    if (skin.contains(QStringLiteral("light"), Qt::CaseInsensitive)) {
        return light();
    }
    if (skin.contains(QStringLiteral("retrored"), Qt::CaseInsensitive)) {
        return retroRed();
    }
    if (skin.contains(QStringLiteral("retroblue"), Qt::CaseInsensitive)) {
        return retroBlue();
    }
    return dark();
}

void DefaultPalette::applySkinPalette()
{
    const QString preference = TsXML::load(TsXML::Cache, QStringLiteral("current_skin"));
    QApplication::setPalette(skinPalette(CommandLine::value(QStringLiteral("skin")), preference));
}
