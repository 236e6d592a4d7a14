// Déjà Dup 44 makes the backups itself, through duplicity, on an X server of its own (Xvfb)
// with its settings in a GSettings keyfile; `brindle check --json` then reads those settings
// and the drive. Compared with what Déjà Dup recorded (its last-backup key) and with
// `duplicity collection-status` and `list-current-files`.
#include "BrindleCore/CheckResult.h"
#include "tests/realtools/RealTools.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace brindle::test {
namespace {

struct DejaDup : Workplace {
    std::string target = drive + "/backups";
    std::string keyfile = state + "/config/glib-2.0/settings/keyfile";
    Environment environment{{"HOME", home},
                            {"XDG_CONFIG_HOME", state + "/config"},
                            {"XDG_CACHE_HOME", state + "/cache"},
                            {"GSETTINGS_BACKEND", "keyfile"}};

    DejaDup()
    {
        tree.add("home/Downloads/setup.iso", Node::text("downloaded"));
        tree.add("state/config/user-dirs.dirs", Node::text("XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"));
        // The whole home, less Déjà Dup's default exclusions (the trash and Downloads), to a
        // folder. A last run on record skips the first run's questions of what and where.
        tree.add("state/config/glib-2.0/settings/keyfile",
                 Node::text("[org/gnome/deja-dup]\nbackend='local'\ntool='duplicity'\n"
                            "include-list=['$HOME']\nlast-run='2026-01-01T00:00:00Z'\n\n"
                            "[org/gnome/deja-dup/local]\nfolder='" +
                            target + "'\n"));
    }
    int backUp() const
    {
        return run({"dbus-run-session", "--", "xvfb-run", "-a", "-s", "-screen 0 1024x768x24",
                    BRINDLE_REAL_TOOLS_DIR "/deja-dup-backup.sh"},
                   environment)
            .status;
    }
    // A key of Déjà Dup's own, as it wrote it to the keyfile.
    std::string recorded(const std::string& key) const
    {
        std::ifstream in(keyfile);
        for (std::string line; std::getline(in, line);)
            if (line.starts_with(key + "='"))
                return line.substr(key.size() + 2, line.size() - key.size() - 3);
        return {};
    }
    std::string duplicity(const char* action) const
    {
        return run({"duplicity", action, "--archive-dir", state + "/listing", "file://" + target}, environment).output;
    }
};

TEST(RealDejaDup, BrindleReadsTheBackupsAndSettingsDejaDupWrote)
{
    for (const char* tool : {"deja-dup", "duplicity", "xvfb-run", "xdotool", "dbus-run-session"})
        BRINDLE_REQUIRE_TOOL(tool);
    DejaDup dejaDup;
    ASSERT_EQ(dejaDup.backUp(), 0) << "the first backup";
    // Duplicity names its volumes to the second: the next run starts in another one.
    const Instant first = clockNow();
    waitFor([&] { return clockNow() - first > std::chrono::seconds{1}; });
    writeFile(dejaDup.home + "/Documents/a.txt", "changed");
    ASSERT_EQ(dejaDup.backUp(), 0) << "the second backup";
    // Déjà Dup writes microseconds; to the second is enough here.
    const auto lastBackup = parseISO8601(dejaDup.recorded("last-backup").substr(0, 19) + "Z");
    ASSERT_TRUE(lastBackup) << "Déjà Dup recorded no backup";

    std::istringstream status(dejaDup.duplicity("collection-status"));
    std::size_t listed = 0;
    for (std::string line; std::getline(status, line);)
        listed += std::regex_search(line, std::regex(R"(^\s+(Full|Incremental)\s)"));
    const std::string files = dejaDup.duplicity("list-current-files");
    ASSERT_NE(files.find("Documents/a.txt"), std::string::npos) << files;
    ASSERT_EQ(files.find("setup.iso"), std::string::npos) << "Déjà Dup left Downloads out: " << files;

    const Finished check =
        run({BRINDLE_CLI, "check", dejaDup.home, "--drive", dejaDup.drive, "--json"}, dejaDup.environment);
    const auto result = decodeCheckResultText(check.output);
    ASSERT_TRUE(result && result->drive && result->backupSetups) << check.output;
    EXPECT_EQ(listed, 2u);
    ASSERT_EQ(result->drive->backups.size(), listed);
    for (const Backup& backup : result->drive->backups)
        EXPECT_EQ(backup.tool, "Déjà Dup");
    // The newest backup began before Déjà Dup recorded its end, within the run.
    EXPECT_LE(result->drive->backups.back().date, *lastBackup);
    EXPECT_GT(result->drive->backups.back().date, first);
    ASSERT_EQ(result->backupSetups->size(), 1u);
    const BackupSetup& setup = result->backupSetups->front();
    EXPECT_EQ(setup.tool, "Déjà Dup");
    EXPECT_EQ(setup.target, dejaDup.target);
    ASSERT_TRUE(setup.lastBackup);
    EXPECT_LT(std::chrono::abs(*setup.lastBackup - *lastBackup), std::chrono::seconds{1});
    // What Déjà Dup left out has no second copy, though nothing changed since.
    EXPECT_EQ(result->total().changedSinceBackup, 1);
    ASSERT_TRUE(result->leftOutInside);
    EXPECT_NE(std::find(result->leftOutInside->begin(), result->leftOutInside->end(), dejaDup.home + "/Downloads"),
              result->leftOutInside->end());
}

} // namespace
} // namespace brindle::test
