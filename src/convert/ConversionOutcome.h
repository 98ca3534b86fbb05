// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

// How one job ended, as the engine and the job planner return it. Whoever
// counts or reports jobs reads this, never the log's text.
struct ConversionOutcome {
    enum class Kind {
        Converted,         // the result is complete under its name
        Stopped,           // ended on request; nothing of it is left
        RestartRequested,  // ended on request, to start again
        Failed,            // the conversion could not be done
        Skipped,           // nothing to do (a rule said so)
        Refused,           // not started: it would harm a file or clash with another job
        // The encoder library could not be loaded: every further job would
        // fail alike, so the batch stops. The log says where it was looked
        // for, and why it could not be loaded.
        EncoderMissing,
    };

    Kind kind = Kind::Failed;
    // Why, in the words the log showed: for a failed or refused job the
    // reason, for a skipped one its line.
    std::string reason;

    static ConversionOutcome Of(Kind kind, std::string reason = {}) { return {kind, std::move(reason)}; }
    // Failed or refused: counts as a failed job.
    bool IsFailure() const { return kind == Kind::Failed || kind == Kind::Refused || kind == Kind::EncoderMissing; }
};
