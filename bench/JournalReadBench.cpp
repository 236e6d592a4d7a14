// The cost of reading one Nextcloud journal, for measuring under /usr/bin/time -v.
//
//   bench_journal_read real FILE ROWS   write a journal shaped like the client's, ROWS files
//   bench_journal_read view FILE        write a 12 KB journal whose "metadata" is a recursive view
//   bench_journal_read read FILE        read FILE as a check does; prints the rows and seconds
#include "BrindleCore/sync/JournalRead.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace brindle;

namespace {

bool run(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "%s\n", error ? error : "failed");
    sqlite3_free(error);
    return false;
}

// The client's own layout, with its indexes and a checksum and file id per row.
bool writeReal(sqlite3* db, long rows)
{
    if (!run(db, "CREATE TABLE metadata(phash INTEGER(8), pathlen INTEGER, path VARCHAR(4096), inode INTEGER,"
                 " uid INTEGER, gid INTEGER, mode INTEGER, modtime INTEGER(8), type INTEGER, md5 VARCHAR(32),"
                 " fileid VARCHAR(128), remotePerm VARCHAR(128), filesize BIGINT, ignoredChildrenRemote INT,"
                 " contentChecksum TEXT, contentChecksumTypeId INTEGER, e2eMangledName TEXT, isE2eEncrypted INTEGER,"
                 " PRIMARY KEY(phash));"
                 "CREATE INDEX metadata_inode ON metadata(inode);"
                 "CREATE INDEX metadata_path ON metadata(path);"
                 "CREATE TABLE uploadinfo(path VARCHAR(4096), chunk INTEGER, transferid INTEGER, errorcount INTEGER,"
                 " size INTEGER(8), modtime INTEGER(8), contentChecksum TEXT, PRIMARY KEY(path));"
                 "BEGIN;"))
        return false;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO metadata(phash, pathlen, path, inode, uid, gid, mode, modtime, type, md5, fileid,"
        " remotePerm, filesize, contentChecksum, contentChecksumTypeId)"
        " VALUES(?1, length(?2), ?2, ?1 + 1000, 1000, 1000, 33188, 1790000000 + ?1, 0,"
        " printf('%016x%016x', ?1, ?1 * 7919), printf('%08d' || 'ocabcdef1234', ?1), 'WDNVR', ?1 % 100000,"
        " printf('SHA1:%040x', ?1 * 104729), 1)",
        -1, &insert, nullptr);
    for (long i = 0; i < rows; ++i) {
        const std::string path = "Projects/Folder " + std::to_string(i / 200) + "/Subfolder " +
                                 std::to_string(i / 20 % 10) + "/document " + std::to_string(i) + ".odt";
        sqlite3_bind_int64(insert, 1, i);
        sqlite3_bind_text(insert, 2, path.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE)
            return false;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return run(db, "COMMIT;");
}

// A view that counts without end, each row a path of 4,000 characters.
bool writeView(sqlite3* db)
{
    return run(db, "CREATE VIEW metadata(path, modtime, filesize, type) AS"
                   " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n)"
                   " SELECT printf('%d/%.*c', i, 4000, 'x'), 0, 0, 0 FROM n;"
                   "CREATE TABLE padding(x); INSERT INTO padding VALUES(zeroblob(8000));");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view what = argc > 2 ? argv[1] : "";
    if (what == "read") {
        const auto start = std::chrono::steady_clock::now();
        const auto journal = JournalRead::nextcloud(argv[2]);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%s, %zu rows, %.3f s\n", journal ? "read" : "refused", journal ? journal->size() : 0, seconds);
        return 0;
    }
    if ((what != "real" || argc != 4) && (what != "view" || argc != 3)) {
        std::fprintf(stderr, "usage: bench_journal_read real FILE ROWS | view FILE | read FILE\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(argv[2], &db) != SQLITE_OK)
        return 1;
    const bool written = what == "real" ? writeReal(db, std::atol(argv[3])) : writeView(db);
    sqlite3_close(db);
    return written ? 0 : 1;
}
