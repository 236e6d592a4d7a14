#include "Brindle/app/model/GrantedCheck.h"

#include "Brindle/app/services/DejaDupSettings.h"
#include "Brindle/app/services/SettingsKeys.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/sync/SyncFacts.h"

#include <algorithm>
#include <cerrno>

namespace brindle {

CheckPlan planFromSettings(SettingsStore& store, std::vector<MountedVolume> mounted, Instant now)
{
    CheckPlan plan;
    plan.grants = Stored::grants(store);
    plan.undecodableGrants = Stored::undecodableGrants(store);
    plan.drives = Stored::drives(store);
    plan.mounted = std::move(mounted);
    plan.memory = {Stored::driveCaches(store), Stored::dates(store, settingKeys::lastSeen)};
    plan.now = now;
    plan.sync = SyncLocations::system();
    plan.photos = SetupPlaces::current();
    return plan;
}

GrantedCheck runGrantedCheck(const CheckPlan& plan, GrantTokens& tokens, const Volumes& volumes,
                             CheckObserver& observer, std::stop_token stop)
{
    GrantedCheck check;
    check.memory = plan.memory;
    CheckRequest request;
    request.drives = readDrives(plan.drives, plan.mounted, check.memory, tokens, volumes, plan.now);
    request.drives.insert(request.drives.end(), plan.extraDrives.begin(), plan.extraDrives.end());
    std::vector<FolderProblem> lost;
    request.unreadable = plan.undecodableGrants;
    for (const Grant& grant : plan.grants) {
        const auto found = tokens.resolve(grant.bookmark);
        if (!found || !found->granted) {
            request.unreadable.push_back(grant.name);
            lost.push_back({grant.name, grant.path, found ? EACCES : ENOENT, 0});
            continue;
        }
        std::string name = grant.name;
        if (found->stale) {
            if (auto token = tokens.create(found->path)) {
                name = std::string(lastPathComponent(found->path));
                check.renewed.emplace_back(grant, Grant{name, found->path, std::move(*token), grant.uuid});
            }
        }
        request.folders.push_back({std::move(name), found->path});
    }
    request.folders.insert(request.folders.end(), plan.folders.begin(), plan.folders.end());
    request.now = plan.now;
    request.clock = plan.clock;
    request.workers = plan.workers;
    request.timeMachine = TimeMachine::facts(TimeMachine::settingsPath);
    const SyncSetup sync = SyncClients::forCheck(request, plan.sync);
    if (plan.photos)
        request.photoCatalogue = PhotoCatalogues::find(*plan.photos);
    if (plan.setups)
        request.setups = plan.setups();
    check.outcome = Check::run(request, observer, std::move(stop));
    check.outcome.problems.insert(check.outcome.problems.begin(), lost.begin(), lost.end());
    return check;
}

std::vector<BackupSetup> backupSetups()
{
    return SetupRead::all(SetupPlaces::current(), readDejaDupSettings(), Calendar::current());
}

bool keepWaitingSince(SettingsStore& store, const CheckResult& result)
{
    if (result.total().count(Place::waiting) == 0)
        return Stored::setDate(store, settingKeys::waitingSince, std::nullopt);
    if (Stored::date(store, settingKeys::waitingSince))
        return true;
    return Stored::setDate(store, settingKeys::waitingSince, result.checkedAt);
}

bool keepGrantedCheck(SettingsStore& store, const GrantedCheck& check, std::vector<Grant>& grants,
                      const std::vector<Grant>& drives)
{
    bool ok = true;
    if (!check.renewed.empty()) {
        for (const auto& [old, renewed] : check.renewed)
            std::replace(grants.begin(), grants.end(), old, renewed);
        ok = Stored::saveGrants(store, grants, drives);
    }
    ok = Stored::saveDriveCaches(store, check.memory.caches) && ok;
    return Stored::saveDates(store, settingKeys::lastSeen, check.memory.lastSeen) && ok;
}

KeptCheck keepCheck(SettingsStore* store, const GrantedCheck& check, std::vector<Grant>& grants,
                    const std::vector<Grant>& drives, const std::string& lastCheckPath, History& history,
                    std::vector<CheckSummary>& inMemory, Instant now, EmptyCheck empty)
{
    KeptCheck kept;
    const CheckResult& result = check.outcome.result;
    if (result.folders.empty() && empty == EmptyCheck::refuse)
        return kept;
    kept.kept = true;
    if (store) {
        kept.settingsWritten = keepGrantedCheck(*store, check, grants, drives);
        kept.settingsWritten = keepWaitingSince(*store, result) && kept.settingsWritten;
    }
    kept.recorded = recordCheck(result, lastCheckPath, history, inMemory, now);
    return kept;
}

} // namespace brindle
