// Builds a file tree declared as data in a fresh temporary folder, and removes it again
// (descriptor-relative, so trees deeper than PATH_MAX go too).
//
//   TestTree tree{{
//       {"Documents/report.pdf", Node::file(1200)},
//       {"Documents/old.txt", Node::file(10).modifiedAgo(days(30))},
//       {"Photos", Node::directory()},
//       {"link", Node::symlink("Photos")},
//   }};
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindle::test {

struct Node {
    enum class Type { file, directory, symlink, fifo };
    Type type = Type::file;
    std::int64_t size = 0;
    std::string target; // of a link; the content of a file made with `text`
    // Modification time relative to TestTree::now(); absent leaves the creation time.
    std::optional<std::chrono::seconds> modifiedOffset;

    static Node file(std::int64_t size = 0) { return {Type::file, size, {}, {}}; }
    static Node text(std::string content)
    {
        const auto size = static_cast<std::int64_t>(content.size());
        return {Type::file, size, std::move(content), {}};
    }
    static Node directory() { return {Type::directory, 0, {}, {}}; }
    static Node symlink(std::string target) { return {Type::symlink, 0, std::move(target), {}}; }
    static Node fifo() { return {Type::fifo, 0, {}, {}}; }

    Node modifiedAgo(std::chrono::seconds ago) const
    {
        Node copy = *this;
        copy.modifiedOffset = -ago;
        return copy;
    }
    Node modifiedIn(std::chrono::seconds ahead) const
    {
        Node copy = *this;
        copy.modifiedOffset = ahead;
        return copy;
    }
};

class TestTree {
public:
    // Parent folders are made as needed; files are sparse, so large sizes cost nothing.
    explicit TestTree(const std::vector<std::pair<std::string, Node>>& nodes = {});
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + "/" + relative; }
    void add(const std::string& relative, const Node& node) const;

    // The instant modification offsets are measured from, whole seconds, fixed at construction.
    std::chrono::sys_seconds now() const { return now_; }

private:
    std::string root_;
    std::chrono::sys_seconds now_;
};

// Removes everything below and including `path`, working relative to descriptors.
void removeTree(const std::string& path);

} // namespace brindle::test
