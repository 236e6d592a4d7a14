#include "BrindleCore/CheckResult.h"

#include <algorithm>

namespace brindle {

CheckResult::CheckResult(Instant checkedAt_, double seconds_, std::vector<FolderTally> folders_,
                         std::optional<DriveState> drive_, TimeMachineFacts timeMachine_,
                         std::optional<bool> iCloudDriveOn_)
    : checkedAt(checkedAt_), seconds(seconds_), folders(std::move(folders_)), drive(std::move(drive_)),
      timeMachine(timeMachine_), iCloudDriveOn(iCloudDriveOn_)
{
}

FolderTally sumOfFolders(const std::vector<FolderTally>& folders)
{
    FolderTally sum("All folders", "");
    for (const FolderTally& folder : folders)
        sum.merge(folder);
    return sum;
}

FolderTally CheckResult::total() const { return sumOfFolders(folders); }

bool CheckResult::backupSetUp() const { return setUpTool().has_value(); }

std::optional<std::string> CheckResult::setUpTool() const
{
    if (const BackupSetup* setup = backupSetups ? BackupSetups::principal(*backupSetups) : nullptr)
        return setup->tool;
    if (timeMachine.isSetUp().value_or(false))
        return "Time Machine";
    return std::nullopt;
}

std::vector<DriveState> CheckResult::drives() const
{
    std::vector<DriveState> all;
    if (drive)
        all.push_back(*drive);
    if (otherDrives)
        all.insert(all.end(), otherDrives->begin(), otherDrives->end());
    return all;
}

std::pair<std::optional<DriveState>, std::optional<std::vector<DriveState>>>
CheckResult::ordered(std::vector<DriveState> drives)
{
    const auto newest = [](const DriveState& state) { return state.lastBackup().value_or(Instant::min()); };
    std::stable_sort(drives.begin(), drives.end(),
                     [&](const DriveState& a, const DriveState& b) { return newest(a) > newest(b); });
    if (drives.empty())
        return {std::nullopt, std::nullopt};
    DriveState first = std::move(drives.front());
    if (drives.size() < 2)
        return {std::move(first), std::nullopt};
    return {std::move(first), std::vector<DriveState>(std::make_move_iterator(drives.begin() + 1),
                                                      std::make_move_iterator(drives.end()))};
}

JsonOut encode(const CheckResult& result)
{
    constexpr DateForm dates = DateForm::iso8601;
    JsonOut json = JsonOut::object();
    json["checkedAt"] = encodeInstant(result.checkedAt, dates);
    json["seconds"] = result.seconds;
    JsonOut folders = JsonOut::array();
    for (const FolderTally& folder : result.folders)
        folders.push_back(encode(folder));
    json["folders"] = std::move(folders);
    if (result.drive)
        json["drive"] = encode(*result.drive, dates);
    if (result.otherDrives) {
        JsonOut others = JsonOut::array();
        for (const DriveState& state : *result.otherDrives)
            others.push_back(encode(state, dates));
        json["otherDrives"] = std::move(others);
    }
    putOptional(json, "unreadable", result.unreadable);
    putOptional(json, "onBackupDisk", result.onBackupDisk);
    json["timeMachine"] = encode(result.timeMachine, dates);
    putOptional(json, "iCloudDriveOn", result.iCloudDriveOn);
    putOptional(json, "cloudClient", result.cloudClient);
    if (result.backupSetups) {
        JsonOut setups = JsonOut::array();
        for (const BackupSetup& setup : *result.backupSetups)
            setups.push_back(encode(setup, dates));
        json["backupSetups"] = std::move(setups);
    }
    putOptional(json, "leftOut", result.leftOut);
    putOptional(json, "leftOutInside", result.leftOutInside);
    putOptional(json, "unreadableJournals", result.unreadableJournals);
    putOptional(json, "failingUploads", result.failingUploads);
    if (result.photoCatalogue)
        json["photoCatalogue"] = encode(*result.photoCatalogue);
    return json;
}

std::optional<CheckResult> decodeCheckResult(const JsonIn& value)
{
    const auto decodeString = [](const JsonIn& item, DateForm) {
        return item.is_string() ? std::optional(item.get<std::string>()) : std::nullopt;
    };
    JsonReader in(value, DateForm::iso8601);
    CheckResult result;
    result.checkedAt = in.instant("checkedAt");
    result.seconds = in.number("seconds");
    result.folders = in.array<FolderTally>("folders", decodeFolderTally);
    result.drive = in.optionalRecord<DriveState>("drive", decodeDriveState);
    result.otherDrives = in.optionalArray<DriveState>("otherDrives", decodeDriveState);
    result.unreadable = in.optionalArray<std::string>("unreadable", decodeString);
    result.onBackupDisk = in.optionalArray<std::string>("onBackupDisk", decodeString);
    result.timeMachine = in.record<TimeMachineFacts>("timeMachine", decodeTimeMachineFacts);
    result.iCloudDriveOn = in.optionalBoolean("iCloudDriveOn");
    result.cloudClient = in.optionalString("cloudClient");
    result.backupSetups = in.optionalArray<BackupSetup>("backupSetups", decodeBackupSetup);
    result.leftOut = in.optionalArray<std::string>("leftOut", decodeString);
    result.leftOutInside = in.optionalArray<std::string>("leftOutInside", decodeString);
    result.unreadableJournals = in.optionalArray<std::string>("unreadableJournals", decodeString);
    result.failingUploads = in.optionalCount("failingUploads");
    result.photoCatalogue = in.optionalRecord<PhotoCatalogue>("photoCatalogue", decodePhotoCatalogue);
    return in.ok() ? std::optional(std::move(result)) : std::nullopt;
}

std::string encodeCheckResultText(const CheckResult& result) { return dumpJson(encode(result)); }

std::optional<CheckResult> decodeCheckResultText(std::string_view text)
{
    const JsonIn parsed = parseJson(text);
    return parsed.is_discarded() ? std::nullopt : decodeCheckResult(parsed);
}

} // namespace brindle
