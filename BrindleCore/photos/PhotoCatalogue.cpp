#include "BrindleCore/photos/PhotoCatalogue.h"

#include "BrindleCore/FileIO.h"
#include "BrindleCore/Limits.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Trimmed.h"

#include <sys/stat.h>

namespace brindle {

namespace {

bool isRegularFile(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

std::optional<std::string> PhotoCatalogues::digikamDatabase(std::string_view digikamrc, const SetupPlaces& places)
{
    if (digikamrc.size() > limits::toolSettingsBytes)
        return std::nullopt;
    bool inGroup = false;
    std::string type = "QSQLITE";
    std::optional<std::string> name;
    while (!digikamrc.empty()) {
        const auto end = digikamrc.find('\n');
        const std::string_view line = trimmed(digikamrc.substr(0, end));
        digikamrc.remove_prefix(end == std::string_view::npos ? digikamrc.size() : end + 1);
        if (line.starts_with('[')) {
            inGroup = line == "[Database Settings]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos)
            continue;
        std::string_view key = trimmed(line.substr(0, equals));
        // KConfig marks a key whose value expands $HOME with "[$e]".
        if (key.ends_with("[$e]"))
            key.remove_suffix(4);
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "Database Type")
            type = std::string(value);
        else if (key == "Database Name")
            name = std::string(value);
    }
    if (type != "QSQLITE")
        return std::string();
    if (!name || name->empty() || name->size() > limits::syncPathBytes)
        return std::nullopt;
    return places.absolute(*name);
}

std::optional<PhotoCatalogue> PhotoCatalogues::find(const SetupPlaces& places)
{
    for (const std::string& path :
         {places.dataHome + "/shotwell/data/photo.db", places.home + "/.shotwell/data/photo.db"})
        if (!places.home.empty() && isRegularFile(path))
            return PhotoCatalogue{"Shotwell", path};
    const auto rc = readRegularFile(places.configHome + "/digikamrc", limits::toolSettingsBytes).content;
    const auto named = rc ? digikamDatabase(*rc, places) : std::nullopt;
    if (!named || places.home.empty())
        return std::nullopt;
    if (named->empty())
        return PhotoCatalogue{"digiKam", {}};
    const std::string file = isDirectory(*named) ? *named + "/digikam4.db" : *named;
    if (isRegularFile(file))
        return PhotoCatalogue{"digiKam", file};
    return std::nullopt;
}

PhotoCatalogue PhotoCatalogues::placed(PhotoCatalogue catalogue,
                                       const std::vector<std::pair<std::string, std::string>>& folders)
{
    catalogue.inFolder.reset();
    if (catalogue.path.empty())
        return catalogue;
    for (const auto& [name, path] : folders) {
        const std::string folder = withoutTrailingSlashes(path);
        if (!isSameOrInside(catalogue.path, folder))
            continue;
        // The check skips hidden entries with their contents: a catalogue below one is not counted.
        const std::string_view below = std::string_view(catalogue.path).substr(folder == "/" ? 0 : folder.size());
        if (below.find("/.") != std::string_view::npos)
            continue;
        catalogue.inFolder = name;
        break;
    }
    return catalogue;
}

JsonOut encode(const PhotoCatalogue& catalogue)
{
    JsonOut json = JsonOut::object();
    json["manager"] = catalogue.manager;
    json["path"] = catalogue.path;
    putOptional(json, "inFolder", catalogue.inFolder);
    return json;
}

std::optional<PhotoCatalogue> decodePhotoCatalogue(const JsonIn& value, DateForm dates)
{
    JsonReader in(value, dates);
    PhotoCatalogue catalogue;
    catalogue.manager = in.string("manager");
    catalogue.path = in.string("path");
    catalogue.inFolder = in.optionalString("inFolder");
    return in.ok() ? std::optional(std::move(catalogue)) : std::nullopt;
}

} // namespace brindle
