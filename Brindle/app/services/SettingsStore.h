// The application's settings: one JSON object in `$XDG_CONFIG_HOME/Brindle/settings.json`
// (normally ~/.config/Brindle), keyed by the names in SettingsKeys.h.
//
// Reading never fails loudly: a missing file is an empty object, and a file that is not a
// JSON object (unparseable, too large, too deep, unreadable) reads as empty and is moved
// aside to "settings.json.unreadable-<UTC time>" before the first write, so nothing a person
// might want back is overwritten. If it cannot be moved aside, nothing is written.
//
// Each change is written at once, atomically, under an advisory lock on "settings.json.lock":
// the file is read again, the one key is changed and the whole object written back, so keys
// this program does not know and keys another process (the command line) changed meanwhile
// survive. A failed write returns false with the reason in `lastError()`; the change is still
// kept in memory, until the file is next seen to change on disk.
//
// The lock is waited for at most `lockWait`; once a wait has run out, later writes only try
// until one takes the lock. A change that could not take the lock stays pending: it shows in
// `value`, rides along with the next write, and `writePending` tries again (the window does
// so from a timer, with no wait, so that its thread never blocks on the lock).
//
// Qt-free (the command line shares it). Not thread-safe: use one store from one thread (the
// application's main thread). Writes fsync, so each takes a few milliseconds on a local disk.
#pragma once

#include "BrindleCore/Json.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored value, or absent when the key is missing. Picks up changes other processes
    // made to the file since the last call.
    virtual std::optional<JsonIn> value(std::string_view key) = 0;
    // Both return false when the file could not be written.
    virtual bool setValue(std::string_view key, JsonIn value) = 0;
    virtual bool remove(std::string_view key) = 0;
    // Why the last failed write failed; empty when the last write succeeded.
    virtual std::string lastError() const = 0;

    // Whether changes wait for the lock, and one more try to write them (false while they wait).
    virtual bool hasPending() const { return false; }
    virtual bool writePending() { return true; }
};

// How long the command line waits for another process's lock on the settings, as for the
// history's.
inline constexpr std::chrono::milliseconds settingsLockWait{5000};

// The file's path: $XDG_CONFIG_HOME/Brindle/settings.json, else ~/.config/Brindle/settings.json.
std::string settingsFilePath();

// A store on the file at `path`; its folder is made when the first write needs it. `now`
// names the copy of an unreadable file.
std::unique_ptr<SettingsStore> makeSettingsFile(std::string path = settingsFilePath(),
                                                std::function<Instant()> now = clockNow,
                                                std::chrono::milliseconds lockWait = settingsLockWait);

namespace Settings {

// The settings object in a file's text; absent when the text is not a JSON object within
// the caps above. Never throws.
std::optional<JsonIn> parse(std::string_view text);
// The text written: the object indented by two spaces, invalid UTF-8 replaced, ending in a
// line feed.
std::string format(const JsonIn& object);
} // namespace Settings

} // namespace brindle
