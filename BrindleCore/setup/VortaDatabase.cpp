// Vorta's settings.db: "backupprofilemodel" (its "repo_id" and "exclude_patterns", one rule a
// line), "repomodel" (its "url": a folder, or ssh://…), "sourcedirmodel" (the folders of a
// profile, "dir") and "archivemodel" (the archives of a repository: "name", "time" as a local
// date and time, borg's start of the archive, and "duration"). The copy in memory is opened read-only; the password
// table is never asked, and the work any one statement may do is bounded, as is the length of any value; a database
// with a view or a virtual table is not read.
#include "BrindleCore/BackupSetupRead.h"

#include <sqlite3.h>

#include <memory>

namespace brindle {

namespace {
constexpr int maxRows = 4096;
constexpr int maxSteps = 10'000'000; // virtual-machine steps per statement
constexpr int maxValueBytes = 1 << 16;

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// An in-memory database holding a copy of `bytes`, read-only; null when it is not one.
Database openCopy(std::string_view bytes)
{
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) != SQLITE_OK) {
        sqlite3_close(raw);
        return {nullptr, sqlite3_close};
    }
    Database db(raw, sqlite3_close);
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
    if (!copy)
        return {nullptr, sqlite3_close};
    std::copy(bytes.begin(), bytes.end(), copy);
    // A copy cannot have a write-ahead log beside it: read it as a rollback-journal database.
    if (bytes.size() >= 20 && copy[18] == 2 && copy[19] == 2)
        copy[18] = copy[19] = 1;
    const auto size = static_cast<sqlite3_int64>(bytes.size());
    if (sqlite3_deserialize(db.get(), "main", copy, size, size,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        return {nullptr, sqlite3_close};
    // No value longer than any real setting; no function of the file's own schema run.
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, maxValueBytes);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    // A view or a virtual table computes its rows, as much as it likes: only stored tables are read.
    sqlite3_stmt* count = nullptr;
    const bool stored =
        sqlite3_prepare_v2(
            db.get(), "SELECT count(*) FROM sqlite_master WHERE type = 'view' OR (type = 'table' AND NOT rootpage > 0)",
            -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int64(count, 0) == 0;
    sqlite3_finalize(count);
    if (!stored)
        return {nullptr, sqlite3_close};
    return db;
}

// Runs `sql` with the integer `bound` as its first parameter (when not negative) and hands
// each row to `row`; stops quietly on any error.
template <typename Row> void query(sqlite3* db, const char* sql, sqlite3_int64 bound, Row row)
{
    int steps = 0;
    sqlite3_progress_handler(
        db, 1000, [](void* counter) { return ++*static_cast<int*>(counter) > maxSteps / 1000 ? 1 : 0; }, &steps);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        return;
    }
    const Statement statement(raw, sqlite3_finalize);
    if (bound >= 0)
        sqlite3_bind_int64(raw, 1, bound);
    for (int rows = 0; rows < maxRows && sqlite3_step(raw) == SQLITE_ROW; ++rows)
        row(raw);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

std::string textAt(sqlite3_stmt* statement, int column)
{
    const auto* text = sqlite3_column_text(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}
} // namespace

std::vector<BackupSetup> SetupRead::vortaDatabase(std::string_view bytes, const SetupPlaces& places,
                                                  const Calendar& calendar)
{
    std::vector<BackupSetup> setups;
    if (bytes.empty())
        return setups;
    const Database db = openCopy(bytes);
    if (!db)
        return setups;
    struct Profile {
        sqlite3_int64 id;
        sqlite3_int64 repo;
        std::string url;
    };
    std::vector<Profile> profiles;
    query(db.get(),
          "SELECT p.id, r.id, r.url FROM backupprofilemodel p JOIN repomodel r ON p.repo_id = r.id ORDER BY p.id", -1,
          [&](sqlite3_stmt* row) {
              profiles.push_back({sqlite3_column_int64(row, 0), sqlite3_column_int64(row, 1), textAt(row, 2)});
          });
    for (const Profile& profile : profiles) {
        if (profile.url.empty())
            continue;
        BackupSetup setup{"Vorta"};
        setup.target = profile.url.starts_with('/') ? places.absolute(profile.url) : profile.url;
        std::vector<std::string> included;
        query(db.get(), "SELECT dir FROM sourcedirmodel WHERE profile_id = ?", profile.id, [&](sqlite3_stmt* row) {
            if (const std::string dir = textAt(row, 0); !dir.empty())
                included.push_back(places.absolute(dir));
        });
        setup.included = std::move(included);
        query(db.get(), "SELECT exclude_patterns FROM backupprofilemodel WHERE id = ?", profile.id,
              [&](sqlite3_stmt* row) {
                  const std::string text = textAt(row, 0);
                  std::string_view lines = text;
                  while (!lines.empty() && setup.excluded.size() < static_cast<std::size_t>(maxRows)) {
                      const auto newline = lines.find('\n');
                      std::string_view rule = lines.substr(0, newline);
                      lines = newline == std::string_view::npos ? std::string_view{} : lines.substr(newline + 1);
                      while (!rule.empty() && (rule.back() == ' ' || rule.back() == '\r'))
                          rule.remove_suffix(1);
                      // Borg's "sh:" and "fm:" rules are shell patterns; other styles are not folders.
                      for (const std::string_view style : {"sh:", "fm:", "pp:"})
                          if (rule.starts_with(style))
                              rule.remove_prefix(style.size());
                      if (!rule.empty() && !rule.starts_with('#') && rule.find(':') == std::string_view::npos)
                          setup.excluded.emplace_back(rule.starts_with('~') ? places.absolute(rule)
                                                                            : std::string(rule));
                  }
              });
        // The newest archive that is not a checkpoint: borg leaves "<name>.checkpoint" (or
        // ".checkpoint.N") behind when a run is interrupted, and those are no completed backup.
        std::string newestTime;
        query(db.get(), "SELECT time, name FROM archivemodel WHERE repo_id = ?", profile.repo, [&](sqlite3_stmt* row) {
            const std::string time = textAt(row, 0), name = textAt(row, 1);
            const auto checkpoint = name.rfind(".checkpoint");
            if (checkpoint != std::string::npos &&
                (checkpoint + 11 == name.size() || name.compare(checkpoint + 11, 1, ".") == 0))
                return;
            if (const auto at = timestamp(time, calendar); at && (!setup.lastStarted || *at > *setup.lastStarted)) {
                setup.lastStarted = at;
                newestTime = time;
            }
        });
        setup.lastBackup = setup.lastStarted;
        // "duration" (seconds, since Vorta 0.8) gives the end; older databases lack it.
        query(db.get(), "SELECT time, duration FROM archivemodel WHERE repo_id = ?", profile.repo,
              [&](sqlite3_stmt* row) {
                  const double seconds = sqlite3_column_double(row, 1);
                  if (setup.lastStarted && textAt(row, 0) == newestTime && seconds > 0 && seconds < 7 * 24 * 3600.0)
                      setup.lastBackup = *setup.lastStarted + std::chrono::duration_cast<Instant::duration>(
                                                                  std::chrono::duration<double>(seconds));
              });
        setups.push_back(std::move(setup));
    }
    return setups;
}

} // namespace brindle
