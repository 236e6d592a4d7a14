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
// - Errors on single entries pass that entry or directory over; the walk goes on with the next
//   one. A directory that vanished or was replaced since it was listed is passed over
//   silently; one that is there but cannot be opened or read (no permission, an I/O error,
//   no descriptor left even after closing every ancestor it can) is told to the visitor's
//   `unreadable`. Nothing throws.
// - A stop requested through the stop token ends the walk before the next directory is read
//   and between blocks of a long listing.
// - Work sharing: before each directory, the walker asks `wantsWork`; when the answer is yes
//   it hands one directory it has yet to walk, the shallowest one, to `share`, with the
//   identities of its ancestors, and never walks it itself. So every directory is walked by
//   exactly one walker.
//
// Threads: a walker is used by one thread at a time; several walkers may walk at once. The
// visitor is called on the walking thread.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>
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
    FileIdentity directory{}; // of the directory open as `directoryFd`
};

enum class WalkStep { next, enter };

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    // Return WalkStep::enter for a directory to walk into it; anything else walks on.
    virtual WalkStep visit(const WalkEntry& entry) = 0;
    // A directory below the root (empty `name`: the root itself) that could not be opened or
    // read; `error` is the errno value.
    virtual void unreadable(std::string_view name, int error)
    {
        (void)name;
        (void)error;
    }
    // Whether someone waits for a directory to walk. Called once per directory: keep it cheap.
    virtual bool wantsWork() { return false; }
    // Takes over the open directory `fd` (closing it becomes the visitor's duty), whose
    // ancestors, outermost first, are `ancestors`.
    virtual void share(int fd, std::vector<FileIdentity> /*ancestors*/) { ::close(fd); }
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
    void walk(int rootFd, WalkVisitor& visitor, std::span<const FileIdentity> ancestors = {},
              std::stop_token stop = {});

    // Lists the directory open as `directoryFd` one level deep, calling `visitor` for each
    // entry (its answer is ignored). Returns false when the directory could not be read.
    bool list(int directoryFd, WalkVisitor& visitor, std::stop_token stop = {});

private:
    struct Frame;

    bool readDirectory(int fd, FileIdentity id, Frame* children, WalkVisitor& visitor, const std::stop_token& stop);
    int descriptorOf(std::size_t depth);
    int openChild(std::size_t depth, const char* name);
    void shareShallowest(std::size_t depth, WalkVisitor& visitor, std::span<const FileIdentity> outer);
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
// Whether a failure (an errno value) to open a listed directory means that it vanished or was
// replaced since the listing, rather than that it is there and cannot be read.
bool directoryVanished(int error);

} // namespace brindle
