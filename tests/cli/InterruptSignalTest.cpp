// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InterruptSignal.h"

#include "convert/JobConversion.h"

#include <gtest/gtest.h>

// Every signal a terminal or a pipe sends stops the job instead of killing
// the program; the first one sets the exit status. A file-size limit only
// makes writes fail.
TEST(InterruptSignal, TerminalAndPipeSignalsStopTheJobAndSetTheStatus)
{
    for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        SCOPED_TRACE(number);
        std::atomic<int> control{JobControl::Run};
        InterruptSignal signal(control);
        EXPECT_EQ(InterruptSignal::ExitStatus(1), 1);
        std::raise(number);
        std::raise(SIGINT);
        std::raise(SIGXFSZ);
        EXPECT_EQ(control.load(), JobControl::Stop);
        EXPECT_TRUE(InterruptSignal::Flag().load());
        EXPECT_EQ(InterruptSignal::ExitStatus(130), 128 + number);
    }
}
