#include "conversion/BatchSettings.h"
#include "conversion/SuccessSignature.h"
#include "model/Media.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(BatchSettings)
Q_DECLARE_METATYPE(ConversionSettings)
Q_DECLARE_METATYPE(MediaStatus)

// The item's names, its signature and its state rules.
class TestMedia : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesFromPath_data();
    void namesFromPath();
    void statusFollowsGroup();
    void signatures_data();
    void signatures();
    void scaleOnlyInVideoSignatures();
    void resetIfStale_data();
    void resetIfStale();
    void qualityChangeResetsVideoNotAudio();
    void publishedFieldsSignalOnce();
};

static ConversionSettings defaults()
{
    return {"h264", 23.0, true, 192.0, "mp3", false, -16.0};
}

void TestMedia::namesFromPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("filename");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("base");
    QTest::newRow("case kept") << "/in/Clip.MOV"
                               << "Clip.MOV"
                               << "MOV"
                               << "Clip";
    QTest::newRow("no extension") << "/in/README"
                                  << "README"
                                  << ""
                                  << "README";
    QTest::newRow("last extension only") << "/in/a.b.wav"
                                         << "a.b.wav"
                                         << "wav"
                                         << "a.b";
    QTest::newRow("hidden name") << "/in/.hidden"
                                 << ".hidden"
                                 << ""
                                 << ".hidden";
}

void TestMedia::namesFromPath()
{
    QFETCH(QString, path);
    QFETCH(QString, filename);
    QFETCH(QString, ext);
    QFETCH(QString, base);
    const Media item(path, MediaType(MediaGroup::video, {}));
    QCOMPARE(item.pathString(), path);
    QCOMPARE(item.filename(), filename);
    QCOMPARE(item.ext(), ext);
    QCOMPARE(item.baseName(), base);
}

void TestMedia::statusFollowsGroup()
{
    const Media known("/x.mp3", MediaType(MediaGroup::audio, "MP3 audio"));
    const Media unknown("/x.bin", MediaType());
    QCOMPARE(known.status(), MediaStatus::unprocessed);
    QCOMPARE(unknown.status(), MediaStatus::unrecognized);
    QVERIFY(known.id() != Media("/x.mp3", MediaType(MediaGroup::audio, {})).id());
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

    BatchSettings emptyTrim;
    emptyTrim.trimEnabled = true;
    QTest::newRow("trim with blank fields")
        << "audio.mp3" << emptyTrim << defaults() << "audio.mp3|ak=192|trim=-";
    BatchSettings trim;
    trim.trimEnabled = true;
    trim.trimStart = " 1:30";
    trim.trimEnd = "2:00";
    trim.scale = VideoScale::p720;
    QTest::newRow("trim as typed, scale")
        << "video.webm" << trim << defaults()
        << "video.webm|vc=h264|vq=23.0|hw=true|ak=192|trim= 1:30-2:00|sc=720p";
    trim.trimEnabled = false;
    QTest::newRow("trim off keeps texts out")
        << "audio.mp3" << trim << defaults() << "audio.mp3|ak=192";
}

void TestMedia::signatures()
{
    QFETCH(QString, target);
    QFETCH(BatchSettings, batch);
    QFETCH(ConversionSettings, settings);
    QFETCH(QString, signature);
    QCOMPARE(successSignature(MediaTarget::fromId(target).value(), batch, settings), signature);
}

void TestMedia::scaleOnlyInVideoSignatures()
{
    BatchSettings scaled;
    scaled.scale = VideoScale::p360;
    for (const MediaTarget &target : MediaTarget::allTargets()) {
        const bool differs = successSignature(target, {}, defaults())
            != successSignature(target, scaled, defaults());
        QCOMPARE(differs, target.group == MediaGroup::video);
    }
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

void TestMedia::qualityChangeResetsVideoNotAudio()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::videoQuality, 23.0);
    const MediaTarget mp4 = MediaTarget::fromId("video.mp4").value();
    const MediaTarget mp3 = MediaTarget::fromId("audio.mp3").value();
    Media movie("/in/m.mov", MediaType(MediaGroup::video, {}));
    Media song("/in/s.wav", MediaType(MediaGroup::audio, {}));
    movie.setStatus(MediaStatus::successful);
    movie.setLastSuccessSignature(successSignature(mp4, {}));
    song.setStatus(MediaStatus::successful);
    song.setLastSuccessSignature(successSignature(mp3, {}));

    preferences.setValue(PreferenceKeys::videoQuality, 24.0);
    movie.resetIfStale(successSignature(mp4, {}));
    song.resetIfStale(successSignature(mp3, {}));
    QCOMPARE(movie.status(), MediaStatus::unprocessed);
    QCOMPARE(song.status(), MediaStatus::successful);
}

void TestMedia::publishedFieldsSignalOnce()
{
    Media item("/in/a.wav", MediaType(MediaGroup::audio, {}));
    QSignalSpy changed(&item, &Media::changed);
    QSignalSpy status(&item, &Media::statusChanged);
    item.setStatus(MediaStatus::processing);
    item.setStatus(MediaStatus::processing);
    item.setProgress(0.5);
    item.setProgress(0.5);
    QCOMPARE(status.count(), 1);
    QCOMPARE(changed.count(), 2);
}

QTEST_GUILESS_MAIN(TestMedia)
#include "tst_media.moc"
