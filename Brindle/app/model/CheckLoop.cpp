#include "Brindle/app/model/CheckLoop.h"

#include "Brindle/app/model/Replace.h"
#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/Store.h"

#include <algorithm>

namespace brindle {

std::vector<MountedVolume> mountedVolumes(const MountWatcher& mounts)
{
    std::vector<MountedVolume> mounted;
    const QHash<QString, QString> map = mounts.mountMap();
    for (auto it = map.begin(); it != map.end(); ++it)
        mounted.push_back({it.key().toStdString(), it.value().toStdString()});
    std::sort(mounted.begin(), mounted.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return mounted;
}

CheckLoop::CheckLoop(Services services, Grants& grants, const Guide& guide, std::optional<CheckResult> demo,
                     QObject* parent)
    : QObject(parent), services_(std::move(services)), grants_(grants), guide_(guide), demo_(demo.has_value()),
      historyLog_(openHistory(services_.historyPath))
{
    if (demo) {
        load(std::move(*demo));
        history_ = Demo::history();
    } else {
        history_ = historyLog_.all();
        if (auto last = Store::loadLast(services_.lastCheckPath))
            load(std::move(*last));
    }
    // Late reports of a check cannot lower the count.
    connect(&worker_, &CheckWorker::progress, this, [this](qint64 files) {
        if (files > progressDone_)
            setProgressDone(files);
    });
    connect(&worker_, &CheckWorker::finished, this, &CheckLoop::checkDone);
}

CheckLoop::~CheckLoop() { worker_.stop(); }

std::optional<FolderTally> CheckLoop::folder(const std::string& path) const
{
    if (!result_)
        return std::nullopt;
    // A folder may be named "~/…" (by -select=folder=, and in the demonstration's result).
    const std::string wanted = fullPath(path);
    const auto found = std::find_if(result_->folders.begin(), result_->folders.end(),
                                    [&](const FolderTally& tally) { return fullPath(tally.path) == wanted; });
    return found == result_->folders.end() ? std::nullopt : std::optional<FolderTally>(*found);
}

void CheckLoop::setChecking(bool checking)
{
    if (replace(checking_, checking))
        emit checkingChanged(checking);
}

void CheckLoop::setProgressDone(qint64 files)
{
    if (replace(progressDone_, files))
        emit progressDoneChanged(files);
}

void CheckLoop::load(CheckResult result)
{
    const std::optional<Instant> waitingSince = Stored::date(services_.settings, settingKeys::waitingSince);
    report_ = Report(result, guide_, waitingSince, services_.calendar());
    result_ = std::move(result);
    emit resultChanged();
}

void CheckLoop::keepDrives(std::optional<DriveState> drive, std::optional<std::vector<DriveState>> otherDrives)
{
    if (!result_)
        return;
    CheckResult patched = *result_;
    patched.drive = std::move(drive);
    patched.otherDrives = std::move(otherDrives);
    load(patched);
    Store::saveLast(patched, services_.lastCheckPath);
}

void CheckLoop::start()
{
    if (demo_)
        return;
    if (checking_) {
        checkAgain_ = true;
        return;
    }
    setChecking(true);
    checkAgain_ = false;
    runCheck();
}

void CheckLoop::runCheck()
{
    setProgressDone(0);
    CheckPlan plan;
    plan.grants = grants_.folders();
    plan.undecodableGrants = grants_.undecodable();
    plan.drives = grants_.drives();
    plan.mounted = mountedVolumes(services_.mounts);
    plan.memory = {Stored::driveCaches(services_.settings), Stored::dates(services_.settings, settingKeys::lastSeen)};
    plan.now = services_.clock();
    plan.clock = services_.clock;
    plan.sync = SyncLocations::under(services_.home);
    SetupPlaces photos;
    photos.home = services_.home;
    photos.configHome = services_.home + "/.config";
    photos.dataHome = services_.home + "/.local/share";
    plan.photos = std::move(photos);
    plan.setups = services_.backupSetups;
    worker_.start([plan = std::move(plan), &tokens = services_.tokens,
                   &volumes = services_.volumes](CheckObserver& observer, std::stop_token stop) {
        return runGrantedCheck(plan, tokens, volumes, observer, std::move(stop));
    });
}

void CheckLoop::checkDone(const GrantedCheck& check)
{
    if (check.outcome.stopped) {
        setChecking(false);
        return;
    }
    std::vector<Grant> folders = grants_.folders();
    const KeptCheck keptCheck =
        keepCheck(&services_.settings, check, folders, grants_.drives(), services_.lastCheckPath, historyLog_, history_,
                  services_.clock(), EmptyCheck::keep);
    grants_.setFolders(std::move(folders));
    const CheckResult& result = check.outcome.result;
    load(result);
    if (!result.folders.empty()) {
        emit historyChanged();
        emit kept(result, keptCheck.recorded.previous);
    }
    emit checkFinished();
    if (checkAgain_) {
        checkAgain_ = false;
        runCheck();
    } else {
        setChecking(false);
    }
}

} // namespace brindle
