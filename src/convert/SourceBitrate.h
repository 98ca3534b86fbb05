// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EngineText.h"

#include <optional>
#include <string>

// The bitrate a source already has, read from its frame headers alone (no
// decoding): the average over its audio frames of every layer, free format
// too (its bitrate is its frame length over its duration), so a VBR source
// counts at what it really spends. The LAME/Xing/VBRI information frame
// carries no audio and does not count.
class SourceBitrate {
public:
    // kbit/s; empty when the file cannot be read or holds no MPEG audio frame.
    // A source in another format counts by its average bitrate when its
    // codec is lossy; a lossless one has none (empty), so it is converted.
    static std::optional<double> Average(const std::string& path);

    // For the rule "skip sources at or below the target bitrate": the log
    // line for a source whose average, rounded to whole kbit/s, is at or
    // below `target`; empty when the source is to be converted (also when
    // its bitrate cannot be told, so the conversion reports what is wrong).
    static std::optional<std::string> SkipLine(const std::string& source, int target, const Translator& language = {});
};
