// Mounts the test announces: `mount` and `unmount` update the map and emit at once.
#pragma once

#include "Brindle/app/services/MountWatcher.h"

namespace brindle::test {

class FakeMountWatcher final : public MountWatcher {
    Q_OBJECT
public:
    QHash<QString, QString> volumes;
    bool started = false;

    void start() override { started = true; }
    QHash<QString, QString> mountMap() const override { return volumes; }

    void mount(const QString& path, const QString& uuid)
    {
        if (!uuid.isEmpty())
            volumes.insert(path, uuid);
        emit mounted(path, uuid);
    }
    void unmount(const QString& path) { emit unmounted(path, volumes.take(path)); }
};

} // namespace brindle::test
