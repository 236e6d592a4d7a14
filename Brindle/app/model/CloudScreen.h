// The cloud drive's screen as values: what it says and which figures it shows, worked out
// from the cloud folder's tally so that the screen only lays them out. Pure; safe from any
// thread.
#pragma once

#include "BrindleCore/FolderTally.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

struct CloudFigure {
    std::string title;
    std::string figure; // the count, as words give it
    bool accent = false;
    std::string caption;
    friend bool operator==(const CloudFigure&, const CloudFigure&) = default;
};

// A way to give the files only in the cloud a second copy: a bold lead and the rest.
struct CloudWay {
    std::string lead;
    std::string rest;
    friend bool operator==(const CloudWay&, const CloudWay&) = default;
};

struct CloudScreen {
    enum class Kind {
        notChosen, // no cloud folder among the checked ones: offers to choose folders
        empty,     // the cloud folder holds no files
        counted,   // the figures, and the ways when files are only in the cloud
    };
    Kind kind = Kind::notChosen;
    std::string title;
    std::string paragraph; // may be empty
    std::vector<CloudFigure> figures;
    std::string waysTitle; // empty when no file is only in the cloud
    std::vector<CloudWay> ways;
    friend bool operator==(const CloudScreen&, const CloudScreen&) = default;
};

// `tool` names the backup tool in the second way ("your backup tool" when none is known).
CloudScreen cloudScreen(const std::optional<FolderTally>& tally, const std::string& tool);

} // namespace brindle::presentation
