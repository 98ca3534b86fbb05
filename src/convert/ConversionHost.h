// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/LoudnessTagging.h"

#include <memory>
#include <string>

class JobProgress;
class ActivityLog;
class UserPrompt;
class AlbumGain;

// Everything outside the engine that one conversion talks to.
struct ConversionHost {
    JobProgress& progress;  // the job's Status text
    ActivityLog& log;
    UserPrompt& prompt;
    // Folder searched first for the encoder library (the program's own
    // folder); empty means only the normal library search path.
    std::string encoderFolder;
    // Encoder streams the job may run at once: above one, a long source is
    // encoded in segments on that many threads and joined (SegmentedEncode);
    // one keeps the serial encode.
    int encoderThreads = 1;
    // ReplayGain tags written into every result ("Write loudness tags").
    LoudnessTags loudness = LoudnessTags::Off;
    // With album values: the album this job belongs to, told when it ends.
    std::shared_ptr<AlbumGain> album = nullptr;
};
