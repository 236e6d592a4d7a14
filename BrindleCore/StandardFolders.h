// The user's standard folders (Desktop, Documents, Downloads, Music, Pictures, Videos), as
// the XDG user-directories file names them.
//
// `parseUserDirs` reads the text of "user-dirs.dirs" without trusting it: unknown lines,
// relative paths and paths that escape quoting are ignored, and a folder set to the home
// folder itself (the XDG way of turning a folder off) is left out. `standardFolders` reads
// the file only when it is a regular file of at most `limits::userDirsBytes`, so a FIFO or a
// link to a device in its place cannot hang or flood it. Nothing throws.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct StandardFolder {
    std::string name; // "Documents"
    std::string path; // absolute
};

// Keys are the XDG names without decoration ("DESKTOP", "DOCUMENTS", ...).
std::map<std::string, std::string> parseUserDirs(std::string_view text, const std::string& home);

// The standard folders in a fixed order, from $XDG_CONFIG_HOME/user-dirs.dirs where it names
// them and "$HOME/<Name>" otherwise; only folders that exist are listed.
std::vector<StandardFolder> standardFolders();

} // namespace brindle
