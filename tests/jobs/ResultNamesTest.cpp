// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ResultNames.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultNamesTest, TitleIsTheNameWithoutFolderAndExtension)
{
    EXPECT_EQ(ResultNames::Title("/in/deep/song.mp3"), QString("song"));
    EXPECT_EQ(ResultNames::Title("/in/my_song.v2.MP3"), QString("my_song.v2"));
    EXPECT_EQ(ResultNames::Title("plain.mp3"), QString("plain"));
    EXPECT_EQ(ResultNames::Title("/in/x"), QString("x"));  // no extension: nothing is cut off
}

TEST(ResultNamesTest, FoldersOfAPath)
{
    EXPECT_EQ(ResultNames::FolderWithSlash("/out/x_96.mp3"), QString("/out/"));
    EXPECT_EQ(ResultNames::FolderWithSlash("/x_96.mp3"), QString("/"));
    EXPECT_EQ(ResultNames::FolderWithSlash("x_96.mp3"), QString());
    EXPECT_EQ(ResultNames::FolderOf("/out/sub/x.mp3"), QString("/out/sub"));
    EXPECT_EQ(ResultNames::FolderOf("/x.mp3"), QString("/"));
    EXPECT_EQ(ResultNames::FolderOf("x.mp3"), QString());
}

TEST(ResultNamesTest, AddCommandOffersTheDestinationFolderWhenItIsLongerThanTwoCharacters)
{
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "/out", "192"), QString("/out/x_192.mp3"));
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "/out/", "192"), QString("/out/x_192.mp3"));
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "/ab", "64"), QString("/ab/x_64.mp3"));
    // Two characters or fewer (the shipped "c"): beside the source.
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "c", "128"), QString("/in/x_128.mp3"));
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "/a", "128"), QString("/in/x_128.mp3"));
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "", "128"), QString("/in/x_128.mp3"));
    // The settings page stores " 96"; no blank reaches a file name.
    EXPECT_EQ(ResultNames::ForAddCommand("/in/x.mp3", "/out", " 96"), QString("/out/x_96.mp3"));
}

}  // namespace
