// Arbitrary launch arguments (the input split at NUL bytes), as a start or a second launch
// passes them: never a crash; parsing only what was given, and each argument recognised as a
// launch argument by exactly the rule that parses it.
#include "Brindle/app/model/LaunchArguments.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    std::vector<std::string_view> arguments;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && arguments.size() < 64) {
        const auto end = rest.find('\0');
        arguments.push_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    const LaunchArguments parsed = LaunchArguments::parse(arguments);
    std::vector<std::string_view> recognised;
    for (const std::string_view argument : arguments)
        if (LaunchArguments::isLaunchArgument(argument))
            recognised.push_back(argument);
    // What is not a launch argument changes nothing.
    if (!(LaunchArguments::parse(recognised) == parsed))
        std::abort();
    return 0;
}
