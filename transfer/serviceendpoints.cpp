#include "serviceendpoints.h"

#include "tslogging.h"

#include <QtGlobal>

QString ServiceEndpoints::catalogueHostVariable()
{
    return QStringLiteral("ZERUN_CATALOGUE_HOST");
}

QString ServiceEndpoints::serviceHostVariable()
{
    return QStringLiteral("ZERUN_SERVICE_HOST");
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
    return hostFromEnvironment(catalogueHostVariable(), defaultCatalogueHost());
}

QUrl ServiceEndpoints::serviceHost()
{
    return hostFromEnvironment(serviceHostVariable(), defaultServiceHost());
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
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    return url;
}

QUrl ServiceEndpoints::hostFromEnvironment(const QString &variable, const QUrl &fallback)
{
    const QByteArray name = variable.toLatin1();
    if (!qEnvironmentVariableIsSet(name.constData()))
        return fallback;
    const QString value = qEnvironmentVariable(name.constData());
    if (value.trimmed().isEmpty())
        return fallback;
    const QUrl url = parseBase(value);
    if (url.isValid())
        return url;
    TsLogging::Log::warning(TsLogging::Channel::tsName(),
                            variable + QStringLiteral(" is not an http or https base URL: ") +
                                value + QStringLiteral("; using ") + fallback.toString());
    return fallback;
}
