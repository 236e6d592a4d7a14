#include "Brindle/app/services/ComputerName.h"

#include "BrindleCore/Words.h"

namespace brindle::ComputerName {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The value after '=' as the shell would read it, up to the end of the line.
std::string unquoted(std::string_view value)
{
    value = trimmed(value);
    std::string out;
    if (!value.empty() && value.front() == '\'') {
        const auto end = value.find('\'', 1);
        return std::string(value.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
    }
    if (!value.empty() && value.front() == '"') {
        for (std::size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
            if (value[i] == '\\' && i + 1 < value.size() &&
                std::string_view("\"\\`$").find(value[i + 1]) != std::string_view::npos)
                ++i;
            out += value[i];
        }
        return out;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        out += value[i];
    }
    return out;
}
} // namespace

std::string cleaned(std::string_view name)
{
    std::string out = std::string(trimmed(Words::shownName(name)));
    if (out.size() > longestName) {
        std::size_t cut = longestName;
        // Never end inside a UTF-8 sequence: step back over continuation bytes.
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out = std::string(trimmed(std::string_view(out).substr(0, cut)));
    }
    return out;
}

std::optional<std::string> prettyHostname(std::string_view machineInfo)
{
    std::optional<std::string> found;
    while (!machineInfo.empty()) {
        const auto end = machineInfo.find('\n');
        std::string_view line = trimmed(machineInfo.substr(0, end));
        machineInfo.remove_prefix(end == std::string_view::npos ? machineInfo.size() : end + 1);
        if (line.empty() || line.front() == '#' || line.front() == ';')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || trimmed(line.substr(0, equals)) != "PRETTY_HOSTNAME")
            continue;
        found = cleaned(unquoted(line.substr(equals + 1)));
    }
    if (found && found->empty())
        return std::nullopt;
    return found;
}

} // namespace brindle::ComputerName
