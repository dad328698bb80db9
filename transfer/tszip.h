#pragma once

#include <QObject>

// Belongs to the framework's zip family beside TsUnZip and TsCompression; it carries no state.
class TsZip : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
};
