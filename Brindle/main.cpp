// `brindle`: the terminal's commands. It links no Qt; the window and the printed report run in
// `brindle-window`, which this executable becomes (exec) when they are asked for.
#include "Brindle/app/WindowApp.h"
#include "Brindle/app/model/LaunchArguments.h"
#include "Brindle/cli/Commands.h"
#include "Brindle/cli/Terminal.h"
#include "Brindle/cli/WindowLauncher.h"

#include "BrindleCore/Translation.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {
// Nothing, or only launch arguments: the window is wanted.
bool wantsWindow(const std::vector<std::string_view>& args)
{
    return std::ranges::all_of(args, [](std::string_view argument) {
        return brindle::LaunchArguments::isLaunchArgument(argument) || argument == brindle::quitAfterFirstPaintOption;
    });
}
} // namespace

int main(int argc, char** argv)
{
    brindle::useSystemLanguage();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (wantsWindow(args))
        return brindle::cli::execWindow(
            args, brindle::translated("terminal: what could not be done, after „cannot“", "open the window"));
    int status = 0;
    if (!brindle::cli::isCommand(args.front())) {
        std::fprintf(stderr, "brindle: %s\n\n",
                     brindle::fill(brindle::translated("terminal: error", "unknown command \u201c{command}\u201d"),
                                   {{"command", brindle::cli::printable(args.front())}})
                         .c_str());
        brindle::cli::printHelp();
        status = 2;
    } else {
        status = brindle::cli::runCommand(args.front(), std::span(args).subspan(1));
    }
    status = brindle::cli::finishOutput(status);
    // Closing can report a write that failed late.
    if (std::fclose(stdout) != 0 && status == 0) {
        const std::string reason = std::strerror(errno);
        std::fprintf(stderr, "brindle: %s\n",
                     brindle::fill(brindle::translated("terminal: error", "the output could not be written: {reason}"),
                                   {{"reason", reason}})
                         .c_str());
        status = 1;
    }
    return status;
}
