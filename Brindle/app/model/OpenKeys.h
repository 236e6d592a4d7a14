// The keys of what a finding's button opens, as the guide names them; the window passes these
// to `Actions::open`, never their text.
#pragma once

#include <string_view>

namespace brindle::openKeys {

inline constexpr std::string_view chooseDrive = "chooseDrive";
inline constexpr std::string_view photosGuide = "photosGuide";
inline constexpr std::string_view fileManager = "finder";
inline constexpr std::string_view settings = "settings";
inline constexpr std::string_view backupSettings = "timeMachineSettings";
inline constexpr std::string_view backupHelp = "timeMachineHelp";
inline constexpr std::string_view cloudSettings = "iCloudSettings";
inline constexpr std::string_view cloudHelp = "iCloudHelp";
// Brindle's own page on which file systems hold which backups.
inline constexpr std::string_view driveFormats = "backupDiskFormats";

} // namespace brindle::openKeys
