// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The batch section of the benchmark: many sources through vorlanta-cli one
// at a time and all cores at once, through the window's queue with one and
// with all cores' worth of simultaneous conversions, beside the peer (lame
// over xargs -P); the window with 10,000 queued jobs; and the folder walk
// over a generated tree of 10,000 files.
class BatchBench {
public:
    // `bin` holds vorlanta-cli and vorlanta-bench; `runs` is the best-of count.
    static int Run(const std::string& bin, int runs);
    // Child mode of vorlanta-bench: walks `folder`, prints "SECONDS COUNT".
    static int Walk(const std::string& folder);
    // A tree like a music library under `root`: 10,000 empty stand-ins for
    // MP3 files, 10 to an album, 10 albums to an artist, and a cover picture
    // per album.
    static void MakeLibrary(const std::string& root);
    static constexpr int kLibraryFiles = 10000;
};
