#pragma once

#include <QObject>
#include <QPalette>

// The framework's ready-made colour schemes (skins) and two palette queries.
class DefaultPalette : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static QPalette current();
    static QPalette dark();
    static QPalette light();
    static QPalette retroBlue();
    static QPalette retroRed();

    static bool hasDarkText();
    static bool hasLightText();

    // Installs the scheme named by the "skin" argument, else by the stored skin preference.
    static void applySkinPalette();
    // The scheme a skin text selects; the argument wins over the preference when not empty.
    static QPalette skinPalette(const QString &argumentValue, const QString &preferenceValue);

private:
    struct Scheme
    {
        QColor window;
        QColor windowText;
        QColor base;
        QColor alternateBase;
        QColor toolTipBase;
        QColor toolTipText;
        QColor text;
        QColor button;
        QColor buttonText;
        QColor brightText;
        QColor link;
        QColor highlight;
        QColor highlightedText;
        QColor disabledText;
        QColor disabledButtonText;
    };
    static QPalette build(const Scheme &scheme);
};
