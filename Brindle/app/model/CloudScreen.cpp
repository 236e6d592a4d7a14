#include "Brindle/app/model/CloudScreen.h"

#include "Brindle/app/model/PlaceTexts.h"
#include "BrindleCore/Words.h"

namespace brindle::presentation {

CloudScreen cloudScreen(const std::optional<FolderTally>& tally, const std::string& tool, const CloudClient& client,
                        bool clientInstalled)
{
    CloudScreen screen;
    if (clientInstalled)
        screen.settingsButton = client.settingsButton;
    screen.helpButton = client.helpButton;
    if (!tally) {
        switch (client.kind) {
        case CloudClient::Kind::none:
            screen.title = "Add a folder that a sync client keeps to see what’s only in the cloud.";
            break;
        case CloudClient::Kind::iCloud:
            screen.title = "Add iCloud Drive to see what’s only in iCloud.";
            break;
        default:
            screen.title = "Add your " + client.name + " folder to see what’s only in " + client.name + ".";
        }
        return screen;
    }
    if (tally->files == 0) {
        screen.kind = CloudScreen::Kind::empty;
        screen.title = "There are no files in " + tally->name + " to check.";
        return screen;
    }
    screen.kind = CloudScreen::Kind::counted;
    const std::int64_t onlyCloud = tally->count(Place::onlyICloud);
    screen.title = placeTexts::cloudTitle(*tally, client);
    screen.paragraph = cloudParagraph(client, onlyCloud);
    const std::int64_t waiting = tally->count(Place::waiting);
    screen.figures = {
        {naming("Only in iCloud", client), Words::count(onlyCloud), onlyCloud > 0,
         Words::size(tally->size(Place::onlyICloud)) + ", not on this computer"},
        {naming("On this computer and in iCloud", client), Words::count(tally->count(Place::both)), false,
         Words::size(tally->size(Place::both)) + ", uploaded"},
        {"Waiting is normal", Words::count(waiting), false, waiting > 0 ? "Waiting to upload" : "Nothing queued"}};
    if (onlyCloud > 0) {
        screen.ways = cloudWays(client, onlyCloud, tally->size(Place::onlyICloud), tool);
        if (!screen.ways.empty())
            screen.waysTitle = std::string(screen.ways.size() == 1 ? "A way" : "Two ways") + " to give " +
                               (onlyCloud == 1 ? "it" : "them") + " a second copy";
    }
    return screen;
}

} // namespace brindle::presentation
