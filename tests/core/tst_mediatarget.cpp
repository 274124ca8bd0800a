#include "model/MediaOption.h"
#include "model/MediaTarget.h"

#include <QSet>
#include <QTest>

namespace {

QStringList ids(const QList<MediaTarget> &targets)
{
    QStringList list;
    for (const MediaTarget &target : targets)
        list << target.id;
    return list;
}

} // namespace

class TestMediaTarget : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void catalogue();
    void targetsOfGroup_data();
    void targetsOfGroup();
    void lookup_data();
    void lookup();
    void outputExtension_data();
    void outputExtension();
    void identityIsTheId();
    void optionRawValues();
};

void TestMediaTarget::catalogue()
{
    const QList<MediaTarget> &all = MediaTarget::allTargets();
    QCOMPARE(all.size(), 28);
    const QStringList allIds = ids(all);
    QCOMPARE(QSet<QString>(allIds.begin(), allIds.end()).size(), 28);
    QCOMPARE(all.constLast().id, QStringLiteral("video.extract-audio"));

    for (const MediaTarget &target : all) {
        if (target.isExtra)
            continue;
        // Format targets are named after their group word and extension.
        QVERIFY2(target.id.endsWith(u'.' + target.ext), qPrintable(target.id));
        QVERIFY2(!target.ext.isEmpty() && target.ext == target.ext.toLower(),
                 qPrintable(target.id));
        const QList<MediaOption> expected = target.group == MediaGroup::audio
            ? QList<MediaOption> { MediaOption::audioQuality }
            : target.group == MediaGroup::video
            ? QList<MediaOption> { MediaOption::videoCodec, MediaOption::videoQuality,
                                   MediaOption::hwAccel, MediaOption::audioQuality }
            : QList<MediaOption> {};
        QVERIFY2(target.options == expected, qPrintable(target.id));
    }
    QCOMPARE(MediaTarget::fromId(QStringLiteral("video.ogv"))->title, QStringLiteral("OGG"));
    QCOMPARE(MediaTarget::fromId(QStringLiteral("video.3gp"))->title, QStringLiteral("3GPP"));
}

void TestMediaTarget::targetsOfGroup_data()
{
    QTest::addColumn<MediaGroup>("group");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QStringList>("extras");
    QTest::addColumn<QString>("initial");

    QTest::newRow("audio") << MediaGroup::audio
                           << QStringList { "audio.mp3",  "audio.m4a", "audio.aac",
                                            "audio.flac", "audio.wav", "audio.ogg",
                                            "audio.opus", "audio.wma", "audio.aiff" }
                           << QStringList {} << "audio.mp3";
    QTest::newRow("video") << MediaGroup::video
                           << QStringList { "video.mp4", "video.mkv", "video.webm",
                                            "video.3gp", "video.mov", "video.ogv",
                                            "video.flv", "video.avi", "video.wmv" }
                           << QStringList { "video.extract-audio" } << "video.mp4";
    QTest::newRow("image") << MediaGroup::image
                           << QStringList { "image.png",  "image.jpg",  "image.gif",
                                            "image.webp", "image.tiff", "image.bmp" }
                           << QStringList {} << "image.png";
    QTest::newRow("subtitle") << MediaGroup::subtitle
                              << QStringList { "subtitle.srt", "subtitle.sub", "subtitle.ssa" }
                              << QStringList {} << "subtitle.srt";
    QTest::newRow("other") << MediaGroup::other << QStringList {} << QStringList {} << "image.png";
}

void TestMediaTarget::targetsOfGroup()
{
    QFETCH(MediaGroup, group);
    QFETCH(QStringList, targets);
    QFETCH(QStringList, extras);
    QFETCH(QString, initial);

    QCOMPARE(ids(MediaTarget::targets(group)), targets);
    QCOMPARE(ids(MediaTarget::extras(group)), extras);
    QCOMPARE(MediaTarget::initialTarget(group).id, initial);
    for (const MediaTarget &target : MediaTarget::targets(group))
        QVERIFY(target.group == group && !target.isExtra);
}

void TestMediaTarget::lookup_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("found");

    QTest::newRow("format") << "audio.opus" << true;
    QTest::newRow("last list") << "subtitle.ssa" << true;
    QTest::newRow("extra") << "video.extract-audio" << true;
    QTest::newRow("letter case") << "Audio.mp3" << false;
    QTest::newRow("extension case") << "video.MP4" << false;
    QTest::newRow("padded") << " audio.mp3" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("group word only") << "video" << false;
}

void TestMediaTarget::lookup()
{
    QFETCH(QString, id);
    QFETCH(bool, found);

    const std::optional<MediaTarget> target = MediaTarget::fromId(id);
    QCOMPARE(target.has_value(), found);
    if (found)
        QCOMPARE(target->id, id);
}

void TestMediaTarget::outputExtension_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("videoToAudio");
    QTest::addColumn<QString>("ext");

    QTest::newRow("extract to flac") << "video.extract-audio"
                                     << "flac"
                                     << "flac";
    QTest::newRow("extract to mp3") << "video.extract-audio"
                                    << "mp3"
                                    << "mp3";
    QTest::newRow("format ignores preference") << "audio.wav"
                                               << "flac"
                                               << "wav";
    QTest::newRow("video format") << "video.ogv"
                                  << "flac"
                                  << "ogv";
}

void TestMediaTarget::outputExtension()
{
    QFETCH(QString, id);
    QFETCH(QString, videoToAudio);
    QFETCH(QString, ext);

    QCOMPARE(MediaTarget::fromId(id)->outputExtension(videoToAudio), ext);
}

void TestMediaTarget::identityIsTheId()
{
    MediaTarget renamed = *MediaTarget::fromId(QStringLiteral("audio.ogg"));
    renamed.title = QStringLiteral("Ogg Vorbis");
    QVERIFY(renamed == MediaTarget::audioTargets().at(5));
    QCOMPARE(qHash(renamed), qHash(MediaTarget::audioTargets().at(5)));

    // Same title, different targets.
    QVERIFY(!(*MediaTarget::fromId(QStringLiteral("audio.ogg"))
              == *MediaTarget::fromId(QStringLiteral("video.ogv"))));

    // Only the extract-audio operation takes its extension from the preference.
    const MediaTarget blank { QStringLiteral("video.blank"), {}, {}, MediaGroup::video, {}, true };
    QCOMPARE(blank.outputExtension(QStringLiteral("flac")), QString());
}

void TestMediaTarget::optionRawValues()
{
    QStringList raws;
    for (MediaOption option : allOptions()) {
        raws << rawValue(option);
        QCOMPARE(mediaOptionFromRawValue(rawValue(option)), option);
    }
    QCOMPARE(raws,
             (QStringList { "audioQuality", "videoToAudio", "videoCodec", "videoQuality", "hwAccel",
                            "audioCodec" }));
    QVERIFY(!mediaOptionFromRawValue(QStringLiteral("AudioQuality")));
    QVERIFY(!mediaOptionFromRawValue(QString()));
}

QTEST_GUILESS_MAIN(TestMediaTarget)
#include "tst_mediatarget.moc"
