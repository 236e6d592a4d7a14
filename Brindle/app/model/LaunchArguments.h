// The launch arguments of the window application. Each is matched as a whole argument;
// anything not listed is ignored.
//
//   -demo, -demoDrive   demonstration data, without or with a backup drive (both: with)
//   -menubar            open the tray panel as a window at launch
//   -welcome            show the welcome sheet at start, whatever else holds
//   -select=<value>     the first selection (see Section.h); only the first such argument counts
//   -day, -night        force the light or the dark appearance (both: dark)
//   -watchNow           one keep-watch tick at once, as the schedule would run it; for the
//                       desktop session test, so that it need not wait for the schedule
#pragma once

#include "Brindle/app/model/Section.h"
#include "BrindleCore/Demo.h"

#include <optional>
#include <span>
#include <string_view>

namespace brindle {

struct LaunchArguments {
    using Demo = ::brindle::Demo::Choice;
    enum class Appearance { system, light, dark };

    Demo demo = Demo::none;
    bool menuBarWindow = false;
    bool welcome = false;
    bool watchNow = false;
    std::optional<Section> selection{};
    Appearance appearance = Appearance::system;

    bool isDemo() const { return demo != Demo::none; }

    // `arguments` without the program's name.
    static LaunchArguments parse(std::span<const std::string_view> arguments);
    // Whether `argument` is one of the launch arguments above.
    static bool isLaunchArgument(std::string_view argument);

    friend bool operator==(const LaunchArguments&, const LaunchArguments&) = default;
};

} // namespace brindle
