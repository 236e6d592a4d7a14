// Settings in memory; `failWrites` makes every change fail as a full disk would (the change
// is still kept in memory, as the file store does).
#pragma once

#include "Brindle/app/services/SettingsStore.h"

#include <map>

namespace brindle::test {

class FakeSettingsStore final : public SettingsStore {
public:
    std::map<std::string, JsonIn, std::less<>> values;
    bool failWrites = false;
    int writes = 0;

    std::optional<JsonIn> value(std::string_view key) override
    {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional<JsonIn>(found->second);
    }
    bool setValue(std::string_view key, JsonIn value) override
    {
        values.insert_or_assign(std::string(key), std::move(value));
        return written();
    }
    bool remove(std::string_view key) override
    {
        if (const auto found = values.find(key); found != values.end())
            values.erase(found);
        return written();
    }
    std::string lastError() const override { return failWrites ? "disk full" : ""; }

private:
    bool written()
    {
        ++writes;
        return !failWrites;
    }
};

} // namespace brindle::test
