// How long the program takes to answer, measured from outside as a person meets it: the
// median wall time from starting `brindle` until it ends, over RUNS runs each.
//
//   first paint      brindle --quit-after-first-paint, offscreen, with a kept result of 50
//                    folders: the window is drawn once, then the program quits.
//   question         brindle no-second-copy, answering from the same kept result.
//   peer             brindle --help: starting the process and printing, nothing else.
//
// Each figure includes the process's exit, so the first paint itself comes a little sooner.
// Runs in private configuration and data folders; nothing of the person's is read.
//
//   bench_start_up BRINDLE [RUNS]     (default 10 runs)
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

double median(const std::vector<std::string>& command, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const bench::Run run = bench::spawnAndWait(command);
        if (!run.succeeded) {
            std::fprintf(stderr, "bench_start_up: %s failed\n", command.front().c_str());
            std::exit(1);
        }
        times.push_back(run.milliseconds);
    }
    return bench::median(times);
}

// A kept result of `count` folders, made from the demonstration's.
CheckResult resultOf(std::size_t count)
{
    CheckResult result = Demo::withDrive();
    const std::vector<FolderTally> demo = result.folders;
    result.folders.clear();
    for (std::size_t i = 0; i < count; ++i) {
        FolderTally folder = demo[i % demo.size()];
        folder.name += " " + std::to_string(i + 1);
        folder.path += "-" + std::to_string(i + 1);
        result.folders.push_back(folder);
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: bench_start_up BRINDLE [RUNS]\n", stderr);
        return 2;
    }
    const std::string brindle = std::filesystem::absolute(argv[1]).string();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

    const std::string home = bench::privateHomeWith(resultOf(50));
    if (home.empty()) {
        std::fputs("bench_start_up: could not make a private home with a kept result\n", stderr);
        return 1;
    }

    const double paint = median({brindle, "--quit-after-first-paint"}, runs);
    const double question = median({brindle, "no-second-copy"}, runs);
    const double peer = median({brindle, "--help"}, runs);
    std::printf("runs each             %d\n", runs);
    std::printf("first paint           %6.1f ms  (%.1f × the peer)\n", paint, paint / peer);
    std::printf("no-second-copy        %6.1f ms  (%.1f × the peer)\n", question, question / peer);
    std::printf("peer: brindle --help  %6.1f ms\n", peer);
    std::filesystem::remove_all(home);
    return 0;
}
