#include "Brindle/cli/CheckRun.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Drive.h"
#include "BrindleCore/Translation.h"
#include "BrindleCore/Words.h"

#include <cstdio>
#include <cstring>

namespace brindle::cli {

std::optional<DriveState> readDrive(const std::string& path, Instant now)
{
    Drive::Reading reading = Drive::read(path, now, Calendar::current());
    const std::string shown = printable(path);
    switch (reading.problem) {
    case Drive::Problem::none:
        break;
    case Drive::Problem::missing:
        std::fprintf(stderr, "brindle: %s\n",
                     fill(translated("terminal: error", "cannot read the drive at \u201c{path}\u201d: {reason}"),
                          {{"path", shown}, {"reason", std::strerror(reading.error)}})
                         .c_str());
        break;
    case Drive::Problem::notMounted:
        std::fprintf(
            stderr, "brindle: %s\n",
            fill(translated("terminal: error", "no drive is mounted at \u201c{path}\u201d, and it holds no backups"),
                 {{"path", shown}})
                .c_str());
        break;
    case Drive::Problem::factsUnreadable:
        std::fprintf(stderr, "brindle: %s\n",
                     fill(translated("terminal: error", "the volume facts of \u201c{path}\u201d could not be read"),
                          {{"path", shown}})
                         .c_str());
        break;
    }
    return std::move(reading.state);
}

bool reportProblems(const std::vector<FolderProblem>& problems)
{
    for (const FolderProblem& problem : problems) {
        const std::string shown = printable(problem.path);
        if (problem.openError != 0)
            std::fprintf(stderr, "brindle: %s\n",
                         fill(translated("terminal: error", "cannot open \u201c{path}\u201d: {reason}"),
                              {{"path", shown}, {"reason", std::strerror(problem.openError)}})
                             .c_str());
        else
            std::fprintf(stderr, "brindle: %s\n",
                         fill(translatedCounted("terminal: error",
                                                "{n} subfolder in \u201c{path}\u201d could not be read; their files "
                                                "are not counted",
                                                "{n} subfolders in \u201c{path}\u201d could not be read; their files "
                                                "are not counted",
                                                problem.unreadableSubfolders),
                              {{"n", Words::count(problem.unreadableSubfolders)}, {"path", shown}})
                             .c_str());
    }
    return problems.empty();
}

} // namespace brindle::cli
