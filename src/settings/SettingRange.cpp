#include "settings/SettingRange.h"

#include <QCoreApplication>

std::optional<QString> SettingRange::problem(const QString &name, double value) const
{
    if (contains(value))
        return std::nullopt;
    return QCoreApplication::translate("SettingRange", "%1 takes %2 to %3 %4")
        .arg(name)
        .arg(min)
        .arg(max)
        .arg(QString::fromLatin1(unit));
}
