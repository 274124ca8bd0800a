#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "ui/main/AnimatedOrb.h"
#include "ui/main/ContentView.h"
#include "ui/main/GroupListModel.h"
#include "ui/main/GroupSidebar.h"
#include "ui/main/OpenPanel.h"
#include "ui/main/SkippedPathsBanner.h"
#include "ui/main/SplashScreen.h"
#include "ui/workspace/MediaTableModel.h"
#include "ui/workspace/SnapshotView.h"
#include "ui/workspace/ThumbnailCache.h"

#include <QAbstractItemModelTester>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

#include "TestSupport.h"

namespace {

MediaSet &mediaSet()
{
    return MediaSet::shared();
}

// The loads that have not landed yet; the window deletes each once it has.
qsizetype runningLoads()
{
    return mediaSet().findChildren<MediaLoad *>(Qt::FindDirectChildrenOnly).size();
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

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void splashThenSplitView();
    void sidebarRows_data();
    void sidebarRows();
    void confirmedRemoval_data();
    void confirmedRemoval();
    void workspaceRemovesFromTheSet();
    void importsStartOneLoadPerItem_data();
    void importsStartOneLoadPerItem();
    void manyDroppedItemsLoadInTurns();
    void skippedPathsBanner();

private:
    QString sample(const QString &name) const { return m_dir.filePath(name); }
    QStringList samples(const QStringList &names) const;
    void loadAndWait(const QStringList &paths);
    void answer(const QString &button);

    QTemporaryDir m_configHome;
    QTemporaryDir m_dir;
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
}

void tst_MainWindow::init()
{
    mediaSet().clear();
    mediaSet().clearSkippedPaths();
    m_window = new QMainWindow;
    m_view = new ContentView(mediaSet(), m_window);
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
    // Loads still running land in the shared set; let them, so they do not
    // spill into the next test.
    QTRY_COMPARE(runningLoads(), 0);
    m_sidebarTester.reset();
    delete m_window;
    m_window = nullptr;
    m_view = nullptr;
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

void tst_MainWindow::answer(const QString &button)
{
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
}

void tst_MainWindow::splashThenSplitView()
{
    SplashScreen *splash = m_view->splash();
    QVERIFY(m_view->showsSplash());
    QVERIFY(!m_view->selectedGroup());
    for (AnimatedOrb *orb : splash->orbs())
        QVERIFY(orb->isDrifting());

    // The drop of a folder starts an import, which the card shows.
    QVERIFY(dragAndDrop(splash, {QUrl::fromLocalFile(sample("folder"))}));
    QVERIFY(!splash->isTargeted());
    QVERIFY(splash->isImporting());
    QTRY_VERIFY(!m_view->showsSplash());
    QCOMPARE(m_view->selectedGroup(), MediaGroup::video);
    QCOMPARE(m_view->detail(), m_view->workspace());
    // Thumbnails of the video and the still are made on worker threads.
    const QAbstractItemModel *table = m_view->workspace()->findChild<QTableView *>()->model();
    const QModelIndex file = table->index(0, MediaTableModel::fileColumn);
    QTRY_VERIFY(!file.data(Qt::DecorationRole).isNull());
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
    QCOMPARE(m_view->workspace()->media(), mediaSet().media().value(selected));

    // Picking another row shows its group in the same workspace.
    const int last = sidebar->model()->rowCount() - 1;
    const QRect row = sidebar->list()->visualRect(sidebar->model()->index(last, 0));
    QTest::mouseClick(sidebar->list()->viewport(), Qt::LeftButton, {}, row.center());
    const MediaGroup picked = *sidebar->model()->groupAt(last);
    QCOMPARE(m_view->selectedGroup(), picked);
    QCOMPARE(m_view->workspace()->media(), mediaSet().media().value(picked));
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
    answer(button);
    QVERIFY(!m_view->isConfirmingClearList() && !m_view->isConfirmingRemoveGroup());

    // The selection stays, even on a group that is gone; no other row stands in.
    QCOMPARE(describe(*sidebar->model()), left);
    QCOMPARE(mediaSet().mediaList().size(), left.size());
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
    QTRY_COMPARE(m_view->workspace()->media(), mediaSet().media().value(MediaGroup::video));
}

void tst_MainWindow::workspaceRemovesFromTheSet()
{
    loadAndWait(samples({"sample.mp3", "sample.wav", "sample.mp4"}));
    QCOMPARE(m_view->selectedGroup(), MediaGroup::audio);
    const MediaPtr first = mediaSet().media().value(MediaGroup::audio).first();
    Q_EMIT m_view->workspace()->removeRequested({first->id()});
    QCOMPARE(describe(*m_view->sidebar()->model()), QStringList({"Audio 1", "Video 1"}));
    QTRY_COMPARE(m_view->workspace()->media(), mediaSet().media().value(MediaGroup::audio));
    QCOMPARE(m_view->workspace()->media().size(), 1);

    // Removing the group's last file leaves the group, not the window.
    Q_EMIT m_view->workspace()->removeRequested({m_view->workspace()->media().first()->id()});
    QCOMPARE(describe(*m_view->sidebar()->model()), QStringList({"Video 1"}));
    QCOMPARE(m_view->detail()->objectName(), QStringLiteral("detailPlaceholder"));
    QCOMPARE(m_view->selectedGroup(), MediaGroup::audio);
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
        QTest::addRow("%s, five files", via) << on << urls(names) << QString() << 5 << names;
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
    QAction *plusFiles = m_view->sidebar()->addButton()->menu()->findChild<QAction *>("addFiles");
    QAction *plusFolder = m_view->sidebar()->addButton()->menu()->findChild<QAction *>("addFolder");
    if (via == u"splash drop")
        QCOMPARE(dragAndDrop(m_view->splash(), urls, text), loads > 0);
    else if (via == u"sidebar drop")
        QCOMPARE(dragAndDrop(m_view->sidebar(), urls, text), loads > 0);
    else if (via == u"choose")
        m_view->splash()->chooseButton()->click();
    else if (via == u"choose folder")
        m_view->splash()->chooseFolderButton()->click();
    else
        (via == u"plus" ? plusFiles : plusFolder)->trigger();
    QCOMPARE(asked, via.endsWith(u"drop") ? 0 : 1);
    QCOMPARE(runningLoads(), loads);
    QTRY_COMPARE(runningLoads(), 0);

    QStringList listed;
    for (const MediaPtr &item : mediaSet().mediaList())
        listed << item->pathString();
    listed.sort();
    expected.sort();
    QCOMPARE(listed, expected);
    QVERIFY(mediaSet().skippedPaths().isEmpty());
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
    while (mediaSet().mediaList().size() < urls.size() && !deadline.hasExpired()) {
        QVERIFY(m_view->splash()->isImporting());
        mostUnderWay = std::max(mostUnderWay, runningLoads());
        QTest::qWait(2);
    }
    QTRY_VERIFY(!m_view->isImporting());
    QVERIFY2(mostUnderWay > 1 && mostUnderWay < urls.size(),
             qPrintable(QString::number(mostUnderWay)));
    QCOMPARE(mediaSet().media().value(MediaGroup::subtitle).size(), urls.size());
}

void tst_MainWindow::skippedPathsBanner()
{
    SkippedPathsBanner *banner = m_view->banner();

    const QString web = QStringLiteral("https://example.com/%1.mp3");
    loadAndWait({web.arg("song"), sample("sample.mp3"), web.arg("tune")});
    QCOMPARE(mediaSet().mediaList().size(), 1);
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
    QVERIFY(mediaSet().skippedPaths().isEmpty());

    loadAndWait({web.arg("again")});
    QVERIFY(banner->isVisible());
    QVERIFY(banner->summary().contains(QStringLiteral("1 file or folder")));
    QVERIFY(!banner->detailsShown());
    QCOMPARE(details->topLevelItemCount(), 1);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
