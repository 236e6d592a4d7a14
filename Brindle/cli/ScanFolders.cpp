#include "Brindle/cli/ScanFolders.h"

#include "Brindle/cli/Terminal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brindle::cli {

namespace {
// Whether the folder opens as a directory; the reason when it does not.
std::optional<std::string> openProblem(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::string(std::strerror(errno));
    ::close(fd);
    return std::nullopt;
}
} // namespace

ScanOutcome scanFolders(const Scanner& scanner, const std::vector<FolderToScan>& folders)
{
    ScanOutcome outcome;
    std::atomic<std::int64_t> seen{0};
    const LiveCount live(seen);
    for (const FolderToScan& folder : folders) {
        if (const auto problem = openProblem(folder.path)) {
            // On a terminal, first clear the live count's line.
            const bool tty = isTerminal(stderr);
            std::fprintf(stderr, "%sbrindle: cannot open \u201c%s\u201d: %s\n", tty ? "\r\x1b[K" : "",
                         printable(folder.path).c_str(), problem->c_str());
            outcome.unreadable.push_back(folder.name.value_or(folder.path));
            continue;
        }
        outcome.folders.push_back(scanner.scan(folder.path, folder.name, {}, &seen));
    }
    return outcome;
}

} // namespace brindle::cli
