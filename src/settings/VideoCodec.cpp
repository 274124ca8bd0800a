#include "settings/VideoCodec.h"

#include <QCoreApplication>

QList<VideoCodec> allVideoCodecs()
{
    return {VideoCodec::h264, VideoCodec::hevc, VideoCodec::copy};
}

QString rawValue(VideoCodec codec)
{
    switch (codec) {
    case VideoCodec::h264:
        return QStringLiteral("h264");
    case VideoCodec::hevc:
        return QStringLiteral("hevc");
    case VideoCodec::copy:
        return QStringLiteral("copy");
    }
    Q_UNREACHABLE();
}

std::optional<VideoCodec> videoCodecFromRawValue(const QString &raw)
{
    for (VideoCodec codec : allVideoCodecs()) {
        if (rawValue(codec) == raw)
            return codec;
    }
    return std::nullopt;
}

QString label(VideoCodec codec)
{
    switch (codec) {
    case VideoCodec::h264:
        return QCoreApplication::translate("VideoCodec", "H.264");
    case VideoCodec::hevc:
        return QCoreApplication::translate("VideoCodec", "H.265 / HEVC");
    case VideoCodec::copy:
        return QCoreApplication::translate("VideoCodec", "Copy (no re-encode)");
    }
    Q_UNREACHABLE();
}
