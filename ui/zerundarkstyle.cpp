#include "zerundarkstyle.h"

#include "zerunresources.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPalette>
#include <QScopedValueRollback>
#include <QStyleFactory>
#include <QVector>

namespace {
// Every live style built over the shared base. A proxy takes ownership of its base and makes
// itself the base's proxy, so with two of them the first one destroyed would delete the base
// out from under the other, or leave the base calling back into a destroyed proxy.
QVector<ZerunDarkStyle *> &sharingStyles()
{
    static QVector<ZerunDarkStyle *> styles;
    return styles;
}
} // namespace

ZerunDarkStyle::ZerunDarkStyle() : ZerunDarkStyle(styleBase())
{}

ZerunDarkStyle::ZerunDarkStyle(QStyle *style) : QProxyStyle(style)
{
    ensureZerunResources();
    if (style && style == styleBase()) {
        // The shared base lives for the whole process; no single proxy owns it.
        style->setParent(nullptr);
        sharingStyles().append(this);
    }
}

ZerunDarkStyle::~ZerunDarkStyle()
{
    auto &styles = sharingStyles();
    if (!styles.removeOne(this) || styles.isEmpty()) {
        return;
    }
    // Hand the base's proxy role to a style that is still alive.
    QStyle *base = styleBase();
    ZerunDarkStyle *heir = styles.constLast();
    heir->setBaseStyle(base);
    base->setParent(nullptr);
}

QStyle *ZerunDarkStyle::baseStyle() const
{
    return styleBase();
}

QStyle *ZerunDarkStyle::styleBase(QStyle *style)
{
    static QStyle *base = style ? style : QStyleFactory::create(QStringLiteral("Fusion"));
    return base;
}

void ZerunDarkStyle::polish(QPalette &palette)
{
    applyDarkColours(palette);
}

void ZerunDarkStyle::applyDarkColours(QPalette &palette)
{
    const QColor window(53, 53, 53);
    const QColor disabledText(127, 127, 127);

    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Base, QColor(42, 42, 42));
    palette.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    palette.setColor(QPalette::ToolTipBase, Qt::white);
    palette.setColor(QPalette::ToolTipText, window);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Dark, QColor(35, 35, 35));
    palette.setColor(QPalette::Shadow, QColor(20, 20, 20));
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Link, QColor(42, 130, 218));
    palette.setColor(QPalette::Highlight, QColor(252, 205, 63));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::HighlightedText, disabledText);
}

void ZerunDarkStyle::polish(QApplication *app)
{
    // Setting the application sheet below wraps this style in a sheet style, which polishes
    // the application again through it; that nested call must not enlarge the font twice.
    static bool polishing = false;
    if (!app || polishing) {
        return;
    }
    const QScopedValueRollback<bool> guard(polishing, true);
    QFont font = QApplication::font();
    font.setPointSize(font.pointSize() + 1);
    QApplication::setFont(font);

    QFile sheet(QStringLiteral(":/ZerunDarkStyle/ZerunDarkStyle.qss"));
    if (sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
        app->setStyleSheet(QString::fromLatin1(sheet.readAll()));
        sheet.close();
    }
}
