#include "settings/MailingListManager.h"

#include "settings/Preferences.h"
#include "settings/StoredValue.h"
#include "tools/HttpRequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimeZone>

#include <limits>
#include <memory>
#include <optional>

#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

constexpr auto defaultPromptDelay = 2500ms;
constexpr auto defaultRequestTimeout = 60s;
// Only the status of the answer counts; its body is never read.
constexpr qint64 maxAnswerBytes = 64 * 1024;
constexpr int launchesBeforePrompt = 3;
constexpr int daysBeforePrompt = 2;
constexpr int snoozeDays = 14;

// Shared by all of the maker's programs.
const QString decisionKey = QStringLiteral("mailingList.shared.decision");
const QString snoozeUntilKey = QStringLiteral("mailingList.shared.snoozeUntil");

// Kept per program, in the program's own file.
QString programKey(const QString &name)
{
    return QStringLiteral("mailingList.%1.%2").arg(MailingListManager::bundleIdentifier(), name);
}

QString installDateKey()
{
    return programKey(QStringLiteral("installDate"));
}

QString launchCountKey()
{
    return programKey(QStringLiteral("launchCount"));
}

QString lastShownAtKey()
{
    return programKey(QStringLiteral("lastShownAt"));
}

std::unique_ptr<QSettings> openProgramStore()
{
    return std::make_unique<QSettings>(Preferences::instance().fileName(), QSettings::NativeFormat);
}

std::unique_ptr<QSettings> openSharedStore(const QString &organization)
{
    if (!organization.isEmpty()) {
        auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 organization);
        // Never read the answer from /etc/xdg.
        store->setFallbacksEnabled(false);
        if (store->status() == QSettings::NoError && store->isWritable())
            return store;
    }
    return openProgramStore();
}

std::optional<QString> readText(const QSettings &store, const QString &key)
{
    return StoredValue::toText(store.value(key));
}

std::optional<int> readCount(const QSettings &store, const QString &key)
{
    const auto number = StoredValue::toInteger(store.value(key));
    if (!number || *number < 0 || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*number);
}

// Dates are stored as ISO 8601 text in UTC, which any program can read; a
// QDateTime written by QSettings' own encoding is accepted too.
std::optional<QDateTime> readDate(const QSettings &store, const QString &key)
{
    const QVariant stored = store.value(key);
    QDateTime date;
    if (stored.typeId() == QMetaType::QDateTime)
        date = stored.toDateTime();
    else if (stored.typeId() == QMetaType::QString)
        date = QDateTime::fromString(stored.toString(), Qt::ISODateWithMs);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

void writeDate(QSettings &store, const QString &key, const QDateTime &date)
{
    store.setValue(key, date.toUTC().toString(Qt::ISODateWithMs));
}

// Whole days by the local calendar: a day has passed when the wall-clock time
// of the start has come round again, so a day across a daylight-saving change
// is 23 or 25 hours long.
qint64 wholeDaysBetween(const QDateTime &from, const QDateTime &to)
{
    const QDateTime start = from.toLocalTime();
    const QDateTime end = to.toLocalTime();
    qint64 days = start.date().daysTo(end.date());
    if (days > 0 && start.addDays(days) > end)
        --days;
    else if (days < 0 && start.addDays(days) < end)
        ++days;
    return days;
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
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_endpoint(QUrl(QString::fromUtf8(BuildConfig::newsletterEndpoint)))
    , m_appToken(QString::fromUtf8(BuildConfig::appToken))
    , m_sharedOrganization(QString::fromUtf8(BuildConfig::sharedSettingsOrganization))
    , m_requestTimeout(defaultRequestTimeout)
{
    m_evaluationTimer.setSingleShot(true);
    m_evaluationTimer.setInterval(defaultPromptDelay);
    connect(&m_evaluationTimer, &QTimer::timeout, this, &MailingListManager::evaluatePrompt);

    const Decision decision = currentDecision();
    m_optedOut = decision == Decision::subscribed || decision == Decision::declined;
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
    const QString id = QString::fromUtf8(BuildConfig::appId);
    return id.isEmpty() ? QStringLiteral("unknown.app") : id;
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
    {
        const auto store = openProgramStore();
        if (!readDate(*store, installDateKey()))
            writeDate(*store, installDateKey(), now());
        const int count = readCount(*store, launchCountKey()).value_or(0);
        store->setValue(launchCountKey(),
                        count < std::numeric_limits<int>::max() ? count + 1 : count);
        store->sync();
    }

    m_evaluationTimer.start();
    if (context && context != this)
        connect(context, &QObject::destroyed, &m_evaluationTimer, &QTimer::stop);
}

void MailingListManager::evaluatePrompt()
{
    if (!isAvailable())
        return;
    const Decision decision = currentDecision();
    if (decision == Decision::subscribed || decision == Decision::declined) {
        setOptedOut(true);
        return;
    }
    if (isUpdaterBusy())
        return;

    const QDateTime current = now();
    if (decision == Decision::snoozed) {
        const auto until = readDate(*openSharedStore(m_sharedOrganization), snoozeUntilKey);
        if (until && *until > current)
            return;
    }
    if (launchRuleAllows(current))
        present(current);
}

void MailingListManager::requestPrompt(bool force)
{
    if (!isAvailable())
        return;
    const Decision decision = currentDecision();
    if (decision == Decision::subscribed || decision == Decision::declined) {
        setOptedOut(true);
        return;
    }
    const QDateTime current = now();
    if (force || launchRuleAllows(current))
        present(current);
}

void MailingListManager::snooze()
{
    const QDateTime current = now();
    QDateTime until = current.toLocalTime().addDays(snoozeDays);
    if (!until.isValid())
        until = current;
    storeDecision(Decision::snoozed, until);
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
    const auto store = openSharedStore(m_sharedOrganization);
    return decisionFromRawValue(readText(*store, decisionKey).value_or(QString()));
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
    m_clock = clock ? std::move(clock) : [] {
        return QDateTime::currentDateTime();
    };
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
    const Decision decision = currentDecision();
    setOptedOut(decision == Decision::subscribed || decision == Decision::declined);
}

void MailingListManager::setPromptDelay(std::chrono::milliseconds delay)
{
    m_evaluationTimer.setInterval(delay);
}

void MailingListManager::setRequestTimeout(std::chrono::milliseconds timeout)
{
    m_requestTimeout = timeout;
}

QDateTime MailingListManager::now() const
{
    return m_clock();
}

bool MailingListManager::launchRuleAllows(const QDateTime &now) const
{
    const auto store = openProgramStore();
    if (readCount(*store, launchCountKey()).value_or(0) >= launchesBeforePrompt)
        return true;
    const auto installed = readDate(*store, installDateKey());
    return installed && wholeDaysBetween(*installed, now) >= daysBeforePrompt;
}

void MailingListManager::present(const QDateTime &now)
{
    // Every showing starts afresh, but a request still in flight keeps its state.
    if (!m_presented && !m_status.isSubmitting())
        setStatus(SubmitStatus::idle());
    setPresented(true);

    const auto store = openProgramStore();
    writeDate(*store, lastShownAtKey(), now);
    store->sync();
}

void MailingListManager::storeDecision(Decision decision, const QDateTime &snoozeUntil)
{
    const auto store = openSharedStore(m_sharedOrganization);
    store->setValue(decisionKey, rawValue(decision));
    if (snoozeUntil.isValid())
        writeDate(*store, snoozeUntilKey, snoozeUntil);
    store->sync();
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
