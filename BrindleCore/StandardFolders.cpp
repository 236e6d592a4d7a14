#include "BrindleCore/StandardFolders.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"

#include <array>

namespace brindle {

std::map<std::string, std::string> parseUserDirs(std::string_view text, const std::string& home)
{
    std::map<std::string, std::string> folders;
    if (text.size() > limits::userDirsBytes)
        return folders;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        // XDG_<NAME>_DIR="<path>", where <path> is "$HOME/..." or absolute.
        constexpr std::string_view prefix = "XDG_", suffix = "_DIR=\"";
        if (!line.starts_with(prefix))
            continue;
        const auto end = line.find(suffix);
        // The closing quote must be another character than the opening one.
        if (end == std::string_view::npos || end <= prefix.size() || line.size() < end + suffix.size() + 1 ||
            line.back() != '"')
            continue;
        const std::string key(line.substr(prefix.size(), end - prefix.size()));
        std::string_view value = line.substr(end + suffix.size());
        value.remove_suffix(1);
        if (value.find_first_of("\"\\`") != std::string_view::npos)
            continue;
        std::string path;
        if (value == "$HOME" || value.starts_with("$HOME/"))
            path = home + std::string(value.substr(5));
        else if (value.starts_with("/"))
            path = value;
        else
            continue;
        path = withoutTrailingSlashes(std::move(path));
        if (path == withoutTrailingSlashes(home))
            continue;
        folders[key] = path;
    }
    return folders;
}

std::vector<StandardFolder> standardFolders()
{
    const std::string home = homeFolder();
    const ReadResult file =
        readRegularFile(xdgFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs", limits::userDirsBytes);
    const auto named = parseUserDirs(file.content.value_or(std::string()), home);

    constexpr std::array<std::pair<const char*, const char*>, 6> order{{{"DESKTOP", "Desktop"},
                                                                        {"DOCUMENTS", "Documents"},
                                                                        {"DOWNLOAD", "Downloads"},
                                                                        {"MUSIC", "Music"},
                                                                        {"PICTURES", "Pictures"},
                                                                        {"VIDEOS", "Videos"}}};
    std::vector<StandardFolder> folders;
    for (const auto& [key, name] : order) {
        const auto it = named.find(key);
        std::string path = it != named.end() ? it->second : home + "/" + name;
        if (!home.empty() && isDirectory(path))
            folders.push_back({name, std::move(path)});
    }
    return folders;
}

} // namespace brindle
