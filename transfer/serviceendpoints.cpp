#include "serviceendpoints.h"

#include "tslogging.h"
#include "tsxml.h"

#include <QtGlobal>

QString ServiceEndpoints::catalogueHostVariable()
{
    return QStringLiteral("ZERUN_CATALOGUE_HOST");
}

QString ServiceEndpoints::serviceHostVariable()
{
    return QStringLiteral("ZERUN_SERVICE_HOST");
}

QString ServiceEndpoints::catalogueHostKey()
{
    return QStringLiteral("catalogue_host");
}

QString ServiceEndpoints::serviceHostKey()
{
    return QStringLiteral("service_host");
}

QUrl ServiceEndpoints::defaultCatalogueHost()
{
    return QUrl(QStringLiteral("http://catalogue.zerun.example"));
}

QUrl ServiceEndpoints::defaultServiceHost()
{
    return QUrl(QStringLiteral("http://service.zerun.example"));
}

QUrl ServiceEndpoints::catalogueHost()
{
    return configuredHost(catalogueHostVariable(), catalogueHostKey(), defaultCatalogueHost());
}

QUrl ServiceEndpoints::serviceHost()
{
    return configuredHost(serviceHostVariable(), serviceHostKey(), defaultServiceHost());
}

QString ServiceEndpoints::cataloguePath()
{
    return QStringLiteral("/files/index.dat");
}

QString ServiceEndpoints::versionFilePath()
{
    return QStringLiteral("/files/rudoduvururu.dat");
}

QString ServiceEndpoints::installerPath()
{
    return QStringLiteral("/files/RudOduvururu.exe");
}

QString ServiceEndpoints::crashUploadPath()
{
    return QStringLiteral("/matrix/upload.php");
}

QUrl ServiceEndpoints::catalogueUrl()
{
    return resolve(catalogueHost(), cataloguePath());
}

QUrl ServiceEndpoints::versionFileUrl()
{
    return resolve(serviceHost(), versionFilePath());
}

QUrl ServiceEndpoints::installerUrl()
{
    return resolve(serviceHost(), installerPath());
}

QUrl ServiceEndpoints::siteUrl()
{
    return resolve(serviceHost(), QStringLiteral("/"));
}

QUrl ServiceEndpoints::crashUploadUrl()
{
    return resolve(serviceHost(), crashUploadPath());
}

QUrl ServiceEndpoints::resolve(const QUrl &base, const QString &path)
{
    QUrl url = base.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::StripTrailingSlash);
    QString prefix = url.path();
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    url.setPath(prefix + path);
    return url;
}

QUrl ServiceEndpoints::parseBase(const QString &value)
{
    const QUrl url(value.trimmed(), QUrl::StrictMode);
    return isWebUrl(url) ? url : QUrl();
}

bool ServiceEndpoints::isWebUrl(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QUrl ServiceEndpoints::configuredHost(const QString &variable, const QString &key,
                                      const QUrl &fallback)
{
    // Written where the handler puts it into the daily file.
    const auto reject = [](const QString &source, const QString &value) {
        TsLogging::Log::channelDebug(TsLogging::Channel::strName(),
                                     source +
                                         QStringLiteral(" is not an http or https base URL "
                                                        "and is not used: ") +
                                         value);
    };
    const QByteArray name = variable.toLatin1();
    const QString environment = qEnvironmentVariable(name.constData());
    if (!environment.trimmed().isEmpty()) {
        const QUrl url = parseBase(environment);
        if (url.isValid())
            return url;
        reject(variable, environment);
    }
    const QString preference = TsXML::load(TsXML::Preferences, key);
    if (!preference.trimmed().isEmpty()) {
        const QUrl url = parseBase(preference);
        if (url.isValid())
            return url;
        reject(QStringLiteral("The preference ") + key, preference);
    }
    return fallback;
}
