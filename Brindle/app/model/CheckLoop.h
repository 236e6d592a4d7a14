// CheckLoop: the checks of what was granted, and what they leave: the latest result and its
// report, the history and the progress of a running check.
//
// `start` begins a check at once, or, during one, asks for exactly one more after it: checks
// never overlap. A check runs on a thread of its own (CheckWorker) and receives only values;
// its outcome comes back through the event loop, and only then does state change: the renewed
// grants and the drives' memory are stored, the result is kept and a history line written,
// then `kept` and `checkFinished` are emitted. Destroying the loop stops a running check
// promptly and keeps nothing of it. A demonstration runs no check.
//
// Threads: lives on the main thread; every member is called there and every signal is emitted
// there, change signals only when a value really changed (`resultChanged` on every load).
//
// Errors: a kept result or history that does not decode is absent; a check whose result
// could not be kept leaves the previous result file as it was.
#pragma once

#include "Brindle/app/model/CheckWorker.h"
#include "Brindle/app/model/Grants.h"
#include "Brindle/app/services/MountWatcher.h"
#include "BrindleCore/Guide.h"
#include "BrindleCore/History.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Report.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace brindle {

// The mounted volumes the watcher knows, ordered by mount point.
std::vector<MountedVolume> mountedVolumes(const MountWatcher& mounts);

class CheckLoop final : public QObject {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& settings;
        GrantTokens& tokens;    // also used from the check's thread
        const Volumes& volumes; // also used from the check's thread
        const MountWatcher& mounts;
        std::function<Instant()> clock;
        std::function<Calendar()> calendar;
        // Reads the backup tools' settings; called on the check's thread.
        std::function<std::vector<BackupSetup>()> backupSetups;
        std::string historyPath;   // the history file
        std::string lastCheckPath; // the kept result
        std::string home;          // where the sync clients keep their settings
    };

    // Starts from the kept result and history, or from the demonstration's when `demo` is set.
    CheckLoop(Services services, Grants& grants, const Guide& guide, std::optional<CheckResult> demo = std::nullopt,
              QObject* parent = nullptr);
    ~CheckLoop() override;

    const std::optional<CheckResult>& result() const { return result_; }
    const std::optional<Report>& report() const { return report_; }
    const std::vector<CheckSummary>& history() const { return history_; }
    bool checking() const { return checking_; }
    qint64 progressDone() const { return progressDone_; }
    // The folder of the result at `path`.
    std::optional<FolderTally> folder(const std::string& path) const;
    // `path` with a leading "~/" made the home folder.
    std::string fullPath(const std::string& path) const { return withHomeExpanded(path, services_.home); }

    void start();
    // Shows `result` with its report; keeps nothing.
    void load(CheckResult result);
    // The result with the drives as read again (CheckResult::ordered), shown and kept; no
    // history line.
    void keepDrives(std::optional<DriveState> drive, std::optional<std::vector<DriveState>> otherDrives);

signals:
    void resultChanged();
    void historyChanged();
    void checkingChanged(bool checking);
    void progressDoneChanged(qint64 files);
    // A check with folders was kept; `previous` is the history's newest line before it.
    void kept(const brindle::CheckResult& result, const std::optional<brindle::CheckSummary>& previous);
    // A check ended and what follows it is done (the result kept, the history written).
    void checkFinished();

private:
    void runCheck();
    void checkDone(const GrantedCheck& check);
    void setChecking(bool checking);
    void setProgressDone(qint64 files);

    Services services_;
    Grants& grants_;
    const Guide& guide_;
    bool demo_;
    History historyLog_;
    std::optional<CheckResult> result_;
    std::optional<Report> report_;
    std::vector<CheckSummary> history_;
    bool checking_ = false;
    bool checkAgain_ = false;
    qint64 progressDone_ = 0;
    CheckWorker worker_;
};

} // namespace brindle
