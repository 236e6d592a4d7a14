// The backup tools' settings, as fixture files written from the tools' documented formats in
// a temporary home, and what they take in and leave out.
#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/RemoteBackups.h"

#include "tests/support/TestTree.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>

namespace brindle {
namespace {

using namespace std::chrono;
using test::Node;
using test::TestTree;

const Calendar utc = Calendar::utc();

SetupPlaces placesIn(const TestTree& tree)
{
    SetupPlaces places;
    places.home = tree.path("home");
    places.configHome = tree.path("home/.config");
    places.dataHome = tree.path("home/.local/share");
    places.timeshiftConfig = tree.path("etc/timeshift/timeshift.json");
    places.rsnapshotConfig = tree.path("etc/rsnapshot.conf");
    places.systemUnits = tree.path("etc/systemd/system");
    places.userName = "ada";
    places.userDirs = {{"PICTURES", tree.path("home/Bilder")}};
    return places;
}

TEST(BackupSetup, CoversByTheDeepestRule)
{
    const BackupSetup home{"T",
                           {},
                           {},
                           {},
                           std::vector<std::string>{"/home/ada"},
                           {"/home/ada/Downloads", "/home/ada/Pictures/*", "*.cache", "node_modules"}};
    const BackupSetup system{"T", {}, {}, {}, std::vector<std::string>{"/", "/home/ada/Work"}, {"/home", "/media/*"}};
    const std::vector<std::tuple<const BackupSetup*, std::string, bool>> cases{
        {&home, "/home/ada", true},
        {&home, "/home/ada/Documents", true},
        {&home, "/home/ada/Downloads", false},
        {&home, "/home/ada/Downloads/Papers", false},
        {&home, "/home/ada/Pictures", false},
        {&home, "/home/ada/code/node_modules/x", false},
        {&home, "/home/ada/web.cache", false},
        {&home, "/home/bob", false},
        {&home, "/home", false}, // only part of it is taken
        {&system, "/home/ada/Documents", false},
        {&system, "/home/ada/Work/Notes", true},
        {&system, "/srv/files", true},
        {&system, "/media/ada/Stick", false},
    };
    for (const auto& [setup, folder, covered] : cases)
        EXPECT_EQ(BackupSetups::covers(*setup, folder), covered) << folder;
    EXPECT_TRUE(BackupSetups::covers(BackupSetup{"Says nothing"}, "/anywhere"));
}

TEST(BackupSetup, ReadsEachToolsSettings)
{
    const TestTree tree;
    const SetupPlaces places = placesIn(tree);
    const std::string home = places.home;

    const auto backInTime = SetupRead::backInTime("config.version=6\nprofiles=1:2\n"
                                                  "profile1.snapshots.path=/media/ada/Backup\n"
                                                  "profile1.snapshots.include.1.value=~/Documents\n"
                                                  "profile1.snapshots.include.2.value=$HOME/Music/\n"
                                                  "profile1.snapshots.include.size=2\n"
                                                  "profile1.snapshots.exclude.1.value=.cache/*\n"
                                                  "profile1.snapshots.password.save=true\n"
                                                  "profile2.snapshots.mode=ssh\n"
                                                  "profile2.snapshots.ssh.host=nas\n"
                                                  "profile2.snapshots.ssh.path=/backups\n",
                                                  places);
    ASSERT_EQ(backInTime.size(), 2u);
    EXPECT_EQ(backInTime[0].target, "/media/ada/Backup");
    EXPECT_EQ(backInTime[0].included, (std::vector<std::string>{home + "/Documents", home + "/Music"}));
    EXPECT_TRUE(BackupSetups::covers(backInTime[0], home + "/Documents"));
    EXPECT_FALSE(BackupSetups::covers(backInTime[0], home + "/Pictures"));
    EXPECT_FALSE(BackupSetups::covers(backInTime[0], home + "/Documents/.cache"));
    EXPECT_EQ(backInTime[1].target, "ssh://nas/backups");

    const auto timeshift = SetupRead::timeshift(R"({"backup_device_uuid": "5d1b-77", "btrfs_mode": "false",
        "exclude": ["+ /home/ada/Documents/**", "/home/ada/.cache"], "exclude-apps": []})",
                                                places);
    ASSERT_TRUE(timeshift);
    EXPECT_EQ(timeshift->volumeUuid, "5d1b-77");
    EXPECT_TRUE(BackupSetups::covers(*timeshift, "/etc"));
    EXPECT_TRUE(BackupSetups::covers(*timeshift, "/home/ada/Documents"));
    EXPECT_FALSE(BackupSetups::covers(*timeshift, "/home/ada/Pictures"));
    const auto btrfsHome = SetupRead::timeshift(
        R"({"backup_device_uuid":"u","btrfs_mode":"true","include_btrfs_home_for_backup":"true"})", places);
    EXPECT_TRUE(BackupSetups::covers(*btrfsHome, "/home/ada/Pictures"));
    EXPECT_FALSE(SetupRead::timeshift(R"({"backup_device_uuid": ""})", places));

    const auto pika = SetupRead::pikaBackup(
        R"([{"id":"a1","repo":{"type":"Local","path":"borg","mount_path":"/run/media/ada/Stick","mount_name":"Stick",
              "volume_uuid":"9F3C","removable":true},
             "encrypted":true,"include":["Documents",""],"exclude":[{"PathPrefix":".cache"},{"Fnmatch":"*.tmp"}]},
            {"id":"b2","repo":{"type":"Remote","uri":"ssh://host/./repo"},"encrypted":true,"include":[],"exclude":[]}])",
        R"({"a1":{"run":[],"last_completed":{"end":"2026-11-20T10:00:00.5+01:00","result":{"Ok":{}}}}})", places, utc);
    ASSERT_EQ(pika.size(), 2u);
    EXPECT_EQ(pika[0].target, "/run/media/ada/Stick/borg");
    EXPECT_EQ(pika[0].volumeUuid, "9F3C");
    EXPECT_EQ(pika[0].driveName, "Stick");
    EXPECT_EQ(pika[0].lastBackup, Instant{sys_days{2026y / November / 20} + 9h + 500ms});
    EXPECT_TRUE(BackupSetups::covers(pika[0], home + "/Pictures"));
    EXPECT_FALSE(BackupSetups::covers(pika[0], home + "/.cache"));
    EXPECT_FALSE(BackupSetups::covers(pika[1], home + "/Pictures"));

    DejaDupSettings dejaDup{"drive",
                            "",
                            "1234-ABCD",
                            "Backup",
                            {"$HOME"},
                            {"$TRASH", "$DOWNLOAD", "$PICTURES/$USER"},
                            "2026-11-20T02:15:00.123456Z"};
    const auto deja = SetupRead::dejaDup(dejaDup, places, utc);
    ASSERT_TRUE(deja);
    EXPECT_EQ(deja->volumeUuid, "1234-ABCD");
    EXPECT_EQ(deja->excluded, (std::vector<std::string>{home + "/.local/share/Trash", home + "/Downloads",
                                                        tree.path("home/Bilder/ada")}));
    EXPECT_EQ(deja->lastBackup, Instant{sys_days{2026y / November / 20} + 2h + 15min + 123456us});
    dejaDup.backend = "auto";
    dejaDup.lastBackup.clear();
    EXPECT_FALSE(SetupRead::dejaDup(dejaDup, places, utc)) << "installed, never used";
}

TEST(BackupSetup, ReadsVortaFromItsTables)
{
    const TestTree tree{{{"home/.local/share/Vorta", Node::directory()}}};
    const std::string path = tree.path("home/.local/share/Vorta/settings.db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    const char* tables = R"(
        PRAGMA journal_mode=WAL;
        CREATE TABLE repomodel (id INTEGER PRIMARY KEY, url VARCHAR(255) NOT NULL UNIQUE, added_at DATETIME,
            encryption VARCHAR(255), unique_size INTEGER, total_size INTEGER);
        CREATE TABLE repopassword (id INTEGER PRIMARY KEY, url VARCHAR(255) NOT NULL UNIQUE, password VARCHAR(255));
        CREATE TABLE backupprofilemodel (id INTEGER PRIMARY KEY, name VARCHAR(255) NOT NULL, added_at DATETIME,
            repo_id INTEGER REFERENCES repomodel (id), ssh_key VARCHAR(255), exclude_patterns TEXT);
        CREATE TABLE sourcedirmodel (id INTEGER PRIMARY KEY, dir VARCHAR(255) NOT NULL,
            profile_id INTEGER NOT NULL REFERENCES backupprofilemodel (id), added_at DATETIME);
        CREATE TABLE archivemodel (id INTEGER PRIMARY KEY, snapshot_id VARCHAR(255), name VARCHAR(255),
            repo_id INTEGER NOT NULL REFERENCES repomodel (id), time DATETIME NOT NULL, duration REAL, size INTEGER);
        INSERT INTO repomodel VALUES (1, '/media/ada/Backup/borg', '2026-01-01', 'repokey', 0, 0);
        INSERT INTO repopassword VALUES (1, '/media/ada/Backup/borg', 'secret');
        INSERT INTO backupprofilemodel VALUES (1, 'Default', '2026-01-01', 1, NULL, '*.iso
/home/ada/Downloads');
        INSERT INTO backupprofilemodel VALUES (2, 'No repository', '2026-01-01', NULL, NULL, NULL);
        INSERT INTO sourcedirmodel VALUES (1, '/home/ada', 1, '2026-01-01');
        INSERT INTO archivemodel VALUES (1, 'a', 'x-1', 1, '2026-11-19 23:00:00', 60, NULL);
        INSERT INTO archivemodel VALUES (2, 'b', 'x-2', 1, '2026-11-20 08:30:00.250000', 90.5, NULL);
        INSERT INTO archivemodel VALUES (3, 'c', 'x-3.checkpoint', 1, '2026-11-21 01:00:00', NULL, NULL);
    )";
    ASSERT_EQ(sqlite3_exec(db, tables, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);

    SetupPlaces places = placesIn(tree);
    const auto setups = SetupRead::all(places, std::nullopt, *Calendar::named("Europe/Berlin"));
    ASSERT_EQ(setups.size(), 1u);
    EXPECT_EQ(setups[0].tool, "Vorta");
    EXPECT_EQ(setups[0].target, "/media/ada/Backup/borg");
    EXPECT_EQ(setups[0].included, std::vector<std::string>{"/home/ada"});
    EXPECT_EQ(setups[0].excluded, (std::vector<std::string>{"*.iso", "/home/ada/Downloads"}));
    // vorta/store/models.py, ArchiveModel: "time" is borg's start of the archive, "duration" its
    // length; borg names what an interrupted run leaves "<name>.checkpoint".
    EXPECT_EQ(setups[0].lastStarted, Instant{sys_days{2026y / November / 20} + 7h + 30min + 250ms});
    EXPECT_EQ(setups[0].lastBackup, Instant{sys_days{2026y / November / 20} + 7h + 31min + 30s + 750ms});
}

// Pika Backup's history.json (pika-backup src/config/history.rs: Histories is a map of config
// id to History {run, running, last_completed}; History::insert sets last_completed only for
// an outcome of Completed {stats}, whose archive carries borg's "duration", src/borg/json.rs).
TEST(BackupSetup, PikaBackupsLastCompletedRunAndItsStart)
{
    const TestTree tree{{{"home", Node::directory()}}};
    const SetupPlaces places = placesIn(tree);
    const std::string config = R"([{"id":"b2","repo":{"type":"Remote","uri":"ssh://u@u.repo.borgbase.com/./repo"},
        "include":["Documents"],"exclude":[],
        "schedule":{"enabled":true,"settings":{"run_on_battery":false},"frequency":{"Daily":{"preferred_time":"17:00:00"}}}}])";
    const std::string stats = R"({"Completed":{"stats":{"archive":{"duration":600.0,"id":"i","name":"n",
        "stats":{"compressed_size":1,"deduplicated_size":1,"nfiles":1,"original_size":1}}}}})";
    const Instant end{sys_days{2026y / December / 7} + 22h};
    const std::vector<std::tuple<const char*, std::string, std::optional<Instant>, std::optional<Instant>>> cases{
        {"completed",
         R"({"b2":{"run":[],"running":null,"last_completed":{"end":"2026-12-07T23:00:00+01:00",
            "outcome":)" +
             stats + R"(,"messages":[],"include":[],"exclude":[]}}})",
         end, end - 10min},
        {"running, after a completed run",
         R"({"b2":{"run":[],"running":{"start":"2026-12-08T09:00:00+01:00"},
            "last_completed":{"end":"2026-12-07T22:00:00Z","outcome":)" +
             stats + "}}}",
         end, end - 10min},
        {"running, never completed", R"({"b2":{"run":[],"running":{"start":"2026-12-08T09:00:00+01:00"}}})",
         std::nullopt, std::nullopt},
        {"failed only", R"({"b2":{"run":[{"end":"2026-12-07T22:00:00Z","outcome":{"Failed":{}}}],
            "last_completed":null}})",
         std::nullopt, std::nullopt},
        {"an aborted outcome where a completed one belongs", R"({"b2":{"run":[],
            "last_completed":{"end":"2026-12-07T22:00:00Z","outcome":{"Aborted":"LeftRunning"}}}})",
         std::nullopt, std::nullopt},
        {"a duration no run takes", R"({"b2":{"run":[],"last_completed":{"end":"2026-12-07T22:00:00Z",
            "outcome":{"Completed":{"stats":{"archive":{"duration":1e300}}}}}}})",
         end, std::nullopt},
        {"damaged", R"({"b2":{"run":[],"last_completed":{"end":"2026-12-07T22:00)", std::nullopt, std::nullopt},
    };
    for (const auto& [what, history, lastBackup, lastStarted] : cases) {
        const auto setups = SetupRead::pikaBackup(config, history, places, utc);
        ASSERT_EQ(setups.size(), 1u) << what;
        EXPECT_EQ(setups[0].lastBackup, lastBackup) << what;
        EXPECT_EQ(setups[0].lastStarted, lastStarted) << what;
        EXPECT_EQ(setups[0].scheduledEvery, 24 * 3600) << "src/config/schedule.rs";
    }
}

// Déjà Dup's schema (org.gnome.DejaDup.gschema.xml): "backend" is one of auto, remote, local,
// drive, google, microsoft (and deprecated others); org.gnome.DejaDup.Remote keeps "uri" and
// "folder". "last-backup" is written when a backup succeeds (libdeja CommonUtils.vala,
// update_last_run_timestamp, called from OperationBackup.operation_finished on success).
TEST(BackupSetup, DejaDupsServersAndClouds)
{
    const TestTree tree{{{"home", Node::directory()}}};
    const SetupPlaces places = placesIn(tree);
    const std::vector<std::tuple<std::string, std::string, std::string, std::optional<std::string>>> cases{
        {"remote", "sftp://nas.local/srv/backup", "$HOSTNAME", "sftp://nas.local/srv/backup"},
        {"remote", "smb://nas/share/", "ada", "smb://nas/share/ada"},
        {"remote", "", "", std::nullopt},
        {"google", "", "", "Google Drive"},
        {"microsoft", "", "", "OneDrive"},
        {"local", "", "", std::nullopt},
    };
    for (const auto& [backend, uri, folder, target] : cases) {
        DejaDupSettings settings{backend, "", "", "", {"$HOME"}, {}, "2026-12-07T22:00:00.5Z", uri, folder};
        const auto setup = SetupRead::dejaDup(settings, places, utc);
        ASSERT_TRUE(setup) << backend;
        EXPECT_EQ(setup->target, target) << backend << " " << uri;
        settings.lastBackup.clear();
        EXPECT_EQ(SetupRead::dejaDup(settings, places, utc).has_value(), target.has_value()) << "never run";
    }
}

// A settings database of a few bytes cannot compute its rows (a view), nor values of a
// megabyte (a generated column).
TEST(BackupSetup, VortaTablesThatAreComputedAreNotRead)
{
    const std::string profiles =
        "CREATE TABLE backupprofilemodel(id INTEGER PRIMARY KEY, repo_id INTEGER, exclude_patterns TEXT);"
        "INSERT INTO backupprofilemodel VALUES (1, 1, NULL);";
    for (const std::string repositories : {"CREATE VIEW repomodel(id, url) AS SELECT 1, '/media/ada/Backup';",
                                           "CREATE TABLE repomodel(id INTEGER PRIMARY KEY, url TEXT GENERATED ALWAYS "
                                           "AS (printf('/%.*c', 1000000, 'x')));"
                                           "INSERT INTO repomodel(id) VALUES (1);"}) {
        const TestTree tree{{{"home/.local/share/Vorta", Node::directory()}}};
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(tree.path("home/.local/share/Vorta/settings.db").c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, (repositories + profiles).c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << repositories;
        sqlite3_close(db);
        EXPECT_TRUE(SetupRead::all(placesIn(tree), std::nullopt, utc).empty()) << repositories;
    }
}

// A FIFO, a link to an endless device, a huge file or garbage in a settings file's place is
// taken for no settings, without hanging.
TEST(BackupSetup, HostileSettingsFilesAreNoSettings)
{
    const std::vector<std::string> files{"home/.config/backintime/config", "etc/timeshift/timeshift.json",
                                         "home/.local/share/Vorta/settings.db", "home/.config/pika-backup/backup.json"};
    const std::vector<std::pair<const char*, Node>> kinds{
        {"fifo", Node::fifo()},
        {"link to /dev/zero", Node::symlink("/dev/zero")},
        {"huge", Node::file(std::int64_t{1} << 30)},
        {"garbage",
         Node::text(std::string{'\x7f', '\0', '{', '['} + "profile1.snapshots.path=" + std::string(5000, '\xff'))},
    };
    for (const std::string& file : files)
        for (const auto& [kind, node] : kinds) {
            const TestTree tree{{{file, node}}};
            EXPECT_TRUE(SetupRead::all(placesIn(tree), std::nullopt, utc).empty()) << file << ": " << kind;
        }
}

TEST(BackupSetup, ReadsTimestampsWithAndWithoutZones)
{
    const Calendar berlin = *Calendar::named("Europe/Berlin");
    const Instant noon{sys_days{2026y / November / 20} + 12h};
    const std::vector<std::pair<std::string, std::optional<Instant>>> cases{
        {"2026-11-20T12:00:00Z", noon},
        {"2026-11-20T13:00:00+01:00", noon},
        {"2026-11-20T0700-0500", std::nullopt},
        {"2026-11-20T07:00:00-0500", noon},
        {"2026-11-20 13:00:00", noon}, // Berlin's wall clock
        {"2026-11-20T12:00:00.000001Z", noon + 1us},
        {"2026-11-20T12:00:00.Z", std::nullopt},
        {"2026-02-30T12:00:00Z", std::nullopt},
        {"2026-11-20T12:00:00+24:00", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, instant] : cases)
        EXPECT_EQ(SetupRead::timestamp(text, berlin), instant) << text;
}

// restic and borg run from a timer: the service's ExecStart= and Environment= (systemd.service(5),
// systemd.exec(5)); restic's -r/--repo or RESTIC_REPOSITORY, borg's "create REPO::ARCHIVE PATH…"
// or BORG_REPO with "::ARCHIVE" (their manuals).
TEST(BackupSetup, ServicesThatRunResticOrBorgToAServer)
{
    const TestTree tree{{{"home", Node::directory()}}};
    const SetupPlaces places = placesIn(tree);
    const std::string home = tree.path("home");
    struct Case {
        const char* unit;
        std::optional<std::string> tool{}, target{};
        std::optional<std::vector<std::string>> included{};
    };
    const std::vector<Case> cases{
        {"[Service]\nExecStart=/usr/bin/restic -r sftp:ada@nas:/srv/restic backup --exclude-caches "
         "/home/ada/Documents\n",
         "restic", "sftp:ada@nas:/srv/restic", std::vector<std::string>{"/home/ada/Documents"}},
        {"[Service]\nEnvironment=\"RESTIC_REPOSITORY=rest:https://backup.example.org/ada\"\n"
         "EnvironmentFile=/etc/restic.env\nExecStart=restic backup Documents\n",
         "restic", "rest:https://backup.example.org/ada", std::vector<std::string>{home + "/Documents"}},
        {"[Service]\nEnvironment=BORG_REPO=ssh://u@u.repo.borgbase.com/./repo\n"
         "ExecStart=-/usr/bin/borg create --stats ::{hostname}-{now} /home/ada\n",
         "borg", "ssh://u@u.repo.borgbase.com/./repo", std::vector<std::string>{"/home/ada"}},
        {"[Service]\nExecStart=/usr/bin/borg create /media/ada/Backup/borg::x /home/ada\n"}, // on a drive
        {"[Service]\nExecStart=/usr/bin/restic -r sftp:nas:/r forget --keep-daily 7\n"},     // not a backup
        {"[Service]\nExecStart=/usr/bin/rsync -a /home/ada nas:/backup\n"},
        {"[Service]\nExecStart=\"/usr/bin/restic\n"}, // damaged
    };
    for (const Case& test : cases) {
        const auto setup = SetupRead::systemdUnit(test.unit, places);
        EXPECT_EQ(setup.has_value(), test.tool.has_value()) << test.unit;
        if (!setup || !test.tool)
            continue;
        EXPECT_EQ(setup->tool, *test.tool);
        EXPECT_EQ(setup->target, test.target);
        EXPECT_EQ(setup->included, test.included);
        EXPECT_FALSE(setup->lastBackup);
    }
}

// Back In Time over ssh: its stamp of the last run without an error (backintime
// common/tools.py writeTimeStamp, BIT_TIME_FORMAT "%Y%m%d %H%M"; config.py anacronSpoolFile,
// "1_Main_profile"), read from ~/.local/share/backintime/anacron.
TEST(BackupSetup, BackInTimesStampOfItsLastRunOverSsh)
{
    const std::string config = "profiles=1:2\nprofile1.snapshots.mode=ssh\nprofile1.snapshots.ssh.host=nas\n"
                               "profile1.snapshots.ssh.path=/srv/bit\nprofile2.name=Work laptop\n"
                               "profile2.snapshots.mode=ssh\nprofile2.snapshots.ssh.host=nas\n";
    for (const auto& [stamps, first, second] :
         std::vector<std::tuple<std::map<std::string, std::string>, std::optional<Instant>, std::optional<Instant>>>{
             {{{"1_Main_profile", "20261207 2200\n"}, {"2_Work_laptop", "20261206"}},
              Instant{sys_days{2026y / December / 7} + 22h},
              Instant{sys_days{2026y / December / 6}}},
             {{{"1_Main_profile", "2026120722"}, {"2_Work laptop", "20261206 1000"}}, std::nullopt, std::nullopt},
         }) {
        const TestTree tree{{{"home", Node::directory()}}};
        const auto setups = SetupRead::backInTime(config, placesIn(tree), stamps, utc);
        ASSERT_EQ(setups.size(), 2u);
        EXPECT_EQ(setups[0].target, "ssh://nas/srv/bit");
        EXPECT_EQ(setups[0].lastBackup, first);
        EXPECT_EQ(setups[1].lastBackup, second);
    }
}

TEST(RemoteBackups, TargetsAsPeopleKnowThem)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"ssh://k3x@k3x.repo.borgbase.com/./repo", "BorgBase (ssh)"},
        {"k3x@k3x.repo.borgbase.com:repo", "BorgBase (ssh)"},
        {"ssh://backup@[::1]:2222/srv/borg", "::1 (ssh)"},
        {"sftp:ada@nas.local:/srv/restic", "nas.local (sftp)"},
        {"sftp://u123@u123.your-storagebox.de/backups", "Hetzner Storage Box (sftp)"},
        {"smb://nas/share/ada", "nas (SMB)"},
        {"davs://cloud.example.org/remote.php/webdav", "cloud.example.org (WebDAV)"},
        {"b2:bucket-name", "b2:bucket-name"},
        {"Google Drive", "Google Drive"},
    };
    for (const auto& [target, name] : cases)
        EXPECT_EQ(RemoteBackups::targetName(target), name) << target;
    EXPECT_FALSE(RemoteBackups::isRemote(BackupSetup{"Vorta", "/media/ada/Backup"}));
    EXPECT_TRUE(RemoteBackups::isRemote(BackupSetup{"Vorta", "nas:backups"}));
}

} // namespace
} // namespace brindle
