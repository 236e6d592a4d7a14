#include "BrindleCore/FileIO.h"
#include "BrindleCore/Paths.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

using test::TestTree;

TEST(FileIO, ReadRegularFileRefusesLargeFiles)
{
    const TestTree tree{{{"big", test::Node::file(2048)}}};
    EXPECT_EQ(readRegularFile(tree.path("big"), 2048).content->size(), 2048u);
    EXPECT_EQ(readRegularFile(tree.path("big"), 2047).error, ReadError::tooLarge);
    EXPECT_EQ(readRegularFile(tree.path("none"), 10).error, ReadError::missing);
    EXPECT_EQ(readRegularFile(tree.root(), 10).error, ReadError::unreadable);
}

TEST(Paths, LastComponentAndParentFolder)
{
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"/home/ada/Documents", "Documents", "/home/ada"}, {"/home/ada/Documents//", "Documents", "/home/ada/Documents/"},
        {"/", "/", "/"},                                  {"Documents", "Documents", "."},
        {"/mnt/Backup Disk", "Backup Disk", "/mnt"},      {"/mnt", "mnt", "/"},
        {"", "", "."}};
    for (const auto& [path, last, parent] : cases) {
        EXPECT_EQ(lastPathComponent(path), last) << path;
        EXPECT_EQ(parentFolder(path), parent) << path;
    }
}

TEST(Paths, SameOrInsideByText)
{
    const std::vector<std::tuple<const char*, const char*, bool>> cases{
        {"/a/b", "/a", true}, {"/a", "/a", true}, {"/ab", "/a", false}, {"/a", "/a/b", false},
        {"/a", "/", true},    {"/", "/", true},   {"a", "/", false},    {"/media/x/y", "/media/x", true}};
    for (const auto& [path, folder, expected] : cases)
        EXPECT_EQ(isSameOrInside(path, folder), expected) << path << " in " << folder;
}

} // namespace
} // namespace brindle
