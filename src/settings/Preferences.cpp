#include "settings/Preferences.h"

#include "model/MediaTarget.h"
#include "settings/StoredValue.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHash>
#include <QJsonDocument>
#include <QMutexLocker>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <sys/stat.h>

using namespace std::chrono_literals;

namespace {

// Long enough to span the steps of a slider drag or a spin box held down.
constexpr auto writeQuietTime = 400ms;

template<typename T> std::optional<T> decode(const QVariant &stored);

template<> std::optional<bool> decode<bool>(const QVariant &stored)
{
    return StoredValue::toBool(stored);
}

template<> std::optional<int> decode<int>(const QVariant &stored)
{
    const auto number = StoredValue::toInteger(stored);
    if (!number || *number < std::numeric_limits<int>::min()
        || *number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*number);
}

template<> std::optional<double> decode<double>(const QVariant &stored)
{
    return StoredValue::toDouble(stored);
}

template<> std::optional<QString> decode<QString>(const QVariant &stored)
{
    return StoredValue::toText(stored);
}

template<> std::optional<QList<QJsonObject>> decode<QList<QJsonObject>>(const QVariant &stored)
{
    return StoredValue::toJsonObjects(stored);
}

template<typename T> QVariant encode(const T &value)
{
    return QVariant::fromValue(value);
}

QVariant encode(const QList<QJsonObject> &objects)
{
    // Compact output is UTF-8 with the keys in sorted order.
    QStringList texts;
    texts.reserve(objects.size());
    for (const QJsonObject &object : objects)
        texts.append(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    return texts;
}

Preferences::FileStamp stampOf(const QByteArray &path)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return {}; // absent: Qt reads no values and creates it on the first write
    return {true,
            S_ISREG(info.st_mode),
            qint64(info.st_dev),
            qint64(info.st_ino),
            qint64(info.st_size),
            qint64(info.st_mtim.tv_sec),
            qint64(info.st_mtim.tv_nsec)};
}

// The extracted audio's format is part of every output's file name: only an
// audio target's extension is taken, never a hand-edited "../x".
bool accepts(const PreferenceKey<QString> &key, const QString &value)
{
    if (key.name != PreferenceKeys::videoToAudio.name)
        return true;
    const QList<MediaTarget> &targets = MediaTarget::audioTargets();
    return std::any_of(targets.cbegin(), targets.cend(),
                       [&value](const MediaTarget &target) { return target.ext == value; });
}

template<typename T> bool accepts(const PreferenceKey<T> &, const T &)
{
    return true;
}

} // namespace

Preferences::Preferences()
    // Fixed here, like QSettings fixes its paths at first use.
    : m_fileName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                 + QStringLiteral("/Vireo/Vireo.conf"))
    , m_flushTimer(new QTimer(this))
    , m_changeTimer(new QTimer(this))
    , m_watcher(new QFileSystemWatcher(this))
{
    m_flushTimer->setSingleShot(true);
    m_flushTimer->setInterval(writeQuietTime);
    connect(m_flushTimer, &QTimer::timeout, this, &Preferences::flush);
    // An editor's save arrives as several events; read the file once for all.
    m_changeTimer->setSingleShot(true);
    connect(m_changeTimer, &QTimer::timeout, this, [this] { fileMayHaveChanged(false); });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_changeTimer,
            qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_changeTimer,
            qOverload<>(&QTimer::start));
    QMutexLocker locker(&m_mutex);
    refresh();
    watch();
}

Preferences::~Preferences()
{
    flush();
}

void Preferences::watch()
{
    // A save that renames a new file into place leaves the old watch behind:
    // the folder's watch sees the rename, and the file is watched anew.
    const QString folder = QFileInfo(m_fileName).path();
    if (!m_watcher->directories().contains(folder) && QFileInfo(folder).isDir())
        m_watcher->addPath(folder);
    m_watcher->removePath(m_fileName);
    if (m_stamp && m_stamp->exists && m_stamp->regular)
        m_watcher->addPath(m_fileName);
}

void Preferences::refresh()
{
    const FileStamp stamp = stampOf(QFile::encodeName(m_fileName));
    if (m_stamp && *m_stamp == stamp)
        return;
    m_stamp = stamp;
    if (!stamp.regular) {
        // QSettings would block on a FIFO or a device, or replace whatever
        // is there on the first write. Neither is ours to touch.
        if (!m_refused) {
            const QString message = QCoreApplication::translate(
                "Preferences",
                "The settings file %1 is not a regular file; using the default "
                "settings, and changes are not saved.");
            std::fprintf(stderr, "%s\n", qUtf8Printable(message.arg(m_fileName)));
            std::fflush(stderr);
        }
        m_store.reset();
        m_refused = true;
        m_dirty = false;
        return;
    }
    if (m_refused) {
        m_refused = false;
        m_unsaved.clear();
    }
    if (!m_store) {
        m_store = std::make_unique<QSettings>(m_fileName, QSettings::NativeFormat);
        return;
    }
    // Another process wrote: read the file again, keeping our unsaved writes.
    m_store->sync();
    QCoreApplication::removePostedEvents(m_store.get(), QEvent::UpdateRequest);
    m_dirty = false;
    m_stamp = stampOf(QFile::encodeName(m_fileName));
}

QHash<QString, QVariant> Preferences::snapshot() const
{
    if (!m_store)
        return m_unsaved;
    QHash<QString, QVariant> values;
    for (const QString &key : m_store->allKeys())
        values.insert(key, m_store->value(key));
    return values;
}

void Preferences::fileMayHaveChanged(bool force)
{
    QStringList changedKeys;
    {
        QMutexLocker locker(&m_mutex);
        flushLocked();
        if (force)
            m_stamp.reset();
        const QHash<QString, QVariant> before = snapshot();
        refresh();
        const QHash<QString, QVariant> after = snapshot();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (after.value(it.key()) != it.value())
                changedKeys.append(it.key());
        }
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            if (!before.contains(it.key()))
                changedKeys.append(it.key());
        }
        watch();
    }
    for (const QString &key : std::as_const(changedKeys))
        Q_EMIT changed(key);
}

void Preferences::flush()
{
    QMutexLocker locker(&m_mutex);
    flushLocked();
}

void Preferences::flushLocked()
{
    if (!m_dirty || !m_store)
        return;
    m_store->sync();
    // The write is done; the update QSettings scheduled for later is not
    // needed, and must not touch the file after it changed into something else.
    QCoreApplication::removePostedEvents(m_store.get(), QEvent::UpdateRequest);
    m_dirty = false;
    m_stamp = stampOf(QFile::encodeName(m_fileName));
    watch();
}

void Preferences::reload()
{
    fileMayHaveChanged(true);
}

QVariant Preferences::storedValue(const QString &name) const
{
    if (m_refused)
        return m_unsaved.value(name);
    return m_store->value(name);
}

void Preferences::store(const QString &name, const QVariant &value)
{
    if (m_refused) {
        m_unsaved.insert(name, value);
        return;
    }
    m_store->setValue(name, value);
    // Written on our own schedule, not at QSettings' next event.
    QCoreApplication::removePostedEvents(m_store.get(), QEvent::UpdateRequest);
    m_dirty = true;
    QMetaObject::invokeMethod(m_flushTimer, qOverload<>(&QTimer::start));
}

template<typename T> T Preferences::read(const PreferenceKey<T> &key) const
{
    if (const auto it = m_overrides.constFind(key.name); it != m_overrides.cend())
        return it->template value<T>();
    const T value = decode<T>(storedValue(key.name)).value_or(key.defaultValue);
    return accepts(key, value) ? value : key.defaultValue;
}

Preferences &Preferences::instance()
{
    // Never deleted: worker threads may still read while statics are torn down.
    static Preferences *const preferences = [] {
        auto *created = new Preferences;
        // Whichever thread asks first, the object belongs with the views.
        if (const QCoreApplication *app = QCoreApplication::instance()) {
            created->moveToThread(app->thread());
            QObject::connect(app, &QCoreApplication::aboutToQuit, created, &Preferences::flush,
                             Qt::DirectConnection);
            // Also for a program that ends without an event loop.
            qAddPostRoutine([] { Preferences::instance().flush(); });
        }
        return created;
    }();
    return *preferences;
}

bool Preferences::value(const PreferenceKey<bool> &key) const
{
    QMutexLocker locker(&m_mutex);
    return read(key);
}

int Preferences::value(const PreferenceKey<int> &key) const
{
    QMutexLocker locker(&m_mutex);
    return read(key);
}

double Preferences::value(const PreferenceKey<double> &key) const
{
    QMutexLocker locker(&m_mutex);
    return read(key);
}

QString Preferences::value(const PreferenceKey<QString> &key) const
{
    QMutexLocker locker(&m_mutex);
    return read(key);
}

QList<QJsonObject> Preferences::value(const PreferenceKey<QList<QJsonObject>> &key) const
{
    QMutexLocker locker(&m_mutex);
    return read(key);
}

void Preferences::setValue(const PreferenceKey<bool> &key, bool value)
{
    write(key, value);
}

void Preferences::setValue(const PreferenceKey<int> &key, int value)
{
    write(key, value);
}

void Preferences::setValue(const PreferenceKey<double> &key, double value)
{
    if (std::isfinite(value))
        write(key, value);
}

void Preferences::setValue(const PreferenceKey<QString> &key, const QString &value)
{
    write(key, value);
}

void Preferences::setValue(const PreferenceKey<QList<QJsonObject>> &key,
                           const QList<QJsonObject> &value)
{
    write(key, value);
}

template<typename T> void Preferences::override(const PreferenceKey<T> &key, const T &value)
{
    {
        QMutexLocker locker(&m_mutex);
        m_overrides.insert(key.name, QVariant::fromValue(value));
    }
    Q_EMIT changed(key.name);
}

void Preferences::setSessionOverride(const PreferenceKey<bool> &key, bool value)
{
    override(key, value);
}

void Preferences::setSessionOverride(const PreferenceKey<int> &key, int value)
{
    override(key, value);
}

void Preferences::setSessionOverride(const PreferenceKey<double> &key, double value)
{
    if (std::isfinite(value))
        override(key, value);
}

void Preferences::setSessionOverride(const PreferenceKey<QString> &key, const QString &value)
{
    override(key, value);
}

QString Preferences::fileName() const
{
    return m_fileName;
}

template<typename T> void Preferences::write(const PreferenceKey<T> &key, const T &value)
{
    {
        // Held across the comparison so that two threads writing the same key
        // cannot both see "unchanged" or both miss it.
        QMutexLocker locker(&m_mutex);
        if (read(key) == value)
            return;
        store(key.name, encode(value));
    }
    Q_EMIT changed(key.name);
}
