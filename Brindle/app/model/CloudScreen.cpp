#include "Brindle/app/model/CloudScreen.h"

#include "Brindle/app/model/PlaceTexts.h"
#include "BrindleCore/Translation.h"
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
            screen.title = translated("cloud screen: title",
                                      "Add a folder that a sync client keeps to see what’s only in the cloud.");
            break;
        case CloudClient::Kind::iCloud:
            screen.title = translated("cloud screen: title", "Add iCloud Drive to see what’s only in iCloud.");
            break;
        default:
            // TRANSLATORS: {client} is a sync client's name: Nextcloud, OneDrive…
            screen.title =
                fill(translated("cloud screen: title", "Add your {client} folder to see what’s only in {client}."),
                     {{"client", client.name}});
        }
        return screen;
    }
    if (tally->files == 0) {
        screen.kind = CloudScreen::Kind::empty;
        screen.title = fill(translated("folder screen: title", "There are no files in {folder} to check."),
                            {{"folder", tally->name}});
        return screen;
    }
    screen.kind = CloudScreen::Kind::counted;
    const std::int64_t onlyCloud = tally->count(Place::onlyICloud);
    screen.title = placeTexts::cloudTitle(*tally, client);
    screen.paragraph = cloudParagraph(client, onlyCloud);
    const std::int64_t waiting = tally->count(Place::waiting);
    screen.figures = {
        // TRANSLATORS: “iCloud” is replaced by the sync client's name (Nextcloud…): keep it as it is.
        {naming(translated("cloud screen: figure", "Only in iCloud"), client), Words::count(onlyCloud), onlyCloud > 0,
         fill(translated("cloud screen: figure's size", "{size}, not on this computer"),
              {{"size", Words::size(tally->size(Place::onlyICloud))}})},
        {naming(translated("cloud screen: figure", "On this computer and in iCloud"), client),
         Words::count(tally->count(Place::both)), false,
         fill(translated("cloud screen: figure's size", "{size}, uploaded"),
              {{"size", Words::size(tally->size(Place::both))}})},
        {translated("cloud screen: figure", "Waiting is normal"), Words::count(waiting), false,
         waiting > 0 ? translated("cloud screen: figure's line", "Waiting to upload")
                     : translated("cloud screen: figure's line", "Nothing queued")}};
    if (onlyCloud > 0) {
        screen.ways = cloudWays(client, onlyCloud, tally->size(Place::onlyICloud), tool);
        if (!screen.ways.empty())
            screen.waysTitle = screen.ways.size() == 1
                                   ? translatedCounted("cloud screen: heading", "A way to give it a second copy",
                                                       "A way to give them a second copy", onlyCloud)
                                   : translatedCounted("cloud screen: heading", "Two ways to give it a second copy",
                                                       "Two ways to give them a second copy", onlyCloud);
    }
    return screen;
}

} // namespace brindle::presentation
