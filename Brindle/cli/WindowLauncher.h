// The window is an executable of its own, `brindle-window`, so that the terminal's commands
// link no Qt. It lies beside `brindle` in a build tree and under the libexec folder in an
// install; a command-line-only install has none.
//
// `execWindow` replaces this process with the window executable, handing it the arguments as
// given: the process id, the standard streams and the exit status become the window's. It
// returns only when the window could not be started, after saying why on stderr, with the
// exit status to end with. Call it with standard output flushed.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brindle::cli {

inline constexpr std::string_view windowExecutableName = "brindle-window";

// The window executable that belongs to this one, when it is there.
std::optional<std::string> windowExecutable();

// `purpose` completes "cannot …" in the message when there is no window ("open the window").
int execWindow(std::span<const std::string_view> args, std::string_view purpose);

} // namespace brindle::cli
