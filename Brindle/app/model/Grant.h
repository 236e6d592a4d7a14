// Grant: one folder or backup drive the person chose, as the settings keep it.
//
// A plain value, compared field by field; a grant's identity in a list is its `path`. Its JSON
// form is an object with "name", "path", "bookmark" and "uuid" (left out when absent). The
// bookmark is the grant token's text; a token that is a JSON object is stored as that object,
// so the settings file stays readable, and read back as its compact text (keys may come back
// in another order: compare tokens by what they decode to, not by their text). Decoding never
// throws: a grant, or a list with any grant, that does not decode gives nullopt;
// `decodeEachGrant` instead keeps the grants that decode and names the others.
#pragma once

#include "BrindleCore/Json.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle {

struct Grant {
    std::string name;                  // shown to the person: the folder's name, or the volume's
    std::string path;                  // as the picker gave it
    std::string bookmark;              // the token that finds the folder again; empty for demo grants
    std::optional<std::string> uuid{}; // a drive's volume UUID when it was chosen

    friend bool operator==(const Grant&, const Grant&) = default;
};

JsonOut encode(const Grant& grant);
std::optional<Grant> decodeGrant(const JsonIn& value);
JsonOut encode(const std::vector<Grant>& grants);
std::optional<std::vector<Grant>> decodeGrants(const JsonIn& value);

// A stored list read element by element, in its order. An element that does not decode is
// named by its "name", else its "path", else its place in the list ("grant 3", counted from 1).
struct DecodedGrants {
    std::vector<Grant> grants;
    std::vector<std::string> undecodable;
};
// nullopt when the value is not a list.
std::optional<DecodedGrants> decodeEachGrant(const JsonIn& value);

} // namespace brindle
