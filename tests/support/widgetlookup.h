#pragma once

#include <QLatin1String>
#include <QObject>

// Finds the widget of type T named `name` below `root`, for tests that drive a window through its
// named widgets. A missing one stops the run at once with its type and name: every later step
// would otherwise fail on a null pointer, far from the cause.
template<typename T>
T *child(const QObject &root, const char *name)
{
    auto *found = root.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return found;
}
