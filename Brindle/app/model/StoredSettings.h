// The settings the window and the command line share, read and written by meaning rather
// than by key: the granted folders and drives, the keep-watch switches, and the dated maps
// (when each drive was last seen, when each note was last sent).
//
// Reading follows one rule: a value that is missing or does not decode reads as the initial
// value, and nothing is reported, except for grants, which are read one by one. Writing reports whether the store
// wrote. All functions run on the caller's thread (the store is not thread-safe: the window's main thread, or the
// command line).
#pragma once

#include "Brindle/app/model/Grant.h"
#include "Brindle/app/services/SettingsStore.h"
#include "BrindleCore/DriveState.h"
#include "BrindleCore/Watch.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle::Stored {

using Dates = std::map<std::string, Instant>;          // e.g. volume UUID → last seen
using DriveCaches = std::map<std::string, DriveState>; // volume UUID → last state read

// The grants that decode, and the names of those that do not (Grant.h): one bad grant never
// costs the others.
std::vector<Grant> grants(SettingsStore& store);
std::vector<std::string> undecodableGrants(SettingsStore& store);
// The drives that decode, or, when none do, the older single drive with the UUID kept beside it.
std::vector<Grant> drives(SettingsStore& store);
// Writes both lists and removes the older single-drive keys.
bool saveGrants(SettingsStore& store, const std::vector<Grant>& grants, const std::vector<Grant>& drives);

std::optional<WatchSettings> watch(SettingsStore& store);
bool saveWatch(SettingsStore& store, const WatchSettings& watch);

bool flag(SettingsStore& store, std::string_view key);
std::optional<Instant> date(SettingsStore& store, std::string_view key);
bool setDate(SettingsStore& store, std::string_view key, std::optional<Instant> date); // absent removes

// A window's place on the screen, in pixels of the desktop.
struct WindowFrame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowFrame&, const WindowFrame&) = default;
};
// Absent when missing, or when any member is not an integer or a side is not positive.
std::optional<WindowFrame> frame(SettingsStore& store, std::string_view key);
bool saveFrame(SettingsStore& store, std::string_view key, const WindowFrame& frame);

// A map of dates; entries that are not dates are left out.
Dates dates(SettingsStore& store, std::string_view key);
bool saveDates(SettingsStore& store, std::string_view key, const Dates& dates);

// The drive caches; entries that do not decode count as missing.
DriveCaches driveCaches(SettingsStore& store);
bool saveDriveCaches(SettingsStore& store, const DriveCaches& caches);

} // namespace brindle::Stored
