// Section: what the sidebar has selected. One case, `folder`, carries the path of a folder's
// tally; the others are plain. Compared by kind and, for folders, by path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

struct Section {
    enum class Kind {
        folder,
        overview,
        allFolders,
        noSecondCopy,
        changedThisWeek,
        iCloudDrive,
        backupDrive,
        photos,
        history
    };

    Kind kind = Kind::overview;
    std::string path{}; // only for `folder`

    static Section folder(std::string path) { return {Kind::folder, std::move(path)}; }

    friend bool operator==(const Section&, const Section&) = default;
};

// The selection a "-select=" value names: "history", "drive", "icloud", "photos", "all",
// "nosecond", "week", or "folder=<path below the home folder>" (given as "~/<path>"); any
// other value names none.
std::optional<Section> sectionNamed(std::string_view value);

} // namespace brindle
