#include "BrindleCore/TreeWalker.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brindle {

namespace {
// getdents64 fills the buffer with records laid out as glibc's struct dirent64.
constexpr std::size_t bufferSize = 64 * 1024;

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

bool outOfDescriptors(int error) { return error == EMFILE || error == ENFILE; }
} // namespace

int openDirectoryAt(int parentFd, const char* name)
{
    return ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
}

bool directoryVanished(int error) { return error == ENOENT || error == ENOTDIR || error == ELOOP; }

// One directory on the current path: its descriptor (or -1 while closed to save descriptors),
// its name in its parent (to reopen it), its identity, and the subdirectories still to walk.
struct TreeWalker::Frame {
    int fd = -1;
    bool ownsFd = true;
    std::string name;
    FileIdentity id;
    std::string childNames; // NUL-separated
    std::vector<std::uint32_t> childOffsets;
    std::vector<FileIdentity> childIds;
    std::size_t nextChild = 0;

    void reset(std::string_view newName, FileIdentity newId)
    {
        fd = -1;
        ownsFd = true;
        name.assign(newName);
        id = newId;
        childNames.clear();
        childOffsets.clear();
        childIds.clear();
        nextChild = 0;
    }
};

TreeWalker::TreeWalker(WalkOptions options) : options_(options), buffer_(bufferSize)
{
    if (options_.maxOpenDirectories < 2)
        options_.maxOpenDirectories = 2;
}

TreeWalker::~TreeWalker()
{
    for (Frame& frame : frames_)
        closeFrame(frame);
}

void TreeWalker::closeFrame(Frame& frame)
{
    if (frame.fd >= 0 && frame.ownsFd) {
        ::close(frame.fd);
        --open_;
    }
    frame.fd = -1;
}

bool TreeWalker::readDirectory(int fd, FileIdentity id, Frame* children, WalkVisitor& visitor,
                               const std::stop_token& stop)
{
    struct stat status;
    for (;;) {
        if (stop.stop_requested())
            return true;
        const long got = ::syscall(SYS_getdents64, fd, buffer_.data(), buffer_.size());
        if (got == 0)
            return true;
        if (got < 0)
            return false;
        for (long offset = 0; offset < got;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer_.data() + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (isDotOrDotDot(name) || (options_.skipHidden && name[0] == '.'))
                continue;
            if (::fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue; // vanished since the listing, or not examinable: pass it over
            const std::string_view nameView(name);
            const WalkStep step = visitor.visit(WalkEntry{fd, nameView, status, id});
            if (children && step == WalkStep::enter && S_ISDIR(status.st_mode)) {
                children->childOffsets.push_back(static_cast<std::uint32_t>(children->childNames.size()));
                children->childNames.append(nameView);
                children->childNames.push_back('\0');
                children->childIds.push_back(identityOf(status));
            }
        }
    }
}

bool TreeWalker::list(int directoryFd, WalkVisitor& visitor, std::stop_token stop)
{
    struct stat status {};
    return ::fstat(directoryFd, &status) == 0 && ::lseek(directoryFd, 0, SEEK_SET) >= 0 &&
           readDirectory(directoryFd, identityOf(status), nullptr, visitor, stop);
}

bool TreeWalker::isAncestor(const FileIdentity& id, std::size_t depth, std::span<const FileIdentity> outer) const
{
    for (std::size_t i = 0; i <= depth; ++i)
        if (frames_[i].id == id)
            return true;
    for (const FileIdentity& ancestor : outer)
        if (ancestor == id)
            return true;
    return false;
}

// The descriptor of the directory at `depth`, reopening it (and closed ancestors) by name
// from the deepest open ancestor. -1 when it cannot be reopened as the same directory.
int TreeWalker::descriptorOf(std::size_t depth)
{
    if (frames_[depth].fd >= 0)
        return frames_[depth].fd;
    std::size_t open = depth;
    while (frames_[open].fd < 0)
        --open; // the root frame is never closed
    for (std::size_t i = open + 1; i <= depth; ++i) {
        Frame& frame = frames_[i];
        const int fd = openChild(i - 1, frame.name.c_str());
        struct stat status;
        if (fd < 0)
            return -1;
        if (::fstat(fd, &status) != 0 || identityOf(status) != frame.id) {
            ::close(fd);
            return -1;
        }
        frame.fd = fd;
        ++open_;
    }
    limitOpenDescriptors(depth);
    return frames_[depth].fd;
}

// Opens `name` in the open directory at `depth`. Out of descriptors, it closes every open
// ancestor it may (they are reopened by name when needed) and tries once more.
int TreeWalker::openChild(std::size_t depth, const char* name)
{
    int fd = openDirectoryAt(frames_[depth].fd, name);
    if (fd < 0 && outOfDescriptors(errno)) {
        for (std::size_t i = 1; i < depth; ++i)
            closeFrame(frames_[i]);
        fd = openDirectoryAt(frames_[depth].fd, name);
    }
    return fd;
}

// Hands the shallowest directory still to be walked to the visitor. One that cannot be
// handed over is left where it is, for the walk to meet and report as usual.
void TreeWalker::shareShallowest(std::size_t depth, WalkVisitor& visitor, std::span<const FileIdentity> outer)
{
    for (std::size_t i = 0; i <= depth; ++i) {
        Frame& frame = frames_[i];
        if (frame.nextChild == frame.childOffsets.size())
            continue;
        const char* name = frame.childNames.c_str() + frame.childOffsets[frame.nextChild];
        if (isAncestor(frame.childIds[frame.nextChild], i, outer) || descriptorOf(i) < 0)
            return;
        const int fd = openChild(i, name);
        struct stat status;
        if (fd < 0)
            return;
        if (::fstat(fd, &status) != 0 || isAncestor(identityOf(status), i, outer)) {
            ::close(fd);
            return;
        }
        ++frame.nextChild;
        std::vector<FileIdentity> ancestors(outer.begin(), outer.end());
        for (std::size_t j = 0; j <= i; ++j)
            ancestors.push_back(frames_[j].id);
        visitor.share(fd, std::move(ancestors));
        return;
    }
}

// Closes the shallowest open ancestors (never the root, never the current directory) until
// the walker holds no more than its allowance.
void TreeWalker::limitOpenDescriptors(std::size_t depth)
{
    for (std::size_t i = 1; i < depth && open_ > options_.maxOpenDirectories; ++i)
        closeFrame(frames_[i]);
}

void TreeWalker::walk(int rootFd, WalkVisitor& visitor, std::span<const FileIdentity> ancestors, std::stop_token stop)
{
    struct stat rootStatus;
    // The root is the caller's and may have been read before: list it from the start.
    if (::fstat(rootFd, &rootStatus) != 0 || ::lseek(rootFd, 0, SEEK_SET) < 0) {
        visitor.unreadable({}, errno);
        return;
    }
    for (const FileIdentity& ancestor : ancestors)
        if (ancestor == identityOf(rootStatus))
            return; // the root is one of its own ancestors: a bind-mount loop
    if (frames_.empty())
        frames_.emplace_back();
    frames_[0].reset({}, identityOf(rootStatus));
    frames_[0].fd = rootFd;
    frames_[0].ownsFd = false;
    if (!readDirectory(rootFd, frames_[0].id, &frames_[0], visitor, stop)) {
        visitor.unreadable({}, errno);
        return;
    }

    std::size_t depth = 0;
    for (;;) {
        if (stop.stop_requested()) {
            for (std::size_t i = 1; i <= depth; ++i)
                closeFrame(frames_[i]);
            return;
        }
        // Grow the stack first: the references below must not move while they are used.
        if (frames_.size() == depth + 1)
            frames_.emplace_back();
        if (visitor.wantsWork())
            shareShallowest(depth, visitor, ancestors);
        Frame& frame = frames_[depth];
        if (frame.nextChild == frame.childOffsets.size()) {
            closeFrame(frame);
            if (depth == 0)
                return;
            --depth;
            continue;
        }
        const std::size_t child = frame.nextChild++;
        const FileIdentity childId = frame.childIds[child];
        const char* childName = frame.childNames.c_str() + frame.childOffsets[child];
        if (isAncestor(childId, depth, ancestors))
            continue;
        if (descriptorOf(depth) < 0) {
            frame.nextChild = frame.childOffsets.size(); // the directory is gone or replaced
            continue;
        }
        const int fd = openChild(depth, childName);
        if (fd < 0) {
            if (!directoryVanished(errno))
                visitor.unreadable(childName, errno);
            continue;
        }
        struct stat status;
        if (::fstat(fd, &status) != 0 || isAncestor(identityOf(status), depth, ancestors)) {
            ::close(fd);
            continue;
        }
        ++open_;
        Frame& next = frames_[depth + 1];
        next.reset(childName, identityOf(status));
        next.fd = fd;
        const bool listed = readDirectory(fd, next.id, &next, visitor, stop);
        if (!listed)
            visitor.unreadable(childName, errno);
        if (!listed || next.childOffsets.empty()) {
            closeFrame(next);
            continue;
        }
        ++depth;
        limitOpenDescriptors(depth);
    }
}

} // namespace brindle
