#include "Brindle/app/model/RemoteBackupPlace.h"

#include "BrindleCore/RemoteBackups.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

namespace brindle::presentation {

namespace {
const BackupSetup* shownRemote(const std::optional<CheckResult>& result)
{
    if (!result || result->drive || !result->backupSetups)
        return nullptr;
    return RemoteBackups::principal(*result->backupSetups, result->checkedAt);
}

std::string targetOf(const BackupSetup& setup)
{
    return Words::shownName(setup.target ? RemoteBackups::targetName(*setup.target) : setup.tool);
}

// The moment of the record that counts, as the report says it; nullopt without one.
std::optional<std::string> recorded(const CheckResult& result, const BackupSetup& setup, Instant now,
                                    const Calendar& calendar)
{
    if (!RemoteBackups::cutOff(setup, result.checkedAt))
        return std::nullopt;
    return Words::moment(*setup.lastBackup, now, calendar);
}
} // namespace

std::optional<std::string> localSetUpTool(const CheckResult& result)
{
    if (result.backupSetups) {
        const std::vector<BackupSetup> local = RemoteBackups::onThisComputer(*result.backupSetups);
        if (const BackupSetup* setup = BackupSetups::principal(local))
            return setup->tool;
    }
    if (result.timeMachine.isSetUp().value_or(false))
        return "Time Machine";
    return std::nullopt;
}

std::optional<RemoteCard> remoteCard(const std::optional<CheckResult>& result, Instant now, const Calendar& calendar)
{
    const BackupSetup* remote = shownRemote(result);
    if (!remote)
        return std::nullopt;
    const auto when = recorded(*result, *remote, now, calendar);
    return RemoteCard{targetOf(*remote),
                      {{translated("drive screen: row", "Last backup"),
                        when ? *when : translated("drive screen: the last backup's date", "Not seen")},
                       {translated("drive screen: row", "Tool"), remote->tool}},
                      when ? fill(translated("drive screen: remote backups",
                                             "As {tool} recorded it. Brindle can’t read that backup itself."),
                                  {{"tool", remote->tool}})
                           : translated("drive screen: remote backups",
                                        "Brindle can’t see backups sent over the "
                                        "network, so it can’t tell which files they hold.")};
}

std::optional<std::string> remoteBackupLine(const std::optional<CheckResult>& result, Instant now,
                                            const Calendar& calendar)
{
    const BackupSetup* remote = shownRemote(result);
    if (!remote)
        return std::nullopt;
    const std::string target = targetOf(*remote);
    if (const auto when = recorded(*result, *remote, now, calendar))
        // TRANSLATORS: {when} is the last backup's date, {target} where it went ("BorgBase (ssh)"), {tool} the backup
        // tool.
        return fill(translated("backup line", "Last backup {when}, to {target}, as {tool} recorded."),
                    {{"when", *when}, {"target", target}, {"tool", remote->tool}});
    return fill(translated("backup line", "{target}: Brindle can’t see backups sent over the network."),
                {{"target", target}});
}

} // namespace brindle::presentation
