// PlaceTexts: the words of the screens for the places in the sidebar (the folder list, one
// folder, the cloud drive, the backup drive), worked out from the check result so that the
// screens only draw them. Pure functions; "now" and the calendar are passed in.
#pragma once

#include "Brindle/app/model/CloudClient.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::placeTexts {

enum class Filter { all, noSecondCopy, changedThisWeek };

// The folders the list shows under `filter`.
std::vector<FolderTally> foldersShown(const std::optional<CheckResult>& result, Filter filter);
// Why the list shows no folder under `filter`; empty when it shows some.
std::string emptyListLine(const std::optional<CheckResult>& result, Filter filter);
// The list's heading; empty without a result.
std::string listHeading(const std::optional<CheckResult>& result, Filter filter);
// The line under it, naming the result's sync client; empty without a result.
std::string listLine(const std::optional<CheckResult>& result);
// The selected folder's line under the table.
std::string stripLine(const FolderTally& tally);

// "12 pictures, 3 documents. 2 changed in the last 7 days."
std::string kindLine(const FolderTally& tally);

// One folder's headline, and the changed line (empty without a backup date).
std::string folderHeadline(const FolderTally& tally);
std::string folderChangedLine(const FolderTally& tally);
// Whether a folder's screens offer the backup tool's settings: when files changed since the
// backup, which needs a backup date.
bool offersBackupSettings(const FolderTally& tally);

// The cloud folder's title.
std::string cloudTitle(const FolderTally& tally, const presentation::CloudClient& client);

// The backup tool a drive's backups name, else "your backup tool"; and the tool of the
// result's newest backups, the same way.
std::string backupTool(const DriveState& drive);
std::string backupTool(const std::optional<CheckResult>& result);
bool backupSetUp(const std::optional<CheckResult>& result);
// Without a drive chosen: what is set up, and how choosing works. A set-up that backs up over
// the network has no drive to choose: where it is the only one, the title never asks for a
// drive, and drivesAdvised is false (the screen leads with the tool's settings and leaves
// out noDriveText).
std::string noDriveTitle(const std::optional<CheckResult>& result);
bool drivesAdvised(const std::optional<CheckResult>& result);
std::string noDriveText();

struct DriveRow {
    std::string label;
    std::string value;
    bool warning = false; // drawn in the accent colour
    friend bool operator==(const DriveRow&, const DriveRow&) = default;
};
// A drive card's rows: last backup, last connected, space, and the not-encrypted warning.
std::vector<DriveRow> driveRows(const DriveState& drive, Instant now, const Calendar& calendar);
// "3 backups on this drive, the first on 2 March. Read from the drive itself."
std::string backupsLine(const DriveState& drive, Instant now, const Calendar& calendar);
// The button that chooses the drive a backup tool writes to: "Use Backup, where Déjà Dup backs up".
std::string useDriveTitle(const std::string& drive, const std::string& tool);

// A box of the drive screen's side panel.
struct SideBox {
    bool accent = false;
    std::string title;
    std::string figure;
    std::string line;
    friend bool operator==(const SideBox&, const SideBox&) = default;
};
std::vector<SideBox> sideBoxes(const FolderTally& total, const std::string& tool,
                               const presentation::CloudClient& client);

} // namespace brindle::placeTexts
