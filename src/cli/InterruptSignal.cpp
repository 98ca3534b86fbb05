// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InterruptSignal.h"

#include "convert/JobConversion.h"

namespace {

std::atomic<int>* g_control = nullptr;
std::atomic<bool> g_raised{false};
std::atomic<int> g_number{0};

static_assert(std::atomic<int>::is_always_lock_free, "the handler writes the control word");

void OnSignal(int number)
{
    int none = 0;
    g_number.compare_exchange_strong(none, number);
    g_raised.store(true);
    if (g_control != nullptr)
        g_control->store(JobControl::Stop);
}

}  // namespace

InterruptSignal::InterruptSignal(std::atomic<int>& control)
{
    g_control = &control;
    g_raised.store(false);
    g_number.store(0);
    struct sigaction action { };
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        sigaction(kStopSignals[i], &action, &m_old[i]);
    // A write past the limit then fails with EFBIG like any other write.
    struct sigaction ignore { };
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &m_oldFileSize);
}

InterruptSignal::~InterruptSignal()
{
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        sigaction(kStopSignals[i], &m_old[i], nullptr);
    sigaction(SIGXFSZ, &m_oldFileSize, nullptr);
    g_control = nullptr;
}

const std::atomic<bool>& InterruptSignal::Flag()
{
    return g_raised;
}

int InterruptSignal::Number()
{
    return g_number.load();
}

int InterruptSignal::ExitStatus(int status)
{
    const int number = Number();
    return number != 0 ? 128 + number : status;
}
