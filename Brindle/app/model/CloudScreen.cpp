#include "Brindle/app/model/CloudScreen.h"

#include "Brindle/app/model/PlaceTexts.h"
#include "BrindleCore/Words.h"

namespace brindle::presentation {

CloudScreen cloudScreen(const std::optional<FolderTally>& tally, const std::string& tool)
{
    CloudScreen screen;
    if (!tally) {
        screen.title = "Add iCloud Drive to see what’s only in iCloud.";
        return screen;
    }
    if (tally->files == 0) {
        screen.kind = CloudScreen::Kind::empty;
        screen.title = "There are no files in " + tally->name + " to check.";
        return screen;
    }
    screen.kind = CloudScreen::Kind::counted;
    screen.title = placeTexts::cloudTitle(*tally);
    screen.paragraph = placeTexts::cloudParagraph(*tally);
    const std::int64_t onlyCloud = tally->count(Place::onlyICloud);
    const std::int64_t waiting = tally->count(Place::waiting);
    screen.figures = {
        {"Only in iCloud", Words::count(onlyCloud), onlyCloud > 0,
         Words::size(tally->size(Place::onlyICloud)) + ", not on this computer"},
        {"On this computer and in iCloud", Words::count(tally->count(Place::both)), false,
         Words::size(tally->size(Place::both)) + ", uploaded"},
        {"Waiting is normal", Words::count(waiting), false, waiting > 0 ? "Waiting to upload" : "Nothing queued"}};
    if (onlyCloud > 0) {
        screen.waysTitle = "Two ways to give them a second copy";
        screen.ways = {{"Keep just one folder downloaded.",
                        "In the file manager, right-click a folder in iCloud Drive and choose Keep Downloaded."},
                       {"Keep iCloud Drive on this computer.", placeTexts::cloudKeepAll(*tally, tool)}};
    }
    return screen;
}

} // namespace brindle::presentation
