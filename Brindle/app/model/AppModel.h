// AppModel: the application's one owner. It holds the parts that outlive a view and wires
// them together; views connect to the part they show and call its operations:
// - ViewState: the sidebar selection, the sheets, the tray switch, the window's frame;
// - Grants: the granted folders and drives, and choosing them;
// - CheckLoop: the checks, the latest result and its report, the history, the progress;
// - DriveWatch: the drives coming and going and read again between checks;
// - KeepWatch: the keep-watch switches, the weekly check and the notes;
// - Actions: what is asked of the desktop.
// A change the person makes to the grants starts a check; a kept check is handed to keep
// watch for its notes; a clicked note shows the overview in the main window.
//
// Threads: the model and its parts live on the main thread. Every member is called there and
// every signal is emitted there. A check, and the re-reading of drives, run on threads of
// their own and receive only values; their results come back through the event loop. So
// nothing here waits on a disk, except the person's own actions (choosing a folder or a
// drive examines it once). Destroying the model stops a running check promptly and keeps
// nothing of it.
//
// Errors: stored values that do not decode leave their field at its initial value; failed
// writes of the settings are not reported (the next write tries again), except that a check
// whose result could not be kept leaves the previous result file as it was.
#pragma once

#include "Brindle/app/model/Actions.h"
#include "Brindle/app/model/CheckLoop.h"
#include "Brindle/app/model/DriveWatch.h"
#include "Brindle/app/model/Grants.h"
#include "Brindle/app/model/KeepWatch.h"
#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/app/model/ViewState.h"
#include "Brindle/app/services/ComputerName.h"
#include "Brindle/app/services/Desktop.h"
#include "Brindle/app/services/LoginItem.h"
#include "Brindle/app/services/Notifier.h"
#include "Brindle/app/services/Pickers.h"
#include "Brindle/app/services/Timers.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/Guide.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

// What the model works with. Not owned: every service must outlive the model.
struct AppServices {
    SettingsStore& settings;
    GrantTokens& tokens;    // also used from the check's thread
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
    // The name the printed letter is signed with.
    std::function<std::string()> computerName = [] { return ComputerName::read(); };
    std::string historyPath;   // the history file
    std::string lastCheckPath; // the kept result
    std::string home;          // the person's home folder
    std::string drivesFolder;  // where the drive picker starts
};

class AppModel final : public QObject {
    Q_OBJECT
public:
    AppModel(AppServices services, LaunchArguments arguments, QObject* parent = nullptr);

    ViewState& view() { return view_; }
    const ViewState& view() const { return view_; }
    Grants& grants() { return grants_; }
    const Grants& grants() const { return grants_; }
    CheckLoop& checks() { return checks_; }
    const CheckLoop& checks() const { return checks_; }
    DriveWatch& driveWatch() { return driveWatch_; }
    KeepWatch& keepWatch() { return keepWatch_; }
    const KeepWatch& keepWatch() const { return keepWatch_; }
    Actions& actions() { return actions_; }

    bool demo() const { return arguments_.isDemo(); }
    const LaunchArguments& arguments() const { return arguments_; }
    const Guide& guide() const { return guide_; }
    Instant now() const { return services_.clock(); }
    Calendar calendar() const { return services_.calendar(); }
    std::string computerName() const { return services_.computerName(); }
    // Whether closing the last window quits: nothing is watched and the tray item is hidden.
    bool quitsWithLastWindow() const;
    // The cloud folder's tally: iCloud Drive's, else that of the first folder a sync client
    // keeps in step.
    std::optional<FolderTally> iCloudTally() const;

private:
    AppServices services_;
    LaunchArguments arguments_;
    const Guide& guide_;
    ViewState view_;
    Grants grants_;
    CheckLoop checks_;
    DriveWatch driveWatch_;
    KeepWatch keepWatch_;
    Actions actions_;
};

} // namespace brindle
