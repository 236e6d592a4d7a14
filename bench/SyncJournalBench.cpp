// The cost of reading a Nextcloud journal: a check of a folder of 100,000 files (1,000
// folders of 100) with its journal, against the same check with no sync client set up. The
// journal is read, as in every check, before the scan. Prints both medians and their ratio.
//
//   bench_sync_journal [FILES]
#include "BrindleCore/Check.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/sync/SyncFacts.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace brindle;

namespace {
double secondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    const int files = argc > 1 ? std::max(100, std::atoi(argv[1])) : 100'000;
    char pattern[] = "/tmp/brindle-sync-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        return 1;
    const std::string root = pattern;
    const std::string cloud = root + "/Cloud";
    makeFolders(cloud);

    sqlite3* db = nullptr;
    sqlite3_open((cloud + "/.sync_0123456789ab.db").c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE metadata(phash INTEGER(8), pathlen INTEGER, path VARCHAR(4096), inode INTEGER,"
                 " uid INTEGER, gid INTEGER, mode INTEGER, modtime INTEGER(8), type INTEGER, md5 VARCHAR(32),"
                 " fileid VARCHAR(128), remotePerm VARCHAR(128), filesize BIGINT, PRIMARY KEY(phash));"
                 "CREATE TABLE uploadinfo(path VARCHAR(4096), PRIMARY KEY(path)); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO metadata(phash, path, modtime, filesize, type) VALUES(?, ?, ?, ?, 0)", -1,
                       &insert, nullptr);
    for (int i = 0; i < files; ++i) {
        const std::string folder = "Folder " + std::to_string(i / 100);
        const std::string relative = folder + "/file " + std::to_string(i) + ".txt";
        if (i % 100 == 0)
            makeFolders(cloud + "/" + folder);
        const int fd = ::open((cloud + "/" + relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        struct stat status {};
        ::ftruncate(fd, i % 4096);
        ::fstat(fd, &status);
        ::close(fd);
        sqlite3_bind_int64(insert, 1, i);
        sqlite3_bind_text(insert, 2, relative.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 3, status.st_mtim.tv_sec);
        sqlite3_bind_int64(insert, 4, status.st_size);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    makeFolders(root + "/config/Nextcloud");
    writeFileAtomically(root + "/config/Nextcloud/nextcloud.cfg",
                        "[Accounts]\n0\\Folders\\1\\localPath=" + cloud +
                            "/\n0\\Folders\\1\\journalPath=.sync_0123456789ab.db\n");
    const SyncLocations withClient{root, root + "/config", root + "/cache", ""};
    const SyncLocations without{root, root + "/none", root + "/cache", ""};

    CheckObserver observer;
    std::int64_t both = 0;
    const auto check = [&](const SyncLocations& where) {
        CheckRequest request;
        request.folders = {{"Cloud", cloud}};
        const SyncSetup sync = SyncClients::forCheck(request, where);
        both = Check::run(request, observer).result.total().count(Place::both);
    };
    check(without); // warm the caches
    std::vector<double> plain;
    std::vector<double> journal;
    std::vector<double> reading;
    for (int round = 0; round < 7; ++round) {
        plain.push_back(secondsOf([&] { check(without); }));
        journal.push_back(secondsOf([&] { check(withClient); }));
        reading.push_back(secondsOf([&] {
            CheckRequest request;
            request.folders = {{"Cloud", cloud}};
            (void)SyncClients::forCheck(request, withClient);
        }));
    }
    std::printf("files: %d, in both places: %lld\n", files, static_cast<long long>(both));
    std::printf("reading the journal alone: %.3f s\n", median(reading));
    std::printf("without a journal: %.3f s, with the journal: %.3f s, ratio %.2f\n", median(plain), median(journal),
                median(journal) / median(plain));
    std::filesystem::remove_all(root);
    return both == files ? 0 : 1;
}
