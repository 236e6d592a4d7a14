// The application model with fake services and real folders: start-up from stored settings,
// grants, the check loop, drives coming and going, and keep watch. Each test runs the model
// in a QCoreApplication event loop, as the application does.
#include "Brindle/app/model/AppModel.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/Paths.h"
#include "tests/support/TestTree.h"
#include "tests/support/fakes/FakeServices.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fstream>
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
    QSignalSpy finished(&model, &AppModel::checkFinished);
    while (model.checking())
        if (!finished.wait(20'000))
            break;
    return static_cast<int>(finished.count());
}

TEST(AppModel, StartsFromTheStoredSettingsAndTheLaunchArguments)
{
    Harness h;
    const Grant drive{"Backup", "/media/Backup", "token:/media/Backup#9"};
    h.settings.values[std::string(settings::drives)] = "not a list";
    h.store(settings::drive, encode(drive));
    h.settings.values[std::string(settings::driveUUID)] = "UUID-1";
    {
        auto model = h.model({"-select=week"});
        ASSERT_EQ(model->drives().size(), 1u);
        EXPECT_EQ(model->drives()[0].uuid, "UUID-1");
        EXPECT_TRUE(model->showWelcome()) << "nothing granted yet";
        EXPECT_EQ(model->selection(), Section{Section::Kind::changedThisWeek});
        EXPECT_TRUE(h.driveTimer.active);
        model->save();
        EXPECT_EQ(Stored::drives(h.settings), model->drives());
        EXPECT_FALSE(h.settings.values.contains(std::string(settings::drive)));
        EXPECT_FALSE(h.settings.values.contains(std::string(settings::driveUUID)));
    }
    h.store(settings::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    EXPECT_FALSE(h.model()->showWelcome());
    EXPECT_TRUE(h.model({"-welcome"})->showWelcome());

    // A demonstration runs no check, keeps no schedule and sends no note.
    auto demo = h.model({"-demoDrive"});
    demo->setWatch({true, true, true, true});
    demo->start();
    EXPECT_FALSE(demo->checking());
    EXPECT_FALSE(h.keepWatch.active);
    demo->sendNotes(*demo->result(), std::nullopt);
    EXPECT_TRUE(h.notifier.posted.isEmpty());
    EXPECT_EQ(demo->drives().at(0).uuid, "DEMO");
    EXPECT_EQ(Stored::grants(h.settings).size(), 1u) << "demo grants are never stored";
}

TEST(AppModel, GrantsAFolderOnceWhereverItIsReachedFrom)
{
    Harness h;
    auto model = h.model();
    EXPECT_EQ(model->addGrant(h.tree.path("home/Documents/Work")), std::nullopt);
    h.pickers.folderAnswers = {{QString::fromStdString(h.tree.path("home/Documents"))},
                               {QString::fromStdString(h.tree.path("home/Documents/Work")),
                                QString::fromStdString(h.tree.path("home/link"))}};
    model->chooseFolders();
    ASSERT_EQ(model->grants().size(), 1u) << "the outer folder replaces the inner one";
    EXPECT_EQ(model->grants()[0].name, "Documents");
    EXPECT_TRUE(h.pickers.alerts.isEmpty());
    finishChecks(*model);

    model->chooseFolders();
    EXPECT_EQ(model->grants().size(), 1u);
    ASSERT_EQ(h.pickers.alerts.size(), 1);
    EXPECT_EQ(h.pickers.alerts[0].first,
              "Work is inside Documents. link is inside Documents, which you’ve already chosen.");
    EXPECT_EQ(Stored::grants(h.settings), model->grants());
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
    h.store(settings::grants, encode(std::vector<Grant>{pictures, gone}));
    auto model = h.model();

    model->start();
    model->start();
    model->start();
    EXPECT_EQ(finishChecks(*model), 2) << "requests during a check make exactly one more";

    ASSERT_TRUE(model->result());
    ASSERT_EQ(model->result()->folders.size(), 1u);
    EXPECT_EQ(model->result()->folders[0].name, "Documents");
    EXPECT_EQ(model->result()->folders[0].files, 2);
    EXPECT_EQ(model->result()->unreadable, std::vector<std::string>{"Gone"});
    EXPECT_EQ(model->grants()[0].path, h.tree.path("home/Documents"));
    EXPECT_EQ(Stored::grants(h.settings), model->grants()) << "the renewed grant is kept";
    EXPECT_EQ(model->history().size(), 2u);
    EXPECT_EQ(model->progressDone(), 2);
}

TEST(AppModel, KeepsTwoYearsOfHistory)
{
    Harness h;
    h.store(settings::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    {
        CheckSummary old;
        old.at = h.now - days{731};
        CheckSummary recent;
        recent.at = h.now - days{1};
        std::ofstream file(h.tree.path("data/history.jsonl"));
        file << dumpJson(encode(old)) << "\n" << dumpJson(encode(recent)) << "\n";
    }
    auto model = h.model();
    ASSERT_EQ(model->history().size(), 2u);
    model->start();
    finishChecks(*model);
    ASSERT_EQ(model->history().size(), 2u);
    EXPECT_EQ(model->history()[0].at, h.now - days{1});
    EXPECT_EQ(openHistory(h.tree.path("data/history.jsonl")).all(), model->history());
}

TEST(AppModel, FollowsTheBackupDriveAsItComesAndGoes)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    Grant drive{"Backup", drivePath, *h.tokens.create(drivePath), "UUID-1"};
    h.store(settings::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    h.store(settings::drives, encode(std::vector<Grant>{drive}));
    h.volumes.facts_[drivePath] = DriveFacts{"Backup", "ext4", {}, {}, {}, "UUID-1"};
    h.volumes.backups_[drivePath] = {Backup{h.now - days{1}}};
    auto model = h.model();

    h.mounts.mount(QString::fromStdString(drivePath), "UUID-1");
    EXPECT_EQ(model->lastSeen("UUID-1"), h.now);
    EXPECT_EQ(finishChecks(*model), 1);
    EXPECT_TRUE(model->result()->drive->connected);

    // The timer finds the same newest backup: the drive's facts are renewed, nothing else.
    h.now += hours{1};
    h.volumes.facts_[drivePath].freeBytes = 42;
    QSignalSpy changed(model.get(), &AppModel::resultChanged);
    h.driveTimer.fire();
    ASSERT_TRUE(changed.wait(10'000));
    EXPECT_FALSE(model->checking());
    EXPECT_EQ(model->result()->drive->facts.freeBytes, 42);
    EXPECT_EQ(model->history().size(), 1u);

    // A newer backup starts a check.
    h.volumes.backups_[drivePath].push_back(Backup{h.now - minutes{5}});
    h.driveTimer.fire();
    QSignalSpy checking(model.get(), &AppModel::checkingChanged);
    ASSERT_TRUE(checking.wait(10'000));
    EXPECT_EQ(finishChecks(*model), 1);
    EXPECT_EQ(model->history().size(), 2u);

    // Away, it is told from what was remembered.
    h.now += hours{1};
    h.volumes.facts_.clear();
    h.mounts.unmount(QString::fromStdString(drivePath));
    EXPECT_EQ(model->lastSeen("UUID-1"), h.now);
    finishChecks(*model);
    EXPECT_FALSE(model->result()->drive->connected);
    EXPECT_EQ(model->result()->drive->backups.size(), 2u);
}

TEST(AppModel, SuggestsTheBackupToolsDriveAndOpensTheTool)
{
    Harness h;
    const std::string drivePath = h.tree.path("drive");
    h.store(settings::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    model->open("timeMachineSettings");
    ASSERT_EQ(h.desktop.opened.size(), 1) << "no tool found: the guide's page";
    EXPECT_TRUE(h.desktop.launched.isEmpty());

    h.setups = {BackupSetup{"Back In Time", "/elsewhere"}, BackupSetup{"Déjà Dup", {}, "UUID-1"}};
    h.mounts.mount(QString::fromStdString(drivePath), "UUID-1");
    model->start();
    finishChecks(*model);
    EXPECT_EQ(model->suggestedDrive(), (DriveSuggestion{drivePath, "drive", "Déjà Dup"}));
    EXPECT_EQ(model->backupTool()->tool, "Back In Time");
    h.setups = {BackupSetup{"Déjà Dup", {}, "UUID-1"}};
    model->start();
    finishChecks(*model);
    model->open("timeMachineHelp");
    EXPECT_EQ(h.desktop.launched, (QList<QStringList>{{"org.gnome.DejaDup.desktop", "deja-dup.desktop"}}));
    EXPECT_EQ(h.desktop.opened.size(), 1);
    h.desktop.installed = false;
    model->open("timeMachineSettings");
    EXPECT_EQ(h.desktop.opened.back(), QUrl("https://apps.gnome.org/DejaDup/")) << "not installed: its help page";
}

TEST(AppModel, KeepsWatchWeeklyAndNotifiesOnce)
{
    Harness h;
    h.store(settings::grants, encode(std::vector<Grant>{h.folder("home/Pictures")}));
    auto model = h.model();
    model->start();
    finishChecks(*model);

    model->setWatch({.weekly = true});
    EXPECT_TRUE(h.keepWatch.active);
    EXPECT_EQ(Stored::watch(h.settings), model->watch());
    h.now += days{6};
    h.keepWatch.fire();
    EXPECT_FALSE(model->checking()) << "six days after the last check only the drives are read";
    h.now += days{1};
    h.keepWatch.fire();
    EXPECT_TRUE(model->checking()) << "a week after, it checks";
    finishChecks(*model);

    model->setWatch({.weekly = true, .oldBackup = true});
    model->setWatch({.weekly = true, .oldBackup = true, .driveAway = true});
    EXPECT_EQ(h.notifier.permissionRequests, 1) << "asked once, when the first notifying switch came on";
    model->setWatch({});
    EXPECT_FALSE(h.keepWatch.active);

    QSignalSpy shown(model.get(), &AppModel::showMainWindowRequested);
    h.notifier.click("backupOld");
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(model->selection(), Section{Section::Kind::overview});
}

} // namespace
} // namespace brindle
