// Classify: where a file's copies live (from its cloud facts) and what sort of file it is
// (from its name's last extension). Pure functions, safe from any thread; the extension
// table is built once, on first use, by whichever thread comes first.
#pragma once

#include "BrindleCore/ICloudFacts.h"
#include "BrindleCore/Place.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

namespace brindle::Classify {

Place place(const ICloudFacts& facts);

// The 62 known lower-case extensions and their kinds.
const std::unordered_map<std::string, Kind>& byExtension();

// The kind of a file or package by the last extension of its name (or of the last component
// of a path); case is ignored; an unknown or missing extension gives Kind::other.
Kind kindOf(std::string_view nameOrPath);

// The last extension of a name, without the dot; empty when there is none. A leading dot
// alone (".profile") is not an extension.
std::string_view extension(std::string_view nameOrPath);

// Room for the longest extension worth looking up; longer ones match nothing known.
using ExtensionBuffer = std::array<char, 16>;
// The last extension lower-cased into `buffer` (ASCII only); empty when there is none or it
// is longer than the buffer. Never allocates, so the scanner may call it for every file.
std::string_view lowerExtension(std::string_view nameOrPath, ExtensionBuffer& buffer);

} // namespace brindle::Classify
