// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"

#include <QString>

// Result names the add flows offer, and the path pieces they are made of:
// the job planner's rules (JobPlanner), for the window's texts. A file's
// title is its name without the folder and without ".mp3" (or another
// extension).
class ResultNames {
public:
    // The longest path a job may carry.
    static constexpr int kMaxPathLength = 255;
    // The rate a dropped file's offered name carries, whatever the defaults say.
    static constexpr int kDropRate = 128;

    static QString Title(const QString& path);
    // The path without its last four characters.
    static QString WithoutExtension(const QString& path);
    // Everything up to and including the last "/"; empty when there is none.
    static QString FolderWithSlash(const QString& path);
    // The folder a path lies in, without a final "/" except for the root
    // ("/x.mp3" lies in "/"); empty when the path names no folder.
    static QString FolderOf(const QString& path);

    // Offered by the Add command: in the default destination folder when it
    // is longer than two characters, otherwise beside the source; the rate
    // is the default bitrate text without blanks around it.
    static QString ForAddCommand(const QString& source, const QString& destFolder, const QString& bitRateText);
    // Offered for a dropped file: beside the source, at 128 kbit/s.
    static QString ForDrop(const QString& source);
    // Used for the files of a same-settings batch: in the remembered folder
    // (which ends in "/"), or beside the source when none was remembered.
    static QString ForSameSettings(const QString& source, const QString& folder, const EncodeSettings& settings);

    // Files found below an added folder keep their sub-folders below the
    // result folder: `relative` is the source's path below the added folder
    // ("Artist/Album/01.mp3").
    // Offered for the first file: below the default destination folder when
    // that is longer than two characters, otherwise beside the source.
    static QString ForAddFolder(const QString& source, const QString& relative, const QString& destFolder,
                                const QString& bitRateText);
    // The result folder that the first file's accepted result stands for:
    // the result's folder less the source's sub-folders when it ends in
    // them, else the result's folder itself; with a final "/".
    static QString TreeRoot(const QString& acceptedResult, const QString& relative);
    // Used for the rest of the folder: below `root` (from TreeRoot), in the
    // source's sub-folders; beside the source when `root` is empty.
    static QString ForFolderTree(const QString& source, const QString& relative, const QString& root,
                                 const EncodeSettings& settings);
    // A result named with the default suffix of one rate ("x_128.mp3")
    // renamed for another ("x_96.mp3"), as the add-job dialog names it; a
    // result named otherwise is kept as it is.
    static QString FollowRate(const QString& result, int oldKbps, int newKbps);

    static bool FitsJob(const QString& path) { return path.size() <= kMaxPathLength; }
    // ".mp3" at the end, in any letter case.
    static bool HasMp3Extension(const QString& path);
};
