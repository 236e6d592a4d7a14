#include "BrindleCore/FileIO.h"

#include "BrindleCore/Descriptor.h"
#include "BrindleCore/Translation.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

namespace brindle {

namespace {
std::optional<std::string> realPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

bool fail(std::string* errorText, const std::string& what)
{
    if (errorText)
        *errorText = what + ": " + std::strerror(errno);
    return false;
}

// The process id in a temporary file's name "<file>.tmp-<pid>-<n>", or 0 when `name` is not
// one of `file`'s temporaries.
pid_t temporaryOwner(std::string_view name, std::string_view file)
{
    const std::string_view prefix = ".tmp-";
    if (!name.starts_with(file) || name.substr(file.size()).substr(0, prefix.size()) != prefix)
        return 0;
    name.remove_prefix(file.size() + prefix.size());
    const auto dash = name.find('-');
    if (dash == std::string_view::npos || dash + 1 == name.size())
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc{} || end != name.data() + dash || pid <= 0)
        return 0;
    const std::string_view serial = name.substr(dash + 1);
    if (serial.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    return pid;
}

// Removes the temporaries of `path` that a process which has since ended (killed mid-save)
// left in `folder`. A process that still runs may be saving: its files are left alone.
void removeAbandonedTemporaries(const std::string& folder, const std::string& path)
{
    const std::string file(lastPathComponent(path));
    DIR* directory = ::opendir(folder.c_str());
    if (!directory)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const pid_t owner = temporaryOwner(entry->d_name, file);
        if (owner == 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat status;
        if (::fstatat(::dirfd(directory), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}
} // namespace

ReadResult readRegularFile(const std::string& path, std::size_t maxBytes)
{
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0)
        return {std::nullopt, errno == ENOENT ? ReadError::missing : ReadError::unreadable};
    struct stat status;
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {std::nullopt, ReadError::unreadable};
    if (static_cast<std::uint64_t>(status.st_size) > maxBytes)
        return {std::nullopt, ReadError::tooLarge};
    std::string content;
    content.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return {std::nullopt, ReadError::unreadable};
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > maxBytes) // the file grew while being read
            return {std::nullopt, ReadError::tooLarge};
    }
    return {std::move(content), ReadError::unreadable};
}

namespace {
// The name a symbolic link at `path` leads to, followed link by link (up to the kernel's own
// limit), so that a link whose target is missing still leads to the name to create.
std::string linkTarget(const std::string& path)
{
    if (auto resolved = realPath(path))
        return *resolved;
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target)
            return current;
        std::string next(target, static_cast<std::size_t>(length));
        current = next.starts_with('/') ? next : parentFolder(current) + "/" + next;
    }
    return current;
}

// Writes into a file that is not a regular one (a device, a FIFO, a terminal) as it stands:
// renaming over it would replace the node itself.
bool writeInPlace(const std::string& path, std::string_view bytes, std::string* errorText)
{
    // Without a reader a FIFO would block the open for ever; it fails at once instead.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        return fail(errorText, fill(translated("file error", "cannot open {file}"), {{"file", path}}));
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return fail(errorText, fill(translated("file error", "cannot write {file}"), {{"file", path}}));
    if (!writeAll(file.get(), bytes))
        return fail(errorText, fill(translated("file error", "cannot write {file}"), {{"file", path}}));
    // Pipes and most devices cannot be synced; that is no failure of the write.
    if (::fsync(file.get()) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return fail(errorText, fill(translated("file error", "cannot sync {file}"), {{"file", path}}));
    if (!file.reset())
        return fail(errorText, fill(translated("file error", "cannot close {file}"), {{"file", path}}));
    return true;
}
} // namespace

bool writeFileAtomically(const std::string& given, std::string_view bytes, std::string* errorText)
{
    struct stat status;
    if (::stat(given.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return writeInPlace(given, bytes, errorText);
    // A link is written through: its target is replaced, the link stays.
    struct stat link;
    const std::string path = ::lstat(given.c_str(), &link) == 0 && S_ISLNK(link.st_mode) ? linkTarget(given) : given;
    const std::string folder = parentFolder(path);
    std::random_device entropy;
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(entropy());
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (file.get() < 0)
        return fail(errorText, fill(translated("file error", "cannot create {file}"), {{"file", temporary}}));

    const auto abandon = [&](const std::string& what) {
        const int saved = errno;
        file.reset();
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(errorText, what);
    };
    if (!writeAll(file.get(), bytes))
        return abandon(fill(translated("file error", "cannot write {file}"), {{"file", temporary}}));
    if (::fsync(file.get()) != 0)
        return abandon(fill(translated("file error", "cannot sync {file}"), {{"file", temporary}}));
    if (!file.reset()) {
        ::unlink(temporary.c_str());
        return fail(errorText, fill(translated("file error", "cannot close {file}"), {{"file", temporary}}));
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return fail(errorText, fill(translated("file error", "cannot replace {file}"), {{"file", path}}));
    }
    // The rename is durable only once the folder itself is synced.
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() < 0 || ::fsync(directory.get()) != 0)
        return fail(errorText, fill(translated("file error", "cannot sync {file}"), {{"file", folder}}));
    removeAbandonedTemporaries(folder, path);
    return true;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool makeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = slash == std::string::npos ? path : path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace brindle
