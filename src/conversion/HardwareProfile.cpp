#include "conversion/HardwareProfile.h"

#include <QCoreApplication>

HardwareProfile HardwareProfile::software()
{
    return {};
}

HardwareProfile HardwareProfile::videoToolbox()
{
    return {Api::videoToolbox, {}, true};
}

HardwareProfile HardwareProfile::vaapi(const QString &device)
{
    return {Api::vaapi, device, true};
}

HardwareProfile HardwareProfile::nvenc()
{
    return {Api::nvenc, {}, true};
}

HardwareProfile HardwareProfile::qsv()
{
    return {Api::qsv, {}, true};
}

QString HardwareProfile::label() const
{
    QString name;
    switch (api) {
    case Api::none:
        return QCoreApplication::translate(
            "HardwareProfile", "Hardware acceleration (none available, software encoder used)");
    case Api::videoToolbox:
        name = QStringLiteral("VideoToolbox");
        break;
    case Api::vaapi:
        name = QStringLiteral("VA-API");
        break;
    case Api::nvenc:
        name = QStringLiteral("NVENC");
        break;
    case Api::qsv:
        name = QStringLiteral("Quick Sync");
        break;
    }
    if (!encodesHevc)
        return QCoreApplication::translate("HardwareProfile",
                                           "Hardware acceleration (%1, H.264 only)")
            .arg(name);
    return QCoreApplication::translate("HardwareProfile", "Hardware acceleration (%1)").arg(name);
}
