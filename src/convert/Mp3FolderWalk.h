// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ActivityLog;

// Finds every MP3 file below a folder, for adding a whole folder as jobs.
// Each folder's entries are taken in name order, sub-folders where their
// name falls, so an album's tracks come in the order their names give.
// Symbolic links are followed; a folder reached a second time (a link loop,
// or two links to one folder) and a folder that cannot be read are skipped
// with a log line, and the walk goes on.
class Mp3FolderWalk {
public:
    struct Found {
        std::string path;      // the folder as given, joined with `relative`
        std::string relative;  // below the folder: "Artist/Album/01.mp3"
        std::uint64_t size = 0;
    };

    // Called after each folder with the number of files found so far;
    // returning false ends the walk early.
    using Progress = std::function<bool(std::size_t found)>;

    // False when `folder` itself cannot be read (logged); a folder below it
    // that cannot be read is logged and, when `unreadable` is given, added
    // to it, and the walk goes on.
    static bool Find(const std::string& folder, ActivityLog& log, std::vector<Found>& found,
                     const Progress& progress = {}, std::vector<std::string>* unreadable = nullptr);

    // ".mp3" in any case.
    static bool IsMp3Name(const std::string& name);
};
