// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/JobPlanner.h"

#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Kind = ConversionOutcome::Kind;

class JobPlannerTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingHost log{"", "", ""};

    std::string Make(const std::string& name, int bitrate = 128)
    {
        const std::string path = dir.File(name);
        fs::create_directories(fs::path(path).parent_path());
        SyntheticAudio::Mp3Options mp3;
        mp3.bitrate = bitrate;
        SyntheticAudio::WriteFile(path, SyntheticAudio::EncodeMp3(SyntheticAudio::Tone(44100, 2, 0.3), mp3));
        return path;
    }
};

}  // namespace

TEST_F(JobPlannerTest, ResultNamesAndTheFolderTree)
{
    const EncodeSettings rate = EncodeSettings::Cbr(96);
    EXPECT_EQ(JobPlanner::ResultName("/in/Song.v2.MP3", {}, rate), "/in/Song.v2_96.mp3");
    EXPECT_EQ(JobPlanner::ResultName("song.flac", {}, rate), "song_96.mp3");
    EXPECT_EQ(JobPlanner::ResultName("/in/x.mp3", "/out", rate), "/out/x_96.mp3");
    EXPECT_EQ(JobPlanner::TreeResultName("/m/A/B/x.mp3", "A/B/x.mp3", "/out/", rate), "/out/A/B/x_96.mp3");
    EXPECT_EQ(JobPlanner::TreeResultName("/m/A/x.mp3", "A/x.mp3", "", rate), "/m/A/x_96.mp3");
    // The accepted result of a found file stands for the folder its tree goes under.
    EXPECT_EQ(JobPlanner::TreeRoot("/out/A/B/x_96.mp3", "A/B/x.mp3"), "/out/");
    EXPECT_EQ(JobPlanner::TreeRoot("/elsewhere/x_96.mp3", "A/B/x.mp3"), "/elsewhere/");
    EXPECT_EQ(EncodeSettings::FromText(" 96 kbit/s"), rate);

    Make("Music/Artist/01.mp3");
    Make("Music/Single.mp3");
    const auto planned = JobPlanner::Plan({dir.File("Music")}, {rate, {}, dir.File("OUT")}, log);
    ASSERT_EQ(planned.size(), 2u);
    EXPECT_EQ(planned[0].job.result, dir.File("OUT/Artist/01_96.mp3"));
    EXPECT_EQ(planned[1].job.result, dir.File("OUT/Single_96.mp3"));
    EXPECT_FALSE(planned[0].decided);

    // A stop during a folder's search names that folder and every source
    // after it, so nothing the user asked for goes unmentioned.
    int asked = 0;
    std::vector<std::string> notSearched;
    const std::string first = Make("first.mp3");
    const auto stopped = JobPlanner::Plan(
        {first, dir.File("Music"), dir.File("last.mp3")}, {rate, {}, {}}, log, [&asked] { return ++asked <= 2; },
        &notSearched);
    ASSERT_FALSE(stopped.empty());
    EXPECT_EQ(stopped[0].job.source, first);
    EXPECT_EQ(notSearched, (std::vector<std::string>{dir.File("Music"), dir.File("last.mp3")}));
}

// One file reached by two spellings (a linked folder) and two sources that
// would write one result are refused before anything runs, naming both; a
// result of this run given as a source is skipped.
TEST_F(JobPlannerTest, ClashesAreToldByFileIdentityNotSpelling)
{
    const std::string source = Make("a/x.mp3");
    fs::create_directory_symlink(dir.File("a"), dir.File("l"));
    const std::string linked = dir.File("l/x.mp3");
    const std::string dotted = dir.File("a/./x.mp3");
    const std::string earlier = Make("a/x_128.mp3");  // the result of an earlier run
    const auto planned = JobPlanner::Plan({source, linked, dotted, earlier}, {}, log);
    ASSERT_EQ(planned.size(), 4u);
    EXPECT_FALSE(planned[0].decided);
    for (std::size_t twin : {1u, 2u}) {
        ASSERT_TRUE(planned[twin].decided);
        EXPECT_EQ(planned[twin].decided->kind, Kind::Refused);
        EXPECT_NE(planned[twin].decided->reason.find(source), std::string::npos) << planned[twin].decided->reason;
    }
    EXPECT_EQ(planned[3].decided->kind, Kind::Skipped);

    // Results not there yet: a folder and its link are one folder.
    Make("b/y.mp3");
    Make("c/y.mp3");
    const auto clash = JobPlanner::Plan({dir.File("b/y.mp3"), dir.File("c/y.mp3")}, {{}, {}, dir.File("l")}, log);
    EXPECT_FALSE(clash[0].decided);
    ASSERT_TRUE(clash[1].decided);
    EXPECT_EQ(clash[1].decided->reason,
              dir.File("l/y_128.mp3") + " is the result of " + dir.File("b/y.mp3") + " already");
    EXPECT_TRUE(JobPlanner::SameFile(dir.File("a/new.mp3"), dir.File("l/new.mp3")));
}

TEST_F(JobPlannerTest, AsAJobStartsSkipRulesRefusalsAndItsFolder)
{
    const std::string low = Make("low.mp3", 96);
    const EncodeSettings rate = EncodeSettings::Cbr(128);
    const auto start = [&](const std::string& result, JobPlanner::StartRules rules) {
        return JobPlanner::BeforeStart({low, result, rate}, rules, log);
    };
    using Existing = JobPlanner::Existing;
    EXPECT_EQ(start(low, {})->kind, Kind::Refused);
    EXPECT_EQ(start(dir.File("./low.mp3"), {})->kind, Kind::Refused);
    EXPECT_EQ(start(dir.File("new/deep/r.mp3"), {true, Existing::Replace})->kind, Kind::Skipped);
    EXPECT_TRUE(log.Logged(low + " is 96 kbit/s, not above 128 kbit/s: skipped\r\n"));
    EXPECT_FALSE(fs::exists(dir.File("new")));  // a skipped job makes nothing

    EXPECT_FALSE(start(dir.File("new/deep/r.mp3"), {}));
    EXPECT_TRUE(fs::is_directory(dir.File("new/deep")));
    SyntheticAudio::WriteFile(dir.File("new/deep/r.mp3"), {1});
    EXPECT_EQ(start(dir.File("new/deep/r.mp3"), {false, Existing::Skip})->kind, Kind::Skipped);
    EXPECT_EQ(start(dir.File("new/deep/r.mp3"), {false, Existing::Refuse})->kind, Kind::Refused);
    EXPECT_FALSE(start(dir.File("new/deep/r.mp3"), {false, Existing::Replace}));

    SyntheticAudio::WriteFile(dir.File("file"), {1});
    const auto blocked = start(dir.File("file/r.mp3"), {});
    ASSERT_TRUE(blocked);
    EXPECT_EQ(blocked->kind, Kind::Failed);
    EXPECT_NE(blocked->reason.find("Dest folder " + dir.File("file") + " cannot be created"), std::string::npos);
}

// A link is an existing result, even one to a missing file; a name ending
// in "/" or naming a folder is no result, refused before anything is made.
TEST_F(JobPlannerTest, SpecialResultNames)
{
    const std::string source = Make("s.mp3");
    const auto start = [&](const std::string& result, JobPlanner::Existing existing) {
        return JobPlanner::BeforeStart({source, result, EncodeSettings::Cbr(128)}, {false, existing}, log);
    };
    using Existing = JobPlanner::Existing;
    const std::string dangling = dir.File("dangling.mp3");
    fs::create_symlink(dir.File("gone.mp3"), dangling);
    const auto refused = start(dangling, Existing::Refuse);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->reason, dangling + " exists already, a link to a missing file");
    EXPECT_EQ(start(dangling, Existing::Skip)->kind, Kind::Skipped);
    EXPECT_FALSE(start(dangling, Existing::Replace));

    for (const std::string& folder : {dir.File("newdir/"), dir.Path()}) {
        const auto outcome = start(folder, Existing::Replace);
        ASSERT_TRUE(outcome) << folder;
        EXPECT_EQ(outcome->reason, folder + " is a folder, not a file name");
    }
    EXPECT_FALSE(fs::exists(dir.File("newdir")));
}
