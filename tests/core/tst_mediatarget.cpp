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
            ? QList<MediaOption> {MediaOption::audioQuality}
            : target.group == MediaGroup::video
            ? QList<MediaOption> {MediaOption::videoCodec, MediaOption::videoQuality,
                                  MediaOption::hwAccel, MediaOption::audioQuality}
            : QList<MediaOption> {};
        QVERIFY2(target.options == expected, qPrintable(target.id));
    }
    const MediaTarget &extract = MediaTarget::extractAudioTarget();
    QVERIFY(extract.isExtra && extract.group == MediaGroup::video && extract.ext.isEmpty());
    QVERIFY((extract.options
             == QList<MediaOption> {MediaOption::videoToAudio, MediaOption::audioQuality}));
}

void TestMediaTarget::targetsOfGroup_data()
{
    QTest::addColumn<MediaGroup>("group");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QStringList>("extras");

    QTest::newRow("audio") << MediaGroup::audio << 9 << "audio.mp3" << QStringList {};
    QTest::newRow("video") << MediaGroup::video << 9 << "video.mp4"
                           << QStringList {"video.extract-audio"};
    QTest::newRow("image") << MediaGroup::image << 6 << "image.png" << QStringList {};
    QTest::newRow("subtitle") << MediaGroup::subtitle << 3 << "subtitle.srt" << QStringList {};
    // Nothing is offered, but a workspace still needs a selection.
    QTest::newRow("other") << MediaGroup::other << 0 << "image.png" << QStringList {};
}

void TestMediaTarget::targetsOfGroup()
{
    QFETCH(MediaGroup, group);
    QFETCH(int, count);
    QFETCH(QString, initial);
    QFETCH(QStringList, extras);

    const QList<MediaTarget> &targets = MediaTarget::targets(group);
    QCOMPARE(targets.size(), count);
    for (const MediaTarget &target : targets)
        QVERIFY2(target.group == group && !target.isExtra, qPrintable(target.id));
    QCOMPARE(MediaTarget::initialTarget(group).id, initial);
    QCOMPARE(ids(MediaTarget::extras(group)), extras);
}

void TestMediaTarget::lookup_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("found");

    QTest::newRow("format") << "subtitle.ssa" << true;
    QTest::newRow("extra") << "video.extract-audio" << true;
    QTest::newRow("letter case") << "video.MP4" << false;
    QTest::newRow("padded") << " audio.mp3" << false;
    QTest::newRow("empty") << "" << false;
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

    const auto row = [](const char *tag, const char *id, const char *preference, const char *ext) {
        QTest::newRow(tag) << QString::fromLatin1(id) << QString::fromLatin1(preference)
                           << QString::fromLatin1(ext);
    };
    row("extract to flac", "video.extract-audio", "flac", "flac");
    row("extract to mp3", "video.extract-audio", "mp3", "mp3");
    row("format ignores preference", "audio.wav", "flac", "wav");
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
    const MediaTarget blank {QStringLiteral("video.blank"), {}, {}, MediaGroup::video, {}, true};
    QCOMPARE(blank.outputExtension(QStringLiteral("flac")), QString());
}

void TestMediaTarget::optionRawValues()
{
    for (MediaOption option : allOptions())
        QCOMPARE(mediaOptionFromRawValue(rawValue(option)), option);
    QVERIFY(!mediaOptionFromRawValue(QStringLiteral("AudioQuality")));
    QVERIFY(!mediaOptionFromRawValue(QString()));
}

QTEST_GUILESS_MAIN(TestMediaTarget)
#include "tst_mediatarget.moc"
