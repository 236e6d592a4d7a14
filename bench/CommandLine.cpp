// What the terminal's commands cost now that the window lives in an executable of its own,
// measured from outside against peers in the same run:
//
//   libraries     what the dynamic loader maps for `brindle` and for `brindle-window` (ldd),
//                 and how many of them are Qt's: `brindle` should map none.
//   question      `brindle no-second-copy`, answering from a kept result, against two peers
//                 run in turn with it: `bench_qt_linked no-second-copy`, the same command in an
//                 executable that links the window as `brindle` did before the window had one
//                 of its own, and `brindle --version`, starting this executable at all. Median
//                 wall time and peak memory over RUNS rounds.
//
// Runs in private configuration and data folders; nothing of the person's is read. The peak
// memory of `brindle scan` on a large tree is measured by bench/scan-vs-du.sh.
//
//   bench_command_line BRINDLE QT_LINKED [RUNS]     (default 30 rounds)
#include "BrindleCore/Demo.h"
#include "bench/Spawn.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace brindle;

struct Libraries {
    int all = 0;
    int qt = 0;
};

Libraries librariesOf(const std::string& executable)
{
    Libraries found;
    const std::string command = "ldd '" + executable + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return found;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const std::string text(line);
        if (text.find("=>") == std::string::npos && text.find('/') == std::string::npos)
            continue;
        ++found.all;
        if (text.find("libQt") != std::string::npos)
            ++found.qt;
    }
    pclose(pipe);
    return found;
}

struct Figures {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

struct Sample {
    std::vector<double> times;
    long peakKilobytes = 0;

    void add(const bench::Run& run, const std::vector<std::string>& command)
    {
        if (!run.succeeded) {
            std::fprintf(stderr, "bench_command_line: %s failed\n", command.front().c_str());
            std::exit(1);
        }
        times.push_back(run.milliseconds);
        peakKilobytes = std::max(peakKilobytes, run.peakKilobytes);
    }
    Figures figures() { return {bench::median(times), static_cast<double>(peakKilobytes) / 1024.0}; }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: bench_command_line BRINDLE QT_LINKED [RUNS]\n", stderr);
        return 2;
    }
    const std::string brindle = std::filesystem::absolute(argv[1]).string();
    const std::string qtLinked = std::filesystem::absolute(argv[2]).string();
    const std::string window = std::filesystem::path(brindle).parent_path() / "brindle-window";
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;

    const std::string home = bench::privateHomeWith(Demo::withDrive());
    if (home.empty()) {
        std::fputs("bench_command_line: could not make a private home with a kept result\n", stderr);
        return 1;
    }

    const Libraries cli = librariesOf(brindle);
    const Libraries gui = librariesOf(window);
    std::printf("libraries mapped      brindle %d (Qt: %d)   brindle-window %d (Qt: %d)\n", cli.all, cli.qt, gui.all,
                gui.qt);

    const std::vector<std::string> question{brindle, "no-second-copy"};
    const std::vector<std::string> floor{brindle, "--version"};
    const std::vector<std::string> peer{qtLinked, "no-second-copy"};
    Sample asked, started, linked;
    for (int i = 0; i < runs; ++i) {
        asked.add(bench::spawnAndWait(question), question);
        started.add(bench::spawnAndWait(floor), floor);
        linked.add(bench::spawnAndWait(peer), peer);
    }
    const Figures a = asked.figures(), s = started.figures(), l = linked.figures();
    std::printf("rounds                        %d\n", runs);
    std::printf("no-second-copy                %6.1f ms  %5.1f MB  (%.2f × the time, %.2f × the memory of the "
                "Qt-linked peer)\n",
                a.milliseconds, a.peakMegabytes, a.milliseconds / l.milliseconds, a.peakMegabytes / l.peakMegabytes);
    std::printf("  peer, Qt linked             %6.1f ms  %5.1f MB\n", l.milliseconds, l.peakMegabytes);
    std::printf("  brindle --version           %6.1f ms  %5.1f MB\n", s.milliseconds, s.peakMegabytes);
    std::filesystem::remove_all(home);
    return cli.qt == 0 ? 0 : 1;
}
