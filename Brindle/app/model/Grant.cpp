#include "Brindle/app/model/Grant.h"

namespace brindle {

JsonOut encode(const Grant& grant)
{
    JsonOut json = JsonOut::object();
    json["name"] = grant.name;
    json["path"] = grant.path;
    json["bookmark"] = grant.bookmark;
    putOptional(json, "uuid", grant.uuid);
    return json;
}

std::optional<Grant> decodeGrant(const JsonIn& value)
{
    JsonReader in(value, DateForm::iso8601);
    Grant grant{in.string("name"), in.string("path"), in.string("bookmark"), in.optionalString("uuid")};
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

} // namespace brindle
