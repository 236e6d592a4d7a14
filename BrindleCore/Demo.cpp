#include "BrindleCore/Demo.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brindle {

Instant Demo::now()
{
    static const Instant instant = *parseISO8601("2026-11-26T15:12:00Z");
    return instant;
}

FolderTally Demo::folder(const std::string& name,
                         const std::vector<std::tuple<Place, std::int64_t, std::int64_t>>& places,
                         const std::map<Kind, std::int64_t>& kinds, std::int64_t changedThisWeek, bool inICloud)
{
    FolderTally tally(name, "~/" + name);
    for (const auto& [place, files, bytes] : places) {
        tally.counts.set(place, files);
        tally.sizes.set(place, bytes);
        tally.files += files;
        tally.bytes += bytes;
    }
    for (const auto& [kind, files] : kinds)
        tally.kinds.set(kind, files);
    tally.changedThisWeek = changedThisWeek;
    tally.inICloud = inICloud;
    return tally;
}

const std::vector<FolderTally>& Demo::folders()
{
    static const std::vector<FolderTally> all{
        folder("Desktop", {{Place::onlyHere, 618, 2'410'000'000}},
               {{Kind::pictures, 402}, {Kind::videos, 41}, {Kind::documents, 128}, {Kind::other, 47}}, 22, false),
        folder("Documents", {{Place::onlyHere, 1'204, 3'120'000'000}},
               {{Kind::documents, 980}, {Kind::pictures, 154}, {Kind::other, 70}}, 35, false),
        folder("Downloads", {{Place::onlyHere, 389, 4'870'000'000}},
               {{Kind::archives, 61}, {Kind::documents, 210}, {Kind::pictures, 96}, {Kind::other, 22}}, 18, false),
        folder("Pictures", {{Place::onlyHere, 212, 1'330'000'000}}, {{Kind::pictures, 212}}, 0, false),
        folder("Music", {{Place::onlyHere, 46, 420'000'000}}, {{Kind::audio, 46}}, 0, false),
        folder(
            "iCloud Drive",
            {{Place::onlyICloud, 731, 5'640'000'000}, {Place::both, 154, 610'000'000}, {Place::waiting, 3, 2'000'000}},
            {{Kind::documents, 640}, {Kind::pictures, 248}}, 9, true),
    };
    return all;
}

CheckResult Demo::noBackup()
{
    CheckResult result(now(), 6.2, folders(), std::nullopt, TimeMachineFacts{69, std::nullopt}, true);
    result.cloudClient = "iCloud";
    return result;
}

std::vector<Backup> Demo::backups(Instant end)
{
    static constexpr std::array<std::int64_t, 13> items{812, 344, 1'029, 268, 77, 615, 431,
                                                        190, 958, 352,   506, 41, 289};
    std::vector<Backup> list;
    for (int d = 13; d >= 0; --d) {
        const Instant date =
            end - std::chrono::seconds{std::int64_t{d} * secondsPerDay} + std::chrono::seconds{((37 * d) % 23) * 60};
        const std::int64_t changed = d == 13 ? 48'203 : items[static_cast<std::size_t>(d)];
        const std::int64_t bytesPerItem = d == 13 ? 380'000 : 1'480'000;
        const double duration = d == 13 ? 2'460.0 : static_cast<double>(changed) * 0.15 + 120.0;
        const Instant started = date - std::chrono::microseconds{std::llround(duration * 1e6)};
        list.push_back({date, started, changed, changed * bytesPerItem});
    }
    return list;
}

CheckResult Demo::withDrive()
{
    CheckResult result = noBackup();
    const Instant end = now() - std::chrono::seconds{18'840};
    for (FolderTally& tally : result.folders) {
        const std::int64_t changed = tally.inICloud ? 0 : std::min<std::int64_t>(tally.changedThisWeek, 4);
        tally.changedSinceBackup = changed;
        tally.changedSinceBackupBytes = changed * 2'400'000;
    }
    result.drive = DriveState{
        {"Backup", "APFS", 2'000'000'000'000, 1'460'000'000'000, true, "DEMO", true}, true, backups(end), now()};
    result.timeMachine = TimeMachineFacts{18'808, end};
    return result;
}

std::vector<CheckSummary> Demo::history()
{
    std::vector<CheckSummary> summaries;
    for (int i = 0; i < 12; ++i) {
        CheckResult result = i == 11 ? withDrive() : noBackup();
        result.checkedAt = now() - std::chrono::seconds{std::int64_t{11 - i} * 7 * secondsPerDay};
        if (i < 11) {
            FolderTally& documents = result.folders[1];
            const std::int64_t shift = 60 * i - 600;
            documents.counts.add(Place::onlyHere, shift);
            documents.files += shift;
        }
        summaries.emplace_back(result);
    }
    return summaries;
}

std::optional<CheckResult> Demo::result(Choice choice)
{
    switch (choice) {
    case Choice::none:
        break;
    case Choice::noBackup:
        return noBackup();
    case Choice::withDrive:
        return withDrive();
    }
    return std::nullopt;
}

} // namespace brindle
