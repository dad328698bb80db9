#pragma once

#include <QString>
#include <QStringList>

// Reads the process's arguments of the form name=value (program path first).
namespace CommandLine {

QStringList arguments();
int argumentCount();
// Value of the argument at index: its second "="-separated part; empty when out of range or
// when the argument has no "=".
QString valueAt(int index);
// Value of the first argument that contains name anywhere (case-sensitive).
QString value(const QString &name);
// Sends the arguments to the alert channel.
void logArguments();

} // namespace CommandLine
