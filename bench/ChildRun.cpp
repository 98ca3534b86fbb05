// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double ToSeconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// GNU time, if installed, reports the peak memory of the program itself.
// The kernel's own figure for a child (ru_maxrss) also counts the pages
// the child had as a copy of this process before it started the program,
// and this process holds tens of MiB of synthesised audio.
constexpr const char* kTime = "/usr/bin/time";

struct Started {
    pid_t pid = -1;
    int peakFd = -1;  // where GNU time writes the peak in KiB; -1 without it
};

// Runs argv in a child whose standard output goes to `out` and standard error nowhere.
Started Start(const std::vector<std::string>& argv, int out)
{
    Started started;
    int peak[2] = {-1, -1};
    const bool timed = ::access(kTime, X_OK) == 0 && ::pipe2(peak, O_CLOEXEC) == 0;
    started.pid = ::fork();
    if (started.pid == 0) {
        ::dup2(out, STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        std::vector<std::string> command;
        if (timed) {
            ::dup2(peak[1], 3);
            command = {kTime, "-q", "-f", "%M", "-o", "/dev/fd/3", "--"};
        }
        command.insert(command.end(), argv.begin(), argv.end());
        std::vector<char*> args;
        for (auto& arg : command)
            args.push_back(arg.data());
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    if (timed) {
        ::close(peak[1]);
        started.peakFd = peak[0];
    }
    return started;
}

// Waits for the child; its processor time and peak memory go into `run`.
int Wait(const Started& started, ChildRun& run)
{
    int status = 0;
    rusage usage{};
    ::wait4(started.pid, &status, 0, &usage);
    run.seconds += ToSeconds(usage.ru_utime) + ToSeconds(usage.ru_stime);
    long peakKiB = usage.ru_maxrss;
    if (started.peakFd >= 0) {
        char text[64] = {};
        if (::read(started.peakFd, text, sizeof text - 1) > 0)
            peakKiB = std::atol(text);
        ::close(started.peakFd);
    }
    run.peakKiB = std::max(run.peakKiB, peakKiB);
    return started.pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ChildRun ChildRun::Of(const std::vector<std::string>& argv)
{
    ChildRun run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    const auto start = std::chrono::steady_clock::now();
    ::fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
    const Started started = Start(argv, pipeFds[1]);
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    run.status = Wait(started, run);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

ChildRun ChildRun::Best(const std::vector<std::string>& argv, int times)
{
    ChildRun best;
    long peak = 0;
    for (int i = 0; i < times; ++i) {
        ChildRun run = Of(argv);
        peak = std::max(peak, run.peakKiB);
        if (i == 0 || run.seconds < best.seconds)
            best = run;
    }
    best.peakKiB = peak;
    return best;
}

ChildRun ChildRun::Together(const std::vector<std::vector<std::string>>& argvs)
{
    ChildRun run;
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const auto start = std::chrono::steady_clock::now();
    std::vector<Started> children;
    for (const auto& argv : argvs)
        children.push_back(Start(argv, null));
    ::close(null);
    run.status = 0;
    for (const Started& child : children)
        if (Wait(child, run) != 0)
            run.status = -1;
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
