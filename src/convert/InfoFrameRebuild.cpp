// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/InfoFrameRebuild.h"

#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t kFramesAt = 8;  // from the "Info" text
constexpr std::size_t kBytesAt = 12;
constexpr std::size_t kTocAt = 16;
constexpr std::size_t kDelayAt = 141;
constexpr std::size_t kMusicLengthAt = 148;
constexpr std::size_t kMusicCrcAt = 152;
constexpr std::size_t kTagCrcAt = 154;

void PutBig(std::uint8_t* at, std::uint64_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i, value >>= 8)
        at[i] = static_cast<std::uint8_t>(value & 0xFF);
}

const std::array<std::uint16_t, 256>& CrcTable()
{
    static const std::array<std::uint16_t, 256> table = [] {
        std::array<std::uint16_t, 256> t{};
        for (unsigned i = 0; i < 256; ++i) {
            unsigned crc = i;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xA001u : crc >> 1;
            t[i] = static_cast<std::uint16_t>(crc);
        }
        return t;
    }();
    return table;
}

}  // namespace

std::uint16_t InfoFrameRebuild::Crc16(const std::uint8_t* bytes, std::size_t length, std::uint16_t crc)
{
    const auto& table = CrcTable();
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ bytes[i]) & 0xFF]);
    return crc;
}

void InfoFrameRebuild::Count(const std::uint8_t* bytes, const Layer3Frame& frame)
{
    ++frames_;
    bytes_ += frame.length;
    musicCrc_ = Crc16(bytes, frame.length, musicCrc_);
    samplesPerFrame_ = frame.header.SamplesPerFrame();
    AddToSeekTable(frame.header.bitrate);
}

void InfoFrameRebuild::AddToSeekTable(int kbps)
{
    sum_ += static_cast<std::uint64_t>(kbps);
    if (++seen_ < want_)
        return;
    if (bagUsed_ < kBagSize) {
        bag_[bagUsed_++] = sum_;
        seen_ = 0;
    }
    if (bagUsed_ == kBagSize) {
        for (std::size_t i = 1; i < kBagSize; i += 2)
            bag_[i / 2] = bag_[i];
        want_ *= 2;
        bagUsed_ /= 2;
    }
}

bool InfoFrameRebuild::Finish(std::vector<std::uint8_t>& frame, std::uint64_t samples) const
{
    const std::optional<Layer3Frame> parsed = Layer3Frame::Parse(frame.data(), frame.size(), 0);
    if (!parsed || !Layer3Frame::IsTagFrame(frame.data(), *parsed) || parsed->BodyLength() < kTagCrcAt + 2)
        return false;
    std::uint8_t* tag = frame.data() + parsed->bodyOffset;
    PutBig(tag + kFramesAt, frames_, 4);
    const std::uint64_t streamBytes = bytes_ + frame.size();
    PutBig(tag + kBytesAt, streamBytes, 4);
    if (bagUsed_ > 0) {
        for (std::size_t i = 1; i < 100; ++i) {
            // The encoder's own arithmetic, single precision where it has it.
            const float share = static_cast<float>(i) / 100.0f;
            auto index = static_cast<std::size_t>(std::floor(share * static_cast<float>(bagUsed_)));
            if (index > bagUsed_ - 1)
                index = bagUsed_ - 1;
            const auto act = static_cast<float>(bag_[index]);
            const auto sum = static_cast<float>(sum_);
            int point = static_cast<int>(256.0 * act / sum);
            tag[kTocAt + i] = static_cast<std::uint8_t>(point > 255 ? 255 : point);
        }
    }
    const int delay = (tag[kDelayAt] << 4) | (tag[kDelayAt + 1] >> 4);
    const std::int64_t padding
        = static_cast<std::int64_t>(frames_) * samplesPerFrame_ - delay - static_cast<std::int64_t>(samples);
    if (padding < 0 || padding > 0xFFF)
        return false;
    tag[kDelayAt + 1] = static_cast<std::uint8_t>((delay & 0xF) << 4 | (padding >> 8));
    tag[kDelayAt + 2] = static_cast<std::uint8_t>(padding & 0xFF);
    PutBig(tag + kMusicLengthAt, streamBytes, 4);
    PutBig(tag + kMusicCrcAt, musicCrc_, 2);
    const std::size_t crcAt = parsed->bodyOffset + kTagCrcAt;
    PutBig(frame.data() + crcAt, Crc16(frame.data(), crcAt), 2);
    return true;
}
