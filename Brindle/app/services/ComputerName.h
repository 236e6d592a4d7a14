// The name people gave this computer, for the printed report: PRETTY_HOSTNAME from the
// machine-info file, else the host name, else "This computer" in the chosen language.
//
// The machine-info file is outside data: it is read only when it is a regular file no larger
// than a cap, parsed without exceptions, and a name loses its control characters and the
// characters that turn the direction of text (Words::shownName). Safe
// from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindle::ComputerName {

inline constexpr const char* machineInfoPath = "/etc/machine-info";
// Longer names are cut (at a character boundary).
inline constexpr std::size_t longestName = 256;

// PRETTY_HOSTNAME from the text of a machine-info file: KEY=VALUE lines, '#' and ';' comment
// lines, values bare or in single or double quotes with shell-style backslash escapes. The
// last assignment wins; absent when it is missing, or empty once cleaned.
std::optional<std::string> prettyHostname(std::string_view machineInfo);

// A name as shown: control and direction-turning characters dropped, spaces at either end trimmed, cut to
// `longestName` bytes; empty when nothing is left.
std::string cleaned(std::string_view name);

// The computer's name, reading `machineInfo` and then the host name.
std::string read(const std::string& machineInfo = machineInfoPath);

} // namespace brindle::ComputerName
