// RemoteBackupPlace: the words for backups sent over the network, which have no drive to
// choose: the drive screen's card, and the one line the tray panel and the printed letter
// share. Shown only while no drive is in the result; the set-up named is the one the report
// names (RemoteBackups::principal). Pure functions; "now" and the calendar are passed in.
#pragma once

#include "Brindle/app/model/PlaceTexts.h"
#include "BrindleCore/Calendar.h"
#include "BrindleCore/CheckResult.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

// The tool of the set-up that backs up to this computer or a drive (or Time Machine's);
// nullopt when only set-ups that back up over the network are found.
std::optional<std::string> localSetUpTool(const CheckResult& result);

// The backup place of a set-up that backs up over the network: its target as the report names
// it, the tool's record of its last completed backup and the tool, and whose word that is.
struct RemoteCard {
    std::string target;                     // "BorgBase (ssh)"
    std::vector<placeTexts::DriveRow> rows; // "Last backup", "Tool"
    std::string line;
    friend bool operator==(const RemoteCard&, const RemoteCard&) = default;
};
// Nullopt with a drive in the result, or with no set-up that backs up over the network.
std::optional<RemoteCard> remoteCard(const std::optional<CheckResult>& result, Instant now, const Calendar& calendar);

// "Last backup on 7 December at 22:00, to BorgBase (ssh), as Pika Backup recorded.", or
// "BorgBase (ssh): Brindle can’t see backups sent over the network." without a record;
// nullopt where remoteCard is.
std::optional<std::string> remoteBackupLine(const std::optional<CheckResult>& result, Instant now,
                                            const Calendar& calendar);

} // namespace brindle::presentation
