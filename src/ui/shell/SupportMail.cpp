#include "ui/shell/SupportMail.h"

#include "ui/shell/DesktopOpen.h"

#include <QCoreApplication>

#include "vireo/BuildConfig.h"

QUrl SupportMail::url(const QString &applicationName, const std::optional<QString> &subject,
                      const QString &address)
{
    const QString name = applicationName.isEmpty() ? QStringLiteral("App") : applicationName;
    const QString title = subject.value_or(name + QLatin1String(" Support Request"));
    QString body = QLatin1String("Hello ") + name
        + QLatin1String(" Team,\n\nI need assistance with the following:\n\n");
    body.replace(u'\n', QLatin1String("\r\n"));

    // Everything but the unreserved characters is encoded, so an "&" or "="
    // in a name cannot end the subject early.
    const QByteArray text = "mailto:" + QUrl::toPercentEncoding(address, "@+")
        + "?subject=" + QUrl::toPercentEncoding(title) + "&body=" + QUrl::toPercentEncoding(body);
    const QUrl url(QString::fromLatin1(text), QUrl::StrictMode);
    if (!url.isValid() || address.isEmpty())
        return {};
    return url;
}

void composeSupportMail(const std::optional<QString> &subject)
{
    const QUrl url = SupportMail::url(QCoreApplication::applicationName(), subject,
                                      QString::fromUtf8(BuildConfig::supportEmail));
    if (url.isValid())
        DesktopOpen::openUrl(url);
}
