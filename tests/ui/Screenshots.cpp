// Renders every screen of the main window, light and dark, to PNG files: the demonstration
// with and without a backup drive, a model with nothing granted, and the folder lists after
// later checks (many folders; every file backed up). Then the welcome sheet's steps, the
// settings window, the tray panel and the tray icon. The windows are the real ones, on fake
// services; run it on the offscreen platform. The texts are in the language of the environment
// (LANGUAGE=de LC_ALL=C.UTF-8 for German). Names after the folder render only those pictures.
//
//   brindle_screenshots FOLDER [NAME...]
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/ui/Commands.h"
#include "Brindle/app/ui/DriveFormatsSheet.h"
#include "Brindle/app/ui/MainWindow.h"
#include "Brindle/app/ui/PhotosGuideSheet.h"
#include "Brindle/app/ui/SettingsWindow.h"
#include "Brindle/app/ui/Theme.h"
#include "Brindle/app/ui/ThemeStyle.h"
#include "Brindle/app/ui/TrayIcon.h"
#include "Brindle/app/ui/TrayPanel.h"
#include "Brindle/app/ui/WelcomeSheet.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/Store.h"
#include "BrindleCore/Translation.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTableView>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace brindle;

struct Scene {
    const char* name;
    std::vector<std::string_view> arguments;
    std::optional<Section> selection;
    // What to picture instead of the whole window, once it is shown; absent for the window.
    std::function<QWidget*(MainWindow&, AppModel&)> part{};
    // A kept check to open with, and its drive chosen, instead of the demonstration.
    std::optional<CheckResult> (*kept)(Instant now) = nullptr;
};

// A computer whose cloud folder Nextcloud keeps, backed up by Déjà Dup to an ext4 drive.
std::optional<CheckResult> nextcloudCheck(Instant now)
{
    CheckResult result = Demo::withDrive();
    result.cloudClient = "Nextcloud";
    for (FolderTally& tally : result.folders) {
        tally.path = "/home/you/" + tally.name;
        if (tally.inICloud) {
            tally.name = "Nextcloud";
            tally.path = "/home/you/Nextcloud";
        }
    }
    const auto shift = now - std::chrono::hours{1} - result.checkedAt;
    result.checkedAt += shift;
    result.drive->facts.format = "ext4";
    result.drive->facts.uuid = "screenshot-drive";
    result.drive->lastSeen = result.checkedAt;
    for (Backup& backup : result.drive->backups) {
        backup.date += shift;
        if (backup.started)
            *backup.started += shift;
        backup.tool = "Déjà Dup";
    }
    result.timeMachine = {};
    return result;
}

// The demonstration's drive as a Linux tool leaves it: ext4, not encrypted, every backup by
// `tool`, no backup tool's settings found.
CheckResult linuxDrive(const char* tool, std::optional<bool> encrypted)
{
    CheckResult result = Demo::withDrive();
    result.timeMachine = {};
    result.backupSetups = std::vector<BackupSetup>{};
    result.drive->facts.format = "ext4";
    result.drive->facts.encrypted = false;
    result.drive->facts.uuid = "screenshot-drive";
    for (Backup& backup : result.drive->backups) {
        backup.tool = tool;
        backup.encrypted = encrypted;
    }
    return result;
}

// No drive chosen, with Déjà Dup set up to back up to one.
std::optional<CheckResult> dejaDupSetUp(Instant)
{
    CheckResult result = Demo::noBackup();
    result.timeMachine = {};
    result.backupSetups = std::vector{BackupSetup{"Déjà Dup", "/media/you/Backup", {}, "Backup"}};
    return result;
}

// No drive: Pika Backup backs up to BorgBase over ssh, and recorded its last run finished.
std::optional<CheckResult> pikaToBorgBase(Instant now)
{
    CheckResult result = Demo::withDrive();
    result.timeMachine = {};
    const auto shift = now - std::chrono::hours{1} - result.checkedAt;
    result.checkedAt += shift;
    const Backup& latest = *result.drive->latestBy(result.checkedAt - shift);
    BackupSetup pika{"Pika Backup", "ssh://k3x@k3x.repo.borgbase.com/./repo"};
    pika.lastBackup = latest.date + shift;
    pika.lastStarted = latest.started ? std::optional(*latest.started + shift) : std::nullopt;
    pika.scheduledEvery = 24 * 3600;
    result.backupSetups = std::vector{pika};
    result.drive.reset();
    return result;
}

// Back In Time backs up the drive's folders but leaves out Documents/Cache and every .iso file.
std::optional<CheckResult> backInTimeLeavesOut(Instant)
{
    CheckResult result = linuxDrive("Back In Time", false);
    BackupSetup profile{"Back In Time", "/media/you/Backup"};
    profile.excluded = {"~/Documents/Cache", "*.iso"};
    result.backupSetups = std::vector{profile};
    result.leftOutInside = profile.excluded;
    return result;
}

// The Photos guide sheet, over the window.
QWidget* photosGuide(MainWindow& window, AppModel& model)
{
    model.view().setShowPhotos(true);
    QApplication::processEvents();
    return window.findChild<PhotosGuideSheet*>();
}

// The Photos screen of a check that found Shotwell's catalogue outside the chosen folders.
QWidget* photoCatalogue(MainWindow& window, AppModel& model)
{
    CheckResult result = *model.checks().result();
    result.photoCatalogue = PhotoCatalogue{"Shotwell", "/home/ada/.local/share/shotwell/data/photo.db"};
    model.checks().load(std::move(result));
    model.view().setSelection(Section{Section::Kind::overview});
    QApplication::processEvents();
    model.view().setSelection(Section{Section::Kind::photos});
    return &window;
}

// Brindle's page on drive formats, over the window.
QWidget* driveFormats(MainWindow& window, AppModel& model)
{
    model.actions().open("backupDiskFormats");
    QApplication::processEvents();
    return window.findChild<DriveFormatsSheet*>();
}

// The folder list with its first folder chosen, so its strip shows.
QWidget* firstFolderChosen(MainWindow& window, AppModel&)
{
    if (auto* table = window.placeScreen()->findChild<QTableView*>())
        table->selectRow(0);
    return &window;
}

// The folder list, after a check that found thirty folders, scrolled down to its total.
QWidget* manyFoldersChecked(MainWindow& window, AppModel& model)
{
    CheckResult result = *model.checks().result();
    const std::size_t demoFolders = result.folders.size();
    for (std::size_t i = 0; result.folders.size() < 30; ++i) {
        FolderTally more = result.folders[i % demoFolders];
        more.name += " " + std::to_string(i + 2);
        more.path += std::to_string(i + 2);
        result.folders.push_back(more);
    }
    model.checks().load(result);
    QApplication::processEvents();
    if (auto* screen = qobject_cast<QScrollArea*>(window.placeScreen()))
        screen->verticalScrollBar()->setValue(screen->verticalScrollBar()->maximum());
    return &window;
}

// The screen scrolled to its end, where the findings are.
QWidget* scrolledToEnd(MainWindow& window, AppModel&)
{
    if (auto* screen = qobject_cast<QScrollArea*>(window.placeScreen()))
        screen->verticalScrollBar()->setValue(screen->verticalScrollBar()->maximum());
    return &window;
}

// The list of files with no second copy, after a check that found every file backed up.
QWidget* everyFileBackedUp(MainWindow& window, AppModel& model)
{
    CheckResult result = *model.checks().result();
    for (FolderTally& folder : result.folders) {
        FolderTally copied(folder.name, folder.path);
        copied.files = folder.files;
        copied.bytes = folder.bytes;
        copied.counts.add(Place::both, folder.files);
        copied.sizes.add(Place::both, folder.bytes);
        copied.changedSinceBackup = 0;
        folder = copied;
    }
    model.checks().load(result);
    return &window;
}

const std::vector<Scene>& scenes()
{
    using Kind = Section::Kind;
    static const std::vector<Scene> all{
        {"overview", {"-demoDrive"}, Section{Kind::overview}},
        {"overview-nobackup", {"-demo"}, Section{Kind::overview}},
        {"empty", {}, Section{Kind::overview}},
        {"all-folders", {"-demoDrive"}, Section{Kind::allFolders}, firstFolderChosen},
        {"no-second-copy", {"-demoDrive"}, Section{Kind::noSecondCopy}},
        {"changed-this-week", {"-demoDrive"}, Section{Kind::changedThisWeek}},
        {"all-folders-many", {"-demoDrive"}, Section{Kind::allFolders}, manyFoldersChecked},
        {"no-second-copy-none", {"-demoDrive"}, Section{Kind::noSecondCopy}, everyFileBackedUp},
        {"folder", {"-demoDrive", "-select=folder=Documents"}, std::nullopt},
        {"icloud", {"-demoDrive"}, Section{Kind::iCloudDrive}},
        {"drive", {"-demoDrive"}, Section{Kind::backupDrive}},
        {"drive-restic",
         {},
         Section{Kind::backupDrive},
         {},
         [](Instant) -> std::optional<CheckResult> { return linuxDrive("restic", std::nullopt); }},
        {"drive-borg-plain",
         {},
         Section{Kind::backupDrive},
         {},
         [](Instant) -> std::optional<CheckResult> { return linuxDrive("borg", false); }},
        {"drive-setup-not-chosen", {}, Section{Kind::backupDrive}, {}, dejaDupSetUp},
        {"remote-overview", {}, Section{Kind::overview}, {}, pikaToBorgBase},
        {"overview-left-out", {}, Section{Kind::overview}, scrolledToEnd, backInTimeLeavesOut},
        {"remote-drive", {}, Section{Kind::backupDrive}, {}, pikaToBorgBase},
        {"photos", {"-demoDrive"}, Section{Kind::photos}},
        {"photos-guide", {"-demoDrive"}, Section{Kind::photos}, photosGuide},
        {"photos-catalogue", {"-demoDrive"}, Section{Kind::photos}, photoCatalogue},
        {"drive-formats", {"-demoDrive"}, Section{Kind::backupDrive}, driveFormats},
        {"history", {"-demoDrive"}, Section{Kind::history}},
        {"history-empty", {}, Section{Kind::history}},
        {"nextcloud-overview", {}, Section{Kind::overview}, {}, nextcloudCheck},
        {"nextcloud-cloud", {}, Section{Kind::iCloudDrive}, {}, nextcloudCheck},
        {"nextcloud-drive", {}, Section{Kind::backupDrive}, {}, nextcloudCheck},
    };
    return all;
}

bool render(const Scene& scene, bool dark, const QString& folder, const std::string& data)
{
    T::setDark(dark);
    test::FakeServices fakes;
    const test::TestTree own;
    if (scene.kept) {
        const std::optional<CheckResult> kept = scene.kept(fakes.now);
        std::vector<Grant> drives;
        if (kept && kept->drive)
            drives.push_back(Grant{kept->drive->facts.name, "/media/you/Backup", {}, kept->drive->facts.uuid});
        if (!kept || !Store::saveLast(*kept, own.path("last-check.json")) ||
            !Stored::saveGrants(fakes.settings, {}, drives)) {
            std::fprintf(stderr, "could not keep the check of %s\n", scene.name);
            return false;
        }
    }
    const std::string& home = scene.kept ? own.root() : data;
    AppModel model(fakes.services(home, home), LaunchArguments::parse(scene.arguments));
    if (scene.selection)
        model.view().setSelection(scene.selection);
    Commands commands(model, fakes.desktop, QStringLiteral("0.0"));
    MainWindow window(model, commands);
    window.resize(MainWindow::initialFrame);
    window.show();
    QApplication::processEvents();
    QWidget* pictured = scene.part ? scene.part(window, model) : &window;
    QApplication::processEvents();
    const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, scene.name, dark ? "dark" : "light");
    if (pictured == nullptr || !pictured->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The pictures asked for; none named means every one.
QStringList wanted;

bool isWanted(const QString& name) { return wanted.isEmpty() || wanted.contains(name); }

bool save(const QPixmap& picture, const QString& folder, const QString& name, bool dark)
{
    const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, name, dark ? "dark" : "light");
    if (!picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A widget of its own, shown at its size and grabbed.
bool renderWidget(QWidget& widget, const QString& folder, const QString& name, bool dark)
{
    if (!isWanted(name))
        return true;
    widget.show();
    QApplication::processEvents();
    return save(widget.grab(), folder, name, dark);
}

// The welcome sheet's steps, the settings window, the tray panel and the tray icon.
bool renderExtras(bool dark, const QString& folder, const std::string& data)
{
    T::setDark(dark);
    bool written = true;
    {
        test::FakeServices fakes;
        AppModel model(fakes.services(data, data), {});
        for (const int step : {1, 2, 3}) {
            WelcomeSheet sheet(model);
            sheet.setStep(step);
            written = renderWidget(sheet, folder, QStringLiteral("welcome-%1").arg(step), dark) && written;
        }
        SettingsWindow settings(model, false);
        written = renderWidget(settings, folder, QStringLiteral("settings-empty"), dark) && written;
        TrayPanel panel(model);
        written = renderWidget(panel, folder, QStringLiteral("panel-nocheck"), dark) && written;
    }
    {
        test::FakeServices fakes;
        const std::vector<std::string_view> arguments{"-demoDrive", "-welcome"};
        AppModel model(fakes.services(data, data), LaunchArguments::parse(arguments));
        model.keepWatch().setWatch({.weekly = true, .oldBackup = true});
        model.view().setShowInMenuBar(true);
        WelcomeSheet sheet(model);
        written = renderWidget(sheet, folder, QStringLiteral("welcome-1-granted"), dark) && written;
        SettingsWindow settings(model, true);
        settings.resize(600, 1060);
        written = renderWidget(settings, folder, QStringLiteral("settings"), dark) && written;
        TrayPanel panel(model);
        written = renderWidget(panel, folder, QStringLiteral("panel"), dark) && written;
    }
    {
        // The icon at 64 and 22 pixels: bare, with badges, and the drawn mark.
        QPixmap strip(4 * 80, 110);
        strip.fill(T::colour(T::Colour::card));
        QPainter painter(&strip);
        const QColor ink = T::colour(T::Colour::text);
        int x = 8;
        for (const QString& badge : {QString(), QStringLiteral("7"), QStringLiteral("99+")}) {
            painter.drawImage(x, 8, trayImage(64, badge, ink));
            painter.drawImage(x + 21, 80, trayImage(22, badge, ink));
            x += 80;
        }
        painter.drawImage(x, 8, trayImage(64, QStringLiteral("3"), ink, QStringLiteral(":/no-such-mark.svg")));
        painter.end();
        if (isWanted(QStringLiteral("tray-icons")))
            written = save(strip, folder, QStringLiteral("tray-icons"), dark) && written;
    }
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    useSystemLanguage();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: brindle_screenshots FOLDER [NAME...]\n", stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i)
        wanted << QString::fromLocal8Bit(argv[i]);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "could not make %s\n", argv[1]);
        return 1;
    }
    QApplication::setStyle(new ThemeStyle);
    T::registerFonts();
    QApplication::setFont(T::text(13));
    const test::TestTree data;
    bool written = true;
    for (const bool dark : {false, true})
        for (const Scene& scene : scenes())
            if (isWanted(QString::fromUtf8(scene.name)))
                written = render(scene, dark, folder, data.root()) && written;
    for (const bool dark : {false, true})
        written = renderExtras(dark, folder, data.root()) && written;
    return written ? 0 : 1;
}
