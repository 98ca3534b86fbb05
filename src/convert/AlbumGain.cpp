// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/AlbumGain.h"

#include "convert/ActivityLog.h"
#include "convert/LogText.h"
#include "convert/ReplayGainTag.h"
#include "convert/ResultFile.h"
#include "convert/SourceFile.h"
#include "convert/TagCarryOver.h"

#include <algorithm>

AlbumGain::AlbumGain(std::string name, std::size_t jobs, ActivityLog& log)
    : m_name(std::move(name)), m_expected(jobs), m_log(log)
{
}

AlbumGain::AlbumGain(std::string name, ActivityLog& log) : AlbumGain(std::move(name), kOpen, log)
{
}

void AlbumGain::Seal(std::size_t jobs)
{
    std::vector<Track> tracks;
    {
        std::lock_guard lock(m_mutex);
        m_expected = jobs;
        if (m_tracks.size() != m_expected)
            return;
        tracks.swap(m_tracks);
    }
    Finish(tracks);
}

void AlbumGain::JobEnded(const std::string& result, std::shared_ptr<const LoudnessMeter> meter)
{
    std::vector<Track> tracks;
    {
        std::lock_guard lock(m_mutex);
        m_tracks.push_back({result, std::move(meter)});
        if (m_tracks.size() != m_expected)
            return;
        tracks.swap(m_tracks);
    }
    Finish(tracks);
}

void AlbumGain::Finish(const std::vector<Track>& tracks) const
{
    const Translator language = m_log.Language();
    const auto missing = std::count_if(tracks.begin(), tracks.end(), [](const Track& t) { return !t.meter; });
    if (missing > 0) {
        m_log.showmessage(language.Line(
            ENGINE_TEXT("AlbumGain",
                        "Album %1: %2 of %3 jobs did not complete, its results keep track loudness values only"),
            {m_name, std::to_string(missing), std::to_string(tracks.size())}));
        return;
    }
    std::vector<const LoudnessMeter*> meters;
    for (const Track& track : tracks)
        meters.push_back(track.meter.get());
    const std::optional<ReplayGainValues> album = LoudnessMeter::Album(meters);
    if (!album) {
        m_log.showmessage(language.Line(
            ENGINE_TEXT("AlbumGain", "Album %1 has no measurable loudness, no album values written"), {m_name}));
        return;
    }
    int written = 0;
    for (const Track& track : tracks)
        written += Rewrite(track.result, track.meter->Track(), *album, m_log) ? 1 : 0;
    m_log.showmessage(
        language.Line(ENGINE_TEXT("AlbumGain", "Album %1: album gain %2, peak %3 written to %4 of %5 results"),
                      {m_name, ReplayGainTag::GainText(album->gainDb), ReplayGainTag::PeakText(album->peak),
                       std::to_string(written), std::to_string(tracks.size())}));
}

bool AlbumGain::Rewrite(const std::string& path, const std::optional<ReplayGainValues>& track,
                        const ReplayGainValues& album, ActivityLog& log)
{
    SourceFile current;
    ResultFile replacement;
    bool done = current.Open(path);
    std::vector<std::uint8_t> rest;
    TagCarryOver tags;
    if (done) {
        tags = TagCarryOver::Probe(current, log);
        const std::uint64_t start = tags.HasV2() ? tags.id3v2Length : 0;
        rest.resize(current.Size() > start ? current.Size() - start : 0);
        done = current.ReadAt(start, rest.data(), rest.size()) == static_cast<long long>(rest.size());
    }
    if (done) {
        const std::vector<std::uint8_t> tag = ReplayGainTag::Compose(
            tags.HasV2() ? tags.id3v2.get() : nullptr, tags.HasV2() ? tags.id3v2Length : 0, {track, album});
        done = replacement.Create(path) && replacement.Append(tag.data(), tag.size())
            && replacement.Append(rest.data(), rest.size()) && replacement.Commit();
    }
    if (!done) {
        replacement.Discard();
        log.showmessage(log.Language().Line(
            ENGINE_TEXT("AlbumGain", "Album values could not be written to %1, it keeps its track values"), {path}));
    }
    return done;
}
