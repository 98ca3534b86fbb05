#pragma once

#include <atomic>
#include <csignal>

// While it lives, Ctrl-C (and SIGTERM) ask the running job to stop through
// its control word instead of killing the program.
class InterruptSignal {
public:
    explicit InterruptSignal(std::atomic<int>& control);
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // Set once the signal has come.
    static const std::atomic<bool>& Flag();

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
};
