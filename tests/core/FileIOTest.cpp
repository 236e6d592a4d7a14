#include "BrindleCore/FileIO.h"
#include "BrindleCore/Paths.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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

std::string contentOf(const std::string& path) { return readRegularFile(path, 1024).content.value_or("<none>"); }
bool isLink(const std::string& path)
{
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

TEST(FileIO, AWriteGoesThroughALinkToItsTarget)
{
    const TestTree tree{{{"dotfiles/settings.json", test::Node::text("old")},
                         {"settings.json", test::Node::symlink("dotfiles/settings.json")},
                         {"dangling", test::Node::symlink("dotfiles/made.json")},
                         {"hop", test::Node::symlink("settings.json")}}};
    for (const auto& [link, target] :
         {std::pair{"settings.json", "dotfiles/settings.json"}, std::pair{"dangling", "dotfiles/made.json"},
          std::pair{"hop", "dotfiles/settings.json"}}) {
        std::string error;
        ASSERT_TRUE(writeFileAtomically(tree.path(link), std::string("new ") + link, &error)) << error;
        EXPECT_TRUE(isLink(tree.path(link))) << link;
        EXPECT_EQ(contentOf(tree.path(target)), std::string("new ") + link);
    }
}

TEST(FileIO, AWriteIntoADeviceOrFifoNeverReplacesIt)
{
    const TestTree tree{{{"fifo", test::Node::fifo()}, {"lonely", test::Node::fifo()}}};
    // A reader holds the FIFO open; the content fits in the pipe's buffer.
    const int reader = ::open(tree.path("fifo").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(writeFileAtomically(tree.path("fifo"), "through", &error)) << error;
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 7);
    EXPECT_STREQ(got, "through");
    ::close(reader);
    // Without a reader it fails at once rather than waits.
    EXPECT_FALSE(writeFileAtomically(tree.path("lonely"), "nobody reads", &error));
    for (const char* name : {"fifo", "lonely"}) {
        struct stat status;
        EXPECT_TRUE(::lstat(tree.path(name).c_str(), &status) == 0 && S_ISFIFO(status.st_mode)) << name;
    }

    // The null and the full device: one takes everything, the other fails the write.
    if (::mknod(tree.path("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0 ||
        ::mknod(tree.path("full").c_str(), S_IFCHR | 0666, ::makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here (needs root)";
    EXPECT_TRUE(writeFileAtomically(tree.path("null"), "gone", &error)) << error;
    EXPECT_FALSE(writeFileAtomically(tree.path("full"), "no room", &error));
    for (const char* name : {"null", "full"}) {
        struct stat status;
        EXPECT_TRUE(::lstat(tree.path(name).c_str(), &status) == 0 && S_ISCHR(status.st_mode)) << name;
    }
}

TEST(Paths, LastComponentAndParentFolder)
{
    const std::vector<std::tuple<const char*, const char*, const char*>> cases{
        {"/home/ada/Documents", "Documents", "/home/ada"},
        {"/home/ada/Documents//", "Documents", "/home/ada/Documents/"},
        {"/", "/", "/"},
        {"Documents", "Documents", "."},
        {"/mnt/Backup Disk", "Backup Disk", "/mnt"},
        {"/mnt", "mnt", "/"},
        {"", "", "."}};
    for (const auto& [path, last, parent] : cases) {
        EXPECT_EQ(lastPathComponent(path), last) << path;
        EXPECT_EQ(parentFolder(path), parent) << path;
    }
}

TEST(Paths, HomeExpandedOnlyForTheOwnHomeFolder)
{
    const std::vector<std::pair<const char*, const char*>> cases{{"~/Documents", "/home/ada/Documents"},
                                                                 {"~", "/home/ada"},
                                                                 {"~ada/x", "~ada/x"},
                                                                 {"/srv/~/x", "/srv/~/x"},
                                                                 {"Documents", "Documents"}};
    for (const auto& [path, expanded] : cases)
        EXPECT_EQ(withHomeExpanded(path, "/home/ada/"), expanded) << path;
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
