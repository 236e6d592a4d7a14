// Store: where the program keeps its files, and the latest check result.
//
// The folder is "Brindle" in the user's data folder ($XDG_DATA_HOME, normally
// ~/.local/share). `saveLast` replaces the last-result file atomically, so a concurrent
// `loadLast` (the command line answering while the window saves) sees the old file or the new
// one, never a mixture; a failed save leaves the previous file as it was. `readLast` tells a
// missing file (never checked) from one that exists and cannot be read or decoded; `loadLast`
// gives std::nullopt for either. Neither touches the file or creates anything.
#pragma once

#include "BrindleCore/CheckResult.h"

#include <optional>
#include <string>

namespace brindle::Store {

inline constexpr int historyDays = 730;

std::string folder();
std::string historyURL();   // folder() + "/history.jsonl"
std::string lastCheckURL(); // folder() + "/last-check.json"

// Creates the folder as needed and writes the result; false (with a reason in `errorText`)
// when it could not be saved.
bool saveLast(const CheckResult& result, std::string* errorText = nullptr);
bool saveLast(const CheckResult& result, const std::string& path, std::string* errorText = nullptr);

// The kept result, or why there is none.
struct LastResult {
    std::optional<CheckResult> result;
    // Empty when the result was read or there is no file; else why the file that exists could
    // not be used ("it is damaged", "it cannot be opened", ...).
    std::string problem;

    bool damaged() const { return !problem.empty(); }
};

LastResult readLast();
LastResult readLast(const std::string& path);

std::optional<CheckResult> loadLast();
std::optional<CheckResult> loadLast(const std::string& path);

} // namespace brindle::Store
