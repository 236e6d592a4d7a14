// The keys of the settings file: every key the application writes, and the older keys it
// still reads or removes. Stored forms are readable JSON: lists and records as JSON values,
// dates as ISO 8601 text in UTC, drive caches as DriveState objects with ISO 8601 dates.
#pragma once

#include <array>
#include <string_view>

namespace brindle::settingKeys {

inline constexpr std::string_view grants = "grants";             // array of grants
inline constexpr std::string_view drives = "drives";             // array of grants
inline constexpr std::string_view drive = "drive";               // older: one grant; removed on save
inline constexpr std::string_view driveUUID = "driveUUID";       // older: text; removed on save
inline constexpr std::string_view watch = "watch";               // WatchSettings object
inline constexpr std::string_view menuBar = "menuBar";           // Boolean
inline constexpr std::string_view waitingSince = "waitingSince"; // date
inline constexpr std::string_view lastSeen = "lastSeen";         // object: volume UUID → date
inline constexpr std::string_view driveCaches = "driveCaches";   // object: volume UUID → DriveState
inline constexpr std::string_view notesSent = "notesSent";       // object: note identifier → date
inline constexpr std::string_view driveCache = "driveCache";     // older, unused; removed at start-up
inline constexpr std::string_view mainWindow = "mainWindow";     // object: the main window's frame

inline constexpr std::array<std::string_view, 12> allKeys{grants,      drives,    drive,        driveUUID,
                                                          watch,       menuBar,   waitingSince, lastSeen,
                                                          driveCaches, notesSent, driveCache,   mainWindow};

} // namespace brindle::settingKeys
