// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

std::optional<CliOptions> Parse(std::vector<std::string> args, std::string* error = nullptr)
{
    std::string message;
    auto options = CliOptions::Parse(args, message);
    if (error != nullptr)
        *error = message;
    return options;
}

}  // namespace

TEST(CliOptions, DefaultsAndResultNames)
{
    const auto options = Parse({"/music/a b/Song.MP3", "rel.mp3"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->settings, EncodeSettings::Cbr(128));

    const auto inDir = Parse({"-b", "192", "-d", "/out", "/music/x.mp3"});
    ASSERT_TRUE(inDir);
    EXPECT_EQ(inDir->Choices().settings, EncodeSettings::Cbr(192));
    EXPECT_EQ(inDir->Choices().resultFolder, "/out");
    EXPECT_EQ(options->jobs, CliOptions::DefaultJobs());
    EXPECT_GE(options->jobs, 1);
    EXPECT_EQ(Parse({"-j", "1", "a.mp3"})->jobs, 1);

    const auto named = Parse({"-o", "/tmp/r.mp3", "--overwrite", "s.mp3"});
    ASSERT_TRUE(named);
    EXPECT_TRUE(named->overwrite);
    EXPECT_EQ(named->Choices().output, "/tmp/r.mp3");
}

// Variable and average bitrate name their results after the mode; the last
// of -b, -V and --abr counts, as with lame.
TEST(CliOptions, VariableAndAverageBitrate)
{
    const auto vbr = Parse({"-b", "320", "-V", "2", "--replaygain", "album", "/m/Song.mp3"});
    ASSERT_TRUE(vbr);
    EXPECT_EQ(JobPlanner::ResultName("/m/Song.mp3", "/m", vbr->Choices().settings), "/m/Song_V2.mp3");
    EXPECT_EQ(vbr->settings.ComparableKbps(), 190);
    EXPECT_EQ(vbr->replayGain, LoudnessTags::Album);
    const auto abr = Parse({"-V", "0", "--abr", "160", "/m/Song.mp3"});
    ASSERT_TRUE(abr);
    EXPECT_EQ(JobPlanner::ResultName("/m/Song.mp3", "/m", abr->Choices().settings), "/m/Song_A160.mp3");
    EXPECT_EQ(abr->settings.ComparableKbps(), 160);
    EXPECT_EQ(EncodeSettings::FromText(abr->settings.Text()), abr->settings);
    std::string error;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"-V", "10", "a.mp3"}, {"-V", "x", "a.mp3"}, {"--abr", "150", "a.mp3"}, {"--replaygain", "on", "a.mp3"}})
        EXPECT_FALSE(Parse(bad, &error)) << bad[0] << " " << bad[1];
}

TEST(CliOptions, RefusesWhatCannotWork)
{
    std::string error;
    for (const char* rate : {"31", "100", "321", "0", "abc", "-128", "1280"}) {
        EXPECT_FALSE(Parse({"-b", rate, "a.mp3"}, &error)) << rate;
        EXPECT_NE(error.find("bitrate"), std::string::npos);
    }
    EXPECT_FALSE(Parse({}, &error));
    EXPECT_EQ(error, "no source file given");
    EXPECT_FALSE(Parse({"-o", "r.mp3", "a.mp3", "b.mp3"}, &error));
    EXPECT_FALSE(Parse({"-o", "r.mp3", "-d", "/x", "a.mp3"}, &error));
    EXPECT_FALSE(Parse({"--fast", "a.mp3"}, &error));
    for (const char* jobs : {"0", "-1", "x", "257", ""})
        EXPECT_FALSE(Parse({"-j", jobs, "a.mp3"}, &error)) << jobs;
    EXPECT_FALSE(Parse({"--overwrite", "--skip-existing", "a.mp3"}, &error));
    EXPECT_FALSE(Parse({"-o", "r.mp3", "/"}, &error));
    EXPECT_EQ(error, "-o names one result, but the source is a folder");
    EXPECT_FALSE(Parse({"a.mp3", "-b"}, &error));
    EXPECT_EQ(error, "-b needs a value");
    for (int rate : {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320})
        EXPECT_TRUE(Parse({"-b", std::to_string(rate), "a.mp3"})) << rate;
    const auto dashed = Parse({"--", "-odd.mp3"});
    ASSERT_TRUE(dashed);
    EXPECT_EQ(dashed->sources, std::vector<std::string>{"-odd.mp3"});
}

// getopt_long's conventions: values attached or as the next word, long names
// with "=", flags grouped, options after sources, a long name shortened.
TEST(CliOptions, LongNamesAndAttachedValues)
{
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{{"-b64", "a.mp3"},
                                                                                       {"-b", "64", "a.mp3"},
                                                                                       {"--bitrate=64", "a.mp3"},
                                                                                       {"a.mp3", "--bitrate", "64"},
                                                                                       {"--bit=64", "a.mp3"}}) {
        const auto options = Parse(words);
        ASSERT_TRUE(options) << words[0];
        EXPECT_EQ(options->settings, EncodeSettings::Cbr(64)) << words[0];
        EXPECT_EQ(options->sources, std::vector<std::string>{"a.mp3"}) << words[0];
    }
    const auto all = Parse({"--vbr=2", "--jobs=3", "--directory", "/out", "-0", "--files-from=/dev/null",
                            "--replaygain=track", "a.mp3", "-j4"});
    ASSERT_TRUE(all);
    EXPECT_EQ(all->settings, EncodeSettings::Vbr(2));
    EXPECT_EQ(all->jobs, 4);
    EXPECT_EQ(all->directory, "/out");
    EXPECT_TRUE(all->nulSeparated);
    EXPECT_EQ(all->replayGain, LoudnessTags::Track);
    const auto grouped = Parse({"-0h"});
    ASSERT_TRUE(grouped);
    EXPECT_TRUE(grouped->help && grouped->nulSeparated);
    EXPECT_EQ(Parse({"--output=r.mp3", "a.mp3"})->output, "r.mp3");

    std::string error;
    EXPECT_FALSE(Parse({"a.mp3", "--bitrate"}, &error));
    EXPECT_EQ(error, "--bitrate needs a value");
    EXPECT_FALSE(Parse({"--overwrite=yes", "a.mp3"}, &error));
    EXPECT_EQ(error, "--overwrite takes no value");
    EXPECT_FALSE(Parse({"--skip", "a.mp3"}, &error));
    EXPECT_EQ(error, "option '--skip' is ambiguous: --skip-existing, --skip-lower");
    EXPECT_FALSE(Parse({"-0x", "a.mp3"}, &error));
    EXPECT_EQ(error, "unknown option '-x'");
    EXPECT_FALSE(Parse({"-b320x", "a.mp3"}, &error));
}
