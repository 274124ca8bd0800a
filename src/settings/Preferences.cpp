#include "settings/Preferences.h"

#include "model/MediaTarget.h"
#include "settings/StoredValue.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QMutexLocker>
#include <QSettings>
#include <QStringList>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Named explicitly so that the store does not depend on QCoreApplication's
// names having been set (the command-line tool and the tests never set them).
class Store final : public QSettings {
public:
    Store()
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vireo"),
                    QStringLiteral("Vireo"))
    {
        // The organization-level file next to ours holds state shared by all
        // of the maker's programs; none of our keys may be read from it (nor
        // from /etc/xdg).
        setFallbacksEnabled(false);
    }
};

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
    QStringList texts;
    if (stored.typeId() == QMetaType::QStringList)
        texts = stored.toStringList();
    else if (stored.typeId() == QMetaType::QString) // the INI form of a one-element list
        texts = QStringList {stored.toString()};
    else
        return std::nullopt;

    QList<QJsonObject> objects;
    objects.reserve(texts.size());
    for (const QString &text : texts) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
        if (error.error == QJsonParseError::NoError && document.isObject())
            objects.append(document.object());
    }
    return objects;
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

// Values that hold for this process only (the command line's options); never
// written to the store.
QMutex overridesMutex;
QHash<QString, QVariant> overrides;

template<typename T> T readUnchecked(const PreferenceKey<T> &key)
{
    {
        QMutexLocker locker(&overridesMutex);
        if (const auto it = overrides.constFind(key.name); it != overrides.cend())
            return it->template value<T>();
    }
    const Store store;
    return decode<T>(store.value(key.name)).value_or(key.defaultValue);
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

template<typename T> T read(const PreferenceKey<T> &key)
{
    T value = readUnchecked(key);
    return accepts(key, value) ? value : key.defaultValue;
}

} // namespace

Preferences::Preferences() = default;

Preferences &Preferences::instance()
{
    // Never deleted: worker threads may still read while statics are torn down.
    static Preferences *const preferences = [] {
        auto *created = new Preferences;
        // Whichever thread asks first, the object belongs with the views.
        if (const QCoreApplication *app = QCoreApplication::instance())
            created->moveToThread(app->thread());
        return created;
    }();
    return *preferences;
}

bool Preferences::value(const PreferenceKey<bool> &key) const
{
    return read(key);
}

int Preferences::value(const PreferenceKey<int> &key) const
{
    return read(key);
}

double Preferences::value(const PreferenceKey<double> &key) const
{
    return read(key);
}

QString Preferences::value(const PreferenceKey<QString> &key) const
{
    return read(key);
}

QList<QJsonObject> Preferences::value(const PreferenceKey<QList<QJsonObject>> &key) const
{
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
        QMutexLocker locker(&overridesMutex);
        overrides.insert(key.name, QVariant::fromValue(value));
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
    return Store().fileName();
}

template<typename T> void Preferences::write(const PreferenceKey<T> &key, const T &value)
{
    {
        // Held across the comparison so that two threads writing the same key
        // cannot both see "unchanged" or both miss it.
        QMutexLocker locker(&m_writeMutex);
        if (read(key) == value)
            return;
        Store store;
        store.setValue(key.name, encode(value));
        store.sync();
    }
    Q_EMIT changed(key.name);
}
