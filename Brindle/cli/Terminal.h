// Small helpers for writing to a terminal: safe display of names that may hold control
// characters or invalid UTF-8, padding by display width, and a live "Reading N files" line.
#pragma once

#include "BrindleCore/CheckObserver.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace brindle::cli {

// The exit status of a command used wrongly.
inline constexpr int usageStatus = 2;
// Names the mistake on stderr, with where to find help; returns `usageStatus`.
int usageError(const std::string& message);

// `text` with control characters shown as "?" and invalid UTF-8 as U+FFFD, so that a file
// name can never move the cursor or break the terminal's decoding.
std::string printable(std::string_view text);
// The number of terminal columns `printable` text takes (one per code point).
std::size_t displayWidth(std::string_view printableText);
// `printableText` cut to `width` columns with "…", or padded with spaces to `width`.
std::string fitLeft(std::string_view printableText, std::size_t width);
std::string padRight(std::string_view printableText, std::size_t width); // right-aligned

bool isTerminal(std::FILE* stream);

// `show(*value)`, or "–" for an absent value.
template <typename T, typename Show> std::string orDash(const std::optional<T>& value, Show show)
{
    return value ? std::string(show(*value)) : std::string("\u2013");
}

// Shows "Reading N files" on stderr while a check runs, as the check reports its count (about
// ten times a second); nothing when stderr is not a terminal. `clear` erases the line so that
// a message can follow; going away clears it too.
class LiveCount final : public CheckObserver {
public:
    LiveCount();
    ~LiveCount() override;
    LiveCount(const LiveCount&) = delete;
    LiveCount& operator=(const LiveCount&) = delete;

    void filesSeen(std::int64_t files) override;
    void clear();

private:
    const bool terminal_;
    bool shown_ = false;
};

} // namespace brindle::cli
