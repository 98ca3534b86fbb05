// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/JobStatus.h"

#include <gtest/gtest.h>

TEST(JobStatusTest, ReadsAtMostThreeCharacters)
{
    EXPECT_EQ(JobStatus::FromCell("100%").Text(), "100");
    EXPECT_EQ(JobStatus::FromCell("37%").Text(), "37%");
    EXPECT_EQ(JobStatus::FromCell("ERRATIC").Text(), "ERR");
    // A fourth character cannot turn "100" into anything else.
    EXPECT_TRUE(JobStatus::FromCell("1000").IsEnded());
}

TEST(JobStatusTest, ClassifiesTheStatusTexts)
{
    const JobStatus waiting = JobStatus::FromCell("0");
    EXPECT_TRUE(waiting.IsWaiting());
    EXPECT_FALSE(waiting.IsRunning());

    for (const char* running : {"1%", "2%", "37%", "99%"}) {
        SCOPED_TRACE(running);
        EXPECT_TRUE(JobStatus::FromCell(running).IsRunning());
        EXPECT_FALSE(JobStatus::FromCell(running).IsEnded());
    }

    const JobStatus ended = JobStatus::FromCell("100%");
    EXPECT_EQ(ended.Number(), 100);
    EXPECT_TRUE(ended.IsEnded());
    EXPECT_FALSE(ended.IsRunning());

    const JobStatus failed = JobStatus::FromCell("ERR");
    EXPECT_TRUE(failed.IsError());
    EXPECT_FALSE(failed.IsWaiting());
    EXPECT_FALSE(failed.IsRunning());
    EXPECT_FALSE(failed.IsEnded());
}

TEST(JobStatusTest, ErrorIsMatchedInCapitalsOnly)
{
    for (const char* text : {"err", "Err", "eRR"}) {
        SCOPED_TRACE(text);
        const JobStatus status = JobStatus::FromCell(text);
        EXPECT_FALSE(status.IsError());
        EXPECT_EQ(status.Number(), 0);
        EXPECT_TRUE(status.IsWaiting());
    }
}

TEST(JobStatusTest, TextWithoutLeadingNumberCountsAsZero)
{
    EXPECT_EQ(JobStatus::FromCell("abc").Number(), 0);
    EXPECT_EQ(JobStatus::FromCell("%5").Number(), 0);
    EXPECT_EQ(JobStatus::FromCell(" 42").Number(), 42);  // leading blanks are skipped
    EXPECT_EQ(JobStatus::FromCell("7x9").Number(), 7);
    EXPECT_TRUE(JobStatus::FromCell("").IsEmpty());
    EXPECT_FALSE(JobStatus::FromCell("0").IsEmpty());
}
