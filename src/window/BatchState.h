// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "jobs/ReplaceRule.h"
#include "window/AlbumBatch.h"

#include <QString>

#include <memory>

// The memory of one add operation (one Add command, one drop or one folder).
// Once an
// accepted add-job dialog had "Use Same Settings for this batch of files"
// ticked, the rest of the operation is added without dialogs, with that
// dialog's bitrate and result folder.
struct BatchState {
    int sameSettings = 0;     // 1 from the file after that dialog on
    EncodeSettings settings;  // that dialog's
    QString folder;           // its result's folder up to and including the last "/"; may be empty;
                              // for a folder, the result folder its tree is kept under
    ReplaceRule replace;      // whether existing results are replaced
    // With album loudness tags: the albums of the operation, told their
    // number of jobs when it ends.
    std::unique_ptr<AlbumBatch> albums;
};
