// Builds property lists for tests with libplist, in either encoding.
#pragma once

#include "BrindleCore/Instant.h"

#include <plist/plist.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace brindle::test {

// A libplist node owned by the caller until it is put into a container.
struct P {
    plist_t node;
    static P date(Instant instant);
    static P integer(std::uint64_t value);
    static P real(double value);
    static P text(const char* value);
    static P array(std::vector<P> items);
    static P dict(std::vector<std::pair<const char*, P>> entries);
};

enum class Encoding { xml, binary };
// Serialises and frees `root`.
std::string serialise(P root, Encoding encoding);

} // namespace brindle::test
