#pragma once

#include "testfiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

// A profile of its own for the real program, started as a separate process on the offscreen
// platform: home, a private runtime folder, a temporary folder and an empty Wine prefix.
class InstallerHome
{
public:
    InstallerHome()
    {
        for (const char *folder : {"run", "wine", "tmp"})
            QDir(dir.path()).mkpath(QLatin1String(folder));
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString runtime() const { return dir.filePath("run"); }
    QString data() const { return dir.filePath(".local/share/Tandel Orvik/Zerun Installer"); }
    QString cache() const { return data() + "/Zerun Installer/Cache"; }
    QString logs() const { return data() + "/Logs"; }
    QByteArray logText() const
    {
        QByteArray text;
        for (const QFileInfo &log : QDir(logs()).entryInfoList({"*.txt"}, QDir::Files))
            text += TestFiles::read(log.filePath());
        return text;
    }
    // The listening socket, once there.
    QString socket() const
    {
        const QStringList found = QDir(runtime()).entryList({"zerun-installer-*"}, QDir::System);
        return found.isEmpty() ? QString() : runtime() + "/" + found.first();
    }
    // As `user` when not 0 (this process being root).
    std::unique_ptr<QProcess> start(const QStringList &arguments, uid_t user = 0) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            environment.remove(name);
        environment.insert("HOME", dir.path());
        environment.insert("XDG_RUNTIME_DIR", runtime());
        environment.insert("TMPDIR", dir.filePath("tmp"));
        environment.insert("WINEPREFIX", dir.filePath("wine"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("ZERUN_CATALOGUE_HOST", "http://127.0.0.1:9");
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(dir.path());
        const QString program = ZERUN_BIN_DIR "/zerun-installer";
        const QString as = QString::number(user);
        if (user == 0)
            process->start(program, arguments);
        else
            process->start("setpriv", QStringList{"--reuid=" + as, "--regid=" + as,
                                                  "--clear-groups", program} +
                                          arguments);
        return process;
    }

    QTemporaryDir dir;
};
