#pragma once

#include "catalogueentry.h"
#include "installedpackages.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// The rows the catalogue list shows and what each stands for. A row's entry is a catalogue
// index, or, below -1, the index of the record of a package that no catalogue entry stands for:
// installed from the player's own archive, or not named by the package list.
class CatalogueRows
{
    Q_DECLARE_TR_FUNCTIONS(CatalogueRows)

public:
    // The repo_filter choice that shows only installed packages, after the four kinds.
    static constexpr int installedFilter = 4;

    static int diskEntry(int recordIndex) { return -2 - recordIndex; }
    // The installed package a row's entry stands for, or nullptr. A package installed from disk
    // never stands for a catalogue entry of its name; a record the catalogue does not name (the
    // list is not loaded, or left it out) stands for itself, as one from disk does.
    static const InstalledPackage *recordOf(const CatalogueEntries &catalogue,
                                            const InstalledPackages &records, int entry);

    // The installed packages the entries stand for, each once.
    static QVector<InstalledPackage> recordsOf(const CatalogueEntries &catalogue,
                                               const InstalledPackages &records,
                                               const QVector<int> &entries);

    // The entries of the rows under `filter`, and the text of one row; the Installed view shows
    // each installed package with where it is and since when, the catalogue's first, then those
    // from disk.
    static void fill(const CatalogueEntries &catalogue, const InstalledPackages &records,
                     int filter, QStringList *names, QVector<int> *entries);
    static QVector<int> rows(const CatalogueEntries &catalogue, const InstalledPackages &records,
                             int filter);
    static QString text(const CatalogueEntries &catalogue, const InstalledPackages &records,
                        int filter, int entry);
    // Keeps the rows whose package names hold `search`, ignoring case.
    static void narrow(const CatalogueEntries &catalogue, const InstalledPackages &records,
                       const QString &search, QStringList *names, QVector<int> *entries);
    static QVector<int> narrowed(const CatalogueEntries &catalogue,
                                 const InstalledPackages &records, const QString &search,
                                 const QVector<int> &entries);
};
