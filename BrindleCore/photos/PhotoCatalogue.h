// PhotoCatalogue: where the person's photo manager keeps its catalogue of albums, tags and
// edits. The photos themselves are ordinary files that the check counts where they lie; the
// catalogue is a database apart from them, found here from the manager's own settings:
// Shotwell's photo.db in its data folder (the current one, else the one before 0.26), then
// digiKam's digikam4.db where digikamrc names it.
//
// Nothing is opened but the settings file and the existence of the database; a database that
// is not a regular file counts as absent. Bad settings text gives nothing, never an error;
// nothing throws. Encoded to JSON with its field names as keys. Pure apart from the file
// lookups; any thread.
#pragma once

#include "BrindleCore/BackupSetupRead.h"
#include "BrindleCore/Json.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct PhotoCatalogue {
    std::string manager; // "Shotwell", "digiKam"
    // The database file, absolute; empty when a database server keeps it.
    std::string path;
    // The folder of the check that holds it, by name; absent when it lies outside all of them.
    std::optional<std::string> inFolder{};

    friend bool operator==(const PhotoCatalogue&, const PhotoCatalogue&) = default;
};

namespace PhotoCatalogues {

// digiKam's database from the text of digikamrc: "Database Name" of [Database Settings] names
// the folder holding digikam4.db, or the file itself; another "Database Type" than QSQLITE is
// a server (an empty path). Absent when the text names no database.
std::optional<std::string> digikamDatabase(std::string_view digikamrc, const SetupPlaces& places);

// The catalogue of the first manager whose database exists, Shotwell's before digiKam's.
std::optional<PhotoCatalogue> find(const SetupPlaces& places);

// `catalogue` with `inFolder` set to the name of the first of `folders` (name, absolute
// path) whose check counts its database: one that holds it, and not below a hidden folder
// inside it (the check skips those), so Shotwell's catalogue is counted in no home folder.
PhotoCatalogue placed(PhotoCatalogue catalogue, const std::vector<std::pair<std::string, std::string>>& folders);

} // namespace PhotoCatalogues

JsonOut encode(const PhotoCatalogue& catalogue);
std::optional<PhotoCatalogue> decodePhotoCatalogue(const JsonIn& value, DateForm dates);

} // namespace brindle
