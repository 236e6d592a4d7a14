// The fuzz input as a database file: written to one file of this process in the temporary
// folder, replaced on every input, for the readers that open a database by its path.
#pragma once

#include "BrindleCore/FileIO.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace brindle::fuzz {

inline std::string journalFile(const std::uint8_t* data, std::size_t size)
{
    const char* tmp = std::getenv("TMPDIR");
    static const std::string path = std::string(tmp && tmp[0] == '/' ? tmp : "/tmp") + "/brindle-fuzz-journal-" +
                                    std::to_string(::getpid()) + ".db";
    if (!writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(data), size)))
        std::abort();
    return path;
}

} // namespace brindle::fuzz
