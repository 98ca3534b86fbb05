// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ResultFile.h"

#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::size_t FileCount(const TempDir& dir)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

}  // namespace

// A header known only at the end is written over its placeholder, and the
// appends after it go on at the end.
TEST(ResultFile, WriteAtOverwritesEarlierBytesBeforeTheRename)
{
    TempDir dir;
    const std::string path = dir.File("r.mp3");
    ResultFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Append("ab....", 6));
    ASSERT_TRUE(file.WriteAt(2, "cd", 2));
    ASSERT_TRUE(file.Append("ef", 2));
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(SyntheticAudio::ReadFile(path), (Bytes{'a', 'b', 'c', 'd', '.', '.', 'e', 'f'}));
    EXPECT_EQ(FileCount(dir), 1u);
}

// Two jobs on one result (parallel conversions, two programs): neither
// removes the other's temporary file, and the one that finishes second does
// not replace a file that appeared after it began.
TEST(ResultFile, TwoWritersOfOneResultNeverTakeEachOthersFiles)
{
    TempDir dir;
    const std::string path = dir.File("r.mp3");
    ResultFile first;
    ResultFile second;
    ASSERT_TRUE(first.Create(path));
    ASSERT_TRUE(second.Create(path));  // looks for leftovers: the first's file is held
    ASSERT_TRUE(first.Append("1", 1));
    ASSERT_TRUE(second.Append("2", 1));
    EXPECT_EQ(FileCount(dir), 2u);
    ASSERT_TRUE(second.Commit());
    EXPECT_FALSE(first.Commit());
    EXPECT_EQ(first.Reason(), "File exists");
    EXPECT_EQ(SyntheticAudio::ReadFile(path), Bytes{'2'});
    EXPECT_EQ(FileCount(dir), 1u);
}
