// AppModel: the application's one controller. It owns everything that outlives a view: the
// granted folders and drives, the latest result and its report, the history, the keep-watch
// switches, the sidebar selection and the flags behind sheets and windows. Views read it and
// call its operations; it decides everything and draws nothing.
//
// Threads: the model lives on the main thread. Every member is called there and every signal
// is emitted there. A check, and the re-reading of drives, run on threads of their own and
// receive only values; their results come back through the event loop, and only then does
// the model's state change. So nothing here waits on a disk, except the person's own
// actions (choosing a folder or a drive examines it once).
//
// Change signals are emitted only when a value really changed. Checks never overlap: a
// request during a check makes exactly one more follow it. Destroying the model stops a
// running check promptly and keeps nothing of it.
//
// Errors: stored values that do not decode leave their field at its initial value; failed
// writes of the settings are not reported (the next write tries again), except that a check
// whose result could not be kept leaves the previous result file as it was.
#pragma once

#include "Brindle/app/model/CheckWorker.h"
#include "Brindle/app/model/DriveReader.h"
#include "Brindle/app/model/Grant.h"
#include "Brindle/app/model/GrantedCheck.h"
#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/app/model/Section.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/Desktop.h"
#include "Brindle/app/services/GrantTokens.h"
#include "Brindle/app/services/LoginItem.h"
#include "Brindle/app/services/MountWatcher.h"
#include "Brindle/app/services/Notifier.h"
#include "Brindle/app/services/Pickers.h"
#include "Brindle/app/services/SettingsStore.h"
#include "Brindle/app/services/Timers.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Report.h"
#include "BrindleCore/Watch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace brindle {

// A mounted drive that a backup tool of this computer backs up to, offered while no backup
// drive is chosen: "Use <name>, where <tool> backs up".
struct DriveSuggestion {
    std::string path; // what choosing it grants: the tool's folder on the drive, else its mount point
    std::string name; // the drive's name
    std::string tool; // "Déjà Dup"

    friend bool operator==(const DriveSuggestion&, const DriveSuggestion&) = default;
};

// What the model works with. Not owned: every service must outlive the model.
struct AppServices {
    SettingsStore& settings;
    GrantTokens& tokens; // also used from the check's thread
    const Volumes& volumes; // also used from the check's thread
    MountWatcher& mounts;
    RepeatingTimer& driveTimer;
    RepeatingTimer& keepWatch;
    Notifier& notifier;
    LoginItem& loginItem;
    Desktop& desktop;
    Pickers& pickers;
    std::function<Instant()> clock = clockNow;
    std::function<Calendar()> calendar = Calendar::current;
    // Reads the backup tools' settings; called on the check's thread.
    std::function<std::vector<BackupSetup>()> backupSetups = brindle::backupSetups;
    std::string historyPath;   // the history file
    std::string lastCheckPath; // the kept result
    std::string home;          // the person's home folder
    std::string drivesFolder;  // where the drive picker starts
};

class AppModel final : public QObject {
    Q_OBJECT
public:
    AppModel(AppServices services, LaunchArguments arguments, QObject* parent = nullptr);
    ~AppModel() override;

    // State.
    const std::vector<Grant>& grants() const { return grants_; }
    const std::vector<Grant>& drives() const { return drives_; }
    const std::optional<CheckResult>& result() const { return result_; }
    const std::optional<Report>& report() const { return report_; }
    bool checking() const { return checking_; }
    qint64 progressDone() const { return progressDone_; }
    const std::optional<Section>& selection() const { return selection_; }
    void setSelection(std::optional<Section> selection);
    bool showWelcome() const { return showWelcome_; }
    void setShowWelcome(bool show);
    bool showPhotos() const { return showPhotos_; }
    void setShowPhotos(bool show);
    const std::vector<CheckSummary>& history() const { return history_; }
    bool demo() const { return arguments_.isDemo(); }
    bool menuBarWindow() const { return arguments_.menuBarWindow; }
    const LaunchArguments& arguments() const { return arguments_; }
    const Guide& guide() const { return guide_; }
    const WatchSettings& watch() const { return watch_; }
    // Stored at once; the schedule starts or stops; turning on the first notifying switch
    // asks for permission to notify.
    void setWatch(const WatchSettings& watch);
    bool showInMenuBar() const { return showInMenuBar_; }
    void setShowInMenuBar(bool show);
    bool ready() const { return ready_; }
    Instant now() const { return services_.clock(); }
    Calendar calendar() const { return services_.calendar(); }
    // The main window's frame as last kept, never smaller than `minimum` (width, height).
    std::optional<Stored::WindowFrame> mainWindowFrame(int minimumWidth, int minimumHeight) const;
    void keepMainWindowFrame(const Stored::WindowFrame& frame);
    // Whether closing the last window quits: nothing is watched and the tray item is hidden.
    bool quitsWithLastWindow() const { return !watch_.anything() && !showInMenuBar_; }

    // The check loop: starts a check, or asks for one more after the running one.
    void start();
    void load(CheckResult result);
    void save();
    void saveWatch();
    // Carries out a finding's button.
    void open(const std::string& key);
    void revealSelected();
    // Shows a folder of the result in the file manager.
    void reveal(const std::string& path);
    std::optional<FolderTally> folder(const std::string& path) const;
    // The cloud folder's tally: iCloud Drive's, else that of the first folder a sync client
    // keeps in step.
    std::optional<FolderTally> iCloudTally() const;
    // The sync client the current result names ("Nextcloud"); empty when it names none.
    std::string cloudClientName() const;
    bool openAtLogin() const;
    // Absent on success, else the message to show.
    std::optional<QString> setOpenAtLogin(bool on);
    void openPhotos();

    // Grants.
    void chooseFolders();
    // Grants the folder; the name of the granted folder that already holds it, if any.
    std::optional<std::string> addGrant(const std::string& path);
    std::optional<Grant> folderHolding(const std::string& path) const;
    void remove(const Grant& grant);
    // The picker starts at the suggested drive when there is one.
    void chooseDrive(bool adding);
    // Chooses the drive at `path` as the only backup drive, as the picker would.
    void useDrive(const std::string& path);
    // Absent while a drive is chosen, or when no tool's drive is mounted. Follows `result`
    // (which carries the tools' settings) and the mounts.
    std::optional<DriveSuggestion> suggestedDrive() const;
    // The backup tool to open for the person: the one making the newest backup, else the one
    // that backed up last; absent when no tool's settings were found.
    std::optional<BackupSetup> backupTool() const;
    void removeDrive(const Grant& drive);
    void noteSeen(const std::string& uuid);
    std::optional<Instant> lastSeen(const std::string& uuid) const;
    std::set<std::string> driveUUIDs() const;

    // Drives and keep watch. `refreshDrives` re-reads the drives off the main thread and
    // calls `then` on the main thread with the result it leaves (absent without one).
    void refreshDrives(std::function<void(std::optional<CheckResult>)> then = {});
    void startWatching();
    void watchTick();
    void sendNotes(const CheckResult& result, const std::optional<CheckSummary>& previous);

    // The iCloud Drive folder below the person's home folder.
    std::string iCloudDrivePath() const;

signals:
    void grantsChanged();
    void drivesChanged();
    void resultChanged();
    void checkingChanged(bool checking);
    void progressDoneChanged(qint64 files);
    void selectionChanged();
    void showWelcomeChanged(bool show);
    void showPhotosChanged(bool show);
    void historyChanged();
    void watchChanged();
    void showInMenuBarChanged(bool show);
    // Requests for the windows.
    void showMainWindowRequested();
    void settingsWindowRequested();
    // A check ended and what follows it is done (the result kept, the history written).
    void checkFinished();

private:
    void runCheck();
    void checkDone(const GrantedCheck& check);
    void afterCheck(const CheckResult& result);
    void setChecking(bool checking);
    void setProgressDone(qint64 files);
    void watchDrives();
    void driveEvent(const QString& uuid);
    void setGrants(std::vector<Grant> grants);
    void setDrives(std::vector<Grant> drives);
    std::vector<MountedVolume> mountedVolumes() const;
    void addDrive(const std::string& path, bool adding);
    bool openBackupTool();

    AppServices services_;
    LaunchArguments arguments_;
    const Guide& guide_;
    History historyLog_;

    std::vector<Grant> grants_;
    std::vector<std::string> undecodableGrants_; // as first read; named by every check
    std::vector<Grant> drives_;
    std::optional<CheckResult> result_;
    std::optional<Report> report_;
    bool checking_ = false;
    bool checkAgain_ = false;
    qint64 progressDone_ = 0;
    std::optional<Section> selection_;
    bool showWelcome_ = false;
    bool showPhotos_ = false;
    std::vector<CheckSummary> history_;
    WatchSettings watch_;
    bool showInMenuBar_ = false;
    bool ready_ = false;

    CheckWorker worker_;
    std::jthread refresh_;
};

} // namespace brindle
