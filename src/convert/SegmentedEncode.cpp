// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/SegmentedEncode.h"

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

// Frames encoded per call into a segment's stream; between calls a worker
// looks whether the job was stopped.
constexpr std::uint32_t kFramesPerCall = 32;
// What starting and flushing a stream costs, in frames of encoding.
constexpr std::uint64_t kStreamFrames = 3;

}  // namespace

// Measured with vorlanta-bench-segments (five music-like signals, 128 kbit/s,
// 44.1 kHz stereo): pre-rolls of 6, 8, 12, 16 and 24 frames all keep the
// joined result's SNR within 0.015 dB of the serial one's, and no join
// needed the second try; 8 frames (0.2 s, joins from its 4th frame on) is
// the shortest whose worst 20 ms error at the joins stayed at or under the
// 99th percentile elsewhere for all five.
// Each join costs about 14 frames of encoding (pre-roll, tail, the flush of
// the stream and its start), so segments are long: 768 frames (20 s) make
// half the joins of 384 and cut the split's extra processor time about in
// half, and with 3-minute signals all five signals meet the join measure
// (with 384, the music-like mix's worst join was 1.7 % over). Memory stays
// flat: a few segments of PCM (3.5 MB each) at a time. Toward the end each
// segment is sized from what the workers still have to do, so that they end
// together: no extra joins, and no worker left alone with a long last
// segment. No piece is shorter than 64 frames (1.7 s), and a remainder of
// less than half that is not worth a join of its own.
SegmentPlan SegmentPlan::Default()
{
    SegmentPlan plan;
    plan.segmentFrames = 768;
    plan.minSegmentFrames = 64;
    plan.prerollFrames = 8;
    plan.settleFrames = 3;
    plan.tailFrames = 2;
    plan.retryPrerollFrames = 48;
    return plan;
}

SegmentedEncode::SegmentedEncode(const EncoderEntryPoints& entries, const be::Config& record, int workers,
                                 SegmentPlan plan, UserPrompt& prompt, Sink sink, Translator language)
    : m_entries(entries),
      m_record(record),
      m_plan(plan),
      m_prompt(prompt),
      m_language(language),
      m_channels(record.mode == be::kModeMono ? 1 : 2),
      m_frameSamples(record.reSampleRate >= 32000 ? 1152u : 576u),
      m_maxInFlight(2 * static_cast<std::size_t>(std::max(workers, 1))),
      m_workerCount(static_cast<std::size_t>(std::max(workers, 1))),
      m_joiner(std::move(sink),
               [this](const std::uint8_t* bytes, const Layer3Frame& frame) { m_tally.Add(bytes, frame.length); })
{
    m_paces = std::make_unique<WorkerPace[]>(m_workerCount);
    m_buffer = Spare();
    for (std::size_t slot = 0; slot < m_workerCount; ++slot)
        m_workers.emplace_back([this, slot] { Work(slot); });
}

SegmentedEncode::~SegmentedEncode()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_feed) {
        // A worker that saw no stop before it began to wait is waiting now.
        {
            const std::lock_guard lock(m_feed->mutex);
        }
        m_feed->arrived.notify_all();
    }
    for (std::thread& worker : m_workers)
        worker.join();
}

bool SegmentedEncode::Suits(const be::Config& record)
{
    return record.reSampleRate == 0 || record.reSampleRate == record.sampleRate;
}

bool SegmentedEncode::Push(const std::int16_t* pcm, std::size_t values)
{
    if (m_failed || m_finished)
        return false;
    const auto channels = static_cast<std::size_t>(m_channels);
    values -= values % channels;
    if (m_dispatched == 0)
        OpenFirst();
    if (m_feed)
        Supply(pcm, values);
    // Only the source's last stretch, waiting to be cut, outgrows a segment's
    // buffer. The few pieces still to go out need no spares kept for them,
    // so from then on none are kept, and it grows at once to what it may
    // hold (see the wait below), not by doubling while the old copy is kept.
    if (m_buffer.size() + values > m_buffer.capacity()) {
        m_lastStretch = true;
        m_spares.clear();
        const std::size_t most = m_plan.retryPrerollFrames + m_plan.tailFrames + 2
            + std::min(m_workerCount + 1, m_maxInFlight) * std::size_t{m_plan.segmentFrames};
        m_buffer.reserve(std::max(m_buffer.size() + values, most * m_frameSamples * channels));
    }
    m_buffer.insert(m_buffer.end(), pcm, pcm + values);
    m_samples += values / channels;
    // A segment goes out once its audio and its tail are in and there is
    // room. Near the end the rest waits for Finish, holding no more audio
    // meanwhile than segments out would.
    while (!m_failed) {
        if (!m_feed && EndIsNear()) {
            const std::size_t out = m_dispatched - m_joined;
            const std::uint64_t held = BufferEnd() - m_nextStart;
            if (out == 0 || held <= (m_maxInFlight + 1 - std::min(out, m_maxInFlight)) * m_plan.segmentFrames)
                break;
            DrainReady(true);
            continue;
        }
        const std::uint64_t end = m_feed ? m_feedEnd : m_nextStart + m_plan.segmentFrames;
        if (m_buffer.size() / channels < (end + m_plan.tailFrames - m_bufferFrame) * m_frameSamples)
            break;
        if (!m_feed && m_dispatched - m_joined >= m_maxInFlight)
            DrainReady(true);
        else
            Dispatch(false, end);
    }
    return DrainReady(false) && !m_failed;
}

// The source's last stretch, less than a full segment per worker, is cut
// only once it is all in and as workers free, each piece sized from what
// the others still have to do: sizes chosen earlier, from loads a second
// ahead, left one worker encoding alone for tens of milliseconds, as
// segments encode at speeds a fifth and more apart. Should the source run
// longer than its estimate, full segments go on, so memory stays bounded.
bool SegmentedEncode::EndIsNear() const
{
    if (m_expectedFrames == 0)
        return false;
    const std::uint64_t near = m_workerCount * m_plan.segmentFrames;
    return m_expectedFrames < m_nextStart + near && BufferEnd() < m_nextStart + near + m_plan.segmentFrames;
}

// The timeline frame after the last whole one in the buffer.
std::uint64_t SegmentedEncode::BufferEnd() const
{
    return m_bufferFrame + m_buffer.size() / (m_frameSamples * static_cast<std::size_t>(m_channels));
}

// The first segment: a full one, or for a source shorter than a full
// segment per worker, one worker's share.
std::uint64_t SegmentedEncode::FirstLength() const
{
    if (m_expectedFrames == 0)
        return m_plan.segmentFrames;
    const std::uint64_t length
        = std::clamp<std::uint64_t>(m_expectedFrames / m_workerCount, Shortest(), m_plan.segmentFrames);
    return m_expectedFrames > length && m_expectedFrames - length < Shortest() / 2 ? m_expectedFrames : length;
}

std::uint64_t SegmentedEncode::Shortest() const
{
    return std::min(m_plan.minSegmentFrames, m_plan.segmentFrames);
}

// The share of the `rest` frames for the worker that is idle: each worker
// is given a piece that ends at one common time, from what it still has
// to encode and its own pace, with a stream's own cost per piece; a worker
// busy past that time takes none. Paces differ by a fifth and more between
// two workers at once (a core shared with the decoder, or given less time
// by the host), and they hold for the second that is left.
std::uint64_t SegmentedEncode::ShareOfRest(std::uint64_t rest) const
{
    struct Worker {
        double busy;  // ns until it is free
        double pace;  // ns per frame
    };
    std::vector<Worker> workers(m_workerCount);
    double slowest = 0;
    for (std::size_t slot = 0; slot < m_workerCount; ++slot)
        slowest = std::max(slowest, static_cast<double>(m_paces[slot].nanosPerFrame.load()));
    for (std::size_t slot = 0; slot < m_workerCount; ++slot) {
        const auto pace = static_cast<double>(m_paces[slot].nanosPerFrame.load());
        workers[slot].pace = pace > 0 ? pace : slowest > 0 ? slowest : 1.0;
        workers[slot].busy = static_cast<double>(m_paces[slot].framesLeft.load()) * workers[slot].pace;
    }
    std::sort(workers.begin(), workers.end(), [](const Worker& a, const Worker& b) { return a.busy < b.busy; });
    const auto cost = static_cast<double>(m_plan.prerollFrames + m_plan.tailFrames + kStreamFrames);
    double level = 0;
    double frames = static_cast<double>(rest);  // the rest, and what the workers taking part have already
    double speed = 0;                           // their frames per ns together
    for (const Worker& worker : workers) {
        const double candidate = (frames + cost + worker.busy / worker.pace) / (speed + 1.0 / worker.pace);
        if (speed > 0 && candidate < worker.busy + cost * worker.pace)
            break;
        frames += cost + worker.busy / worker.pace;
        speed += 1.0 / worker.pace;
        level = candidate;
    }
    const double share = (level - workers.front().busy) / workers.front().pace - cost;
    return std::clamp<std::uint64_t>(share > 0 ? static_cast<std::uint64_t>(share) : 0, Shortest(),
                                     m_plan.segmentFrames);
}

// Joins what is done until a worker waits for work; false on failure.
bool SegmentedEncode::AwaitIdleWorker()
{
    const auto idle = [this] {
        return m_queue.empty() && std::any_of(m_paces.get(), m_paces.get() + m_workerCount, [](const WorkerPace& pace) {
                   return pace.framesLeft.load() == 0;
               });
    };
    for (;;) {
        if (!DrainReady(false))
            return false;
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return idle() || m_done.count(m_joined) != 0; });
        if (idle())
            return true;
    }
}

// The first segment goes to a worker with the first audio, not once all of
// it is in: otherwise one core would idle while the decoder fills it, and
// a second worker has nothing to do until then either.
void SegmentedEncode::OpenFirst()
{
    m_feed = std::make_shared<Feed>();
    m_feedEnd = FirstLength();
    m_feedLimit = static_cast<std::size_t>((m_feedEnd + m_plan.tailFrames) * m_frameSamples)
        * static_cast<std::size_t>(m_channels);
    Task task;
    task.frames = m_feedEnd + m_plan.tailFrames;
    task.pcm = Spare();
    task.feed = m_feed;
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(task));
    }
    ++m_dispatched;
    m_changed.notify_all();
}

// Passes on to the first segment's worker what belongs to that segment.
void SegmentedEncode::Supply(const std::int16_t* pcm, std::size_t values)
{
    const std::size_t take = std::min(values, m_feedLimit - m_fed);
    if (take == 0)
        return;
    {
        const std::lock_guard lock(m_feed->mutex);
        m_feed->pending.insert(m_feed->pending.end(), pcm, pcm + take);
    }
    m_fed += take;
    m_feed->arrived.notify_one();
}

// Hands the next segment to the workers, once fewer than m_maxInFlight are
// out. The buffer itself goes with the segment (unless most of it stays);
// a new one (a spare, so its pages are not cleared and faulted in again)
// starts with the audio the following segment's pre-roll needs. The first
// segment is already out: everything it needs has been passed on, so it is
// only closed.
void SegmentedEncode::Dispatch(bool last, std::uint64_t end)
{
    while (!m_feed && !m_failed && m_dispatched - m_joined >= m_maxInFlight)
        DrainReady(true);
    if (m_failed)
        return;
    const auto channels = static_cast<std::size_t>(m_channels);
    const std::size_t frameValues = m_frameSamples * channels;
    Task task;
    task.index = m_dispatched;
    task.start = m_nextStart;
    task.last = last;
    task.pcmFrame = m_bufferFrame;
    task.preroll = static_cast<std::uint32_t>(std::min<std::uint64_t>(m_plan.prerollFrames, task.start));
    if (last)
        end = m_nextStart;
    const std::size_t values
        = last ? m_buffer.size() : static_cast<std::size_t>((end + m_plan.tailFrames - m_bufferFrame) * frameValues);
    m_nextStart = end;
    // The next segment's longest pre-roll starts at keepFrom.
    std::size_t keepAt = m_buffer.size();
    if (!last) {
        const std::uint64_t keepFrom
            = std::max(m_bufferFrame, m_nextStart - std::min<std::uint64_t>(m_plan.retryPrerollFrames, m_nextStart));
        keepAt = static_cast<std::size_t>((keepFrom - m_bufferFrame) * frameValues);
        m_bufferFrame = keepFrom;
    }
    const auto keep = m_buffer.begin() + static_cast<std::ptrdiff_t>(keepAt);
    if (m_feed) {
        {
            const std::lock_guard lock(m_feed->mutex);
            m_feed->closed = true;
            m_feed->last = last;
        }
        m_feed->arrived.notify_one();
        m_feed.reset();
        m_buffer.erase(m_buffer.begin(), keep);
        return;
    }
    task.frames = values / frameValues - (task.start - task.preroll - task.pcmFrame);
    if (m_buffer.end() - keep > static_cast<std::ptrdiff_t>(values)) {
        // Most of the buffer stays (the source's last stretch, cut as
        // workers free): the segment's part is copied out, not the rest.
        task.pcm = Spare();
        task.pcm.assign(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(values));
        m_buffer.erase(m_buffer.begin(), keep);
    } else {
        std::vector<std::int16_t> next = last ? std::vector<std::int16_t>() : Spare();
        next.assign(keep, m_buffer.end());
        task.pcm = std::move(m_buffer);
        task.pcm.resize(values);
        m_buffer = std::move(next);
    }
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(task));
    }
    ++m_dispatched;
    m_changed.notify_all();
}

// An empty buffer for a segment's audio, with room for a whole segment.
std::vector<std::int16_t> SegmentedEncode::Spare()
{
    std::vector<std::int16_t> buffer;
    if (!m_spares.empty()) {
        buffer = std::move(m_spares.back());
        m_spares.pop_back();
        buffer.clear();
    }
    const std::size_t frames = m_plan.segmentFrames + m_plan.tailFrames + m_plan.retryPrerollFrames + 2;
    buffer.reserve(frames * m_frameSamples * static_cast<std::size_t>(m_channels));
    return buffer;
}

// A joined segment's audio buffer is kept for a later segment. All are
// kept (no more are out at once than m_maxInFlight and the one filling):
// one given back to the allocator came back as fresh pages, and faulting
// them in again took two thirds of a split job's page faults.
void SegmentedEncode::Recycle(std::vector<std::int16_t> buffer)
{
    if (!m_lastStretch && m_spares.size() < m_maxInFlight && buffer.capacity() > 0)
        m_spares.push_back(std::move(buffer));
}

void SegmentedEncode::Work(std::size_t slot)
{
    for (;;) {
        Task task;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
            if (m_stop)
                return;
            task = std::move(m_queue.front());
            m_queue.pop_front();
            m_paces[slot].framesLeft.store(task.frames + kStreamFrames);
        }
        Done done = Encode(std::move(task), &m_paces[slot]);
        {
            const std::lock_guard lock(m_mutex);
            m_paces[slot].framesLeft.store(0);
            const std::size_t index = done.task.index;
            m_done.emplace(index, std::move(done));
        }
        m_changed.notify_all();
    }
}

// A worker's progress: its pace is taken once a few calls' worth is done,
// so that the stream's start does not count for much.
void SegmentedEncode::Report(WorkerPace& pace, std::uint64_t frames, std::uint64_t encoded,
                             std::chrono::steady_clock::time_point began)
{
    pace.framesLeft.store((frames > encoded ? frames - encoded : 0) + kStreamFrames);
    if (encoded >= 2 * kFramesPerCall) {
        const auto nanos
            = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - began);
        pace.nanosPerFrame.store(static_cast<std::uint64_t>(nanos.count()) / encoded);
    }
}

// One segment's own encoder stream, from its pre-roll to its tail (or the end).
SegmentedEncode::Done SegmentedEncode::Encode(Task task, WorkerPace* pace) const
{
    const auto began = std::chrono::steady_clock::now();
    Done done;
    done.task = std::move(task);
    Task& t = done.task;
    EncoderSession session(m_entries, m_prompt, m_language);
    session.Adopt(m_record);
    if (!session.Ready() || !session.Start()) {
        done.failed = true;
        return done;
    }
    const std::size_t frameValues = m_frameSamples * static_cast<std::size_t>(m_channels);
    const std::size_t from = static_cast<std::size_t>((t.start - t.preroll - t.pcmFrame) * frameValues);
    std::size_t at = from;
    const std::size_t step = kFramesPerCall * frameValues;
    // The encoder writes into a scratch buffer that is never cleared, and
    // the stream grows by what it wrote: growing the stream by the room an
    // encode call may need would clear that room first, each call.
    std::vector<std::uint8_t> out;
    out.reserve(StreamBytes(t));
    const std::size_t room
        = std::max<std::size_t>(session.EncodeRoom(static_cast<std::uint32_t>(step * 2)), EncoderSession::kFlushRoom);
    const std::unique_ptr<std::uint8_t[]> scratch(new std::uint8_t[room]);
    while (Pull(t, at + step) && at < t.pcm.size()) {
        const std::size_t values = std::min(step, t.pcm.size() - at);
        const std::uint32_t written
            = session.Encode(t.pcm.data() + at, static_cast<std::uint32_t>(values * 2), scratch.get());
        if (session.Failed()) {
            done.failed = true;
            return done;
        }
        out.insert(out.end(), scratch.get(), scratch.get() + written);
        at += values;
        if (pace != nullptr)
            Report(*pace, t.frames, (at - from) / frameValues, began);
    }
    const std::uint32_t flushed = session.Flush(scratch.get());
    out.insert(out.end(), scratch.get(), scratch.get() + flushed);
    if (session.Failed() || m_stop) {
        done.failed = true;
        return done;
    }
    // The stream leads with a placeholder for its Info frame, which at low
    // bitrates is plain zeros the size of a larger frame: the frame itself
    // goes there, so the stream walks as frames; the first segment's is the
    // template of the joined stream's.
    if (session.WritesInfoFrame()) {
        std::vector<std::uint8_t> frame(be::kInfoTagOutputSize);
        std::uint32_t length = 0;
        if (!session.InfoFrame(frame.data(), length) || length > out.size()) {
            done.failed = true;
            return done;
        }
        frame.resize(length);
        std::copy(frame.begin(), frame.end(), out.begin());
        if (t.index == 0)
            done.infoTemplate = std::move(frame);
    }
    session.Close();
    done.bytes = std::move(out);
    return done;
}

// Waits until `task` has `values` of audio or all it will get; false once
// the job is stopped.
bool SegmentedEncode::Pull(Task& task, std::size_t values) const
{
    if (task.feed && task.pcm.size() < values) {
        Feed& feed = *task.feed;
        std::unique_lock lock(feed.mutex);
        feed.arrived.wait(lock,
                          [&] { return feed.closed || m_stop || task.pcm.size() + feed.pending.size() >= values; });
        task.pcm.insert(task.pcm.end(), feed.pending.begin(), feed.pending.end());
        feed.pending.clear();
        if (feed.closed) {
            task.last = feed.last;
            lock.unlock();
            task.feed.reset();
        }
    }
    return !m_stop;
}

// About the length of a segment's stream: its frames at the bitrate, and
// a few for the encoder's delay and flush.
std::size_t SegmentedEncode::StreamBytes(const Task& task) const
{
    const std::size_t frames = task.pcm.capacity() / (m_frameSamples * static_cast<std::size_t>(m_channels)) + 4;
    const std::size_t frameBytes = std::size_t{m_record.bitrate} * 125 * m_frameSamples / m_record.sampleRate + 1;
    return frames * frameBytes;
}

SegmentJoiner::Segment SegmentedEncode::SegmentOf(const Done& done) const
{
    SegmentJoiner::Segment segment;
    const Task& t = done.task;
    segment.firstFrame = t.start - t.preroll;
    segment.joinFrom = t.index == 0 ? 0 : segment.firstFrame + std::min(m_plan.settleFrames, t.preroll);
    segment.joinTo = t.start;
    segment.bytes = done.bytes;
    return segment;
}

// Joins the segments that are done, in order; with `wait`, waits for the
// next one first.
bool SegmentedEncode::DrainReady(bool wait)
{
    for (;;) {
        Done done;
        {
            std::unique_lock lock(m_mutex);
            if (wait)
                m_changed.wait(lock, [this] { return m_done.count(m_joined) != 0; });
            const auto next = m_done.find(m_joined);
            if (next == m_done.end())
                return true;
            done = std::move(next->second);
            m_done.erase(next);
        }
        wait = false;
        if (!Join(std::move(done))) {
            m_failed = true;
            return false;
        }
    }
}

bool SegmentedEncode::Join(Done done)
{
    if (done.failed)
        return false;
    if (done.task.index == 0)
        m_infoTemplate = std::move(done.infoTemplate);
    SegmentJoiner::Outcome outcome = m_joiner.Add(SegmentOf(done));
    if (outcome == SegmentJoiner::Outcome::NoValidFrame && done.task.pcmFrame < done.task.start - done.task.preroll) {
        // No frame of the pre-roll fits: encode again from the earliest audio kept for it.
        ++m_retries;
        done.task.preroll = static_cast<std::uint32_t>(done.task.start - done.task.pcmFrame);
        done = Encode(std::move(done.task));
        if (done.failed)
            return false;
        outcome = m_joiner.Add(SegmentOf(done));
    }
    if (outcome == SegmentJoiner::Outcome::NoValidFrame)
        return JoinSerially(std::move(done.task));
    if (outcome != SegmentJoiner::Outcome::Joined)
        return false;
    Recycle(std::move(m_held.pcm));
    m_held = std::move(done.task);
    m_joinFrames.push_back(m_joiner.LastJoin());
    ++m_joined;
    return true;
}

// Neither pre-roll gave a frame to join at: the segment the joiner holds and
// this one are encoded as one stream, from where the held one's stream
// started. Up to the held segment's end that stream is the held one, frame
// for frame (the same encoder on the same audio), so it takes over at the
// start of this segment, where the rule holds as in a serial encode.
bool SegmentedEncode::JoinSerially(Task task)
{
    ++m_serialStretches;
    const std::size_t frameValues = m_frameSamples * static_cast<std::size_t>(m_channels);
    Task stretch = std::move(m_held);
    const auto kept = static_cast<std::ptrdiff_t>((task.pcmFrame - stretch.pcmFrame) * frameValues);
    stretch.pcm.resize(static_cast<std::size_t>(kept));
    stretch.pcm.insert(stretch.pcm.end(), task.pcm.begin(), task.pcm.end());
    stretch.index = task.index;
    stretch.last = task.last;
    const std::uint64_t takeOver = task.start;
    Done done = Encode(std::move(stretch));
    if (done.failed)
        return false;
    SegmentJoiner::Segment segment = SegmentOf(done);
    segment.joinFrom = m_joiner.LastJoin() + 1;
    segment.joinTo = takeOver;
    if (m_joiner.Add(std::move(segment)) != SegmentJoiner::Outcome::Joined)
        return false;
    m_held = std::move(done.task);
    m_joinFrames.push_back(m_joiner.LastJoin());
    ++m_joined;
    return true;
}

bool SegmentedEncode::Finish()
{
    if (m_failed || m_finished)
        return false;
    m_finished = true;
    if (m_feed) {
        Dispatch(true, m_nextStart);
    } else {
        for (;;) {
            const std::uint64_t rest = BufferEnd() - m_nextStart;
            if (!AwaitIdleWorker())
                break;
            const std::uint64_t share = ShareOfRest(rest);
            if (share + Shortest() / 2 >= rest) {
                Dispatch(true, m_nextStart);
                break;
            }
            Dispatch(false, m_nextStart + share);
        }
    }
    while (!m_failed && m_joined < m_dispatched)
        DrainReady(true);
    return !m_failed && m_joiner.Finish();
}

bool SegmentedEncode::InfoFrame(std::vector<std::uint8_t>& frame) const
{
    frame = m_infoTemplate;
    if (frame.empty())
        return true;
    return LameTagFrame::SetJoinedStreamFields(frame.data(), frame.size(), m_tally, m_samples)
        && (!m_replayGain
            || LameTagFrame::SetTrackGain(frame.data(), frame.size(), m_replayGain->first, m_replayGain->second));
}
