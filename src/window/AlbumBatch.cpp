// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/AlbumBatch.h"

#include "convert/AlbumGain.h"
#include "jobs/JobThreads.h"

#include <filesystem>

AlbumBatch::AlbumBatch(JobThreads& threads) : m_threads(threads)
{
}

AlbumBatch::~AlbumBatch()
{
    for (auto& [folder, album] : m_albums)
        album.gain->Seal(album.jobs);
}

void AlbumBatch::Join(JobQueue::Key job, const std::string& source)
{
    const std::string folder = std::filesystem::path(source).parent_path().string();
    Album& album = m_albums[folder];
    if (!album.gain)
        album.gain = std::make_shared<AlbumGain>(folder.empty() ? std::string(".") : folder, m_threads.Log());
    ++album.jobs;
    m_threads.JoinAlbum(job, album.gain);
}
