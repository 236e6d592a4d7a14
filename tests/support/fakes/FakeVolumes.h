// Drive facts and backups that the test sets, by mount point.
#pragma once

#include "Brindle/app/model/DriveReader.h"

#include <map>

namespace brindle::test {

class FakeVolumes final : public Volumes {
public:
    std::map<std::string, DriveFacts> facts_;
    std::map<std::string, std::vector<Backup>> backups_;

    std::optional<DriveFacts> facts(const std::string& path) const override
    {
        const auto found = facts_.find(path);
        return found == facts_.end() ? std::nullopt : std::optional(found->second);
    }
    std::vector<Backup> backups(const std::string& path, Instant) const override
    {
        const auto found = backups_.find(path);
        return found == backups_.end() ? std::vector<Backup>{} : found->second;
    }
};

} // namespace brindle::test
