// Follows the volumes as they are mounted and unmounted.
//
// `start` records every mounted volume and begins watching; from then on each change of the
// mount table is compared with the one before, and every mount that went is reported with
// `unmounted`, then every mount that came with `mounted`, both carrying the mount point and
// the volume's identity (its UUID, else derived from the mount: Drive::volumeIdentity). The
// identity of an unmounted volume is the one captured while it was mounted, since a volume
// that has gone can no longer be asked. `mountMap` holds mount point → identity of every
// mounted volume.
//
// Lives on the main thread; signals are emitted from its event loop. There is no event
// before an unmount: readers of a drive must not count on one last look at it. Reading a
// new volume's identity reads the device links, never the volume. If the system
// offers no way to watch, `start` still fills `mountMap` and no events follow.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

namespace brindle {

class MountWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual QHash<QString, QString> mountMap() const = 0;

signals:
    void mounted(const QString& path, const QString& uuid);
    void unmounted(const QString& path, const QString& uuid);
};

std::unique_ptr<MountWatcher> makeMountWatcher();

} // namespace brindle
