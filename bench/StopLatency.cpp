// How long a check takes to return once asked to stop: runs a check of FOLDER on a thread,
// asks it to stop after a delay, and prints the median time from the request to the return.
//
//   bench_stop_latency FOLDER [RUNS] [DELAY_MS]     (defaults: 9 runs, 300 ms)
#include "BrindleCore/Check.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_stop_latency FOLDER [RUNS] [DELAY_MS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 9;
    const auto delay = std::chrono::milliseconds(argc > 3 ? std::atoi(argv[3]) : 300);
    using Clock = std::chrono::steady_clock;
    std::vector<double> latencies;
    std::int64_t counted = 0;
    for (int run = 0; run < runs; ++run) {
        brindle::CheckRequest request;
        request.folders = {{"bench", argv[1]}};
        request.now = brindle::clockNow();
        std::stop_source stop;
        Clock::time_point returned;
        std::jthread check([&] {
            brindle::CheckObserver quiet;
            const brindle::CheckOutcome outcome = brindle::Check::run(request, quiet, stop.get_token());
            returned = Clock::now();
            counted = outcome.result.total().files;
        });
        std::this_thread::sleep_for(delay);
        const Clock::time_point asked = Clock::now();
        stop.request_stop();
        check.join();
        latencies.push_back(std::chrono::duration<double, std::milli>(std::max(returned, asked) - asked).count());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("stop latency: median %.1f ms, worst %.1f ms over %d runs (%lld files counted by the last)\n",
                latencies[latencies.size() / 2], latencies.back(), runs, static_cast<long long>(counted));
    return 0;
}
