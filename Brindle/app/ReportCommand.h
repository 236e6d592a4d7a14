// `brindle report --pdf FILE`: the printed report of the last kept check as a one-page PDF,
// written without a display. FILE "-" is standard output; a file is replaced atomically.
// `--demo` and `--demo-drive` print the demonstration's letter instead.
//
// Exit status: 0 when the letter was written, 1 when there is no kept check, it cannot be
// read, or the letter could not be made or written (each said on stderr), 2 for a usage error.
#pragma once

#include <span>
#include <string_view>

namespace brindle {

// Runs in `brindle-window`, which links Qt; `brindle report` hands its arguments here.
int runReportCommand(std::span<const std::string_view> args);

} // namespace brindle
