#include "cli/InterruptSignal.h"

#include "convert/JobConversion.h"

namespace {

std::atomic<int>* g_control = nullptr;
std::atomic<bool> g_raised{false};

static_assert(std::atomic<int>::is_always_lock_free, "the handler writes the control word");

void OnSignal(int)
{
    g_raised.store(true);
    if (g_control != nullptr)
        g_control->store(JobControl::Stop);
}

}  // namespace

InterruptSignal::InterruptSignal(std::atomic<int>& control)
{
    g_control = &control;
    g_raised.store(false);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
}

InterruptSignal::~InterruptSignal()
{
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
    g_control = nullptr;
}

const std::atomic<bool>& InterruptSignal::Flag()
{
    return g_raised;
}
