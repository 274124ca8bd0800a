#include "settings/UpdateChecker.h"

#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QRegularExpression>

#include "net/HttpRequest.h"
#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

constexpr auto defaultRequestTimeout = 30s;
constexpr auto firstAutomaticCheck = 10s;
constexpr auto automaticCheckInterval = 1h;
// A feed is a few dozen bytes; anything much larger is not one.
constexpr qint64 maxFeedBytes = 64 * 1024;

QList<qint64> versionComponents(QString version)
{
    version = version.trimmed();
    if (version.startsWith(u'v') || version.startsWith(u'V'))
        version.remove(0, 1);
    QList<qint64> components;
    for (const QString &part : version.split(u'.')) {
        bool ok = false;
        const qint64 number = part.toLongLong(&ok);
        // toLongLong() takes signs and blanks that a version never has.
        if (!ok || part.isEmpty() || !part.front().isDigit() || !part.back().isDigit())
            return {};
        components.append(number);
    }
    return components;
}

} // namespace

UpdateChecker::UpdateChecker(QObject *parent)
    : QObject(parent)
    , m_feedUrl(QUrl(QString::fromUtf8(BuildConfig::updateFeedUrl)))
    , m_currentVersion(QCoreApplication::applicationVersion())
    , m_requestTimeout(defaultRequestTimeout)
{
    qRegisterMetaType<UpdateCheckResult>();
    if (m_currentVersion.isEmpty())
        m_currentVersion = QStringLiteral(VIREO_VERSION);
    m_automaticTimer.setSingleShot(true);
    connect(&m_automaticTimer, &QTimer::timeout, this, &UpdateChecker::checkIfDue);
}

UpdateChecker::~UpdateChecker()
{
    // Before the network access manager, which owns the request's reply. A
    // check that ends with the checker reports nothing: nobody is left to hear.
    delete m_request;
}

void UpdateChecker::setFeedUrl(const QUrl &url)
{
    m_feedUrl = url;
}

void UpdateChecker::setCurrentVersion(const QString &version)
{
    m_currentVersion = version;
}

void UpdateChecker::setClock(std::function<QDateTime()> clock)
{
    m_policy = UpdatePolicy(std::move(clock));
}

void UpdateChecker::setRequestTimeout(std::chrono::milliseconds timeout)
{
    m_requestTimeout = timeout;
}

void UpdateChecker::checkForUpdates()
{
    start(true);
}

void UpdateChecker::cancel()
{
    if (m_request)
        m_request->cancel();
}

void UpdateChecker::setAutomaticChecksActive(bool active)
{
    if (active == m_automaticActive)
        return;
    m_automaticActive = active;
    if (!active) {
        m_automaticTimer.stop();
        disconnect(&Preferences::instance(), &Preferences::changed, this, nullptr);
        return;
    }
    connect(&Preferences::instance(), &Preferences::changed, this, [this](const QString &key) {
        if (key == PreferenceKeys::automaticallyCheckForUpdates.name)
            checkIfDue();
    });
    // Not during start-up: the window comes first.
    m_automaticTimer.start(firstAutomaticCheck);
}

bool UpdateChecker::isAutomaticCheckDue() const
{
    UpdateState state = UpdatePolicy::stored();
    state.lastAutomaticFailure = m_lastAutomaticFailure;
    return isEnabled() && m_policy.isAutomaticCheckDue(state);
}

void UpdateChecker::checkIfDue()
{
    if (!m_automaticActive)
        return;
    m_automaticTimer.start(automaticCheckInterval);
    if (!sessionInProgress() && isAutomaticCheckDue())
        start(false);
}

void UpdateChecker::start(bool userInitiated)
{
    if (sessionInProgress())
        return;
    if (!isEnabled()) {
        if (!userInitiated)
            return;
        UpdateCheckResult result;
        result.outcome = UpdateCheckResult::Outcome::disabled;
        result.errorMessage = tr("Update checks are turned off in this build of Vireo.");
        result.userInitiated = true;
        // Like a real check, the answer never comes from inside the call.
        QMetaObject::invokeMethod(
            this, [this, result] { Q_EMIT checkFinished(result); }, Qt::QueuedConnection);
        return;
    }

    m_userInitiated = userInitiated;
    QNetworkRequest request(m_feedUrl);
    request.setRawHeader("Accept", "application/json");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    HttpRequest *check
        = HttpRequest::get(network(), request, {m_requestTimeout, maxFeedBytes}, this);
    m_request = check;
    connect(check, &Operation::finished, this, [this, check] {
        check->deleteLater();
        handleAnswer(*check);
    });
    Q_EMIT canCheckForUpdatesChanged(false);
}

void UpdateChecker::handleAnswer(const HttpRequest &request)
{
    using Outcome = HttpRequest::Outcome;
    UpdateCheckResult result;
    result.userInitiated = m_userInitiated;
    const int status = request.status();

    switch (request.outcome()) {
    case Outcome::cancelled:
        result.outcome = UpdateCheckResult::Outcome::cancelled;
        break;
    case Outcome::tooLarge:
        result.errorMessage = tr("The update feed is too large to be a release feed.");
        break;
    case Outcome::timedOut:
        result.errorMessage = tr("The update server did not answer in time.");
        break;
    case Outcome::failed:
        result.errorMessage
            = tr("The update feed could not be fetched: %1").arg(request.errorString());
        break;
    case Outcome::answered:
        // Status 0: the feed came by another way than HTTP, and its text decides.
        if (status != 0 && (status < 200 || status > 299)) {
            result.errorMessage = tr("The update server answered with status %1.").arg(status);
        } else if (const std::optional<Release> release = parseFeed(request.body()); !release) {
            result.errorMessage
                = tr("The update feed does not name a valid version and release page.");
        } else {
            result.latestVersion = release->version;
            result.releaseUrl = release->url;
            result.outcome = compareVersions(release->version, m_currentVersion) > 0
                ? UpdateCheckResult::Outcome::updateAvailable
                : UpdateCheckResult::Outcome::upToDate;
        }
        break;
    }
    finish(result);
}

void UpdateChecker::finish(UpdateCheckResult result)
{
    m_request = nullptr;
    using Outcome = UpdateCheckResult::Outcome;
    if (result.outcome == Outcome::failed) {
        if (!result.userInitiated)
            m_lastAutomaticFailure = now();
    } else if (result.outcome != Outcome::cancelled) {
        Preferences::instance().setValue(PreferenceKeys::lastUpdateCheck,
                                         now().toUTC().toString(Qt::ISODateWithMs));
    }
    Q_EMIT canCheckForUpdatesChanged(true);
    Q_EMIT checkFinished(result);
}

int UpdateChecker::compareVersions(const QString &a, const QString &b)
{
    QList<qint64> left = versionComponents(a);
    QList<qint64> right = versionComponents(b);
    const qsizetype length = std::max(left.size(), right.size());
    left.resize(length, 0);
    right.resize(length, 0);
    for (qsizetype i = 0; i < length; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}

bool UpdateChecker::isValidVersion(const QString &version)
{
    const qsizetype count = versionComponents(version).size();
    return count >= 1 && count <= 4;
}

std::optional<UpdateChecker::Release> UpdateChecker::parseFeed(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject feed = document.object();
    const QString version = feed.value(QLatin1String("version")).toString().trimmed();
    const QUrl url(feed.value(QLatin1String("url")).toString().trimmed(), QUrl::StrictMode);
    if (!isValidVersion(version) || !url.isValid() || url.host().isEmpty()
        || (url.scheme() != QLatin1String("https") && url.scheme() != QLatin1String("http")))
        return std::nullopt;
    return Release {version, url};
}

QDateTime UpdateChecker::now() const
{
    return m_policy.now();
}

QNetworkAccessManager &UpdateChecker::network()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return *m_network;
}
