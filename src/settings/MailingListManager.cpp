#include "settings/MailingListManager.h"

#include "settings/Preferences.h"
#include "settings/StoredValue.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimeZone>

#include <memory>
#include <optional>

#include "net/HttpRequest.h"
#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

constexpr auto defaultPromptDelay = 2500ms;
constexpr auto defaultRequestTimeout = 60s;
// Only the status of the answer counts; its body is never read.
constexpr qint64 maxAnswerBytes = 64 * 1024;

// The maker's shared file, or none when there is no organization or the file
// cannot be used: then the answer stays in Vireo's own file.
std::unique_ptr<QSettings> openSharedStore(const QString &organization)
{
    if (organization.isEmpty())
        return nullptr;
    auto store
        = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organization);
    // Never read the answer from /etc/xdg.
    store->setFallbacksEnabled(false);
    if (store->status() != QSettings::NoError || !store->isWritable())
        return nullptr;
    return store;
}

QString readShared(const QString &organization, const PreferenceKey<QString> &key)
{
    if (const auto store = openSharedStore(organization))
        return StoredValue::toText(store->value(key.name)).value_or(key.defaultValue);
    return Preferences::instance().value(key);
}

void writeShared(const QString &organization, const PreferenceKey<QString> &key,
                 const QString &value)
{
    if (const auto store = openSharedStore(organization)) {
        store->setValue(key.name, value);
        store->sync();
    } else {
        Preferences::instance().setValue(key, value);
    }
}

// Dates are stored as ISO 8601 text in UTC, which any program can read.
QDateTime dateFrom(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}

QString textOf(const QDateTime &date)
{
    return date.toUTC().toString(Qt::ISODateWithMs);
}

QString regionName()
{
    const QLocale::Territory territory = QLocale().territory();
    if (territory == QLocale::AnyTerritory)
        return {};
    return QLocale::territoryToString(territory);
}

} // namespace

MailingListManager::MailingListManager(QObject *parent)
    : QObject(parent)
    , m_status(SubmitStatus::idle())
    , m_updaterBusy([] { return false; })
    , m_endpoint(QUrl(QString::fromUtf8(BuildConfig::newsletterEndpoint)))
    , m_appToken(QString::fromUtf8(BuildConfig::appToken))
    , m_sharedOrganization(QString::fromUtf8(BuildConfig::sharedSettingsOrganization))
    , m_requestTimeout(defaultRequestTimeout)
{
    m_evaluationTimer.setSingleShot(true);
    m_evaluationTimer.setInterval(defaultPromptDelay);
    connect(&m_evaluationTimer, &QTimer::timeout, this, &MailingListManager::evaluatePrompt);

    m_optedOut = NewsletterPolicy::hasAnswered(state());
}

MailingListManager::~MailingListManager()
{
    // Before the network access manager, which owns the request's reply.
    delete m_request;
}

MailingListManager &MailingListManager::shared()
{
    // Never deleted: a static destructor would run after the application
    // object is gone, too late for the network access manager.
    static MailingListManager *const manager = new MailingListManager;
    return *manager;
}

QString MailingListManager::bundleIdentifier()
{
    return NewsletterKeys::programId();
}

QByteArray MailingListManager::appTokenHeader()
{
    return QByteArrayLiteral("X-App-Token");
}

bool MailingListManager::isAvailable() const
{
    return m_endpoint.isValid() && !m_endpoint.isEmpty();
}

void MailingListManager::registerLaunch(QObject *context)
{
    const NewsletterState launched = m_policy.launched(state());
    Preferences &preferences = Preferences::instance();
    preferences.setValue(NewsletterKeys::installDate, textOf(launched.installDate));
    preferences.setValue(NewsletterKeys::launchCount, launched.launchCount);

    m_evaluationTimer.start();
    if (context && context != this)
        connect(context, &QObject::destroyed, &m_evaluationTimer, &QTimer::stop);
}

void MailingListManager::evaluatePrompt()
{
    if (!isAvailable())
        return;
    const NewsletterState current = state();
    if (NewsletterPolicy::hasAnswered(current)) {
        setOptedOut(true);
        return;
    }
    if (!isUpdaterBusy() && m_policy.mayPromptAutomatically(current))
        present();
}

void MailingListManager::requestPrompt(bool force)
{
    if (!isAvailable())
        return;
    const NewsletterState current = state();
    if (NewsletterPolicy::hasAnswered(current)) {
        setOptedOut(true);
        return;
    }
    if (force || m_policy.launchRuleAllows(current))
        present();
}

void MailingListManager::snooze()
{
    storeDecision(Decision::snoozed, m_policy.snoozeEnd());
    setPresented(false);
}

void MailingListManager::decline()
{
    storeDecision(Decision::declined);
    setOptedOut(true);
    setPresented(false);
}

void MailingListManager::dismiss()
{
    setPresented(false);
}

void MailingListManager::submit(const QString &email)
{
    if (m_status.isSubmitting())
        return;

    // The server checks the address; here only what is plainly not one stays home.
    const QString address = email.trimmed();
    if (address.isEmpty() || !address.contains(u'@')) {
        setStatus(SubmitStatus::failure(tr("Please enter a valid email address.")));
        return;
    }
    if (!isAvailable()) {
        setStatus(
            SubmitStatus::failure(tr("This build of Vireo cannot subscribe to the newsletter.")));
        return;
    }

    setStatus(SubmitStatus::submitting());

    QNetworkRequest request(subscriptionUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    if (!m_appToken.isEmpty())
        request.setRawHeader(appTokenHeader(), m_appToken.toUtf8());

    QJsonObject body {
        {QStringLiteral("email"), address},
        {QStringLiteral("app"), bundleIdentifier()},
        {QStringLiteral("tz"), QString::fromUtf8(QTimeZone::systemTimeZoneId())},
    };
    if (const QString country = regionName(); !country.isEmpty())
        body.insert(QStringLiteral("country"), country);

    HttpRequest *subscription
        = HttpRequest::post(network(), request, QJsonDocument(body).toJson(QJsonDocument::Compact),
                            {m_requestTimeout, maxAnswerBytes}, this);
    m_request = subscription;
    connect(subscription, &Operation::finished, this, [this, subscription] {
        subscription->deleteLater();
        handleAnswer(*subscription);
    });
}

Decision MailingListManager::currentDecision() const
{
    return decisionFromRawValue(readShared(m_sharedOrganization, NewsletterKeys::decision));
}

NewsletterState MailingListManager::state() const
{
    const Preferences &preferences = Preferences::instance();
    return {currentDecision(),
            dateFrom(readShared(m_sharedOrganization, NewsletterKeys::snoozeUntil)),
            preferences.value(NewsletterKeys::launchCount),
            dateFrom(preferences.value(NewsletterKeys::installDate))};
}

void MailingListManager::setUpdaterBusyCheck(std::function<bool()> check)
{
    m_updaterBusy = check ? std::move(check) : [] {
        return false;
    };
}

bool MailingListManager::isUpdaterBusy() const
{
    return m_updaterBusy();
}

void MailingListManager::setClock(std::function<QDateTime()> clock)
{
    m_policy = NewsletterPolicy(std::move(clock));
}

void MailingListManager::setEndpoint(const QUrl &base)
{
    m_endpoint = base;
}

QUrl MailingListManager::subscriptionUrl() const
{
    QUrl url = m_endpoint;
    QString path = url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    url.setPath(path + QStringLiteral("/mailinglist.php"));
    return url;
}

void MailingListManager::setAppToken(const QString &token)
{
    m_appToken = token;
}

void MailingListManager::setSharedSettingsOrganization(const QString &organization)
{
    m_sharedOrganization = organization;
    setOptedOut(NewsletterPolicy::hasAnswered(state()));
}

void MailingListManager::setPromptDelay(std::chrono::milliseconds delay)
{
    m_evaluationTimer.setInterval(delay);
}

void MailingListManager::setRequestTimeout(std::chrono::milliseconds timeout)
{
    m_requestTimeout = timeout;
}

void MailingListManager::present()
{
    // Every showing starts afresh, but a request still in flight keeps its state.
    if (!m_presented && !m_status.isSubmitting())
        setStatus(SubmitStatus::idle());
    setPresented(true);
    Preferences::instance().setValue(NewsletterKeys::lastShownAt, textOf(m_policy.now()));
}

void MailingListManager::storeDecision(Decision decision, const QDateTime &snoozeUntil)
{
    writeShared(m_sharedOrganization, NewsletterKeys::decision, rawValue(decision));
    if (snoozeUntil.isValid())
        writeShared(m_sharedOrganization, NewsletterKeys::snoozeUntil, textOf(snoozeUntil));
}

void MailingListManager::handleAnswer(const HttpRequest &request)
{
    using Outcome = HttpRequest::Outcome;
    m_request = nullptr;
    switch (request.outcome()) {
    case Outcome::answered:
    case Outcome::tooLarge: // the status has arrived, and it is all that counts
        // A response that is not HTTP counts as status 0.
        finishSubmission(request.status());
        break;
    case Outcome::timedOut:
        setStatus(SubmitStatus::failure(tr("The request timed out.")));
        break;
    case Outcome::failed:
        setStatus(SubmitStatus::failure(request.errorString()));
        break;
    case Outcome::cancelled: // nothing cancels a subscription once it is sent
        setStatus(SubmitStatus::idle());
        break;
    }
}

void MailingListManager::finishSubmission(int httpStatus)
{
    // 409: the address is on the list already, which is what the user wanted.
    if ((httpStatus >= 200 && httpStatus <= 299) || httpStatus == 409) {
        storeDecision(Decision::subscribed);
        setStatus(SubmitStatus::success());
        setOptedOut(true);
    } else if (httpStatus == 422) {
        setStatus(SubmitStatus::failure(tr("Please check your email address and try again.")));
    } else {
        setStatus(SubmitStatus::failure(
            tr("Server returned %1. Please try again later.").arg(httpStatus)));
    }
}

void MailingListManager::setPresented(bool presented)
{
    if (m_presented == presented)
        return;
    m_presented = presented;
    Q_EMIT isPresentedChanged();
}

void MailingListManager::setStatus(const SubmitStatus &status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT statusChanged();
}

void MailingListManager::setOptedOut(bool optedOut)
{
    if (m_optedOut == optedOut)
        return;
    m_optedOut = optedOut;
    Q_EMIT isOptedOutChanged();
}

QNetworkAccessManager &MailingListManager::network()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return *m_network;
}
