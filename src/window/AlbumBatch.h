// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/JobQueue.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>

class AlbumGain;
class JobThreads;

// The albums of one add operation while loudness tags are written "per track
// and album": the jobs of a folder, or of a same-settings batch, whose
// sources share a folder. Their jobs may start while the operation still
// adds more, so each album learns how many jobs it has when the operation
// ends (this object goes); its last job to end then writes the album values
// to all its results (AlbumGain).
class AlbumBatch {
public:
    explicit AlbumBatch(JobThreads& threads);
    ~AlbumBatch();
    AlbumBatch(const AlbumBatch&) = delete;
    AlbumBatch& operator=(const AlbumBatch&) = delete;

    // The job `job`, just added, joins the album of its source's folder.
    void Join(JobQueue::Key job, const std::string& source);

private:
    struct Album {
        std::shared_ptr<AlbumGain> gain;
        std::size_t jobs = 0;
    };

    JobThreads& m_threads;
    std::map<std::string, Album> m_albums;  // by source folder
};
