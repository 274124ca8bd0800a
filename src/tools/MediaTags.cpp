#include "tools/MediaTags.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace {

constexpr int maxCoverBytes = 16 * 1024 * 1024;

void addTags(QMap<QString, QString> &tags, const AVDictionary *dictionary)
{
    const AVDictionaryEntry *entry = nullptr;
    while ((entry = av_dict_get(dictionary, "", entry, AV_DICT_IGNORE_SUFFIX)))
        tags.insert(QString::fromUtf8(entry->key).toLower(), QString::fromUtf8(entry->value));
}

std::optional<CoverArt> coverOf(const AVStream &stream)
{
    if (!(stream.disposition & AV_DISPOSITION_ATTACHED_PIC) || stream.attached_pic.size <= 0
        || stream.attached_pic.size > maxCoverBytes)
        return std::nullopt;
    QString mime;
    if (stream.codecpar->codec_id == AV_CODEC_ID_MJPEG)
        mime = QStringLiteral("image/jpeg");
    else if (stream.codecpar->codec_id == AV_CODEC_ID_PNG)
        mime = QStringLiteral("image/png");
    else
        return std::nullopt;
    return CoverArt {QByteArray(reinterpret_cast<const char *>(stream.attached_pic.data),
                                stream.attached_pic.size),
                     mime, stream.codecpar->width, stream.codecpar->height};
}

} // namespace

std::optional<MediaTags> readMediaTags(const QString &path)
{
    // "file:" and the whitelist: a name is never taken for another protocol.
    const QByteArray url = "file:" + QFile::encodeName(QFileInfo(path).absoluteFilePath());
    AVFormatContext *context = nullptr;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    const int opened = avformat_open_input(&context, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened != 0)
        return std::nullopt;
    MediaTags result;
    addTags(result.tags, context->metadata);
    bool audioSeen = false;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream &stream = *context->streams[i];
        if (!audioSeen && stream.codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            audioSeen = true;
            addTags(result.tags, stream.metadata);
        }
        if (!result.cover)
            result.cover = coverOf(stream);
    }
    avformat_close_input(&context);
    return result;
}
