#pragma once

#include <QObject>
#include <QString>

#include <quazip.h>

// Unpacks one archive into a folder, meant to run on a worker of the global thread pool:
//   QtConcurrent::run(unzip, &TsUnZip::unpackAll);
// Connect the signals before starting: a small archive can be done before a later connect.
// A run ends with exactly one of finished() or error(...), or no signal at all when only the
// final close of the archive fails. The object unpacks once and must outlive its run.
class TsUnZip : public QObject
{
    Q_OBJECT

public:
    explicit TsUnZip(QObject *parent = nullptr);

    void setZipFile(const QString &path);
    // Creates the folder and its missing parents.
    void setDestination(const QString &folder);
    void setEncrypted(const bool &value);

    void unpackAll();
    void unpackTo(const QString &folder);

signals:
    void status(QString state);
    void percent(int p);
    void error(QString err);
    void finished();

private:
    void unpack(const QString &folder, bool counted);

    QString zipPath;
    QString destination;
    int entriesCount = 0;
    int extractedCount = 0;
    QuaZip archive;
    bool encrypted = true;
};
