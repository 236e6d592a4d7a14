// Runs a command as a child process with its output thrown away, and measures it from outside:
// wall time from start to exit, and the child's peak resident memory; and a private home for it
// to run in. For benchmarks only.
#pragma once

#include "BrindleCore/CheckResult.h"

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

// Makes a private home folder in /tmp, points HOME, XDG_CONFIG_HOME and XDG_DATA_HOME of this
// process (and so of the commands it runs) into it, draws Qt off screen, and keeps `result` as
// the last check there. The folder, or empty when any of it failed.
std::string privateHomeWith(const CheckResult& result);

} // namespace brindle::bench
