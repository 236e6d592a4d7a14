// What the real-tool tests share: a home folder with files to back up and a drive folder, in
// one temporary tree, and small file helpers.
#pragma once

#include "BrindleCore/Calendar.h"
#include "BrindleCore/Drive.h"
#include "tests/support/Processes.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle::test {

struct Workplace {
    TestTree tree{{{"home/Documents/a.txt", Node::text("first")},
                   {"home/Documents/b.txt", Node::text("second")},
                   {"home/Documents/Cache/c.tmp", Node::text("cache")},
                   {"drive", Node::directory()},
                   {"state", Node::directory()}}};
    std::string home = tree.path("home");
    std::string drive = tree.path("drive");
    std::string state = tree.path("state"); // the tools' own caches, keys and logs

    // Brindle's reading of the drive now.
    std::vector<Backup> backups() const { return Drive::backups(drive, clockNow(), Calendar::utc()); }
};

void writeFile(const std::string& path, const std::string& text);
// The names in a folder; empty when it cannot be listed.
std::vector<std::string> namesIn(const std::string& folder);
bool exists(const std::string& path);
// The highest number among names `prefix`<N> in a folder.
std::optional<unsigned long> highestNumbered(const std::string& folder, const std::string& prefix = {});
std::optional<Instant> modified(const std::string& path);

} // namespace brindle::test
