#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/FileLock.h"
#include "BrindleCore/JsonLines.h"
#include "BrindleCore/Translation.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace brindle {

namespace {
// An advisory lock on "<path>.lock", held for the life of the object. A writer creates the
// lock file; a reader only uses one that exists, so reading never creates a file. A lock file
// that cannot be opened (no folder yet, a read-only disk) is simply not held. A lock that
// another process keeps past `wait` is not taken, and `busy()` says so.
class FileLock {
public:
    enum class Mode { read, write };

    FileLock(const std::string& path, Mode mode, std::chrono::milliseconds wait)
        : fd_(mode == Mode::write ? ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)
                                  : ::open((path + ".lock").c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        if (!fd_.valid())
            return;
        const int operation = mode == Mode::write ? LOCK_EX : LOCK_SH;
        int result = 0;
        while ((result = ::flock(fd_.get(), operation | LOCK_NB)) != 0 && errno == EINTR) {}
        if (result == 0)
            return;
        if (errno != EWOULDBLOCK) { // no locking here at all: go on without
            fd_.reset();
        } else if (!lockWithin(fd_.get(), operation, wait)) {
            busy_ = true;
            fd_.reset();
        }
    }

    bool busy() const { return busy_; }

private:
    Descriptor fd_; // closing releases the lock
    bool busy_ = false;
};

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool failWith(std::string* errorText, const std::string& what)
{
    if (errorText)
        *errorText = what + ": " + std::strerror(errno);
    return false;
}

bool busyFailure(std::string* errorText, const std::string& path, std::chrono::milliseconds wait)
{
    if (errorText) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(wait.count()) / 1000.0);
        *errorText = fill(translated("file error", "{file} is locked by another process (waited {seconds} s)"),
                          {{"file", path}, {"seconds", seconds}});
    }
    return false;
}

} // namespace

LineFile::LineFile(std::string path, std::chrono::milliseconds lockWait) : path_(std::move(path)), lockWait_(lockWait)
{
}

bool LineFile::appendLine(const std::string& line, std::string* errorText)
{
    const std::lock_guard guard(lock_);
    makeFolders(parentFolder(path_)); // a failure shows in the open below
    const FileLock fileLock(path_, FileLock::Mode::write, lockWait_);
    if (fileLock.busy())
        return busyFailure(errorText, path_, lockWait_);
    // Non-blocking, so that a FIFO put in the file's place fails instead of hanging.
    Descriptor file(::open(path_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600));
    if (!file.valid())
        return failWith(errorText, fill(translated("file error", "cannot open {file}"), {{"file", path_}}));
    struct stat status;
    if (::fstat(file.get(), &status) != 0)
        return failWith(errorText, fill(translated("file error", "cannot examine {file}"), {{"file", path_}}));
    if (!S_ISREG(status.st_mode)) {
        if (errorText)
            *errorText =
                fill(translated("file error", "cannot append to {file}: not a regular file"), {{"file", path_}});
        return false;
    }
    // A last line without its line feed was cut short: start on a fresh line.
    std::string bytes;
    char last = '\n';
    if (status.st_size > 0 && ::pread(file.get(), &last, 1, status.st_size - 1) != 1)
        last = '\n';
    if (last != '\n')
        bytes += '\n';
    bytes += line;
    bytes += '\n';
    // One write for the whole line; the lock keeps other writers of this file out meanwhile.
    // A write that fails part-way (a full disk) is cut off again, so no torn line stays.
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0) {
        const int saved = errno;
        while (::ftruncate(file.get(), status.st_size) != 0 && errno == EINTR) {}
        errno = saved;
        return failWith(errorText, fill(translated("file error", "cannot append to {file}"), {{"file", path_}}));
    }
    return file.reset() ||
           failWith(errorText, fill(translated("file error", "cannot close {file}"), {{"file", path_}}));
}

std::vector<std::string> recordLines(std::string_view content)
{
    std::vector<std::string> lines;
    while (!content.empty()) {
        const auto end = content.find('\n');
        const std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view{} : content.substr(end + 1);
        if (line.empty() || line.size() > limits::historyLineBytes || line.starts_with(byteOrderMark))
            continue;
        lines.emplace_back(line);
    }
    return lines;
}

std::optional<std::vector<std::string>> LineFile::readLines(std::string* errorText) const
{
    const ReadResult read = readRegularFile(path_, limits::historyFileBytes);
    if (read.content)
        return recordLines(*read.content);
    if (read.error == ReadError::missing)
        return std::vector<std::string>{};
    if (errorText)
        *errorText = read.error == ReadError::tooLarge
                         ? fill(translated("file error", "{file} is larger than {megabytes} MB"),
                                {{"file", path_}, {"megabytes", std::to_string(limits::historyFileBytes >> 20)}})
                         : fill(translated("file error", "cannot read {file} (unreadable or not a regular file)"),
                                {{"file", path_}});
    return std::nullopt;
}

std::optional<std::vector<std::string>> LineFile::lines(std::string* errorText) const
{
    const std::lock_guard guard(lock_);
    const FileLock fileLock(path_, FileLock::Mode::read, lockWait_);
    if (fileLock.busy()) {
        busyFailure(errorText, path_, lockWait_);
        return std::nullopt;
    }
    return readLines(errorText);
}

bool LineFile::rewrite(const std::function<std::vector<std::string>(std::vector<std::string>)>& keep,
                       std::string* errorText)
{
    const std::lock_guard guard(lock_);
    makeFolders(parentFolder(path_));
    const FileLock fileLock(path_, FileLock::Mode::write, lockWait_);
    if (fileLock.busy())
        return busyFailure(errorText, path_, lockWait_);
    // A file that exists but cannot be read is left alone rather than replaced by nothing.
    auto current = readLines(errorText);
    if (!current)
        return false;
    std::string content;
    for (const std::string& line : keep(std::move(*current)))
        content += line + "\n";
    return writeFileAtomically(path_, content, errorText);
}

} // namespace brindle
