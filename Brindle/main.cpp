#include "Brindle/cli/Commands.h"

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || !brindle::cli::isCommand(args.front())) {
        if (!args.empty())
            std::fprintf(stderr, "brindle: unknown command \u201c%s\u201d\n\n", argv[1]);
        brindle::cli::printHelp();
        return args.empty() ? 0 : 2;
    }
    return brindle::cli::runCommand(args.front(), std::span(args).subspan(1));
}
