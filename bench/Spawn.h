// Runs a command as a child process with its output thrown away, and measures it from outside:
// wall time from start to exit, and the child's peak resident memory. For benchmarks only.
#pragma once

#include <string>
#include <vector>

namespace brindle::bench {

struct Run {
    double milliseconds = 0;
    long peakKilobytes = 0;
    bool succeeded = false; // exited with status 0
};

Run spawnAndWait(const std::vector<std::string>& command);

// The median of `values` (sorted in place); 0 for none.
double median(std::vector<double>& values);

} // namespace brindle::bench
