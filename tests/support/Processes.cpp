#include "tests/support/Processes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

namespace brindle::test {

namespace {
// Forks and execs; in the child, standard input is `stdinFd` (or /dev/null) and standard
// output `stdoutFd` when not negative. The child leads a process group of its own.
int spawn(const std::vector<std::string>& argv, const Environment& environment, int stdinFd, int stdoutFd)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::setpgid(0, 0);
    for (const auto& [name, value] : environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    const int in = stdinFd >= 0 ? stdinFd : ::open("/dev/null", O_RDONLY);
    ::dup2(in, 0);
    if (stdoutFd >= 0)
        ::dup2(stdoutFd, 1);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

int statusOf(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1; }
} // namespace

Finished run(const std::vector<std::string>& argv, const Environment& environment)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    const int pid = spawn(argv, environment, -1, pipeFds[1]);
    ::close(pipeFds[1]);
    Finished finished;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        finished.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int raw = 0;
    if (pid > 0 && ::waitpid(pid, &raw, 0) == pid)
        finished.status = statusOf(raw);
    return finished;
}

Started::Started(const std::vector<std::string>& argv, const Environment& environment, int stdinFd)
    : pid_(spawn(argv, environment, stdinFd, -1))
{
}

Started::~Started()
{
    if (pid_ > 0)
        kill();
}

void Started::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(-pid_, SIGKILL);
    wait();
}

int Started::wait()
{
    if (pid_ <= 0)
        return -1;
    int raw = 0;
    const int result = ::waitpid(pid_, &raw, 0) == pid_ ? statusOf(raw) : -1;
    pid_ = -1;
    return result;
}

bool waitFor(const std::function<bool()>& ready, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds{500});
    }
    return true;
}

bool onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        auto end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        if (::access((dirs.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace brindle::test
