#include "tools/MediaProbe.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFutureWatcher>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <QtConcurrent>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/pixdesc.h>
}

namespace {

// ffprobe's own read limits (libavformat's defaults), stated so that no
// option or future default can make a probe read an endless file.
constexpr const char *probeSize = "5000000"; // bytes
constexpr const char *analyzeDuration = "5000000"; // microseconds
constexpr int timeoutMs = 10'000;
constexpr int bufferSize = 64 * 1024;
constexpr int64_t pcmProbeSize = 16 * 1024;
// The stream search decodes a frame where the header leaves the picture
// format open; one 16000x16000 PNG would cost a gigabyte. Larger frames are
// not decoded: their size still comes from the container's header.
constexpr const char *maxDecodedPixels = "67108864"; // 64 megapixels

// Probes of the job queue get their own threads: a slow network file must
// not hold up the pool that imports use. Never destroyed: the process must
// be able to end while a read on a stalled share holds one of its threads.
QThreadPool *probePool()
{
    static auto *pool = new QThreadPool;
    return pool;
}

// The file behind a custom AVIOContext: our descriptor, never a name that
// libavformat could resolve.
struct Source {
    int fd = -1;
    QDeadlineTimer deadline {timeoutMs};
    const std::atomic_bool *cancelled = nullptr;

    bool stopped() const
    {
        return deadline.hasExpired() || (cancelled && cancelled->load(std::memory_order_relaxed));
    }
};

int readSource(void *opaque, uint8_t *buffer, int size)
{
    const auto *source = static_cast<const Source *>(opaque);
    if (source->stopped())
        return AVERROR_EXIT;
    ssize_t count = 0;
    do {
        count = ::read(source->fd, buffer, size_t(size));
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        return AVERROR(errno);
    return count == 0 ? AVERROR_EOF : int(count);
}

int64_t seekSource(void *opaque, int64_t offset, int whence)
{
    const auto *source = static_cast<const Source *>(opaque);
    if (whence & AVSEEK_SIZE) {
        struct stat info { };
        return ::fstat(source->fd, &info) == 0 ? int64_t(info.st_size) : AVERROR(errno);
    }
    const off_t position = ::lseek(source->fd, off_t(offset), whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(errno) : int64_t(position);
}

int interrupted(void *opaque)
{
    return static_cast<const Source *>(opaque)->stopped() ? 1 : 0;
}

// Playlists, image sequences and references inside a container ask for more
// files; a probe of one file opens nothing else.
int refuseOpen(AVFormatContext *, AVIOContext **, const char *, int, AVDictionary **)
{
    return AVERROR(EPERM);
}

std::optional<QString> text(const char *value)
{
    if (!value)
        return std::nullopt;
    return QString::fromUtf8(value);
}

// Frame sizes as the headers gave them, before the stream search could
// decode (or refuse to decode) a frame.
struct HeaderSize {
    int width = 0;
    int height = 0;
};

ProbeStream describeStream(const AVStream &avStream, HeaderSize header)
{
    const AVCodecParameters &codec = *avStream.codecpar;
    ProbeStream stream;
    stream.codecType = QString::fromLatin1(av_get_media_type_string(codec.codec_type));
    stream.decodable = codec.codec_id != AV_CODEC_ID_NONE && avcodec_find_decoder(codec.codec_id);
    stream.attachedPicture = (avStream.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
    if (const AVCodecDescriptor *descriptor = avcodec_descriptor_get(codec.codec_id)) {
        stream.codecName = text(descriptor->name);
        stream.codecLongName = text(descriptor->long_name);
    }
    switch (codec.codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        stream.width = codec.width > 0 ? codec.width : header.width;
        stream.height = codec.height > 0 ? codec.height : header.height;
        stream.pixelFormat = text(av_get_pix_fmt_name(AVPixelFormat(codec.format)));
        break;
    case AVMEDIA_TYPE_AUDIO: {
        stream.sampleRate = codec.sample_rate;
        stream.channels = codec.ch_layout.nb_channels;
        if (codec.ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) {
            char layout[128] = {};
            if (av_channel_layout_describe(&codec.ch_layout, layout, sizeof layout) >= 0)
                stream.channelLayout = QString::fromLatin1(layout);
        }
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        if (codec.width)
            stream.width = codec.width;
        if (codec.height)
            stream.height = codec.height;
        break;
    default:
        break;
    }
    return stream;
}

ProbeResult describe(AVFormatContext &context, const std::vector<HeaderSize> &headers)
{
    ProbeResult result;
    result.formatName = text(context.iformat->name);
    result.formatLongName = text(context.iformat->long_name);
    if (context.duration != AV_NOPTS_VALUE)
        result.duration = double(context.duration) / AV_TIME_BASE;
    if (const int64_t size = avio_size(context.pb); size >= 0)
        result.size = size;
    if (context.bit_rate > 0)
        result.bitrate = context.bit_rate;
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVStream &avStream = *context.streams[i];
        ProbeStream stream
            = describeStream(avStream, i < headers.size() ? headers[i] : HeaderSize {});
        if (stream.codecType == u"video") {
            if (avStream.avg_frame_rate.num > 0 && avStream.avg_frame_rate.den > 0)
                stream.frameRate = av_q2d(avStream.avg_frame_rate);
            if (avStream.codecpar->bit_rate > 0)
                stream.bitrate = avStream.codecpar->bit_rate;
        }
        result.streams.append(stream);
    }
    return result;
}

bool isRawPcm(const AVFormatContext &context)
{
    // Containers that find their streams while reading (MPEG-TS, PS) may
    // hold more than the header shows.
    if (context.nb_streams == 0 || (context.ctx_flags & AVFMTCTX_NOHEADER))
        return false;
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        const AVCodecParameters &stream = *context.streams[i]->codecpar;
        if (stream.codec_id < AV_CODEC_ID_FIRST_AUDIO || stream.codec_id >= AV_CODEC_ID_ADPCM_IMA_QT
            || stream.sample_rate <= 0 || stream.ch_layout.nb_channels <= 0)
            return false;
    }
    return true;
}

std::optional<ProbeResult> probeSource(Source &source, const QByteArray &name)
{
    auto *buffer = static_cast<unsigned char *>(av_malloc(bufferSize));
    AVIOContext *io = buffer
        ? avio_alloc_context(buffer, bufferSize, 0, &source, &readSource, nullptr, &seekSource)
        : nullptr;
    AVFormatContext *context = io ? avformat_alloc_context() : nullptr;
    if (!context) {
        if (io)
            av_freep(&io->buffer);
        else
            av_free(buffer);
        avio_context_free(&io);
        return std::nullopt;
    }
    context->pb = io;
    context->flags |= AVFMT_FLAG_CUSTOM_IO;
    context->interrupt_callback = {&interrupted, &source};
    context->io_open = &refuseOpen;

    AVDictionary *options = nullptr;
    av_dict_set(&options, "probesize", probeSize, 0);
    av_dict_set(&options, "analyzeduration", analyzeDuration, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The name only lends its extension to format detection; with our own
    // AVIOContext nothing opens it.
    std::optional<ProbeResult> result;
    if (avformat_open_input(&context, name.constData(), nullptr, &options) == 0) {
        // A raw PCM header already says everything, yet the stream search
        // would read (and decode) up to the whole probe size: 10-20 ms per
        // WAV for nothing.
        if (isRawPcm(*context))
            context->probesize = pcmProbeSize;
        const unsigned count = context->nb_streams;
        std::vector<HeaderSize> headers(count);
        std::vector<AVDictionary *> streamOptions(count, nullptr);
        for (unsigned i = 0; i < count; ++i) {
            const AVCodecParameters &codec = *context->streams[i]->codecpar;
            headers[i] = {codec.width, codec.height};
            av_dict_set(&streamOptions[i], "max_pixels", maxDecodedPixels, 0);
        }
        if (avformat_find_stream_info(context, streamOptions.data()) >= 0 && !source.stopped())
            result = describe(*context, headers);
        for (AVDictionary *&streamOption : streamOptions)
            av_dict_free(&streamOption);
        avformat_close_input(&context);
    }
    av_dict_free(&options);
    // A failed open frees the context but never a caller's AVIOContext.
    av_freep(&io->buffer);
    avio_context_free(&io);
    return result;
}

} // namespace

std::optional<ProbeResult> probeMedia(const QString &path, const std::atomic_bool *cancelled)
{
    if (QCoreApplication *app = QCoreApplication::instance();
        app && QThread::currentThread() == app->thread())
        qWarning("probeMedia called on the main thread: %s", qPrintable(path));

    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });

    const QByteArray name = QFile::encodeName(path);
    struct stat info { };
    // A FIFO would wait for a writer and a device may never end; only
    // regular files are opened, and checked again once open.
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    Source source;
    source.cancelled = cancelled;
    source.fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (source.fd < 0)
        return std::nullopt;
    std::optional<ProbeResult> result;
    if (::fstat(source.fd, &info) == 0 && S_ISREG(info.st_mode))
        result = probeSource(source, name);
    ::close(source.fd);
    return result;
}

ProbeRun::ProbeRun(QObject *parent)
    : Operation(parent)
    , m_stop(std::make_shared<std::atomic_bool>(false))
    , m_began(std::make_shared<std::atomic<qint64>>(0))
{
}

ProbeRun::~ProbeRun()
{
    // The pool thread notices at its next read and ends; its result is dropped.
    m_stop->store(true);
}

// A read that does not return keeps its thread: the probe ends without it.
void ProbeRun::onCancel()
{
    m_stop->store(true);
    finish();
}

// The probe checks its own deadline only between reads; a read that never
// returns (a stalled network share) is waited for here, from the moment the
// probe began reading, not while it waited for a thread.
void ProbeRun::awaitDeadline(int milliseconds)
{
    QTimer::singleShot(milliseconds, this, [this] {
        if (isFinished())
            return;
        const qint64 began = m_began->load();
        const qint64 left
            = began == 0 ? timeoutMs : began + timeoutMs - QDeadlineTimer::current().deadline();
        if (left > 0)
            return awaitDeadline(int(left));
        m_timedOut = true;
        m_stop->store(true);
        probePool()->releaseThread(); // in place of the one left behind
        finish();
    });
}

ProbeRun *probeMediaAsync(const QString &path, QObject *parent)
{
    auto *probe = new ProbeRun(parent);
    probe->m_watcher = new QFutureWatcher<std::optional<ProbeResult>>(probe);
    QObject::connect(probe->m_watcher, &QFutureWatcherBase::finished, probe, [probe] {
        if (!probe->isFinished())
            probe->m_result = probe->m_watcher->result();
        probe->finish();
    });
    std::shared_ptr<std::atomic_bool> stop = probe->m_stop;
    std::shared_ptr<std::atomic<qint64>> began = probe->m_began;
    probe->m_watcher->setFuture(QtConcurrent::run(probePool(), [path, stop, began] {
        began->store(QDeadlineTimer::current().deadline());
        return probeMedia(path, stop.get());
    }));
    probe->awaitDeadline(timeoutMs);
    return probe;
}
