// The welcome sheet's steps as texts, so that the sheet only lays them out. Pure functions;
// safe from any thread.
#pragma once

#include "BrindleCore/CheckResult.h"

#include <optional>
#include <string>
#include <vector>

namespace brindle::presentation {

inline constexpr int welcomeSteps = 3;

struct WelcomeChoice {
    std::string title;
    std::string note;
    friend bool operator==(const WelcomeChoice&, const WelcomeChoice&) = default;
};

struct WelcomeStep {
    std::string header; // "Step 2 of 3"
    std::string title;
    std::string text;
    std::vector<WelcomeChoice> choices; // the drive step's explained choices
    friend bool operator==(const WelcomeStep&, const WelcomeStep&) = default;
};

// Step `step` (1 to 3, clamped). The drive step's last choice says that giving up is likely
// when the latest result found no backup set up on this computer.
WelcomeStep welcomeStep(int step, const std::optional<CheckResult>& result);

// The folder step's button: "Choose Folders" before anything is granted, "Add More" after.
std::string chooseFoldersTitle(bool anyGranted);

struct WelcomeButton {
    enum class Action { chooseFolders, chooseDrive, next, showPhotos, close };
    std::string title;
    bool primary = false;
    Action action = Action::next;
    friend bool operator==(const WelcomeButton&, const WelcomeButton&) = default;
};

// Step `step`'s buttons, in order: the step's own choice is primary until it is made, then
// going on is.
std::vector<WelcomeButton> welcomeButtons(int step, bool anyFolder, bool anyDrive);

} // namespace brindle::presentation
