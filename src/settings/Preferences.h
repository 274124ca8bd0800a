#pragma once

#include "settings/PreferenceKeys.h"

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QFileSystemWatcher;
class QSettings;
class QTimer;

// The per-user preferences, stored in $XDG_CONFIG_HOME/Vireo/Vireo.conf
// (QSettings, native format, organization and application "Vireo" whatever
// QCoreApplication says, so the command-line tool and the tests share it).
//
// There is one instance per process, instance(), and every reader and writer
// uses it. Observation is the one changed(key) signal: a view connects to it,
// compares the key with the name of the preference it shows and reads the
// value again. So every view follows a write, whoever made it.
//
// The file is parsed once and then read from memory: a read touches no disk.
// A change another process makes to the file is noticed by a file-system
// watcher and read in the event loop of the thread the instance lives in
// (the application's); every key whose value it changed is signalled. A path
// that holds something other than a regular file (a FIFO, a folder, a device)
// is never opened nor replaced: a message on standard error names it, reads
// give the defaults and writes last for this run only.
//
// Reads never write. A stored value that does not decode as its key's type
// reads as the key's default. A write holds in memory at once and reaches the
// file after a short quiet time, so that a slider dragged through twenty
// values writes the file once; flush() writes at once, and it runs when the
// application quits. A write of the value already read is ignored and signals
// nothing. This instance is the only writer of the file.
//
// Any thread may read and write; calls are serialized. changed() is emitted
// on the writing thread, so a receiver that lives elsewhere gets it queued.
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

    // Writes what is waiting for the quiet time.
    void flush();
    // Writes what is waiting, then reads the file again now, for a caller
    // that changed the file itself and cannot wait for the watcher.
    void reload();

Q_SIGNALS:
    // The stored value of the preference named key changed.
    void changed(const QString &key);

public:
    // What tells one version of the file from another: any write changes it.
    struct FileStamp {
        bool exists = false;
        bool regular = true;
        qint64 device = 0, inode = 0, size = 0, seconds = 0, nanoseconds = 0;
        friend bool operator==(const FileStamp &, const FileStamp &) = default;
    };

private:
    Preferences();
    ~Preferences() override;

    // All of these with m_mutex held.
    void refresh();
    void flushLocked();
    QHash<QString, QVariant> snapshot() const;
    QVariant storedValue(const QString &name) const;
    void store(const QString &name, const QVariant &value);
    template<typename T> T read(const PreferenceKey<T> &key) const;

    template<typename T> void write(const PreferenceKey<T> &key, const T &value);
    template<typename T> void override(const PreferenceKey<T> &key, const T &value);
    // Reads the file again and signals what changed, unless the change was ours.
    void fileMayHaveChanged(bool force);
    void watch();

    const QString m_fileName;
    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_store; // none while the path is refused
    std::optional<FileStamp> m_stamp; // of the file as last read or written
    bool m_refused = false;
    bool m_dirty = false; // m_store holds writes the file has not
    QHash<QString, QVariant> m_unsaved; // writes while the path is refused
    QHash<QString, QVariant> m_overrides; // the command line's, never stored
    QTimer *m_flushTimer;
    QTimer *m_changeTimer;
    QFileSystemWatcher *m_watcher;
};
