// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double ToSeconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Runs argv in a child whose standard output goes to `out` and standard error nowhere.
pid_t Start(const std::vector<std::string>& argv, int out)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        std::vector<char*> args;
        for (const auto& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return pid;
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
    const pid_t pid = Start(argv, pipeFds[1]);
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
        run.output.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.seconds = ToSeconds(usage.ru_utime) + ToSeconds(usage.ru_stime);
    run.peakKiB = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    std::vector<pid_t> pids;
    for (const auto& argv : argvs)
        pids.push_back(Start(argv, null));
    ::close(null);
    run.status = 0;
    for (const pid_t pid : pids) {
        int status = 0;
        rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        run.seconds += ToSeconds(usage.ru_utime) + ToSeconds(usage.ru_stime);
        run.peakKiB = std::max(run.peakKiB, usage.ru_maxrss);
        if (pid < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            run.status = -1;
    }
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}
