// Actions: what the window asks of the desktop: a finding's button, showing a folder in the
// file manager, opening the photo manager or the backup tool, and opening at login.
//
// Nothing here keeps state of its own: each action reads the parts it is given and asks the
// desktop services. A key the guide does not know, or an address that does not parse, opens
// nothing.
//
// Threads: main thread only.
#pragma once

#include "Brindle/app/model/CheckLoop.h"
#include "Brindle/app/model/DriveWatch.h"
#include "Brindle/app/model/Grants.h"
#include "Brindle/app/model/ViewState.h"
#include "Brindle/app/services/Desktop.h"
#include "Brindle/app/services/LoginItem.h"
#include "BrindleCore/Guide.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

class Actions final {
public:
    struct Parts {
        ViewState& view;
        Grants& grants;
        const CheckLoop& checks;
        const DriveWatch& drives;
    };

    Actions(Desktop& desktop, LoginItem& loginItem, const Guide& guide, Parts parts);

    // Carries out a finding's button (OpenKeys.h). The cloud's settings and help are those of
    // the result's sync client; only the demonstration's iCloud takes them from the guide.
    void open(std::string_view key);
    // Whether the cloud's settings button can open something: the sync client is installed.
    bool canOpenCloudSettings() const;
    // The folder selected in the sidebar, else the first granted folder.
    void revealSelected();
    // Shows a folder of the result in the file manager.
    void reveal(const std::string& path);
    // The photo manager whose catalogue the check found, else the Pictures folder.
    void openPhotos();
    // The picker starts at the suggested drive when there is one.
    void chooseDrive(bool adding);

    bool openAtLogin() const;
    // Absent on success, else the message to show.
    std::optional<QString> setOpenAtLogin(bool on);

    // The backup tool to open for the person: the one making the newest backup, else the one
    // that backed up last; absent when no tool's settings were found.
    std::optional<BackupSetup> backupTool() const;

private:
    bool openBackupTool();
    // False when the guide's entry is to be opened instead.
    bool openCloudClient(bool settings);

    Desktop& desktop_;
    LoginItem& loginItem_;
    const Guide& guide_;
    Parts parts_;
};

} // namespace brindle
