#include "Brindle/cli/CheckRun.h"

#include "Brindle/cli/Terminal.h"
#include "BrindleCore/Drive.h"
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
        std::fprintf(stderr, "brindle: cannot read the drive at \u201c%s\u201d: %s\n", shown.c_str(),
                     std::strerror(reading.error));
        break;
    case Drive::Problem::notMounted:
        std::fprintf(stderr, "brindle: no drive is mounted at \u201c%s\u201d, and it holds no backups\n",
                     shown.c_str());
        break;
    case Drive::Problem::factsUnreadable:
        std::fprintf(stderr, "brindle: the volume facts of \u201c%s\u201d could not be read\n", shown.c_str());
        break;
    }
    return std::move(reading.state);
}

bool reportProblems(const std::vector<FolderProblem>& problems)
{
    for (const FolderProblem& problem : problems) {
        const std::string shown = printable(problem.path);
        if (problem.openError != 0)
            std::fprintf(stderr, "brindle: cannot open \u201c%s\u201d: %s\n", shown.c_str(),
                         std::strerror(problem.openError));
        else
            std::fprintf(stderr, "brindle: %s in \u201c%s\u201d could not be read; their files are not counted\n",
                         (Words::count(problem.unreadableSubfolders) +
                          (problem.unreadableSubfolders == 1 ? " subfolder" : " subfolders"))
                             .c_str(),
                         shown.c_str());
    }
    return problems.empty();
}

} // namespace brindle::cli
