#include "BrindleCore/Scanner.h"

#include "BrindleCore/Classify.h"
#include "BrindleCore/Descriptor.h"
#include "BrindleCore/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
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

constexpr std::int64_t liveBatch = 1024;

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
} // namespace

// Counts every item of a walk into one tally; enters plain directories.
class Scanner::TallyVisitor final : public WalkVisitor {
public:
    TallyVisitor(const Scanner& scanner, FolderTally& tally, std::atomic<std::int64_t>* filesSeen)
        : scanner_(scanner), tally_(tally), filesSeen_(filesSeen)
    {
    }
    ~TallyVisitor() override { flush(); }
    TallyVisitor(const TallyVisitor&) = delete;
    TallyVisitor& operator=(const TallyVisitor&) = delete;

    // Subdirectories found at the top level of a scan, for the workers.
    std::vector<std::string>* topLevelFolders = nullptr;

    WalkStep visit(const WalkEntry& entry) override
    {
        if (S_ISDIR(entry.status.st_mode)) {
            Classify::ExtensionBuffer buffer;
            const std::string_view ext = Classify::lowerExtension(entry.name, buffer);
            if (!isPackageExtension(ext)) {
                if (topLevelFolders)
                    topLevelFolders->emplace_back(entry.name);
                return WalkStep::enter;
            }
        }
        const std::int64_t before = tally_.files;
        scanner_.count(entry, tally_);
        if (filesSeen_ && (unflushed_ += tally_.files - before) >= liveBatch)
            flush();
        return WalkStep::next;
    }

private:
    void flush()
    {
        if (filesSeen_ && unflushed_ > 0)
            filesSeen_->fetch_add(unflushed_, std::memory_order_relaxed);
        unflushed_ = 0;
    }

    const Scanner& scanner_;
    FolderTally& tally_;
    std::atomic<std::int64_t>* filesSeen_;
    std::int64_t unflushed_ = 0;
};

Scanner::Scanner(Instant now_, std::optional<Instant> lastBackup_, int workers_, const ICloudFactsSource* facts_)
    : now(now_), lastBackup(lastBackup_), workers(workers_), facts(facts_)
{
}

bool Scanner::isPackageExtension(std::string_view extension)
{
    static constexpr std::array<std::string_view, 23> packages{
        // Skipped libraries.
        "photoslibrary", "photolibrary", "musiclibrary", "tvlibrary", "aplibrary",
        // Document packages.
        "pages", "numbers", "key", "logicx", "band", "rtfd", "scriptd", "sparsebundle", "playground",
        // Application and library packages.
        "app", "bundle", "framework", "plugin", "kext", "xcodeproj", "xcworkspace", "xcarchive",
        "imovielibrary"};
    return !extension.empty() && std::find(packages.begin(), packages.end(), extension) != packages.end();
}

bool Scanner::isSkippedPackageExtension(std::string_view extension)
{
    static constexpr std::array<std::string_view, 5> skipped{"photoslibrary", "photolibrary", "musiclibrary",
                                                              "tvlibrary", "aplibrary"};
    return std::find(skipped.begin(), skipped.end(), extension) != skipped.end();
}

void Scanner::count(const WalkEntry& item, FolderTally& tally) const
{
    const struct stat& status = item.status;
    const bool isPackage = S_ISDIR(status.st_mode);
    if (isPackage) {
        Classify::ExtensionBuffer buffer;
        if (isSkippedPackageExtension(Classify::lowerExtension(item.name, buffer)))
            return;
    }
    const ICloudFacts cloud = facts ? facts->facts(item.directoryFd, item.name.data(), status) : ICloudFacts{};
    const Place place = Classify::place(cloud);
    if (place == Place::unknown) {
        tally.counts.add(Place::unknown, 1);
        return;
    }
    const std::int64_t size = isPackage ? packageSize(item.directoryFd, item.name.data()) : status.st_size;
    const Instant modified = instantOf(status.st_mtim);
    Instant latestChange = modified;
    if (!cloud.dataless && status.st_ctim.tv_sec != 0)
        latestChange = std::max(latestChange, instantOf(status.st_ctim));

    tally.files += 1;
    tally.bytes += size;
    tally.counts.add(place, 1);
    tally.sizes.add(place, size);
    tally.kinds.add(Classify::kindOf(item.name), 1);
    if (now - modified <= std::chrono::seconds{secondsPerWeek})
        tally.changedThisWeek += 1;
    if (lastBackup) {
        const bool changed = place == Place::onlyHere && latestChange > *lastBackup;
        tally.changedSinceBackup = tally.changedSinceBackup.value_or(0) + (changed ? 1 : 0);
        tally.changedSinceBackupBytes = tally.changedSinceBackupBytes.value_or(0) + (changed ? size : 0);
    }
}

std::int64_t Scanner::packageSize(int directoryFd, const char* name)
{
    const Descriptor package(openDirectoryAt(directoryFd, name));
    if (package.get() < 0)
        return 0;
    // A package sits inside a walk of its own walker, so it needs one of its own; one per
    // thread is enough because package walks never nest.
    thread_local TreeWalker walker(WalkOptions{.skipHidden = false});
    PackageSizeVisitor visitor;
    walker.walk(package.get(), visitor);
    return visitor.bytes;
}

std::int64_t Scanner::packageSize(const std::string& packagePath)
{
    return packageSize(AT_FDCWD, packagePath.c_str());
}

FolderTally Scanner::walkBelow(int directoryFd, std::atomic<std::int64_t>* filesSeen, FileIdentity scanRoot) const
{
    FolderTally tally;
    {
        TallyVisitor visitor(*this, tally, filesSeen);
        TreeWalker walker;
        walker.walk(directoryFd, visitor, std::span<const FileIdentity>(&scanRoot, 1));
    }
    return tally;
}

FolderTally Scanner::walk(const std::string& directoryPath) const
{
    const Descriptor directory(openFolder(directoryPath));
    if (directory.get() < 0)
        return {};
    return walkBelow(directory.get(), nullptr, FileIdentity{});
}

FolderTally Scanner::scan(const std::string& folderPath, const std::optional<std::string>& name,
                          const Progress& progress, std::atomic<std::int64_t>* filesSeen) const
{
    FolderTally tally(name.value_or(std::string(lastPathComponent(folderPath))), folderPath);
    tally.inICloud = facts && facts->folderIsUbiquitous(folderPath);

    const Descriptor folder(openFolder(folderPath));
    std::vector<std::string> subfolders;
    struct stat folderStatus {};
    if (folder.get() >= 0 && ::fstat(folder.get(), &folderStatus) == 0) {
        TallyVisitor visitor(*this, tally, filesSeen);
        visitor.topLevelFolders = &subfolders;
        TreeWalker lister;
        lister.list(folder.get(), visitor);
    }
    if (progress)
        progress(tally.files);
    if (subfolders.empty())
        return tally;

    std::mutex lock;
    std::int64_t runningTotal = tally.files;
    std::atomic<std::size_t> nextTask{0};
    const FileIdentity root = identityOf(folderStatus);
    const auto work = [&] {
        for (std::size_t task; (task = nextTask.fetch_add(1)) < subfolders.size();) {
            FolderTally part;
            const Descriptor subfolder(openDirectoryAt(folder.get(), subfolders[task].c_str()));
            if (subfolder.get() >= 0)
                part = walkBelow(subfolder.get(), filesSeen, root);
            std::int64_t total;
            {
                const std::lock_guard guard(lock);
                tally.merge(part);
                runningTotal += part.files;
                total = runningTotal;
            }
            if (progress)
                progress(total);
        }
    };
    const std::size_t threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(workers, 1)), subfolders.size());
    if (threads == 1) {
        work();
    } else {
        std::vector<std::jthread> pool;
        pool.reserve(threads);
        for (std::size_t i = 0; i < threads; ++i)
            pool.emplace_back(work);
    }
    return tally;
}

} // namespace brindle
