#include "Brindle/app/model/StoredSettings.h"

#include "Brindle/app/services/SettingsKeys.h"

namespace brindle::Stored {

namespace {
// The store keeps plain JSON values; records encode to key-ordered ones.
JsonIn asIn(const JsonOut& value) { return JsonIn(value); }
} // namespace

namespace {
DecodedGrants storedGrants(SettingsStore& store, std::string_view key)
{
    const auto value = store.value(key);
    return value ? decodeEachGrant(*value).value_or(DecodedGrants{}) : DecodedGrants{};
}
} // namespace

std::vector<Grant> grants(SettingsStore& store) { return storedGrants(store, settingKeys::grants).grants; }

std::vector<std::string> undecodableGrants(SettingsStore& store)
{
    return storedGrants(store, settingKeys::grants).undecodable;
}

std::vector<Grant> drives(SettingsStore& store)
{
    if (auto decoded = storedGrants(store, settingKeys::drives); !decoded.grants.empty())
        return std::move(decoded.grants);
    const auto older = store.value(settingKeys::drive);
    auto grant = older ? decodeGrant(*older) : std::nullopt;
    if (!grant)
        return {};
    const auto uuid = store.value(settingKeys::driveUUID);
    grant->uuid = uuid && uuid->is_string() ? std::optional(uuid->get<std::string>()) : std::nullopt;
    return {std::move(*grant)};
}

bool saveGrants(SettingsStore& store, const std::vector<Grant>& grants, const std::vector<Grant>& drives)
{
    bool ok = store.setValue(settingKeys::grants, asIn(encode(grants)));
    ok = store.setValue(settingKeys::drives, asIn(encode(drives))) && ok;
    ok = store.remove(settingKeys::drive) && ok;
    return store.remove(settingKeys::driveUUID) && ok;
}

std::optional<WatchSettings> watch(SettingsStore& store)
{
    const auto value = store.value(settingKeys::watch);
    return value ? decodeWatchSettings(*value) : std::nullopt;
}

bool saveWatch(SettingsStore& store, const WatchSettings& watch)
{
    return store.setValue(settingKeys::watch, asIn(encode(watch)));
}

bool flag(SettingsStore& store, std::string_view key)
{
    const auto value = store.value(key);
    return value && value->is_boolean() && value->get<bool>();
}

std::optional<WindowFrame> frame(SettingsStore& store, std::string_view key)
{
    const auto value = store.value(key);
    if (!value || !value->is_object())
        return std::nullopt;
    WindowFrame frame;
    for (auto [name, field] :
         {std::pair{"x", &frame.x}, {"y", &frame.y}, {"width", &frame.width}, {"height", &frame.height}}) {
        const auto found = value->find(name);
        const auto number = found == value->end() ? std::nullopt : jsonInteger(*found);
        if (!number || *number < -1'000'000 || *number > 1'000'000)
            return std::nullopt;
        *field = static_cast<int>(*number);
    }
    if (frame.width <= 0 || frame.height <= 0)
        return std::nullopt;
    return frame;
}

bool saveFrame(SettingsStore& store, std::string_view key, const WindowFrame& frame)
{
    return store.setValue(key,
                          JsonIn{{"x", frame.x}, {"y", frame.y}, {"width", frame.width}, {"height", frame.height}});
}

std::optional<Instant> date(SettingsStore& store, std::string_view key)
{
    const auto value = store.value(key);
    return value ? decodeInstant(*value, DateForm::iso8601) : std::nullopt;
}

bool setDate(SettingsStore& store, std::string_view key, std::optional<Instant> date)
{
    if (!date)
        return store.remove(key);
    return store.setValue(key, asIn(encodeInstant(*date, DateForm::iso8601)));
}

Dates dates(SettingsStore& store, std::string_view key)
{
    Dates dates;
    const auto value = store.value(key);
    if (!value || !value->is_object())
        return dates;
    for (const auto& [name, entry] : value->items())
        if (const auto date = decodeInstant(entry, DateForm::iso8601))
            dates.emplace(name, *date);
    return dates;
}

bool saveDates(SettingsStore& store, std::string_view key, const Dates& dates)
{
    JsonIn object = JsonIn::object();
    for (const auto& [name, date] : dates)
        object[name] = asIn(encodeInstant(date, DateForm::iso8601));
    return store.setValue(key, std::move(object));
}

DriveCaches driveCaches(SettingsStore& store)
{
    DriveCaches caches;
    const auto value = store.value(settingKeys::driveCaches);
    if (!value || !value->is_object())
        return caches;
    for (const auto& [uuid, entry] : value->items())
        if (auto state = decodeDriveState(entry, DateForm::iso8601))
            caches.emplace(uuid, std::move(*state));
    return caches;
}

bool saveDriveCaches(SettingsStore& store, const DriveCaches& caches)
{
    JsonIn object = JsonIn::object();
    for (const auto& [uuid, state] : caches)
        object[uuid] = asIn(encode(state, DateForm::iso8601));
    return store.setValue(settingKeys::driveCaches, std::move(object));
}

} // namespace brindle::Stored
