// The cloud drive's screen as values: what it says and which figures it shows, worked out
// from the cloud folder's tally so that the screen only lays them out. Pure; safe from any
// thread.
#pragma once

#include "Brindle/app/model/CloudClient.h"
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
    // The labels of the buttons that open the client and its help; empty when not shown.
    std::string settingsButton;
    std::string helpButton;
    friend bool operator==(const CloudScreen&, const CloudScreen&) = default;
};

// `tool` names the backup tool in the ways ("your backup tool" when none is known);
// `clientInstalled` says whether the client's settings can be opened on this computer.
CloudScreen cloudScreen(const std::optional<FolderTally>& tally, const std::string& tool, const CloudClient& client,
                        bool clientInstalled);

} // namespace brindle::presentation
