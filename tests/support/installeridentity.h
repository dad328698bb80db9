#pragma once

#include <QCoreApplication>
#include <QString>

// The installer's organisation and application names: the folder paths are built from them, so
// tests that look at those folders take them on before anything asks for a path.
inline void useInstallerIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tandel Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerun Installer"));
}
