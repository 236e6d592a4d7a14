#include "bench/Spawn.h"

#include "BrindleCore/Store.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brindle::bench {

Run spawnAndWait(const std::vector<std::string>& command)
{
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    return {took.count(), usage.ru_maxrss, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

double median(std::vector<double>& values)
{
    if (values.empty())
        return 0;
    std::ranges::sort(values);
    return values[values.size() / 2];
}

std::string privateHomeWith(const CheckResult& result)
{
    char pattern[] = "/tmp/brindle-bench-XXXXXX";
    const char* root = mkdtemp(pattern);
    if (root == nullptr)
        return {};
    const std::string home = root;
    setenv("HOME", root, 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::error_code error;
    std::filesystem::create_directories(home + "/data/Brindle", error);
    return !error && Store::saveLast(result, Store::lastCheckURL()) ? home : std::string();
}

} // namespace brindle::bench
