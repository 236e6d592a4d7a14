#include "Brindle/app/model/Grant.h"

namespace brindle {

JsonOut encode(const Grant& grant)
{
    JsonOut json = JsonOut::object();
    json["name"] = grant.name;
    json["path"] = grant.path;
    const JsonIn token = parseJson(grant.bookmark, limits::grantTokenBytes);
    if (token.is_object())
        json["bookmark"] = JsonOut(token);
    else
        json["bookmark"] = grant.bookmark;
    putOptional(json, "uuid", grant.uuid);
    return json;
}

std::optional<Grant> decodeGrant(const JsonIn& value)
{
    JsonReader in(value, DateForm::iso8601);
    const JsonIn* bookmark = in.require("bookmark");
    Grant grant{in.string("name"), in.string("path"), {}, in.optionalString("uuid")};
    if (bookmark && bookmark->is_object())
        grant.bookmark = dumpJson(JsonOut(*bookmark));
    else if (bookmark && bookmark->is_string())
        grant.bookmark = bookmark->get<std::string>();
    else
        in.fail();
    if (!in.ok())
        return std::nullopt;
    return grant;
}

JsonOut encode(const std::vector<Grant>& grants)
{
    JsonOut array = JsonOut::array();
    for (const Grant& grant : grants)
        array.push_back(encode(grant));
    return array;
}

std::optional<std::vector<Grant>> decodeGrants(const JsonIn& value)
{
    if (!value.is_array())
        return std::nullopt;
    std::vector<Grant> grants;
    for (const JsonIn& element : value) {
        auto grant = decodeGrant(element);
        if (!grant)
            return std::nullopt;
        grants.push_back(std::move(*grant));
    }
    return grants;
}

std::optional<DecodedGrants> decodeEachGrant(const JsonIn& value)
{
    if (!value.is_array())
        return std::nullopt;
    DecodedGrants decoded;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const JsonIn& element = value[index];
        if (auto grant = decodeGrant(element)) {
            decoded.grants.push_back(std::move(*grant));
            continue;
        }
        const auto member = [&](const char* key) -> std::string {
            const auto found = element.is_object() ? element.find(key) : element.end();
            return element.is_object() && found != element.end() && found->is_string() ? found->get<std::string>() : "";
        };
        std::string name = member("name");
        if (name.empty())
            name = member("path");
        decoded.undecodable.push_back(name.empty() ? "grant " + std::to_string(index + 1) : std::move(name));
    }
    return decoded;
}

} // namespace brindle
