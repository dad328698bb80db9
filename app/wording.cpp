#include "wording.h"

#include <QCoreApplication>

QString worded(Wording wording, const char *context, const char *source, const char *comment, int n)
{
    if (wording == Wording::Player)
        return QCoreApplication::translate(context, source, comment, n);
    QString text = QString::fromUtf8(source);
    if (n != -1)
        text.replace(QLatin1String("%n"), QString::number(n));
    return text;
}
