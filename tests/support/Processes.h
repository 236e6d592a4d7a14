// Running the real backup tools from tests: a command run to its end, or started and killed
// part-way, and the wait for what a run leaves on the drive.
//
// Commands are argument vectors run without a shell, their output captured (standard output
// only; standard error goes to the test's log). Not thread-safe: one test thread.
#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace brindle::test {

using Environment = std::map<std::string, std::string>;

struct Finished {
    int status = -1; // the exit status; -1 when it could not be started or was killed
    std::string output;
};

// Runs `argv` with `environment` added to this process's, standard input from /dev/null, and
// waits for its end.
Finished run(const std::vector<std::string>& argv, const Environment& environment = {});

// A command started in a process group of its own; the destructor kills what is left of it.
class Started {
public:
    // `stdinFd` becomes its standard input when not negative (the caller keeps its own copy).
    Started(const std::vector<std::string>& argv, const Environment& environment = {}, int stdinFd = -1);
    ~Started();
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // SIGKILL to the whole group, as a crash or a pulled plug would; waits for the leader.
    void kill();
    // Waits for the end; its exit status, -1 when killed.
    int wait();

private:
    int pid_ = -1;
};

// Polls `ready` until it holds or `limit` passes; whether it held.
bool waitFor(const std::function<bool()>& ready, std::chrono::seconds limit = std::chrono::seconds{30});

// Whether `program` is on PATH. When it is not, the test should skip, saying so, unless
// BRINDLE_REQUIRE_REAL_TOOLS=1 asks that it fail instead (see requireTool below).
bool onPath(const std::string& program);

} // namespace brindle::test

// Skips the running test when the tool is missing, or fails it when the environment requires
// the real tools (BRINDLE_REQUIRE_REAL_TOOLS=1, as CI sets it).
#define BRINDLE_REQUIRE_TOOL(program)                                                                                  \
    do {                                                                                                               \
        if (!::brindle::test::onPath(program)) {                                                                       \
            if (const char* required = std::getenv("BRINDLE_REQUIRE_REAL_TOOLS");                                      \
                required && required == std::string("1"))                                                              \
                FAIL() << (program) << " is not installed, and BRINDLE_REQUIRE_REAL_TOOLS=1";                          \
            GTEST_SKIP() << (program) << " is not installed (scripts/install-deps installs it)";                       \
        }                                                                                                              \
    } while (false)
