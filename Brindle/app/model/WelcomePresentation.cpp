#include "Brindle/app/model/WelcomePresentation.h"

#include "Brindle/app/model/CloudClient.h"
#include "Brindle/app/model/ScreenWords.h"
#include "BrindleCore/Translation.h"

#include <algorithm>

namespace brindle::presentation {

WelcomeStep welcomeStep(int step, const std::optional<CheckResult>& result)
{
    step = std::clamp(step, 1, welcomeSteps);
    WelcomeStep shown{fill(translated("welcome sheet: header", "Step {step} of {steps}"),
                           {{"step", std::to_string(step)}, {"steps", std::to_string(welcomeSteps)}}),
                      {},
                      {},
                      {}};
    switch (step) {
    case 1: {
        shown.title = translated("welcome sheet: title", "Which folders would you miss?");
        const CloudClient client = cloudClient(result);
        switch (client.kind) {
        case CloudClient::Kind::none:
            shown.text = translated("welcome sheet: text",
                                    "Choose them in the panel your desktop shows: Desktop, Documents, Downloads, your "
                                    "pictures and projects, and the folder your sync client keeps. Brindle only reads "
                                    "what you pick.");
            break;
        case CloudClient::Kind::iCloud:
            shown.text = translated("welcome sheet: text",
                                    "Choose them in the panel your desktop shows: Desktop, Documents, Downloads, your "
                                    "pictures and projects, and iCloud Drive. Brindle only reads what you pick.");
            break;
        default:
            // TRANSLATORS: {client} is a sync client's name: Nextcloud, OneDrive…
            shown.text = fill(translated("welcome sheet: text",
                                         "Choose them in the panel your desktop shows: Desktop, Documents, Downloads, "
                                         "your pictures and projects, and your {client} folder. Brindle only reads "
                                         "what you pick."),
                              {{"client", client.name}});
        }
        break;
    }
    case 2: {
        shown.title = translated("welcome sheet: title", "Which drive does your backup tool back up to?");
        shown.text =
            translated("welcome sheet: text",
                       "Choose it once and Brindle reads the dates of its backups straight from the drive. "
                       "Your desktop asks you to choose it yourself, so nothing is read that you didn’t pick.");
        const bool noBackupSetUp = result && !result->backupSetUp();
        shown.choices = {
            {translated("welcome sheet: choice", "Choose the drive"),
             translated("welcome sheet: choice's text",
                        "It needs to be connected now. Brindle remembers it after this.")},
            {translated("welcome sheet: choice", "It isn’t here right now"),
             translated("welcome sheet: choice's text", "Carry on. You can choose it the next time it’s connected.")},
            {translated("welcome sheet: choice", "I don’t use a backup tool"),
             noBackupSetUp ? translated("welcome sheet: choice's text",
                                        "This computer has no backup set up, so this is likely. Brindle will say what "
                                        "that means.")
                           : translated("welcome sheet: choice's text", "Brindle will say what that means.")},
        };
        break;
    }
    default:
        shown.title = translated("welcome sheet: title", "And Photos?");
        shown.text = translated("welcome sheet: text",
                                "Your photos are files that Brindle counts like any other. A photo manager keeps its "
                                "albums, tags and edits in a catalogue apart from them. Brindle shows you where.");
        break;
    }
    return shown;
}

std::string chooseFoldersTitle(bool anyGranted)
{
    return anyGranted ? translated("button", "Add More") : translated("button", "Choose Folders");
}

std::vector<WelcomeButton> welcomeButtons(int step, bool anyFolder, bool anyDrive)
{
    using Action = WelcomeButton::Action;
    const std::string later = translated("button", "Later");
    const std::string carryOn = translated("button", "Continue");
    switch (step) {
    case 1:
        if (!anyFolder)
            return {{chooseFoldersTitle(false), true, Action::chooseFolders}};
        return {{chooseFoldersTitle(true), false, Action::chooseFolders}, {carryOn, true, Action::next}};
    case 2:
        return {{words::chooseDrive(), !anyDrive, Action::chooseDrive},
                {anyDrive ? carryOn : later, anyDrive, Action::next}};
    default:
        return {{translated("button", "Show Me How"), true, Action::showPhotos}, {later, false, Action::close}};
    }
}

} // namespace brindle::presentation
