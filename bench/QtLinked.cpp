// The peer of bench_command_line: the terminal's commands in an executable that also links the
// window, as `brindle` was before the window moved to an executable of its own. It runs a
// command as `brindle` does; the window is linked in (reachable, so nothing of it is dropped)
// but never started.
#include "Brindle/app/WindowApp.h"
#include "Brindle/cli/Commands.h"

#include <span>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty())
        return brindle::runWindowApp(argc, argv);
    return brindle::cli::finishOutput(brindle::cli::runCommand(args.front(), std::span(args).subspan(1)));
}
