// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PathList.h"

#include "cli/CliOptions.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<std::string> ReadText(const std::string& text, bool nul)
{
    std::FILE* stream = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), stream);
    std::rewind(stream);
    auto paths = PathList::Read(stream, nul);
    std::fclose(stream);
    return paths;
}

}  // namespace

// Paths come as they are: blanks kept, empty entries left out, a last entry
// without its separator taken; with -0 a newline is part of a name.
TEST(PathList, LinesAndNulSeparatedNames)
{
    EXPECT_EQ(ReadText("a.mp3\n with blank .mp3\n\nlast.mp3", false),
              (std::vector<std::string>{"a.mp3", " with blank .mp3", "last.mp3"}));
    EXPECT_EQ(ReadText(std::string("new\nline.mp3\0\0b.mp3\0", 21), true),
              (std::vector<std::string>{"new\nline.mp3", "b.mp3"}));
    std::string error;
    EXPECT_FALSE(PathList::ReadNamed("/nonexistent/list", false, error));
    EXPECT_EQ(error, "the list /nonexistent/list cannot be read: No such file or directory");
}

// --files-from: the list's sources after those of the command line; a list
// that cannot be read is refused before anything starts.
TEST(PathList, FilesFromAddsTheListsSources)
{
    TempDir dir;
    const std::string list = dir.File("list");
    std::FILE* file = std::fopen(list.c_str(), "wb");
    std::fputs("b.mp3\nc d.mp3\n", file);
    std::fclose(file);
    std::string error;
    const auto options = CliOptions::Parse({"a.mp3", "--files-from", list}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->sources, (std::vector<std::string>{"a.mp3", "b.mp3", "c d.mp3"}));
    EXPECT_FALSE(CliOptions::Parse({"--files-from", dir.File("missing")}, error));
    EXPECT_NE(error.find("cannot be read: No such file or directory"), std::string::npos);
}
