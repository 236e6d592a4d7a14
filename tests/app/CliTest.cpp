#include "Brindle/Version.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/GrantTokens.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "Brindle/cli/Commands.h"
#include "Brindle/cli/TallyTable.h"
#include "Brindle/cli/Terminal.h"
#include "Brindle/cli/TextReports.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Store.h"

#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace brindle::cli {
namespace {

TEST(Terminal, PrintableNeutralisesControlsAndBadUtf8)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"plain", "plain"},
        {"caf\xc3\xa9", "caf\xc3\xa9"},
        {"line\nbreak\x1b[2J", "line?break?[2J"},
        {"bad\xff", "bad\xEF\xBF\xBD"},
        {"\xc0\xaf", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // overlong slash
        {"\xed\xa0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // surrogate
        {"\xc2\x9b", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // C1 control
        {"a\u202Eb", "a\uFFFD\uFFFD\uFFFDb"},                     // right-to-left override
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(printable(in), out) << in;
    EXPECT_EQ(displayWidth("caf\xc3\xa9"), 4u);
    EXPECT_EQ(fitLeft("Documents", 5), "Docu\u2026");
    EXPECT_EQ(fitLeft("Doc", 5), "Doc  ");
    EXPECT_EQ(padRight("1", 3), "  1");
}

TEST(TallyTable, ShowsEveryFolderAndTheTotal)
{
    FolderTally documents("Documents", "/home/ada/Documents");
    documents.files = 1234;
    documents.bytes = 2'500'000'000;
    documents.counts.add(Place::onlyHere, 1234);
    documents.changedSinceBackup = 3;
    FolderTally total("All folders", "");
    total.merge(documents);
    const std::string table = tallyTable({documents}, total);
    EXPECT_EQ(table, "Folder       Files     Size  Only here  Both  Only cloud  Waiting  Unknown  This week  Since "
                     "backup  No 2nd copy\n"
                     "Documents    1,234  2.50 GB      1,234     0           0        0        0          0            "
                     " 3            3\n"
                     "-------------------------------------------------------------------------------------------------"
                     "---------------\n"
                     "All folders  1,234  2.50 GB      1,234     0           0        0        0          0            "
                     " 3            3\n");
}

} // namespace
} // namespace brindle::cli

namespace brindle::cli {
namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

CommandRun run(std::vector<std::string> words)
{
    const std::vector<std::string_view> args(words.begin() + 1, words.end());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = runCommand(words.front(), args);
    std::string out = ::testing::internal::GetCapturedStdout();
    std::string err = ::testing::internal::GetCapturedStderr();
    return {status, out, err};
}

TEST(Commands, ExitStatusesAndWhatIsPrinted)
{
    const test::TestTree tree{{{"Docs/a.txt", test::Node::file(5)},
                               {"Drive/readme", test::Node::file()},
                               {"Shift/timeshift/snapshots/2026-11-20_02-15-00/info.json",
                                test::Node::text(R"({"created":"1795140900","tags":"D"})")}}};
    {
        std::ifstream manifest(std::string(BRINDLE_TEST_DATA) + "/manifest.binary.plist", std::ios::binary);
        std::ofstream(tree.path("Drive/backup_manifest.plist"), std::ios::binary) << manifest.rdbuf();
    }
    struct Case {
        std::vector<std::string> words;
        int status;
        std::string printed;
    };
    const std::vector<Case> cases{
        {{"scan", tree.path("Docs")}, 0, "All folders"},
        {{"scan", tree.path("missing"), tree.path("Docs")}, 1, "Docs "},
        {{"scan", tree.path("Docs"), "--json"}, 0, "\"files\":1,\"bytes\":5"},
        {{"scan", "--workers", "0", tree.path("Docs")}, 2, ""},
        {{"scan", "--last-backup", "2026-11-26", tree.path("Docs")}, 2, ""},
        {{"scan"}, 2, ""},
        {{"drive", tree.path("Drive")}, 0, "48,203"},
        {{"drive", tree.path("Docs")}, 1, "no drive is mounted at"},
        {{"drive", tree.path("Drive"), "--json"}, 0, "\"changedItems\":48203"},
        {{"drive", tree.path("missing")}, 1, ""},
        {{"drive", tree.path("Shift")}, 0, "2026-11-20T02:15:00Z  2026-11-20T02:15:00Z  Timeshift"},
        {{"check", tree.path("Docs"), "--drive", tree.path("Shift"), "--json"}, 0, "\"onBackupDisk\":[\"Docs\"]"},
        {{"drive"}, 2, ""},
        {{"check", "--bogus"}, 2, ""},
        {{"--version"}, 0, "brindle " + std::string(version) + "\n"},
        {{"report", "--pdf", "-"}, 1, "window is not installed"}, // no brindle-window beside the tests
    };
    for (const Case& c : cases) {
        const CommandRun result = run(c.words);
        EXPECT_EQ(result.status, c.status) << c.words.front() << " " << c.words.back();
        EXPECT_NE((result.out + result.err).find(c.printed), std::string::npos) << result.out << result.err;
    }
}

} // namespace
} // namespace brindle::cli

namespace brindle::cli {
namespace {

TEST(TextReports, WrapsProseAtTheWidthWithAHangingIndent)
{
    const std::vector<std::tuple<std::string, std::size_t, std::string, std::string>> cases{
        {"one two three", 80, "", "one two three"},
        {"one two three", 7, "", "one two\nthree"},
        {"one two three", 9, "  ", "one two\n  three"},
        {"caf\xc3\xa9 caf\xc3\xa9", 9, "", "caf\xc3\xa9 caf\xc3\xa9"}, // widths count characters, not bytes
        {"averyveryverylongword x", 5, "", "averyveryverylongword\nx"},
        {"", 10, "", ""},
    };
    for (const auto& [text, width, indent, expected] : cases)
        EXPECT_EQ(wrapped(text, width, indent), expected) << text << " at " << width;
}

TEST(TextReports, ALetterHasTheAnswerTheFindingsAndTheTable)
{
    FolderTally docs("Docs", "/home/ada/Docs");
    docs.files = 2;
    docs.counts.add(Place::onlyHere, 2);
    const CheckResult result(Instant{}, 1.0, {docs}, std::nullopt, {}, false);
    Report report;
    report.answer = "Two files have no second copy.";
    report.findings = {{"noBackup", "Nothing here is backed up", "Choose a drive.", "How to Back Up", "x", true},
                       {"photos", "Photos keeps its own library", "Look in Photos.", "", "y", false}};
    const std::string plain = checkLetter(result, report, TextStyle{false, 80});
    EXPECT_EQ(plain.substr(0, plain.find("Folder")), "Two files have no second copy.\n"
                                                     "\n"
                                                     "! Nothing here is backed up\n"
                                                     "  Choose a drive.\n"
                                                     "  \u2192 How to Back Up\n"
                                                     "\n"
                                                     "i Photos keeps its own library\n"
                                                     "  Look in Photos.\n"
                                                     "\n");
    EXPECT_NE(plain.find("All folders"), std::string::npos);
    EXPECT_EQ(plain.find('\x1b'), std::string::npos) << "no escapes without colour";
    EXPECT_NE(checkLetter(result, report, TextStyle{true, 80}).find("\x1b[1m"), std::string::npos);
}

} // namespace
} // namespace brindle::cli

namespace brindle::cli {
namespace {

TEST(Commands, TheOwnCheckKeepsItsResultAndOneOffsDoNot)
{
    const test::TestTree tree{
        {{"home/Documents/a.txt", test::Node::file(5)}, {"elsewhere/b.txt", test::Node::file(7)}}};
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("home/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    const std::string history = tree.path("data/Brindle/history.jsonl");

    EXPECT_EQ(run({"no-second-copy"}).out, "Brindle hasn\u2019t checked yet. Open it and choose your folders.\n");
    EXPECT_EQ(run({"history"}).out, "No checks yet.\n");
    EXPECT_EQ(run({"last-backup"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(tree.path("data"))) << "a read-only command created the store";

    // A one-off check of a given folder writes nothing.
    EXPECT_EQ(run({"check", tree.path("elsewhere")}).status, 0);
    EXPECT_FALSE(Store::loadLast());
    // Nor does a demonstration.
    const CommandRun demo = run({"check", "--demo-drive"});
    EXPECT_EQ(demo.status, 0);
    EXPECT_NE(demo.out.find("12 files have changed since your last backup"), std::string::npos) << demo.out;
    EXPECT_FALSE(Store::loadLast());
    EXPECT_EQ(run({"check", "--demo", tree.path("elsewhere")}).status, 2);

    // The own check of the standard folders keeps its result and a history line.
    EXPECT_EQ(run({"check"}).status, 0);
    ASSERT_TRUE(Store::loadLast());
    EXPECT_EQ(Store::loadLast()->folders.at(0).name, "Documents");
    const CommandRun count = run({"no-second-copy", "--json"});
    EXPECT_TRUE(count.out.starts_with(R"({"value":1,"dialog":"1 file has no second copy, at the check today at )"))
        << count.out;
    EXPECT_EQ(
        run({"last-backup", "--json"}).out,
        "{\"value\":\"No backup drive is chosen in Brindle.\",\"dialog\":\"No backup drive is chosen in Brindle.\"}\n");
    EXPECT_EQ(run({"last-backup", "--bogus"}).status, 2);

    // --save keeps a one-off too.
    EXPECT_EQ(run({"check", "--save", tree.path("elsewhere")}).status, 0);
    EXPECT_EQ(Store::loadLast()->folders.at(0).name, "elsewhere");
    const CommandRun lines = run({"history", "--json"});
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '{'), 2) << lines.out;
    EXPECT_NE(run({"history"}).out.find("No second copy"), std::string::npos);

    // A check that finds none of its folders keeps nothing and fails.
    ::setenv("HOME", tree.path("elsewhere").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("elsewhere/.config").c_str(), 1);
    EXPECT_EQ(run({"check"}).status, nothingToCheck);
    EXPECT_EQ(run({"check", "--save", tree.path("gone")}).status, 1);
    EXPECT_EQ(Store::loadLast()->folders.at(0).name, "elsewhere");
}

// With folders granted in the window, the command line checks those, the window's way.
TEST(Commands, TheOwnCheckChecksWhatWasGranted)
{
    const test::TestTree tree{{{"home/Documents/a.txt", test::Node::file(5)}, {"granted/b.txt", test::Node::file(7)}}};
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    const auto settings = makeSettingsFile();
    const auto token = makeGrantTokens()->create(tree.path("granted"));
    ASSERT_TRUE(token);
    const Grant gone{"Gone", tree.path("gone"),
                     R"({"version":1,"path":"/nowhere","inVolume":"/nowhere","device":1,"inode":1})"};
    // One grant that does not decode is named and left out; the others are still checked.
    JsonIn stored = JsonIn(encode(std::vector<Grant>{{"granted", tree.path("granted"), *token}, gone}));
    stored.push_back({{"name", "Broken"}, {"path", tree.path("broken")}, {"bookmark", "x"}, {"uuid", 5}});
    ASSERT_TRUE(settings->setValue(settingKeys::grants, stored));

    const CommandRun check = run({"check"});
    EXPECT_EQ(check.status, 1) << "a grant that is not found is a problem";
    EXPECT_NE(check.err.find("\u201cBroken\u201d could not be read from the settings"), std::string::npos) << check.err;
    const auto kept = Store::loadLast();
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->folders.size(), 1u);
    EXPECT_EQ(kept->folders[0].name, "granted");
    EXPECT_EQ(kept->unreadable, (std::vector<std::string>{"Broken", "Gone"}));
}

TEST(Commands, TextFromOutsideNeverReachesTheTerminalRaw)
{
    const test::TestTree tree;
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    CheckResult result = Demo::withDrive();
    result.drive->facts.name = "A\x1b[2J";
    ASSERT_TRUE(Store::saveLast(result));
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"last-backup"}, {"check", "--\x1b[2J"}, {"history", "\x1b[2J"}}) {
        const CommandRun printed = run(words);
        EXPECT_EQ((printed.out + printed.err).find('\x1b'), std::string::npos) << words.front();
    }
}

TEST(Commands, OutputThatCannotBeWrittenFails)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int full = ::open("/dev/full", O_WRONLY);
        if (full < 0 || ::dup2(full, STDOUT_FILENO) < 0)
            ::_exit(100);
        const std::vector<std::string_view> args{"--demo", "--json"};
        ::_exit(finishOutput(runCommand("check", args)));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

// What the brindle executable prints to stdout in the language `language` names.
std::string printedIn(const char* language, std::vector<std::string> words)
{
    std::vector<std::string> environment{std::string("LANGUAGE=") + language, "LC_ALL=C.UTF-8"};
    for (char** entry = ::environ; *entry; ++entry)
        if (!std::string_view(*entry).starts_with("LANGUAGE=") && !std::string_view(*entry).starts_with("LC_ALL="))
            environment.emplace_back(*entry);
    words.insert(words.begin(), BRINDLE_EXECUTABLE);
    std::vector<char*> argv, envp;
    for (std::string& word : words)
        argv.push_back(word.data());
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    int pipe[2];
    if (::pipe(pipe) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::close(pipe[0]);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(pipe[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return out;
}

TEST(Commands, TheTerminalSpeaksTheLanguageOfTheEnvironment)
{
    const std::string german = printedIn("de", {"check", "--demo"});
    for (const char* phrase : {"Ordner ", "Ohne 2. Kopie", "Alle Ordner"})
        EXPECT_NE(german.find(phrase), std::string::npos) << phrase << "\n" << german;
    EXPECT_EQ(printedIn("", {"check", "--demo"}), run({"check", "--demo"}).out);
}

TEST(Commands, AStoreThatCannotBeReadIsSaidNotTakenForNeverChecked)
{
    const test::TestTree tree{{{"data/Brindle/history.jsonl/inside", test::Node::file()}}};
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    std::ofstream(tree.path("data/Brindle/last-check.json")) << "[1]";
    for (const char* question : {"no-second-copy", "last-backup"}) {
        const CommandRun text = run({question});
        EXPECT_EQ(text.status, 1) << question;
        EXPECT_EQ(text.out, "") << question;
        const CommandRun json = run({question, "--json"});
        EXPECT_EQ(json.status, 1) << question;
        EXPECT_TRUE(json.out.starts_with(R"({"value":null,"dialog":"The last check can)")) << json.out;
    }
    EXPECT_EQ(run({"history"}).status, 1);
}

} // namespace
} // namespace brindle::cli

namespace brindle::cli {
namespace {

TEST(Commands, ASyncJournalThatCannotBeReadFailsTheCheck)
{
    const test::TestTree tree{{{"home/Cloud/a.txt", test::Node::file(5)},
                               {"home/Cloud/.sync_0123456789ab.db", test::Node::text("not a database")}}};
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("home/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    ASSERT_TRUE(makeFolders(tree.path("home/.config/Nextcloud")));
    ASSERT_TRUE(writeFileAtomically(tree.path("home/.config/Nextcloud/nextcloud.cfg"),
                                    "[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("home/Cloud") + "\n"));
    const CommandRun check = run({"check", tree.path("home/Cloud")});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.err.find("the Nextcloud journal of " + tree.path("home/Cloud") +
                             " could not be read; its files are counted as only here."),
              std::string::npos)
        << check.err;
    EXPECT_NE(check.out.find("Brindle couldn\u2019t read what Nextcloud has synced"), std::string::npos) << check.out;
}

TEST(Commands, CheckNamesTheBackupToolAndWhatItLeavesOut)
{
    const test::TestTree tree{
        {{"home/.config/backintime/config",
          test::Node::text(
              "profile1.snapshots.path=/media/ada/Backup\nprofile1.snapshots.include.1.value=~/Documents\n"
              "profile1.snapshots.exclude.1.value=~/Documents/Cache\nprofile1.snapshots.exclude.2.value=*.iso\n")},
         {"home/Documents/a.txt", test::Node::file(5)},
         {"home/Documents/Cache/c.tmp", test::Node::file(5)},
         {"home/Pictures/b.jpg", test::Node::file(7)},
         {"Drive/backintime/host/ada/1/20261120-021500/backup", test::Node::directory()}}};
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("home/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", tree.path("share").c_str(), 1); // no desktop's settings schemas
    const std::vector<std::string> words{"check", tree.path("home/Documents"), tree.path("home/Pictures"), "--drive",
                                         tree.path("Drive")};
    const CommandRun text = run(words);
    EXPECT_NE(text.out.find("Back In Time leaves out Documents/Cache, Pictures and every .iso file\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Backup tool Back In Time, backing up to \u201c/media/ada/Backup\u201d; leaves out "
                            "Documents/Cache, Pictures and every .iso file\n"),
              std::string::npos)
        << text.out;
    std::vector<std::string> json = words;
    json.push_back("--json");
    const CommandRun carried = run(json);
    EXPECT_NE(carried.out.find(R"("backupSetups":[{"tool":"Back In Time","target":"/media/ada/Backup")"),
              std::string::npos)
        << carried.out;
    EXPECT_NE(carried.out.find(R"("leftOut":["Pictures"])"), std::string::npos) << carried.out;
}

// Pika Backup to BorgBase over ssh, its last run recorded as completed: the check takes the
// tool's word for it and asks for no drive.
TEST(Commands, CheckTakesPikaBackupsRecordOfABackupSentOverTheNetwork)
{
    const test::TestTree tree{
        {{"home/.config/pika-backup/backup.json",
          test::Node::text(R"([{"id":"main","repo":{"type":"Remote","uri":"ssh://k3x@k3x.repo.borgbase.com/./repo"},
              "include":["Documents"],"exclude":[]}])")},
         {"home/.config/pika-backup/history.json",
          test::Node::text(R"({"main":{"run":[],"last_completed":{"end":"2026-12-07T22:00:00Z",
              "outcome":{"Completed":{"stats":{"archive":{"duration":300.0}}}}}}})")},
         {"home/Documents/a.txt", test::Node::file(5)}}};
    ::setenv("HOME", tree.path("home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", tree.path("home/.config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", tree.path("data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", tree.path("share").c_str(), 1);
    const CommandRun text = run({"check", tree.path("home/Documents")});
    EXPECT_TRUE(text.out.starts_with("1 file has changed since your last backup, ")) << text.out;
    EXPECT_NE(text.out.find("Pika Backup backs up over the network"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("BorgBase (ssh)"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("Choose Backup Drive"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("can\u2019t see its drive"), std::string::npos) << text.out;
}

} // namespace
} // namespace brindle::cli
