#pragma once

#include "model/FileIdentity.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

// The rules over the whole plan of one run, applied in plan order the same
// way by the job queue and by vireo-cli's plan, sharded or not: an output
// never leaves the destination, never replaces an input of the run, and two
// items never write one output. Output names compare without case, since a
// destination on a file system that folds case would make them one file.
class RunRules final {
public:
    // Every input of the run, also those another part of a sharded run
    // converts.
    void addInput(const FileIdentity &identity) { m_inputs.insert(identity); }
    void clear();

    // Takes the output for `input` in plan order; why not, when an earlier
    // item of the run took it. Reads no file.
    std::optional<QString> claim(const QString &input, const QString &output, bool keepStructure);
    // Why the output may not be written: outside the destination, or an input
    // of the run. An empty destination is the input's folder. Asks the file
    // system.
    std::optional<QString> check(const QString &input, const QString &output,
                                 const QString &destination) const;
    // Both, in the order the queue applies them.
    std::optional<QString> refusal(const QString &input, const QString &output,
                                   const QString &destination, bool keepStructure);

    // How outputs compare: absolute, "." and ".." resolved, case folded.
    static QString outputKey(const QString &path);

private:
    QSet<FileIdentity> m_inputs;
    QHash<QString, QString> m_claimed; // output key to the input that took it
};
