#pragma once

#include <QString>

// One line of the service's catalogue: where the archive is, what kind of package it is and
// the name it is shown and listed under.
struct CatalogueEntry
{
    QString file;
    QString kind;
    QString name;
};
