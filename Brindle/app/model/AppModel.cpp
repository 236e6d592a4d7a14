#include "Brindle/app/model/AppModel.h"

#include "Brindle/app/model/StoredSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/BackupTools.h"
#include "BrindleCore/Demo.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Store.h"

#include <QUrl>

#include <algorithm>
#include <filesystem>

namespace brindle {

namespace {
// A path with its links resolved, for comparing folders; the path as given when it cannot be.
std::string resolvedPath(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    return error ? withoutTrailingSlashes(path) : canonical.string();
}

bool isSameOrInside(const std::string& path, const std::string& folder)
{
    return path == folder || (path.starts_with(folder) && (folder == "/" || path[folder.size()] == '/'));
}

const std::string demoDriveUUID = "DEMO";

// Puts `value` in `field`; whether it was a change, so that signals come only on real ones.
template <typename T> bool replace(T& field, T value)
{
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}
} // namespace

AppModel::AppModel(AppServices services, LaunchArguments arguments, QObject* parent)
    : QObject(parent), services_(std::move(services)), arguments_(std::move(arguments)), guide_(Guide::shared()),
      historyLog_(openHistory(services_.historyPath))
{
    SettingsStore& settings = services_.settings;
    grants_ = Stored::grants(settings);
    undecodableGrants_ = Stored::undecodableGrants(settings);
    drives_ = Stored::drives(settings);
    watch_ = Stored::watch(settings).value_or(WatchSettings{});
    showInMenuBar_ = Stored::flag(settings, settings::menuBar);
    if (demo()) {
        const bool withDrive = arguments_.demo == LaunchArguments::Demo::withDrive;
        load(withDrive ? Demo::withDrive() : Demo::noBackup());
        history_ = Demo::history();
        grants_.clear();
        for (const FolderTally& folder : result_->folders)
            grants_.push_back({folder.name, folder.path, {}});
        drives_.clear();
        if (withDrive)
            drives_.push_back({"Backup", "/Volumes/Backup", {}, demoDriveUUID});
    } else {
        history_ = historyLog_.all();
        if (auto last = Store::loadLast(services_.lastCheckPath))
            load(std::move(*last));
        showWelcome_ = grants_.empty();
    }
    if (arguments_.welcome)
        showWelcome_ = true;
    selection_ = arguments_.selection;
    watchDrives();
    settings.remove(settings::driveCache);
    connect(&services_.driveTimer, &RepeatingTimer::fired, this, [this] { refreshDrives(); });
    services_.driveTimer.start();
    connect(&services_.keepWatch, &RepeatingTimer::fired, this, &AppModel::watchTick);
    connect(&services_.notifier, &Notifier::activated, this, [this] {
        setSelection(Section{Section::Kind::overview});
        emit showMainWindowRequested();
    });
    // Late reports of a check cannot lower the count.
    connect(&worker_, &CheckWorker::progress, this, [this](qint64 files) {
        if (files > progressDone_)
            setProgressDone(files);
    });
    connect(&worker_, &CheckWorker::finished, this, &AppModel::checkDone);
    ready_ = true;
}

AppModel::~AppModel()
{
    worker_.stop();
    refresh_.request_stop();
}

// ---- Plain state.

void AppModel::setSelection(std::optional<Section> selection)
{
    if (replace(selection_, std::move(selection)))
        emit selectionChanged();
}

void AppModel::setShowWelcome(bool show)
{
    if (replace(showWelcome_, show))
        emit showWelcomeChanged(show);
}

void AppModel::setShowPhotos(bool show)
{
    if (replace(showPhotos_, show))
        emit showPhotosChanged(show);
}

void AppModel::setWatch(const WatchSettings& watch)
{
    if (watch == watch_)
        return;
    const bool notifiedBefore = watch_.anyNote();
    watch_ = watch;
    emit watchChanged();
    if (!ready_)
        return;
    saveWatch();
    startWatching();
    if (watch_.anyNote() && !notifiedBefore)
        services_.notifier.askPermission();
}

void AppModel::setShowInMenuBar(bool show)
{
    if (!replace(showInMenuBar_, show))
        return;
    emit showInMenuBarChanged(show);
    if (ready_)
        services_.settings.setValue(settings::menuBar, show);
}

void AppModel::setChecking(bool checking)
{
    if (replace(checking_, checking))
        emit checkingChanged(checking);
}

void AppModel::setProgressDone(qint64 files)
{
    if (replace(progressDone_, files))
        emit progressDoneChanged(files);
}

void AppModel::setGrants(std::vector<Grant> grants)
{
    if (replace(grants_, std::move(grants)))
        emit grantsChanged();
}

void AppModel::setDrives(std::vector<Grant> drives)
{
    if (replace(drives_, std::move(drives)))
        emit drivesChanged();
}

void AppModel::load(CheckResult result)
{
    const std::optional<Instant> waitingSince = Stored::date(services_.settings, settings::waitingSince);
    report_ = Report(result, guide_, waitingSince, services_.calendar());
    result_ = std::move(result);
    emit resultChanged();
}

void AppModel::save()
{
    if (!demo())
        Stored::saveGrants(services_.settings, grants_, drives_);
}

void AppModel::saveWatch() { Stored::saveWatch(services_.settings, watch_); }

void AppModel::open(const std::string& key)
{
    if (key == "chooseDrive") {
        chooseDrive(false);
    } else if (key == "photosGuide") {
        setShowPhotos(true);
    } else if (key == "finder") {
        revealSelected();
    } else if (key == "settings") {
        emit settingsWindowRequested();
    } else if ((key == "timeMachineSettings" || key == "timeMachineHelp") && openBackupTool()) {
        return;
    } else if (const auto entry = guide_.opens.find(key); entry != guide_.opens.end() && entry->second.url) {
        const QUrl url(QString::fromStdString(*entry->second.url), QUrl::StrictMode);
        if (url.isValid())
            services_.desktop.openUrl(url);
    }
}

void AppModel::revealSelected()
{
    if (selection_ && selection_->kind == Section::Kind::folder && !selection_->path.empty())
        services_.desktop.reveal(QString::fromStdString(withHomeExpanded(selection_->path, services_.home)));
    else if (!grants_.empty())
        services_.desktop.reveal(QString::fromStdString(grants_.front().path));
}

void AppModel::reveal(const std::string& path)
{
    if (const auto tally = folder(path))
        services_.desktop.reveal(QString::fromStdString(withHomeExpanded(tally->path, services_.home)));
}

std::optional<FolderTally> AppModel::folder(const std::string& path) const
{
    if (!result_)
        return std::nullopt;
    // A folder may be named "~/…" (by -select=folder=, and in the demonstration's result).
    const std::string wanted = withHomeExpanded(path, services_.home);
    const auto found = std::find_if(result_->folders.begin(), result_->folders.end(), [&](const FolderTally& tally) {
        return withHomeExpanded(tally.path, services_.home) == wanted;
    });
    return found == result_->folders.end() ? std::nullopt : std::optional<FolderTally>(*found);
}

std::optional<Stored::WindowFrame> AppModel::mainWindowFrame(int minimumWidth, int minimumHeight) const
{
    auto frame = Stored::frame(services_.settings, settings::mainWindow);
    if (frame) {
        frame->width = std::max(frame->width, minimumWidth);
        frame->height = std::max(frame->height, minimumHeight);
    }
    return frame;
}

void AppModel::keepMainWindowFrame(const Stored::WindowFrame& frame)
{
    if (Stored::frame(services_.settings, settings::mainWindow) != frame)
        Stored::saveFrame(services_.settings, settings::mainWindow, frame);
}

std::string AppModel::iCloudDrivePath() const { return services_.home + "/Library/Mobile Documents/com~apple~CloudDocs"; }

std::optional<FolderTally> AppModel::iCloudTally() const
{
    if (auto tally = folder(iCloudDrivePath()))
        return tally;
    if (auto tally = folder("~/iCloud Drive"))
        return tally;
    if (!result_)
        return std::nullopt;
    const auto synced = std::find_if(result_->folders.begin(), result_->folders.end(),
                                     [](const FolderTally& tally) { return tally.inICloud; });
    return synced == result_->folders.end() ? std::nullopt : std::optional<FolderTally>(*synced);
}

std::string AppModel::cloudClientName() const
{
    return result_ && result_->cloudClient ? *result_->cloudClient : std::string();
}

bool AppModel::openAtLogin() const { return services_.loginItem.isEnabled(); }

std::optional<QString> AppModel::setOpenAtLogin(bool on) { return services_.loginItem.setEnabled(on); }

void AppModel::openPhotos() { services_.desktop.openPhotos(); }

// ---- Grants.

std::optional<Grant> AppModel::folderHolding(const std::string& path) const
{
    const std::string resolved = resolvedPath(path);
    for (const Grant& grant : grants_)
        if (isSameOrInside(resolved, resolvedPath(grant.path)))
            return grant;
    return std::nullopt;
}

std::optional<std::string> AppModel::addGrant(const std::string& path)
{
    const std::string resolved = resolvedPath(path);
    if (const auto holder = folderHolding(path); holder && resolvedPath(holder->path) != resolved)
        return holder->name;
    auto token = services_.tokens.create(path);
    if (!token)
        return std::nullopt;
    const std::string name = path == iCloudDrivePath() ? "iCloud Drive" : std::string(lastPathComponent(path));
    std::vector<Grant> grants;
    for (const Grant& grant : grants_)
        if (!isSameOrInside(resolvedPath(grant.path), resolved))
            grants.push_back(grant);
    grants.push_back({name, path, std::move(*token)});
    setGrants(std::move(grants));
    return std::nullopt;
}

void AppModel::chooseFolders()
{
    const QStringList chosen = services_.pickers.chooseFolders(QString::fromStdString(services_.home));
    if (chosen.isEmpty())
        return;
    QStringList notes;
    for (const QString& path : chosen)
        if (const auto holder = addGrant(path.toStdString()))
            notes.push_back(QString::fromStdString(std::string(lastPathComponent(path.toStdString())) + " is inside " +
                                                   *holder));
    save();
    start();
    if (!notes.isEmpty())
        services_.pickers.alert(notes.join(QStringLiteral(". ")) + QStringLiteral(", which you’ve already chosen."),
                                QStringLiteral("Its files are counted there, so they aren’t counted twice."));
}

void AppModel::remove(const Grant& grant)
{
    std::vector<Grant> grants = grants_;
    std::erase(grants, grant);
    setGrants(std::move(grants));
    save();
    start();
}

void AppModel::chooseDrive(bool adding)
{
    const auto suggestion = suggestedDrive();
    const auto chosen = services_.pickers.chooseDrive(QString::fromStdString(suggestion ? suggestion->path : services_.drivesFolder));
    if (!chosen)
        return;
    addDrive(chosen->toStdString(), adding);
}

void AppModel::useDrive(const std::string& path) { addDrive(path, false); }

void AppModel::addDrive(const std::string& path, bool adding)
{
    const QString chosen = QString::fromStdString(path);
    // An empty mount point lies on the system disk: it is not the drive the person meant.
    if (Drive::read(path, services_.clock(), services_.calendar()).problem == Drive::Problem::notMounted) {
        services_.pickers.alert(QStringLiteral("No drive is connected at “%1”.").arg(chosen),
                                QStringLiteral("Connect the backup drive, then choose the folder where it appears."));
        return;
    }
    auto token = services_.tokens.create(path);
    if (!token)
        return;
    const auto facts = services_.volumes.facts(path);
    const std::optional<std::string> uuid = facts ? facts->uuid : std::nullopt;
    Grant grant{std::string(lastPathComponent(path)), path, std::move(*token), uuid};
    std::vector<Grant> drives;
    if (adding)
        for (const Grant& drive : drives_)
            if (drive.uuid != uuid && drive.path != path)
                drives.push_back(drive);
    drives.push_back(std::move(grant));
    setDrives(std::move(drives));
    if (uuid)
        noteSeen(*uuid);
    save();
    start();
}

void AppModel::removeDrive(const Grant& drive)
{
    std::vector<Grant> drives = drives_;
    std::erase(drives, drive);
    setDrives(std::move(drives));
    save();
    start();
}

void AppModel::noteSeen(const std::string& uuid)
{
    Stored::Dates seen = Stored::dates(services_.settings, settings::lastSeen);
    seen[uuid] = services_.clock();
    Stored::saveDates(services_.settings, settings::lastSeen, seen);
}

std::optional<Instant> AppModel::lastSeen(const std::string& uuid) const
{
    const Stored::Dates seen = Stored::dates(services_.settings, settings::lastSeen);
    const auto found = seen.find(uuid);
    return found == seen.end() ? std::nullopt : std::optional<Instant>(found->second);
}

std::set<std::string> AppModel::driveUUIDs() const
{
    std::set<std::string> uuids;
    for (const Grant& drive : drives_)
        if (drive.uuid)
            uuids.insert(*drive.uuid);
    return uuids;
}

// ---- Checks.

void AppModel::start()
{
    if (demo())
        return;
    if (checking_) {
        checkAgain_ = true;
        return;
    }
    setChecking(true);
    checkAgain_ = false;
    runCheck();
}

std::optional<DriveSuggestion> AppModel::suggestedDrive() const
{
    if (!drives_.empty() || !result_ || !result_->backupSetups)
        return std::nullopt;
    const std::vector<MountedVolume> mounted = mountedVolumes();
    for (const BackupSetup& setup : *result_->backupSetups) {
        // Longer mount points first: a drive mounted inside another folder's mount is the one meant.
        for (auto it = mounted.rbegin(); it != mounted.rend(); ++it) {
            const MountedVolume& volume = *it;
            // The system's own disk is no backup drive.
            if (volume.path == "/")
                continue;
            const std::string name(lastPathComponent(volume.path));
            if (setup.volumeUuid && *setup.volumeUuid == volume.uuid)
                return DriveSuggestion{volume.path, name, setup.tool};
            if (setup.target && isSameOrInside(*setup.target, volume.path))
                return DriveSuggestion{*setup.target, name, setup.tool};
        }
    }
    return std::nullopt;
}

std::optional<BackupSetup> AppModel::backupTool() const
{
    if (!result_ || !result_->backupSetups || result_->backupSetups->empty())
        return std::nullopt;
    if (result_->drive && !result_->drive->backups.empty()) {
        const auto making = BackupSetups::making(*result_->backupSetups, BackupTools::of(*result_->drive).name);
        if (!making.empty())
            return making.front();
    }
    return *BackupSetups::principal(*result_->backupSetups);
}

bool AppModel::openBackupTool()
{
    const auto setup = backupTool();
    const auto tool = setup ? BackupSetups::tool(setup->tool) : std::nullopt;
    if (!tool)
        return false;
    QStringList ids;
    for (const std::string_view id : tool->desktopIds)
        ids << QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size()));
    if (!services_.desktop.launchApplication(ids))
        services_.desktop.openUrl(QUrl(QString::fromUtf8(tool->helpUrl.data(), static_cast<qsizetype>(tool->helpUrl.size()))));
    return true;
}

std::vector<MountedVolume> AppModel::mountedVolumes() const
{
    std::vector<MountedVolume> mounted;
    const QHash<QString, QString> map = services_.mounts.mountMap();
    for (auto it = map.begin(); it != map.end(); ++it)
        mounted.push_back({it.key().toStdString(), it.value().toStdString()});
    std::sort(mounted.begin(), mounted.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return mounted;
}

void AppModel::runCheck()
{
    setProgressDone(0);
    CheckPlan plan;
    plan.grants = grants_;
    plan.undecodableGrants = undecodableGrants_;
    plan.drives = drives_;
    plan.mounted = mountedVolumes();
    plan.memory = {Stored::driveCaches(services_.settings), Stored::dates(services_.settings, settings::lastSeen)};
    plan.now = services_.clock();
    plan.clock = services_.clock;
    plan.sync = SyncLocations::under(services_.home);
    plan.setups = services_.backupSetups;
    worker_.start([plan = std::move(plan), &tokens = services_.tokens, &volumes = services_.volumes](
                      CheckObserver& observer, std::stop_token stop) {
        return runGrantedCheck(plan, tokens, volumes, observer, std::move(stop));
    });
}

void AppModel::checkDone(const GrantedCheck& check)
{
    if (check.outcome.stopped) {
        setChecking(false);
        return;
    }
    std::vector<Grant> grants = grants_;
    keepGrantedCheck(services_.settings, check, grants, drives_);
    setGrants(std::move(grants));
    const CheckResult& result = check.outcome.result;
    keepWaitingSince(services_.settings, result);
    load(result);
    afterCheck(result);
    emit checkFinished();
    if (checkAgain_) {
        checkAgain_ = false;
        runCheck();
    } else {
        setChecking(false);
    }
}

void AppModel::afterCheck(const CheckResult& result)
{
    const Recorded recorded = recordCheck(result, services_.lastCheckPath, historyLog_, history_, services_.clock());
    if (result.folders.empty())
        return;
    emit historyChanged();
    sendNotes(result, recorded.previous);
}

// ---- Drives.

void AppModel::watchDrives()
{
    if (demo())
        return;
    services_.mounts.start();
    const std::set<std::string> uuids = driveUUIDs();
    for (const QString& uuid : services_.mounts.mountMap())
        if (uuids.contains(uuid.toStdString()))
            noteSeen(uuid.toStdString());
    connect(&services_.mounts, &MountWatcher::mounted, this, [this](const QString&, const QString& uuid) { driveEvent(uuid); });
    connect(&services_.mounts, &MountWatcher::unmounted, this,
            [this](const QString&, const QString& uuid) { driveEvent(uuid); });
}

void AppModel::driveEvent(const QString& uuid)
{
    if (uuid.isEmpty() || !driveUUIDs().contains(uuid.toStdString()))
        return;
    noteSeen(uuid.toStdString());
    start();
}

void AppModel::refreshDrives(std::function<void(std::optional<CheckResult>)> then)
{
    const auto finish = [&](std::optional<CheckResult> result) {
        if (then)
            then(std::move(result));
    };
    if (demo() || drives_.empty() || checking_ || refresh_.joinable())
        return finish(result_);
    if (!result_)
        return finish(std::nullopt);
    DriveMemory memory{Stored::driveCaches(services_.settings), Stored::dates(services_.settings, settings::lastSeen)};
    refresh_ = std::jthread([this, drives = drives_, mounted = mountedVolumes(), memory = std::move(memory),
                             &tokens = services_.tokens, &volumes = services_.volumes, now = services_.clock(),
                             then = std::move(then)](std::stop_token stop) mutable {
        std::vector<DriveState> states = readDrives(drives, mounted, memory, tokens, volumes, now);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, states = std::move(states), memory = std::move(memory), then = std::move(then)]() mutable {
                refresh_.join();
                // A check that began meanwhile reads the drives itself, and later.
                if (checking_) {
                    if (then)
                        then(result_);
                    return;
                }
                Stored::saveDriveCaches(services_.settings, memory.caches);
                Stored::saveDates(services_.settings, settings::lastSeen, memory.lastSeen);
                auto [drive, otherDrives] = CheckResult::ordered(std::move(states));
                const std::optional<Instant> newest = drive ? drive->lastBackup() : std::nullopt;
                if (!result_ || newest != result_->lastBackup()) {
                    start();
                } else {
                    CheckResult patched = *result_;
                    patched.drive = std::move(drive);
                    patched.otherDrives = std::move(otherDrives);
                    load(patched);
                    Store::saveLast(patched, services_.lastCheckPath);
                }
                if (then)
                    then(result_);
            },
            Qt::QueuedConnection);
    });
}

// ---- Keep watch.

void AppModel::startWatching()
{
    if (watch_.anything() && !demo())
        services_.keepWatch.start();
    else
        services_.keepWatch.stop();
}

void AppModel::watchTick()
{
    if (demo())
        return;
    if (watch_.weekly) {
        const std::optional<Instant> lastCheck =
            !history_.empty() ? std::optional(history_.back().at)
                              : (result_ ? std::optional(result_->checkedAt) : std::nullopt);
        if (Watch::checkDue(lastCheck, services_.clock())) {
            start();
            return;
        }
    }
    refreshDrives([this](std::optional<CheckResult> result) {
        if (result)
            sendNotes(*result, std::nullopt);
    });
}

void AppModel::sendNotes(const CheckResult& result, const std::optional<CheckSummary>& previous)
{
    if (!watch_.anyNote() || demo())
        return;
    Stored::Dates sent = Stored::dates(services_.settings, settings::notesSent);
    const Instant now = services_.clock();
    const SentNotes sentNotes(sent.begin(), sent.end());
    const std::vector<WatchNote> notes = Watch::notes(result, previous, watch_, sentNotes, guide_, now, services_.calendar());
    if (notes.empty())
        return;
    for (const WatchNote& note : notes) {
        const std::string identifier(rawValue(note.id));
        services_.notifier.post(QString::fromStdString(identifier), QString::fromStdString(note.title),
                                QString::fromStdString(note.body));
        sent[identifier] = now;
    }
    Stored::saveDates(services_.settings, settings::notesSent, sent);
}

} // namespace brindle
