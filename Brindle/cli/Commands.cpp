#include "Brindle/cli/Commands.h"

#include "Brindle/Version.h"
#include "Brindle/app/model/GrantedCheck.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/GrantTokens.h"
#include "Brindle/app/services/SettingsStore.h"
#include "Brindle/cli/CheckRun.h"
#include "Brindle/cli/TallyTable.h"
#include "Brindle/cli/Terminal.h"
#include "Brindle/cli/TextReports.h"
#include "Brindle/cli/WindowLauncher.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Json.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Report.h"
#include "BrindleCore/Scanner.h"
#include "BrindleCore/StandardFolders.h"
#include "BrindleCore/Store.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/sync/SyncFacts.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace brindle::cli {

namespace {
constexpr int maxWorkers = 64;

// The folder as an absolute path, made lexically (links are not resolved).
std::string absolutePath(std::string_view path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error)
        return std::string(path);
    return withoutTrailingSlashes(absolute.lexically_normal().string());
}

struct ScanOptions {
    std::vector<CheckFolder> folders;
    std::vector<std::string> drives;
    std::optional<Instant> lastBackup;
    int workers = 4;
    bool json = false;
    bool save = false;
    Demo::Choice demo = Demo::Choice::none;
};

// Parses the options shared by `scan` and `check`; returns an error message on bad input.
std::optional<std::string> parseScanOptions(std::span<const std::string_view> args, bool isCheck, ScanOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--save" && isCheck) {
            options.save = true;
        } else if ((arg == "--demo" || arg == "--demo-drive") && isCheck) {
            options.demo = arg == "--demo" ? Demo::Choice::noBackup : Demo::Choice::withDrive;
        } else if (arg == "--drive" && isCheck) {
            const auto text = value();
            if (!text)
                return translated("terminal: error", "--drive needs the folder where a backup drive is mounted");
            options.drives.push_back(absolutePath(*text));
        } else if (arg == "--last-backup" && !isCheck) {
            const auto text = value();
            if (!text)
                return translated("terminal: error", "--last-backup needs a date such as 2026-11-26T15:12:00Z");
            options.lastBackup = parseISO8601(*text);
            if (!options.lastBackup)
                return fill(
                    translated("terminal: error", "\u201c{text}\u201d is not a date in the form 2026-11-26T15:12:00Z"),
                    {{"text", printable(*text)}});
        } else if (arg == "--workers") {
            const auto text = value();
            int workers = 0;
            if (!text ||
                std::from_chars(text->data(), text->data() + text->size(), workers).ptr !=
                    text->data() + text->size() ||
                workers < 1 || workers > maxWorkers)
                return fill(translated("terminal: error", "--workers needs a whole number from 1 to {most}"),
                            {{"most", std::to_string(maxWorkers)}});
            options.workers = workers;
        } else if (arg.starts_with("-") && arg != "-") {
            return fill(translated("terminal: error", "unknown option \u201c{option}\u201d"),
                        {{"option", printable(arg)}});
        } else {
            std::string path = absolutePath(arg);
            options.folders.push_back({std::string(lastPathComponent(path)), std::move(path)});
        }
    }
    return std::nullopt;
}

int scanAndPrint(const ScanOptions& options)
{
    const Scanner scanner(clockNow(), options.lastBackup, options.workers);
    ScannedFolders scanned;
    {
        LiveCount live;
        scanned = Check::scanFolders(scanner, options.folders, live);
    }
    const bool complete = reportProblems(scanned.problems);
    if (options.json) {
        JsonOut array = JsonOut::array();
        for (const FolderTally& folder : scanned.tallies)
            array.push_back(encode(folder));
        std::printf("%s\n", dumpJson(array).c_str());
    } else {
        std::fputs(tallyTable(scanned.tallies, sumOfFolders(scanned.tallies)).c_str(), stdout);
    }
    return complete ? 0 : 1;
}

void printCheck(const CheckResult& result, bool json)
{
    if (json) {
        std::printf("%s\n", encodeCheckResultText(result).c_str());
        return;
    }
    const Report report(result, Guide::shared(), std::nullopt, Calendar::current());
    std::fputs(checkLetter(result, report, TextStyle::forStdout()).c_str(), stdout);
}
} // namespace

int runScan(std::span<const std::string_view> args)
{
    ScanOptions options;
    if (const auto error = parseScanOptions(args, false, options))
        return usageError(*error);
    if (options.folders.empty())
        return usageError(translated("terminal: error", "scan needs at least one folder"));
    return scanAndPrint(options);
}

int runCheck(std::span<const std::string_view> args)
{
    ScanOptions options;
    if (const auto error = parseScanOptions(args, true, options))
        return usageError(*error);
    if (const auto demo = Demo::result(options.demo)) {
        if (!options.folders.empty() || !options.drives.empty() || options.save)
            return usageError(
                translated("terminal: error", "a demonstration check takes no folders, drives or --save"));
        printCheck(*demo, options.json);
        return 0;
    }
    const Instant now = clockNow();
    bool complete = true;
    std::vector<DriveState> named;
    for (const std::string& path : options.drives) {
        if (auto state = readDrive(path, now))
            named.push_back(std::move(*state));
        else
            complete = false;
    }

    // Without folders this is the application's own check: of what was granted in the window,
    // or, when nothing was, of the standard folders. It keeps its result and history; a check
    // of given folders is a one-off unless --save says otherwise.
    const bool ownCheck = options.folders.empty();
    const std::unique_ptr<SettingsStore> settings = ownCheck ? makeSettingsFile() : nullptr;
    // A grant that cannot be read is named and left out; it never turns the check into one
    // of the standard folders.
    const bool granted =
        settings && (!Stored::grants(*settings).empty() || !Stored::undecodableGrants(*settings).empty());
    CheckPlan plan;
    if (granted) {
        plan = planFromSettings(*settings, mountedVolumes(), now);
        for (const std::string& name : plan.undecodableGrants)
            std::fprintf(
                stderr, "brindle: %s\n",
                fill(translated("terminal: error", "the chosen folder \u201c{folder}\u201d could not be read from the "
                                                   "settings; it is left out"),
                     {{"folder", printable(name)}})
                    .c_str());
        complete = plan.undecodableGrants.empty() && complete;
    } else {
        plan.folders = options.folders;
        if (ownCheck)
            for (const StandardFolder& folder : standardFolders())
                plan.folders.push_back({folder.name, folder.path});
        if (plan.folders.empty()) {
            std::fprintf(stderr, "brindle: %s\n",
                         translated("terminal: error",
                                    "nothing is chosen in Brindle, and none of the standard folders "
                                    "(Desktop, Documents, Downloads, Music, Pictures, Videos) exists "
                                    "in your home folder.")
                             .c_str());
            return nothingToCheck;
        }
        plan.now = now;
        plan.sync = SyncLocations::system();
        plan.photos = SetupPlaces::current();
    }
    plan.workers = options.workers;
    plan.extraDrives = std::move(named);
    GrantedCheck check;
    {
        LiveCount live;
        check = runGrantedCheck(plan, *makeGrantTokens(), systemVolumes(), live);
    }
    const CheckResult& result = check.outcome.result;
    complete = reportProblems(check.outcome.problems) && complete;
    for (const std::string& folder : result.unreadableJournals.value_or(std::vector<std::string>{})) {
        std::string text = translated(
            "terminal: error", "the sync journal of {folder} could not be read; its files are counted as only here.");
        if (result.cloudClient)
            text =
                translated("terminal: error",
                           // TRANSLATORS: {client} is a sync program's name, such as Nextcloud.
                           "the {client} journal of {folder} could not be read; its files are counted as only here.");
        std::fprintf(stderr, "brindle: %s\n",
                     fill(text, {{"client", printable(result.cloudClient.value_or(""))}, {"folder", printable(folder)}})
                         .c_str());
        complete = false;
    }
    bool recorded = true;
    if (ownCheck || options.save) {
        History history = openHistory(Store::historyURL());
        std::vector<CheckSummary> lines = history.all();
        std::vector<Grant> grants = plan.grants;
        const KeptCheck keptCheck = keepCheck(granted ? settings.get() : nullptr, check, grants, plan.drives,
                                              Store::lastCheckURL(), history, lines, clockNow(), EmptyCheck::refuse);
        if (!keptCheck.settingsWritten) {
            std::fprintf(stderr, "brindle: %s\n",
                         fill(translated("terminal: error", "the settings could not be written: {reason}"),
                              {{"reason", settings->lastError()}})
                             .c_str());
            recorded = false;
        }
        const Recorded& kept = keptCheck.recorded;
        if (keptCheck.kept && !kept.saved)
            std::fprintf(stderr, "brindle: %s\n",
                         fill(translated("terminal: error", "the result could not be saved in {file} ({reason})"),
                              {{"file", printable(Store::lastCheckURL())}, {"reason", printable(kept.saveError)}})
                             .c_str());
        else if (keptCheck.kept && !kept.appended)
            std::fprintf(stderr, "brindle: %s\n",
                         fill(translated("terminal: error", "the history could not be written in {file} ({reason})"),
                              {{"file", printable(Store::historyURL())}, {"reason", printable(kept.historyError)}})
                             .c_str());
        recorded = recorded && (!keptCheck.kept || (kept.saved && kept.appended));
    }
    printCheck(result, options.json);
    return complete && recorded ? 0 : 1;
}

int runDrive(std::span<const std::string_view> args)
{
    bool json = false;
    std::optional<std::string> path;
    for (const std::string_view arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg.starts_with("-") && arg != "-")
            return usageError(fill(translated("terminal: error", "unknown option \u201c{option}\u201d"),
                                   {{"option", printable(arg)}}));
        else if (path)
            return usageError(translated("terminal: error", "drive takes one folder"));
        else
            path = absolutePath(arg);
    }
    if (!path)
        return usageError(translated("terminal: error", "drive needs the folder where a backup drive is mounted"));
    const auto state = readDrive(*path, clockNow());
    if (!state)
        return 1;
    if (json)
        std::printf("%s\n", dumpJson(encode(*state, DateForm::iso8601)).c_str());
    else
        std::fputs(driveReport(*state).c_str(), stdout);
    return 0;
}

void printHelp()
{
    // TRANSLATORS: keep the command and option names, and the columns lined up.
    std::fputs(translated("terminal: brindle --help", R"(Usage: brindle [LAUNCH ARGUMENT...]
       brindle COMMAND [OPTIONS]

Brindle tells you which of the files you care about have no second copy.
It only reads what the file system says about each file; it never changes one.

Without a command, brindle opens its window, or brings the open one forward.
Launch arguments:
  -demo, -demoDrive         Show the demonstration, without or with a backup drive.
  -menubar                  Open the tray panel as a window instead of the main window.
  -welcome                  Show the welcome sheet.
  -select=PLACE             Start at PLACE: history, drive, icloud, photos, all,
                            nosecond, week, or folder=PATH (below your home folder).
  -day, -night              Draw the window light or dark, whatever the desktop says.

Commands:
  check [FOLDER...]         Check your folders and print what has no second copy.
                            Without FOLDERs it checks your standard folders
                            (Desktop, Documents, Downloads, Music, Pictures, Videos),
                            keeps the result and adds a line to the history.
      --drive PATH          A backup drive mounted at PATH (repeatable).
      --save                Keep the result of a check of given FOLDERs too.
      --demo, --demo-drive  Show the demonstration result (without or with a
                            backup drive); nothing is scanned or written.
  scan FOLDER...            Scan the given folders and print a table of what they hold.
      --last-backup DATE    Count files changed after DATE (2026-11-26T15:12:00Z)
                            as changed since the last backup.
  drive PATH                Show what Brindle reads from the drive mounted at PATH:
                            its facts and the backups its manifest lists.
  last-backup               When was my last backup? (from the last check)
  no-second-copy            How many files have no second copy? (from the last check)
  history                   One line per check, oldest first.
  report --pdf FILE         Write the printed report of the last check as a one-page
                            PDF to FILE (- for standard output).
      --demo, --demo-drive  The report of the demonstration result instead.
  --help                    Show this help.
  --version                 Show the version.

Options:
  --json                    Print JSON instead of text.
  --workers N               Walk up to N subfolders at once (check, scan; default 4).

Files: the last result and the history live in $XDG_DATA_HOME/Brindle
(normally ~/.local/share/Brindle).
)")
                   .c_str(),
               stdout);
}

namespace {
struct Command {
    std::string_view name;
    int (*run)(std::span<const std::string_view>);
};

int runHelp(std::span<const std::string_view>)
{
    printHelp();
    return 0;
}

int runVersion(std::span<const std::string_view>)
{
    std::printf("brindle %.*s\n", static_cast<int>(version.size()), version.data());
    return 0;
}

// The letter is drawn with Qt, so the window executable writes it.
int runReport(std::span<const std::string_view> args)
{
    std::vector<std::string_view> forwarded{"report"};
    forwarded.insert(forwarded.end(), args.begin(), args.end());
    return execWindow(forwarded, translated("terminal: what could not be done, after „cannot“", "write the report"));
}

constexpr std::array<Command, 11> commands{{
    {"check", runCheck},
    {"scan", runScan},
    {"drive", runDrive},
    {"last-backup", runLastBackup},
    {"no-second-copy", runNoSecondCopy},
    {"history", runHistory},
    {"report", runReport},
    {"--help", runHelp},
    {"-h", runHelp},
    {"help", runHelp},
    {"--version", runVersion},
}};

const Command* find(std::string_view name)
{
    for (const Command& command : commands)
        if (command.name == name)
            return &command;
    return nullptr;
}
} // namespace

int finishOutput(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    const std::string reason = std::strerror(errno);
    std::fprintf(
        stderr, "brindle: %s\n",
        fill(translated("terminal: error", "the output could not be written: {reason}"), {{"reason", reason}}).c_str());
    return status == 0 ? 1 : status;
}

bool isCommand(std::string_view command) { return find(command) != nullptr; }

int runCommand(std::string_view command, std::span<const std::string_view> args)
{
    const Command* found = find(command);
    return found ? found->run(args) : runHelp(args);
}

} // namespace brindle::cli
