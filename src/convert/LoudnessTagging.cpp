// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/LoudnessTagging.h"

LoudnessTagging::LoudnessTagging(LoudnessTags tags, int sampleRate, int channels)
    : tags_(tags), meter_(std::make_shared<LoudnessMeter>(sampleRate, channels))
{
}

const std::vector<std::uint8_t>& LoudnessTagging::BeginTag(const std::uint8_t* carried, std::size_t length)
{
    hasCarried_ = carried != nullptr && length > 0;
    if (hasCarried_)
        carried_.assign(carried, carried + length);
    reserved_ = ReplayGainTag::Reserve(hasCarried_ ? carried_.data() : nullptr, carried_.size(),
                                       tags_ == LoudnessTags::Album);
    return reserved_;
}

std::vector<std::uint8_t> LoudnessTagging::FinalTag(const ReplayGainTag::Values& values) const
{
    return ReplayGainTag::Compose(hasCarried_ ? carried_.data() : nullptr, carried_.size(), values, reserved_.size());
}
