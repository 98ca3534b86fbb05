// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/EncodeSettings.h"
#include "convert/JobVocabulary.h"
#include "convert/LoudnessTagging.h"

#include <QString>

// The three user defaults, held by the application object. Each field stands
// for a fixed character buffer of the size below (terminator included): the
// settings file reader cuts longer values to size - 1 characters.
struct SettingsRecord {
    static constexpr int kFolderSize = 256;
    static constexpr int kBitRateSize = 4;

    QString SourceFolder;  // where source files are usually picked
    QString DestFolder;    // where result files usually go
    QString BitRate;       // kbit/s as decimal text, may carry a leading blank
    // Jobs converted at once, 1 up to the number of processor cores.
    int SimultaneousConversions = 1;

    // Choices of the General page beyond the three defaults; both off
    // unless the user turns them on.
    bool SkipLowerSources = false;    // skip sources at or below the job's bitrate
    bool KeepUnfinishedJobs = false;  // offer the waiting jobs again at the next start
    // On unless the user turns it off: a long source is encoded in segments
    // on the conversions' cores that no other job needs.
    bool SplitLongSources = true;
    // "Write loudness tags": off, per track, or per track and album.
    LoudnessTags WriteLoudnessTags = LoudnessTags::Off;
    // The default mode of new results; BitRate is the constant rate or the
    // average one, VbrQuality the quality of a variable bitrate.
    EncodeSettings::Mode EncodeMode = EncodeSettings::Mode::Cbr;
    int VbrQuality = EncodeSettings{}.quality;

    // The default encode settings the three fields above stand for.
    EncodeSettings Encoding() const
    {
        if (EncodeMode == EncodeSettings::Mode::Vbr)
            return EncodeSettings::Vbr(VbrQuality);
        const int kbps = JobVocabulary::LeadingNumber(BitRate.toStdString());
        return EncodeMode == EncodeSettings::Mode::Abr ? EncodeSettings::Abr(kbps) : EncodeSettings::Cbr(kbps);
    }
    // Takes `settings` as the new default; a variable bitrate keeps BitRate.
    void SetEncoding(const EncodeSettings& settings)
    {
        EncodeMode = settings.mode;
        if (settings.mode == EncodeSettings::Mode::Vbr)
            VbrQuality = settings.quality;
        else
            BitRate = QString::number(settings.bitrate);
    }
};
