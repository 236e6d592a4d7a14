// Grant tokens as "token:<path>#<n>", resolved from a table the test fills: a token not in
// `resolutions` resolves to its own path, fresh and granted, when `folderExists` says so.
#pragma once

#include "Brindle/app/services/GrantTokens.h"

#include <functional>
#include <map>

namespace brindle::test {

class FakeGrantTokens final : public GrantTokens {
public:
    std::map<std::string, std::optional<ResolvedGrant>, std::less<>> resolutions;
    std::function<bool(const std::string&)> folderExists = [](const std::string&) { return true; };
    bool failCreate = false;
    int created = 0;

    std::optional<std::string> create(const std::string& path) override
    {
        if (failCreate || !folderExists(path))
            return std::nullopt;
        return "token:" + path + "#" + std::to_string(++created);
    }

    std::optional<ResolvedGrant> resolve(std::string_view token) override
    {
        if (const auto found = resolutions.find(token); found != resolutions.end())
            return found->second;
        if (!token.starts_with("token:"))
            return std::nullopt;
        const std::string path(token.substr(6, token.rfind('#') - 6));
        if (!folderExists(path))
            return std::nullopt;
        return ResolvedGrant{path, false, true};
    }
};

} // namespace brindle::test
