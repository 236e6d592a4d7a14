// The settings file on Linux: XDG base directories, flock(2) on a lock file beside it,
// renameat2(RENAME_NOREPLACE) to move an unreadable file aside without replacing an earlier one.
#include "Brindle/app/services/SettingsStore.h"

#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"
#include "BrindleCore/FileLock.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace brindle {

namespace {

// What identifies one version of the file, to notice changes made by other processes.
struct Stamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const Stamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

std::optional<Stamp> stampOf(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return Stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

// "20261208T053700Z": ISO 8601 in its basic form, safe in a file name on any file system.
std::string compactTime(Instant instant)
{
    std::string text = formatISO8601(instant);
    std::erase(text, '-');
    std::erase(text, ':');
    return text;
}

class SettingsFile final : public SettingsStore {
public:
    SettingsFile(std::string path, std::function<Instant()> now, std::chrono::milliseconds lockWait)
        : path_(std::move(path)), now_(std::move(now)), lockWait_(lockWait)
    {
    }

    std::optional<JsonIn> value(std::string_view key) override
    {
        refresh();
        const auto found = object_.find(key);
        if (found == object_.end())
            return std::nullopt;
        return *found;
    }

    bool setValue(std::string_view key, JsonIn value) override
    {
        return change([key = std::string(key), value = std::move(value)](JsonIn& object) { object[key] = value; });
    }

    bool remove(std::string_view key) override
    {
        return change([key = std::string(key)](JsonIn& object) { object.erase(key); });
    }

    std::string lastError() const override { return lastError_; }

    bool hasPending() const override { return !pending_.empty(); }

    bool writePending() override
    {
        if (pending_.empty())
            return true;
        if (!makeFolders(parentFolder(path_))) {
            lastError_ = fill(translated("file error", "could not make the folder of {file}"), {{"file", path_}});
            pending_.clear();
            return false;
        }
        const std::string lockPath = path_ + ".lock";
        const Descriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
        if (lock.valid() && !takeLock(lock.get())) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(lockWait_.count()) / 1000.0);
            lastError_ = fill(
                translated("file error",
                           "{file} is locked by another process (waited {seconds} s); the change is not written yet"),
                {{"file", lockPath}, {"seconds", seconds}});
            return false;
        }
        refresh(); // the file as it is now, with the pending changes on top
        pending_.clear();
        if (unreadable_ && !moveAside())
            return false;
        unreadable_ = false;
        std::string error;
        if (!writeFileAtomically(path_, Settings::format(object_), &error)) {
            lastError_ =
                error.empty() ? fill(translated("file error", "could not write {file}"), {{"file", path_}}) : error;
            stamp_ = stampOf(path_);
            return false;
        }
        lastError_.clear();
        stamp_ = stampOf(path_);
        return true;
    }

private:
    // Reads the file again when it changed since it was last read.
    void refresh()
    {
        const auto stamp = stampOf(path_);
        if (stamp == stamp_ && (stamp || loaded_))
            return;
        loaded_ = true;
        stamp_ = stamp;
        object_ = JsonIn::object();
        unreadable_ = false;
        if (!stamp)
            return;
        const ReadResult read = readRegularFile(path_, limits::settingsBytes);
        if (read.content) {
            if (auto parsed = Settings::parse(*read.content)) {
                object_ = std::move(*parsed);
                applyPending();
                return;
            }
        }
        unreadable_ = read.content || read.error != ReadError::missing;
        applyPending();
    }

    void applyPending()
    {
        for (const auto& apply : pending_)
            apply(object_);
    }

    // Once a wait has run out, later writes only try, until one gets the lock: a run of
    // changes waits once, not once each.
    bool takeLock(int fd)
    {
        int result = 0;
        while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {}
        if (result == 0 || errno != EWOULDBLOCK) { // no locking here at all: go on without
            held_ = false;
            return true;
        }
        held_ = held_ || lockWait_.count() <= 0 || !lockWithin(fd, LOCK_EX, lockWait_);
        return !held_;
    }

    bool moveAside()
    {
        const std::string base = path_ + ".unreadable-" + compactTime(now_());
        for (int attempt = 1; attempt <= 100; ++attempt) {
            const std::string target = attempt == 1 ? base : base + "-" + std::to_string(attempt);
            if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
                return true;
            if (errno != EEXIST) {
                lastError_ = fill(translated("file error", "could not move the unreadable {file} aside: {reason}"),
                                  {{"file", path_}, {"reason", std::strerror(errno)}});
                return false;
            }
        }
        lastError_ =
            fill(translated("file error", "could not move the unreadable {file} aside: too many earlier copies"),
                 {{"file", path_}});
        return false;
    }

    bool change(std::function<void(JsonIn&)> apply)
    {
        refresh();
        // A change that changes nothing writes nothing (and makes no file where none was).
        JsonIn changed = object_;
        apply(changed);
        if (changed == object_ && !unreadable_ && pending_.empty())
            return true;
        object_ = std::move(changed);
        pending_.push_back(std::move(apply)); // applied again on top of the file as it is then
        return writePending();
    }

    std::string path_;
    std::function<Instant()> now_;
    std::chrono::milliseconds lockWait_;
    bool held_ = false; // the last wait for the lock ran out
    std::vector<std::function<void(JsonIn&)>> pending_;
    JsonIn object_ = JsonIn::object();
    std::optional<Stamp> stamp_;
    bool loaded_ = false;
    bool unreadable_ = false;
    std::string lastError_;
};

} // namespace

std::string settingsFilePath() { return xdgFolder("XDG_CONFIG_HOME", ".config") + "/Brindle/settings.json"; }

std::unique_ptr<SettingsStore> makeSettingsFile(std::string path, std::function<Instant()> now,
                                                std::chrono::milliseconds lockWait)
{
    return std::make_unique<SettingsFile>(std::move(path), std::move(now), lockWait);
}

} // namespace brindle
