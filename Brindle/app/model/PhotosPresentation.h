// PhotosPresentation: what the Photos screen and its guide sheet say. Photos here are
// ordinary files that the check counts where they lie; what a check can miss is the photo
// manager's catalogue of albums, tags and edits, which the report's photo finding tells about.
// Pure functions; any thread.
#pragma once

#include "BrindleCore/CheckResult.h"
#include "BrindleCore/Report.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

struct PhotosPlace {
    std::string title;
    std::string text;               // the report's photo finding, else how to have photos counted
    std::vector<std::string> steps; // the guide sheet's numbered steps
    std::string openLabel;          // the sheet's button: the manager found, else Pictures
    friend bool operator==(const PhotosPlace&, const PhotosPlace&) = default;
};

PhotosPlace photosPlace(const std::optional<CheckResult>& result, const std::optional<Report>& report);

} // namespace brindle::presentation
