// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/LoudnessMeter.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class ActivityLog;

// The album of a batch for loudness tags: its jobs run on any thread and
// each reports its end here. When the last one ends, the album's gain and
// peak (all its tracks measured as one) are added to every result, each
// rewritten aside and renamed as results are. When one of them was stopped
// or failed, the others keep their track values only, and the log says so.
class AlbumGain {
public:
    // `log` takes the album's own lines; it outlives the album's jobs.
    AlbumGain(std::string name, std::size_t jobs, ActivityLog& log);
    // An album whose jobs are still being added (and may run meanwhile): it
    // finishes only once Seal has told how many it has.
    AlbumGain(std::string name, ActivityLog& log);

    // All its jobs are known: `jobs` of them. When they have all ended, the
    // album is finished here and now.
    void Seal(std::size_t jobs);

    // One job ended: its result and meter when it completed, otherwise an
    // empty meter.
    void JobEnded(const std::string& result, std::shared_ptr<const LoudnessMeter> meter);

    // Adds the album values to the result at `path` (its track values as
    // given stay). False, with the reason logged, when it cannot.
    static bool Rewrite(const std::string& path, const std::optional<ReplayGainValues>& track,
                        const ReplayGainValues& album, ActivityLog& log);

private:
    struct Track {
        std::string result;
        std::shared_ptr<const LoudnessMeter> meter;
    };
    void Finish(const std::vector<Track>& tracks) const;

    static constexpr std::size_t kOpen = static_cast<std::size_t>(-1);  // not sealed yet

    std::string m_name;
    std::size_t m_expected;
    ActivityLog& m_log;
    std::mutex m_mutex;
    std::vector<Track> m_tracks;
};
