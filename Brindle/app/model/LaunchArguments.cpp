#include "Brindle/app/model/LaunchArguments.h"

#include <algorithm>

namespace brindle {

namespace {
constexpr std::string_view selectPrefix = "-select=";
}

LaunchArguments LaunchArguments::parse(std::span<const std::string_view> arguments)
{
    const auto given = [&](std::string_view name) {
        return std::find(arguments.begin(), arguments.end(), name) != arguments.end();
    };
    LaunchArguments parsed;
    if (given("-demoDrive"))
        parsed.demo = Demo::withDrive;
    else if (given("-demo"))
        parsed.demo = Demo::noBackup;
    parsed.menuBarWindow = given("-menubar");
    parsed.welcome = given("-welcome");
    parsed.watchNow = given("-watchNow");
    if (given("-night"))
        parsed.appearance = Appearance::dark;
    else if (given("-day"))
        parsed.appearance = Appearance::light;
    const auto select = std::find_if(arguments.begin(), arguments.end(),
                                     [](std::string_view argument) { return argument.starts_with(selectPrefix); });
    if (select != arguments.end())
        parsed.selection = sectionNamed(select->substr(selectPrefix.size()));
    return parsed;
}

bool LaunchArguments::isLaunchArgument(std::string_view argument)
{
    for (const std::string_view name : {"-demo", "-demoDrive", "-menubar", "-welcome", "-day", "-night", "-watchNow"})
        if (argument == name)
            return true;
    return argument.starts_with(selectPrefix);
}

} // namespace brindle
