#include "Brindle/app/model/WelcomePresentation.h"

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/ScreenWords.h"

#include <algorithm>

namespace brindle::presentation {

WelcomeStep welcomeStep(int step, const std::optional<CheckResult>& result)
{
    step = std::clamp(step, 1, welcomeSteps);
    WelcomeStep shown{"Step " + std::to_string(step) + " of " + std::to_string(welcomeSteps), {}, {}, {}};
    switch (step) {
    case 1: {
        shown.title = "Which folders would you miss?";
        const CloudClient client = cloudClient(result);
        const std::string cloud = client.kind == CloudClient::Kind::none     ? "the folder your sync client keeps"
                                  : client.kind == CloudClient::Kind::iCloud ? "iCloud Drive"
                                                                             : "your " + client.name + " folder";
        shown.text = "Choose them in the panel your desktop shows: Desktop, Documents, Downloads, your pictures and "
                     "projects, and " +
                     cloud + ". Brindle only reads what you pick.";
        break;
    }
    case 2: {
        shown.title = "Which drive does your backup tool back up to?";
        shown.text = "Choose it once and Brindle reads the dates of its backups straight from the drive. Your "
                     "desktop asks you to choose it yourself, so nothing is read that you didn’t pick.";
        const bool noBackupSetUp = result && !result->backupSetUp();
        shown.choices = {
            {"Choose the drive", "It needs to be connected now. Brindle remembers it after this."},
            {"It isn’t here right now", "Carry on. You can choose it the next time it’s connected."},
            {"I don’t use a backup tool",
             noBackupSetUp ? "This computer has no backup set up, so this is likely. Brindle will say what that means."
                           : "Brindle will say what that means."},
        };
        break;
    }
    default:
        shown.title = "And Photos?";
        shown.text = "Your photos are files that Brindle counts like any other. A photo manager keeps its albums, "
                     "tags and edits in a catalogue apart from them. Brindle shows you where.";
        break;
    }
    return shown;
}

std::string chooseFoldersTitle(bool anyGranted) { return anyGranted ? "Add More" : "Choose Folders"; }

std::vector<WelcomeButton> welcomeButtons(int step, bool anyFolder, bool anyDrive)
{
    using Action = WelcomeButton::Action;
    switch (step) {
    case 1:
        if (!anyFolder)
            return {{chooseFoldersTitle(false), true, Action::chooseFolders}};
        return {{chooseFoldersTitle(true), false, Action::chooseFolders}, {"Continue", true, Action::next}};
    case 2:
        return {{words::chooseDrive, !anyDrive, Action::chooseDrive},
                {anyDrive ? "Continue" : "Later", anyDrive, Action::next}};
    default:
        return {{"Show Me How", true, Action::showPhotos}, {"Later", false, Action::close}};
    }
}

} // namespace brindle::presentation
