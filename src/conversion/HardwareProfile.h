#pragma once

#include <QString>

// The hardware video encoder that conversions may use: the API, and for
// VA-API the render node it was verified on. A plain value; detection
// (HardwareDetection.h) finds the one of this machine, tests build any.
struct HardwareProfile {
    enum class Api { none, videoToolbox, vaapi, nvenc, qsv };

    Api api = Api::none;
    QString device; // e.g. /dev/dri/renderD128 for VA-API; empty otherwise
    // Whether the API's HEVC encoder works too; without it HEVC is encoded in
    // software while H.264 stays in hardware (older GPUs lack HEVC encoding).
    bool encodesHevc = true;

    static HardwareProfile software();
    // The encoder names of macOS builds, also used by tests.
    static HardwareProfile videoToolbox();
    static HardwareProfile vaapi(const QString &device);
    static HardwareProfile nvenc();
    static HardwareProfile qsv();

    bool isHardware() const { return api != Api::none; }

    // The text of the settings toggle: names the API in use, or says that the
    // software encoder is used.
    QString label() const;

    friend bool operator==(const HardwareProfile &, const HardwareProfile &) = default;
};
