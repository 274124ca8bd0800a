#include "conversion/RunRules.h"

#include "conversion/SafeOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void RunRules::clear()
{
    m_inputs.clear();
    m_claimed.clear();
}

QString RunRules::outputKey(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).toCaseFolded();
}

std::optional<QString> RunRules::claim(const QString &input, const QString &output,
                                       bool keepStructure)
{
    const QString key = outputKey(output);
    const auto claimed = m_claimed.constFind(key);
    if (claimed == m_claimed.cend()) {
        m_claimed.insert(key, input);
        return std::nullopt;
    }
    QString message = QCoreApplication::translate(
                          "JobQueue", "Another file in this batch is also converted to %1: %2")
                          .arg(QFileInfo(output).fileName(), *claimed);
    if (!keepStructure)
        message += QStringLiteral(". ")
            + QCoreApplication::translate("JobQueue",
                                          "Turn on \"Keep folder structure\" to give the files of "
                                          "each folder their own folder.");
    return message;
}

std::optional<QString> RunRules::check(const QString &input, const QString &output,
                                       const QString &folder) const
{
    // Next to the originals, each input's folder is its destination.
    const QString destination = folder.isEmpty() ? QFileInfo(input).absolutePath() : folder;
    if (!SafeOutput::isInside(output, destination))
        return QCoreApplication::translate("MediaJob",
                                           "The output name \"%1\" would leave the "
                                           "destination folder \"%2\"; nothing was written")
            .arg(output, destination);
    const auto identity = FileIdentity::of(output);
    if ((identity && m_inputs.contains(*identity)) || SafeOutput::isSameFile(input, output))
        return SafeOutput::replacesInputMessage(output);
    return std::nullopt;
}

std::optional<QString> RunRules::refusal(const QString &input, const QString &output,
                                         const QString &destination, bool keepStructure)
{
    if (std::optional<QString> taken = claim(input, output, keepStructure))
        return taken;
    return check(input, output, destination);
}
