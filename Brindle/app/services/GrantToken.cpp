#include "Brindle/app/services/GrantToken.h"

namespace brindle {

namespace {
std::optional<std::uint64_t> unsignedNumber(const JsonIn* value)
{
    if (!value || !value->is_number_integer())
        return std::nullopt;
    if (value->is_number_unsigned())
        return value->get<std::uint64_t>();
    const auto signedValue = value->get<std::int64_t>();
    if (signedValue < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(signedValue);
}
bool absolutePath(const std::string& path) { return path.starts_with('/') && path.find('\0') == std::string::npos; }
} // namespace

JsonOut encode(const GrantToken& token)
{
    JsonOut json;
    json["version"] = GrantToken::currentVersion;
    json["path"] = token.path;
    putOptional(json, "volume", token.volume);
    json["inVolume"] = token.inVolume;
    json["device"] = token.device;
    json["inode"] = token.inode;
    return json;
}

std::optional<GrantToken> decodeGrantToken(const JsonIn& value)
{
    if (!value.is_object())
        return std::nullopt;
    JsonReader reader(value, DateForm::iso8601);
    if (reader.integer("version") != GrantToken::currentVersion)
        return std::nullopt;
    GrantToken token;
    token.path = reader.string("path");
    token.volume = reader.optionalString("volume");
    token.inVolume = reader.string("inVolume");
    const auto device = unsignedNumber(reader.require("device"));
    const auto inode = unsignedNumber(reader.require("inode"));
    if (!reader.ok() || !device || !inode || !absolutePath(token.path) || !absolutePath(token.inVolume))
        return std::nullopt;
    // The UUID names a link in /dev/disk/by-uuid: nothing that could lead elsewhere.
    if (token.volume &&
        (token.volume->empty() || token.volume->find_first_of(std::string_view("/\0", 2)) != std::string::npos ||
         *token.volume == "." || *token.volume == ".."))
        return std::nullopt;
    token.device = *device;
    token.inode = *inode;
    return token;
}

std::string encodeGrantTokenText(const GrantToken& token) { return dumpJson(encode(token)); }

std::optional<GrantToken> decodeGrantTokenText(std::string_view text)
{
    const JsonIn parsed = parseJson(text, limits::grantTokenBytes, 4);
    if (parsed.is_discarded())
        return std::nullopt;
    return decodeGrantToken(parsed);
}

} // namespace brindle
