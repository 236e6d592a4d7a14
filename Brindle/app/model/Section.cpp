#include "Brindle/app/model/Section.h"

#include <array>
#include <utility>

namespace brindle {

std::optional<Section> sectionNamed(std::string_view value)
{
    constexpr std::string_view folderPrefix = "folder=";
    if (value.starts_with(folderPrefix))
        return Section::folder("~/" + std::string(value.substr(folderPrefix.size())));
    using Kind = Section::Kind;
    constexpr std::array<std::pair<std::string_view, Kind>, 7> names{{{"history", Kind::history},
                                                                      {"drive", Kind::backupDrive},
                                                                      {"icloud", Kind::iCloudDrive},
                                                                      {"photos", Kind::photos},
                                                                      {"all", Kind::allFolders},
                                                                      {"nosecond", Kind::noSecondCopy},
                                                                      {"week", Kind::changedThisWeek}}};
    for (const auto& [name, kind] : names)
        if (name == value)
            return Section{kind};
    return std::nullopt;
}

} // namespace brindle
