// `brindle-window`: the parts of Brindle that need Qt. `brindle` becomes it for the window
// (no command, or launch arguments only) and for `brindle report`; the session bus starts it
// directly (D-Bus activation).
#include "Brindle/app/ReportCommand.h"
#include "Brindle/app/WindowApp.h"
#include "Brindle/cli/Commands.h"

#include "BrindleCore/Translation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    brindle::useSystemLanguage();
    if (argc > 1 && std::string_view(argv[1]) == "report") {
        const std::vector<std::string_view> args(argv + 2, argv + argc);
        int status = brindle::cli::finishOutput(brindle::runReportCommand(args));
        if (std::fclose(stdout) != 0 && status == 0) {
            const int error = errno;
            // TRANSLATORS: {reason} is the system's explanation.
            const std::string message =
                brindle::fill(brindle::translated("terminal: error", "the report could not be written: {reason}"),
                              {{"reason", std::strerror(error)}});
            std::fprintf(stderr, "brindle: %s\n", message.c_str());
            status = 1;
        }
        return status;
    }
    return brindle::runWindowApp(argc, argv);
}
