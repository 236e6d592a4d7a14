#include "Brindle/app/model/AppModel.h"

#include "BrindleCore/Demo.h"

#include <algorithm>

namespace brindle {

AppModel::AppModel(AppServices services, LaunchArguments arguments, QObject* parent)
    : QObject(parent), services_(std::move(services)), arguments_(std::move(arguments)), guide_(Guide::shared()),
      view_(services_.settings, arguments_.selection),
      grants_({services_.settings, services_.tokens, services_.volumes, services_.pickers, services_.clock,
               services_.calendar, services_.home, services_.drivesFolder},
              demo()),
      checks_({services_.settings, services_.tokens, services_.volumes, services_.mounts, services_.clock,
               services_.calendar, services_.backupSetups, services_.historyPath, services_.lastCheckPath,
               services_.home},
              grants_, guide_, Demo::result(arguments_.demo)),
      driveWatch_({services_.settings, services_.tokens, services_.volumes, services_.mounts, services_.driveTimer,
                   services_.clock},
                  grants_, checks_, demo()),
      keepWatch_({services_.settings, services_.keepWatch, services_.notifier, services_.clock, services_.calendar,
                  [this]() -> std::optional<Instant> {
                      if (!checks_.history().empty())
                          return checks_.history().back().at;
                      return checks_.result() ? std::optional(checks_.result()->checkedAt) : std::nullopt;
                  }},
                 guide_, demo()),
      actions_(services_.desktop, services_.loginItem, guide_, {view_, grants_, checks_, driveWatch_})
{
    if (demo())
        grants_.showDemo(*checks_.result(), arguments_.demo == LaunchArguments::Demo::withDrive);
    view_.setShowWelcome(arguments_.welcome || (!demo() && grants_.folders().empty()));

    connect(&grants_, &Grants::chosen, &checks_, &CheckLoop::start);
    connect(&grants_, &Grants::driveSeen, &driveWatch_, &DriveWatch::noteSeen);
    connect(&checks_, &CheckLoop::kept, &keepWatch_, &KeepWatch::sendNotes);
    connect(&keepWatch_, &KeepWatch::checkWanted, &checks_, &CheckLoop::start);
    connect(&keepWatch_, &KeepWatch::drivesWanted, this, [this] {
        driveWatch_.refresh([this](std::optional<CheckResult> result) {
            if (result)
                keepWatch_.sendNotes(*result, std::nullopt);
        });
    });
    connect(&keepWatch_, &KeepWatch::noteOpened, this, [this] {
        view_.setSelection(Section{Section::Kind::overview});
        view_.requestMainWindow();
    });
}

bool AppModel::quitsWithLastWindow() const { return !keepWatch_.watch().anything() && !view_.showInMenuBar(); }

std::optional<FolderTally> AppModel::iCloudTally() const
{
    if (auto tally = checks_.folder(grants_.iCloudDrivePath()))
        return tally;
    if (auto tally = checks_.folder("~/iCloud Drive"))
        return tally;
    const auto& result = checks_.result();
    if (!result)
        return std::nullopt;
    const auto synced = std::find_if(result->folders.begin(), result->folders.end(),
                                     [](const FolderTally& tally) { return tally.inICloud; });
    return synced == result->folders.end() ? std::nullopt : std::optional<FolderTally>(*synced);
}

} // namespace brindle
