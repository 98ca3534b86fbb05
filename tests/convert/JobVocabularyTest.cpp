// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobVocabulary.h"

#include "convert/ConversionOutcome.h"
#include "convert/JobConversion.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Bitrate texts from settings files, status cells and the command line are
// all read this way.
TEST(JobVocabularyTest, LeadingNumberReadsLikeTheCLibraryWithoutOverflow)
{
    EXPECT_EQ(JobVocabulary::LeadingNumber("192"), 192);
    EXPECT_EQ(JobVocabulary::LeadingNumber(" 96"), 96);
    EXPECT_EQ(JobVocabulary::LeadingNumber("128abc"), 128);
    EXPECT_EQ(JobVocabulary::LeadingNumber("37%"), 37);
    EXPECT_EQ(JobVocabulary::LeadingNumber("-5"), -5);
    EXPECT_EQ(JobVocabulary::LeadingNumber("abc"), 0);
    EXPECT_EQ(JobVocabulary::LeadingNumber(""), 0);
    EXPECT_EQ(JobVocabulary::LeadingNumber("99999999999999999999"), INT_MAX);  // never wraps into a valid rate
    EXPECT_EQ(JobVocabulary::LeadingNumber("-99999999999999999999"), INT_MIN);
}

TEST(JobVocabularyTest, RunResultsLeaveTheirStatus)
{
    EXPECT_STREQ(JobVocabulary::StatusAfter(ConversionOutcome::Of(ConversionOutcome::Kind::Converted)), "100%");
    EXPECT_STREQ(JobVocabulary::StatusAfter(ConversionOutcome::Of(ConversionOutcome::Kind::Refused)), "ERR");
    EXPECT_STREQ(JobVocabulary::StatusAfter(ConversionOutcome::Of(ConversionOutcome::Kind::RestartRequested)), "0");
}

}  // namespace
