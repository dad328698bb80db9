#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QTemporaryDir>

// Points HOME and the XDG folders at a fresh temporary folder for as long as it lives, so a test
// never reads or writes the real user's profile, however it is started. Profiles nest: the
// destructor puts back what was there before.
class TestProfile
{
public:
    TestProfile()
    {
        const QString root = dir.path();
        set("HOME", root);
        set("XDG_DATA_HOME", root + QStringLiteral("/.local/share"));
        set("XDG_CONFIG_HOME", root + QStringLiteral("/.config"));
        set("XDG_CACHE_HOME", root + QStringLiteral("/.cache"));
    }
    ~TestProfile()
    {
        for (auto it = saved.crbegin(); it != saved.crend(); ++it) {
            if (it->wasSet)
                qputenv(it->name.constData(), it->value);
            else
                qunsetenv(it->name.constData());
        }
    }
    TestProfile(const TestProfile &) = delete;
    TestProfile &operator=(const TestProfile &) = delete;

    bool isValid() const { return dir.isValid(); }
    QString home() const { return dir.path(); }
    QString dataHome() const { return dir.path() + QStringLiteral("/.local/share"); }

    // Every path below the profile, relative to it, sorted; folders end with "/".
    QStringList tree() const
    {
        QStringList paths;
        collect(QDir(home()), QString(), paths);
        paths.sort();
        return paths;
    }

private:
    struct Saved
    {
        QByteArray name;
        QByteArray value;
        bool wasSet;
    };

    void set(const char *name, const QString &value)
    {
        saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, QFile::encodeName(value));
    }

    static void collect(const QDir &dir, const QString &prefix, QStringList &paths)
    {
        const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
        for (const QFileInfo &info : entries) {
            const QString relative = prefix + info.fileName();
            if (info.isDir() && !info.isSymLink()) {
                paths << relative + QLatin1Char('/');
                collect(QDir(info.filePath()), relative + QLatin1Char('/'), paths);
            } else {
                paths << relative;
            }
        }
    }

    QTemporaryDir dir;
    QList<Saved> saved;
};
