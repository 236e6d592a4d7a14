// Times Drive::parseManifest on a generated manifest of many backups, in both encodings:
//
//   bench_manifest_read [DATES]      (default 500000)
//
// Prints, per encoding, the manifest's size, the backups read and the median of five reads.
#include "BrindleCore/Drive.h"

#include <plist/plist.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
// An array of `dates` dates, one hour apart, every tenth followed by its details dictionary.
std::string manifest(long dates, bool binary)
{
    plist_t root = plist_new_array();
    for (long i = 0; i < dates; ++i) {
        plist_array_append_item(root, plist_new_date(static_cast<int32_t>(600'000'000 + i * 3600), 0));
        if (i % 10 == 0) {
            plist_t changed = plist_new_dict();
            plist_dict_set_item(changed, "count", plist_new_uint(static_cast<uint64_t>(i)));
            plist_t stats = plist_new_dict();
            plist_dict_set_item(stats, "changed", changed);
            plist_t details = plist_new_dict();
            plist_dict_set_item(details, "stats", stats);
            plist_array_append_item(root, details);
        }
    }
    char* bytes = nullptr;
    uint32_t length = 0;
    if (binary)
        plist_to_bin(root, &bytes, &length);
    else
        plist_to_xml(root, &bytes, &length);
    std::string out(bytes ? bytes : "", length);
    std::free(bytes);
    plist_free(root);
    return out;
}
} // namespace

int main(int argc, char** argv)
{
    const long dates = argc > 1 ? std::atol(argv[1]) : 500'000;
    for (const bool binary : {true, false}) {
        const std::string data = manifest(dates, binary);
        std::vector<double> seconds;
        std::size_t read = 0;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            read = brindle::Drive::parseManifest(data).size();
            seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(seconds.begin(), seconds.end());
        std::printf("%-6s %8.1f MB  %ld dates  %zu backups read  median %.3f s\n", binary ? "binary" : "XML",
                    static_cast<double>(data.size()) / 1e6, dates, read, seconds[seconds.size() / 2]);
    }
    return 0;
}
