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
    QString uuid;
};

// Mount id → mount, read from the kernel's table.
std::map<int, Drive::Mount> currentMounts()
{
    std::map<int, Drive::Mount> mounts;
    libmnt_table* table = mnt_new_table();
    if (!table)
        return mounts;
    if (mnt_table_parse_file(table, "/proc/self/mountinfo") == 0) {
        libmnt_iter* iterator = mnt_new_iter(MNT_ITER_FORWARD);
        libmnt_fs* fs = nullptr;
        while (iterator && mnt_table_next_fs(table, iterator, &fs) == 0) {
            const auto text = [](const char* value) { return std::string(value ? value : ""); };
            mounts[mnt_fs_get_id(fs)] = {text(mnt_fs_get_target(fs)), text(mnt_fs_get_source(fs)),
                                         text(mnt_fs_get_fstype(fs)), text(mnt_fs_get_root(fs))};
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
            volumes_[id] = volume(mount);
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
    // Its identity comes from the table and the device links: a share whose server is gone
    // is never asked, so the main thread cannot hang on it.
    static MountedVolume volume(const Drive::Mount& mount)
    {
        return {QString::fromStdString(mount.target), QString::fromStdString(Drive::volumeIdentity(mount))};
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
            if (still == now.end() || still->second.target != it->second.path.toStdString()) {
                gone.push_back(std::move(it->second));
                it = volumes_.erase(it);
            } else {
                ++it;
            }
        }
        std::vector<int> came;
        for (const auto& [id, mount] : now)
            if (!volumes_.contains(id)) {
                volumes_[id] = volume(mount);
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
