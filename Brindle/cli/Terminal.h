// Small helpers for writing to a terminal: safe display of names that may hold control
// characters or invalid UTF-8, padding by display width, and a live "Reading N files" line.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

namespace brindle::cli {

// `text` with control characters shown as "?" and invalid UTF-8 as U+FFFD, so that a file
// name can never move the cursor or break the terminal's decoding.
std::string printable(std::string_view text);
// The number of terminal columns `printable` text takes (one per code point).
std::size_t displayWidth(std::string_view printableText);
// `printableText` cut to `width` columns with "…", or padded with spaces to `width`.
std::string fitLeft(std::string_view printableText, std::size_t width);
std::string padRight(std::string_view printableText, std::size_t width); // right-aligned

bool isTerminal(std::FILE* stream);

// Shows "Reading N files" on stderr, at most ten times a second, while alive; nothing when
// stderr is not a terminal. Reads the counter from its own thread; erases the line when done.
class LiveCount {
public:
    explicit LiveCount(const std::atomic<std::int64_t>& files);
    ~LiveCount();
    LiveCount(const LiveCount&) = delete;
    LiveCount& operator=(const LiveCount&) = delete;

private:
    const std::atomic<std::int64_t>& files_;
    std::jthread thread_;
};

} // namespace brindle::cli
