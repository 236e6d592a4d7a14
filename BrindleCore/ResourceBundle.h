// Finds the core's resource folder. Searched in this order: the application's own resources
// (the install's share/brindle/, seen from bindir or from libexec's folder of the program, where
// each executable lies), the build tree that holds the core library, and the
// executable's own folder; the first that exists wins. Works from any working directory and
// needs no environment variable.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brindle {

// The places searched, in order.
std::vector<std::string> resourceBundleCandidates();
std::optional<std::string> findResourceBundle();

} // namespace brindle
