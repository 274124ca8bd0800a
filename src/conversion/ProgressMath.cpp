#include "conversion/ProgressMath.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace ProgressMath {

std::optional<double> fileProgress(std::optional<double> outTimeSeconds, double duration)
{
    if (!outTimeSeconds || !(duration > 0) || !std::isfinite(duration))
        return std::nullopt;
    const double fraction = *outTimeSeconds / duration;
    if (std::isnan(fraction))
        return std::nullopt;
    return std::clamp(fraction, 0.0, 1.0);
}

double overallProgress(const Totals &totals, double inFlightProgress)
{
    if (totals.total <= 0)
        return 0.0;
    const double done = totals.completed + totals.failed + totals.cancelled;
    return std::min(1.0, (done + inFlightProgress) / totals.total);
}

std::optional<double> estimateRemaining(double elapsedSeconds, double fraction)
{
    if (elapsedSeconds <= 1.5 || fraction <= 0.02)
        return std::nullopt;
    return std::max(0.0, elapsedSeconds / fraction - elapsedSeconds);
}

QString formatDuration(double seconds)
{
    const qint64 n = std::isfinite(seconds) ? qint64(std::llround(seconds)) : 0;
    if (n < 3600)
        return QString::asprintf("%lld:%02lld", n / 60, n % 60);
    return QString::asprintf("%lld:%02lld:%02lld", n / 3600, (n % 3600) / 60, n % 60);
}

QString timeLine(double elapsedSeconds, std::optional<double> estimate, bool isRunning)
{
    QString line = QCoreApplication::translate("ProgressMath", "Elapsed %1")
                       .arg(formatDuration(elapsedSeconds));
    if (estimate && isRunning)
        line += QStringLiteral("  ·  ")
            + QCoreApplication::translate("ProgressMath", "ETA %1").arg(formatDuration(*estimate));
    else if (!isRunning)
        line += QStringLiteral("  ·  ") + QCoreApplication::translate("ProgressMath", "Finishing…");
    return line;
}

} // namespace ProgressMath
