// FolderTally: how many files one folder holds, how many bytes, and how they split by where
// their copies live, by kind, and by whether they changed recently or since the newest backup.
//
// A plain value. The scanner fills one per folder (and one per worker, merged under a lock);
// everything else only reads it. Merging is associative and commutative in every field but
// `name` and `path`, which stay the receiver's. Nothing here fails; decoding bad JSON gives
// std::nullopt.
#pragma once

#include "BrindleCore/EnumCounts.h"
#include "BrindleCore/Json.h"
#include "BrindleCore/Place.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brindle {

struct FolderTally {
    std::string name;
    std::string path;
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    // The only field that counts files whose place is `unknown`.
    EnumCounts<Place> counts;
    EnumCounts<Place> sizes;
    EnumCounts<Kind> kinds;
    std::int64_t changedThisWeek = 0;
    // Files only here that changed after the newest backup began; absent when no backup date
    // was known or no file was counted.
    std::optional<std::int64_t> changedSinceBackup;
    std::optional<std::int64_t> changedSinceBackupBytes;
    bool inICloud = false;
    // Subfolders that are there but could not be read: their files are in no count.
    std::int64_t unreadableFolders = 0;

    FolderTally() = default;
    FolderTally(std::string tallyName, std::string tallyPath) : name(std::move(tallyName)), path(std::move(tallyPath))
    {
    }

    const std::string& id() const { return path; }

    std::int64_t count(Place place) const { return counts[place]; }
    std::int64_t size(Place place) const { return sizes[place]; }

    // Files only here plus files only in iCloud (a backup of this computer cannot hold those).
    std::int64_t noSecondCopy() const;
    // The headline figure: like noSecondCopy, but of the files only here only those that
    // changed since the newest backup began, when a backup date is known.
    std::int64_t noSecondCopyWithBackup() const;

    // Of the files only here, those changed since the newest backup began (0 without a backup
    // date), and the rest. Never negative, whatever the stored counts say.
    std::int64_t changedOnlyHere() const;
    std::int64_t unchangedOnlyHere() const;

    void merge(const FolderTally& other);

    // The bands of the coverage bar, by file count or by bytes; bands of zero are left out.
    std::vector<std::pair<Segment, double>> segments(bool byFiles) const;

    friend bool operator==(const FolderTally&, const FolderTally&) = default;
};

JsonOut encode(const FolderTally& tally);
std::optional<FolderTally> decodeFolderTally(const JsonIn& value, DateForm dates = DateForm::iso8601);

} // namespace brindle
