// Every service the model needs, faked, with a fixed clock and the UTC calendar; the model's
// files go to `dataFolder`. For tests and renderings of the window.
#pragma once

#include "Brindle/app/model/AppModel.h"
#include "tests/support/fakes/FakeDesktop.h"
#include "tests/support/fakes/FakeGrantTokens.h"
#include "tests/support/fakes/FakeMountWatcher.h"
#include "tests/support/fakes/FakeNotifier.h"
#include "tests/support/fakes/FakeSettingsStore.h"
#include "tests/support/fakes/FakeTimer.h"
#include "tests/support/fakes/FakeVolumes.h"

#include <chrono>

namespace brindle::test {

struct FakeServices {
    FakeSettingsStore settings;
    FakeGrantTokens tokens;
    FakeVolumes volumes;
    FakeMountWatcher mounts;
    FakeTimer driveTimer;
    FakeTimer keepWatch;
    FakeNotifier notifier;
    FakeLoginItem login;
    FakeDesktop desktop;
    FakePickers pickers;
    Instant now{std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + std::chrono::hours{12}};
    std::vector<BackupSetup> setups; // what the backup tools' settings say

    AppServices services(const std::string& dataFolder, const std::string& home)
    {
        return {.settings = settings,
                .tokens = tokens,
                .volumes = volumes,
                .mounts = mounts,
                .driveTimer = driveTimer,
                .keepWatch = keepWatch,
                .notifier = notifier,
                .loginItem = login,
                .desktop = desktop,
                .pickers = pickers,
                .clock = [this] { return now; },
                .calendar = [] { return Calendar::utc(); },
                .backupSetups = [this] { return setups; },
                .historyPath = dataFolder + "/history.jsonl",
                .lastCheckPath = dataFolder + "/last-check.json",
                .home = home,
                .drivesFolder = dataFolder};
    }
};

} // namespace brindle::test
