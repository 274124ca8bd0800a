#include "conversion/BatchSettings.h"
#include "conversion/SuccessSignature.h"
#include "model/Media.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QTest>

Q_DECLARE_METATYPE(BatchSettings)
Q_DECLARE_METATYPE(ConversionSettings)
Q_DECLARE_METATYPE(MediaStatus)

// What makes an earlier success stale.
class TestMedia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void signatures_data();
    void signatures();
    void resetIfStale_data();
    void resetIfStale();
};

static ConversionSettings defaults()
{
    return {"h264", 23.0, true, 192.0, "mp3", false, -16.0};
}

void TestMedia::signatures_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<BatchSettings>("batch");
    QTest::addColumn<ConversionSettings>("settings");
    QTest::addColumn<QString>("signature");

    const BatchSettings plain;
    QTest::newRow("mp3") << "audio.mp3" << plain << defaults() << "audio.mp3|ak=192";
    QTest::newRow("mp4") << "video.mp4" << plain << defaults()
                         << "video.mp4|vc=h264|vq=23.0|hw=true|ak=192|sc=Original";
    QTest::newRow("extract audio") << "video.extract-audio" << plain << defaults()
                                   << "video.extract-audio|ak=192|a2=mp3|sc=Original";
    QTest::newRow("png") << "image.png" << plain << defaults() << "image.png";

    ConversionSettings tuned {"hevc", 22.5, false, 127.9, "flac", true, -14.0};
    QTest::newRow("other values") << "video.mkv" << plain << tuned
                                  << "video.mkv|vc=hevc|vq=22.5|hw=false|ak=127|sc=Original";

    // Loudness counts only where it applies, so video signatures stay as they were.
    QTest::newRow("normalized extract audio")
        << "video.extract-audio" << plain << tuned
        << "video.extract-audio|ak=127|a2=flac|sc=Original|ln=-14.0";

    QTest::newRow("trim with blank fields")
        << "audio.mp3" << BatchSettings {true} << defaults() << "audio.mp3|ak=192|trim=-";
    const BatchSettings trim {true, " 1:30", "2:00", VideoScale::p720};
    QTest::newRow("trim as typed, scale")
        << "video.webm" << trim << defaults()
        << "video.webm|vc=h264|vq=23.0|hw=true|ak=192|trim= 1:30-2:00|sc=720p";
    QTest::newRow("trim off keeps texts out")
        << "audio.mp3" << BatchSettings {false, " 1:30", "2:00", VideoScale::p720} << defaults()
        << "audio.mp3|ak=192";
}

void TestMedia::signatures()
{
    QFETCH(QString, target);
    QFETCH(BatchSettings, batch);
    QFETCH(ConversionSettings, settings);
    QFETCH(QString, signature);
    QCOMPARE(successSignature(MediaTarget::fromId(target).value(), batch, settings), signature);
}

void TestMedia::resetIfStale_data()
{
    QTest::addColumn<MediaStatus>("status");
    QTest::addColumn<QString>("stored"); // "-" for none
    QTest::addColumn<MediaStatus>("after");
    QTest::newRow("same signature") << MediaStatus::successful << "sig" << MediaStatus::successful;
    QTest::newRow("other signature")
        << MediaStatus::successful << "old" << MediaStatus::unprocessed;
    QTest::newRow("no signature") << MediaStatus::successful << "-" << MediaStatus::unprocessed;
    QTest::newRow("failed stays") << MediaStatus::failed << "old" << MediaStatus::failed;
    QTest::newRow("cancelled stays") << MediaStatus::cancelled << "old" << MediaStatus::cancelled;
    QTest::newRow("processing stays")
        << MediaStatus::processing << "old" << MediaStatus::processing;
    QTest::newRow("unrecognized stays")
        << MediaStatus::unrecognized << "-" << MediaStatus::unrecognized;
}

void TestMedia::resetIfStale()
{
    QFETCH(MediaStatus, status);
    QFETCH(QString, stored);
    QFETCH(MediaStatus, after);
    Media item("/in/a.wav", MediaType(MediaGroup::audio, {}));
    item.setStatus(status);
    item.setProgress(0.7);
    item.setErrorMessage(QStringLiteral("earlier"));
    if (stored != u"-")
        item.setLastSuccessSignature(stored);
    item.resetIfStale(QStringLiteral("sig"));
    QCOMPARE(item.status(), after);
    if (after != status) {
        QCOMPARE(item.progress(), 0.0);
        QCOMPARE(item.errorMessage(), std::nullopt);
    } else {
        QCOMPARE(item.progress(), 0.7);
    }
    // The last success is remembered whatever happens to the status.
    QCOMPARE(item.lastSuccessSignature().value_or("-"), stored);
}

QTEST_GUILESS_MAIN(TestMedia)
#include "tst_media.moc"
