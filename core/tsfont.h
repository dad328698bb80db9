#pragma once

#include <QObject>

// Registers the fonts shipped in the "data/fonts" folder of the working directory.
class TsFont : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static void loadFonts();
};
