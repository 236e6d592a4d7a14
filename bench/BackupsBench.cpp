// Times Drive::backups on drives that each hold 2,000 snapshots of one tool's layout, with a
// warm cache: the median of 15 reads after one unmeasured read. The goal is at most 50 ms.
//
//   bench_backups [DIR]     (DIR defaults to a fresh folder in /tmp, removed afterwards)
#include "BrindleCore/Drive.h"

#include <bzlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;
using namespace std::chrono;

constexpr int snapshots = 2000;
constexpr int runs = 15;

void write(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string stamp(sys_seconds time, const char* pattern)
{
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[64];
    std::snprintf(text, sizeof text, pattern, static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
    return text;
}

std::string bzip2(const std::string& text)
{
    std::string out(text.size() + 1024, '\0');
    auto size = static_cast<unsigned>(out.size());
    BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(text.data()), static_cast<unsigned>(text.size()), 9,
                             0, 0);
    out.resize(size);
    return out;
}

std::string hex(int i)
{
    char text[65];
    std::snprintf(text, sizeof text, "%064x", i);
    return text;
}

// One drive per layout, snapshots an hour apart ending a day before now.
void build(const fs::path& root, sys_seconds start)
{
    std::string log = "[I] Take snapshot\n";
    for (int i = 0; i < 200; ++i)
        log += "[C] >f.st...... /home/ada/Documents/file-" + std::to_string(i) + ".txt\n";
    const std::string compressedLog = bzip2(log);
    for (int i = 0; i < snapshots; ++i) {
        const sys_seconds t = start + hours{i};
        const std::string unix = std::to_string(t.time_since_epoch().count());
        const fs::path bit = root / "bit/backintime/host/ada/1" / (stamp(t, "%04d%02u%02u-%02d%02d%02d") + "-123");
        fs::create_directories(bit / "backup");
        write(bit / "info", "snapshot_version=3\n");
        write(bit / "takesnapshot.log.bz2", compressedLog);
        write(root / "shift/timeshift/snapshots" / stamp(t, "%04d-%02u-%02u_%02d-%02d-%02d") / "info.json",
              R"({"sys-uuid":"8f2c","created":")" + unix + R"(","tags":"H","comments":"","type":"rsync"})");
        const std::string dupTime = stamp(t, "%04d%02u%02uT%02d%02d%02dZ");
        write(root / "dejadup/deja" / ("duplicity-inc." + dupTime + ".to." + dupTime + ".manifest.gpg"), "x");
        write(root / "dejadup/deja" / ("duplicity-inc." + dupTime + ".to." + dupTime + ".vol1.difftar.gpg"), "x");
        write(root / "restic/repo/snapshots" / hex(i), "x");
        fs::create_directories(root / "rsnapshot/snapshots" / ("hourly." + std::to_string(i)));
        write(root / "rdiff/mirror/rdiff-backup-data" /
                  ("session_statistics." + stamp(t, "%04d-%02u-%02uT%02d:%02d:%02dZ") + ".data"),
              "StartTime " + unix + ".00\nEndTime " + unix +
                  ".50\nNewFiles 3\nChangedFiles 4\nNewFileSize 10\nChangedSourceSize 5\n");
    }
    for (const char* name : {"config", "keys/k", "index/i", "data/00/d"})
        write(root / "restic/repo" / name, "x");
}
} // namespace

int main(int argc, char** argv)
{
    const bool own = argc < 2;
    const fs::path root =
        own ? fs::temp_directory_path() / ("brindle-bench-backups-" + std::to_string(::getpid())) : fs::path(argv[1]);
    const auto now = floor<seconds>(system_clock::now());
    if (!fs::exists(root / "done")) {
        std::printf("building %d snapshots per layout in %s ...\n", snapshots, root.c_str());
        build(root, now - days{1} - hours{snapshots});
        write(root / "done", "");
    }
    const brindle::Calendar calendar = brindle::Calendar::current();
    std::printf("%-12s %9s %11s\n", "layout", "backups", "median ms");
    for (const char* layout : {"bit", "shift", "dejadup", "restic", "rsnapshot", "rdiff"}) {
        const std::string drive = (root / layout).string();
        std::size_t found = brindle::Drive::backups(drive, now, calendar).size();
        std::vector<double> times;
        for (int r = 0; r < runs; ++r) {
            const auto begin = steady_clock::now();
            found = brindle::Drive::backups(drive, now, calendar).size();
            times.push_back(duration<double, std::milli>(steady_clock::now() - begin).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("%-12s %9zu %11.1f\n", layout, found, times[times.size() / 2]);
    }
    if (own)
        fs::remove_all(root);
}
