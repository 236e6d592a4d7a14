#include "BrindleCore/Place.h"

namespace brindle {

namespace {
constexpr std::array<std::string_view, 5> placeNames{"onlyHere", "both", "onlyICloud", "waiting", "unknown"};
constexpr std::array<std::string_view, 6> kindNames{"pictures", "videos", "documents", "audio", "archives", "other"};
constexpr std::array<std::string_view, 5> segmentNames{"noSecondCopy", "unchangedSinceBackup", "twoCopies",
                                                       "onlyICloud", "waiting"};

template <typename E, std::size_t N>
std::optional<E> parse(const std::array<std::string_view, N>& names, std::string_view text)
{
    for (std::size_t i = 0; i < N; ++i)
        if (names[i] == text)
            return static_cast<E>(i);
    return std::nullopt;
}
} // namespace

std::string_view rawValue(Place place) { return placeNames[static_cast<std::size_t>(place)]; }
std::string_view rawValue(Kind kind) { return kindNames[static_cast<std::size_t>(kind)]; }
std::string_view rawValue(Segment segment) { return segmentNames[static_cast<std::size_t>(segment)]; }

std::optional<Place> placeFromRaw(std::string_view text) { return parse<Place>(placeNames, text); }
std::optional<Kind> kindFromRaw(std::string_view text) { return parse<Kind>(kindNames, text); }

} // namespace brindle
