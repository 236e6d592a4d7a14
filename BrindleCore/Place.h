// The three small enumerations the whole program shares: where the copies of a file live
// (`Place`), what sort of file it is (`Kind`) and one band of a folder's coverage bar
// (`Segment`).
//
// Stored forms use the raw value, which is always the case name. Parsing a text that is not
// a raw value gives std::nullopt; it never throws.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace brindle {

enum class Place { onlyHere, both, onlyICloud, waiting, unknown };
enum class Kind { pictures, videos, documents, audio, archives, other };
enum class Segment { noSecondCopy, unchangedSinceBackup, twoCopies, onlyICloud, waiting };

inline constexpr std::array<Place, 5> allPlaces{Place::onlyHere, Place::both, Place::onlyICloud, Place::waiting,
                                                Place::unknown};
inline constexpr std::array<Kind, 6> allKinds{Kind::pictures, Kind::videos,   Kind::documents,
                                              Kind::audio,    Kind::archives, Kind::other};

// The number of cases, for tables indexed by an enumeration.
template <typename E> inline constexpr std::size_t caseCount = 0;
template <> inline constexpr std::size_t caseCount<Place> = allPlaces.size();
template <> inline constexpr std::size_t caseCount<Kind> = allKinds.size();
template <> inline constexpr std::size_t caseCount<Segment> = 5;

std::string_view rawValue(Place place);
std::string_view rawValue(Kind kind);
std::string_view rawValue(Segment segment);

std::optional<Place> placeFromRaw(std::string_view text);
std::optional<Kind> kindFromRaw(std::string_view text);

// Lets generic code (the JSON form of tally maps) parse either enumeration.
template <typename E> std::optional<E> fromRaw(std::string_view text);
template <> inline std::optional<Place> fromRaw<Place>(std::string_view text) { return placeFromRaw(text); }
template <> inline std::optional<Kind> fromRaw<Kind>(std::string_view text) { return kindFromRaw(text); }

} // namespace brindle
