// Stops the program with a message on stderr. Only for defects of the shipped program (a
// missing resource, a key its own data lacks), never for bad user data.
#pragma once

#include <string>

namespace brindle {

[[noreturn]] void fatal(const std::string& message);

} // namespace brindle
