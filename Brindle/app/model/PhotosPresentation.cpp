#include "Brindle/app/model/PhotosPresentation.h"

#include "Brindle/app/model/ScreenWords.h"

#include <algorithm>
#include <iterator>

namespace brindle::presentation {

PhotosPlace photosPlace(const std::optional<CheckResult>& result, const std::optional<Report>& report)
{
    PhotosPlace place{words::photosTitle(), words::photosText(), words::photosGuideSteps(), words::openPictures()};
    if (report) {
        const auto finding = std::find_if(report->findings.begin(), report->findings.end(), [](const Finding& f) {
            return f.id == "photos" || f.id == "photoCatalogue" || f.id == "photoCatalogueKept";
        });
        if (finding != report->findings.end())
            place.text = finding->line;
    }
    if (result && result->photoCatalogue)
        place.openLabel = words::openManager(result->photoCatalogue->manager);
    return place;
}

} // namespace brindle::presentation
