#include "Brindle/app/services/SettingsStore.h"

namespace brindle {

std::optional<JsonIn> Settings::parse(std::string_view text)
{
    JsonIn parsed = parseJson(text, limits::settingsBytes, limits::jsonDepth);
    if (parsed.is_discarded() || !parsed.is_object())
        return std::nullopt;
    return parsed;
}

std::string Settings::format(const JsonIn& object)
{
    return object.dump(2, ' ', false, JsonIn::error_handler_t::replace) + "\n";
}

} // namespace brindle
