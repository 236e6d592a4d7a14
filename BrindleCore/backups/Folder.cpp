#include "BrindleCore/backups/Folder.h"

#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace brindle {

namespace {
constexpr int directoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::string joined(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path.append(name);
}
} // namespace

Instant modificationTime(const struct stat& status)
{
    return Instant{std::chrono::seconds{status.st_mtim.tv_sec} +
                   std::chrono::microseconds{status.st_mtim.tv_nsec / 1000}};
}

std::optional<Folder> Folder::open(const std::string& path)
{
    const int fd = ::open(path.c_str(), directoryFlags);
    if (fd < 0)
        return std::nullopt;
    return Folder(fd, path);
}

Folder::Folder(Folder&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_)) { other.fd_ = -1; }

Folder& Folder::operator=(Folder&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

Folder::~Folder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::string_view Folder::name() const { return lastPathComponent(path_); }

std::optional<Folder> Folder::child(std::string_view name) const
{
    const std::string text(name);
    if (text.empty() || text == "." || text == ".." || text.find('/') != std::string::npos)
        return std::nullopt;
    const int fd = ::openat(fd_, text.c_str(), directoryFlags);
    if (fd < 0)
        return std::nullopt;
    return Folder(fd, joined(path_, text));
}

std::vector<FolderEntry> Folder::list(std::size_t max) const
{
    std::vector<FolderEntry> entries;
    const int copy = ::openat(fd_, ".", directoryFlags);
    if (copy < 0)
        return entries;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(copy), &::closedir);
    if (!dir) {
        ::close(copy);
        return entries;
    }
    while (entries.size() < max) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry)
            break;
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat status;
            if (::fstatat(fd_, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_LNK;
        }
        entries.push_back({std::string(name), type == DT_DIR   ? FolderEntry::Type::directory
                                              : type == DT_REG ? FolderEntry::Type::file
                                                               : FolderEntry::Type::other});
    }
    return entries;
}

std::optional<struct stat> Folder::status(std::string_view name) const
{
    struct stat status;
    if (::fstatat(fd_, std::string(name).c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return status;
}

std::optional<Instant> Folder::modified(std::string_view name) const
{
    const auto found = status(name);
    return found ? std::optional(modificationTime(*found)) : std::nullopt;
}

bool Folder::hasDirectory(std::string_view name) const
{
    const auto found = status(name);
    return found && S_ISDIR(found->st_mode);
}

std::optional<std::string> Folder::read(std::string_view name, std::size_t maxBytes) const
{
    const auto found = status(name);
    if (!found || !S_ISREG(found->st_mode) || static_cast<std::uint64_t>(found->st_size) > maxBytes)
        return std::nullopt;
    return readRegularFile(joined(path_, name), maxBytes).content;
}

std::optional<std::string> Folder::readStart(std::string_view name, std::size_t bytes) const
{
    // Non-blocking, so that a FIFO put in the file's place is refused rather than waited on.
    const Descriptor file(::openat(fd_, std::string(name).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status;
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    std::string content(bytes, '\0');
    std::size_t got = 0;
    while (got < bytes) {
        const ssize_t n = ::pread(file.get(), content.data() + got, bytes - got, static_cast<off_t>(got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        got += static_cast<std::size_t>(n);
    }
    content.resize(got);
    return content;
}

} // namespace brindle
