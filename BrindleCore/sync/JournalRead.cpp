#include "BrindleCore/sync/JournalRead.h"

#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Instant.h"
#include "BrindleCore/Limits.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace brindle::JournalRead {

namespace {

constexpr std::string_view copyPrefix = "brindle-journal-";
constexpr std::array<const char*, 4> copySuffixes{"", "-wal", "-shm", "-journal"};

// Removes the files a private copy may hold, then its folder.
void removeCopyFolder(const std::string& folder)
{
    for (const char* suffix : copySuffixes)
        ::unlink((folder + "/journal.db" + suffix).c_str());
    ::rmdir(folder.c_str());
}

// Removes the copies that checks killed before they could clean up: folders of this user
// named "brindle-journal-PID-XXXXXX" whose process is gone.
void removeAbandonedCopies(const std::string& tmp)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(tmp.c_str()), ::closedir);
    if (!listing)
        return;
    const uid_t me = ::geteuid();
    std::size_t seen = 0;
    while (const dirent* entry = ::readdir(listing.get())) {
        // A shared /tmp may hold any number of entries; a later check looks further.
        if (++seen > 100'000)
            break;
        const std::string_view name = entry->d_name;
        if (!name.starts_with(copyPrefix))
            continue;
        const std::string_view rest = name.substr(copyPrefix.size());
        pid_t pid = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (error != std::errc() || pid <= 0 || end == rest.data() + rest.size() || *end != '-')
            continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        const std::string folder = tmp + "/" + std::string(name);
        struct stat status {};
        if (::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == me)
            removeCopyFolder(folder);
    }
}

// Copies the regular file `from` to a new file `to`; false when it is not a regular file,
// exceeds the cap, or any read or write fails.
bool copyFile(const std::string& from, const std::string& to, std::size_t& copied)
{
    const Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat status {};
    if (!source.valid() || ::fstat(source.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > limits::syncJournalBytes)
        return false;
    const Descriptor target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!target.valid())
        return false;
    std::vector<char> buffer(1u << 20);
    std::size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(source.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0) {
            copied += total;
            return true;
        }
        total += static_cast<std::size_t>(got);
        if (total > limits::syncJournalBytes || !writeAll(target.get(), {buffer.data(), static_cast<std::size_t>(got)}))
            return false;
    }
}

// A private copy of a database and its log, removed with this object.
class PrivateCopy {
public:
    explicit PrivateCopy(const std::string& database)
    {
        const char* tmpdir = std::getenv("TMPDIR");
        const std::string tmp = tmpdir && tmpdir[0] == '/' ? tmpdir : "/tmp";
        removeAbandonedCopies(tmp);
        // The process id in the name tells a later check whether this copy was abandoned.
        std::string pattern = tmp + "/" + std::string(copyPrefix) + std::to_string(::getpid()) + "-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return;
        folder_ = pattern;
        const std::string copy = folder_ + "/journal.db";
        if (!copyFile(database, copy, bytes_))
            return;
        struct stat status {};
        const std::string log = database + "-wal";
        if (::lstat(log.c_str(), &status) == 0 && !copyFile(log, copy + "-wal", bytes_))
            return;
        path_ = copy;
    }
    ~PrivateCopy()
    {
        if (!folder_.empty())
            removeCopyFolder(folder_);
    }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    const std::string& path() const { return path_; } // empty when the copy failed
    std::size_t bytes() const { return bytes_; }      // of the database and its log

private:
    std::size_t bytes_ = 0;
    std::string folder_;
    std::string path_;
};

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// What reading one database may cost, in proportion to its size: a small file that asks
// for much work or memory is hostile, not a journal.
struct Budget {
    std::int64_t steps = 0; // progress callbacks so far, each a thousand instructions
    std::int64_t maxSteps = 0;
    std::size_t bytes = 0; // held in memory so far, roughly
    std::size_t maxBytes = 0;

    explicit Budget(std::size_t fileBytes)
        : maxSteps(static_cast<std::int64_t>(fileBytes / 8) + 10'000), maxBytes(fileBytes * 2 + (1u << 20))
    {
    }
    // Counts `more` bytes held; false once the budget is spent.
    bool hold(std::size_t more) { return (bytes += more) <= maxBytes; }
};

// Ends the statement once the budget's instructions are spent.
int tooMuchWork(void* budget)
{
    auto& spent = *static_cast<Budget*>(budget);
    return ++spent.steps > spent.maxSteps ? 1 : 0;
}

Database openReadOnly(const std::string& path, Budget& budget)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Database db(raw);
    if (opened != SQLITE_OK)
        return nullptr;
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_limit(db.get(), SQLITE_LIMIT_LENGTH, static_cast<int>(limits::syncPathBytes * 4));
    sqlite3_progress_handler(db.get(), 1000, tooMuchWork, &budget);
    // The copy is ours and read once from end to end: map it rather than read it page by page.
    sqlite3_exec(db.get(), "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
    return db;
}

Statement prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK)
        return nullptr;
    return Statement(raw);
}

// Whether every table is stored in the file: a view or a virtual table computes its rows,
// and a view of a few bytes can ask for endless work and memory.
bool onlyStoredTables(sqlite3* db)
{
    const Statement computed =
        prepare(db, "SELECT count(*) FROM sqlite_master WHERE type = 'view' OR (type = 'table' AND NOT rootpage > 0)");
    return computed && sqlite3_step(computed.get()) == SQLITE_ROW && sqlite3_column_int64(computed.get(), 0) == 0;
}

std::string_view textOf(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string_view();
}

bool usablePath(std::string_view path)
{
    return !path.empty() && path.size() <= limits::syncPathBytes && path.find('\0') == std::string_view::npos &&
           !path.starts_with('/');
}

// Runs `statement` to its end, calling `row` for each row; false when the query failed or
// returned more rows than allowed, or the database turned out damaged.
template <typename Row> bool eachRow(sqlite3_stmt* statement, Row row)
{
    std::size_t rows = 0;
    for (;;) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE)
            return true;
        if (step != SQLITE_ROW || ++rows > limits::syncJournalRows)
            return false;
        row(statement);
    }
}

std::optional<SyncJournal> loadNextcloud(sqlite3* db, Budget& budget)
{
    const Statement rows = prepare(db, "SELECT path, modtime, filesize, type FROM metadata");
    if (!rows)
        return std::nullopt;
    SyncJournal journal;
    bool withinBudget = true;
    const bool read = eachRow(rows.get(), [&](sqlite3_stmt* row) {
        const std::string_view path = textOf(row, 0);
        if (!usablePath(path) || !(withinBudget = withinBudget && budget.hold(path.size() + sizeof(JournalEntry) + 24)))
            return;
        // The client's ItemType: 0 a file, 1 a soft link, 2 a folder, 3 an item it skips, 4 an
        // online-only file, 5 one being downloaded.
        const std::int64_t type = sqlite3_column_int64(row, 3);
        journal.add(path, JournalEntry{sqlite3_column_int64(row, 1), sqlite3_column_int64(row, 2), type == 2,
                                       type == 4 || type == 5, false, type == 1 || type == 3});
    });
    if (!read || !withinBudget)
        return std::nullopt;
    // Uploads under way, and those that have failed; older journals may lack the table (no
    // error) or its error count.
    Statement uploads = prepare(db, "SELECT path, errorcount, modtime FROM uploadinfo");
    const bool counted = uploads != nullptr;
    if (!uploads)
        uploads = prepare(db, "SELECT path FROM uploadinfo");
    if (uploads) {
        const bool readUploads = eachRow(uploads.get(), [&](sqlite3_stmt* row) {
            const std::string_view path = textOf(row, 0);
            if (!usablePath(path) || !(withinBudget = withinBudget && budget.hold(2 * path.size() + 64)))
                return;
            if (counted && sqlite3_column_int64(row, 1) > 0)
                journal.addFailingUpload(path, std::max<std::int64_t>(sqlite3_column_int64(row, 2), 0));
            else
                journal.markUploading(path);
        });
        if (!readUploads || !withinBudget)
            return std::nullopt;
    }
    journal.seal();
    return journal;
}

struct OneDriveItem {
    std::string drive;
    std::string id;
    std::string name;
    std::string parent; // empty for a row without a parent
    bool directory = false;
    std::optional<std::int64_t> modified;
    std::int64_t size = -1;
    // For a shortcut to a folder shared from another drive (type "remote"): that folder.
    std::string remoteDrive;
    std::string remoteId;
    // For a shared folder's top that the owner moved into one of our folders: that folder.
    std::string relocatedDrive;
    std::string relocatedParent;
};

// A size stored as a number or as its digits; -1 when it is neither.
std::int64_t sizeOf(sqlite3_stmt* row, int column)
{
    if (sqlite3_column_type(row, column) == SQLITE_INTEGER)
        return std::max<std::int64_t>(sqlite3_column_int64(row, column), -1);
    const std::string_view text = textOf(row, column);
    std::int64_t size = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
    return error == std::errc() && end == text.data() + text.size() && size >= 0 ? size : -1;
}

// Which of the optional columns the item table has; older layouts lack some.
struct OneDriveColumns {
    bool size = false;
    bool remote = false;
    bool relocated = false;
};

OneDriveColumns columnsOf(sqlite3* db)
{
    OneDriveColumns has;
    const Statement columns = prepare(db, "SELECT name FROM pragma_table_info('item')");
    if (!columns)
        return has;
    bool remoteDrive = false, remoteId = false, relocatedDrive = false, relocatedParent = false;
    eachRow(columns.get(), [&](sqlite3_stmt* row) {
        const std::string_view name = textOf(row, 0);
        has.size = has.size || name == "size";
        remoteDrive = remoteDrive || name == "remoteDriveId";
        remoteId = remoteId || name == "remoteId";
        relocatedDrive = relocatedDrive || name == "relocDriveId";
        relocatedParent = relocatedParent || name == "relocParentId";
    });
    has.remote = remoteDrive && remoteId;
    has.relocated = relocatedDrive && relocatedParent;
    return has;
}

// The path of every item below the sync folder, or nullopt where the chain is broken or loops.
//
// The client's own rules: the drive's root is a parentless row named "root" and is the sync
// folder itself. A folder shared from another drive sits in our drive as a row of type
// "remote" (named as we named the shortcut) that points at the shared folder's row in the
// other drive; that row stands for the same folder, and whatever lies below it lies below
// the shortcut. A parentless row with another name (a shared folder or document library
// whose shortcut row is missing) is a folder of that name at the top, or in the folder the
// row's relocation names.
std::vector<std::optional<std::string>> oneDrivePaths(const std::vector<OneDriveItem>& items)
{
    std::unordered_map<std::string, std::size_t> byKey;
    std::unordered_map<std::string, std::size_t> shortcuts; // by the key of the folder they stand for
    byKey.reserve(items.size());
    const auto key = [](std::string_view drive, std::string_view id) {
        std::string joined(drive);
        joined += '\n';
        joined += id;
        return joined;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        byKey.emplace(key(items[i].drive, items[i].id), i);
        if (!items[i].remoteId.empty())
            shortcuts.emplace(key(items[i].remoteDrive, items[i].remoteId), i);
    }

    // Each item's step up: the item whose path its own path extends, or a top of its own.
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    struct Step {
        std::size_t up = none;
        bool appendName = true;
        bool top = false;    // its path is known without climbing
        bool broken = false; // its parent is not in the table
    };
    std::vector<Step> steps(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const OneDriveItem& item = items[i];
        Step& step = steps[i];
        if (const auto shortcut = shortcuts.find(key(item.drive, item.id));
            shortcut != shortcuts.end() && shortcut->second != i) {
            step = {shortcut->second, false};
        } else if (!item.parent.empty()) {
            const auto parent = byKey.find(key(item.drive, item.parent));
            step.up = parent == byKey.end() ? none : parent->second;
            step.broken = parent == byKey.end();
        } else if (const auto relocated = item.relocatedParent.empty()
                                              ? byKey.end()
                                              : byKey.find(key(item.relocatedDrive, item.relocatedParent));
                   relocated != byKey.end()) {
            step = {relocated->second, item.name != "root"};
        } else {
            step.top = true;
        }
    }

    enum class State : std::uint8_t { unknown, done, broken };
    std::vector<State> states(items.size(), State::unknown);
    std::vector<std::optional<std::string>> paths(items.size());
    std::vector<std::size_t> chain;
    for (std::size_t start = 0; start < items.size(); ++start) {
        chain.clear();
        std::size_t at = start;
        State end = State::broken;
        // Climb until an item whose path is known, a top, or a break.
        for (int depth = 0; depth <= limits::syncTreeDepth; ++depth) {
            if (states[at] != State::unknown) {
                end = states[at];
                break;
            }
            if (steps[at].top) {
                states[at] = State::done;
                paths[at] = items[at].name == "root" ? std::string() : items[at].name;
                end = State::done;
                if (items[at].name.find('/') != std::string::npos || paths[at]->size() > limits::syncPathBytes) {
                    states[at] = end = State::broken;
                    paths[at].reset();
                }
                break;
            }
            chain.push_back(at);
            const std::size_t up = steps[at].up;
            if (steps[at].broken || std::find(chain.begin(), chain.end(), up) != chain.end())
                break;
            at = up;
        }
        // Walk back down, each item's path from the one above it.
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const std::size_t index = *it;
            if (end == State::done) {
                const std::string& above = *paths[steps[index].up];
                const std::string& name = items[index].name;
                if (!steps[index].appendName) {
                    paths[index] = above;
                } else if (name.empty() || name.find('/') != std::string::npos ||
                           above.size() + 1 + name.size() > limits::syncPathBytes) {
                    end = State::broken;
                } else {
                    paths[index] = above.empty() ? name : above + "/" + name;
                }
            }
            states[index] = end;
        }
    }
    return paths;
}

std::optional<SyncJournal> loadOneDrive(sqlite3* db, Budget& budget)
{
    const OneDriveColumns has = columnsOf(db);
    std::string query = "SELECT driveId, id, name, type, mtime, parentId";
    query += has.size ? ", size" : ", NULL";
    query += has.remote ? ", remoteDriveId, remoteId" : ", NULL, NULL";
    query += has.relocated ? ", relocDriveId, relocParentId" : ", NULL, NULL";
    query += " FROM item";
    const Statement rows = prepare(db, query.c_str());
    if (!rows)
        return std::nullopt;
    std::vector<OneDriveItem> items;
    bool withinBudget = true;
    const bool read = eachRow(rows.get(), [&](sqlite3_stmt* row) {
        // The file holds each item's names and hashes and indexes them, which the items as read
        // here never outweigh; what is built from them later is in proportion.
        std::size_t bytes = sizeof(OneDriveItem);
        for (const int column : {0, 1, 2, 5, 7, 8, 9, 10})
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(row, column));
        withinBudget = withinBudget && budget.hold(bytes);
        if (!withinBudget)
            return;
        const std::string_view type = textOf(row, 3);
        OneDriveItem item{std::string(textOf(row, 0)),
                          std::string(textOf(row, 1)),
                          std::string(textOf(row, 2)),
                          std::string(textOf(row, 5)),
                          type == "dir" || type == "root" || type == "remote",
                          isoSeconds(textOf(row, 4)),
                          has.size ? sizeOf(row, 6) : -1,
                          std::string(textOf(row, 7)),
                          std::string(textOf(row, 8)),
                          std::string(textOf(row, 9)),
                          std::string(textOf(row, 10))};
        // Only a shortcut stands for another folder; other rows may carry these columns too.
        if (type != "remote")
            item.remoteId.clear();
        if (!item.id.empty())
            items.push_back(std::move(item));
    });
    if (!read || !withinBudget)
        return std::nullopt;
    const std::vector<std::optional<std::string>> paths = oneDrivePaths(items);
    SyncJournal journal;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (paths[i] && !paths[i]->empty() && items[i].modified)
            journal.add(*paths[i], JournalEntry{*items[i].modified, items[i].size, items[i].directory, false, false});
    journal.seal();
    return journal;
}

template <typename Load> std::optional<SyncJournal> readCopy(const std::string& databasePath, Load load)
{
    try {
        const PrivateCopy copy(databasePath);
        if (copy.path().empty())
            return std::nullopt;
        Budget budget(copy.bytes());
        const Database db = openReadOnly(copy.path(), budget);
        if (!db || !onlyStoredTables(db.get()))
            return std::nullopt;
        return load(db.get(), budget);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
} // namespace

std::optional<std::int64_t> isoSeconds(std::string_view text)
{
    // "2024-05-01T10:20:30.1234567Z" → "2024-05-01T10:20:30Z"
    if (text.size() > 20 && text[19] == '.' && text.back() == 'Z')
        text = text.substr(0, 19);
    else if (text.size() == 20)
        text = text.substr(0, 19);
    else
        return std::nullopt;
    std::string whole(text);
    whole += 'Z';
    const auto instant = parseISO8601(whole);
    if (!instant)
        return std::nullopt;
    return std::chrono::duration_cast<std::chrono::seconds>(instant->time_since_epoch()).count();
}

std::optional<SyncJournal> nextcloud(const std::string& databasePath) { return readCopy(databasePath, loadNextcloud); }

std::optional<SyncJournal> oneDrive(const std::string& databasePath) { return readCopy(databasePath, loadOneDrive); }

} // namespace brindle::JournalRead
