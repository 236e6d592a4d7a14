// The subcommands of the `brindle` executable that run without a display. Each takes the
// arguments after its name, writes to stdout and stderr, and returns the exit status:
// 0 on success, 1 when some input could not be read, 2 for a usage error, and 3 when
// `check` has nothing to check (nothing chosen in the window, no standard folder).
#pragma once

#include <span>
#include <string_view>

namespace brindle::cli {

inline constexpr int nothingToCheck = 3;

int runScan(std::span<const std::string_view> args);
int runCheck(std::span<const std::string_view> args);
int runDrive(std::span<const std::string_view> args);
int runLastBackup(std::span<const std::string_view> args);
int runNoSecondCopy(std::span<const std::string_view> args);
int runHistory(std::span<const std::string_view> args);
void printHelp();

// True when `command` names one of the subcommands above.
bool isCommand(std::string_view command);
int runCommand(std::string_view command, std::span<const std::string_view> args);

// Flushes standard output and returns `status`, or, when anything written there was lost
// (a full disk, a closed pipe), says so on stderr and returns a failure.
int finishOutput(int status);

} // namespace brindle::cli
