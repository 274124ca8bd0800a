#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

// Device and inode: "./x.mkv", "x.mkv" and a symbolic link to it are one
// file. Nothing when the path names nothing.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;

    // Asks the file system (stat): call it off the main thread where you can.
    static std::optional<FileIdentity> of(const QString &path);

    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

inline size_t qHash(const FileIdentity &identity, size_t seed = 0)
{
    return qHashMulti(seed, identity.device, identity.inode);
}
