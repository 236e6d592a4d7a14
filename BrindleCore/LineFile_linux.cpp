#include "BrindleCore/FileIO.h"
#include "BrindleCore/JsonLines.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace brindle {

namespace {
// An advisory lock on "<path>.lock", held for the life of the object; a lock that cannot be
// had (no folder yet, a read-only disk) is simply not held.
class FileLock {
public:
    FileLock(const std::string& path, int operation)
        : fd_(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ >= 0)
            while (::flock(fd_, operation) != 0 && errno == EINTR) {
            }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_;
};

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}
} // namespace

LineFile::LineFile(std::string path) : path_(std::move(path))
{
    const auto slash = path_.rfind('/');
    if (slash != std::string::npos && slash > 0)
        makeFolders(path_.substr(0, slash));
}

bool LineFile::appendLine(const std::string& line)
{
    const std::lock_guard guard(lock_);
    const FileLock fileLock(path_, LOCK_EX);
    // Non-blocking, so that a FIFO put in the file's place fails instead of hanging.
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    // A last line without its line feed was cut short: start on a fresh line.
    std::string bytes;
    char last = '\n';
    if (status.st_size > 0) {
        const int reader = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (reader >= 0) {
            if (::pread(reader, &last, 1, status.st_size - 1) != 1)
                last = '\n';
            ::close(reader);
        }
    }
    if (last != '\n')
        bytes += '\n';
    bytes += line;
    bytes += '\n';
    // One write for the whole line; the lock keeps other writers of this file out meanwhile.
    const bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

std::vector<std::string> recordLines(std::string_view content)
{
    std::vector<std::string> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        const std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        if (line.empty() || line.size() > LineFile::maxLineBytes || line.starts_with(byteOrderMark))
            continue;
        lines.emplace_back(line);
    }
    return lines;
}

std::vector<std::string> LineFile::readLines() const
{
    const ReadResult read = readRegularFile(path_, maxFileBytes);
    return read.content ? recordLines(*read.content) : std::vector<std::string>{};
}

std::vector<std::string> LineFile::lines() const
{
    const std::lock_guard guard(lock_);
    const FileLock fileLock(path_, LOCK_SH);
    return readLines();
}

bool LineFile::rewrite(const std::function<std::vector<std::string>(std::vector<std::string>)>& keep)
{
    const std::lock_guard guard(lock_);
    const FileLock fileLock(path_, LOCK_EX);
    std::string content;
    for (const std::string& line : keep(readLines()))
        content += line + "\n";
    return writeFileAtomically(path_, content);
}

} // namespace brindle
