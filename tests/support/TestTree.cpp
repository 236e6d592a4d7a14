#include "tests/support/TestTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace brindle::test {

namespace {
void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

void makeParents(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        check(::mkdir(parent.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + parent);
    }
}

void removeBelow(int directoryFd)
{
    DIR* directory = ::fdopendir(directoryFd);
    if (!directory) {
        ::close(directoryFd);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(directory))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    const int fd = ::dirfd(directory);
    for (const std::string& name : names) {
        struct stat status;
        if (::fstatat(fd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(status.st_mode)) {
            ::fchmodat(fd, name.c_str(), 0755, 0);
            const int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                removeBelow(child);
            ::unlinkat(fd, name.c_str(), AT_REMOVEDIR);
        } else {
            ::unlinkat(fd, name.c_str(), 0);
        }
    }
    ::closedir(directory);
}
} // namespace

TestTree::TestTree(const std::vector<std::pair<std::string, Node>>& nodes)
    : now_(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()))
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/brindle-test-XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    root_ = pattern;
    // Readable by everyone, so that tests may walk it with privileges dropped.
    ::chmod(root_.c_str(), 0755);
    for (const auto& [relative, node] : nodes)
        add(relative, node);
}

TestTree::~TestTree() { removeTree(root_); }

void TestTree::add(const std::string& relative, const Node& node) const
{
    const std::string full = path(relative);
    makeParents(full);
    switch (node.type) {
    case Node::Type::file: {
        const int fd = ::open(full.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        check(fd >= 0, "create " + full);
        if (node.target.empty())
            check(::ftruncate(fd, node.size) == 0, "truncate " + full);
        else
            check(::write(fd, node.target.data(), node.target.size()) == static_cast<ssize_t>(node.target.size()),
                  "write " + full);
        ::close(fd);
        break;
    }
    case Node::Type::directory:
        check(::mkdir(full.c_str(), 0755) == 0 || errno == EEXIST, "mkdir " + full);
        break;
    case Node::Type::symlink:
        check(::symlink(node.target.c_str(), full.c_str()) == 0, "symlink " + full);
        break;
    case Node::Type::fifo:
        check(::mkfifo(full.c_str(), 0644) == 0, "mkfifo " + full);
        break;
    }
    if (node.modifiedOffset) {
        const auto when = now_ + *node.modifiedOffset;
        const timespec times[2] = {{when.time_since_epoch().count(), 0}, {when.time_since_epoch().count(), 0}};
        check(::utimensat(AT_FDCWD, full.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0, "utimensat " + full);
    }
}

void removeTree(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0)
        removeBelow(fd);
    ::rmdir(path.c_str());
}

} // namespace brindle::test
