// Sync clients' records: the place of each file below a sync folder must match what the
// client's own database says of it, however the database is held, damaged or laid out.
#include "BrindleCore/sync/SyncFacts.h"
#include "BrindleCore/Check.h"
#include "BrindleCore/Classify.h"
#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/Report.h"
#include "BrindleCore/sync/JournalRead.h"
#include "BrindleCore/sync/SyncConfig.h"
#include "tests/support/TestTree.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

// An open database that a test writes with SQL and may keep open, as the client does.
class Database {
public:
    explicit Database(const std::string& path) { EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK); }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    int run(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

constexpr const char* nextcloudSchema =
    "CREATE TABLE metadata(phash INTEGER(8), pathlen INTEGER, path VARCHAR(4096), inode INTEGER, uid INTEGER,"
    " gid INTEGER, mode INTEGER, modtime INTEGER(8), type INTEGER, md5 VARCHAR(32), fileid VARCHAR(128),"
    " remotePerm VARCHAR(128), filesize BIGINT, PRIMARY KEY(phash));"
    "CREATE TABLE uploadinfo(path VARCHAR(4096), chunk INTEGER, transferid INTEGER, errorcount INTEGER,"
    " size INTEGER(8), modtime INTEGER(8), contentChecksum TEXT, PRIMARY KEY(path));"
    "CREATE TABLE blacklist(path VARCHAR(4096), lastTryEtag VARCHAR[32], lastTryModtime INTEGER[8],"
    " retrycount INTEGER, errorstring VARCHAR[4096], PRIMARY KEY(path));";

std::string row(const std::string& path, std::int64_t modified, std::int64_t size, int type)
{
    return "INSERT INTO metadata(phash, path, modtime, filesize, type) VALUES(" +
           std::to_string(std::hash<std::string>{}(path) >> 1) + ", '" + path + "', " + std::to_string(modified) +
           ", " + std::to_string(size) + ", " + std::to_string(type) + ");";
}

std::int64_t mtimeOf(const std::string& path)
{
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mtim.tv_sec;
}

// The place the facts give the file at `path`, asked as the scanner asks.
Place placeOf(const ICloudFactsSource& facts, const std::string& path)
{
    const std::filesystem::path file(path);
    const Descriptor directory(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY));
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return Classify::place(facts.facts(directory.get(), file.filename().c_str(), status));
}

SyncLocations locationsIn(const TestTree& tree) { return {tree.root(), tree.path("config"), tree.path("cache"), ""}; }

void writeConfig(const TestTree& tree, const std::string& text)
{
    ASSERT_TRUE(makeFolders(tree.path("config/Nextcloud")));
    ASSERT_TRUE(writeFileAtomically(tree.path("config/Nextcloud/nextcloud.cfg"), text));
}

TEST(NextcloudJournal, PlacesMatchTheJournalFileByFileWhileTheClientHoldsItLocked)
{
    const TestTree tree{{{"Cloud/same.txt", Node::file(10)},
                         {"Cloud/resized.txt", Node::file(10)},
                         {"Cloud/touched.txt", Node::file(10)},
                         {"Cloud/new.txt", Node::file(3)},
                         {"Cloud/Docs/uploading.txt", Node::file(4)},
                         {"Cloud/Docs/deep/kept.md", Node::file(7)},
                         {"Cloud/photo.jpg.nextcloud", Node::file(1)},
                         {"Cloud/online.txt", Node::file(0)},
                         {"Outside/alone.txt", Node::file(2)},
                         {"tmp", Node::directory()}}};
    const auto at = [&](const std::string& relative) { return mtimeOf(tree.path("Cloud/" + relative)); };
    Database client(tree.path("Cloud/.sync_0123456789ab.db"));
    ASSERT_EQ(client.run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"), SQLITE_OK);
    ASSERT_EQ(client.run(nextcloudSchema), SQLITE_OK);
    ASSERT_EQ(client.run("PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;" + row("same.txt", at("same.txt"), 10, 0) +
                         row("resized.txt", at("resized.txt"), 11, 0) +
                         row("touched.txt", at("touched.txt") - 5, 10, 0) + row("Docs", 0, 0, 2) +
                         row("Docs/uploading.txt", at("Docs/uploading.txt"), 4, 0) +
                         row("Docs/deep/kept.md", at("Docs/deep/kept.md"), 7, 0) +
                         row("photo.jpg.nextcloud", at("photo.jpg.nextcloud"), 5000, 4) +
                         row("online.txt", at("online.txt"), 0, 4) +
                         "INSERT INTO uploadinfo(path) VALUES('Docs/uploading.txt'); COMMIT;"),
              SQLITE_OK);
    Database other(tree.path("Cloud/.sync_0123456789ab.db"));
    ASSERT_NE(other.run("SELECT count(*) FROM metadata"), SQLITE_OK) << "the client's lock should shut others out";
    writeConfig(tree,
                "[General]\nx=1\n[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("Cloud") +
                    "/\n0\\Folders\\1\\journalPath=.sync_0123456789ab.db\n0\\Folders\\1\\virtualFilesMode=suffix\n");

    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp ? oldTmp : "";
    ::setenv("TMPDIR", tree.path("tmp").c_str(), 1);
    CheckRequest request;
    request.folders = {{"Cloud", tree.path("Cloud")}, {"Outside", tree.path("Outside")}};
    const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
    oldTmp ? ::setenv("TMPDIR", savedTmp.c_str(), 1) : ::unsetenv("TMPDIR");

    ASSERT_TRUE(sync.facts);
    EXPECT_TRUE(std::filesystem::is_empty(tree.path("tmp"))) << "the private copy must be removed";
    EXPECT_EQ(request.cloudClient, "Nextcloud");
    EXPECT_EQ(request.iCloudDriveOn, true);
    const std::vector<std::pair<std::string, Place>> expected{{"Cloud/same.txt", Place::both},
                                                              {"Cloud/resized.txt", Place::waiting},
                                                              {"Cloud/touched.txt", Place::waiting},
                                                              {"Cloud/new.txt", Place::waiting},
                                                              {"Cloud/Docs/uploading.txt", Place::waiting},
                                                              {"Cloud/Docs/deep/kept.md", Place::both},
                                                              {"Cloud/photo.jpg.nextcloud", Place::onlyICloud},
                                                              {"Cloud/online.txt", Place::onlyICloud},
                                                              {"Outside/alone.txt", Place::onlyHere}};
    for (const auto& [path, place] : expected)
        EXPECT_EQ(placeOf(*sync.facts, tree.path(path)), place) << path;

    // The check sorts the placeholder by its real name and size, and says where the folders lie.
    request.now = Instant{tree.now()};
    request.clock = [] { return Instant{}; };
    CheckObserver observer;
    const CheckResult result = Check::run(request, observer).result;
    EXPECT_EQ(result.total().size(Place::onlyICloud), 5000);
    EXPECT_EQ(result.total().kinds[Kind::pictures], 1);
    EXPECT_TRUE(result.folders.at(0).inICloud);
    EXPECT_FALSE(result.folders.at(1).inICloud);
    EXPECT_EQ(result.cloudClient, "Nextcloud");
}

TEST(NextcloudJournal, DamagedOrForeignDatabasesGiveNothing)
{
    const TestTree tree;
    {
        Database good(tree.path("good.db"));
        ASSERT_EQ(good.run(nextcloudSchema), SQLITE_OK);
        std::string rows = "BEGIN;";
        for (int i = 0; i < 200; ++i)
            rows += row("file" + std::to_string(i) + ".txt", 1, 1, 0);
        ASSERT_EQ(good.run(rows + "COMMIT;"), SQLITE_OK);
        Database foreign(tree.path("foreign.db"));
        ASSERT_EQ(foreign.run("CREATE TABLE other(x); INSERT INTO other VALUES(1);"), SQLITE_OK);
    }
    ASSERT_TRUE(JournalRead::nextcloud(tree.path("good.db")));
    const std::string whole = readRegularFile(tree.path("good.db"), 1 << 20).content.value_or("");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"garbage.db", std::string(8192, 'x')},
        {"truncated.db", whole.substr(0, whole.size() / 2)},
        {"header-only.db", whole.substr(0, 100)},
        {"empty.db", ""},
    };
    for (const auto& [name, bytes] : cases) {
        ASSERT_TRUE(writeFileAtomically(tree.path(name), bytes));
        EXPECT_FALSE(JournalRead::nextcloud(tree.path(name))) << name;
    }
    EXPECT_FALSE(JournalRead::nextcloud(tree.path("foreign.db")));
    EXPECT_FALSE(JournalRead::nextcloud(tree.path("missing.db")));
}

// A journal of a few kilobytes may not ask for rows it does not hold: a view or a virtual
// table computes them, and a column's default repeats a long path in every row.
TEST(NextcloudJournal, ComputedOrInflatedRowsAreRefused)
{
    const TestTree tree;
    const auto journal = [&](const std::string& name, const std::string& sql) {
        Database db(tree.path(name));
        EXPECT_EQ(db.run(sql), SQLITE_OK) << name;
        return tree.path(name);
    };
    const std::string rows = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n LIMIT 20000) ";
    const std::string fill = "INSERT INTO metadata(phash) " + rows + "SELECT i FROM n;";
    const std::string longPath = "'" + std::string(4000, 'x') + "'";
    ASSERT_TRUE(JournalRead::nextcloud(journal("stored.db", std::string(nextcloudSchema) + fill)));
    EXPECT_FALSE(JournalRead::nextcloud(journal("view.db", "CREATE VIEW metadata(path, modtime, filesize, type) AS "
                                                           "SELECT 'a.txt', 1, 1, 0;")));
    EXPECT_FALSE(JournalRead::nextcloud(journal("virtual.db", "CREATE VIRTUAL TABLE metadata USING "
                                                              "fts4(path, modtime, filesize, type);")));
    EXPECT_FALSE(JournalRead::nextcloud(
        journal("defaults.db", "CREATE TABLE metadata(phash INTEGER PRIMARY KEY);" + fill +
                                   "ALTER TABLE metadata ADD COLUMN path TEXT DEFAULT " + longPath +
                                   "; ALTER TABLE metadata ADD COLUMN modtime;"
                                   "ALTER TABLE metadata ADD COLUMN filesize;"
                                   "ALTER TABLE metadata ADD COLUMN type;")));
}

// A check killed while it read a journal leaves its private copy behind; the next read
// removes it, and leaves alone the copies of checks still running.
TEST(NextcloudJournal, CopiesLeftByKilledChecksAreRemoved)
{
    const TestTree tree{{{"tmp", Node::directory()}}};
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = tree.path("tmp/brindle-journal-" + std::to_string(child) + "-AbC123");
    const std::string running = tree.path("tmp/brindle-journal-" + std::to_string(::getpid()) + "-XyZ789");
    for (const std::string& folder : {gone, running}) {
        ASSERT_TRUE(makeFolders(folder));
        ASSERT_TRUE(writeFileAtomically(folder + "/journal.db", std::string(4096, 'j')));
        ASSERT_TRUE(writeFileAtomically(folder + "/journal.db-wal", "log"));
    }
    ::setenv("TMPDIR", tree.path("tmp").c_str(), 1);
    EXPECT_FALSE(JournalRead::nextcloud(tree.path("missing.db")));
    ::unsetenv("TMPDIR");
    EXPECT_FALSE(std::filesystem::exists(gone));
    EXPECT_TRUE(std::filesystem::exists(running + "/journal.db"));
}

TEST(NextcloudJournal, AFolderThatIsGoneOrUnreadableCountsAsNotSynced)
{
    const TestTree tree{{{"Cloud/a.txt", Node::file(1)}}};
    ASSERT_TRUE(writeFileAtomically(tree.path("Cloud/.sync_0123456789ab.db"), "not a database"));
    writeConfig(tree, "[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("Gone") +
                          "\n0\\Folders\\2\\localPath=" + tree.path("Cloud") + "\n");
    CheckRequest request;
    request.folders = {{"Cloud", tree.path("Cloud")}};
    const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
    EXPECT_FALSE(sync.facts);
    EXPECT_TRUE(sync.clientSetUp); // the second folder exists, though its journal is useless
    EXPECT_EQ(sync.client, "Nextcloud");
    const std::vector<std::string> cloud{std::filesystem::canonical(tree.path("Cloud")).string()};
    EXPECT_EQ(request.unreadableJournals, cloud);
    request.now = Instant{tree.now()};
    CheckObserver observer;
    EXPECT_EQ(Check::run(request, observer).result.unreadableJournals, cloud);

    writeConfig(tree, "[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("Gone") + "\n");
    const SyncSetup gone = SyncClients::forCheck(request, locationsIn(tree));
    EXPECT_FALSE(gone.clientSetUp);
    EXPECT_FALSE(gone.client);
}

// However the journal fails to read, its folder is named, so that the check can say so.
TEST(NextcloudJournal, AJournalThatCannotBeReadIsNamed)
{
    const TestTree tree{{{"Cloud/a.txt", Node::file(1)}, {"tmp", Node::directory()}}};
    writeConfig(tree, "[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("Cloud") +
                          "\n0\\Folders\\1\\journalPath=.sync_0123456789ab.db\n");
    const std::string journal = tree.path("Cloud/.sync_0123456789ab.db");
    {
        Database good(journal);
        ASSERT_EQ(good.run(nextcloudSchema), SQLITE_OK);
        ASSERT_EQ(good.run(row("a.txt", 1, 1, 0)), SQLITE_OK);
    }
    const std::string whole = readRegularFile(journal, 1 << 20).content.value_or("");
    const std::vector<std::string> cloud{std::filesystem::canonical(tree.path("Cloud")).string()};
    const auto unreadable = [&](const std::string& tmp) {
        CheckRequest request;
        request.folders = {{"Cloud", tree.path("Cloud")}};
        ::setenv("TMPDIR", tmp.c_str(), 1);
        const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
        ::unsetenv("TMPDIR");
        return sync.unreadable;
    };
    EXPECT_TRUE(unreadable(tree.path("tmp")).empty());
    EXPECT_EQ(unreadable(tree.path("no-room")), cloud) << "a copy that cannot be made";
    const std::vector<std::pair<const char*, std::function<void()>>> cases{
        {"garbage", [&] { ASSERT_TRUE(writeFileAtomically(journal, std::string(8192, 'x'))); }},
        {"truncated", [&] { ASSERT_TRUE(writeFileAtomically(journal, whole.substr(0, whole.size() / 2))); }},
        {"a pipe",
         [&] {
             ::unlink(journal.c_str());
             ASSERT_EQ(::mkfifo(journal.c_str(), 0600), 0);
         }},
        {"a folder",
         [&] {
             ::unlink(journal.c_str());
             ASSERT_EQ(::mkdir(journal.c_str(), 0700), 0);
         }},
    };
    for (const auto& [what, make] : cases) {
        make();
        EXPECT_EQ(unreadable(tree.path("tmp")), cloud) << what;
        ::rmdir(journal.c_str());
    }
}

TEST(NextcloudJournal, AnAttributePlaceholderIsOnlyInTheCloud)
{
    const TestTree tree{{{"Cloud/light.txt", Node::file(0)}, {"Cloud/kept.txt", Node::file(0)}}};
    if (::setxattr(tree.path("Cloud/light.txt").c_str(), "user.nextcloud.hydrate_exec", "x", 1, 0) != 0) {
        if (errno == ENOTSUP)
            GTEST_SKIP() << "this file system keeps no user attributes";
        FAIL() << "setxattr: " << std::strerror(errno);
    }
    {
        Database client(tree.path("Cloud/.sync_0123456789ab.db"));
        ASSERT_EQ(client.run(nextcloudSchema), SQLITE_OK);
        ASSERT_EQ(client.run(row("kept.txt", mtimeOf(tree.path("Cloud/kept.txt")), 0, 0) + row("light.txt", 1, 900, 0)),
                  SQLITE_OK);
    }
    writeConfig(tree, "[Accounts]\n0\\FoldersWithPlaceholders\\1\\localPath=" + tree.path("Cloud") +
                          "\n0\\FoldersWithPlaceholders\\1\\virtualFilesMode=xattr\n");
    CheckRequest request;
    request.folders = {{"Cloud", tree.path("Cloud")}};
    const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
    ASSERT_TRUE(sync.facts);
    EXPECT_EQ(placeOf(*sync.facts, tree.path("Cloud/light.txt")), Place::onlyICloud);
    EXPECT_EQ(placeOf(*sync.facts, tree.path("Cloud/kept.txt")), Place::both);
}

// nextcloud/desktop src/csync/csync.h, enum ItemType: 0 ItemTypeFile, 1 ItemTypeSoftLink,
// 2 ItemTypeDirectory, 3 ItemTypeSkip. src/common/syncjournaldb.cpp, table uploadinfo: its
// errorcount rises with each failed try and a successful chunk resets it (propagateupload*.cpp);
// its modtime is the file's modification time as the upload began (pi._modtime = _item->_modtime).
TEST(NextcloudJournal, LinksAndSkippedItemsAreNotSyncedAndUploadsFailingForADayAreCounted)
{
    const auto daysAgo = [](int days) { return std::chrono::hours(24 * days); };
    const TestTree tree{{{"Cloud/file.txt", Node::file(4)},
                         {"Cloud/link.txt", Node::file(4)},
                         {"Cloud/skipped.txt", Node::file(4)},
                         {"Cloud/failing.txt", Node::file(4)},
                         {"Cloud/failingToday.txt", Node::file(4)},
                         {"Cloud/failingUndated.txt", Node::file(4).modifiedAgo(daysAgo(3))},
                         {"Cloud/underWay.txt", Node::file(4).modifiedAgo(daysAgo(3))},
                         {"Elsewhere/failing.txt", Node::file(4)}}};
    const std::int64_t now = std::chrono::duration_cast<std::chrono::seconds>(tree.now().time_since_epoch()).count();
    const auto upload = [](const std::string& path, int errors, std::int64_t modified) {
        return "INSERT INTO uploadinfo(path, errorcount, modtime) VALUES('" + path + "', " + std::to_string(errors) +
               ", " + std::to_string(modified) + ");";
    };
    {
        Database client(tree.path("Cloud/.sync_0123456789ab.db"));
        ASSERT_EQ(client.run(nextcloudSchema), SQLITE_OK);
        std::string rows;
        for (const auto& [name, type] : std::vector<std::pair<std::string, int>>{
                 {"file.txt", 0}, {"link.txt", 1}, {"skipped.txt", 3}, {"failing.txt", 0}})
            rows += row(name, mtimeOf(tree.path("Cloud/" + name)), 4, type);
        ASSERT_EQ(client.run(rows + upload("failing.txt", 3, now - 2 * 86'400) +
                             upload("failingToday.txt", 2, now - 3600) + upload("failingUndated.txt", 1, 0) +
                             upload("underWay.txt", 0, now - 3 * 86'400) + upload("gone.txt", 5, now - 3 * 86'400) +
                             upload("../Elsewhere/failing.txt", 5, now - 3 * 86'400)),
                  SQLITE_OK);
    }
    writeConfig(tree, "[Accounts]\n0\\Folders\\1\\localPath=" + tree.path("Cloud") + "\n");
    CheckRequest request;
    request.folders = {{"Cloud", tree.path("Cloud")}, {"Elsewhere", tree.path("Elsewhere")}};
    request.now = Instant{tree.now()};
    const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
    ASSERT_TRUE(sync.facts);
    const std::vector<std::pair<std::string, Place>> expected{
        {"file.txt", Place::both},       {"link.txt", Place::onlyHere},        {"skipped.txt", Place::onlyHere},
        {"failing.txt", Place::waiting}, {"failingToday.txt", Place::waiting}, {"underWay.txt", Place::waiting}};
    for (const auto& [name, place] : expected)
        EXPECT_EQ(placeOf(*sync.facts, tree.path("Cloud/" + name)), place) << name;
    EXPECT_EQ(request.failingUploads, 2) << "failing.txt and failingUndated.txt";

    request.clock = [] { return Instant{}; };
    CheckObserver observer;
    const CheckResult result = Check::run(request, observer).result;
    EXPECT_EQ(result.failingUploads, 2);
}

// The OneDrive client's item table, in Debian 12's layout (no size) and a newer one.
class OneDriveItems : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(WithAndWithoutSize, OneDriveItems, ::testing::Bool());

TEST_P(OneDriveItems, PathsFollowTheParentsAndTimesDecide)
{
    const bool sized = GetParam();
    const TestTree tree{{{"OneDrive/Work/same.txt", Node::file(8).modifiedAgo(std::chrono::hours(3))},
                         {"OneDrive/Work/edited.txt", Node::file(8)},
                         {"OneDrive/Work/resized.txt", Node::file(8).modifiedAgo(std::chrono::hours(3))},
                         {"OneDrive/fresh.txt", Node::file(1)}}};
    ASSERT_TRUE(makeFolders(tree.path("config/onedrive")));
    ASSERT_TRUE(writeFileAtomically(tree.path("config/onedrive/config"),
                                    "# settings\nsync_dir = \"" + tree.path("OneDrive") + "\"\n"));
    const auto iso = [](std::int64_t seconds) { return formatISO8601(Instant{std::chrono::seconds{seconds}}); };
    const std::int64_t old = mtimeOf(tree.path("OneDrive/Work/same.txt"));
    {
        Database items(tree.path("config/onedrive/items.sqlite3"));
        ASSERT_EQ(items.run(std::string("CREATE TABLE item(driveId TEXT, id TEXT, name TEXT, type TEXT, eTag TEXT,"
                                        " cTag TEXT, mtime TEXT, parentId TEXT, quickXorHash TEXT, sha256Hash TEXT,"
                                        " remoteDriveId TEXT, remoteId TEXT, syncStatus TEXT") +
                            (sized ? ", size TEXT)" : ")")),
                  SQLITE_OK);
        const auto item = [&](const std::string& id, const std::string& name, const char* type,
                              const std::string& mtime, const char* parent, int size) {
            return "INSERT INTO item(driveId, id, name, type, mtime, parentId" + std::string(sized ? ", size" : "") +
                   ") VALUES('d', '" + id + "', '" + name + "', '" + type + "', '" + mtime + "', " + parent +
                   (sized ? ", " + std::to_string(size) : "") + ");";
        };
        ASSERT_EQ(items.run(item("r", "root", "dir", iso(0), "NULL", 0) + item("w", "Work", "dir", iso(0), "'r'", 0) +
                            item("1", "same.txt", "file", iso(old).substr(0, 19) + ".0000000Z", "'w'", 8) +
                            item("2", "edited.txt", "file", iso(old), "'w'", 8) +
                            item("3", "resized.txt", "file", iso(old), "'w'", 9) +
                            item("loop", "fresh.txt", "file", iso(old), "'loop'", 1)),
                  SQLITE_OK);
    }
    CheckRequest request;
    request.folders = {{"OneDrive", tree.path("OneDrive")}};
    const SyncSetup sync = SyncClients::forCheck(request, locationsIn(tree));
    ASSERT_TRUE(sync.facts);
    EXPECT_EQ(sync.client, "OneDrive");
    const std::vector<std::pair<std::string, Place>> expected{
        {"OneDrive/Work/same.txt", Place::both},
        {"OneDrive/Work/edited.txt", Place::waiting},
        {"OneDrive/Work/resized.txt", sized ? Place::waiting : Place::both},
        {"OneDrive/fresh.txt", Place::waiting}};
    for (const auto& [path, place] : expected)
        EXPECT_EQ(placeOf(*sync.facts, tree.path(path)), place) << path;
}

// Folders shared from another drive, as the client lays them out: a shortcut row of type
// "remote" in our drive points at the shared folder's row in the sharer's drive.
// onedrive src/itemdb.d computePath: a "remote" row replaces the shared folder's own name, a
// parentless row ends the climb, a "root" row named "root" adds no name, relocDriveId and
// relocParentId move a shared root into one of our folders. src/sync.d
// createRequiredSharedFolderDatabaseRecords and createDatabaseRootTieRecordForOnlineSharedFolder
// write the tie rows: "root" with no parent for a business share, the shared folder itself
// with no parent (type "dir") for a personal one; Debian's 2.4 (applyDifference) stores the
// shared folder with no parent and has no type "root".
TEST(OneDriveSharedFolders, PathsKeepTheSharedFolderName)
{
    struct Row {
        const char* drive;
        const char* id;
        const char* name;
        const char* type;
        const char* parent; // SQL
        const char* remote = "NULL, NULL";
        const char* relocated = "NULL, NULL";
    };
    struct Layout {
        const char* what;
        std::vector<Row> rows;
        std::string expected; // the path of the row "x", a file
        std::string folder;   // a folder that must be one
    };
    const Row ownRoot{"d0", "r", "root", "root", "NULL"};
    const Row report{"d1", "x", "report.docx", "file", "'f'"};
    const std::vector<Layout> layouts{
        {"2.4: the shared folder has no parent",
         {{"d0", "r", "root", "dir", "NULL"},
          {"d0", "s", "Shared", "remote", "'r'", "'d1', 'f'"},
          {"d1", "f", "Shared", "dir", "NULL"},
          report},
         "Shared/report.docx",
         "Shared"},
        {"business: a tie root above the shared folder, the shortcut renamed and moved",
         {ownRoot,
          {"d0", "w", "Work", "dir", "'r'"},
          {"d0", "s", "Team", "remote", "'w'", "'d1', 'f'"},
          {"d1", "p", "root", "root", "NULL"},
          {"d1", "f", "Shared", "dir", "'p'"},
          report},
         "Work/Team/report.docx",
         "Work/Team"},
        {"personal: the shared folder is the tie",
         {ownRoot, {"d0", "s", "Shared", "remote", "'r'", "'d1', 'f'"}, {"d1", "f", "Shared", "dir", "NULL"}, report},
         "Shared/report.docx",
         "Shared"},
        {"a document library with no shortcut row",
         {ownRoot, {"d1", "f", "Library", "root", "NULL"}, report},
         "Library/report.docx",
         "Library"},
        {"a document library moved into one of our folders",
         {ownRoot,
          {"d0", "w", "Work", "dir", "'r'"},
          {"d1", "f", "Library", "root", "NULL", "NULL, NULL", "'d0', 'w'"},
          report},
         "Work/Library/report.docx",
         "Work/Library"},
    };
    for (const Layout& layout : layouts) {
        const TestTree tree;
        {
            Database items(tree.path("items.sqlite3"));
            ASSERT_EQ(items.run("CREATE TABLE item(driveId TEXT, id TEXT, name TEXT, type TEXT, mtime TEXT, parentId "
                                "TEXT, remoteDriveId TEXT, remoteId TEXT, relocDriveId TEXT, relocParentId TEXT)"),
                      SQLITE_OK);
            for (const Row& row : layout.rows)
                ASSERT_EQ(items.run(std::string("INSERT INTO item VALUES('") + row.drive + "', '" + row.id + "', '" +
                                    row.name + "', '" + row.type + "', '2024-05-01T10:20:30Z', " + row.parent + ", " +
                                    row.remote + ", " + row.relocated + ")"),
                          SQLITE_OK);
        }
        const auto journal = JournalRead::oneDrive(tree.path("items.sqlite3"));
        ASSERT_TRUE(journal) << layout.what;
        const JournalEntry* file = journal->find(layout.expected);
        EXPECT_TRUE(file && !file->directory) << layout.what;
        EXPECT_FALSE(journal->find("report.docx")) << layout.what;
        const JournalEntry* folder = journal->find(layout.folder);
        EXPECT_TRUE(folder && folder->directory) << layout.what;
    }
}

TEST(RcloneCache, DirtyEntriesWaitAndTheRestIsOnlyInTheCloud)
{
    const TestTree tree{{{"mount/a/changed.txt", Node::file(1)},
                         {"mount/a/clean.txt", Node::file(1)},
                         {"meta/a/changed.txt", Node::text(R"({"ModTime":"2024-01-01T00:00:00Z","Dirty":true})")},
                         {"meta/a/clean.txt", Node::text(R"({"Dirty":false})")},
                         {"meta/a/broken.txt", Node::text(R"({"Dirty":tr)")}}};
    const SyncSetup sync = SyncClients::setup({{SyncClient::rclone, tree.path("mount"), tree.path("meta"), false}},
                                              {tree.path("mount/a")});
    ASSERT_TRUE(sync.facts);
    EXPECT_EQ(placeOf(*sync.facts, tree.path("mount/a/changed.txt")), Place::waiting);
    EXPECT_EQ(placeOf(*sync.facts, tree.path("mount/a/clean.txt")), Place::onlyICloud);
    EXPECT_TRUE(sync.facts->folderIsUbiquitous(tree.path("mount/a")));
    EXPECT_FALSE(sync.facts->folderIsUbiquitous(tree.path("meta")));
}

TEST(SyncConfig, NextcloudSettingsNameEveryKindOfFolder)
{
    const std::string text = "[Accounts]\n"
                             "0\\Folders\\1\\localPath=/home/me/Nextcloud/\n"
                             "0\\Folders\\1\\journalPath=.sync_0123456789ab.db\n"
                             "0\\Multifolders\\2\\localPath=\"/home/me/Caf\\xe9 \\\"A\\\"\"\n"
                             "0\\FoldersWithPlaceholders\\3\\journalPath=/elsewhere/j.db\n"
                             "0\\FoldersWithPlaceholders\\3\\localPath=/home/me/Light\n"
                             "0\\FoldersWithPlaceholders\\3\\virtualFilesMode=xattr\n"
                             "0\\Folders\\4\\localPath=relative/path\n"
                             "0\\Other\\5\\localPath=/not/a/folder\n"
                             "[General]\n0\\Folders\\6\\localPath=/wrong/section\n";
    const std::vector<SyncFolder> expected{
        {SyncClient::nextcloud, "/home/me/Nextcloud", "/home/me/Nextcloud/.sync_0123456789ab.db", false},
        {SyncClient::nextcloud, "/home/me/Caf\xc3\xa9 \"A\"", "", false},
        {SyncClient::nextcloud, "/home/me/Light", "/elsewhere/j.db", true}};
    EXPECT_EQ(SyncConfig::nextcloudFolders(text, SyncClient::nextcloud), expected);
}

TEST(SyncConfig, OneDriveAndRcloneLocations)
{
    const std::vector<std::pair<std::string, std::string>> syncDirs{{"", "/h/OneDrive"},
                                                                    {"sync_dir = \"~/Cloud/\"\n", "/h/Cloud"},
                                                                    {"# sync_dir = \"/x\"\nsync_dir=/abs\n", "/abs"},
                                                                    {"sync_dir = \"rel\"", "/h/rel"}};
    for (const auto& [text, dir] : syncDirs)
        EXPECT_EQ(SyncConfig::oneDriveSyncDir(text, "/h"), dir) << text;
    const std::vector<std::pair<std::string, std::optional<std::string>>> metas{
        {"gdrive:", "/c/rclone/vfsMeta/gdrive"},
        {"gdrive:/Docs/x/", "/c/rclone/vfsMeta/gdrive/Docs/x"},
        {":local:/tmp", std::nullopt},
        {"evil:../../etc", std::nullopt},
        {"nocolon", std::nullopt}};
    for (const auto& [source, folder] : metas)
        EXPECT_EQ(SyncConfig::rcloneMetaFolder(source, "/c"), folder) << source;
}

TEST(SyncConfig, ReportNamesTheClient)
{
    CheckResult result;
    result.folders = {FolderTally("Cloud", "/c")};
    result.folders[0].files = 2;
    result.folders[0].counts.add(Place::onlyICloud, 1);
    result.folders[0].counts.add(Place::waiting, 1);
    result.cloudClient = "Nextcloud";
    const Report report(result, Guide::shared(), result.checkedAt - std::chrono::hours(72), Calendar::utc());
    std::string all = report.answer;
    for (const Finding& finding : report.findings) {
        // The photo manager's cloud is its own, never the sync client's.
        if (finding.id == "photos")
            EXPECT_EQ(finding.line.find("Nextcloud"), std::string::npos) << finding.line;
        else
            all += finding.title + finding.line + finding.button;
    }
    EXPECT_EQ(all.find("iCloud"), std::string::npos) << all;
    EXPECT_NE(all.find("Nextcloud"), std::string::npos) << all;
}

} // namespace
} // namespace brindle
