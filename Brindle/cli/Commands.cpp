#include "Brindle/cli/Commands.h"

#include "Brindle/cli/ScanFolders.h"
#include "Brindle/cli/StandardFolders.h"
#include "Brindle/cli/TallyTable.h"
#include "BrindleCore/Json.h"
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

Instant clockNow()
{
    return std::chrono::time_point_cast<std::chrono::microseconds>(std::chrono::system_clock::now());
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
    std::optional<Instant> lastBackup;
    int workers = 4;
    bool json = false;
};

// Parses the options shared by `scan` and `check`; returns an error message on bad input.
std::optional<std::string> parseScanOptions(std::span<const std::string_view> args, bool foldersAllowed,
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
        } else if (arg == "--last-backup") {
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
        } else if (foldersAllowed) {
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
    if (const auto error = parseScanOptions(args, true, options))
        return usageError(*error);
    if (options.folders.empty())
        return usageError("scan needs at least one folder");
    return scanAndPrint(options);
}

int runCheck(std::span<const std::string_view> args)
{
    ScanOptions options;
    if (const auto error = parseScanOptions(args, false, options))
        return usageError(*error);
    for (const StandardFolder& folder : standardFolders())
        options.folders.push_back({folder.path, std::nullopt});
    if (options.folders.empty()) {
        std::fprintf(stderr, "brindle: none of the standard folders (Desktop, Documents, Downloads, Music, "
                             "Pictures, Videos) exists in your home folder.\n");
        return 1;
    }
    return scanAndPrint(options);
}

void printHelp()
{
    std::fputs(R"(Usage: brindle COMMAND [OPTIONS]

Brindle tells you which of the files you care about have no second copy.
It only reads what the file system says about each file; it never changes one.

Commands:
  check                     Check your standard folders (Desktop, Documents,
                            Downloads, Music, Pictures, Videos) and print the result.
  scan FOLDER...            Scan the given folders and print a table of what they hold.
  --help                    Show this help.

Options of check and scan:
  --last-backup DATE        Count files changed after DATE (2026-11-26T15:12:00Z)
                            as changed since the last backup.
  --workers N               Walk up to N subfolders at once (default 4).
  --json                    Print the tallies as JSON instead of a table.
)",
               stdout);
}

bool isCommand(std::string_view command)
{
    return command == "scan" || command == "check" || command == "--help" || command == "-h" || command == "help";
}

int runCommand(std::string_view command, std::span<const std::string_view> args)
{
    if (command == "scan")
        return runScan(args);
    if (command == "check")
        return runCheck(args);
    printHelp();
    return 0;
}

} // namespace brindle::cli
