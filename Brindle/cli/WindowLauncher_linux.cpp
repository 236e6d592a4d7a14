#include "Brindle/cli/WindowLauncher.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Paths.h"
#include "BrindleCore/Translation.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace brindle::cli {

namespace {
bool isExecutableFile(const std::string& path) { return ::access(path.c_str(), X_OK) == 0 && !isDirectory(path); }
} // namespace

std::optional<std::string> windowExecutable()
{
    const std::string folder = executableFolder();
    if (folder.empty())
        return std::nullopt;
    // The build tree first, then the install (the path from bindir to libexecdir is the build's).
    for (const std::string& candidate :
         {folder + "/" + std::string(windowExecutableName), folder + "/" + BRINDLE_WINDOW_FROM_EXECUTABLE})
        if (isExecutableFile(candidate))
            return candidate;
    return std::nullopt;
}

int execWindow(std::span<const std::string_view> args, std::string_view purpose)
{
    std::optional<std::string> window = windowExecutable();
    if (!window) {
        const std::string text =
            // TRANSLATORS: {purpose} is what was asked, such as „open the window“ or „write the report“.
            translated("terminal: error", "cannot {purpose}: Brindle\u2019s window is not installed here (the brindle "
                                          "package).\nThe terminal\u2019s commands work without it: brindle --help.");
        std::fprintf(stderr, "brindle: %s\n", fill(text, {{"purpose", std::string(purpose)}}).c_str());
        return 1;
    }
    std::vector<std::string> owned(args.begin(), args.end());
    std::vector<char*> argv;
    argv.push_back(window->data());
    for (std::string& argument : owned)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(window->c_str(), argv.data());
    const int error = errno;
    const std::string text =
        // TRANSLATORS: {purpose} is what was asked, such as „open the window“; {program} is a file's path.
        translated("terminal: error", "cannot {purpose}: {program} could not be started: {reason}");
    std::fprintf(
        stderr, "brindle: %s\n",
        fill(text,
             {{"purpose", std::string(purpose)}, {"program", printable(*window)}, {"reason", std::strerror(error)}})
            .c_str());
    return 1;
}

} // namespace brindle::cli
