#include "BrindleCore/Scanner.h"

#include "BrindleCore/Classify.h"
#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace brindle {

namespace {
using std::chrono::microseconds;

// A file time as an Instant, rounded up to the microsecond so that comparisons against
// microsecond instants keep their exact meaning ("strictly later", "at most a week ago").
Instant instantOf(const struct timespec& time)
{
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 1'000'000 - 1;
    const std::int64_t seconds = std::clamp<std::int64_t>(time.tv_sec, -limit, limit);
    return Instant{microseconds{seconds * 1'000'000 + (time.tv_nsec + 999) / 1000}};
}

int openFolder(const std::string& path)
{
    // The granted folder itself may be reached through a link; nothing below it is.
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
}

// Files are added to the shared count in batches, so that threads rarely touch it.
constexpr std::int64_t countBatch = 1024;
constexpr auto reportInterval = std::chrono::milliseconds{100};
// A package walk nests inside a walk, so it keeps few directories of its own open.
constexpr std::size_t packageWalkDescriptors = 4;

// Sums the regular files of a package; enters everything, hidden items and nested packages too.
class PackageSizeVisitor final : public WalkVisitor {
public:
    std::int64_t bytes = 0;
    WalkStep visit(const WalkEntry& entry) override
    {
        if (S_ISREG(entry.status.st_mode))
            bytes += entry.status.st_size;
        return WalkStep::enter;
    }
};

// The files counted so far by all of a scan's threads, and the observer's view of them:
// sampled at most every `reportInterval`, never by two threads at once, never going down.
class FilesSeen {
public:
    FilesSeen(CheckObserver* observer, std::int64_t before) : observer_(observer), before_(before) {}

    void add(std::int64_t files)
    {
        count_.fetch_add(files, std::memory_order_relaxed);
        if (!observer_)
            return;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        if (now < nextReport_.load(std::memory_order_relaxed))
            return;
        const std::unique_lock lock(reportLock_, std::try_to_lock);
        if (!lock)
            return;
        nextReport_.store(now + std::chrono::steady_clock::duration(reportInterval).count(), std::memory_order_relaxed);
        report(count_.load(std::memory_order_relaxed));
    }

    // The exact count once every thread is done.
    void finish(std::int64_t files)
    {
        if (!observer_)
            return;
        const std::lock_guard lock(reportLock_);
        report(files);
    }

private:
    void report(std::int64_t files)
    {
        if (files <= reported_)
            return;
        reported_ = files;
        observer_->filesSeen(before_ + files);
    }

    CheckObserver* observer_;
    std::int64_t before_;
    std::atomic<std::int64_t> count_{0};
    std::atomic<std::chrono::steady_clock::rep> nextReport_{0};
    std::mutex reportLock_;
    std::int64_t reported_ = -1;
};

// A directory for a walking thread: a top-level subfolder by name, or a directory that a
// walker handed over, open, with its ancestors.
struct WalkTask {
    std::string name;
    Descriptor directory;
    std::vector<FileIdentity> ancestors;
};

// The tasks of one scan. Threads take tasks until none is left and no thread is still
// walking (one could still hand work over); walkers hand work over while a thread waits.
class WorkQueue {
public:
    explicit WorkQueue(std::deque<WalkTask> tasks) : tasks_(std::move(tasks)) {}

    // The next task; nothing once all is done or a stop was requested.
    std::optional<WalkTask> take(const std::stop_token& stop)
    {
        std::unique_lock lock(lock_);
        ++waiting_;
        updateHungry();
        wake_.wait(lock, stop, [&] { return !tasks_.empty() || walking_ == 0; });
        --waiting_;
        if (tasks_.empty() || stop.stop_requested()) {
            updateHungry();
            wake_.notify_all();
            return std::nullopt;
        }
        std::optional<WalkTask> task(std::move(tasks_.front()));
        tasks_.pop_front();
        ++walking_;
        updateHungry();
        return task;
    }

    void done()
    {
        const std::lock_guard lock(lock_);
        if (--walking_ == 0 && tasks_.empty())
            wake_.notify_all();
    }

    void give(WalkTask task)
    {
        const std::lock_guard lock(lock_);
        tasks_.push_back(std::move(task));
        updateHungry();
        wake_.notify_one();
    }

    // More threads wait than there are tasks for them.
    bool hungry() const { return hungry_.load(std::memory_order_relaxed); }

private:
    void updateHungry() { hungry_.store(waiting_ > tasks_.size(), std::memory_order_relaxed); }

    std::mutex lock_;
    std::condition_variable_any wake_;
    std::deque<WalkTask> tasks_;
    std::size_t waiting_ = 0;
    std::size_t walking_ = 0;
    std::atomic<bool> hungry_{false};
};

std::size_t openDescriptorCount()
{
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder)
        return 64; // a guess, when /proc cannot tell
    std::size_t count = 0;
    while (const dirent* entry = ::readdir(folder))
        count += entry->d_name[0] != '.';
    ::closedir(folder);
    return count;
}

// How many threads may walk, and how many directories each walker keeps open, so that the
// scan stays within the descriptor limit. Each thread also holds its task's directory, a
// package walk's directories and at most one handed-over directory waiting in the queue.
struct DescriptorBudget {
    std::size_t threads;
    std::size_t perWalker;
};

DescriptorBudget descriptorBudget(std::size_t workers)
{
    constexpr std::size_t reserve = 32; // for the rest of the program meanwhile
    constexpr std::size_t overhead = 1 + packageWalkDescriptors + 1 + 1;
    constexpr std::size_t smallestWalker = 2;
    constexpr std::size_t largestWalker = 24;
    rlimit limit{};
    std::size_t soft = 1u << 20;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        soft = std::min<std::size_t>(soft, limit.rlim_cur);
    const std::size_t used = openDescriptorCount() + reserve;
    const std::size_t spare = soft > used ? soft - used : 0;
    const std::size_t threads = std::clamp<std::size_t>(spare / (smallestWalker + overhead), 1, workers);
    const std::size_t share = spare / threads;
    return {threads, std::clamp<std::size_t>(share > overhead ? share - overhead : 0, smallestWalker, largestWalker)};
}
} // namespace

// Counts every item of a walk into one tally; enters plain directories.
class Scanner::TallyVisitor final : public WalkVisitor {
public:
    TallyVisitor(const Scanner& scanner, FolderTally& tally, FilesSeen* seen = nullptr, WorkQueue* queue = nullptr,
                 std::stop_token stop = {})
        : scanner_(scanner), tally_(tally), seen_(seen), queue_(queue), stop_(std::move(stop))
    {
    }
    ~TallyVisitor() override { flush(); }
    TallyVisitor(const TallyVisitor&) = delete;
    TallyVisitor& operator=(const TallyVisitor&) = delete;

    // Subdirectories found at the top level of a scan, for the workers.
    std::deque<WalkTask>* topLevelFolders = nullptr;

    WalkStep visit(const WalkEntry& entry) override
    {
        if (scanner_.exclusions && scanner_.exclusions->excludes(entry.name, entry.status)) {
            countLeftOut(entry);
            return WalkStep::next;
        }
        if (S_ISDIR(entry.status.st_mode)) {
            Classify::ExtensionBuffer buffer;
            const std::string_view ext = Classify::lowerExtension(entry.name, buffer);
            if (!isPackageExtension(ext)) {
                if (topLevelFolders)
                    topLevelFolders->push_back(WalkTask{std::string(entry.name), Descriptor(), {}});
                return WalkStep::enter;
            }
        }
        const std::int64_t before = tally_.files;
        scanner_.count(entry, tally_, stop_);
        if (seen_ && (unflushed_ += tally_.files - before) >= countBatch)
            flush();
        return WalkStep::next;
    }

    void unreadable(std::string_view, int) override { tally_.unreadableFolders += 1; }

    bool wantsWork() override { return queue_ && queue_->hungry(); }

    void share(int fd, std::vector<FileIdentity> ancestors) override
    {
        queue_->give(WalkTask{std::string(), Descriptor(fd), std::move(ancestors)});
    }

private:
    // An item left out by the backup tool, and for a plain folder all it holds, counted as if
    // no backup had been made, on this thread (so never shared).
    void countLeftOut(const WalkEntry& entry)
    {
        Scanner unbacked = scanner_;
        unbacked.exclusions = nullptr;
        if (unbacked.lastBackup)
            unbacked.lastBackup = Instant::min();
        Classify::ExtensionBuffer buffer;
        if (!S_ISDIR(entry.status.st_mode) || isPackageExtension(Classify::lowerExtension(entry.name, buffer))) {
            const std::int64_t before = tally_.files;
            unbacked.count(entry, tally_, stop_);
            unflushed_ += tally_.files - before;
            return;
        }
        const Descriptor folder(openDirectoryAt(entry.directoryFd, entry.name.data()));
        if (!folder.valid()) {
            tally_.unreadableFolders += 1;
            return;
        }
        // Excluded folders never nest in this walk: the inner visitor has no exclusions.
        thread_local TreeWalker walker;
        TallyVisitor inner(unbacked, tally_, seen_, nullptr, stop_);
        walker.walk(folder.get(), inner, {}, stop_);
    }

    void flush()
    {
        if (seen_ && unflushed_ > 0)
            seen_->add(unflushed_);
        unflushed_ = 0;
    }

    const Scanner& scanner_;
    FolderTally& tally_;
    FilesSeen* seen_;
    WorkQueue* queue_;
    std::stop_token stop_;
    std::int64_t unflushed_ = 0;
};

Scanner::Scanner(Instant now_, std::optional<Instant> lastBackup_, int workers_, const ICloudFactsSource* facts_)
    : now(now_), lastBackup(lastBackup_), workers(workers_), facts(facts_)
{
}

bool Scanner::isSkippedPackageExtension(std::string_view extension)
{
    static constexpr std::array<std::string_view, 5> skipped{"photoslibrary", "photolibrary", "musiclibrary",
                                                             "tvlibrary", "aplibrary"};
    return std::find(skipped.begin(), skipped.end(), extension) != skipped.end();
}

bool Scanner::isPackageExtension(std::string_view extension)
{
    static constexpr std::array<std::string_view, 18> packages{
        // Document packages.
        "pages", "numbers", "key", "logicx", "band", "rtfd", "scriptd", "sparsebundle", "playground",
        // Application and library packages.
        "app", "bundle", "framework", "plugin", "kext", "xcodeproj", "xcworkspace", "xcarchive", "imovielibrary"};
    return !extension.empty() && (isSkippedPackageExtension(extension) ||
                                  std::find(packages.begin(), packages.end(), extension) != packages.end());
}

void Scanner::count(const WalkEntry& item, FolderTally& tally, const std::stop_token& stop) const
{
    const struct stat& status = item.status;
    // Pipes, sockets and device nodes hold no content of their own to lose or back up.
    if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode) && !S_ISDIR(status.st_mode))
        return;
    const bool isPackage = S_ISDIR(status.st_mode);
    if (isPackage) {
        Classify::ExtensionBuffer buffer;
        if (isSkippedPackageExtension(Classify::lowerExtension(item.name, buffer)))
            return;
    }
    const ICloudFacts cloud =
        facts ? facts->factsIn(item.directoryFd, item.directory.device, item.directory.inode, item.name.data(), status)
              : ICloudFacts{};
    const Place place = Classify::place(cloud);
    if (place == Place::unknown) {
        tally.counts.add(Place::unknown, 1);
        return;
    }
    const std::int64_t size =
        isPackage ? packageSize(item.directoryFd, item.name.data(), stop) : cloud.size.value_or(status.st_size);
    const std::string_view realName =
        item.name.substr(0, item.name.size() - std::min<std::size_t>(cloud.nameSuffix, item.name.size()));
    const Instant modified = instantOf(status.st_mtim);
    Instant latestChange = modified;
    if (!cloud.dataless && status.st_ctim.tv_sec != 0)
        latestChange = std::max(latestChange, instantOf(status.st_ctim));

    tally.files += 1;
    tally.bytes += size;
    tally.counts.add(place, 1);
    tally.sizes.add(place, size);
    tally.kinds.add(Classify::kindOf(realName), 1);
    if (now - modified <= std::chrono::seconds{secondsPerWeek})
        tally.changedThisWeek += 1;
    if (lastBackup) {
        const bool changed = place == Place::onlyHere && latestChange > *lastBackup;
        tally.changedSinceBackup = tally.changedSinceBackup.value_or(0) + (changed ? 1 : 0);
        tally.changedSinceBackupBytes = tally.changedSinceBackupBytes.value_or(0) + (changed ? size : 0);
    }
}

std::int64_t Scanner::packageSize(int directoryFd, const char* name, const std::stop_token& stop)
{
    const Descriptor package(openDirectoryAt(directoryFd, name));
    if (package.get() < 0)
        return 0;
    // A package sits inside a walk of its own walker, so it needs one of its own; one per
    // thread is enough because package walks never nest.
    thread_local TreeWalker walker(WalkOptions{.skipHidden = false, .maxOpenDirectories = packageWalkDescriptors});
    PackageSizeVisitor visitor;
    walker.walk(package.get(), visitor, {}, stop);
    return visitor.bytes;
}

std::int64_t Scanner::packageSize(const std::string& packagePath) { return packageSize(AT_FDCWD, packagePath.c_str()); }

FolderTally Scanner::walk(const std::string& directoryPath) const
{
    FolderTally tally;
    const Descriptor directory(openFolder(directoryPath));
    if (!directory.valid())
        return tally;
    TallyVisitor visitor(*this, tally);
    TreeWalker walker;
    walker.walk(directory.get(), visitor);
    return tally;
}

FolderTally Scanner::scan(const std::string& folderPath, const std::optional<std::string>& name,
                          const ScanContext& context) const
{
    const Descriptor folder(openFolder(folderPath));
    return scan(folder.get(), name.value_or(std::string(lastPathComponent(folderPath))), folderPath, context);
}

FolderTally Scanner::scan(int folderFd, std::string name, std::string path, const ScanContext& context) const
{
    FolderTally tally(std::move(name), std::move(path));
    tally.inICloud = facts && facts->folderIsUbiquitous(tally.path);
    FilesSeen seen(context.observer, context.filesBefore);

    std::deque<WalkTask> subfolders;
    struct stat folderStatus {};
    if (folderFd >= 0 && ::fstat(folderFd, &folderStatus) == 0) {
        TallyVisitor visitor(*this, tally, &seen, nullptr, context.stop);
        visitor.topLevelFolders = &subfolders;
        TreeWalker lister;
        if (!lister.list(folderFd, visitor, context.stop))
            tally.unreadableFolders += 1;
    }
    if (subfolders.empty() || context.stop.stop_requested()) {
        seen.finish(tally.files);
        return tally;
    }

    const DescriptorBudget budget = descriptorBudget(static_cast<std::size_t>(std::max(workers, 1)));
    const bool sharing = budget.threads > 1;
    WorkQueue queue(std::move(subfolders));
    std::mutex lock;
    const FileIdentity root = identityOf(folderStatus);
    const auto work = [&] {
        TreeWalker walker(WalkOptions{.maxOpenDirectories = budget.perWalker});
        while (std::optional<WalkTask> task = queue.take(context.stop)) {
            FolderTally part;
            {
                TallyVisitor visitor(*this, part, &seen, sharing ? &queue : nullptr, context.stop);
                if (task->directory.valid()) {
                    walker.walk(task->directory.get(), visitor, task->ancestors, context.stop);
                } else if (const Descriptor subfolder(openDirectoryAt(folderFd, task->name.c_str()));
                           subfolder.valid()) {
                    walker.walk(subfolder.get(), visitor, std::span<const FileIdentity>(&root, 1), context.stop);
                } else if (!directoryVanished(errno)) {
                    part.unreadableFolders += 1;
                }
            }
            {
                const std::lock_guard guard(lock);
                tally.merge(part);
            }
            queue.done();
        }
    };
    if (sharing) {
        std::vector<std::jthread> pool;
        pool.reserve(budget.threads);
        for (std::size_t i = 0; i < budget.threads; ++i)
            pool.emplace_back(work);
    } else {
        work();
    }
    seen.finish(tally.files);
    return tally;
}

} // namespace brindle
