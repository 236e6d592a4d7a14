// TreeWalker: a depth-first walk of a directory tree that looks only at what lstat says.
//
// Promises:
// - Never follows a symbolic link and never opens anything but directories (so FIFOs,
//   sockets and device nodes are examined, never opened, and the walk cannot hang on them).
// - One fstatat(AT_SYMLINK_NOFOLLOW) per listed entry; directories are opened relative to
//   their parent's descriptor, so trees deeper than PATH_MAX are walked in full.
// - A directory whose device and inode equal one of its ancestors' (a bind-mount loop) is
//   not entered again.
// - Open descriptors stay bounded (`maxOpenDirectories` per walker, plus the root): ancestors
//   beyond that are closed and reopened by name, with their identity checked, when needed.
// - Memory grows with the depth of the tree and the width of the directories on the current
//   path, never with the number of files; a walker reuses its buffers across walks.
// - Errors on single entries (vanished between listing and lstat, no permission to list) pass
//   that entry or directory over; the walk goes on with the next one. Nothing throws.
//
// Threads: a walker is used by one thread at a time; several walkers may walk at once. The
// visitor is called on the walking thread.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

inline FileIdentity identityOf(const struct stat& status) { return {status.st_dev, status.st_ino}; }

// One listed entry. `name` is NUL-terminated and valid only during the visit.
struct WalkEntry {
    int directoryFd;
    std::string_view name;
    const struct stat& status;
};

enum class WalkStep { next, enter };

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // Return WalkStep::enter for a directory to walk into it; anything else walks on.
    virtual WalkStep visit(const WalkEntry& entry) = 0;
};

struct WalkOptions {
    bool skipHidden = true; // names beginning with "."
    std::size_t maxOpenDirectories = 24;
};

class TreeWalker {
public:
    explicit TreeWalker(WalkOptions options = {});
    ~TreeWalker();
    TreeWalker(const TreeWalker&) = delete;
    TreeWalker& operator=(const TreeWalker&) = delete;

    // Walks everything below the directory open as `rootFd` (which stays the caller's and
    // open). `ancestors` are identities above the root that must not be entered either.
    void walk(int rootFd, WalkVisitor& visitor, std::span<const FileIdentity> ancestors = {});

    // Lists the directory open as `directoryFd` one level deep, calling `visitor` for each
    // entry (its answer is ignored). Returns false when the directory could not be read.
    bool list(int directoryFd, WalkVisitor& visitor);

private:
    struct Frame;

    bool readDirectory(int fd, Frame* children, WalkVisitor& visitor);
    int descriptorOf(std::size_t depth);
    void closeFrame(Frame& frame);
    void limitOpenDescriptors(std::size_t depth);
    bool isAncestor(const FileIdentity& id, std::size_t depth, std::span<const FileIdentity> outer) const;

    WalkOptions options_;
    std::vector<char> buffer_;
    std::vector<Frame> frames_;
    std::size_t open_ = 0;
};

// Opens a directory below `parentFd` without following a link; -1 on failure.
int openDirectoryAt(int parentFd, const char* name);

} // namespace brindle
