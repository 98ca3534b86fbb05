// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/JobVocabulary.h"

#include <string>
#include <string_view>

// What a result is to be: how the encoder makes it. Every layer hands this
// value on whole, so a new mode or option is added here, in Text/FromText
// and where the encoder is configured, and nowhere else.
struct EncodeSettings {
    // How the bitrate is spent: a constant bitrate (the default), LAME's
    // variable bitrate at a quality, or its average bitrate.
    enum class Mode { Cbr, Vbr, Abr };

    Mode mode = Mode::Cbr;
    int bitrate = JobVocabulary::kDefaultBitrate;  // kbit/s: the constant one, or the average
    int quality = 2;                               // Vbr: 0 (best) to 9

    static EncodeSettings Cbr(int kbps) { return EncodeSettings{Mode::Cbr, kbps}; }
    static EncodeSettings Vbr(int quality)
    {
        return EncodeSettings{Mode::Vbr, JobVocabulary::kDefaultBitrate, quality};
    }
    static EncodeSettings Abr(int kbps) { return EncodeSettings{Mode::Abr, kbps}; }

    // The job table's Bitrate cell and the result name's suffix ("x_128.mp3"):
    // "128", "V2" for quality 2, "A160" for an average of 160 kbit/s.
    std::string Text() const;
    // The settings a Bitrate cell stands for: "V" and a digit, "A" and a
    // number, or a number read as atol reads it (" 96", "96 kbit/s" and "96"
    // are all 96; no number reads as 0).
    static EncodeSettings FromText(std::string_view cell);
    // A bitrate an MPEG-1 Layer III result may have, or a quality of 0 to 9.
    bool Valid() const { return mode == Mode::Vbr ? quality >= 0 && quality <= 9 : JobVocabulary::IsBitrate(bitrate); }
    // What "Skip sources at or below the target bitrate" compares a source's
    // bitrate with: the bitrate, the average, or the quality's typical rate.
    int ComparableKbps() const;

    bool operator==(const EncodeSettings& other) const
    {
        return mode == other.mode && (mode == Mode::Vbr ? quality == other.quality : bitrate == other.bitrate);
    }
};
