// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <csignal>
#include <iterator>

// While it lives, the signals a terminal or a pipe sends (Ctrl-C, SIGTERM,
// a closed terminal, a closed pipe) ask the running job to stop through its
// control word instead of killing the program, so its temporary file is
// removed and the program ends with 128 + the signal's number. A file-size
// limit makes writes fail instead of killing the program.
class InterruptSignal {
public:
    explicit InterruptSignal(std::atomic<int>& control);
    ~InterruptSignal();
    InterruptSignal(const InterruptSignal&) = delete;
    InterruptSignal& operator=(const InterruptSignal&) = delete;

    // Set once one of the signals has come.
    static const std::atomic<bool>& Flag();
    // The first signal that came; 0 when none did.
    static int Number();
    // The exit status for a run that ended with `status`: 128 + the signal's
    // number once a signal has come.
    static int ExitStatus(int status);

private:
    static constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
    struct sigaction m_old[std::size(kStopSignals)]{};
    struct sigaction m_oldFileSize { };
};
