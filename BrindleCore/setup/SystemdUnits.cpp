// A systemd service that runs restic or borg itself, as people set up with a timer: its
// "ExecStart=" command line and its "Environment=" assignments (RESTIC_REPOSITORY, BORG_REPO).
// "EnvironmentFile=" is never opened: it is where passwords are kept. Such a run keeps no
// record Brindle can read, so the setup carries no last backup. Only repositories that leave
// the computer are taken: one on a drive is read from the drive itself.
#include "BrindleCore/BackupSetupRead.h"

#include "BrindleCore/Paths.h"
#include "BrindleCore/RemoteBackups.h"

namespace brindle {

namespace {
constexpr std::size_t maxWords = 512;

// systemd's own splitting, in short: words apart at blanks, "…" and '…' quoted, a leading
// "-", "@", "+", "!" or ":" on the program a prefix of flags.
std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < line.size() && out.size() < maxWords) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (at >= line.size())
            break;
        std::string word;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') {
            if (line[at] == '"' || line[at] == '\'') {
                const char quote = line[at++];
                while (at < line.size() && line[at] != quote)
                    word += line[at++];
                ++at;
            } else {
                word += line[at++];
            }
        }
        out.push_back(std::move(word));
    }
    return out;
}

std::string valueAfter(const std::vector<std::string>& command, std::size_t& at, std::string_view option)
{
    const std::string& word = command[at];
    if (word.size() > option.size() + 1 && word.starts_with(option) && word[option.size()] == '=')
        return word.substr(option.size() + 1);
    if (word == option && at + 1 < command.size())
        return command[++at];
    return {};
}
} // namespace

std::optional<BackupSetup> SetupRead::systemdUnit(std::string_view unit, const SetupPlaces& places)
{
    std::vector<std::string> command;
    std::string repository;
    while (!unit.empty()) {
        const auto newline = unit.find('\n');
        std::string_view line = unit.substr(0, newline);
        unit = newline == std::string_view::npos ? std::string_view{} : unit.substr(newline + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.remove_suffix(1);
        if (line.starts_with("Environment=")) {
            for (const std::string& assignment : words(line.substr(12)))
                for (const std::string_view name : {"RESTIC_REPOSITORY=", "BORG_REPO="})
                    if (assignment.starts_with(name))
                        repository = assignment.substr(name.size());
        } else if (line.starts_with("ExecStart=") && command.empty()) {
            command = words(line.substr(10));
        }
    }
    if (command.empty())
        return std::nullopt;
    std::string program = command.front();
    while (!program.empty() && std::string_view("-@+!:").find(program.front()) != std::string_view::npos)
        program.erase(0, 1);
    const std::string_view name = lastPathComponent(program);
    if (name != "restic" && name != "borg")
        return std::nullopt;
    BackupSetup setup{std::string(name)};
    std::vector<std::string> taken;
    bool backingUp = false;
    for (std::size_t at = 1; at < command.size(); ++at) {
        const std::string& word = command[at];
        if (name == "restic") {
            if (auto repo = valueAfter(command, at, "--repo"); !repo.empty())
                repository = repo;
            else if (auto shortRepo = valueAfter(command, at, "-r"); !shortRepo.empty())
                repository = shortRepo;
            else if (word == "backup")
                backingUp = true;
            else if (backingUp && !word.starts_with('-'))
                taken.push_back(places.absolute(word));
        } else if (word == "create") {
            backingUp = true;
        } else if (backingUp && !word.starts_with('-')) {
            // borg create [options] REPOSITORY::ARCHIVE PATH…; "::ARCHIVE" takes BORG_REPO.
            if (const auto colons = word.find("::"); colons != std::string::npos) {
                if (colons > 0)
                    repository = word.substr(0, colons);
            } else {
                taken.push_back(places.absolute(word));
            }
        }
    }
    if (!backingUp || repository.empty())
        return std::nullopt;
    setup.target = repository;
    if (!RemoteBackups::isRemote(setup))
        return std::nullopt;
    if (!taken.empty())
        setup.included = std::move(taken);
    return setup;
}

} // namespace brindle
