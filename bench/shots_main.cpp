// vireo-shots: renders the window's views into PNG files, to look at them as a
// user would. scripts/screenshot*.sh run it under Xvfb.
// Usage: vireo-shots window|workspace|settings <output dir>

#include "conversion/ClassificationProbe.h"
#include "conversion/JobQueue.h"
#include "conversion/SuccessSignature.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/main/ContentView.h"
#include "ui/main/GroupSidebar.h"
#include "ui/main/OpenPanel.h"
#include "ui/main/SkippedPathsBanner.h"
#include "ui/main/SplashScreen.h"
#include "ui/settings/PreferencesView.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/settings/SavePresetDialog.h"
#include "ui/settings/SettingsView.h"
#include "ui/workspace/ProgressSheet.h"
#include "ui/workspace/SnapshotView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <fcntl.h>
#include <future>
#include <unistd.h>

#include "app/Translations.h"

using namespace PreferenceKeys;

namespace {

QDir g_out;
QTemporaryDir g_media;

void fail(const QString &why)
{
    qFatal("vireo-shots: %s", qPrintable(why));
}

void save(QWidget &widget, const QString &name, int settleMs = 300)
{
    if (!QTest::qWaitForWindowExposed(&widget))
        fail(name + QStringLiteral(": not shown"));
    QTest::qWait(settleMs);
    if (!widget.grab().save(g_out.filePath(name + QStringLiteral(".png"))))
        fail(name + QStringLiteral(": not saved"));
}

void waitUntil(const std::function<bool()> &condition, int timeoutMs = 30000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(20);
}

template<typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        fail(QStringLiteral("no child ") + QLatin1String(name));
    return found;
}

QString media(const QString &name)
{
    return g_media.filePath(name);
}

// ffmpeg -y <arguments> <media(name)>
QString make(const QString &name, const QString &arguments)
{
    QProcess ffmpeg;
    ffmpeg.start(
        QStringLiteral("ffmpeg"),
        QStringList {QStringLiteral("-y"), QStringLiteral("-loglevel"), QStringLiteral("error")}
            + arguments.split(u' ') + QStringList {media(name)});
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0)
        fail(QStringLiteral("ffmpeg could not make ") + name);
    return media(name);
}

QString write(const QString &name, const QByteArray &contents)
{
    QFile file(media(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        fail(QStringLiteral("cannot write ") + name);
    return file.fileName();
}

QMessageBox *openConfirmation(QWidget *window)
{
    for (QMessageBox *box : window->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

void loadAndWait(ContentView &view, const QStringList &paths)
{
    view.loadMedia(paths);
    waitUntil([] {
        return MediaSet::shared().findChildren<MediaLoad *>(Qt::FindDirectChildrenOnly).isEmpty();
    });
}

// An item made as an import makes it: probed on the pool, owned by this thread.
MediaPtr created(const QString &path)
{
    QThread *home = QThread::currentThread();
    // A thread of its own: a pool's future waited for may run on this one.
    return std::async(std::launch::async,
                      [&] {
                          MediaPtr item = Media::create(path, &probeForClassification);
                          item->moveToThread(home);
                          return item;
                      })
        .get();
}

// The splash screen (plain, with files hovering, importing), the split view
// with each group selected, the skipped-files bar and a confirmation, then the
// same in a dark palette.
void window()
{
    const QStringList files {
        make(QStringLiteral("tone.mp3"), QStringLiteral("-f lavfi -i sine=duration=0.2")),
        make(QStringLiteral("tone.wav"), QStringLiteral("-f lavfi -i sine=duration=0.2")),
        make(QStringLiteral("clip.mp4"),
             QStringLiteral("-f lavfi -i testsrc=duration=0.2:size=32x32 -pix_fmt yuv420p")),
        make(QStringLiteral("still.png"),
             QStringLiteral("-f lavfi -i testsrc=size=32x32 -frames:v 1")),
        write(QStringLiteral("lines.srt"), "1\n00:00:00,000 --> 00:00:01,000\nHello\n"),
        write(QStringLiteral("notes.txt"), "not media\n")};
    // A folder with a file whose name is not UTF-8, skipped on import.
    const QString odd = media(QStringLiteral("odd names"));
    QDir().mkpath(odd);
    const QByteArray bad = QFile::encodeName(odd) + "/bad\xff.mp3";
    ::close(::open(bad.constData(), O_CREAT | O_WRONLY, 0644));

    QMainWindow window;
    auto *view = new ContentView(MediaSet::shared(), &window);
    window.setCentralWidget(view);
    window.setWindowTitle(QStringLiteral("Vireo"));
    window.resize(960, 600);
    window.show();
    window.activateWindow();
    const auto shot = [&](const QString &name) {
        save(window, name, 150);
    };

    shot(QStringLiteral("splash"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(files.first())});
    QDragEnterEvent enter(view->splash()->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(view->splash(), &enter);
    QTest::qWait(400);
    shot(QStringLiteral("splash-targeted"));
    QDragLeaveEvent leave;
    QApplication::sendEvent(view->splash(), &leave);
    view->splash()->setImporting(true);
    QTest::qWait(300);
    shot(QStringLiteral("splash-importing"));
    view->splash()->setImporting(false);

    loadAndWait(*view, files);
    for (MediaGroup group : allGroups()) {
        view->setSelectedGroup(group);
        shot(QStringLiteral("split-") + rawValue(group).toLower());
    }
    window.resize(1280, 800);
    view->setSelectedGroup(MediaGroup::video);
    shot(QStringLiteral("split-video-1280"));
    window.resize(window.minimumSizeHint());
    view->workspace()->setShowsSettings(true);
    shot(QStringLiteral("split-video-minimum"));
    view->workspace()->setShowsSettings(false);
    window.resize(960, 600);
    loadAndWait(*view, {QStringLiteral("https://example.com/song.mp3"), odd});
    view->banner()->setDetailsShown(true);
    shot(QStringLiteral("banner"));
    view->banner()->dismissButton()->click();

    view->sidebar()->removeButton()->click();
    QTest::qWait(200);
    if (QMessageBox *box = openConfirmation(&window)) {
        save(*box, QStringLiteral("confirm-remove"), 0);
        shot(QStringLiteral("confirm-remove-window"));
        for (QAbstractButton *button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::DestructiveRole)
                button->click();
        }
        waitUntil([&] { return !openConfirmation(&window); });
    }
    shot(QStringLiteral("after-remove"));

    QPalette dark = QApplication::palette();
    const QColor text(0xe8, 0xe8, 0xea);
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2e));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
    dark.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x29));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3e));
    dark.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0xa0));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, text);
    QApplication::setPalette(dark);
    // The removed group comes back with the files.
    loadAndWait(*view, files);
    view->setSelectedGroup(MediaGroup::video);
    shot(QStringLiteral("split-video-dark"));
    // The smallest window, with the settings sheet open.
    view->setSelectedGroup(MediaGroup::audio);
    shot(QStringLiteral("split-audio-dark"));
    window.resize(window.minimumSizeHint());
    view->workspace()->setShowsSettings(true);
    shot(QStringLiteral("split-audio-dark-minimum"));
    view->workspace()->setShowsSettings(false);
    window.resize(960, 600);
    MediaSet::shared().clear();
    shot(QStringLiteral("splash-dark"));
    ::unlink(bad.constData());
}

// Every group, the settings side sheet, the trim popover, the target menu and
// the progress sheet during a run.
void workspace()
{
    qputenv("VIREO_HWACCEL", "none");
    const QString video
        = make(QStringLiteral("Holiday in Lisbon.mov"),
               QStringLiteral("-f lavfi -i testsrc=size=320x240:rate=10:duration=20 -c:v mpeg4"));
    const QString image = make(QStringLiteral("Sunset.png"),
                               QStringLiteral("-f lavfi -i testsrc=size=320x240 -frames:v 1"));
    const QString subtitle
        = write(QStringLiteral("Episode 01.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHello\n");
    const QString other = write(QStringLiteral("notes.txt"), "not media\n");
    // Long enough that converting it takes seconds.
    const QString tone
        = make(QStringLiteral("long.flac"), QStringLiteral("-f lavfi -i sine=duration=1800"));

    QMap<MediaGroup, QList<MediaPtr>> groups;
    const auto add = [&](const QString &path) {
        MediaPtr item = created(path);
        groups[item->group()].append(item);
    };
    // A download cut short: a real FLAC header, then noise. It is audio, and
    // it fails at once, so that the progress sheet counts a failure.
    QFile whole(make(QStringLiteral("whole.flac"), QStringLiteral("-f lavfi -i sine=duration=10")));
    if (!whole.open(QIODevice::ReadOnly))
        return;
    add(write(QStringLiteral("Broken download.flac"), whole.read(8192) + QByteArray(8192, 'x')));
    for (const char *name : {"Interview - Part 1.flac", "Interview - Part 2.flac",
                             "Morning Podcast Episode 112 (Remastered Edition).flac",
                             "voice memo 2.flac", "voice memo 10.flac"}) {
        QFile::copy(tone, media(QLatin1String(name)));
        add(media(QLatin1String(name)));
    }
    for (const QString &path : {video, image, subtitle, other})
        add(path);
    QList<MediaPtr> &audio = groups[MediaGroup::audio];
    audio[2]->setStatus(MediaStatus::successful);
    audio[2]->setLastSuccessSignature(
        successSignature(MediaTarget::initialTarget(MediaGroup::audio), BatchSettings()));
    audio[2]->setLastOutputSize(QFileInfo(audio[2]->pathString()).size() * 58 / 100);
    audio[3]->setStatus(MediaStatus::failed);
    audio[3]->setErrorMessage(QStringLiteral("Invalid data found when processing input"));
    audio[4]->setStatus(MediaStatus::cancelled);

    SnapshotView view;
    view.resize(900, 520);
    view.show();
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        view.setGroup(it.key(), it.value());
        save(view, QStringLiteral("workspace-") + rawValue(it.key()).toLower());
    }

    view.setGroup(MediaGroup::video, groups[MediaGroup::video]);
    view.setShowsSettings(true);
    save(view, QStringLiteral("workspace-video-settings"), 700);
    view.setGroup(MediaGroup::audio, audio);
    child<QTableView>(view, "fileTable")->selectRow(0);
    save(view, QStringLiteral("workspace-audio-settings-selected"));
    view.setShowsSettings(false);
    QTest::qWait(400);

    view.setGroup(MediaGroup::video, groups[MediaGroup::video]);
    child<QToolButton>(view, "trimButton")->click();
    auto *popover = child<QWidget>(view, "batchPopover");
    child<ToggleSwitch>(*popover, "trimOutput")->click();
    save(*popover, QStringLiteral("batch-popover-video"));
    // A range ffmpeg would refuse, said under the fields; then cleared again.
    QTest::keyClicks(child<QLineEdit>(*popover, "trimStart"), QStringLiteral("1:30"));
    QTest::keyClicks(child<QLineEdit>(*popover, "trimEnd"), QStringLiteral("45"));
    save(*popover, QStringLiteral("batch-popover-problem"));
    for (const char *name : {"trimStart", "trimEnd"}) {
        child<QLineEdit>(*popover, name)->selectAll();
        QTest::keyClick(child<QLineEdit>(*popover, name), Qt::Key_Backspace);
    }
    popover->hide();

    auto *picker = child<QToolButton>(view, "targetPicker");
    auto *targets = child<QMenu>(view, "targetMenu");
    targets->popup(picker->mapToGlobal(QPoint(0, picker->height())));
    save(*targets, QStringLiteral("target-menu-video"));
    targets->hide();

    const QString out = media(QStringLiteral("out"));
    QDir().mkpath(out);
    OpenPanel::setAnswersForTesting({{}, [&] {
                                         return std::optional<QString>(out);
                                     }});
    Preferences::instance().setValue(openDestinationOnFinish, false);
    view.setGroup(MediaGroup::audio, audio);
    view.process();
    auto *sheet = child<ProgressSheet>(view, "progressSheet");
    waitUntil([&] { return sheet->inFlight().size() == 2; });
    save(*sheet, QStringLiteral("progress-sheet"), 2500);
    save(view, QStringLiteral("workspace-running"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    save(*sheet, QStringLiteral("progress-sheet-cancelling"), 0);
    waitUntil([&] { return !view.queue().isRunning(); }, 20000);
    save(view, QStringLiteral("workspace-after-cancel"), 600);
    auto *details = child<QPushButton>(view, "resultDetails");
    details->click();
    save(view, QStringLiteral("workspace-result-failures"), 100);

    // A failure that repeats itself in the next run is counted again.
    const QList<MediaPtr> twice {audio[0],
                                 created(make(QStringLiteral("Jingle.flac"),
                                              QStringLiteral("-f lavfi -i sine=duration=2")))};
    view.setGroup(MediaGroup::audio, twice);
    for (int run = 0; run < 2; ++run) {
        view.process();
        waitUntil([&] { return !view.queue().isRunning(); }, 60000);
        QTest::qWait(300);
    }
    details->click();
    for (const QSize size : {QSize(1280, 800), QSize(519, 440)}) {
        view.resize(size);
        save(view, QStringLiteral("workspace-repeated-failure-%1").arg(size.width()), 300);
    }
    view.resize(900, 520);

    // Trim and scale in force: the button says so in every group they apply to.
    BatchSettings batch;
    batch.trimEnabled = true;
    batch.trimStart = QStringLiteral("0:01");
    batch.trimEnd = QStringLiteral("0:03");
    batch.scale = VideoScale::p360;
    view.setBatch(batch);
    view.setGroup(MediaGroup::video, groups[MediaGroup::video]);
    save(view, QStringLiteral("workspace-trim-badge-video"));
    view.setGroup(MediaGroup::audio, audio);
    save(view, QStringLiteral("workspace-trim-badge-audio"));
    // The narrowest workspace (smallest window less the sidebar), sheet open.
    view.resize(519, 440);
    view.setShowsSettings(true);
    view.setGroup(MediaGroup::video, groups[MediaGroup::video]);
    save(view, QStringLiteral("workspace-narrow-settings"), 700);
}

// The settings side panel, the preferences window and the presets menu.
void settings()
{
    const auto optionsOf = [](const QString &id) {
        return MediaTarget::fromId(id).value().options;
    };
    SettingsView panel;
    panel.resize(340, 560);
    panel.show();
    for (const QString id : {"video.webm", "video.extract-audio", "image.png"}) {
        panel.setOptions(optionsOf(id));
        save(panel, QStringLiteral("panel-") + QString(id).replace(u'.', u'-'), 50);
    }
    panel.setOptions(optionsOf(QStringLiteral("video.webm")));
    Preferences::instance().setValue(videoCodec, QStringLiteral("copy"));
    Preferences::instance().setValue(overwriteExisting, false);
    save(panel, QStringLiteral("panel-video-webm-copy"), 50);
    // The narrowest the side sheet gets, with the longest hardware label.
    const QString software
        = QStringLiteral("Hardware acceleration (none available, software encoder used)");
    panel.setHardwareLabel(software);
    panel.resize(250, 560);
    save(panel, QStringLiteral("panel-narrow"), 50);

    PreferencesView window;
    window.setHardwareLabel(software);
    window.show();
    for (int tab = 0; tab < window.count(); ++tab) {
        window.setCurrentIndex(tab);
        save(window, QStringLiteral("preferences-") + window.tabText(tab).toLower(), 50);
    }

    PresetsMenu menu(&panel);
    const auto saveMenu = [&](MediaGroup group, const QString &name) {
        menu.setGroup(group);
        menu.popup(QPoint(100, 100));
        save(menu, name, 50);
        menu.close();
    };
    saveMenu(MediaGroup::video, QStringLiteral("presets-video"));
    saveMenu(MediaGroup::image, QStringLiteral("presets-images"));
    menu.setSelectedTarget(MediaTarget::fromId(QStringLiteral("image.png")).value());
    SavePresetDialog *prompt = menu.openSavePrompt();
    QTest::keyClicks(prompt->findChild<QLineEdit *>(), QStringLiteral("Lossless stills"));
    save(*prompt, QStringLiteral("presets-save-prompt"), 50);
    prompt->accept();
    saveMenu(MediaGroup::image, QStringLiteral("presets-images-after-save"));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installTranslations(app, QStringLiteral(VIREO_TRANSLATIONS_DIR));
    // As the window does: durations and frame sizes are read at import.
    MediaSet::shared().setProbe(&probeForClassification);
    const QStringList args = app.arguments();
    const QMap<QString, void (*)()> scenes {{QStringLiteral("window"), window},
                                            {QStringLiteral("workspace"), workspace},
                                            {QStringLiteral("settings"), settings}};
    if (args.size() != 3 || !scenes.contains(args.at(1))) {
        qWarning("usage: vireo-shots window|workspace|settings <output dir>");
        return 2;
    }
    if (!g_media.isValid() || !QDir().mkpath(args.at(2)))
        fail(QStringLiteral("no place for the files"));
    g_out.setPath(args.at(2));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    scenes.value(args.at(1))();
    return 0;
}
