#include "BrindleCore/TreeWalker.h"
#include "tests/support/TestTree.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <set>

namespace brindle {
namespace {

using test::Node;
using test::TestTree;

int openDescriptors()
{
    int count = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (::readdir(fds))
            ++count;
        ::closedir(fds);
    }
    return count;
}

// Records every name it sees and the most descriptors open at any visit.
class Recorder final : public WalkVisitor {
public:
    std::multiset<std::string> names;
    int mostOpen = 0;
    WalkStep visit(const WalkEntry& entry) override
    {
        names.emplace(entry.name);
        mostOpen = std::max(mostOpen, openDescriptors());
        return WalkStep::enter;
    }
};

TEST(TreeWalker, KeepsOpenDescriptorsBoundedOnDeepTrees)
{
    std::string deep = "d";
    std::vector<std::pair<std::string, Node>> nodes;
    for (int level = 0; level < 60; ++level) {
        nodes.push_back({deep + "/f" + std::to_string(level), Node::file()});
        nodes.push_back({deep + "/side/leaf", Node::file()}); // every level has two subfolders
        deep += "/d";
    }
    const TestTree tree(nodes);
    const int root = ::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(root, 0);
    const int before = openDescriptors();

    Recorder recorder;
    TreeWalker walker(WalkOptions{.skipHidden = true, .maxOpenDirectories = 4});
    walker.walk(root, recorder);
    ::close(root);

    EXPECT_EQ(recorder.names.count("leaf"), 60u);
    EXPECT_EQ(recorder.names.count("f59"), 1u);
    // The directory being read, up to four kept ancestors, and the listing of /proc itself.
    EXPECT_LE(recorder.mostOpen, before + 4 + 2);
    EXPECT_EQ(openDescriptors(), before - 1) << "the walker leaked descriptors";
}

TEST(TreeWalker, SkipsHiddenNamesOnlyWhenAsked)
{
    const TestTree tree{{{".hidden/inner", Node::file()}, {"shown", Node::file()}}};
    const int root = ::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY);
    for (const bool skipHidden : {true, false}) {
        Recorder recorder;
        TreeWalker walker(WalkOptions{.skipHidden = skipHidden});
        walker.walk(root, recorder);
        const std::multiset<std::string> expected =
            skipHidden ? std::multiset<std::string>{"shown"} : std::multiset<std::string>{".hidden", "inner", "shown"};
        EXPECT_EQ(recorder.names, expected) << "skipHidden " << skipHidden;
    }
    ::close(root);
}

TEST(TreeWalker, DoesNotEnterAnAncestorGivenFromOutside)
{
    const TestTree tree{{{"a/file", Node::file()}}};
    const int root = ::open(tree.root().c_str(), O_RDONLY | O_DIRECTORY);
    struct stat status;
    ASSERT_EQ(::fstat(root, &status), 0);
    const FileIdentity self = identityOf(status);
    Recorder recorder;
    TreeWalker().walk(root, recorder, std::span<const FileIdentity>(&self, 1));
    EXPECT_TRUE(recorder.names.empty());
    ::close(root);
}

} // namespace
} // namespace brindle
