// Grants: the folders and backup drives the person chose, and the choosing of them.
//
// A folder is granted once, wherever it is reached from: a folder inside a granted one is
// refused (its holder is named), and a granted folder inside a newly granted one gives way to
// it. Choosing a drive that is not connected (an empty mount point on the system disk) is
// refused with an alert. Each change the person makes is stored at once, then `chosen` is
// emitted so that a check can follow; a demonstration's grants are never stored.
//
// Threads: lives on the main thread; every member is called there and every signal is emitted
// there, change signals only when a value really changed. Choosing examines the chosen folder
// or drive once, on the main thread.
//
// Errors: a stored list that does not decode reads as empty; failed writes of the settings are
// not reported (the next write tries again).
#pragma once

#include "Brindle/app/model/DriveReader.h"
#include "Brindle/app/model/Grant.h"
#include "Brindle/app/services/GrantTokens.h"
#include "Brindle/app/services/Pickers.h"
#include "Brindle/app/services/SettingsStore.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"

#include <QObject>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace brindle {

class Grants final : public QObject {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        GrantTokens& tokens;
        const Volumes& volumes;
        Pickers& pickers;
        std::function<Instant()> clock;
        std::function<Calendar()> calendar;
        std::string home;         // the person's home folder, where the folder picker starts
        std::string drivesFolder; // where the drive picker starts when nothing is suggested
    };

    // Starts with the grants as stored.
    Grants(Services services, bool demo, QObject* parent = nullptr);

    const std::vector<Grant>& folders() const { return folders_; }
    const std::vector<Grant>& drives() const { return drives_; }
    // The stored folders that did not decode, as first read: every check names them.
    const std::vector<std::string>& undecodable() const { return undecodable_; }
    // Replaces the folders without storing them (a check stores what it renewed).
    void setFolders(std::vector<Grant> folders);
    // The demonstration's folders, and its drive when `withDrive`.
    void showDemo(const CheckResult& result, bool withDrive);

    void chooseFolders();
    // Grants the folder; the name of the granted folder that already holds it, if any.
    std::optional<std::string> addGrant(const std::string& path);
    std::optional<Grant> folderHolding(const std::string& path) const;
    void remove(const Grant& grant);
    // The picker starts at `startIn`, else at the drives' folder. Unless `adding`, the chosen
    // drive becomes the only one.
    void chooseDrive(bool adding, const std::string& startIn = {});
    // Chooses the drive at `path` as the only backup drive, as the picker would.
    void useDrive(const std::string& path) { addDrive(path, false); }
    void removeDrive(const Grant& drive);
    std::set<std::string> driveUUIDs() const;
    void save();

    // The iCloud Drive folder below the person's home folder.
    std::string iCloudDrivePath() const;

signals:
    void foldersChanged();
    void drivesChanged();
    // A chosen drive's volume, just seen; emitted before `chosen`.
    void driveSeen(const std::string& uuid);
    // The person changed what is granted, and it is stored.
    void chosen();

private:
    void setDrives(std::vector<Grant> drives);
    void addDrive(const std::string& path, bool adding);

    Services services_;
    bool demo_;
    std::vector<Grant> folders_;
    std::vector<std::string> undecodable_;
    std::vector<Grant> drives_;
};

} // namespace brindle
