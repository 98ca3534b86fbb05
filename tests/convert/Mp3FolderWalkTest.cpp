// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/Mp3FolderWalk.h"

#include "RecordingHost.h"
#include "SyntheticAudio.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void Touch(const std::string& path, std::size_t bytes = 0)
{
    fs::create_directories(fs::path(path).parent_path());
    SyntheticAudio::WriteFile(path, std::vector<std::uint8_t>(bytes, 0));
}

std::vector<std::string> Relatives(const std::vector<Mp3FolderWalk::Found>& found)
{
    std::vector<std::string> relatives;
    for (const auto& file : found)
        relatives.push_back(file.relative);
    return relatives;
}

// Runs `walk` as a user without root's power to read any folder, so that
// folders without read permission stay closed to it; returns the lines it
// logged and the number of files it found, joined by "|".
std::string AsUnprivilegedUser(const std::function<std::string()>& walk)
{
    if (::geteuid() != 0)
        return walk();
    int fds[2];
    if (::pipe(fds) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const std::string text = walk();
        const ssize_t written = ::write(fds[1], text.data(), text.size());
        ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 3);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "child failed";
}

}  // namespace

TEST(Mp3FolderWalk, KeepsTheTreeInNameOrderAndSkipsLinkLoops)
{
    TempDir dir;
    const std::string root = dir.File("Music");
    Touch(root + "/B Artist/Album/02.mp3");
    Touch(root + "/B Artist/Album/01.MP3", 417);
    Touch(root + "/B Artist/Album/cover.jpg");
    Touch(root + "/B Artist/Album/notes.mp3.txt");
    Touch(root + "/A Artist/10.Mp3");
    Touch(root + "/A Artist/09.mp3");
    Touch(root + "/top.mp3");
    fs::create_directories(root + "/folder.mp3");  // a folder, whatever its name says
    Touch(root + "/folder.mp3/inside.mp3");
    fs::create_directory_symlink("..", root + "/B Artist/Album/back");  // a loop
    fs::create_symlink(root + "/gone.mp3", root + "/dangling.mp3");

    RecordingHost log("", "", "");
    std::vector<Mp3FolderWalk::Found> found;
    ASSERT_TRUE(Mp3FolderWalk::Find(root, log, found));
    EXPECT_EQ(Relatives(found),
              (std::vector<std::string>{"A Artist/09.mp3", "A Artist/10.Mp3", "B Artist/Album/01.MP3",
                                        "B Artist/Album/02.mp3", "folder.mp3/inside.mp3", "top.mp3"}));
    EXPECT_EQ(found[2].path, root + "/B Artist/Album/01.MP3");
    EXPECT_EQ(found[2].size, 417u);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0],
              "Folder " + root
                  + "/B Artist/Album/back skipped: a symbolic link leads back to a "
                    "folder searched already\r\n");

    // A link to a folder elsewhere is followed like the folder itself.
    const std::string other = dir.File("Other");
    Touch(other + "/x.mp3");
    fs::create_directory_symlink(other, root + "/C linked");
    found.clear();
    ASSERT_TRUE(Mp3FolderWalk::Find(root, log, found));
    EXPECT_EQ(found.size(), 7u);
    EXPECT_EQ(found[4].relative, "C linked/x.mp3");  // byte order: capitals first

    // The caller can end a long walk early.
    found.clear();
    EXPECT_TRUE(Mp3FolderWalk::Find(root, log, found, [](std::size_t) { return false; }));
    EXPECT_TRUE(found.empty());
}

TEST(Mp3FolderWalk, UnreadableFoldersAreSkippedWithALogLine)
{
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0755);
    const std::string root = dir.File("Music");
    Touch(root + "/a/1.mp3");
    Touch(root + "/b/2.mp3");
    Touch(root + "/c/3.mp3");
    ::chmod((root + "/b").c_str(), 0);
    const auto walk = [](const std::string& folder) {
        return AsUnprivilegedUser([folder] {
            RecordingHost log("", "", "");
            std::vector<Mp3FolderWalk::Found> found;
            const bool read = Mp3FolderWalk::Find(folder, log, found);
            std::string text = std::string(read ? "read" : "unread") + "|" + std::to_string(found.size());
            for (const auto& line : log.Lines())
                text += "|" + line;
            return text;
        });
    };
    EXPECT_EQ(walk(root), "read|2|Folder " + root + "/b skipped: it cannot be read (Permission denied)\r\n");
    EXPECT_EQ(walk(root + "/b"), "unread|0|Folder " + root + "/b skipped: it cannot be read (Permission denied)\r\n");
    EXPECT_EQ(walk(root + "/none"),
              "unread|0|Folder " + root + "/none skipped: it cannot be read (No such file or directory)\r\n");
    ::chmod((root + "/b").c_str(), 0755);
}
