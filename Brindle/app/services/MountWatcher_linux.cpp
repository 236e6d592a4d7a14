// The mount watcher on Linux: libmount's monitor of /proc/self/mountinfo (the kernel's
// mount table, which signals changes by poll priority events) behind a QSocketNotifier.
#include "Brindle/app/services/MountWatcher.h"

#include "BrindleCore/Drive.h"

#include <QSocketNotifier>

#include <libmount/libmount.h>

#include <map>

namespace brindle {

namespace {

struct MountedVolume {
    QString path;
    std::string source;
    QString uuid;
};

// Mount id → (mount point, source), read from the kernel's table.
std::map<int, std::pair<std::string, std::string>> currentMounts()
{
    std::map<int, std::pair<std::string, std::string>> mounts;
    libmnt_table* table = mnt_new_table();
    if (!table)
        return mounts;
    if (mnt_table_parse_file(table, "/proc/self/mountinfo") == 0) {
        libmnt_iter* iterator = mnt_new_iter(MNT_ITER_FORWARD);
        libmnt_fs* fs = nullptr;
        while (iterator && mnt_table_next_fs(table, iterator, &fs) == 0) {
            const char* target = mnt_fs_get_target(fs);
            const char* source = mnt_fs_get_source(fs);
            mounts[mnt_fs_get_id(fs)] = {target ? target : "", source ? source : ""};
        }
        mnt_free_iter(iterator);
    }
    mnt_unref_table(table);
    return mounts;
}

class LinuxMountWatcher final : public MountWatcher {
public:
    LinuxMountWatcher() = default;
    ~LinuxMountWatcher() override
    {
        delete notifier_;
        if (monitor_)
            mnt_unref_monitor(monitor_);
    }

    void start() override
    {
        if (started_)
            return;
        started_ = true;
        monitor_ = mnt_new_monitor();
        if (monitor_ && mnt_monitor_enable_kernel(monitor_, 1) == 0) {
            const int fd = mnt_monitor_get_fd(monitor_);
            if (fd >= 0) {
                notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read);
                connect(notifier_, &QSocketNotifier::activated, this, &LinuxMountWatcher::tableChanged);
            }
        }
        // Read after the monitor is on, so that no change falls between the two.
        for (const auto& [id, mount] : currentMounts())
            volumes_[id] = volume(mount.first, mount.second);
    }

    QHash<QString, QString> mountMap() const override
    {
        QHash<QString, QString> map;
        for (const auto& [id, volume] : volumes_)
            if (!volume.uuid.isEmpty())
                map.insert(volume.path, volume.uuid);
        return map;
    }

private:
    static MountedVolume volume(const std::string& target, const std::string& source)
    {
        MountedVolume volume{QString::fromStdString(target), source, {}};
        if (source.starts_with("/dev/"))
            if (const auto facts = Drive::facts(target); facts && facts->uuid)
                volume.uuid = QString::fromStdString(*facts->uuid);
        return volume;
    }

    void tableChanged()
    {
        // Empty the monitor's queue so that the descriptor stops being readable.
        const char* file = nullptr;
        int type = 0;
        while (mnt_monitor_next_change(monitor_, &file, &type) == 0) {}
        const auto now = currentMounts();
        std::vector<MountedVolume> gone;
        for (auto it = volumes_.begin(); it != volumes_.end();) {
            const auto still = now.find(it->first);
            if (still == now.end() || still->second.first != it->second.path.toStdString()) {
                gone.push_back(std::move(it->second));
                it = volumes_.erase(it);
            } else {
                ++it;
            }
        }
        std::vector<int> came;
        for (const auto& [id, mount] : now)
            if (!volumes_.contains(id)) {
                volumes_[id] = volume(mount.first, mount.second);
                came.push_back(id);
            }
        for (const MountedVolume& volume : gone)
            emit unmounted(volume.path, volume.uuid);
        for (const int id : came)
            if (const auto it = volumes_.find(id); it != volumes_.end())
                emit mounted(it->second.path, it->second.uuid);
    }

    libmnt_monitor* monitor_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    std::map<int, MountedVolume> volumes_;
    bool started_ = false;
};

} // namespace

std::unique_ptr<MountWatcher> makeMountWatcher() { return std::make_unique<LinuxMountWatcher>(); }

} // namespace brindle
