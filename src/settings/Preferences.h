#pragma once

#include "settings/PreferenceKeys.h"

#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

// The per-user preferences, stored in $XDG_CONFIG_HOME/Vireo/Vireo.conf
// (QSettings, native format, organization and application "Vireo" whatever
// QCoreApplication says, so the command-line tool and the tests share it).
//
// There is one instance per process, instance(), and every reader and writer
// uses it. Observation is the one changed(key) signal: a view connects to it,
// compares the key with the name of the preference it shows and reads the
// value again. So every view follows a write, whoever made it. Writes made by
// another process are seen by the next read, but not signalled.
//
// Reads never write. A stored value that does not decode as its key's type
// reads as the key's default. Writes are stored (and synced to the file) at
// once; a write of the value already read is ignored and signals nothing.
//
// Any thread may read and write: every call works on its own QSettings, and
// writes are serialized. changed() is emitted on the writing thread, so a
// receiver that lives elsewhere gets it queued.
class Preferences final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Preferences)

public:
    static Preferences &instance();

    bool value(const PreferenceKey<bool> &key) const;
    int value(const PreferenceKey<int> &key) const;
    // Never NaN or infinite: such a stored value reads as the default.
    double value(const PreferenceKey<double> &key) const;
    QString value(const PreferenceKey<QString> &key) const;
    // Stored as a list of compact JSON texts (keys sorted); an element that is
    // not a JSON object is left out.
    QList<QJsonObject> value(const PreferenceKey<QList<QJsonObject>> &key) const;

    void setValue(const PreferenceKey<bool> &key, bool value);
    void setValue(const PreferenceKey<int> &key, int value);
    // A NaN or infinite value is not stored: it could not be read back.
    void setValue(const PreferenceKey<double> &key, double value);
    void setValue(const PreferenceKey<QString> &key, const QString &value);
    // Rewrites the whole list.
    void setValue(const PreferenceKey<QList<QJsonObject>> &key, const QList<QJsonObject> &value);

    // A value that holds for this process only and is never stored: the
    // command line's options. Reads return it instead of the stored value.
    void setSessionOverride(const PreferenceKey<bool> &key, bool value);
    void setSessionOverride(const PreferenceKey<int> &key, int value);
    void setSessionOverride(const PreferenceKey<double> &key, double value);
    void setSessionOverride(const PreferenceKey<QString> &key, const QString &value);

    // The path of the settings file.
    QString fileName() const;

Q_SIGNALS:
    // The stored value of the preference named key changed.
    void changed(const QString &key);

private:
    Preferences();

    template<typename T> void write(const PreferenceKey<T> &key, const T &value);
    template<typename T> void override(const PreferenceKey<T> &key, const T &value);

    QMutex m_writeMutex;
};
