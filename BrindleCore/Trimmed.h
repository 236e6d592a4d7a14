// A line of a settings file without the blanks around it: spaces and tabs at either end, and
// the carriage return a file written on Windows leaves at its end.
#pragma once

#include <string_view>

namespace brindle {

constexpr std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace brindle
