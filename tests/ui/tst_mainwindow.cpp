#include "conversion/JobQueue.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "settings/PresetStore.h"
#include "ui/controls/DiscreteSlider.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/main/AnimatedOrb.h"
#include "ui/main/ContentView.h"
#include "ui/main/GroupListModel.h"
#include "ui/main/GroupSidebar.h"
#include "ui/main/OpenPanel.h"
#include "ui/main/SkippedPathsBanner.h"
#include "ui/main/SplashScreen.h"
#include "ui/settings/PreferencesView.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/settings/SavePresetDialog.h"
#include "ui/settings/SettingsView.h"
#include "ui/workspace/BatchPanel.h"
#include "ui/workspace/MediaTableModel.h"
#include "ui/workspace/ProgressSheet.h"
#include "ui/workspace/ResultBar.h"
#include "ui/workspace/SideSheet.h"
#include "ui/workspace/SnapshotView.h"
#include "ui/workspace/StatusCell.h"
#include "ui/workspace/ThumbnailCache.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

#include "TestSupport.h"

using namespace PreferenceKeys;

using TestSupport::child;
using TestSupport::copies;
using TestSupport::item;

namespace {

// The loads that have not landed yet; the window deletes each once it has.
qsizetype runningLoads()
{
    return MediaSet::shared().findChildren<MediaLoad *>(Qt::FindDirectChildrenOnly).size();
}

// The sidebar as a user reads it: "Title count" per row, "---" for a divider.
QStringList describe(const GroupListModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        if (index.data(GroupListModel::DividerAboveRole).toBool())
            rows << QStringLiteral("---");
        rows << QStringLiteral("%1 %2").arg(index.data().toString(),
                                            index.data(GroupListModel::CountRole).toString());
    }
    return rows;
}

// A drag from the file manager that enters the target and drops there.
// Returns whether the target accepted the drag.
bool dragAndDrop(QWidget *target, const QList<QUrl> &urls, const QString &text = {})
{
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

QStringList fileColumn(const QAbstractItemModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.index(row, MediaTableModel::fileColumn).data().toString();
    return names;
}

const QStringList optionControls {"audioBitrate", "videoCodec", "videoQuality",
                                  "hardwareAcceleration", "audioFormat"};

const QString saveItem = QStringLiteral("Save current as preset…");

// The menu as a user reads it: "[Header]" for a section, "---" for a plain
// divider, "(text)" for an entry that cannot be chosen.
QStringList describe(const QMenu &menu)
{
    QStringList lines;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator())
            lines.append(action->text().isEmpty() ? QStringLiteral("---")
                                                  : u'[' + action->text() + u']');
        else
            lines.append(action->isEnabled() ? action->text() : u'(' + action->text() + u')');
    }
    return lines;
}

QAction *actionNamed(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text && !action->isSeparator())
            return action;
    }
    return nullptr;
}

MediaTarget target(const char *id)
{
    return MediaTarget::fromId(QLatin1String(id)).value();
}

// The option controls a user sees, top to bottom.
QStringList visibleOptions(const SettingsView &view)
{
    QList<QWidget *> shown;
    for (const QString &name : optionControls) {
        QWidget *control = view.findChild<QWidget *>(name);
        if (control && control->isVisibleTo(&view))
            shown.append(control);
    }
    std::sort(shown.begin(), shown.end(), [&](QWidget *a, QWidget *b) {
        return a->mapTo(&view, QPoint()).y() < b->mapTo(&view, QPoint()).y();
    });
    QStringList names;
    for (QWidget *control : shown)
        names.append(control->objectName());
    return names;
}

QSlider *sliderIn(const QWidget &view, const char *name)
{
    return child<QWidget>(view, name)->findChild<QSlider *>();
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

public Q_SLOTS:
    // Stands in for the desktop's file viewer (QDesktopServices URL handler).
    void openUrl(const QUrl &url) { m_openedFolders << url.toLocalFile(); }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void splashThenSplitView();
    void sidebarRows_data();
    void sidebarRows();
    void confirmedRemoval_data();
    void confirmedRemoval();
    void importsStartOneLoadPerItem_data();
    void importsStartOneLoadPerItem();
    void manyDroppedItemsLoadInTurns();
    void skippedPathsBanner();

    // The workspace on its own.
    void runsCountWhatTheyStarted();
    void tableModel();
    void targetPickerPerGroup();
    void headerRemovalAndBatchPopover();
    void headerSaysWhatIsInForce_data();
    void headerSaysWhatIsInForce();

    // The settings panel, the preferences window and the presets menu.
    void optionsPerTarget_data();
    void optionsPerTarget();
    void editsReachTheOtherView();

    void saveAndDeleteFromTheMenu();

private:
    QString sample(const QString &name) const { return m_dir.filePath(name); }
    QStringList samples(const QStringList &names) const;
    void loadAndWait(const QStringList &paths);

    MediaSet &m_set = MediaSet::shared();
    QTemporaryDir m_configHome;
    QTemporaryDir m_dir;
    QString m_tone;
    QStringList m_openedFolders;
    QMainWindow *m_window = nullptr;
    ContentView *m_view = nullptr;
    std::unique_ptr<QAbstractItemModelTester> m_sidebarTester;
};

void tst_MainWindow::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    QVERIFY(m_dir.isValid());
    QVERIFY(TestSupport::makeSamples(m_dir.path()));
    QVERIFY(QDir().mkpath(sample("folder")));
    QVERIFY(QFile::copy(sample("sample.mp4"), sample("folder/clip.mp4")));
    QVERIFY(QFile::copy(sample("sample.png"), sample("folder/still.png")));
    m_tone = sample(QStringLiteral("tone.wav"));
    QVERIFY(TestSupport::makeTone(m_tone, 0.5));

    // No test encodes for the hardware label of the side sheet.
    qputenv("VIREO_HWACCEL", "none");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openUrl");
    // ffmpeg is the fake tool, which runs the real one unless given actions.
    qputenv("VIREO_FFMPEG", TestSupport::fakeTool().toUtf8());
    qputenv("FAKETOOL_EXEC", QStandardPaths::findExecutable("ffmpeg").toUtf8());
}

void tst_MainWindow::init()
{
    // The defaults: two conversions at a time, converted files skipped,
    // existing outputs replaced, the destination opened at the end.
    TestSupport::clearPreferences();
    m_openedFolders.clear();

    m_set.clear();
    m_set.clearSkippedPaths();
    m_window = new QMainWindow;
    m_view = new ContentView(m_set, m_window);
    m_window->setCentralWidget(m_view);
    m_sidebarTester = std::make_unique<QAbstractItemModelTester>(
        m_view->sidebar()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_window->resize(960, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_MainWindow::cleanup()
{
    OpenPanel::setAnswersForTesting({});
    qunsetenv("FAKETOOL_ACTIONS");
    // Loads still running land in the shared set; let them, so they do not
    // spill into the next test.
    QTRY_COMPARE(runningLoads(), 0);
    m_sidebarTester.reset();
    delete m_window;
    m_window = nullptr;
    m_view = nullptr;
    QTRY_VERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

void tst_MainWindow::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QStringList tst_MainWindow::samples(const QStringList &names) const
{
    QStringList paths;
    for (const QString &name : names)
        paths << sample(name);
    return paths;
}

void tst_MainWindow::loadAndWait(const QStringList &paths)
{
    m_view->loadMedia(paths);
    QTRY_COMPARE(runningLoads(), 0);
}

void tst_MainWindow::splashThenSplitView()
{
    SplashScreen *splash = m_view->splash();
    QVERIFY(m_view->showsSplash());
    QVERIFY(!m_view->selectedGroup());
    for (AnimatedOrb *orb : splash->orbs())
        QVERIFY(orb->isDrifting());

    // The drop of a folder leaves the splash for the split view.
    QVERIFY(dragAndDrop(splash, {QUrl::fromLocalFile(sample("folder"))}));
    QVERIFY(!splash->isTargeted());
    QTRY_VERIFY(!m_view->showsSplash());
    // Thumbnails of the video and the still are made on worker threads.
    const QAbstractItemModel *table = m_view->workspace()->findChild<QTableView *>()->model();
    QTRY_VERIFY(!table->index(0, MediaTableModel::fileColumn).data(Qt::DecorationRole).isNull());
    m_view->setSelectedGroup(MediaGroup::image);
    QTRY_VERIFY(!table->index(0, MediaTableModel::fileColumn).data(Qt::DecorationRole).isNull());
    QCOMPARE(ThumbnailCache::madeOnMainThread(), 0);
    // The orbs rest while nobody sees them.
    for (AnimatedOrb *orb : splash->orbs())
        QVERIFY(!orb->isDrifting());
}

void tst_MainWindow::sidebarRows_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<MediaGroup>("selected");

    const auto row = [](const char *tag, const char *files, const char *rows, MediaGroup group) {
        QTest::newRow(tag) << TestSupport::split(files) << QString::fromLatin1(rows).split(u',')
                           << group;
    };
    row("images only", "sample.png", "Images 1", MediaGroup::image);
    row("audio and other", "sample.txt sample.mp3", "Audio 1,---,Other 1", MediaGroup::audio);
    row("other alone has no divider", "sample.txt", "Other 1", MediaGroup::other);
    row("all groups, counted", "sample.txt sample.srt sample.png sample.mp4 sample.wav sample.mp3",
        "Audio 2,Video 1,Images 1,Subtitles 1,---,Other 1", MediaGroup::audio);
}

void tst_MainWindow::sidebarRows()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, rows);
    QFETCH(MediaGroup, selected);

    loadAndWait(samples(files));
    GroupSidebar *sidebar = m_view->sidebar();
    QCOMPARE(describe(*sidebar->model()), rows);
    QCOMPARE(m_view->selectedGroup(), selected);
    const QModelIndexList highlighted = sidebar->list()->selectionModel()->selectedRows();
    QCOMPARE(highlighted.size(), 1);
    QCOMPARE(highlighted.first().data(GroupListModel::GroupRole).toInt(), int(selected));

    // Picking another row shows its group in the same workspace.
    const int last = sidebar->model()->rowCount() - 1;
    const QRect row = sidebar->list()->visualRect(sidebar->model()->index(last, 0));
    QTest::mouseClick(sidebar->list()->viewport(), Qt::LeftButton, {}, row.center());
    const MediaGroup picked = *sidebar->model()->groupAt(last);
    QCOMPARE(m_view->selectedGroup(), picked);
    QCOMPARE(m_view->workspace()->media(), m_set.media().value(picked));
}

void tst_MainWindow::confirmedRemoval_data()
{
    QTest::addColumn<bool>("clear"); // Clear List, else remove the selected Video group
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("left"); // the sidebar afterwards
    const QStringList all {"Audio 1", "Video 1", "Images 1"};
    QTest::newRow("remove") << false << "Remove" << QStringList {"Audio 1", "Images 1"};
    QTest::newRow("remove, cancel") << false << "Cancel" << all;
    QTest::newRow("remove, escape") << false << "Escape" << all;
    QTest::newRow("clear, cancel") << true << "Cancel" << all;
    QTest::newRow("clear") << true << "Clear" << QStringList();
}

void tst_MainWindow::confirmedRemoval()
{
    QFETCH(bool, clear);
    QFETCH(QString, button);
    QFETCH(QStringList, left);

    loadAndWait(samples({"sample.mp3", "sample.mp4", "sample.png"}));
    m_view->setSelectedGroup(MediaGroup::video);
    GroupSidebar *sidebar = m_view->sidebar();
    (clear ? sidebar->clearButton() : sidebar->removeButton())->click();
    QVERIFY(clear ? m_view->isConfirmingClearList() : m_view->isConfirmingRemoveGroup());
    const QPointer<QMessageBox> box = m_window->findChild<QMessageBox *>();
    QVERIFY(box && box->isVisible());
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    const QList<QAbstractButton *> buttons = box->buttons();
    const auto chosen = std::find_if(buttons.begin(), buttons.end(),
                                     [&](QAbstractButton *b) { return b->text() == button; });
    if (button == u"Escape") {
        QTest::keyClick(box, Qt::Key_Escape);
    } else {
        QVERIFY2(chosen != buttons.end(), qPrintable(button));
        (*chosen)->click();
    }
    QTRY_VERIFY(!box || !box->isVisible());
    QVERIFY(!m_view->isConfirmingClearList() && !m_view->isConfirmingRemoveGroup());

    // The selection stays, even on a group that is gone; no other row stands in.
    QCOMPARE(describe(*sidebar->model()), left);
    QCOMPARE(m_view->selectedGroup(), MediaGroup::video);
    QCOMPARE(m_view->showsSplash(), left.isEmpty());
    const bool kept = left.contains(QStringLiteral("Video 1"));
    QCOMPARE(sidebar->list()->selectionModel()->selectedRows().isEmpty(), !kept);
    QCOMPARE(sidebar->removeButton()->isEnabled(), kept);
    if (!left.isEmpty())
        QCOMPARE(m_view->detail() == m_view->workspace(), kept);
    if (!left.isEmpty())
        return;
    loadAndWait(samples({"sample.mp3"}));
    QVERIFY(!m_view->showsSplash());
    QCOMPARE(m_view->detail()->objectName(), QStringLiteral("detailPlaceholder"));
    loadAndWait(samples({"sample.mp4"}));
    QCOMPARE(m_view->selectedGroup(), MediaGroup::video);
    QCOMPARE(sidebar->list()->selectionModel()->selectedRows().value(0).row(), 1);
    QVERIFY(sidebar->removeButton()->isEnabled());
    QTRY_COMPARE(m_view->workspace()->media(), m_set.media().value(MediaGroup::video));
}

void tst_MainWindow::importsStartOneLoadPerItem_data()
{
    QTest::addColumn<QString>("via"); // a drop, or the button or menu item of the open panel
    QTest::addColumn<QList<QUrl>>("urls"); // dropped, or chosen in the panel
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("loads");
    QTest::addColumn<QStringList>("added");

    const QStringList names {"sample.mp3", "sample.wav", "sample.mp4", "sample.png", "sample.txt"};
    const auto urls = [this](const QStringList &names) {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(sample(name));
        return urls;
    };
    const QList<QUrl> web {QUrl(QStringLiteral("https://example.com/a.mp3"))};
    for (const char *via : {"splash drop", "sidebar drop"}) {
        const QString on = QLatin1String(via);
        QTest::addRow("%s, five files and others", via)
            << on << urls(names) + web + QList {QUrl()} << QString() << 5 << names;
        QTest::addRow("%s, a web link", via) << on << web << QString() << 0 << QStringList();
        QTest::addRow("%s, text", via) << on << QList<QUrl>() << "a.mp3" << 0 << QStringList();
    }
    const QStringList folder {"folder/clip.mp4", "folder/still.png"};
    for (const char *via : {"choose", "plus"}) {
        const QString files = QLatin1String(via), folders = files + QStringLiteral(" folder");
        const QStringList two = names.mid(2 * (files == u"plus"), 2);
        QTest::addRow("%s files", via) << files << urls(two) << QString() << 1 << two;
        QTest::addRow("%s files, cancelled", via)
            << files << QList<QUrl>() << QString() << 0 << QStringList();
        QTest::addRow("%s folder", via) << folders << urls({"folder"}) << QString() << 1 << folder;
        QTest::addRow("%s folder, cancelled", via)
            << folders << QList<QUrl>() << QString() << 0 << QStringList();
    }
}

void tst_MainWindow::importsStartOneLoadPerItem()
{
    QFETCH(QString, via);
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(int, loads);
    QFETCH(QStringList, added);

    QStringList expected = samples(added);
    if (via.startsWith(u"sidebar") || via.startsWith(u"plus")) {
        loadAndWait(samples({"sample.srt"}));
        expected << sample("sample.srt");
    }
    QStringList chosen;
    for (const QUrl &url : urls)
        chosen << url.toLocalFile();
    int asked = 0;
    const auto chooseFiles = [&] {
        ++asked;
        return chosen;
    };
    const auto chooseFolder = [&]() -> std::optional<QString> {
        ++asked;
        return chosen.isEmpty() ? std::nullopt : std::optional(chosen.first());
    };
    OpenPanel::setAnswersForTesting({chooseFiles, {}, chooseFolder});
    if (via == u"splash drop")
        QCOMPARE(dragAndDrop(m_view->splash(), urls, text), loads > 0);
    else if (via == u"sidebar drop")
        QCOMPARE(dragAndDrop(m_view->sidebar(), urls, text), loads > 0);
    else if (via == u"choose")
        m_view->splash()->chooseButton()->click();
    else if (via == u"choose folder")
        m_view->splash()->chooseFolderButton()->click();
    else
        child<QAction>(*m_view->sidebar()->addButton()->menu(),
                       via == u"plus" ? "addFiles" : "addFolder")
            ->trigger();
    QCOMPARE(asked, via.endsWith(u"drop") ? 0 : 1);
    QCOMPARE(runningLoads(), loads);
    QTRY_COMPARE(runningLoads(), 0);

    QStringList listed;
    for (const MediaPtr &item : m_set.mediaList())
        listed << item->pathString();
    listed.sort();
    expected.sort();
    QCOMPARE(listed, expected);
    QVERIFY(m_set.skippedPaths().isEmpty());
}

void tst_MainWindow::manyDroppedItemsLoadInTurns()
{
    // A drop of a whole folder's contents: one load per item, yet only a
    // few dozen under way at a time, and "Importing…" until the last landed.
    const QString folder = sample("many");
    QVERIFY(QDir().mkpath(folder));
    QList<QUrl> urls;
    for (int n = 0; n < 300; ++n) {
        const QString path = QStringLiteral("%1/line %2.srt").arg(folder).arg(n);
        QVERIFY(QFile::exists(path) || QFile::copy(sample("sample.srt"), path));
        urls << QUrl::fromLocalFile(path);
    }
    QVERIFY(dragAndDrop(m_view->splash(), urls));
    qsizetype mostUnderWay = runningLoads();
    const QDeadlineTimer deadline(60000);
    while (m_set.mediaList().size() < urls.size() && !deadline.hasExpired()) {
        QVERIFY(m_view->splash()->isImporting());
        mostUnderWay = std::max(mostUnderWay, runningLoads());
        QTest::qWait(2);
    }
    QTRY_VERIFY(!m_view->isImporting());
    QVERIFY2(mostUnderWay > 1 && mostUnderWay < urls.size(),
             qPrintable(QString::number(mostUnderWay)));
    QCOMPARE(m_set.media().value(MediaGroup::subtitle).size(), urls.size());
}

void tst_MainWindow::skippedPathsBanner()
{
    SkippedPathsBanner *banner = m_view->banner();

    const QString web = QStringLiteral("https://example.com/%1.mp3");
    loadAndWait({web.arg("song"), sample("sample.mp3"), web.arg("tune")});
    QCOMPARE(m_set.mediaList().size(), 1);
    QVERIFY(banner->isVisible());
    QVERIFY(banner->summary().contains(QStringLiteral("2 files or folders")));
    banner->detailsButton()->click();
    QVERIFY(banner->detailsShown());
    QTreeWidget *details = banner->details();
    QCOMPARE(details->topLevelItemCount(), 2);
    QCOMPARE(details->topLevelItem(0)->text(0), web.arg("song"));
    QCOMPARE(details->topLevelItem(1)->text(0), web.arg("tune"));
    QVERIFY(!details->topLevelItem(1)->text(1).isEmpty());

    // Later failures add to the report.
    loadAndWait({web.arg("other")});
    QCOMPARE(details->topLevelItemCount(), 3);

    banner->dismissButton()->click();
    QVERIFY(!banner->isVisible());
    QVERIFY(m_set.skippedPaths().isEmpty());

    loadAndWait({web.arg("again")});
    QVERIFY(banner->isVisible());
    QVERIFY(banner->summary().contains(QStringLiteral("1 file or folder")));
    QVERIFY(!banner->detailsShown());
    QCOMPARE(details->topLevelItemCount(), 1);
}

void tst_MainWindow::runsCountWhatTheyStarted()
{
    // Two tones and a file that holds no sound.
    QList<MediaPtr> items = copies(m_tone, m_dir.filePath("run-in"), "run", 2);
    const QString broken = QFileInfo(items[0]->pathString()).dir().filePath("run3.wav");
    QVERIFY(TestSupport::writeFile(broken, "no sound"));
    items << item(broken);
    const QString out = m_dir.filePath(QStringLiteral("run-out"));
    QVERIFY(QDir().mkpath(out));
    SnapshotView view;
    view.resize(800, 500);
    view.show();
    view.setGroup(MediaGroup::audio, items);
    auto *table = child<QTableView>(view, "fileTable");
    auto *sheet = child<ProgressSheet>(view, "progressSheet");
    auto *result = child<ResultBar>(view, "resultBar");
    auto *details = child<QPushButton>(*result, "resultDetails");
    QSignalSpy started(&view.queue(), &JobQueue::itemStarted);
    OpenPanel::setAnswersForTesting({{}, [&] {
                                         return std::optional<QString>(out);
                                     }});
    // The bar's counts, the rows in table order and the failures must agree.
    const auto runEnds = [&](const QString &summary, const QString &rows, int failures) {
        QTRY_VERIFY_WITH_TIMEOUT(!view.queue().isRunning(), 60000);
        QTRY_VERIFY(result->isVisible());
        QCOMPARE(result->summary().section(QStringLiteral(" \u2014 "), 0, 0), summary);
        QStringList shown;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            shown << StatusCell::toolTip(
                MediaStatus(
                    table->model()->index(row, 0).data(MediaTableModel::StatusRole).toInt()),
                {});
        QCOMPARE(shown.join(u' '), rows);
        QCOMPARE(result->outcome().failures.size(), failures);
        QCOMPARE(details->isVisibleTo(result), failures > 0);
        QCOMPARE(details->text(), QStringLiteral("Show Failures"));
        QVERIFY(!child<QWidget>(*result, "resultFailures")->isVisibleTo(result));
    };

    // Started in the order the user sorted the table. Between one file and
    // the next the list of files in progress keeps its height.
    QList<int> listHeights;
    const QMetaObject::Connection sampling
        = connect(&view.queue(), &JobQueue::itemFinished, this,
                  [&] { listHeights << child<QWidget>(*sheet, "inFlight")->maximumHeight(); });
    table->sortByColumn(MediaTableModel::fileColumn, Qt::DescendingOrder);
    view.process();
    QVERIFY(sheet->isVisible());
    QVERIFY(!child<QToolButton>(view, "processButton")->isEnabled());
    runEnds("2 converted \u00b7 1 failed", "Failed Converted Converted", 1);
    disconnect(sampling);
    QCOMPARE(listHeights.size(), 3);
    QCOMPARE(QSet<int>(listHeights.cbegin(), listHeights.cend()).size(), 1);
    QCOMPARE(started.size(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(started[row][0].toUuid(),
                 table->model()->index(row, 0).data(MediaTableModel::IdRole).toUuid());
    QCOMPARE(result->outcome().failures.first().path, broken);
    QCOMPARE(m_openedFolders, QStringList {out});
    details->click();
    QCOMPARE(details->text(), QStringLiteral("Hide Failures"));
    // Narrowed, the reason wraps onto more lines instead of being cut.
    auto *failures = child<QTreeWidget>(*result, "resultFailures");
    view.resize(420, 500);
    QTRY_VERIFY(failures->visualItemRect(failures->topLevelItem(0)).height()
                > 2 * failures->fontMetrics().height());
    view.resize(800, 500);

    // Unchanged settings: the same failure again, the rest skipped, and
    // nothing written to show.
    view.process();
    runEnds("0 converted \u00b7 2 skipped (already converted) \u00b7 1 failed",
            "Failed Converted Converted", 1);
    QCOMPARE(m_openedFolders, QStringList {out});

    // A new bitrate converts the tones again; Cancel while both run. The
    // file that never started waits again and is not counted.
    qputenv("FAKETOOL_ACTIONS", "--stdout|out_time_us=100000\\nprogress=continue\\n|--hang");
    Preferences::instance().setValue(audioQuality, 320.0);
    table->sortByColumn(MediaTableModel::fileColumn, Qt::AscendingOrder);
    view.process();
    QTRY_COMPARE_WITH_TIMEOUT(sheet->inFlight(), (QList<MediaPtr> {items[0], items[1]}), 30000);
    // Both rows in full, not squashed into the height of one.
    QVERIFY(child<QWidget>(*sheet, "inFlight")->height() >= 2 * sheet->fontMetrics().height());
    QTest::keyClick(sheet, Qt::Key_Escape);
    auto *cancel = child<QPushButton>(*sheet, "cancel");
    QCOMPARE(cancel->text(), QStringLiteral("Cancelling…"));
    QVERIFY(!cancel->isEnabled());
    QCOMPARE(child<QLabel>(*sheet, "title")->text(), QStringLiteral("Cancelling…"));
    runEnds("0 converted \u00b7 2 cancelled", "Cancelled Cancelled Waiting", 0);
    QVERIFY(!sheet->isVisible());
    QCOMPARE(m_openedFolders, QStringList {out});
}

void tst_MainWindow::tableModel()
{
    const QString folder = m_dir.filePath(QStringLiteral("names"));
    QVERIFY(QDir().mkpath(folder));
    QList<MediaPtr> items;
    for (const char *name : {"b10.wav", "B2.wav", "a.wav"})
        items << item(QDir(folder).filePath(QLatin1String(name)));

    MediaTableModel model;
    QAbstractItemModelTester modelTester(&model,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setMedia(items);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    items[1]->setStatus(MediaStatus::failed);
    // A duration the job's probe finds later shows at once.
    changed.clear();
    items[1]->setDuration(61.0);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][1].toModelIndex(), model.index(1, MediaTableModel::durationColumn));
    // A screen reader hears what the symbol means, and why a file failed.
    const auto spoken = [&](int row) {
        return model.index(row, MediaTableModel::statusColumn).data(Qt::AccessibleTextRole);
    };
    QCOMPARE(spoken(1), QString("Failed"));
    items[1]->setErrorMessage(QStringLiteral("Invalid data"));
    QCOMPARE(spoken(1), QString("Failed: Invalid data"));
    QCOMPARE(spoken(0), QString("Waiting"));
    // Two files of one name are told apart by the folder they were found in.
    items[0]->setImportRoot(m_dir.path());
    QCOMPARE(model.index(0, MediaTableModel::folderColumn).data().toString(),
             QFileInfo(m_dir.path()).fileName() + QStringLiteral("/names"));
    QCOMPARE(model.index(2, MediaTableModel::folderColumn).data().toString(), QString("names"));

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

    // Lists that grow and shrink arrive as inserted and removed rows (the
    // tester checks each), a new order as a reset; either way every row, and
    // every later change, belongs to its item and redraws that row alone.
    const MediaPtr d = item(QDir(folder).filePath("d.wav"));
    const MediaPtr e = item(QDir(folder).filePath("e.wav"));
    const QList<QList<MediaPtr>> lists {{items[0], d, items[1], items[2], e},
                                        {d, items[2]},
                                        {e, d, items[0], items[2]},
                                        {items[2], d},
                                        items};
    for (const QList<MediaPtr> &list : lists) {
        model.setMedia(list);
        QCOMPARE(model.media(), list);
        for (int row = 0; row < list.size(); ++row) {
            QCOMPARE(model.index(row, 0).data(MediaTableModel::PathRole), list[row]->pathString());
            changed.clear();
            list[row]->setStatus(MediaStatus::processing);
            list[row]->setStatus(MediaStatus::unprocessed);
            QCOMPARE(changed.size(), 2);
            QCOMPARE(changed[0][0].toModelIndex().row(), row);
            QCOMPARE(changed[0][1].toModelIndex().row(), row);
        }
    }
    changed.clear();
    d->setStatus(MediaStatus::failed); // no longer listed
    QCOMPARE(changed.size(), 0);

    // The workspace's table sorts by file name, as a file manager does.
    SnapshotView view;
    view.setGroup(MediaGroup::audio, items);
    auto *table = child<QTableView>(view, "fileTable");
    QAbstractItemModelTester proxyTester(table->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(fileColumn(*table->model()), (QStringList {"a.wav", "B2.wav", "b10.wav"}));
    // A converted item shows its output's size and the change; that sorts too.
    QVERIFY(TestSupport::writeFile(QDir(folder).filePath("a.wav"), QByteArray(1000, 'x')));
    for (int i : {0, 2})
        items[i]->setStatus(MediaStatus::successful);
    items[0]->setLastOutputSize(3000);
    items[2]->setLastOutputSize(200);
    table->sortByColumn(MediaTableModel::outputColumn, Qt::AscendingOrder);
    QCOMPARE(fileColumn(*table->model()), (QStringList {"B2.wav", "a.wav", "b10.wav"}));
    const QModelIndex output = table->model()->index(1, MediaTableModel::outputColumn);
    QTRY_COMPARE(output.data().toString(),
                 QString("200 bytes (\u2212"
                         "80\u00a0%)"));
    QCOMPARE(spoken(2), QString("Converted, 200 bytes"));
    // A narrow column drops the change before it would cut a number.
    QCOMPARE(output.data(MediaTableModel::ShortTextRole).toString(), QString("200 bytes"));
    // New settings put the file back to waiting: its old output says nothing.
    items[2]->setStatus(MediaStatus::unprocessed);
    QCOMPARE(model.index(2, MediaTableModel::outputColumn).data().toString(), QString());

    // A new list keeps the sort order; an unchanged one resets nothing.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setMedia(items);
    QCOMPARE(reset.size(), 0);
    model.setMedia({items[2], items[0]});
    QCOMPARE(reset.size(), 1);
    QCOMPARE(fileColumn(model), (QStringList {"a.wav", "b10.wav"}));
}

void tst_MainWindow::targetPickerPerGroup()
{
    SnapshotView view;
    view.resize(1400, 500);
    view.show();
    auto *menu = child<QMenu>(view, "targetMenu");
    auto *picker = child<QToolButton>(view, "targetPicker");
    auto *settings = child<QToolButton>(view, "settingsButton");
    auto *sheet = child<SideSheet>(view, "sideSheet");

    view.setGroup(MediaGroup::video, {});
    QVERIFY(describe(*menu).contains(QStringLiteral("[Operations]")));
    QCOMPARE(picker->text(), QStringLiteral("MP4"));
    QVERIFY(picker->isVisible());
    QVERIFY(settings->isEnabled());
    QVERIFY(!child<QToolButton>(view, "processButton")->isEnabled()); // no items
    settings->click();
    QVERIFY(view.showsSettings());
    QVERIFY(sheet->isOpen());

    view.setGroup(MediaGroup::audio, {});
    QVERIFY(!describe(*menu).contains(QStringLiteral("[Operations]")));

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
    view.setGroup(MediaGroup::other, {item(m_dir.filePath("notes.txt"), MediaGroup::other)});
    QVERIFY(child<QToolButton>(view, "processButton")->isVisible());
    QVERIFY(!child<QToolButton>(view, "processButton")->isEnabled());
    view.process();
    QVERIFY(!view.queue().isRunning());

    // A target belongs to one group: each group comes back to its own
    // choice, while the batch settings carry over.
    view.setGroup(MediaGroup::video, {});
    QVERIFY(sheet->isOpen()); // back with its group
    view.setSelectedTarget(target("video.extract-audio"));
    view.setBatch({true});
    view.setGroup(MediaGroup::audio, {});
    QCOMPARE(view.selectedTarget().id, QStringLiteral("audio.mp3"));
    view.setSelectedTarget(target("audio.opus"));
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

    // A preset brings its own target; the header names the preset, not its format.
    view.setGroup(MediaGroup::video, {});
    auto *presets = view.findChild<PresetsMenu *>();
    QTRY_VERIFY(actionNamed(*presets, QStringLiteral("HEVC Archive")));
    actionNamed(*presets, QStringLiteral("HEVC Archive"))->trigger();
    QCOMPARE(view.selectedTarget().id, QStringLiteral("video.mp4"));
    QTRY_COMPARE(child<QLabel>(view, "headerConfirmation")->text(),
                 QStringLiteral("\u2713 Preset applied: HEVC Archive"));
}

void tst_MainWindow::headerSaysWhatIsInForce_data()
{
    QTest::addColumn<QString>("codec"); // chosen after the batch
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("scaled"); // to 720p
    QTest::addColumn<QString>("button");
    const auto row = [](const char *tag, const char *codec, const char *start, const char *end,
                        bool scaled, const char *button) {
        QTest::newRow(tag) << codec << start << end << scaled << QString::fromUtf8(button);
    };
    row("scale", "h264", "", "", true, "Scale 720p");
    row("a copy is not scaled", "copy", "", "", true, "Trim & Scale");
    row("times as a clock", "copy", "5", "0:15", true, "Trim 0:00:05–0:00:15");
    row("from the start, in ms", "hevc", "", "1500ms", true, "Trim 0:00:00–0:00:01.5 · 720p");
    row("to the end", "h264", "1:01:30", "", false, "Trim 1:01:30–end");
}

void tst_MainWindow::headerSaysWhatIsInForce()
{
    QFETCH(QString, codec);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, scaled);
    QFETCH(QString, button);
    SnapshotView view;
    view.setGroup(MediaGroup::video, {});
    view.setBatch({true, start, end, scaled ? VideoScale::p720 : VideoScale::original});
    Preferences::instance().setValue(videoCodec, codec);
    QCOMPARE(child<QToolButton>(view, "trimButton")->accessibleName(), button);
}

void tst_MainWindow::headerRemovalAndBatchPopover()
{
    const QList<MediaPtr> items = copies(m_tone, m_dir.filePath("header-in"), "header", 3);
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
    view.setGroup(MediaGroup::audio, items + copies(m_tone, m_dir.filePath("more-in"), "more", 1));
    QCOMPARE(view.headerText(), selected->pathString());

    const QPoint row = table->visualRect(table->model()->index(1, 1)).center();
    Q_EMIT table->customContextMenuRequested(row);
    auto *menu = child<QMenu>(view, "contextMenu");
    QVERIFY(!child<QAction>(*menu, "showOutput")->isEnabled()); // nothing converted yet
    // Without a file manager on the session bus, the file's folder opens.
    child<QAction>(*menu, "showInFileManager")->trigger();
    QTRY_COMPARE(m_openedFolders, QStringList {QFileInfo(selected->pathString()).absolutePath()});

    QSignalSpy removed(&view, &SnapshotView::removeRequested);
    child<QAction>(*menu, "removeFromList")->trigger();
    QCOMPARE(removed.size(), 1);
    QCOMPARE(removed[0][0].value<QSet<QUuid>>(), QSet<QUuid> {selected->id()});
    QCOMPARE(view.selectedMediumId(), std::nullopt);
    view.setGroup(MediaGroup::audio, {items[0], items[2]});
    QCOMPARE(view.headerText(), QStringLiteral("2 files"));

    // The batch popover: trimming for every group, scaling for video.
    auto *trim = child<QToolButton>(view, "trimButton");
    auto *popover = child<QWidget>(view, "batchPopover");
    auto *panel = child<BatchPanel>(view, "batchPanel");
    trim->click();
    QVERIFY(popover->isVisible());
    QVERIFY(!child<QComboBox>(*panel, "scale")->isVisibleTo(panel));
    child<ToggleSwitch>(*panel, "trimOutput")->click();
    QTest::keyClicks(child<QLineEdit>(*panel, "trimStart"), QStringLiteral("90"));
    QTest::keyClicks(child<QLineEdit>(*panel, "trimEnd"), QStringLiteral("1:00"));
    // A range ffmpeg would refuse is said while typing.
    QVERIFY(child<QLabel>(*panel, "trimProblem")->isVisibleTo(panel));
    // Turning trimming off keeps the text for later.
    child<ToggleSwitch>(*panel, "trimOutput")->click();
    QCOMPARE(view.batch(), (BatchSettings {false, "90", "1:00", VideoScale::original}));
    popover->hide();
    QVERIFY(!trim->isChecked());

    view.setGroup(MediaGroup::video, {});
    trim->click();
    auto *scale = child<QComboBox>(*panel, "scale");
    scale->setCurrentIndex(4);
    Q_EMIT scale->activated(4);
    QCOMPARE(view.batch().scale, VideoScale::p720);
}

void tst_MainWindow::optionsPerTarget_data()
{
    QTest::addColumn<QList<MediaOption>>("options");
    QTest::addColumn<bool>("copy"); // "Copy" picked in the codec menu
    QTest::addColumn<QStringList>("expected");
    const auto row
        = [](const char *tag, const QList<MediaOption> &options, bool copy, const char *expected) {
              QTest::newRow(tag) << options << copy << TestSupport::split(expected);
          };
    const QList<MediaOption> webm = target("video.webm").options;
    row("webm", webm, false, "audioBitrate videoCodec videoQuality hardwareAcceleration");
    // A stream copy has no quality to choose.
    row("webm, copy", webm, true, "audioBitrate videoCodec hardwareAcceleration");
    row("convert to audio", target("video.extract-audio").options, false,
        "audioBitrate audioFormat");
    QTest::newRow("png") << target("image.png").options << false << QStringList();
    // The order of the controls is fixed, whatever the order of the list.
    QTest::newRow("reversed") << QList {MediaOption::videoToAudio, MediaOption::hwAccel,
                                        MediaOption::videoQuality, MediaOption::videoCodec,
                                        MediaOption::audioQuality}
                              << false << optionControls;
}

void tst_MainWindow::optionsPerTarget()
{
    QFETCH(QList<MediaOption>, options);
    QFETCH(bool, copy);
    QFETCH(QStringList, expected);
    SettingsView view;
    view.resize(360, 900);
    view.setOptions(target("video.mp4").options);
    view.setOptions(options);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    if (copy) {
        auto *codec = child<QWidget>(view, "videoCodec")->findChild<QComboBox *>();
        codec->setCurrentIndex(2);
        Q_EMIT codec->activated(2);
        QCOMPARE(Preferences::instance().value(videoCodec), QStringLiteral("copy"));
    }

    QCOMPARE(visibleOptions(view), expected);
    // A codec chosen in the other view brings the quality back.
    Preferences::instance().setValue(videoCodec, QStringLiteral("hevc"));
    QCOMPARE(child<QWidget>(view, "videoQuality")->isVisibleTo(&view),
             options.contains(MediaOption::videoQuality));
}

void tst_MainWindow::editsReachTheOtherView()
{
    // A bitrate no slider step gives, as a hand-edited store may hold.
    Preferences &preferences = Preferences::instance();
    preferences.setValue(audioQuality, 160.0);
    SettingsView panel;
    panel.setOptions(target("video.extract-audio").options);
    panel.setOptions(target("video.mkv").options);
    panel.show();
    PreferencesView window;
    window.show();
    auto *panelSlider = child<DiscreteSlider>(panel, "audioBitrate");
    auto *tabSlider = child<DiscreteSlider>(window, "audioBitrate");
    QCOMPARE(panelSlider->currentLabel(), QStringLiteral("96 kbps"));
    QCOMPARE(tabSlider->currentLabel(), QStringLiteral("160 kbps"));
    QCOMPARE(preferences.value(audioQuality), 160.0);

    // Moving either slider stores a step.
    sliderIn(panel, "audioBitrate")->setValue(3);
    QCOMPARE(preferences.value(audioQuality), 256.0);
    QCOMPARE(tabSlider->currentLabel(), QStringLiteral("256 kbps"));
    QCOMPARE(sliderIn(window, "audioBitrate")->value(), 3);
    preferences.setValue(audioQuality, 200.5);
    sliderIn(window, "audioBitrate")->setValue(0);
    QCOMPARE(preferences.value(audioQuality), 96.0);
    QCOMPARE(panelSlider->currentLabel(), QStringLiteral("96 kbps"));

    // The stepper stops at its bounds.
    auto *stepper = child<QSpinBox>(panel, "parallelConversions");
    auto *queueStepper = child<QSpinBox>(window, "parallelConversions");
    QCOMPARE(stepper->text(), QStringLiteral("Parallel conversions: 2"));
    stepper->stepBy(-1);
    stepper->stepBy(-1);
    QCOMPARE(preferences.value(maxConcurrentJobs), 1);
    QCOMPARE(queueStepper->text(), QStringLiteral("Parallel conversions: 1"));
    for (int i = 0; i < 20; ++i)
        queueStepper->stepBy(1);
    QCOMPARE(preferences.value(maxConcurrentJobs), 16);
    QCOMPARE(stepper->text(), QStringLiteral("Parallel conversions: 16"));

    sliderIn(window, "videoQuality")->setValue(26);
    QCOMPARE(preferences.value(videoQuality), 26.0);
    QCOMPARE(sliderIn(panel, "videoQuality")->value(), 26);
    QCOMPARE(child<QLabel>(*child<QWidget>(panel, "videoQuality"), "qualityLabel")->text(),
             QStringLiteral("Moderate"));

    child<QCheckBox>(window, "overwriteExisting")->click();
    QVERIFY(!child<ToggleSwitch>(panel, "overwriteExisting")->isChecked());
    child<ToggleSwitch>(panel, "hardwareAcceleration")->click();
    QVERIFY(!child<QCheckBox>(window, "hardwareAcceleration")->isChecked());

    panel.setOptions(target("video.extract-audio").options);
    auto *format = child<QWidget>(panel, "audioFormat")->findChild<QComboBox *>();
    const int flac = format->findText(QStringLiteral("FLAC"));
    format->setCurrentIndex(flac);
    Q_EMIT format->activated(flac);
    QCOMPARE(preferences.value(videoToAudio), QStringLiteral("flac"));
    QCOMPARE(child<QComboBox>(window, "audioFormat")->currentText(), QStringLiteral("FLAC"));

    QVERIFY(!child<ToggleSwitch>(panel, "normalizeLoudness")->isVisibleTo(&panel));
    panel.setWritesAudio(true);
    child<ToggleSwitch>(panel, "normalizeLoudness")->click();
    QVERIFY(child<QCheckBox>(window, "normalizeLoudness")->isChecked());
    auto *level = child<QComboBox>(window, "loudnessTarget");
    QCOMPARE(level->currentText(), QStringLiteral("-16 LUFS (podcast)"));
    preferences.setValue(loudnessTarget, -23.0);
    QCOMPARE(level->currentText(), QStringLiteral("-23 LUFS (broadcast)"));
}

void tst_MainWindow::saveAndDeleteFromTheMenu()
{
    QVERIFY(PresetStore::savePreset(QStringLiteral("Kept"), target("audio.wav")));
    QVERIFY(PresetStore::savePreset(QStringLiteral("Doomed"), target("audio.ogg")));
    PresetsMenu menu(m_window);
    menu.setGroup(MediaGroup::audio);
    menu.popup(m_window->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy chosen(&menu, &PresetsMenu::targetChosen);

    // Right-clicking does not apply the preset; its context menu offers Delete.
    const QPoint doomed = menu.actionGeometry(actionNamed(menu, QStringLiteral("Doomed"))).center();
    // QMenu triggers an entry on a release of any button.
    QTest::mouseMove(&menu, doomed);
    QTest::mouseClick(&menu, Qt::RightButton, {}, doomed);
    QVERIFY(!menu.findChild<QAction *>(QStringLiteral("delete")));
    // Through the window, as the platform delivers it, so that Qt also makes
    // the context menu event.
    QTest::mouseClick(menu.windowHandle(), Qt::RightButton, {}, doomed);
    QCOMPARE(chosen.size(), 0);
    QCOMPARE(PresetStore::userPresets().size(), 2);
    QAction *remove = menu.findChild<QAction *>(QStringLiteral("delete"));
    QVERIFY(remove);
    remove->trigger();
    QTRY_COMPARE(describe(menu),
                 (QStringList {"[Built-in]", "Podcast (MP3 128k)", "Hi-Fi (FLAC)", "[Your presets]",
                               "Kept", "---", saveItem}));
    menu.close();

    // A save from the prompt reaches the menu; a preset belongs to its own
    // workspace alone.
    menu.setGroup(MediaGroup::image);
    menu.setSelectedTarget(target("image.png"));
    for (const char *button : {"cancel", "save"}) {
        actionNamed(menu, saveItem)->trigger();
        auto *dialog = m_window->findChild<SavePresetDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        QTest::keyClicks(dialog->findChild<QLineEdit *>(), QStringLiteral("  Stills "));
        dialog->findChild<QPushButton *>(QLatin1String(button))->click();
        QTRY_VERIFY(!m_window->findChild<SavePresetDialog *>());
    }
    QCOMPARE(PresetStore::userPresets().constLast().targetId, QStringLiteral("image.png"));
    QTRY_COMPARE(describe(menu),
                 (QStringList {"[Built-in]", "[Your presets]", "Stills", "---", saveItem}));
    menu.setGroup(MediaGroup::subtitle);
    QCOMPARE(describe(menu), (QStringList {"(No presets for this type)", "---", saveItem}));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
