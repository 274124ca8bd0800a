#include "conversion/JobQueue.h"
#include "conversion/SuccessSignature.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/main/OpenPanel.h"
#include "ui/settings/SettingsView.h"
#include "ui/workspace/BatchPanel.h"
#include "ui/workspace/MediaTableModel.h"
#include "ui/workspace/ProgressSheet.h"
#include "ui/workspace/ResultBar.h"
#include "ui/workspace/SideSheet.h"
#include "ui/workspace/SnapshotView.h"
#include "ui/workspace/StatusCell.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "TestSupport.h"

using namespace PreferenceKeys;

using Change = std::function<void(class SnapshotView &)>;
Q_DECLARE_METATYPE(Change)

using TestSupport::child;

namespace {

MediaPtr makeItem(const QString &path, MediaGroup group)
{
    return MediaPtr(new Media(path, MediaType(group, QStringLiteral("test file")), nullptr),
                    &QObject::deleteLater);
}

// Everything in a folder, hidden files included: a temporary output would show.
QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList fileColumn(const QAbstractItemModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.index(row, MediaTableModel::fileColumn).data().toString();
    return names;
}

} // namespace

class tst_Workspace : public QObject {
    Q_OBJECT

public Q_SLOTS:
    // Stands in for the desktop's file viewer (QDesktopServices URL handler).
    void openUrl(const QUrl &url) { m_openedFolders << url.toLocalFile(); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void fullBatchThenSkipThenCancel();
    void tableModel();
    void staleItemsLoseTheirCheckMark_data();
    void staleItemsLoseTheirCheckMark();
    void targetPickerPerGroup();
    void headerAndRemoval();
    void batchPopover();

private:
    QList<MediaPtr> copies(const QString &source, const QString &stem, int count);
    QString newFolder(const QString &name);

    QTemporaryDir m_dir;
    QString m_tone;
    QStringList m_openedFolders;
};

void tst_Workspace::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // No test encodes for the hardware label of the side sheet.
    qputenv("VIREO_HWACCEL", "none");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    m_tone = m_dir.filePath(QStringLiteral("tone.wav"));
    QVERIFY(TestSupport::makeTone(m_tone, 0.5));
    // ffmpeg is the fake tool, which runs the real one unless given actions.
    qputenv("VIREO_FFMPEG", TestSupport::fakeTool().toUtf8());
    qputenv("FAKETOOL_EXEC", QStandardPaths::findExecutable("ffmpeg").toUtf8());
}

void tst_Workspace::init()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(maxConcurrentJobs, 2);
    preferences.setValue(ignoreAlreadyProcessedFiles, true);
    preferences.setValue(overwriteExisting, true);
    preferences.setValue(openDestinationOnFinish, true);
    preferences.setValue(hardwareAcceleration, false);
    preferences.setValue(audioQuality, 192.0);
    preferences.setValue(videoQuality, 23.0);
    m_openedFolders.clear();
}

void tst_Workspace::cleanup()
{
    OpenPanel::setAnswersForTesting({});
    qunsetenv("FAKETOOL_ACTIONS");
    QTRY_VERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

void tst_Workspace::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QList<MediaPtr> tst_Workspace::copies(const QString &source, const QString &stem, int count)
{
    const QString folder = newFolder(stem + QStringLiteral("-in"));
    QList<MediaPtr> items;
    for (int i = 1; i <= count; ++i) {
        const QString path = QDir(folder).filePath(
            QStringLiteral("%1%2.%3").arg(stem).arg(i).arg(QFileInfo(source).suffix()));
        QFile::copy(source, path);
        items << makeItem(path, MediaGroup::audio);
    }
    return items;
}

QString tst_Workspace::newFolder(const QString &name)
{
    const QString folder = m_dir.filePath(name);
    QDir().mkpath(folder);
    return folder;
}

void tst_Workspace::fullBatchThenSkipThenCancel()
{
    const QList<MediaPtr> items = copies(m_tone, QStringLiteral("tone"), 3);
    const QString out = newFolder(QStringLiteral("batch-out"));
    SnapshotView view;
    view.resize(800, 500);
    view.show();
    view.setGroup(MediaGroup::audio, items);
    QMenu *targets = child<QMenu>(view, "targetMenu");
    for (QAction *action : targets->actions()) {
        if (action->data() == QStringLiteral("audio.mp3"))
            action->trigger();
    }
    QCOMPARE(view.selectedTarget().id, QStringLiteral("audio.mp3"));

    auto *sheet = child<ProgressSheet>(view, "progressSheet");
    auto *process = child<QToolButton>(view, "processButton");
    bool sheetOpened = false;
    bool processDisabledWhileRunning = true;
    connect(&view.queue(), &JobQueue::isRunningChanged, this, [&] {
        if (view.queue().isRunning()) {
            sheetOpened = sheet->isVisible();
            processDisabledWhileRunning = !process->isEnabled();
        }
    });
    std::optional<Totals> finished;
    connect(&view.queue(), &JobQueue::runFinished, this, [&](const Totals &t) { finished = t; });

    // A cancelled destination panel changes nothing.
    OpenPanel::setAnswersForTesting({{}, [] {
                                         return std::optional<QString>();
                                     }});
    process->click();
    QVERIFY(!view.queue().isRunning());
    OpenPanel::setAnswersForTesting({{}, [&] {
                                         return std::optional<QString>(out);
                                     }});
    process->click();
    QVERIFY(sheetOpened);
    QVERIFY(processDisabledWhileRunning);
    QTRY_VERIFY_WITH_TIMEOUT(finished.has_value(), 60000);
    QTRY_VERIFY(!sheet->isVisible());
    QCOMPARE(*finished, (Totals {3, 3, 0}));
    auto *result = child<ResultBar>(view, "resultBar");
    QTRY_VERIFY(result->isVisible());
    QCOMPARE(result->outcome().converted, 3);
    QVERIFY(result->outcome().bytesIn > 0 && result->outcome().bytesOut > 0);
    QCOMPARE(folderEntries(out), (QStringList {"tone1.mp3", "tone2.mp3", "tone3.mp3"}));
    QCOMPARE(m_openedFolders, QStringList {out});
    QVERIFY(process->isEnabled());

    // Unchanged settings: every item is skipped, none converts again.
    finished.reset();
    process->click();
    QTRY_VERIFY_WITH_TIMEOUT(finished.has_value(), 60000);
    QCOMPARE(*finished, (Totals {3, 3, 0}));
    QTRY_VERIFY(!sheet->isVisible());
    QTRY_VERIFY(result->isVisible());
    QCOMPARE(result->outcome().skipped, 3);
    QCOMPARE(result->outcome().converted, 0);

    // A new bitrate: all convert again, each reporting some progress, then
    // working until it is stopped.
    qputenv("FAKETOOL_ACTIONS", "--stdout|out_time_us=100000\\nprogress=continue\\n|--hang");
    Preferences::instance().setValue(audioQuality, 320.0);
    process->click();
    QVERIFY(sheet->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(items[0]->progress() > 0 && items[1]->progress() > 0, 30000);
    // The sheet lists what is in flight and counts what is done.
    QTRY_COMPARE(sheet->inFlight(), (QList<MediaPtr> {items[0], items[1]}));
    QCOMPARE(child<QLabel>(*sheet, "counts")->text(), QStringLiteral("0 of 3 files"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!view.queue().isRunning(), 20000);
    QVERIFY(!sheet->isVisible());
}

void tst_Workspace::tableModel()
{
    const QString folder = newFolder(QStringLiteral("names"));
    QList<MediaPtr> items;
    for (const char *name : {"b10.wav", "B2.wav", "a.wav"})
        items << makeItem(QDir(folder).filePath(QLatin1String(name)), MediaGroup::audio);

    MediaTableModel model;
    QAbstractItemModelTester modelTester(&model,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setMedia(items);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.index(2, MediaTableModel::typeColumn).data().toString(),
             QStringLiteral("test file"));

    // One status change redraws its own row, nothing else.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    items[1]->setStatus(MediaStatus::failed);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(changed[0][1].toModelIndex().row(), 1);
    QCOMPARE(model.index(1, 0).data(MediaTableModel::StatusRole).toInt(), int(MediaStatus::failed));
    // A duration the job's probe finds later shows at once.
    changed.clear();
    items[1]->setDuration(61.0);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][1].toModelIndex(), model.index(1, MediaTableModel::durationColumn));
    // A failure shows its reason, or says that it failed.
    QCOMPARE(StatusCell::toolTip(MediaStatus::failed, "Invalid data"), QString("Invalid data"));
    QCOMPARE(StatusCell::toolTip(MediaStatus::failed, {}), QString("Failed"));

    // Progress of running jobs comes in bursts and leaves one update per row.
    changed.clear();
    for (int step = 1; step <= 20; ++step) {
        items[0]->setProgress(step / 20.0);
        items[2]->setProgress(step / 40.0);
    }
    QCOMPARE(changed.size(), 0);
    QTRY_COMPARE(changed.size(), 2);
    QSet<int> rows {changed[0][0].toModelIndex().row(), changed[1][0].toModelIndex().row()};
    QCOMPARE(rows, (QSet<int> {0, 2}));

    // The workspace's table sorts by file name, as a file manager does.
    SnapshotView view;
    view.setGroup(MediaGroup::audio, items);
    auto *table = child<QTableView>(view, "fileTable");
    QAbstractItemModelTester proxyTester(table->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(fileColumn(*table->model()), (QStringList {"a.wav", "B2.wav", "b10.wav"}));
    table->sortByColumn(MediaTableModel::fileColumn, Qt::DescendingOrder);
    QCOMPARE(fileColumn(*table->model()), (QStringList {"b10.wav", "B2.wav", "a.wav"}));
    // A converted item shows its output's size and the change; that sorts too.
    QVERIFY(TestSupport::writeFile(QDir(folder).filePath("a.wav"), QByteArray(1000, 'x')));
    items[0]->setLastOutputSize(3000);
    items[2]->setLastOutputSize(200);
    table->sortByColumn(MediaTableModel::outputColumn, Qt::AscendingOrder);
    QCOMPARE(fileColumn(*table->model()), (QStringList {"B2.wav", "a.wav", "b10.wav"}));
    QTRY_COMPARE(table->model()->index(1, MediaTableModel::outputColumn).data().toString(),
                 QString("200 bytes (\u2212"
                         "80\u00a0%)"));

    // A new list keeps the sort order; an unchanged one resets nothing.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setMedia(items);
    QCOMPARE(reset.size(), 0);
    model.setMedia({items[2], items[0]});
    QCOMPARE(reset.size(), 1);
    QCOMPARE(fileColumn(model), (QStringList {"a.wav", "b10.wav"}));
    items[1]->setStatus(MediaStatus::successful); // no longer a row: no signal, no crash
}

void tst_Workspace::staleItemsLoseTheirCheckMark_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("stale");

    const auto set = [](const auto &key, auto value) {
        return Change([=](SnapshotView &) { Preferences::instance().setValue(key, value); });
    };
    const Change trim = [](SnapshotView &view) {
        BatchSettings batch = view.batch();
        batch.trimEnabled = true;
        view.setBatch(batch);
    };
    const Change scale = [](SnapshotView &view) {
        BatchSettings batch = view.batch();
        batch.scale = VideoScale::p720;
        view.setBatch(batch);
    };
    const Change otherTarget = [](SnapshotView &view) {
        view.setSelectedTarget(MediaTarget::fromId(QStringLiteral("audio.flac")).value());
    };
    QTest::newRow("mp3, bitrate") << "audio.mp3" << set(audioQuality, 320.0) << true;
    QTest::newRow("mp3, trim") << "audio.mp3" << trim << true;
    QTest::newRow("mp3, other target") << "audio.mp3" << otherTarget << true;
    QTest::newRow("mp3, scale") << "audio.mp3" << scale << false;
    QTest::newRow("mp3, overwrite") << "audio.mp3" << set(overwriteExisting, false) << false;
    QTest::newRow("mp4, video quality") << "video.mp4" << set(videoQuality, 24.0) << true;
}

void tst_Workspace::staleItemsLoseTheirCheckMark()
{
    QFETCH(QString, target);
    QFETCH(Change, change);
    QFETCH(bool, stale);

    const MediaTarget chosen = MediaTarget::fromId(target).value();
    const QList<MediaPtr> items {makeItem(m_tone, chosen.group),
                                 makeItem(m_dir.filePath(QStringLiteral("x.wav")), chosen.group)};
    SnapshotView view;
    view.setGroup(chosen.group, items);
    view.setSelectedTarget(chosen);
    items[0]->setStatus(MediaStatus::successful);
    items[0]->setProgress(1.0);
    items[0]->setLastSuccessSignature(successSignature(chosen, view.batch()));
    items[1]->setStatus(MediaStatus::failed);
    items[1]->setErrorMessage(QStringLiteral("broken"));

    change(view);
    QCOMPARE(items[0]->status(), stale ? MediaStatus::unprocessed : MediaStatus::successful);
    QCOMPARE(items[0]->progress(), stale ? 0.0 : 1.0);
    QCOMPARE(items[1]->status(), MediaStatus::failed);
    QCOMPARE(items[1]->errorMessage(), QStringLiteral("broken"));
}

void tst_Workspace::targetPickerPerGroup()
{
    SnapshotView view;
    view.resize(1400, 500);
    view.show();
    auto *menu = child<QMenu>(view, "targetMenu");
    auto *picker = child<QToolButton>(view, "targetPicker");
    auto *settings = child<QToolButton>(view, "settingsButton");
    auto *sheet = child<SideSheet>(view, "sideSheet");

    const auto offersOperations = [menu] {
        const QList<QAction *> actions = menu->actions();
        return std::any_of(actions.begin(), actions.end(), [](QAction *action) {
            return action->isSeparator() && action->text() == u"Operations";
        });
    };
    view.setGroup(MediaGroup::video, {});
    QVERIFY(offersOperations());
    QCOMPARE(picker->text(), QStringLiteral("MP4"));
    QVERIFY(picker->isVisible());
    QVERIFY(settings->isEnabled());
    QVERIFY(!child<QToolButton>(view, "processButton")->isEnabled()); // no items
    settings->click();
    QVERIFY(view.showsSettings());
    QVERIFY(sheet->isOpen());

    view.setGroup(MediaGroup::audio, {});
    QVERIFY(!offersOperations());

    view.setGroup(MediaGroup::other, {});
    QVERIFY(!picker->isVisible());
    QVERIFY(!settings->isEnabled());
    QVERIFY(!sheet->isOpen()); // hidden for this group, whose button cannot close it
    QVERIFY(!child<QToolButton>(view, "presetsButton")->isVisible());
    QVERIFY(!child<QToolButton>(view, "trimButton")->isVisible());
    // Nothing in "Other" converts: Process stays, disabled, and asks nothing.
    OpenPanel::setAnswersForTesting({{}, []() -> std::optional<QString> {
                                         qFatal("asked");
                                     }});
    view.setGroup(MediaGroup::other, {makeItem(m_dir.filePath("notes.txt"), MediaGroup::other)});
    QVERIFY(child<QToolButton>(view, "processButton")->isVisible());
    QVERIFY(!child<QToolButton>(view, "processButton")->isEnabled());
    view.process();
    QVERIFY(!view.queue().isRunning());

    // A target belongs to one group: each group comes back to its own
    // choice, while the batch settings carry over.
    view.setGroup(MediaGroup::video, {});
    QVERIFY(sheet->isOpen()); // back with its group
    view.setSelectedTarget(MediaTarget::fromId(QStringLiteral("video.extract-audio")).value());
    BatchSettings batch;
    batch.trimEnabled = true;
    view.setBatch(batch);
    view.setGroup(MediaGroup::audio, {});
    QCOMPARE(view.selectedTarget().id, QStringLiteral("audio.mp3"));
    view.setSelectedTarget(MediaTarget::fromId(QStringLiteral("audio.opus")).value());
    view.setGroup(MediaGroup::video, {});
    QCOMPARE(view.selectedTarget().id, QStringLiteral("video.extract-audio"));
    QCOMPARE(picker->text(), QStringLiteral("Convert to Audio"));
    QCOMPARE(child<SettingsView>(view, "settingsView")->options(),
             MediaTarget::extractAudioTarget().options);
    view.setGroup(MediaGroup::audio, {});
    QCOMPARE(view.selectedTarget().id, QStringLiteral("audio.opus"));
    QVERIFY(view.batch().trimEnabled);
    settings->click();
    QVERIFY(!view.showsSettings());
    QTRY_VERIFY(!sheet->isVisible());
}

void tst_Workspace::headerAndRemoval()
{
    const QList<MediaPtr> items = copies(m_tone, QStringLiteral("header"), 3);
    SnapshotView view;
    view.show();
    view.setGroup(MediaGroup::audio, items);
    QCOMPARE(view.headerText(), QStringLiteral("3 files"));

    auto *table = child<QTableView>(view, "fileTable");
    table->selectRow(1);
    const MediaPtr selected = items[1]; // sorted by name: header1, header2, header3
    QCOMPARE(view.selectedMediumId(), selected->id());
    QCOMPARE(view.headerText(), selected->pathString());

    // The selection survives a new list that still holds it.
    view.setGroup(MediaGroup::audio, items + copies(m_tone, QStringLiteral("more"), 1));
    QCOMPARE(view.headerText(), selected->pathString());

    const QPoint row = table->visualRect(table->model()->index(1, 1)).center();
    Q_EMIT table->customContextMenuRequested(row);
    auto *menu = child<QMenu>(view, "contextMenu");
    // Without a file manager on the session bus, the file's folder opens.
    child<QAction>(*menu, "showInFileManager")->trigger();
    QTRY_COMPARE(m_openedFolders, QStringList {QFileInfo(selected->pathString()).absolutePath()});
    delete menu;

    QSignalSpy removed(&view, &SnapshotView::removeRequested);
    Q_EMIT table->customContextMenuRequested(row);
    child<QAction>(*child<QMenu>(view, "contextMenu"), "removeFromList")->trigger();
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed[0][0].value<QSet<QUuid>>(), QSet<QUuid> {selected->id()});
    QCOMPARE(view.selectedMediumId(), std::nullopt);
    view.setGroup(MediaGroup::audio, {items[0], items[2]});
    QCOMPARE(view.headerText(), QStringLiteral("2 files"));
}

void tst_Workspace::batchPopover()
{
    SnapshotView view;
    view.show();
    view.setGroup(MediaGroup::audio, {});
    auto *trim = child<QToolButton>(view, "trimButton");
    auto *popover = child<QWidget>(view, "batchPopover");
    auto *panel = child<BatchPanel>(view, "batchPanel");

    trim->click();
    QVERIFY(popover->isVisible());
    QVERIFY(!child<QComboBox>(*panel, "scale")->isVisibleTo(panel));
    QVERIFY(!child<QLineEdit>(*panel, "trimStart")->isVisibleTo(panel));
    child<ToggleSwitch>(*panel, "trimOutput")->click();
    QVERIFY(child<QLineEdit>(*panel, "trimStart")->isVisibleTo(panel));
    QTest::keyClicks(child<QLineEdit>(*panel, "trimStart"), QStringLiteral("90"));
    QCOMPARE(view.batch().trimEnabled, true);
    QCOMPARE(view.batch().trimStart, QStringLiteral("90"));
    // Turning trimming off keeps the text for later.
    child<ToggleSwitch>(*panel, "trimOutput")->click();
    QCOMPARE(view.batch().trimEnabled, false);
    QCOMPARE(view.batch().trimStart, QStringLiteral("90"));
    popover->hide();
    QVERIFY(!trim->isChecked());

    view.setGroup(MediaGroup::video, {});
    trim->click();
    auto *scale = child<QComboBox>(*panel, "scale");
    QVERIFY(scale->isVisibleTo(panel));
    scale->setCurrentIndex(4);
    Q_EMIT scale->activated(4);
    QCOMPARE(view.batch().scale, VideoScale::p720);
    QCOMPARE(view.batch().trimStart, QStringLiteral("90"));
}

QTEST_MAIN(tst_Workspace)
#include "tst_workspace.moc"
