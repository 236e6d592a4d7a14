// DriveWatch: the backup drives between checks. A chosen drive that is mounted or unmounted is
// noted as seen and starts a check; the drive timer reads the drives again, and a newer
// backup than the result knows starts a check, while the same newest backup only renews the
// drives' facts in the kept result. While no drive is chosen, a mounted drive that a backup
// tool writes to is suggested.
//
// Threads: lives on the main thread; every member is called there and every callback runs
// there. The drives are read on a thread of their own (DriveRefresher) and only values come
// back; destroying the watch stops a running reading and keeps nothing of it.
//
// Errors: failed writes of the settings are not reported (the next write tries again).
#pragma once

#include "Brindle/app/model/CheckLoop.h"
#include "Brindle/app/model/DriveRefresher.h"
#include "Brindle/app/model/Grants.h"
#include "Brindle/app/services/MountWatcher.h"
#include "Brindle/app/services/Timers.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

namespace brindle {

// A mounted drive that a backup tool of this computer backs up to, offered while no backup
// drive is chosen: "Use <name>, where <tool> backs up".
struct DriveSuggestion {
    std::string path; // what choosing it grants: the tool's folder on the drive, else its mount point
    std::string name; // the drive's name
    std::string tool; // "Déjà Dup"

    friend bool operator==(const DriveSuggestion&, const DriveSuggestion&) = default;
};

class DriveWatch final : public QObject {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        GrantTokens& tokens;    // also used from the reading's thread
        const Volumes& volumes; // also used from the reading's thread
        MountWatcher& mounts;
        RepeatingTimer& timer;
        std::function<Instant()> clock;
    };

    // Starts watching the mounts and the timer, unless `demo`.
    DriveWatch(Services services, Grants& grants, CheckLoop& checks, bool demo, QObject* parent = nullptr);

    void noteSeen(const std::string& uuid);
    std::optional<Instant> lastSeen(const std::string& uuid) const;

    using Then = std::function<void(std::optional<CheckResult>)>;
    // Reads the drives again off the main thread and calls `then` on the main thread with the
    // result it leaves; during a reading, with what that reading leaves. With nothing to read,
    // `then` is called at once with the result as it is. It is given nothing without a result,
    // and nothing while a
    // check runs or when the reading found a newer backup and started one: what follows from
    // the drives then waits for that check's own result (CheckLoop::kept).
    void refresh(Then then = {});

    // Absent while a drive is chosen, or when no tool's drive is mounted. Follows the result
    // (which carries the tools' settings) and the mounts.
    std::optional<DriveSuggestion> suggestedDrive() const;

private:
    void driveEvent(const QString& uuid);
    void refreshed(const DriveRefresh& refresh);

    Services services_;
    Grants& grants_;
    CheckLoop& checks_;
    bool demo_;
    DriveRefresher refresher_;
    Then then_;
};

} // namespace brindle
