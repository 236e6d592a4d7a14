// The application model with fake services and real folders: start-up from stored settings,
// grants, the check loop, drives coming and going, and keep watch. Each test runs the model
// in a QCoreApplication event loop, as the application does.
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Store.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>

namespace brindle {
namespace {

using namespace std::chrono;
using test::Node;
using test::TestTree;

// The fakes, a tree of real folders, and the model's files in "data".
struct Harness : test::FakeServices {
    TestTree tree{{{"home/Documents/Work/a.txt", Node::file(1)},
                   {"home/Documents/b.txt", Node::file(1)},
                   {"home/Pictures/c.jpg", Node::file(1)},
                   {"home/link", Node::symlink("Documents/Work")},
                   {"data", Node::directory()},
                   {"drive", Node::directory()}}};

    std::unique_ptr<AppModel> model(std::vector<std::string_view> arguments = {})
    {
        AppServices services = FakeServices::services(tree.path("data"), tree.path("home"));
        services.drivesFolder = tree.root();
        return std::make_unique<AppModel>(services, LaunchArguments::parse(arguments));
    }
    Grant folder(const std::string& relative)
    {
        const std::string path = tree.path(relative);
        return {std::string(lastPathComponent(path)), path, *tokens.create(path)};
    }
    void store(std::string_view key, const JsonOut& value) { settings.values[std::string(key)] = JsonIn(value); }
};

// Runs the event loop until the model's checks are over; how many ended.
int finishChecks(AppModel& model)
{
    QSignalSpy finished(&model.checks(), &CheckLoop::checkFinished);
    while (model.checks().checking())
        if (!finished.wait(20'000))
            break;
    return static_cast<int>(finished.count());
}

TEST(AppModel, StartsFromTheStoredSettingsAndTheLaunchArguments)
{
    Harness h;
    const Grant drive{"Backup", "/media/Backup", "token:/media/Backup#9"};
    h.settings.values[std::string(settingKeys::drives)] = "not a list";
    h.store(settingKeys::drive, encode(drive));
    h.settings.values[std::string(settingKeys::driveUUID)] = "UUID-1";
    {
        auto model = h.model({"-select=week"});
        ASSERT_EQ(model->grants().drives().size(), 1u);
        EXPECT_EQ(model->grants().drives()[0].uuid, "UUID-1");
        EXPECT_TRUE(model->view().showWelcome()) << "nothing granted yet";
        EXPECT_EQ(model->view().selection(), Section{Section::Kind::changedThisWeek});
        EXPECT_TRUE(h.driveTimer.active);
        model->grants().save();
        EXPECT_EQ(Stored::drives(h.settings), model->grants().drives());
        EXPECT_FALSE(h.settings.values.contains(std::string(settingKeys::drive)));
        EXPECT_FALSE(h.settings.values.contains(std::string(settingKeys::driveUUID)));
    }
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    EXPECT_FALSE(h.model()->view().showWelcome());
    EXPECT_TRUE(h.model({"-welcome"})->view().showWelcome());

    // A demonstration runs no check, keeps no schedule and sends no note.
    auto demo = h.model({"-demoDrive"});
    demo->keepWatch().setWatch({true, true, true, true});
    demo->checks().start();
    EXPECT_FALSE(demo->checks().checking());
    EXPECT_FALSE(h.keepWatch.active);
    demo->keepWatch().sendNotes(*demo->checks().result(), std::nullopt);
    EXPECT_TRUE(h.notifier.posted.isEmpty());
    EXPECT_EQ(demo->grants().drives().at(0).uuid, "DEMO");
    EXPECT_EQ(Stored::grants(h.settings).size(), 1u) << "demo grants are never stored";
}

TEST(AppModel, GrantsAFolderOnceWhereverItIsReachedFrom)
{
    Harness h;
    auto model = h.model();
    EXPECT_EQ(model->grants().addGrant(h.tree.path("home/Documents/Work")), std::nullopt);
    h.pickers.folderAnswers = {
        {QString::fromStdString(h.tree.path("home/Documents"))},
        {QString::fromStdString(h.tree.path("home/Documents/Work")), QString::fromStdString(h.tree.path("home/link"))}};
    model->grants().chooseFolders();
    ASSERT_EQ(model->grants().folders().size(), 1u) << "the outer folder replaces the inner one";
    EXPECT_EQ(model->grants().folders()[0].name, "Documents");
    EXPECT_TRUE(h.pickers.alerts.isEmpty());
    finishChecks(*model);

    model->grants().chooseFolders();
    EXPECT_EQ(model->grants().folders().size(), 1u);
    ASSERT_EQ(h.pickers.alerts.size(), 1);
    EXPECT_EQ(h.pickers.alerts[0].first,
              "Work is inside Documents. link is inside Documents, which you’ve already chosen.");
    EXPECT_EQ(Stored::grants(h.settings), model->grants().folders());
    finishChecks(*model);
}

TEST(AppModel, ChecksRenewStaleGrantsNameLostOnesAndNeverOverlap)
{
    Harness h;
    const Grant pictures = h.folder("home/Pictures");
    const Grant gone{"Gone", h.tree.path("home/Gone"), "token:" + h.tree.path("home/Gone") + "#7"};
    h.tokens.folderExists = [](const std::string& path) { return !path.ends_with("Gone"); };
    // Pictures was made again elsewhere: its token finds it at the new place, stale.
    h.tokens.resolutions[pictures.bookmark] = ResolvedGrant{h.tree.path("home/Documents"), true, true};
    h.store(settingKeys::grants, encode(std::vector<Grant>{pictures, gone}));
    auto model = h.model();

    model->checks().start();
    model->checks().start();
    model->checks().start();
    EXPECT_EQ(finishChecks(*model), 2) << "requests during a check make exactly one more";

    ASSERT_TRUE(model->checks().result());
    ASSERT_EQ(model->checks().result()->folders.size(), 1u);
    EXPECT_EQ(model->checks().result()->folders[0].name, "Documents");
    EXPECT_EQ(model->checks().result()->folders[0].files, 2);
    EXPECT_EQ(model->checks().result()->unreadable, std::vector<std::string>{"Gone"});
    EXPECT_EQ(model->grants().folders()[0].path, h.tree.path("home/Documents"));
    EXPECT_EQ(Stored::grants(h.settings), model->grants().folders()) << "the renewed grant is kept";
    EXPECT_EQ(model->checks().history().size(), 2u);
    EXPECT_EQ(model->checks().progressDone(), 2);
}

TEST(AppModel, KeepsTwoYearsOfHistory)
{
    Harness h;
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    {
        CheckSummary old;
        old.at = h.now - days{731};
        CheckSummary recent;
        recent.at = h.now - days{1};
        std::ofstream file(h.tree.path("data/history.jsonl"));
        file << dumpJson(encode(old)) << "\n" << dumpJson(encode(recent)) << "\n";
    }
    auto model = h.model();
    ASSERT_EQ(model->checks().history().size(), 2u);
    model->checks().start();
    finishChecks(*model);
    ASSERT_EQ(model->checks().history().size(), 2u);
    EXPECT_EQ(model->checks().history()[0].at, h.now - days{1});
    EXPECT_EQ(openHistory(h.tree.path("data/history.jsonl")).all(), model->checks().history());
}

TEST(AppModel, FollowsTheBackupDriveAsItComesAndGoes)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    Grant drive{"Backup", drivePath, *h.tokens.create(drivePath), "UUID-1"};
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    h.store(settingKeys::drives, encode(std::vector<Grant>{drive}));
    h.volumes.facts_[drivePath] = DriveFacts{"Backup", "ext4", {}, {}, {}, "UUID-1"};
    h.volumes.backups_[drivePath] = {Backup{h.now - days{1}}};
    auto model = h.model();

    h.mounts.mount(QString::fromStdString(drivePath), "UUID-1");
    EXPECT_EQ(model->driveWatch().lastSeen("UUID-1"), h.now);
    EXPECT_EQ(finishChecks(*model), 1);
    EXPECT_TRUE(model->checks().result()->drive->connected);

    // The timer finds the same newest backup: the drive's facts are renewed, nothing else.
    h.now += hours{1};
    h.volumes.facts_[drivePath].freeBytes = 42;
    QSignalSpy changed(&model->checks(), &CheckLoop::resultChanged);
    h.driveTimer.fire();
    ASSERT_TRUE(changed.wait(10'000));
    EXPECT_FALSE(model->checks().checking());
    EXPECT_EQ(model->checks().result()->drive->facts.freeBytes, 42);
    EXPECT_EQ(model->checks().history().size(), 1u);

    // A newer backup starts a check.
    h.volumes.backups_[drivePath].push_back(Backup{h.now - minutes{5}});
    h.driveTimer.fire();
    QSignalSpy checking(&model->checks(), &CheckLoop::checkingChanged);
    ASSERT_TRUE(checking.wait(10'000));
    EXPECT_EQ(finishChecks(*model), 1);
    EXPECT_EQ(model->checks().history().size(), 2u);

    // Away, it is told from what was remembered.
    h.now += hours{1};
    h.volumes.facts_.clear();
    h.mounts.unmount(QString::fromStdString(drivePath));
    EXPECT_EQ(model->driveWatch().lastSeen("UUID-1"), h.now);
    finishChecks(*model);
    EXPECT_FALSE(model->checks().result()->drive->connected);
    EXPECT_EQ(model->checks().result()->drive->backups.size(), 2u);
}

// A wake-up that finds a newer backup decides its notes on the check it starts, not on the
// result that check replaces; one that finds the same backup decides on the result at hand.
TEST(AppModel, AWakeUpNotesFromTheCheckItStarts)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    h.store(settingKeys::drives,
            encode(std::vector<Grant>{{"Backup", drivePath, *h.tokens.create(drivePath), "UUID-1"}}));
    h.volumes.facts_[drivePath] = DriveFacts{"Backup", "ext4", {}, {}, {}, "UUID-1"};
    h.volumes.backups_[drivePath] = {Backup{h.now - days{30}}};
    auto model = h.model();
    h.mounts.mount(QString::fromStdString(drivePath), "UUID-1");
    finishChecks(*model);
    model->keepWatch().setWatch({.oldBackup = true});

    h.volumes.backups_[drivePath].push_back(Backup{h.now - minutes{5}});
    QSignalSpy checking(&model->checks(), &CheckLoop::checkingChanged);
    h.keepWatch.fire();
    ASSERT_TRUE(checking.wait(10'000));
    EXPECT_EQ(finishChecks(*model), 1);
    EXPECT_TRUE(h.notifier.posted.isEmpty()) << "the month-old backup was just replaced";

    h.now += days{8};
    QSignalSpy changed(&model->checks(), &CheckLoop::resultChanged);
    h.keepWatch.fire();
    ASSERT_TRUE(changed.wait(10'000));
    EXPECT_FALSE(model->checks().checking());
    ASSERT_EQ(h.notifier.posted.size(), 1);
    EXPECT_EQ(h.notifier.posted[0].identifier, "backupOld");
}

// The cloud's buttons open the sync client that keeps the folder and its own help; only the
// demonstration's iCloud takes them from the guide.
TEST(AppModel, CloudButtonsOpenTheSyncClient)
{
    Harness h;
    CheckResult kept(h.now, 1, {FolderTally("Nextcloud", h.tree.path("home/Nextcloud"))}, std::nullopt, {}, true);
    kept.cloudClient = "Nextcloud";
    ASSERT_TRUE(Store::saveLast(kept, h.tree.path("data/last-check.json")));
    auto model = h.model();
    EXPECT_TRUE(model->actions().canOpenCloudSettings());
    model->actions().open("iCloudSettings");
    EXPECT_EQ(h.desktop.launched,
              (QList<QStringList>{{"com.nextcloud.desktopclient.nextcloud.desktop", "nextcloud.desktop"}}));
    model->actions().open("iCloudHelp");
    EXPECT_EQ(h.desktop.opened, (QList<QUrl>{QUrl("https://docs.nextcloud.com/desktop/latest/")}));
    h.desktop.installed = false;
    EXPECT_FALSE(model->actions().canOpenCloudSettings()) << "not installed: no settings button";

    auto demo = h.model({"-demo"});
    h.desktop.opened.clear();
    demo->actions().open("iCloudHelp");
    ASSERT_EQ(h.desktop.opened.size(), 1);
    EXPECT_EQ(h.desktop.opened.front(), QUrl(QString::fromStdString(*Guide::shared().opens.at("iCloudHelp").url)));
}

TEST(AppModel, ReadsAShareChosenBeforeEveryMountHadAnIdentity)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    const std::string share = "mount:nfs4:nas:/export";
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    h.store(settingKeys::drives, encode(std::vector<Grant>{Grant{"drive", drivePath, *h.tokens.create(drivePath)}}));
    h.volumes.facts_[drivePath] = DriveFacts{"drive", "nfs4", {}, {}, {}, share};
    h.volumes.backups_[drivePath] = {Backup{h.now - days{1}, {}, {}, {}, "restic"}};
    h.mounts.mount(QString::fromStdString(drivePath), QString::fromStdString(share));
    auto model = h.model();
    model->checks().start();
    finishChecks(*model);
    ASSERT_TRUE(model->checks().result()->drive);
    EXPECT_TRUE(model->checks().result()->drive->connected);
    EXPECT_EQ(model->checks().result()->lastBackup(), h.now - days{1});
}

TEST(AppModel, SuggestsTheBackupToolsDriveAndOpensTheTool)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    model->actions().open("timeMachineSettings");
    ASSERT_EQ(h.desktop.opened.size(), 1) << "no tool found: the guide's page";
    EXPECT_TRUE(h.desktop.launched.isEmpty());

    h.setups = {BackupSetup{"Back In Time", "/elsewhere"}, BackupSetup{"Déjà Dup", {}, "UUID-1"}};
    h.mounts.mount(QString::fromStdString(drivePath), "UUID-1");
    model->checks().start();
    finishChecks(*model);
    EXPECT_EQ(model->driveWatch().suggestedDrive(), (DriveSuggestion{drivePath, "drive", "Déjà Dup"}));
    EXPECT_EQ(model->actions().backupTool()->tool, "Back In Time");
    h.setups = {BackupSetup{"Déjà Dup", {}, "UUID-1"}};
    model->checks().start();
    finishChecks(*model);
    model->actions().open("timeMachineHelp");
    EXPECT_EQ(h.desktop.launched, (QList<QStringList>{{"org.gnome.DejaDup.desktop", "deja-dup.desktop"}}));
    EXPECT_EQ(h.desktop.opened.size(), 1);
    h.desktop.installed = false;
    model->actions().open("timeMachineSettings");
    EXPECT_EQ(h.desktop.opened.back(), QUrl("https://apps.gnome.org/DejaDup/")) << "not installed: its help page";
}

// Every finding's button leads somewhere a person on Linux can act, with and without a backup
// tool found, and never to an Apple page.
TEST(AppModel, EveryFindingsButtonLeadsSomewhereOnLinux)
{
    Harness h;
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    QSignalSpy settings(&model->view(), &ViewState::settingsWindowRequested);
    QSignalSpy formats(&model->view(), &ViewState::driveFormatsRequested);
    const QUrl software("appstream:org.gnome.DejaDup");
    const QStringList dejaDup{"org.gnome.DejaDup.desktop", "deja-dup.desktop"};
    // What each key does, without a tool and then with Déjà Dup set up; true: checked elsewhere.
    const std::map<std::string, std::function<bool(bool withTool)>> leads{
        {"chooseDrive", [&](bool) { return !h.pickers.startedIn.isEmpty(); }},
        {"photosGuide", [&](bool) { return model->view().showPhotos(); }},
        {"settings", [&](bool) { return settings.count() > 0; }},
        {"finder",
         [&](bool) { return h.desktop.revealed == QStringList{QString::fromStdString(h.tree.path("home/Pictures"))}; }},
        {"backupDiskFormats", [&](bool) { return formats.count() > 0; }},
        {"timeMachineHelp",
         [&](bool withTool) {
             return withTool ? h.desktop.launched == QList<QStringList>{dejaDup}
                             : h.desktop.opened == QList<QUrl>{software};
         }},
        {"timeMachineSettings",
         [&](bool withTool) {
             return withTool ? h.desktop.launched == QList<QStringList>{dejaDup}
                             : h.desktop.opened == QList<QUrl>{software};
         }},
        // No sync client keeps a folder here: the cloud's findings never show, and their buttons
        // open nothing (the client's own are tested with the client).
        {"iCloudHelp", [&](bool) { return h.desktop.opened.isEmpty() && h.desktop.launched.isEmpty(); }},
        {"iCloudSettings", [&](bool) { return h.desktop.opened.isEmpty() && h.desktop.launched.isEmpty(); }},
    };
    for (const bool withTool : {false, true}) {
        if (withTool) {
            h.setups = {BackupSetup{"Déjà Dup", {}, "UUID-1"}};
            model->checks().start();
            finishChecks(*model);
        }
        for (const GuideFinding& finding : Guide::shared().findings) {
            SCOPED_TRACE(finding.id + (withTool ? " with a tool" : " without a tool"));
            h.desktop.opened.clear();
            h.desktop.launched.clear();
            h.desktop.revealed.clear();
            h.pickers.startedIn.clear();
            settings.clear();
            formats.clear();
            model->view().setShowPhotos(false);
            model->actions().open(finding.opens);
            for (const QUrl& url : h.desktop.opened)
                EXPECT_FALSE(url.host().endsWith("apple.com")) << url.toString().toStdString();
            ASSERT_TRUE(leads.contains(finding.opens)) << finding.opens;
            EXPECT_TRUE(leads.at(finding.opens)(withTool)) << finding.opens;
        }
    }
}

// "Open" in the Photos guide: the manager whose catalogue the check found, else Pictures.
TEST(AppModel, OpensThePhotoManagerFoundElsePictures)
{
    Harness h;
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    finishChecks(*model);
    model->actions().openPhotos();
    ASSERT_EQ(h.desktop.opened.size(), 1);
    EXPECT_TRUE(h.desktop.opened.front().isLocalFile());
    EXPECT_TRUE(h.desktop.launched.isEmpty());

    h.tree.add("home/.local/share/shotwell/data/photo.db", Node::file(1));
    model->checks().start();
    finishChecks(*model);
    ASSERT_TRUE(model->checks().result()->photoCatalogue);
    EXPECT_FALSE(model->checks().result()->photoCatalogue->inFolder);
    model->actions().openPhotos();
    EXPECT_EQ(h.desktop.launched, (QList<QStringList>{{"org.gnome.Shotwell.desktop", "shotwell.desktop"}}));
    EXPECT_EQ(h.desktop.photosOpened, 0);
}

TEST(AppModel, KeepsWatchWeeklyAndNotifiesOnce)
{
    Harness h;
    h.store(settingKeys::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    model->checks().start();
    finishChecks(*model);

    model->keepWatch().setWatch({.weekly = true});
    EXPECT_TRUE(h.keepWatch.active);
    EXPECT_EQ(Stored::watch(h.settings), model->keepWatch().watch());
    h.now += days{6};
    h.keepWatch.fire();
    EXPECT_FALSE(model->checks().checking()) << "six days after the last check only the drives are read";
    h.now += days{1};
    h.keepWatch.fire();
    EXPECT_TRUE(model->checks().checking()) << "a week after, it checks";
    finishChecks(*model);

    model->keepWatch().setWatch({.weekly = true, .oldBackup = true});
    model->keepWatch().setWatch({.weekly = true, .oldBackup = true, .driveAway = true});
    EXPECT_EQ(h.notifier.permissionRequests, 1) << "asked once, when the first notifying switch came on";
    model->keepWatch().setWatch({});
    EXPECT_FALSE(h.keepWatch.active);

    QSignalSpy shown(&model->view(), &ViewState::showMainWindowRequested);
    h.notifier.click("backupOld");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(model->view().selection(), Section{Section::Kind::overview});
}

} // namespace
} // namespace brindle
