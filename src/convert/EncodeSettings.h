// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobVocabulary.h"

#include <string>
#include <string_view>

// What a result is to be: how the encoder makes it. Every layer hands this
// value on whole, so a new mode or option is added here, in Text/FromText
// and where the encoder is configured, and nowhere else.
struct EncodeSettings {
    // How the bitrate is spent. Only a constant bitrate so far; a quality
    // (VBR) or average bitrate (ABR) comes as a further mode.
    enum class Mode { Cbr };

    Mode mode = Mode::Cbr;
    int bitrate = JobVocabulary::kDefaultBitrate;  // kbit/s

    static EncodeSettings Cbr(int kbps) { return EncodeSettings{Mode::Cbr, kbps}; }

    // The job table's Bitrate cell and the result name's suffix ("x_128.mp3"):
    // "128".
    std::string Text() const;
    // The settings a Bitrate cell stands for. The cell is read as atol reads
    // it (" 96", "96 kbit/s" and "96" are all 96; no number reads as 0).
    static EncodeSettings FromText(std::string_view cell);
    // A bitrate an MPEG-1 Layer III result may have.
    bool Valid() const { return JobVocabulary::IsBitrate(bitrate); }

    bool operator==(const EncodeSettings&) const = default;
};
