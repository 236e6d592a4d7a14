#include "Brindle/app/services/DejaDupSettings.h"

#include <gio/gio.h>

#include <memory>

namespace brindle {

namespace {
struct GObjectRelease {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, GObjectRelease>;
using Schema = std::unique_ptr<GSettingsSchema, decltype(&g_settings_schema_unref)>;

Schema lookup(const char* id)
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default(); // not owned
    return {source ? g_settings_schema_source_lookup(source, id, TRUE) : nullptr, g_settings_schema_unref};
}

std::string stringKey(GSettings* settings, const GSettingsSchema* schema, const char* key)
{
    if (!g_settings_schema_has_key(const_cast<GSettingsSchema*>(schema), key))
        return {};
    GVariant* value = g_settings_get_value(settings, key);
    std::string text = g_variant_is_of_type(value, G_VARIANT_TYPE_STRING) ? g_variant_get_string(value, nullptr) : "";
    g_variant_unref(value);
    return text;
}

std::vector<std::string> listKey(GSettings* settings, const GSettingsSchema* schema, const char* key)
{
    std::vector<std::string> items;
    if (!g_settings_schema_has_key(const_cast<GSettingsSchema*>(schema), key))
        return items;
    GVariant* value = g_settings_get_value(settings, key);
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
        gsize count = 0;
        const gchar** strings = g_variant_get_strv(value, &count);
        items.assign(strings, strings + count);
        g_free(strings);
    }
    g_variant_unref(value);
    return items;
}

// The string `key` of the child schema `id`; empty when the schema or key is missing.
std::string childKey(const char* id, const char* key)
{
    const Schema schema = lookup(id);
    if (!schema)
        return {};
    const Settings settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    return stringKey(settings.get(), schema.get(), key);
}
} // namespace

std::optional<DejaDupSettings> readDejaDupSettings()
{
    const Schema schema = lookup("org.gnome.DejaDup");
    if (!schema)
        return std::nullopt;
    const Settings settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    DejaDupSettings read;
    read.backend = stringKey(settings.get(), schema.get(), "backend");
    read.includeList = listKey(settings.get(), schema.get(), "include-list");
    read.excludeList = listKey(settings.get(), schema.get(), "exclude-list");
    read.lastBackup = stringKey(settings.get(), schema.get(), "last-backup");
    read.localFolder = childKey("org.gnome.DejaDup.Local", "folder");
    read.driveUuid = childKey("org.gnome.DejaDup.Drive", "uuid");
    read.driveName = childKey("org.gnome.DejaDup.Drive", "name");
    read.remoteUri = childKey("org.gnome.DejaDup.Remote", "uri");
    read.remoteFolder = childKey("org.gnome.DejaDup.Remote", "folder");
    return read;
}

} // namespace brindle
