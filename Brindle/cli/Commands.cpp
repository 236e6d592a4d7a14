#include "Brindle/cli/Commands.h"

#include "Brindle/cli/CheckRun.h"
#include "Brindle/cli/TextReports.h"
#include "Brindle/cli/ScanFolders.h"
#include "Brindle/cli/StandardFolders.h"
#include "Brindle/cli/TallyTable.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/Json.h"
#include "BrindleCore/Report.h"
#include "BrindleCore/Scanner.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace brindle::cli {

namespace {
constexpr int maxWorkers = 64;

int usageError(const std::string& message)
{
    std::fprintf(stderr, "brindle: %s\nTry \u2018brindle --help\u2019.\n", message.c_str());
    return 2;
}

// The folder as an absolute path, made lexically (links are not resolved).
std::string absolutePath(std::string_view path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error)
        return std::string(path);
    std::string normal = absolute.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

struct ScanOptions {
    std::vector<FolderToScan> folders;
    std::vector<std::string> drives;
    std::optional<Instant> lastBackup;
    int workers = 4;
    bool json = false;
};

// Parses the options shared by `scan` and `check`; returns an error message on bad input.
std::optional<std::string> parseScanOptions(std::span<const std::string_view> args, bool isCheck,
                                            ScanOptions& options)
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
        } else if (arg == "--drive" && isCheck) {
            const auto text = value();
            if (!text)
                return "--drive needs the folder where a backup drive is mounted";
            options.drives.push_back(absolutePath(*text));
        } else if (arg == "--last-backup" && !isCheck) {
            const auto text = value();
            if (!text)
                return "--last-backup needs a date such as 2026-11-26T15:12:00Z";
            options.lastBackup = parseISO8601(*text);
            if (!options.lastBackup)
                return "\u201c" + std::string(*text) + "\u201d is not a date in the form 2026-11-26T15:12:00Z";
        } else if (arg == "--workers") {
            const auto text = value();
            int workers = 0;
            if (!text || std::from_chars(text->data(), text->data() + text->size(), workers).ptr !=
                             text->data() + text->size() || workers < 1 || workers > maxWorkers)
                return "--workers needs a whole number from 1 to " + std::to_string(maxWorkers);
            options.workers = workers;
        } else if (arg.starts_with("-") && arg != "-") {
            return "unknown option \u201c" + std::string(arg) + "\u201d";
        } else if (!isCheck) {
            options.folders.push_back({absolutePath(arg), std::nullopt});
        } else {
            return "unexpected argument \u201c" + std::string(arg) + "\u201d";
        }
    }
    return std::nullopt;
}

FolderTally totalOf(const std::vector<FolderTally>& folders)
{
    FolderTally total("All folders", "");
    for (const FolderTally& folder : folders)
        total.merge(folder);
    return total;
}

int scanAndPrint(const ScanOptions& options)
{
    const Scanner scanner(clockNow(), options.lastBackup, options.workers);
    const ScanOutcome outcome = scanFolders(scanner, options.folders);
    if (options.json) {
        JsonOut array = JsonOut::array();
        for (const FolderTally& folder : outcome.folders)
            array.push_back(encode(folder));
        std::printf("%s\n", dumpJson(array).c_str());
    } else {
        std::fputs(tallyTable(outcome.folders, totalOf(outcome.folders)).c_str(), stdout);
    }
    return outcome.unreadable.empty() ? 0 : 1;
}
} // namespace

int runScan(std::span<const std::string_view> args)
{
    ScanOptions options;
    if (const auto error = parseScanOptions(args, false, options))
        return usageError(*error);
    if (options.folders.empty())
        return usageError("scan needs at least one folder");
    return scanAndPrint(options);
}

int runCheck(std::span<const std::string_view> args)
{
    ScanOptions options;
    if (const auto error = parseScanOptions(args, true, options))
        return usageError(*error);
    CheckRequest request{{}, options.drives, options.workers};
    for (const StandardFolder& folder : standardFolders())
        request.folders.push_back({folder.path, std::nullopt});
    if (request.folders.empty())
        std::fprintf(stderr, "brindle: none of the standard folders (Desktop, Documents, Downloads, Music, "
                             "Pictures, Videos) exists in your home folder.\n");
    const CheckRun run = cli::runCheck(request);
    if (options.json)
        std::printf("%s\n", encodeCheckResultText(run.result).c_str());
    else
        std::fputs(checkLetter(run.result, Report(run.result, Guide::shared(), std::nullopt, Calendar::current()),
                               TextStyle::forStdout())
                       .c_str(),
                   stdout);
    return run.complete ? 0 : 1;
}

int runDrive(std::span<const std::string_view> args)
{
    bool json = false;
    std::optional<std::string> path;
    for (const std::string_view arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg.starts_with("-") && arg != "-")
            return usageError("unknown option \u201c" + std::string(arg) + "\u201d");
        else if (path)
            return usageError("drive takes one folder");
        else
            path = absolutePath(arg);
    }
    if (!path)
        return usageError("drive needs the folder where a backup drive is mounted");
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
    std::fputs(R"(Usage: brindle COMMAND [OPTIONS]

Brindle tells you which of the files you care about have no second copy.
It only reads what the file system says about each file; it never changes one.

Commands:
  check [--drive PATH]...   Check your standard folders (Desktop, Documents,
                            Downloads, Music, Pictures, Videos) against the backup
                            drives mounted at PATH, and print the result.
  scan FOLDER...            Scan the given folders and print a table of what they hold.
  drive PATH                Show what Brindle reads from the drive mounted at PATH:
                            its facts and the backups its manifest lists.
  --help                    Show this help.

Options:
  --json                    Print JSON instead of text (check, scan, drive).
  --workers N               Walk up to N subfolders at once (check, scan; default 4).
  --last-backup DATE        Count files changed after DATE (2026-11-26T15:12:00Z)
                            as changed since the last backup (scan).
)",
               stdout);
}

bool isCommand(std::string_view command)
{
    return command == "scan" || command == "check" || command == "drive" || command == "--help" || command == "-h" ||
           command == "help";
}

int runCommand(std::string_view command, std::span<const std::string_view> args)
{
    if (command == "scan")
        return runScan(args);
    if (command == "check")
        return runCheck(args);
    if (command == "drive")
        return runDrive(args);
    printHelp();
    return 0;
}

} // namespace brindle::cli
