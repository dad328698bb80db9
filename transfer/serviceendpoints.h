#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Where the service's web host lives. The catalogue comes from one host; the version file, the
// installer download and the crash upload from a second one. The built-in names lie under a
// reserved example domain so that nothing real is contacted by accident; each host can be
// replaced by a base URL (for example "http://127.0.0.1:8080") from the environment or, below
// it, from the profile's Preferences ("catalogue_host", "service_host"). A value that is not a
// usable base URL is written to the daily log and passed over.
class ServiceEndpoints : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static QString catalogueHostVariable();
    static QString serviceHostVariable();
    // The Preferences keys of the two hosts.
    static QString catalogueHostKey();
    static QString serviceHostKey();

    // The largest answers the one-shot fetches take; anything longer is refused unread.
    static constexpr qint64 catalogueMaximumSize = 64 * 1024 * 1024;
    static constexpr qint64 versionFileMaximumSize = 1024 * 1024;

    static QUrl defaultCatalogueHost();
    static QUrl defaultServiceHost();

    // The base URLs in force: the environment's value when it is a usable http or https URL,
    // else the Preferences value when it is one, else the built-in one.
    static QUrl catalogueHost();
    static QUrl serviceHost();

    static QUrl catalogueUrl();
    static QUrl versionFileUrl();
    static QUrl installerUrl();
    // The service's site: the service host's base URL with a trailing "/".
    static QUrl siteUrl();
    static QUrl crashUploadUrl();

    static QString cataloguePath();
    static QString versionFilePath();
    static QString installerPath();
    static QString crashUploadPath();

    // `base` with `path` appended to whatever path the base already carries; query and fragment
    // of the base are dropped.
    static QUrl resolve(const QUrl &base, const QString &path);
    // The URL named by `value` when it is an absolute http or https URL with a host, else an
    // invalid URL.
    static QUrl parseBase(const QString &value);
    // True for an absolute http or https URL with a host: the only addresses fetched.
    static bool isWebUrl(const QUrl &url);

private:
    static QUrl configuredHost(const QString &variable, const QString &key, const QUrl &fallback);
};
